// Start-up, the password window and the main window, as a user meets them.

#include "core/store/database.h"
#include "core/store/firststart.h"
#include "core/store/schema.h"
#include "testsupport.h"
#include "ui/app/form1.h"
#include "ui/app/module1.h"
#include "ui/app/security.h"
#include "ui/app/shell.h"
#include "ui/app/startup.h"
#include "ui/app/windows.h"
#include "ui/prefs/preferences.h"

#include <QAction>
#include <QCryptographicHash>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

using namespace testsupport;

namespace {
QByteArray digest(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// A program folder whose data/ the test prepares itself, then starts the program in it.
struct Start {
    QTemporaryDir dir;
    Start() { Module1::setProgramFolder(dir.path()); }
    ~Start() {
        closeAllWindows();
        Module1::closedatabases();
    }
    QString data(const QString &file) const { return dir.filePath(QStringLiteral("data/") + file); }
};
} // namespace

class AppTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartBuildsASampleDataFolder();
    void unusableDataFilesAreNamedAndLeftAlone_data();
    void unusableDataFilesAreNamedAndLeftAlone();
    void noProtectionGoesStraightToTheMainWindow();
    void passwordIgnoresCaseAndBlanks_data();
    void passwordIgnoresCaseAndBlanks();
    void wrongPasswordIsToldAndCleared();
    void menuOpensEachWindowOnce();
    void eitherSmallPrintLabelOpensTheAddress();
};

void AppTest::firstStartBuildsASampleDataFolder() {
    Start start;
    QString why;
    QVERIFY2(startup::begin(&why), qPrintable(why));
    QVERIFY(QFile::exists(start.data(schema::productsFile())));
    QVERIFY(!QDir(start.dir.filePath(QStringLiteral("data.new"))).exists());
    // A salesperson can make a deal at once: products with pages, templates, counters at the top.
    const QVariantList ids = column(schema::productsFile(), QStringLiteral("select id from [table] order by id"));
    QVERIFY(ids.size() >= 10);
    QCOMPARE(Module1::am_total, ids.last().toInt());
    QCOMPARE(Module1::ve_total,
             column(schema::vehiclesFile(), QStringLiteral("select max(id) from [table]")).value(0).toInt());
    const QString page =
        column(schema::productsFile(), QStringLiteral("select htmlpath from [table] where id=1")).value(0).toString();
    QVERIFY2(QFile::exists(page), qPrintable(page));
    QCOMPARE(Module1::package1, QStringLiteral("Platinum"));
    QVERIFY(!Module1::passwordprotect);
}

void AppTest::unusableDataFilesAreNamedAndLeftAlone_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("text file") << schema::productsFile() << "text"
                               << "not a database";
    QTest::newRow("missing") << schema::vehiclesFile() << "remove"
                             << "does not exist";
    QTest::newRow("wrong table") << schema::productsFile() << "empty-db"
                                 << "no table";
    QTest::newRow("locked") << schema::vehiclesFile() << "locked"
                            << "locked by another program";
    QTest::newRow("counter out of range") << schema::preferencesFile() << "counter"
                                          << "out of range for am_total";
}

void AppTest::unusableDataFilesAreNamedAndLeftAlone() {
    QFETCH(QString, file);
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    Start start;
    QVERIFY(firststart::createEmptyDataFolder(start.dir.path()));
    const QString path = start.data(file);
    Database locker; // another copy of the program in the middle of a long write
    if (damage == QLatin1String("text")) {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write("these are not the products you are looking for\n");
    } else if (damage == QLatin1String("remove")) {
        QFile::remove(path);
    } else if (damage == QLatin1String("counter")) {
        Database prefs;
        prefs.open(path);
        prefs.exec(QStringLiteral("update [table] set am_total=3000000000"));
    } else if (damage == QLatin1String("locked")) {
        locker.open(path);
        locker.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        locker.exec(QStringLiteral("update [table] set notes='x'"));
    } else {
        QFile::remove(path);
        QFile f(path);
        f.open(QIODevice::WriteOnly); // an empty file is an empty SQLite database
    }
    const QByteArray before = damage == QLatin1String("locked") ? QByteArray() : digest(path);
    QString why;
    QVERIFY(!startup::begin(&why));
    QVERIFY2(why.contains(file) && why.contains(reason), qPrintable(why));
    if (!before.isEmpty())
        QCOMPARE(digest(path), before);
    QVERIFY(!SingleWindow<Form1>::existing());
}

