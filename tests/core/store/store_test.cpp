// The store on real files in a temporary folder: the data engine, the settings and their id counters,
// and the repositories the windows read and write through.

#include "core/store/database.h"
#include "core/store/recordset.h"
#include "core/store/schema.h"
#include "coresupport.h"

#include <QSqlQuery>
#include <QtTest>
#include <cmath>
#include <limits>
#include <thread>

using namespace coretest;

class DataTest : public QObject {
    Q_OBJECT
private slots:
    void settingsRoundTripKeepsEveryType();
    void textsAreTrimmedButPackageNamesKeptAsStored();
    void writingNeverLowersAStoredCounter();
    void olderSettingsFileGainsTheNewFields();

    void idsOnlyGrowAndSurviveARestart();
    void deletingTheHighestIdDoesNotReuseIt();
    void twoCopiesDrawingAtOnceNeverShareAnId();
    void exhaustedCounterStoresNothing();
    void addedProductsTakeOneBlockOfIdsAllOrNothing();

    void recordSetAddsEditsAndDeletesByRowid();
    void namesSortWithoutRegardToCase();
    void recordsWithIdZeroAreKeptApart();
};

void DataTest::settingsRoundTripKeepsEveryType() {
    DataFolder folder;
    QVERIFY(folder.ok());
    SettingsRepository &repository = folder.store().settings();
    Settings s;
    s.productCounter = 41;
    s.templateCounter = 7;
    s.packageNames = {QStringLiteral("Platinum Plus"), QStringLiteral("Gold"), QStringLiteral("Silver"),
                      QStringLiteral("Basic")};
    s.taxRate = 0.0825f;
    s.disclosePrices = true;
    s.discloseTotals = false;
    s.interestRate = 6.9f;
    s.financeTerm = 72;
    s.dealershipName = QStringLiteral("Main Street Motors");
    s.salespersonName = QStringLiteral("Pat");
    s.disclaimer = QStringLiteral("Line one\r\nLine two");
    s.password = QStringLiteral("Secret");
    s.passwordProtect = true;
    s.includeTax = true;
    QVERIFY(repository.write(s));
    QVERIFY(folder.reopen());
    QVERIFY(folder.store().settings().read() == s);
    QVERIFY(folder.errors().isEmpty());
}

void DataTest::textsAreTrimmedButPackageNamesKeptAsStored() {
    DataFolder folder;
    Store &store = folder.store();
    setSetting(store, QStringLiteral("dealershipname"), QStringLiteral("  Lot 9  "));
    setSetting(store, QStringLiteral("password"), QStringLiteral(" pw "));
    setSetting(store, QStringLiteral("package2"), QStringLiteral(" Gold "));
    // Only blanks are trimmed: a line break is part of the disclaimer.
    setSetting(store, QStringLiteral("disclaimer"), QStringLiteral(" Small print\r\n "));
    // Any non-zero value is yes.
    setSetting(store, QStringLiteral("includetax"), -1);
    const Settings s = store.settings().read();
    QCOMPARE(s.dealershipName, QStringLiteral("Lot 9"));
    QCOMPARE(s.password, QStringLiteral("pw"));
    QCOMPARE(s.packageNames[1], QStringLiteral(" Gold "));
    QCOMPARE(s.disclaimer, QStringLiteral("Small print\r\n"));
    QVERIFY(s.includeTax);
}

void DataTest::writingNeverLowersAStoredCounter() {
    DataFolder folder;
    Settings s = folder.store().settings().read();
    // Another copy of the program raised the counter after this one read it.
    s.productCounter = 3;
    Database other;
    QVERIFY(other.open(folder.dataFile(schema::preferencesFile())));
    other.exec(QStringLiteral("update [table] set am_total=50"));
    QVERIFY(folder.store().settings().write(s));
    QCOMPARE(storedSetting(folder.store(), QStringLiteral("am_total")).toInt(), 50);
}

