// Start-up, the password window and the main window, as a user meets them.

#include "testsupport.h"

#include <unistd.h>

using namespace testsupport;

namespace {
// Makes a file this process cannot write, even as root (immutable then), or lets it be written again.
bool setReadOnly(const QString &file, bool on) {
    if (geteuid() != 0)
        return QFile::setPermissions(file, on ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
    return QProcess::execute(u"chattr"_s, {on ? u"+i"_s : u"-i"_s, file}) == 0;
}

// A program folder whose data/ the test prepares itself, then starts the program in it.
struct Start {
    QTemporaryDir dir;
    Application program{dir.path()};
    Start() { program.setHomeWindow<MainWindow>(); }
    ~Start() { closeAllWindows(); }
};
} // namespace

class AppTest : public QObject {
    Q_OBJECT
private slots:
    void unusableDataFilesAreNamedAndLeftAlone_data() {
        QTest::addColumn<QString>("damage"); // written in its place, or run on it by another copy of the program
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("text file") << "no products\n" << schema::productsFile() << "not a database";
        QTest::newRow("missing") << "missing" << schema::vehiclesFile() << "does not exist";
        QTest::newRow("wrong table") << "" << schema::productsFile() << "no table"; // an empty database
        QTest::newRow("locked") << "BEGIN EXCLUSIVE; update [table] set notes='x'" << schema::vehiclesFile()
                                << "locked by another program";
        QTest::newRow("read-only") << "read-only" << schema::preferencesFile() << "cannot be written";
        QTest::newRow("counter out of range")
            << "update [table] set am_total=3000000000" << schema::preferencesFile() << "out of range for am_total";
        QTest::newRow("term out of range") << "update [table] set financeterm3=3000000000" << schema::preferencesFile()
                                           << "out of range for financeterm3";
    }
    void unusableDataFilesAreNamedAndLeftAlone() {
        QFETCH(QString, damage);
        QFETCH(QString, file);
        QFETCH(QString, reason);
        Start start;
        QVERIFY(firststart::createEmptyDataFolder(start.dir.path()));
        const QString path = start.dir.filePath(u"data/"_s + file);
        const bool locked = damage.startsWith("BEGIN"_L1), readOnly = damage == "read-only"_L1;
        Database other; // in the middle of a long write when it locks the file
        if (damage.contains("[table]"_L1)) {
            QVERIFY(other.open(path));
            for (const QString &statement : damage.split(u"; "_s))
                other.exec(statement);
        } else if (readOnly && !setReadOnly(path, true)) {
            QSKIP("this file system cannot make a file read-only for root");
        } else if (!readOnly) {
            QFile::remove(path);
            QVERIFY(damage == "missing"_L1 || coretest::writeBytes(path, damage.toUtf8()));
        }
        const auto writable = qScopeGuard([&] {
            if (readOnly)
                setReadOnly(path, false);
        });
        const QByteArray before = locked ? QByteArray() : coretest::bytes(path);
        QString why;
        QVERIFY(!start.program.start(&why));
        QVERIFY2(why.contains(file) && why.contains(reason), qPrintable(why));
        QCOMPARE(locked ? QByteArray() : coretest::bytes(path), before);
        QVERIFY(!start.program.existing<MainWindow>());
    }

    // A wrong password is told and cleared; the right one in any case, blanks around it, lets the user in.
    void passwordIgnoresCaseAndBlanksAround() {
        // Not protected; the right one in upper case with blanks, then in mixed case by Enter.
        for (const auto &[typed, byEnter] :
             {std::pair{QString(), false}, {u"  OPENSESAME "_s, false}, {u"oPeNsEsAmE"_s, true}}) {
            ProgramFolder folder;
            setSetting(u"password"_s, u" OpenSesame "_s);
            setSetting(u"passwordprotect"_s, typed.isEmpty() ? 0 : 1);
            PasswordDialog *window = app().window<PasswordDialog>();
            window->begin();
            if (!typed.isEmpty()) {
                QVERIFY(window->isVisible());
                QWidget *box = control(window, u"enterpassword"_s);
                type(window, u"enterpassword"_s, u"Open Sesame"_s);
                QCOMPARE(said([&] { QTest::keyClick(box, Qt::Key_Return); }),
                         QStringList{"Message: Incorrect Password"});
                QCOMPARE(control<QLineEdit>(window, u"enterpassword"_s)->text(), QString());
                QVERIFY(!app().existing<MainWindow>());
                type(window, u"enterpassword"_s, typed);
                if (byEnter)
                    QTest::keyClick(box, Qt::Key_Return);
                else
                    QVERIFY(click(window, u"Command1"_s));
            }
            QVERIFY(app().existing<MainWindow>() && app().existing<MainWindow>()->isVisible());
            QVERIFY(!window->isVisible());
        }
    }

