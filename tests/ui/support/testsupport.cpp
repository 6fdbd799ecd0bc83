#include "testsupport.h"

namespace testsupport {

namespace {
ProgramFolder *&current() {
    static ProgramFolder *folder = nullptr;
    return folder;
}
} // namespace

ProgramFolder::ProgramFolder(Content content) {
    current() = this;
    QApplication::setQuitOnLastWindowClosed(false); // as the program's main sets it: closing a window is not the end
    // What the windows remember (size and place) goes into this folder, never the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QDir(m_dir.path()).filePath(QStringLiteral("settings")));
    QString why;
    const bool made = content == Content::Samples ? firststart::createDataFolder(m_dir.path(), &why)
                                                  : firststart::createEmptyDataFolder(m_dir.path(), &why);
    if (!made || !start(&why))
        qWarning("program folder not ready: %s", qPrintable(why));
}

bool ProgramFolder::start(QString *why) {
    m_app = std::make_unique<Application>(m_dir.path());
    m_app->setHomeWindow<MainWindow>();
    m_app->setDatabaseErrorHandler([this](const QString &what) {
        qWarning("database error: %s", qPrintable(what));
        m_errors << what;
    });
    return m_app->start(why);
}

void ProgramFolder::restart() {
    closeAllWindows();
    m_app.reset();
    QString why;
    if (!start(&why))
        qWarning("program did not start again: %s", qPrintable(why));
}

ProgramFolder::~ProgramFolder() {
    closeAllWindows();
    m_app.reset();
    if (current() == this)
        current() = nullptr;
}

QString ProgramFolder::dataFile(const QString &name) const {
    return QDir(m_dir.path()).filePath(QStringLiteral("data/") + name);
}

Application &app() { return current()->app(); }

int addProduct(const QString &name, double cost, double msrp, const QString &description, const QString &htmlpath,
               int id) {
    // Drawn through the program, so the counter it holds stays the stored one.
    if (id < 0)
        id = app().drawId(Counter::Products, nullptr).value_or(0);
    return coretest::addProduct(app().store(), name, cost, msrp, description, htmlpath, id);
}

int addTemplate(const QString &name, const QString &notes, const QList<int> &menu, const QStringList &packageNames,
                int id) {
    if (id < 0)
        id = app().drawId(Counter::Templates, nullptr).value_or(0);
    return coretest::addTemplate(app().store(), name, notes, menu, packageNames, id);
}

void setSettings(const QVariantMap &fields) {
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        app().store().settingsFile().exec(QStringLiteral("update [table] set [%1]=?").arg(it.key()), {it.value()});
    app().reloadSettings();
}

QVariant storedSetting(const QString &field) {
    return column(schema::preferencesFile(), QStringLiteral("select [%1] from [table]").arg(field)).value(0);
}

QVariantList column(const QString &file, const QString &sql) {
    Database db; // a connection of its own, as another program reading the file
    return db.open(QDir(app().dataFolder()).filePath(file)) ? coretest::column(db, sql) : QVariantList();
}

QList<BoxSeen> answeringBoxes(const std::function<void()> &action, const QList<bool> &answers) {
    QList<BoxSeen> seen;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&seen, &answers] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        const bool accept = answers.isEmpty() || answers.value(seen.size(), answers.last());
        seen.append({box->windowTitle(), box->text()});
        if (QAbstractButton *button = box->button(accept ? QMessageBox::Ok : QMessageBox::Cancel))
            button->click();
        else
            box->reject();
    });
    timer.start();
    action();
    timer.stop();
    return seen;
}

QStringList said(const std::function<void()> &action, const QList<bool> &answers) {
    QStringList texts;
    for (const BoxSeen &box : answeringBoxes(action, answers))
        texts << box.title + QStringLiteral(": ") + box.text;
    return texts;
}

QStringList said(QWidget *window, const QString &button, const QList<bool> &answers) {
    return said([&] { click(window, button); }, answers);
}

RecordingDevice *recordPrinting() {
    auto *device = new RecordingDevice;
    app().installPrinterDevice(std::unique_ptr<PrinterDevice>(device));
    return device;
}

QStringList printedLines(const RecordingDevice &device) {
    QStringList lines;
    for (const RecordingDevice::Operation &o : device.operations())
        QDebug(&lines.emplace_back()).noquote() << int(o.kind) << o.page << o.orientation << o.x << o.y << o.x2 << o.y2
                                                << o.font.size << o.font.bold << o.text;
    return lines;
}

QWidget *control(QWidget *window, const QString &name) {
    QWidget *w = window ? window->findChild<QWidget *>(name) : nullptr;
    if (!w)
        qWarning("window %s has no control named %s", window ? qPrintable(window->objectName()) : "(none)",
                 qPrintable(name));
    return w;
}

QString textOf(QWidget *window, const QString &name) {
    QWidget *c = control(window, name);
    return c ? c->property(c->inherits("QPlainTextEdit") ? "plainText" : "text").toString() : QString();
}

