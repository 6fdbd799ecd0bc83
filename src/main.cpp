#include "app/commandline.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    if (const std::optional<int> status = commandline::beforeWindows(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setQuitOnLastWindowClosed(false);
    if (const std::optional<int> status = commandline::rejectLeftovers(QCoreApplication::arguments()))
        return *status;
    return startup::run(app);
}