    // Every text a user reads is looked up for translation: a translator that marks what it is asked for
    // shows up any text that slips past, in every window and on paper.
    void everyTextIsLookedUpForTranslation() {
        struct Marking : QTranslator {
            bool isEmpty() const override { return false; }
            QString translate(const char *, const char *source, const char *, int) const override {
                return u'[' + QString::fromUtf8(source) + u']';
            }
        } marking;
        QCoreApplication::installTranslator(&marking);
        const auto uninstall = qScopeGuard([&marking] { QCoreApplication::removeTranslator(&marking); });
        ProgramFolder folder(ProgramFolder::Content::Samples);
        // What shows stored data or figures rather than the program's own words.
        static const QRegularExpression data(
            u"^(Label2\\(1\\)|menuframe\\(\\d\\)|total(cost|msrp|profit|payment)\\(\\d\\)|choosepackage\\(\\d\\)|qt_.*|_q_.*)$"_s);
        QStringList unmarked;
        QSet<QString> seen;
        auto check = [&](const QString &where, const QString &text) {
            if (!text.isEmpty() && !text.startsWith(u'[') && !data.match(where).hasMatch())
                unmarked << where + u": "_s + text;
        };
        auto checkOpenWindows = [&] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (!window->isVisible())
                    continue;
                seen << window->objectName();
                check(window->objectName(), window->windowTitle());
                for (QWidget *c : window->findChildren<QWidget *>()) {
                    if (!c->isVisibleTo(window))
                        continue;
                    if (qobject_cast<QAbstractButton *>(c) || qobject_cast<QLabel *>(c))
                        check(c->objectName(), c->property("text").toString());
                    else if (auto *frame = qobject_cast<QGroupBox *>(c))
                        check(c->objectName(), frame->title());
                    else if (auto *grid = qobject_cast<QTableView *>(c))
                        for (int column = 0; column < grid->model()->columnCount(); ++column)
                            check(c->objectName(), grid->model()->headerData(column, Qt::Horizontal).toString());
                }
                for (QAction *item : window->findChildren<QAction *>())
                    check(item->objectName(), item->text());
            }
        };
        MainWindow *main = app().window<MainWindow>();
        main->show();
        app().window<PasswordDialog>()->show();
        for (const char *item : {"m_prefs", "m_aftermarket", "m_default", "m_history"})
            main->findChild<QAction *>(QLatin1String(item))->trigger();
        checkOpenWindows();
        QVERIFY(click(app().existing<ProductList>(), u"Command4"_s));  // the preview
        QVERIFY(click(app().existing<ProductList>(), u"Command1"_s));  // a new product's editor
        QVERIFY(click(app().existing<TemplateList>(), u"Command1"_s)); // a new template's editor
        QVERIFY(click(app().existing<DealHistory>(), u"Command2"_s));  // the report
        app().window<DealChoice>()->choose(coretest::sampleDeal(), nullptr);
        app().window<DealWorksheet>()->show();
        checkOpenWindows();
        RecordingDevice *paper = recordPrinting(); // the report, with no deals: every line printed is a caption
        for (const BoxSeen &box : answeringBoxes([] { click(app().existing<DealReport>(), u"Command1"_s); })) {
            check(u"messagebox"_s, box.title);
            check(u"messagebox"_s, box.text);
        }
        for (const RecordingDevice::Operation &printed : paper->texts())
            check(u"printed"_s, printed.text);
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(u'\n')));
        QCOMPARE(seen,
                 QSet<QString>({"Form1", "security", "preferences", "aftermarketlist", "printpreview", "editform",
                                "vehiclelist", "editvehicle", "dealhistory", "dealreport", "dealchoice", "makedeal"}));
        QCOMPARE(paper->documentsEnded(), 1);
    }

    // The menu brings up each window once, without a password; the small print opens the maker's address;
    // "About Quorvel" tells the version, licence and data folder; Ctrl+Q ends the program.
    void mainWindow() {
        ProgramFolder folder;
        setSetting(u"passwordprotect"_s, 1);
        QList<QUrl> opened;
        app().setExternalOpener([&opened](const QUrl &url) { opened << url; });
        MainWindow *main = app().window<MainWindow>();
        main->show();
        PreferencesDialog *first = fromMenu<PreferencesDialog>(u"m_prefs"_s);
        QVERIFY(first && first->isVisible());
        QCOMPARE(fromMenu<PreferencesDialog>(u"m_prefs"_s), first);
        QVERIFY(!QApplication::activeModalWidget());
        QTest::mouseClick(control(main, u"Label2(0)"_s), Qt::LeftButton);
        QTest::mouseClick(control(main, u"Label2(1)"_s), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>(2, QUrl(MainWindow::makerAddress())));

        const QList<BoxSeen> about = answeringBoxes([main] { main->findChild<QAction *>("m_about")->trigger(); });
        QCOMPARE(about.size(), 1);
        QCOMPARE(about[0].title, u"About Quorvel"_s);
        for (const QString &told : {QStringLiteral("Quorvel " QUORVEL_VERSION), u"proprietary"_s,
                                    QDir::toNativeSeparators(app().dataFolder())})
            QVERIFY2(about[0].text.contains(told), qPrintable(about[0].text));
        // Every box leaves room for its title in bold between the title bar's buttons, however short its text.
        const QList<std::function<void()>> boxes{[] { prompts::notice(u"Hi"_s); }, [] { prompts::error(u"No"_s); },
                                                 [] { prompts::confirm(u"Go?"_s); }};
        for (const std::function<void()> &box : boxes) {
            QString title;
            int room = 0, width = 0;
            QTimer::singleShot(0, [&] {
                QWidget *shown = QApplication::activeModalWidget();
                QFont bold = shown->font();
                bold.setBold(true);
                title = shown->windowTitle();
                room = QFontMetrics(bold).horizontalAdvance(title) +
                       6 * shown->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, shown);
                width = shown->width();
                qobject_cast<QDialog *>(shown)->reject();
            });
            box();
            QVERIFY2(width >= room, qPrintable(u"%1: %2 < %3"_s.arg(title).arg(width).arg(room)));
        }
        // Last: the program's event loop ends, with status 0.
        QSignalSpy leaving(&app(), &Application::leaving);
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QTimer::singleShot(0, main, [main] { QTest::keyClick(main, Qt::Key_Q, Qt::ControlModifier); });
        QEventLoop program;
        QTimer::singleShot(5000, &program, [&program] { program.exit(1); });
        QCOMPARE(program.exec(), 0);
        QCOMPARE(leaving.count(), 1);
    }
};

QTEST_MAIN(AppTest)
#include "app_test.moc"
