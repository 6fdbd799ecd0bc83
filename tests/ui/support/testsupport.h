#pragma once
// Shared help for the window tests: a fresh program folder, answering boxes, controls by name, PDFs read back.

// Every window and printout the tests drive, so a test program needs only this header.
#include "app/application.h"
#include "app/mainwindow.h"
#include "app/passworddialog.h"
#include "core/deal/dealpage.h"
#include "core/print/acceptanceprintout.h"
#include "core/print/dealprintout.h"
#include "core/print/printer.h"
#include "core/print/recordingdevice.h"
#include "core/store/database.h"
#include "core/store/firststart.h"
#include "core/store/schema.h"
#include "coresupport.h"
#include "dealfixture.h"
#include "ui/catalogue/producteditor.h"
#include "ui/catalogue/productgrid.h"
#include "ui/catalogue/productlist.h"
#include "ui/common/geometry.h"
#include "ui/common/prompts.h"
#include "ui/common/windowfit.h"
#include "ui/deal/dealchoice.h"
#include "ui/deal/dealpresentation.h"
#include "ui/deal/dealview.h"
#include "ui/deal/dealworksheet.h"
#include "ui/history/dealhistory.h"
#include "ui/history/dealreport.h"
#include "ui/packages/templateeditor.h"
#include "ui/packages/templatelist.h"
#include "ui/prefs/preferencesdialog.h"
#include "ui/print/printpreview.h"
#include "ui/print/qtprinterdevice.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace testsupport {

// A temporary program folder with its own data/, and the program started on it (the main window is
// its home window; no window is shown yet). The helpers below, and app(), act on the folder made last.
class ProgramFolder {
public:
    enum class Content { Empty, Samples };
    explicit ProgramFolder(Content content = Content::Empty);
    ~ProgramFolder();
    QString path() const { return m_dir.path(); }
    QString dataFile(const QString &name) const;
    Application &app() { return *m_app; }
    // Ends the program and starts it again on the same folder, as a user closing and reopening it.
    void restart();
    // Database failures reported during the test (none expected in most tests).
    QStringList &databaseErrors() { return m_errors; }

private:
    bool start(QString *why);
    QTemporaryDir m_dir;
    QStringList m_errors;
    std::unique_ptr<Application> m_app;
};

Application &app();

// Stores a product straight into the catalogue file; returns its id.
int addProduct(const QString &name, double cost, double msrp, const QString &description = QString(),
               const QString &htmlpath = QString(), int id = -1);
// Stores a template; `slots` holds up to 40 product ids, package by package. Returns its id.
int addTemplate(const QString &name, const QString &notes, const QList<int> &menu = {},
                const QStringList &packageNames = {}, int id = -1);
// Sets fields of the settings record and re-reads the settings.
void setSettings(const QVariantMap &fields);
inline void setSetting(const QString &field, const QVariant &value) { setSettings({{field, value}}); }
QVariant storedSetting(const QString &field);
// Runs a query on one of the three files and returns the first column of every row.
QVariantList column(const QString &file, const QString &sql);

struct BoxSeen {
    QString title;
    QString text;
};

// Answers every box that appears while `action` runs, in turn, with the given answers (the last one
// repeats); returns what they said.
QList<BoxSeen> answeringBoxes(const std::function<void()> &action, const QList<bool> &answers = {true});
// The same, each box as "title: text".
QStringList said(const std::function<void()> &action, const QList<bool> &answers = {true});
QStringList said(QWidget *window, const QString &button, const QList<bool> &answers = {true}); // on a click
// From now on the program prints on a recording printer, which it owns.
RecordingDevice *recordPrinting();
// What a recording printer was given, one operation a line (kind, page, orientation, place, font, text).
QStringList printedLines(const RecordingDevice &device);

// Finds a child by object name; fails the test with a clear message when missing.
QWidget *control(QWidget *window, const QString &name);
template <class T> T *control(QWidget *window, const QString &name) {
    QWidget *w = control(window, name);
    T *t = qobject_cast<T *>(w);
    if (!t)
        qWarning("control %s of %s is not of the expected kind", qPrintable(name), qPrintable(window->objectName()));
    return t;
}
// The text a control shows (a multi-line box's with its line breaks as typed).
QString textOf(QWidget *window, const QString &name);
// Clicks a button by object name; fails clearly when it is missing, hidden or disabled.
bool click(QWidget *window, const QString &name);
// Types into a box as a user would: focus, select all, type; Return between the lines of a multi-line box.
void type(QWidget *window, const QString &name, const QString &text);
// Chooses an entry of a drop-down list as a user does: opens the list and clicks the entry.
bool chooseRow(QComboBox *box, int row);
bool choose(QComboBox *box, const QString &text);
// The list of slot `s` of package `p` on the worksheet or the template editor; `kind` "cost" or "id" for the
// columns beside it.
QComboBox *slotBox(QWidget *window, int p, int s, const QString &kind = QString());
bool chooseProduct(QWidget *window, int p, int s, const QString &name);
// Ticks or clears an option as the user does: a click on its box, not on the space beside its caption.
bool tick(QWidget *window, const QString &name, bool on = true);
// The file dialogs, opening and saving, answer `path`.
void answerFileDialogs(const QString &path);
// Triggers an item of the main window's menu; returns the window it brought up.
template <class W> W *fromMenu(const QString &item) {
    QAction *action = app().window<MainWindow>()->findChild<QAction *>(item);
    if (!action || !action->isEnabled())
        return nullptr;
    action->trigger();
    return app().existing<W>();
}
// Closes every top-level window and lets deferred deletes run.
void closeAllWindows();
// The deal worksheet as the main window opens it, in front (an empty catalogue's message answered).
DealWorksheet *openWorksheet();
// Types into a box, then moves on to another box as a user does.
void typeAndLeave(QWidget *window, const QString &name, const QString &text);

// A printer device writing the PDF `file`, unable to print within `margins` of the sheet's edge; what it
// reports goes to `reporter`.
std::unique_ptr<QtPrinterDevice> pdfDevice(
    const QString &file, const QMarginsF &margins = {},
    QtPrinterDevice::Reporter reporter = [](bool, const QString &) {});

// The pages and words of a PDF as poppler's pdftotext reads them, in millimetres from the sheet's corner.
bool havePdfReader();
struct PdfWord {
    int page; // from 1
    QString text;
    double left, top, right, bottom;
    bool operator==(const PdfWord &o) const {
        return page == o.page && text == o.text && left == o.left && top == o.top && right == o.right &&
               bottom == o.bottom;
    }
};
struct Pdf {
    explicit Pdf(const QString &path);
    QList<QSizeF> pages;
    QList<PdfWord> words;
    const PdfWord *find(const QString &text) const;
    // The words, left to right, of the line whose first word is `first` (on `page`; 0: the first found).
    QList<PdfWord> lineWords(const QString &first, int page = 0) const;
    QStringList line(const QString &first, int page = 0) const;
};

} // namespace testsupport
