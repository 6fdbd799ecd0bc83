#include "startup.h"

#include "core/store/database.h"
#include "core/store/firststart.h"
#include "ui/app/module1.h"
#include "ui/app/security.h"
#include "ui/app/windows.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace startup {

namespace {
void fatal(const QString &text) {
    std::fprintf(stderr, "Quorvel: %s\n", qPrintable(text));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Quorvel"), text, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("messagebox"));
    box.exec();
}
} // namespace

bool begin(QString *why) {
    if (!QDir(Module1::dataFolder()).exists()) {
        QString reason;
        if (!firststart::createDataFolder(Module1::programFolder(), &reason)) {
            if (why)
                *why = QStringLiteral("Quorvel could not create its data folder.\n\n%1").arg(reason);
            return false;
        }
    }
    return SingleWindow<security>::instance()->load(why);
}

int run(QApplication &app) {
    // A failing database during the run is shown, then the program ends; every store is one statement
    // or transaction, so nothing is left half-written.
    setDatabaseErrorHandler([](const QString &what) {
        fatal(QStringLiteral("A data file could not be read or written, so Quorvel has to close.\n\n%1").arg(what));
        // Quick exit: SQLite's journal undoes any write that was under way.
        std::_Exit(2);
    });
    QString why;
    if (!begin(&why)) {
        fatal(why);
        Module1::closedatabases();
        return 1;
    }
    const int status = app.exec();
    // The databases are closed while the application object still exists.
    // Guarded: closing one window may take another with it.
    QList<QPointer<QWidget>> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            windows << w;
    for (const QPointer<QWidget> &w : windows)
        delete w.data();
    Module1::closedatabases();
    return status;
}

} // namespace startup
