#include "app/application.h"
#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/passworddialog.h"
#include "app/programlocation.h"
#include "app/translation.h"
#include "ui/prefs/serverchoice.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>

int main(int argc, char *argv[]) {
    std::optional<ServerAddress> server;
    if (const std::optional<int> status = commandline::beforeWindows(argc, argv, &server))
        return *status;
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setQuitOnLastWindowClosed(false);
    translation::install(qtApp);
    if (const std::optional<int> status = commandline::rejectLeftovers(QCoreApplication::arguments()))
        return *status;
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quorvel-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    Application app(programlocation::decide(programlocation::current()));
    app.store().setServer(server ? server : serverchoice::remembered());
    app.setHomeWindow<MainWindow>();
    QString why;
    if (!app.startAsking(&why)) {
        if (why.isEmpty()) // the user chose to quit
            return 1;
        std::fprintf(stderr, "Quorvel: %s\n", qPrintable(why));
        QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("main", "Quorvel"), why, QMessageBox::Ok);
        box.setObjectName(QStringLiteral("messagebox"));
        box.exec();
        return 1;
    }
    app.window<PasswordDialog>()->begin();
    return QApplication::exec();
}