bool click(QWidget *window, const QString &name) {
    auto *b = qobject_cast<QAbstractButton *>(control(window, name));
    if (!b || !b->isEnabled()) {
        qWarning("%s is not a button, or is disabled", qPrintable(name));
        return false;
    }
    QTest::mouseClick(b, Qt::LeftButton);
    return true;
}

void type(QWidget *window, const QString &name, const QString &text) {
    QWidget *box = control(window, name);
    if (!box)
        return;
    box->setFocus();
    QMetaObject::invokeMethod(box, "selectAll");
    QTest::keyClick(box, Qt::Key_Delete);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(box, Qt::Key_Return);
        const bool ascii = std::all_of(lines[i].begin(), lines[i].end(), [](QChar c) { return c.unicode() < 0x7f; });
        if (ascii)
            QTest::keyClicks(box, lines[i]);
        else // beyond the keys Qt Test knows: the text as one key's, as an input method gives it
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, lines[i], Qt::NoModifier);
    }
}

bool chooseRow(QComboBox *box, int row) {
    if (!box || row < 0 || row >= box->count())
        return false;
    box->showPopup();
    QAbstractItemView *view = box->view();
    if (!QTest::qWaitForWindowExposed(view->window()))
        return false;
    const QModelIndex index = view->model()->index(row, box->modelColumn(), view->rootIndex());
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return QTest::qWaitFor([view] { return !view->isVisible(); }) && box->currentIndex() == row;
}

bool choose(QComboBox *box, const QString &text) {
    return box && chooseRow(box, box->findText(text, Qt::MatchExactly));
}

QComboBox *slotBox(QWidget *window, int p, int s, const QString &kind) {
    return control<QComboBox>(window, QStringLiteral("menu%1%2(%3)").arg(p).arg(kind).arg(s));
}

bool chooseProduct(QWidget *window, int p, int s, const QString &name) { return choose(slotBox(window, p, s), name); }

bool tick(QWidget *window, const QString &name, bool on) {
    auto *box = qobject_cast<QAbstractButton *>(control(window, name));
    if (box && box->isEnabled() && box->isChecked() != on)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    return box && box->isEnabled() && box->isChecked() == on;
}

void answerFileDialogs(const QString &path) {
    auto chooser = [path](QWidget *, const QString &, const QString &, const QString &) { return path; };
    app().setFileChooser(chooser);
    app().setSaveChooser(chooser);
}

void closeAllWindows() {
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->parentWidget())
            continue;
        w->hide();
        w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

DealWorksheet *openWorksheet() {
    MainWindow *main = app().window<MainWindow>();
    main->show();
    answeringBoxes([main] { click(main, u"Command3"_s); });
    DealWorksheet *w = app().existing<DealWorksheet>();
    return w && w->isVisible() && (w->activateWindow(), QTest::qWaitForWindowActive(w)) ? w : nullptr;
}

void typeAndLeave(QWidget *window, const QString &name, const QString &text) {
    window->activateWindow(); // a message box may have had the focus
    (void)QTest::qWaitForWindowActive(window);
    type(window, name, text);
    QTest::mouseClick(control(window, name == "customername"_L1 ? u"stocknumber"_s : u"customername"_s),
                      Qt::LeftButton);
}

std::unique_ptr<QtPrinterDevice> pdfDevice(const QString &file, const QMarginsF &margins,
                                           QtPrinterDevice::Reporter reporter) {
    auto device = std::make_unique<QtPrinterDevice>(QFileInfo(file).path());
    device->setOutputFile(file);
    if (!margins.isNull())
        device->setPdfMarginsMm(margins);
    device->setReporter(std::move(reporter));
    return device;
}

bool havePdfReader() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

Pdf::Pdf(const QString &path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    process.waitForFinished(60000);
    constexpr double mm = 25.4 / 72.0;
    static const QRegularExpression token(
        QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                       "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = token.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty())
            pages.append(QSizeF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm));
        else
            words.append({int(pages.size()), m.captured(7).replace(QStringLiteral("&amp;"), QStringLiteral("&")),
                          m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm, m.captured(5).toDouble() * mm,
                          m.captured(6).toDouble() * mm});
    }
}

const PdfWord *Pdf::find(const QString &text) const {
    for (const PdfWord &w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

QList<PdfWord> Pdf::lineWords(const QString &first, int page) const {
    for (const PdfWord &start : words) {
        if (start.text != first || (page && start.page != page))
            continue;
        QList<PdfWord> on;
        for (const PdfWord &w : words)
            if (w.page == start.page && std::abs(w.top - start.top) < 0.8 && w.left >= start.left - 0.01)
                on << w;
        std::sort(on.begin(), on.end(), [](const PdfWord &a, const PdfWord &b) { return a.left < b.left; });
        return on;
    }
    return {};
}

QStringList Pdf::line(const QString &first, int page) const {
    QStringList out;
    for (const PdfWord &w : lineWords(first, page))
        out << w.text;
    return out;
}

} // namespace testsupport
