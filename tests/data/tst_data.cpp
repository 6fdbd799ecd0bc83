// The data engine, the id counters and the number routines, without any window.

#include "core/money/numbers.h"
#include "core/store/database.h"
#include "core/store/recordset.h"
#include "core/store/schema.h"
#include "testsupport.h"
#include "ui/app/module1.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <cmath>
#include <limits>
#include <thread>

using namespace testsupport;

class DataTest : public QObject {
    Q_OBJECT
private slots:
    void numericValueOfText_data();
    void numericValueOfText();
    void numbersReadAPointWhereTheSystemWritesAComma();
    void moneyFormat_data();
    void moneyFormat();
    void plainText_data();
    void plainText();
    void currencyRoundsTiesToEven_data();
    void currencyRoundsTiesToEven();
    void outOfRangeConversionsAreRefused();

    void settingsRoundTripKeepsEveryType();
    void textsAreTrimmedButPackageNamesKeptAsStored();
    void writingNeverLowersAStoredCounter();

    void idsOnlyGrowAndSurviveARestart();
    void deletingTheHighestIdDoesNotReuseIt();
    void twoCopiesDrawingAtOnceNeverShareAnId();
    void exhaustedCounterStoresNothing();

    void recordSetAddsEditsAndDeletesByRowid();
    void namesSortWithoutRegardToCase();
    void recordsWithIdZeroAreKeptApart();
};

void DataTest::numericValueOfText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("decimal") << "12.50" << 12.5;
    QTest::newRow("letters end it") << "12abc" << 12.0;
    QTest::newRow("dollar sign first") << "$12" << 0.0;
    QTest::newRow("comma ends it") << "1,250.00" << 1.0;
    QTest::newRow("blanks inside skipped") << " 1 2 3 " << 123.0;
    QTest::newRow("exponent") << "1.5e3" << 1500.0;
    QTest::newRow("exponent without digits") << "12e" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("word") << "abc" << 0.0;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("too large to hold") << "1e999" << 0.0;
}

void DataTest::numericValueOfText() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(numbers::val(text), value);
}

void DataTest::numbersReadAPointWhereTheSystemWritesAComma() {
    // The application takes the C library's locale from the system's; one whose decimals have a comma is
    // made here, as a dealership's machine may have it.
    QTemporaryDir dir;
    QFile definition(dir.filePath(QStringLiteral("comma.def")));
    QVERIFY(definition.open(QIODevice::WriteOnly));
    definition.write("LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n");
    definition.close();
    QProcess::execute(QStringLiteral("localedef"),
                      {QStringLiteral("-c"), QStringLiteral("-i"), definition.fileName(), QStringLiteral("-f"),
                       QStringLiteral("UTF-8"), dir.filePath(QStringLiteral("comma"))});
    const QByteArray before = std::setlocale(LC_NUMERIC, nullptr);
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    const bool comma = std::setlocale(LC_NUMERIC, "comma") != nullptr;
    const double value = numbers::val(QStringLiteral("12.50"));
    std::setlocale(LC_NUMERIC, before.constData());
    qunsetenv("LOCPATH");
    if (!comma)
        QSKIP("localedef could not make a locale with a decimal comma");
    QCOMPARE(value, 12.5);
}

void DataTest::moneyFormat_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("negative") << -10.0 << "-10.00";
    QTest::newRow("rounds up") << 19.999 << "20.00";
    QTest::newRow("half away from zero") << 2.675 << "2.68";
    QTest::newRow("tiny negative is not minus zero") << -0.001 << "0.00";
    QTest::newRow("no thousands separator") << 1234567.891 << "1234567.89";
    QTest::newRow("large") << 1e20 << "100000000000000000000.00";
    QTest::newRow("not a number") << std::nan("") << "0.00";
    QTest::newRow("half cent below one") << 0.005 << "0.01";
}

void DataTest::moneyFormat() {
    QFETCH(double, value);
    QFETCH(QString, shown);
    QCOMPARE(numbers::formatMoney(value), shown);
}

void DataTest::plainText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("significant");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ordinary amount") << 1234567.89 << 15 << "1234567.89";
    QTest::newRow("more digits than a double holds") << 1e22 << 60 << "1e+22";
    QTest::newRow("no digits asked for: one") << 2.7 << 0 << "3";
}

void DataTest::plainText() {
    QFETCH(double, value);
    QFETCH(int, significant);
    QFETCH(QString, shown);
    QCOMPARE(numbers::plain(value, significant), shown);
}

void DataTest::currencyRoundsTiesToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("raw");
    QTest::newRow("tie down to even") << 0.00025 << qint64(2);
    QTest::newRow("tie up to even") << 0.00035 << qint64(4);
    QTest::newRow("negative") << -1.23456 << qint64(-12346);
}

void DataTest::currencyRoundsTiesToEven() {
    QFETCH(double, value);
    QFETCH(qint64, raw);
    auto c = numbers::Currency::fromDouble(value);
    QVERIFY(c.has_value());
    QCOMPARE(c->raw(), raw);
}

