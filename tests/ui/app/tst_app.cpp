// Start-up, the password window and the main window, as a user meets them.

#include "core/store/database.h"
#include "core/store/firststart.h"
#include "core/store/schema.h"
#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/app/passworddialog.h"
#include "ui/prefs/preferencesdialog.h"

#include <QAction>
#include <QCryptographicHash>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
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
    Application program{dir.path()};
    Start() { program.setHomeWindow<MainWindow>(); }
    ~Start() { closeAllWindows(); }
    QString data(const QString &file) const { return dir.filePath(QStringLiteral("data/") + file); }
    QVariantList column(const QString &file, const QString &sql) {
        Database db;
        QVariantList out;
        if (db.open(data(file)))
            db.select(sql, {}, [&out](const QSqlQuery &q) { out << q.value(0); });
        return out;
    }
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
    QVERIFY2(start.program.start(&why), qPrintable(why));
    QVERIFY(QFile::exists(start.data(schema::productsFile())));
    QVERIFY(!QDir(start.dir.filePath(QStringLiteral("data.new"))).exists());
    // A salesperson can make a deal at once: products with pages, templates, counters at the top.
    const QVariantList ids = start.column(schema::productsFile(), QStringLiteral("select id from [table] order by id"));
    QVERIFY(ids.size() >= 10);
    const Settings &settings = start.program.settings();
    QCOMPARE(settings.productCounter, ids.last().toInt());
    QCOMPARE(settings.templateCounter,
             start.column(schema::vehiclesFile(), QStringLiteral("select max(id) from [table]")).value(0).toInt());
    const QString page = start.column(schema::productsFile(), QStringLiteral("select htmlpath from [table] where id=1"))
                             .value(0)
                             .toString();
    QVERIFY2(QFile::exists(page), qPrintable(page));
    QCOMPARE(settings.packageNames[0], QStringLiteral("Platinum"));
    QVERIFY(!settings.passwordProtect);
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
    QVERIFY(!start.program.start(&why));
    QVERIFY2(why.contains(file) && why.contains(reason), qPrintable(why));
    if (!before.isEmpty())
        QCOMPARE(digest(path), before);
    QVERIFY(!start.program.existing<MainWindow>());
}

void AppTest::noProtectionGoesStraightToTheMainWindow() {
    ProgramFolder folder;
    app().window<PasswordDialog>()->begin();
    QVERIFY(app().existing<MainWindow>() && app().existing<MainWindow>()->isVisible());
    QVERIFY(!app().existing<PasswordDialog>()->isVisible());
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
    PasswordDialog *window = app().window<PasswordDialog>();
    window->begin();
    QVERIFY(window->isVisible());
    QVERIFY(!app().existing<MainWindow>());
    type(window, QStringLiteral("enterpassword"), typed);
    if (byEnter)
        QTest::keyClick(control(window, QStringLiteral("enterpassword")), Qt::Key_Return);
    else
        QVERIFY(click(window, QStringLiteral("Command1")));
    QVERIFY(app().existing<MainWindow>() && app().existing<MainWindow>()->isVisible());
    QVERIFY(!window->isVisible());
}

void AppTest::wrongPasswordIsToldAndCleared() {
    ProgramFolder folder;
    setSetting(QStringLiteral("password"), QStringLiteral("tiger"));
    setSetting(QStringLiteral("passwordprotect"), 1);
    PasswordDialog *window = app().window<PasswordDialog>();
    window->begin();
    type(window, QStringLiteral("enterpassword"), QStringLiteral("lion"));
    const auto boxes =
        answeringBoxes([&] { QTest::keyClick(control(window, QStringLiteral("enterpassword")), Qt::Key_Return); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QStringLiteral("Message"));
    QCOMPARE(boxes[0].text, QStringLiteral("Incorrect Password"));
    QCOMPARE(control<QLineEdit>(window, QStringLiteral("enterpassword"))->text(), QString());
    QVERIFY(!app().existing<MainWindow>());
    type(window, QStringLiteral("enterpassword"), QStringLiteral("TIGER"));
    QVERIFY(click(window, QStringLiteral("Command1")));
    QVERIFY(app().existing<MainWindow>()->isVisible());
}

void AppTest::menuOpensEachWindowOnce() {
    ProgramFolder folder;
    setSetting(QStringLiteral("passwordprotect"), 1);
    MainWindow *main = app().window<MainWindow>();
    main->show();
    QCOMPARE(main->windowTitle(), QStringLiteral("Quorvel"));
    auto *prefs = main->findChild<QAction *>(QStringLiteral("m_prefs"));
    QVERIFY(prefs && prefs->isEnabled());
    prefs->trigger();
    PreferencesDialog *first = app().existing<PreferencesDialog>();
    QVERIFY(first && first->isVisible());
    prefs->trigger();
    QCOMPARE(app().existing<PreferencesDialog>(), first);
    QCOMPARE(main->findChildren<QAction *>(QStringLiteral("m_prefs")).size(), 1);
    // No password question on the way: nothing modal is up.
    QVERIFY(!QApplication::activeModalWidget());
}

void AppTest::eitherSmallPrintLabelOpensTheAddress() {
    ProgramFolder folder;
    QList<QUrl> opened;
    app().setExternalOpener([&opened](const QUrl &url) { opened << url; });
    MainWindow *main = app().window<MainWindow>();
    main->show();
    QTest::mouseClick(control(main, QStringLiteral("Label2(0)")), Qt::LeftButton);
    QTest::mouseClick(control(main, QStringLiteral("Label2(1)")), Qt::LeftButton);
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened.at(0), opened.at(1));
    QCOMPARE(opened.at(0), QUrl(MainWindow::makerAddress()));
}

QTEST_MAIN(AppTest)
#include "tst_app.moc"
