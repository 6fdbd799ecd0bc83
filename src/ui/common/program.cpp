#include "ui/common/program.h"

#include "core/print/printer.h"
#include "ui/common/prompts.h"
#include "core/print/recordingdevice.h"
#include "core/store/folders.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>

Program::Program(QString programFolder, QObject *parent)
    : QObject(parent), m_folder(std::move(programFolder)), m_store(folders::data(m_folder)) {
    // The settings held for the run are the stored ones, whichever window wrote them or drew an id.
    connect(&m_store.events(), &StoreEvents::settingsChanged, this, &Program::reloadSettings);
}

Program::~Program() {
    closeAllWindows();
    m_store.close();
}

QString Program::dataFolder() const { return folders::data(m_folder); }
QString Program::webpagesFolder() const { return folders::webpages(m_folder); }
QString Program::printoutsFolder() const { return folders::printouts(m_folder); }

void Program::reloadSettings() { m_settings = m_store.settings().read(); }

bool Program::saveSettings(const Settings &settings) { return m_store.settings().write(settings); }

std::optional<qint32> Program::drawId(Counter counter, QWidget *parent) {
    const SettingsRepository::Drawn drawn = m_store.settings().draw(counter);
    if (drawn.exhausted) {
        prompts::notice(counter == Counter::Products
                            ? tr("No new product can be added: every product number has been used.")
                            : tr("No new package template can be added: every template number has "
                                 "been used."),
                        parent);
        return std::nullopt;
    }
    return drawn.id;
}

void Program::setDatabaseErrorHandler(Store::ErrorHandler handler) {
    m_store.setErrorHandler([this, handler = std::move(handler)](const QString &what) {
        ++m_failuresTold;
        if (handler)
            handler(what);
    });
}

Printer &Program::printer() {
    if (!m_printer) {
        std::unique_ptr<PrinterDevice> device =
            m_deviceMaker ? m_deviceMaker() : std::make_unique<RecordingDevice>();
        m_printer = std::make_unique<Printer>(std::move(device));
    }
    return *m_printer;
}

void Program::installPrinterDevice(std::unique_ptr<PrinterDevice> device) {
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

bool Program::openExternally(const QString &target) {
    const QUrl url = externalUrl(target);
    return m_opener ? m_opener(url) : QDesktopServices::openUrl(url);
}

void Program::showHome() {
    if (m_home)
        bringUp(m_home());
}

bool Program::anyWindowShown() const {
    for (const QPointer<QWidget> &w : m_windows)
        if (w && w->isVisible())
            return true;
    return false;
}

void Program::bringUp(QWidget *window) {
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void Program::quit() {
    emit leaving();
    QCoreApplication::exit(0);
}

void Program::closeAllWindows() {
    // Guarded: closing one window may take another with it.
    QList<QPointer<QWidget>> windows;
    for (const QPointer<QWidget> &w : std::as_const(m_windows))
        windows << w;
    m_windows.clear();
    for (const QPointer<QWidget> &w : windows)
        delete w.data();
}
