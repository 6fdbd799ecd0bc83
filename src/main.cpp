#include "app/commandline.h"
#include "app/startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[]) {
    if (const std::optional<int> status = commandline::beforeWindows(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setQuitOnLastWindowClosed(false);
    if (const std::optional<int> status = commandline::rejectLeftovers(QCoreApplication::arguments()))
        return *status;
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quorvel-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    return startup::run(app);
}
