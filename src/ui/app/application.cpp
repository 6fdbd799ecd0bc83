#include "ui/app/application.h"

#include "core/print/printer.h"
#include "core/store/firststart.h"
#include "ui/app/prompts.h"
#include "ui/print/qtprinterdevice.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>

Application::Application(QString programFolder, QObject *parent)
    : QObject(parent), m_folder(std::move(programFolder)), m_store(QDir(m_folder).filePath(QStringLiteral("data"))) {
    setDatabaseErrorHandler([](const QString &what) {
        const QString text =
            QStringLiteral("A data file could not be read or written, so Quorvel has to close.\n\n%1").arg(what);
        std::fprintf(stderr, "Quorvel: %s\n", qPrintable(text));
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Quorvel"), text, QMessageBox::Ok);
        box.setObjectName(QStringLiteral("messagebox"));
        box.exec();
        // Quick exit: SQLite's journal undoes any write that was under way.
        std::_Exit(2);
    });
    // The settings held for the run are the stored ones, whichever window wrote them or drew an id.
    connect(&m_store.events(), &StoreEvents::settingsChanged, this, &Application::reloadSettings);
}

Application::~Application() {
    closeAllWindows();
    m_store.close();
}

QString Application::dataFolder() const { return QDir(m_folder).filePath(QStringLiteral("data")); }
QString Application::webpagesFolder() const { return QDir(m_folder).filePath(QStringLiteral("webpages")); }
QString Application::printoutsFolder() const { return QDir(m_folder).filePath(QStringLiteral("printouts")); }

bool Application::start(QString *why) {
    if (!QDir(dataFolder()).exists()) {
        QString reason;
        if (!firststart::createDataFolder(m_folder, &reason)) {
            if (why)
                *why = QStringLiteral("Quorvel could not create its data folder.\n\n%1").arg(reason);
            return false;
        }
    }
    if (!m_store.open(why))
        return false;
    reloadSettings();
    return true;
}

void Application::reloadSettings() { m_settings = m_store.settings().read(); }

bool Application::saveSettings(const Settings &settings) { return m_store.settings().write(settings); }

std::optional<qint32> Application::drawId(Counter counter, QWidget *parent) {
    const SettingsRepository::Drawn drawn = m_store.settings().draw(counter);
    if (drawn.exhausted) {
        prompts::notice(counter == Counter::Products
                            ? QStringLiteral("No new product can be added: every product number has been used.")
                            : QStringLiteral("No new package template can be added: every template number has "
                                             "been used."),
                        parent);
        return std::nullopt;
    }
    return drawn.id;
}

void Application::setDatabaseErrorHandler(Store::ErrorHandler handler) { m_store.setErrorHandler(std::move(handler)); }

Printer &Application::printer() {
    if (!m_printer) {
        auto device = std::make_unique<QtPrinterDevice>(printoutsFolder());
        m_printer = std::make_unique<Printer>(std::move(device));
    }
    return *m_printer;
}

void Application::installPrinterDevice(std::unique_ptr<PrinterDevice> device) {
    m_printer = std::make_unique<Printer>(std::move(device));
}

QUrl externalUrl(const QString &target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    // "C:\..." style paths have a one-letter "scheme"; the pattern above needs two letters.
    if (scheme.match(target).hasMatch())
        return QUrl(target, QUrl::TolerantMode);
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + target, QUrl::TolerantMode);
    return QUrl::fromLocalFile(target);
}

bool Application::openExternally(const QString &target) {
    const QUrl url = externalUrl(target);
    return m_opener ? m_opener(url) : QDesktopServices::openUrl(url);
}

void Application::showHome() {
    if (m_home)
        bringUp(m_home());
}

bool Application::anyWindowShown() const {
    for (const QPointer<QWidget> &w : m_windows)
        if (w && w->isVisible())
            return true;
    return false;
}

void Application::bringUp(QWidget *window) {
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void Application::quit() {
    emit leaving();
    QCoreApplication::exit(0);
}

void Application::closeAllWindows() {
    // Guarded: closing one window may take another with it.
    QList<QPointer<QWidget>> windows;
    for (const QPointer<QWidget> &w : std::as_const(m_windows))
        windows << w;
    m_windows.clear();
    for (const QPointer<QWidget> &w : windows)
        delete w.data();
}