void DataTest::olderSettingsFileGainsTheNewFields() {
    DataFolder folder;
    const QString path = folder.dataFile(schema::preferencesFile());
    {
        // The settings file as the first version wrote it: the seventeen fields and nothing more.
        Database old;
        QVERIFY(old.open(path));
        QVERIFY(old.exec(QStringLiteral("alter table [table] rename to [new]")));
        QVERIFY(old.exec(QStringLiteral("create table [table] as select %1 from [new]")
                             .arg(schema::preferenceFields().join(QLatin1Char(',')))));
        QVERIFY(old.exec(QStringLiteral("drop table [new]")));
        QVERIFY(old.exec(QStringLiteral("update [table] set am_total=12, dealershipname='Lot 9', financeterm=72")));
        QCOMPARE(old.tableFields().size(), 17);
    }
    QVariantList before;
    for (const QString &field : schema::preferenceFields())
        before << storedSetting(folder.store(), field);
    QVERIFY(folder.reopen());
    for (int i = 0; i < before.size(); ++i)
        QCOMPARE(storedSetting(folder.store(), schema::preferenceFields().at(i)), before.at(i));
    const Settings s = folder.store().settings().read();
    QCOMPARE(s.productCounter, 12);
    QCOMPARE(s.dealershipName, QStringLiteral("Lot 9"));
    QCOMPARE(s.financeTerm, 72);
    QCOMPARE(s.financeTerm2, 0);
    QCOMPARE(s.financeTerm3, 0);
    QCOMPARE(s.statement, schema::defaultStatement());
    QCOMPARE(folder.store().settingsFile().tableFields().size(), 20);
    // Opened again, nothing more changes.
    QVERIFY(folder.reopen());
    QVERIFY(folder.store().settings().read() == s);
}

void DataTest::idsOnlyGrowAndSurviveARestart() {
    DataFolder folder;
    SettingsRepository *settings = &folder.store().settings();
    QCOMPARE(settings->read().productCounter, 0);
    QCOMPARE(settings->draw(Counter::Products).id.value(), 1);
    const SettingsRepository::Drawn second = settings->draw(Counter::Products);
    QCOMPARE(second.id.value(), 2);
    QCOMPARE(second.settings.productCounter, 2);
    QCOMPARE(settings->draw(Counter::Templates).id.value(), 1);
    // The counter is stored before any record uses it.
    QCOMPARE(storedSetting(folder.store(), QStringLiteral("am_total")).toInt(), 2);
    QCOMPARE(storedSetting(folder.store(), QStringLiteral("ve_total")).toInt(), 1);
    QVERIFY(folder.reopen());
    settings = &folder.store().settings();
    QCOMPARE(settings->draw(Counter::Products).id.value(), 3);
}

void DataTest::deletingTheHighestIdDoesNotReuseIt() {
    DataFolder folder;
    Store &store = folder.store();
    addProduct(store, QStringLiteral("A"), 1, 2);
    const int last = addProduct(store, QStringLiteral("B"), 1, 2);
    store.productsFile().exec(QStringLiteral("delete from [table] where id=?"), {last});
    QCOMPARE(addProduct(store, QStringLiteral("C"), 1, 2), last + 1);
}

void DataTest::twoCopiesDrawingAtOnceNeverShareAnId() {
    DataFolder folder;
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
        ours << folder.store().settings().draw(Counter::Products).id.value_or(-1);
    other.join();
    QSet<int> all;
    for (int id : ours + theirs)
        all.insert(id);
    QCOMPARE(all.size(), 80);
    QVERIFY(!all.contains(-1));
    QCOMPARE(storedSetting(folder.store(), QStringLiteral("am_total")).toInt(), 80);
    QVERIFY(folder.errors().isEmpty());
}

void DataTest::exhaustedCounterStoresNothing() {
    DataFolder folder;
    setSetting(folder.store(), QStringLiteral("am_total"), 2147483647);
    const SettingsRepository::Drawn drawn = folder.store().settings().draw(Counter::Products);
    QVERIFY(!drawn.id.has_value());
    QVERIFY(drawn.exhausted);
    QCOMPARE(storedSetting(folder.store(), QStringLiteral("am_total")).toLongLong(), 2147483647LL);
}