void DataTest::outOfRangeConversionsAreRefused() {
    QVERIFY(!numbers::Currency::fromDouble(1e300).has_value());
    QVERIFY(!numbers::Currency::fromDouble(std::numeric_limits<double>::infinity()).has_value());
    QVERIFY(!numbers::toInt32HalfEven(3e9).has_value());
    QCOMPARE(numbers::toInt32HalfEven(36.5).value(), 36);
    QCOMPARE(numbers::toInt32HalfEven(37.5).value(), 38);
    QVERIFY(!numbers::toSingle(1e39).has_value());
}

void DataTest::settingsRoundTripKeepsEveryType() {
    ProgramFolder folder;
    QVERIFY(folder.ok());
    using namespace Module1;
    am_total = 41;
    ve_total = 7;
    package1 = QStringLiteral("Platinum Plus");
    package4 = QStringLiteral("Basic");
    taxrate = 0.0825f;
    discloseprices = true;
    disclosetotals = false;
    interestrate = 6.9f;
    financeterm = 72;
    dealershipname = QStringLiteral("Main Street Motors");
    salespersonname = QStringLiteral("Pat");
    disclaimer = QStringLiteral("Line one\r\nLine two");
    password = QStringLiteral("Secret");
    passwordprotect = true;
    includetax = true;
    writepreferences();
    am_total = 0;
    taxrate = 0;
    package1.clear();
    passwordprotect = false;
    readpreferences();
    QCOMPARE(am_total, 41);
    QCOMPARE(ve_total, 7);
    QCOMPARE(package1, QStringLiteral("Platinum Plus"));
    QCOMPARE(package4, QStringLiteral("Basic"));
    QCOMPARE(taxrate, 0.0825f);
    QVERIFY(discloseprices);
    QVERIFY(!disclosetotals);
    QCOMPARE(interestrate, 6.9f);
    QCOMPARE(financeterm, 72);
    QCOMPARE(dealershipname, QStringLiteral("Main Street Motors"));
    QCOMPARE(disclaimer, QStringLiteral("Line one\r\nLine two"));
    QCOMPARE(password, QStringLiteral("Secret"));
    QVERIFY(passwordprotect);
    QVERIFY(includetax);
    QVERIFY(folder.databaseErrors().isEmpty());
}

void DataTest::textsAreTrimmedButPackageNamesKeptAsStored() {
    ProgramFolder folder;
    setSetting(QStringLiteral("dealershipname"), QStringLiteral("  Lot 9  "));
    setSetting(QStringLiteral("password"), QStringLiteral(" pw "));
    setSetting(QStringLiteral("package2"), QStringLiteral(" Gold "));
    QCOMPARE(Module1::dealershipname, QStringLiteral("Lot 9"));
    QCOMPARE(Module1::password, QStringLiteral("pw"));
    QCOMPARE(Module1::package2, QStringLiteral(" Gold "));
    // Any non-zero value is yes.
    setSetting(QStringLiteral("includetax"), -1);
    QVERIFY(Module1::includetax);
}

void DataTest::writingNeverLowersAStoredCounter() {
    ProgramFolder folder;
    // Another copy of the program raised the counter after this one read it.
    Module1::am_total = 3;
    Database other;
    QVERIFY(other.open(folder.dataFile(schema::preferencesFile())));
    other.exec(QStringLiteral("update [table] set am_total=50"));
    Module1::writepreferences();
    QCOMPARE(storedSetting(QStringLiteral("am_total")).toInt(), 50);
}

void DataTest::idsOnlyGrowAndSurviveARestart() {
    ProgramFolder folder;
    QCOMPARE(Module1::am_total, 0);
    QCOMPARE(Module1::handoutid(Module1::Counter::Products).value(), 1);
    QCOMPARE(Module1::handoutid(Module1::Counter::Products).value(), 2);
    QCOMPARE(Module1::handoutid(Module1::Counter::Templates).value(), 1);
    // The counter is stored before any record uses it.
    QCOMPARE(storedSetting(QStringLiteral("am_total")).toInt(), 2);
    QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), 1);
    QString why;
    QVERIFY(Module1::opendatabases(&why));
    QCOMPARE(Module1::handoutid(Module1::Counter::Products).value(), 3);
}

void DataTest::deletingTheHighestIdDoesNotReuseIt() {
    ProgramFolder folder;
    addProduct(QStringLiteral("A"), 1, 2);
    const int last = addProduct(QStringLiteral("B"), 1, 2);
    Module1::dbproducts.exec(QStringLiteral("delete from [table] where id=?"), {last});
    QCOMPARE(addProduct(QStringLiteral("C"), 1, 2), last + 1);
}

