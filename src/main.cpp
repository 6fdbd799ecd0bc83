#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/app/passworddialog.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

int main(int argc, char *argv[]) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setQuitOnLastWindowClosed(false);

    Application app(QCoreApplication::applicationDirPath());
    app.setHomeWindow<MainWindow>();
    QString why;
    if (!app.start(&why)) {
        std::fprintf(stderr, "Quorvel: %s\n", qPrintable(why));
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Quorvel"), why, QMessageBox::Ok);
        box.setObjectName(QStringLiteral("messagebox"));
        box.exec();
        return 1;
    }
    app.window<PasswordDialog>()->begin();
    return QApplication::exec();
}
