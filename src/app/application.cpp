#include "app/application.h"

#include "core/store/firststart.h"
#include "ui/print/qtprinterdevice.h"

#include <QDir>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

Application::Application(QString programFolder, QObject *parent)
    : Program(std::move(programFolder), parent) {
    setDatabaseErrorHandler([](const QString &what) {
        const QString text = tr("A data file could not be read or written, so Quorvel has to close.\n\n%1").arg(what);
        std::fprintf(stderr, "Quorvel: %s\n", qPrintable(text));
        QMessageBox box(QMessageBox::Critical, tr("Quorvel"), text, QMessageBox::Ok);
        box.setObjectName(QStringLiteral("messagebox"));
        box.exec();
        // Quick exit: SQLite's journal undoes any write that was under way.
        std::_Exit(2);
    });
    setPrinterDeviceMaker([this] { return std::make_unique<QtPrinterDevice>(printoutsFolder()); });
}

bool Application::start(QString *why) {
    if (!QDir(dataFolder()).exists()) {
        QString reason;
        if (!firststart::createDataFolder(programFolder(), &reason)) {
            if (why)
                *why = tr("Quorvel could not create its data folder.\n\n%1").arg(reason);
            return false;
        }
    }
    if (!store().open(why))
        return false;
    reloadSettings();
    return true;
}