void AppTest::noProtectionGoesStraightToTheMainWindow() {
    ProgramFolder folder;
    QVERIFY(SingleWindow<security>::instance()->load());
    QVERIFY(SingleWindow<Form1>::existing() && SingleWindow<Form1>::existing()->isVisible());
    QVERIFY(!SingleWindow<security>::existing()->isVisible());
}

void AppTest::passwordIgnoresCaseAndBlanks_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("same") << "Opensesame" << false;
    QTest::newRow("upper with blanks") << "  OPENSESAME " << false;
    QTest::newRow("mixed by Enter") << "oPeNsEsAmE" << true;
}

void AppTest::passwordIgnoresCaseAndBlanks() {
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    ProgramFolder folder;
    setSetting(QStringLiteral("password"), QStringLiteral(" OpenSesame "));
    setSetting(QStringLiteral("passwordprotect"), 1);
    security *window = SingleWindow<security>::instance();
    QVERIFY(window->load());
    QVERIFY(window->isVisible());
    QVERIFY(!SingleWindow<Form1>::existing());
    type(window, QStringLiteral("enterpassword"), typed);
    if (byEnter)
        QTest::keyClick(control(window, QStringLiteral("enterpassword")), Qt::Key_Return);
    else
        QVERIFY(click(window, QStringLiteral("Command1")));
    QVERIFY(SingleWindow<Form1>::existing() && SingleWindow<Form1>::existing()->isVisible());
    QVERIFY(!window->isVisible());
}

void AppTest::wrongPasswordIsToldAndCleared() {
    ProgramFolder folder;
    setSetting(QStringLiteral("password"), QStringLiteral("tiger"));
    setSetting(QStringLiteral("passwordprotect"), 1);
    security *window = SingleWindow<security>::instance();
    QVERIFY(window->load());
    type(window, QStringLiteral("enterpassword"), QStringLiteral("lion"));
    const auto boxes =
        answeringBoxes([&] { QTest::keyClick(control(window, QStringLiteral("enterpassword")), Qt::Key_Return); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QStringLiteral("Message"));
    QCOMPARE(boxes[0].text, QStringLiteral("Incorrect Password"));
    QCOMPARE(control<QLineEdit>(window, QStringLiteral("enterpassword"))->text(), QString());
    QVERIFY(!SingleWindow<Form1>::existing());
    type(window, QStringLiteral("enterpassword"), QStringLiteral("TIGER"));
    QVERIFY(click(window, QStringLiteral("Command1")));
    QVERIFY(SingleWindow<Form1>::existing()->isVisible());
}

void AppTest::menuOpensEachWindowOnce() {
    ProgramFolder folder;
    setSetting(QStringLiteral("passwordprotect"), 1);
    Form1 *main = SingleWindow<Form1>::instance();
    main->show();
    QCOMPARE(main->windowTitle(), QStringLiteral("Quorvel"));
    auto *prefs = main->findChild<QAction *>(QStringLiteral("m_prefs"));
    QVERIFY(prefs && prefs->isEnabled());
    prefs->trigger();
    preferences *first = SingleWindow<preferences>::existing();
    QVERIFY(first && first->isVisible());
    prefs->trigger();
    QCOMPARE(SingleWindow<preferences>::existing(), first);
    QCOMPARE(main->findChildren<QAction *>(QStringLiteral("m_prefs")).size(), 1);
    // No password question on the way: nothing modal is up.
    QVERIFY(!QApplication::activeModalWidget());
}

void AppTest::eitherSmallPrintLabelOpensTheAddress() {
    ProgramFolder folder;
    QList<QUrl> opened;
    shell::setOpener([&opened](const QUrl &url) { opened << url; });
    Form1 *main = SingleWindow<Form1>::instance();
    main->show();
    QTest::mouseClick(control(main, QStringLiteral("Label2(0)")), Qt::LeftButton);
    QTest::mouseClick(control(main, QStringLiteral("Label2(1)")), Qt::LeftButton);
    shell::setOpener({});
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened.at(0), opened.at(1));
    QCOMPARE(opened.at(0), QUrl(Form1::makerAddress()));
}

QTEST_MAIN(AppTest)
#include "tst_app.moc"
