#pragma once
// The running program as every window meets it: its folder, the open store, the settings held for the run,
// the printer, and the windows that exist at most once. Handed to every window; nothing else holds state for
// the whole run. The program's start (first start, the real printer, what a failed data file does) is added
// above the windows, in app/application.h.

#include "core/store/settings.h"
#include "core/store/store.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

class Printer;
class PrinterDevice;

class Program : public QObject {
    Q_OBJECT
public:
    explicit Program(QString programFolder, QObject *parent = nullptr);
    ~Program() override;

    QString programFolder() const { return m_folder; }
    QString dataFolder() const;
    QString webpagesFolder() const;
    QString printoutsFolder() const;

    Store &store() { return m_store; }

    const Settings &settings() const { return m_settings; }
    // Reads the settings record again (every setting held is replaced). Done whenever the store announces
    // that the settings changed; a write from outside the store (a test's) calls it itself.
    void reloadSettings();
    // Writes every setting; the settings held follow as stored. A counter is never lowered below the stored one.
    bool saveSettings(const Settings &settings);
    // Draws the next id of a counter (the settings are re-read with it). Tells the user, over `parent`,
    // when every id has been used; nothing is stored then.
    std::optional<qint32> drawId(Counter counter, QWidget *parent);

    // What happens when a data file fails during the run (the running program tells the user and ends, or on a
    // server tells and goes on; tests record the failure instead).
    void setDatabaseErrorHandler(Store::ErrorHandler handler);
    // How many failures the handler has been told of: a window whose write failed knows whether the user has
    // heard why.
    int failuresTold() const { return m_failuresTold; }

    // The program's printer, made on first use from the device maker (the running program's is the real
    // printer; without one, what is printed is only recorded), unless a device has been put in place.
    Printer &printer();
    void installPrinterDevice(std::unique_ptr<PrinterDevice> device);
    void setPrinterDeviceMaker(std::function<std::unique_ptr<PrinterDevice>()> maker) {
        m_deviceMaker = std::move(maker);
    }

    // Opens a document or address with the program the desktop associates with it; false when the desktop
    // could not (most callers ignore this).
    bool openExternally(const QString &target);
    // Tests watch what would be opened instead of starting a browser. An opener may answer whether it could
    // open the target; one that answers nothing opens everything.
    template <class Opener> void setExternalOpener(Opener opener) {
        if constexpr (std::is_void_v<std::invoke_result_t<Opener &, const QUrl &>>)
            m_opener = [opener = std::move(opener)](const QUrl &url) mutable {
                opener(url);
                return true;
            };
        else
            m_opener = std::move(opener);
    }

    // The file-open dialog's stand-in: returns the chosen file's full path, "" when cancelled.
    using FileChooser =
        std::function<QString(QWidget *parent, const QString &folder, const QString &title, const QString &filter)>;
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    const FileChooser &fileChooser() const { return m_chooser; }
    // The file-save dialog's stand-in: returns the full path to write, "" when cancelled. `folder` is the
    // suggested file's full path.
    void setSaveChooser(FileChooser chooser) { m_saveChooser = std::move(chooser); }
    const FileChooser &saveChooser() const { return m_saveChooser; }

    // The windows that exist at most once: created on first use, destroyed when unloaded.
    template <class W> W *window() {
        QPointer<QWidget> &slot = m_windows[&W::staticMetaObject];
        if (!slot)
            slot = new W(*this);
        return static_cast<W *>(slot.data());
    }
    template <class W> W *existing() const { return static_cast<W *>(m_windows.value(&W::staticMetaObject).data()); }
    template <class W> void unload() {
        QPointer<QWidget> w = m_windows.take(&W::staticMetaObject);
        if (w) {
            w->hide();
            w->deleteLater();
        }
    }

    // The window every task returns to (the main window).
    template <class W> void setHomeWindow() {
        m_home = [this]() -> QWidget * { return window<W>(); };
    }
    void showHome();
    // Whether any of the program's windows is shown.
    bool anyWindowShown() const;
    // Shows, raises and activates a window.
    static void bringUp(QWidget *window);

    // Destroys every window still open, before the store closes.
    void closeAllWindows();

    // Ends the program; open editors first store what they show, as leaving them does.
    void quit();

signals:
    void leaving();

private:
    QString m_folder;
    Store m_store;
    Settings m_settings;
    std::unique_ptr<Printer> m_printer;
    std::function<std::unique_ptr<PrinterDevice>()> m_deviceMaker;
    std::function<bool(const QUrl &)> m_opener;
    FileChooser m_chooser;
    FileChooser m_saveChooser;
    QHash<const QMetaObject *, QPointer<QWidget>> m_windows;
    std::function<QWidget *()> m_home;
    int m_failuresTold = 0;
};

// The URL a document or address is opened as: a local path as a file URL, an address as a URL.
QUrl externalUrl(const QString &target);