void DataTest::addedProductsTakeOneBlockOfIdsAllOrNothing() {
    DataFolder folder;
    Store &store = folder.store();
    addProduct(store, QStringLiteral("Existing"), 1, 2);
    auto batch = [](const QStringList &names) {
        QVector<Product> out;
        for (const QString &name : names)
            out.append({999, name, 10, -2.5, {}, {}, {}, {}, {}, QStringLiteral("one\r\ntwo")});
        return out;
    };
    auto ids = [&] { return column(store.productsFile(), QStringLiteral("select id from [table] order by rowid")); };
    Store::AddedProducts added = store.addProducts(batch({"Zulu", "Alpha", "Mike"}));
    QVERIFY(added.stored);
    QCOMPARE(ids(), QVariantList({1, 2, 3, 4}));
    QCOMPARE(storedSetting(store, QStringLiteral("am_total")).toInt(), 4);
    QCOMPARE(store.products().all().at(0), (Product{3, "Alpha", 10, -2.5, {}, {}, {}, {}, {}, "one\r\ntwo"}));

    // One refused insert: nothing of the batch is stored, and its ids are not handed out again.
    QVERIFY(store.productsFile().exec(QStringLiteral("create trigger refuse before insert on [table] when "
                                                     "new.aftermarketname='No' begin select raise(abort, 'no'); end")));
    added = store.addProducts(batch({"Xray", "No", "Yankee"}));
    QVERIFY(!added.stored);
    QCOMPARE(ids().size(), 4);
    QCOMPARE(folder.errors().size(), 1);
    folder.errors().clear();
    QCOMPARE(store.settings().draw(Counter::Products).id.value(), 8);

    // Too few ids left for the batch: none drawn, none stored; one product still fits.
    setSetting(store, QStringLiteral("am_total"), 2147483646);
    QVERIFY(store.addProducts(batch({"One", "Two"})).exhausted);
    QCOMPARE(storedSetting(store, QStringLiteral("am_total")).toLongLong(), 2147483646LL);
    QCOMPARE(store.addProducts(batch({"Last"})).firstId, 2147483647);
    QCOMPARE(ids().size(), 5);
}

void DataTest::recordSetAddsEditsAndDeletesByRowid() {
    DataFolder folder;
    Database &products = folder.store().productsFile();
    addProduct(folder.store(), QStringLiteral("Tint"), 100, 300);
    auto rs = RecordSet::openTable(products);
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
    QCOMPARE(column(products, QStringLiteral("select msrp from [table] where id=9")).value(0).toDouble(), 42.5);
    rs->moveFirst();
    QVERIFY(rs->deleteRecord());
    QVERIFY(!rs->hasCurrent());
    rs->moveNext();
    QCOMPARE(rs->text(QStringLiteral("aftermarketname")), QStringLiteral("Film"));
    QCOMPARE(column(products, QStringLiteral("select count(*) from [table]")).value(0).toInt(), 1);
}

void DataTest::namesSortWithoutRegardToCase() {
    DataFolder folder;
    Store &store = folder.store();
    Database &products = store.productsFile();
    addProduct(store, QStringLiteral("cherry"), 1, 1);
    addProduct(store, QStringLiteral("Banana"), 1, 1);
    addProduct(store, QStringLiteral("apple"), 1, 1);
    addTemplate(store, QStringLiteral("camry"), QString());
    addTemplate(store, QStringLiteral("Accord"), QString());
    QVERIFY(store.products().namesIgnoreCase());
    QCOMPARE(
        column(products, QStringLiteral("select aftermarketname from [table] order by aftermarketname, cost, msrp")),
        QVariantList({QStringLiteral("apple"), QStringLiteral("Banana"), QStringLiteral("cherry")}));
    QCOMPARE(
        column(store.templatesFile(), QStringLiteral("select vehiclename from [table] order by vehiclename, notes")),
        QVariantList({QStringLiteral("Accord"), QStringLiteral("camry")}));
}

void DataTest::recordsWithIdZeroAreKeptApart() {
    DataFolder folder;
    Database &products = folder.store().productsFile();
    addProduct(folder.store(), QStringLiteral("First"), 1, 1, QString(), QString(), 0);
    addProduct(folder.store(), QStringLiteral("Second"), 2, 2, QString(), QString(), 0);
    auto rs = RecordSet::openQuery(products, QStringLiteral("select * from [table] where id = 0"));
    rs->moveLast();
    rs->edit();
    rs->setField(QStringLiteral("aftermarketname"), QStringLiteral("Changed"));
    rs->update();
    const QVariantList names = column(products, QStringLiteral("select aftermarketname from [table] order by rowid"));
    QCOMPARE(names, QVariantList({QStringLiteral("First"), QStringLiteral("Changed")}));
}

QTEST_GUILESS_MAIN(DataTest)
#include "store_test.moc"
