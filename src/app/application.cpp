#include "app/application.h"

#include "core/store/firststart.h"
#include "ui/common/prompts.h"
#include "ui/common/serveraccount.h"
#include "ui/print/qtprinterdevice.h"

#include <QAbstractButton>
#include <QDir>
#include <QInputDialog>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace {
// libpq's words when the server wants a password: none was given or found in the password file, or it was wrong.
bool wantsPassword(const QString &reason) {
    return reason.contains(QLatin1String("no password supplied")) ||
           reason.contains(QLatin1String("password authentication failed"));
}

// What the server said, without the connection's name before it or the statement after it.
QString reasonOf(const Store &store, const QString &what) {
    QString reason = what;
    if (const QString named = store.server()->label() + QStringLiteral(": "); reason.startsWith(named))
        reason.remove(0, named.size());
    reason = reason.section(QLatin1Char('\n'), 0, 0).trimmed();
    // libpq's severity word says nothing to a user.
    if (reason.startsWith(QLatin1String("ERROR:")))
        reason = reason.mid(6).trimmed();
    return reason;
}
} // namespace

Application::Application(QString programFolder, QObject *parent) : Program(std::move(programFolder), parent) {
    setDatabaseErrorHandler([this](const QString &what) {
        // The server's transaction undoes the write, and nothing on this computer is at risk: the windows keep
        // what they show and the next action connects again. A write the server refuses (a desk's login
        // changing the catalogue) is told the same way.
        if (store().server()) {
            QString text =
                (store().connectionLost() ? tr("The dealership server could not be reached, so nothing was saved: %1")
                                          : tr("The dealership server refused this, so nothing was saved: %1"))
                    .arg(reasonOf(store(), what));
            // The login's privileges changed during the run, or the windows were not told of them.
            if (!store().connectionLost() && what.contains(QLatin1String("(42501)")))
                text += QStringLiteral(". ") + serveraccount::mayNotChange();
            std::fprintf(stderr, "Quorvel: %s\n", qPrintable(text));
            prompts::error(text);
            return;
        }
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
    if (!store().server() && !QDir(dataFolder()).exists()) {
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

bool Application::startAsking(QString *why) {
    for (;;) {
        if (start(why))
            return true;
        std::optional<ServerAddress> server = store().server();
        if (!server)
            return false;
        if (wantsPassword(*why)) {
            bool given = false;
            const QString password = QInputDialog::getText(
                nullptr, tr("Dealership Server"),
                tr("The password of %1 on the dealership server %2:").arg(server->user, server->label()),
                QLineEdit::Password, QString(), &given);
            if (!given) {
                why->clear();
                return false;
            }
            server->password = password;
            store().setServer(server);
            continue;
        }
        if (!store().connectionLost())
            return false;
        QMessageBox box(QMessageBox::Warning, tr("Quorvel"),
                        tr("Quorvel could not reach the dealership server %1: %2")
                            .arg(server->host.isEmpty() ? QStringLiteral("localhost") : server->host, *why),
                        QMessageBox::Ok | QMessageBox::Cancel);
        box.setObjectName(QStringLiteral("messagebox"));
        box.button(QMessageBox::Ok)->setText(tr("Retry"));
        box.button(QMessageBox::Cancel)->setText(tr("Quit"));
        if (box.exec() != QMessageBox::Ok) {
            why->clear();
            return false;
        }
    }
}