void DataTest::twoCopiesDrawingAtOnceNeverShareAnId() {
    ProgramFolder folder;
    const QString file = folder.dataFile(schema::preferencesFile());
    // A second copy of the program draws ids the same way, on its own connection, at the same time.
    QList<int> theirs;
    std::thread other([&theirs, file] {
        Database db;
        if (!db.open(file))
            return;
        for (int i = 0; i < 40; ++i) {
            db.beginImmediate();
            QSqlQuery q(db.handle());
            q.exec(QStringLiteral("select am_total from [table]"));
            q.next();
            const int next = q.value(0).toInt() + 1;
            q.finish();
            db.exec(QStringLiteral("update [table] set am_total=?"), {next});
            db.commit();
            theirs << next;
        }
    });
    QList<int> ours;
    for (int i = 0; i < 40; ++i)
        ours << Module1::handoutid(Module1::Counter::Products).value_or(-1);
    other.join();
    QSet<int> all;
    for (int id : ours + theirs)
        all.insert(id);
    QCOMPARE(all.size(), 80);
    QVERIFY(!all.contains(-1));
    QCOMPARE(storedSetting(QStringLiteral("am_total")).toInt(), 80);
    QVERIFY(folder.databaseErrors().isEmpty());
}

void DataTest::exhaustedCounterStoresNothing() {
    ProgramFolder folder;
    setSetting(QStringLiteral("am_total"), 2147483647);
    const auto boxes = answeringBoxes([] { QVERIFY(!Module1::handoutid(Module1::Counter::Products).has_value()); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QStringLiteral("Message"));
    QCOMPARE(storedSetting(QStringLiteral("am_total")).toLongLong(), 2147483647LL);
}

void DataTest::recordSetAddsEditsAndDeletesByRowid() {
    ProgramFolder folder;
    addProduct(QStringLiteral("Tint"), 100, 300);
    auto rs = RecordSet::openTable(Module1::dbproducts);
    rs->addNew();
    rs->setField(QStringLiteral("id"), 9);
    rs->setField(QStringLiteral("aftermarketname"), QStringLiteral("Film"));
    QCOMPARE(rs->text(QStringLiteral("aftermarketname")), QStringLiteral("Film"));
    QVERIFY(rs->update());
    // The record that was current stays current; the new one joins at the end.
    QCOMPARE(rs->text(QStringLiteral("aftermarketname")), QStringLiteral("Tint"));
    rs->moveTo(rs->lastModified());
    QCOMPARE(rs->field(QStringLiteral("id")).toInt(), 9);
    QCOMPARE(rs->field(QStringLiteral("cost")).toDouble(), 0.0);
    rs->edit();
    rs->setField(QStringLiteral("msrp"), 42.5);
    QVERIFY(rs->update());
    QCOMPARE(column(schema::productsFile(), QStringLiteral("select msrp from [table] where id=9")).value(0).toDouble(),
             42.5);
    rs->moveFirst();
    QVERIFY(rs->deleteRecord());
    QVERIFY(!rs->hasCurrent());
    rs->moveNext();
    QCOMPARE(rs->text(QStringLiteral("aftermarketname")), QStringLiteral("Film"));
    QCOMPARE(column(schema::productsFile(), QStringLiteral("select count(*) from [table]")).value(0).toInt(), 1);
}

void DataTest::namesSortWithoutRegardToCase() {
    ProgramFolder folder;
    addProduct(QStringLiteral("cherry"), 1, 1);
    addProduct(QStringLiteral("Banana"), 1, 1);
    addProduct(QStringLiteral("apple"), 1, 1);
    addTemplate(QStringLiteral("camry"), QString());
    addTemplate(QStringLiteral("Accord"), QString());
    QCOMPARE(column(schema::productsFile(),
                    QStringLiteral("select aftermarketname from [table] order by aftermarketname, cost, msrp")),
             QVariantList({QStringLiteral("apple"), QStringLiteral("Banana"), QStringLiteral("cherry")}));
    QCOMPARE(
        column(schema::vehiclesFile(), QStringLiteral("select vehiclename from [table] order by vehiclename, notes")),
        QVariantList({QStringLiteral("Accord"), QStringLiteral("camry")}));
}

void DataTest::recordsWithIdZeroAreKeptApart() {
    ProgramFolder folder;
    addProduct(QStringLiteral("First"), 1, 1, QString(), QString(), 0);
    addProduct(QStringLiteral("Second"), 2, 2, QString(), QString(), 0);
    auto rs = RecordSet::openQuery(Module1::dbproducts, QStringLiteral("select * from [table] where id = 0"));
    rs->moveLast();
    rs->edit();
    rs->setField(QStringLiteral("aftermarketname"), QStringLiteral("Changed"));
    rs->update();
    const QVariantList names =
        column(schema::productsFile(), QStringLiteral("select aftermarketname from [table] order by rowid"));
    QCOMPARE(names, QVariantList({QStringLiteral("First"), QStringLiteral("Changed")}));
}

QTEST_MAIN(DataTest)
#include "tst_data.moc"
