// quorvel_bench: runs every part, or only those named on the command line ("quorvel_bench catalogue",
// "quorvel_bench server postgresql://user@host/db", "quorvel_bench desks postgresql://user@host/db").

#include "bench.h"

#include <QApplication>
#include <QByteArray>
#include <cstdio>
#include <cstring>

namespace {
struct Part {
    const char *name;
    int (*run)();
};

// One line per part.
const Part kParts[] = {
    {"catalogue", bench::catalogue}, {"deal", bench::deal},     {"packages", bench::packages}, {"csv", bench::csv},
    {"choice", bench::choice},       {"server", bench::server}, {"desks", bench::desks},
};
} // namespace

// The offscreen platform complains about every raise() and grab; those lines would bury the figures.
void quietPlatform(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "warning: " : "", qPrintable(message));
}

int main(int argc, char **argv) {
    qInstallMessageHandler(quietPlatform);
    // The windows are measured, not looked at: run without a screen unless one is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // "server URI", "desks URI": the server to use instead of a throwaway one.
    for (int i = 1; i + 1 < argc; ++i)
        if ((std::strcmp(argv[i], "server") == 0 || std::strcmp(argv[i], "desks") == 0) &&
            std::strstr(argv[i + 1], "://"))
            qputenv("QUORVEL_BENCH_SERVER", argv[i + 1]);
    int failed = 0;
    for (const Part &part : kParts) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || std::strcmp(argv[i], part.name) == 0;
        if (!wanted)
            continue;
        std::printf("== %s\n", part.name);
        std::fflush(stdout);
        if (part.run() != 0) {
            std::printf("%s: FAILED\n", part.name);
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
