#include "app/commandline.h"

#include "app/programlocation.h"
#include "app/translation.h"
#include "core/store/dealarchive.h"
#include "core/store/firststart.h"
#include "core/store/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

namespace commandline {

namespace {
void out(std::FILE *stream, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

enum class Action { Start, Version, Help, WritePages, VerifyDeals };
} // namespace

QString versionText() { return QStringLiteral("Quorvel %1\n").arg(QStringLiteral(QUORVEL_VERSION)); }

QString helpText() {
    const QString folder = QDir::toNativeSeparators(programlocation::decide(programlocation::current()));
    return QCoreApplication::translate(
               "commandline", "Usage: quorvel [options]\n"
                              "Menu selling of aftermarket products for car dealerships.\n"
                              "\n"
                              "Options:\n"
                              "  -h, --help  Show this text and exit.\n"
                              "  --version   Show the version and exit.\n"
                              "  --verify-deals\n"
                              "              Check every stored deal against the seal it was saved with, say what\n"
                              "              was found and exit: 0 all intact, 1 a deal was changed, 2 the deal\n"
                              "              file cannot be read.\n"
                              "Qt's own options, such as -platform offscreen or -style Fusion, work as usual.\n"
                              "\n"
                              "Quorvel keeps its files in %1\n"
                              "  data/       products.mdb, vehicles.mdb, preferences.mdb: the catalogue, the package\n"
                              "              templates and the settings (made with samples on the first start);\n"
                              "              deals.mdb: every customer's choice as saved\n"
                              "  webpages/   the sample products' web pages\n"
                              "  printouts/  printed deals and lists as PDF files when there is no printer\n"
                              "Back up data/ (and webpages/) while Quorvel is closed.\n")
        .arg(folder);
}

std::optional<int> beforeWindows(int argc, char *argv[]) {
    Action action = Action::Start;
    const char *pagesFolder = nullptr;
    for (int i = 1; i < argc && action == Action::Start; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            action = Action::Version;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            action = Action::Help;
        } else if (std::strcmp(argv[i], "--verify-deals") == 0) {
            action = Action::VerifyDeals;
        } else if (std::strcmp(argv[i], "--write-sample-pages") == 0) {
            action = Action::WritePages;
            pagesFolder = i + 1 < argc ? argv[i + 1] : nullptr;
        }
    }
    if (action == Action::Start)
        return std::nullopt;

    // The folder decision reads the executable's path and the application's name.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    translation::install(app);
    switch (action) {
    case Action::Version:
        out(stdout, versionText());
        return 0;
    case Action::Help:
        out(stdout, helpText());
        return 0;
    case Action::WritePages: {
        if (!pagesFolder || !*pagesFolder) {
            out(stderr, QCoreApplication::translate("commandline",
                                                    "Quorvel: --write-sample-pages needs the folder to write into.\n"));
            return 2;
        }
        QString why;
        if (!firststart::writeSamplePages(QString::fromLocal8Bit(pagesFolder), &why)) {
            out(stderr, QCoreApplication::translate("commandline",
                                                    "Quorvel: the sample pages could not be written into %1 (%2).\n")
                            .arg(QString::fromLocal8Bit(pagesFolder), why));
            return 1;
        }
        return 0;
    }
    case Action::VerifyDeals: {
        QString said;
        const int status = verifyDeals(programlocation::decide(programlocation::current()), &said);
        out(status == 2 ? stderr : stdout, (status == 2 ? QStringLiteral("Quorvel: ") : QString()) + said + u'\n');
        return status;
    }
    case Action::Start:
        break;
    }
    return std::nullopt;
}

int verifyDeals(const QString &programFolder, QString *said) {
    const SealCheck check =
        DealArchive::verifyFile(QDir(folders::data(programFolder)).filePath(DealArchive::fileName()));
    if (said)
        *said = check.message();
    switch (check.result) {
    case SealCheck::Intact:
        return 0;
    case SealCheck::Broken:
        return 1;
    case SealCheck::Unreadable:
        break;
    }
    return 2;
}

std::optional<int> rejectLeftovers(const QStringList &arguments) {
    if (arguments.size() < 2)
        return std::nullopt;
    const QString &first = arguments.at(1);
    const QString what = first.startsWith(QLatin1Char('-'))
                             ? QCoreApplication::translate("commandline", "unknown option")
                             : QCoreApplication::translate("commandline", "unexpected argument");
    out(stderr,
        QCoreApplication::translate("commandline", "Quorvel: %1 \"%2\". Run quorvel --help to see the options.\n")
            .arg(what, first));
    return 2;
}

} // namespace commandline
