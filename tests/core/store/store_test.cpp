// The store on real files in a temporary folder: the settings and their id counters, products added in a
// block, the repositories on the sample files, and files of earlier and newer layouts.

#include "core/store/database.h"
#include "core/store/firststart.h"
#include "core/store/schema.h"
#include "coresupport.h"
#include "dealfixture.h"
#include "pgcluster.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <thread>

using namespace coretest;
using namespace Qt::StringLiterals;

namespace {
QStringList texts(const QVariantList &values) { return QVariant(values).toStringList(); }
// Every table's fields, as "table.field".
QStringList fieldsOf(Database &db) {
    return texts(column(db, u"select m.name || '.' || lower(p.name) from sqlite_master m join "
                            "pragma_table_info(m.name) p where m.type = 'table' and m.name not like 'sqlite%' "
                            "order by 1"_s));
}
// The tables, their fields, the indexes and triggers, and the layout number.
QStringList layoutOf(const QString &path) {
    Database db;
    if (!db.open(path))
        return {};
    return fieldsOf(db) +
           texts(column(db, u"select type || ' ' || name from sqlite_master where type <> 'table' order by 1"_s)) +
           texts(column(db, u"pragma user_version"_s));
}
// Every row of every table, as the literals of these fields.
QStringList contents(Database &db, const QStringList &fields) {
    QMap<QString, QStringList> tables;
    for (const QString &f : fields)
        tables[f.section(u'.', 0, 0)] << u"quote(%1)"_s.arg(f.section(u'.', 1));
    QStringList rows;
    for (auto t = tables.cbegin(); t != tables.cend(); ++t)
        rows +=
            texts(column(db, u"select %1 from [%2] order by rowid"_s.arg(t.value().join(u" || ',' || "_s), t.key())));
    return rows;
}
} // namespace

class StoreTest : public QObject {
    Q_OBJECT
private slots:
    void settingsKeepWhatWasWrittenAndTrimOnlyBlanks_data() { bothEngines(); }
    void settingsKeepWhatWasWrittenAndTrimOnlyBlanks() {
        DataFolder folder;
        QVERIFY(folder.ok());
        // Every field set, in the order Settings declares them.
        const std::array<QString, 4> names{"Platinum Plus", "Gold", "Silver", "Basic"};
        const Settings s{41, 7,       names, 0.0825f,      true,     false, 6.9f, 72,        24,
                         36, "Lot 9", "Pat", "One\r\nTwo", "Secret", true,  true, "I agree", true};
        QVERIFY(folder.store().settings().write(s));
        QVERIFY(folder.reopen());
        Store &store = folder.store();
        QVERIFY(store.settings().read() == s);
        // Another copy of the program raised the counters after this one read them: writing never lowers them.
        QVERIFY(store.settingsFile().exec(u"update [table] set am_total = 50, ve_total = 40"_s));
        QVERIFY(store.settings().write(s));
        QCOMPARE(storedSetting(store, u"am_total"_s).toInt() + storedSetting(store, u"ve_total"_s).toInt(), 90);
        // As another program may store them: only blanks are trimmed (a line break is part of the disclaimer),
        // package names are kept as stored, any non-zero number is yes.
        QVERIFY(store.settingsFile().exec(u"update [table] set dealershipname = '  Lot 9  ', password = ' pw ', "
                                          "package2 = ' Gold ', disclaimer = ?, includetax = -1"_s,
                                          {u" Small print\r\n "_s}));
        const Settings read = store.settings().read();
        QCOMPARE(
            QVariantList({read.dealershipName, read.password, read.packageNames[1], read.disclaimer, read.includeTax}),
            QVariantList({"Lot 9", "pw", " Gold ", "Small print\r\n", true}));
        QVERIFY(folder.errors().isEmpty());
    }

    // Files as earlier versions made them (no layout number kept) open, gain the current layout (every field,
    // index, guard and the number a new file has), keep every value and, opened again, stay as they are; a deal
    // file gone is made again, empty. A file a newer Quorvel made, whatever its tables hold, or another program's
    // in its place, is refused with its name and why, and left exactly as it is; so is a settings file of an
    // earlier layout that cannot serve: its upgrade is not kept when the record it leads to is unusable.
    void filesOfEarlierLayoutsGainTheCurrentOneAndOthersAreRefusedUntouched_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("sql"); // run on it; on a new file in its place unless it alters or drops
        QTest::addColumn<QString>("reason");  // none: it opens
        auto table = [](const QStringList &fields) { return u"create table [table] (%1)"_s.arg(fields.join(u", "_s)); };
        QTest::newRow("settings") << schema::preferencesFile()
                                  << QStringList{table(schema::preferenceFields()),
                                                 u"insert into [table] values (12, 3, 'P1', ' P2 ', 'P3', 'P4', 0.07, "
                                                 "1, 0, 6.5, 72, 'Lot 9', 'Pat', 'Small\r\nprint', 'pw', 1, 1)"_s}
                                  << QString();
        QTest::newRow("templates") << schema::vehiclesFile()
                                   << QStringList{table(schema::vehicleFields()),
                                                  u"insert into [table] (id, vehiclename, notes, package1, menu0_0, "
                                                  "menu3_9) values (4, 'Camry', 'n', 'Gold', 7, 12), (0, '', '', '', "
                                                  "0, 0)"_s}
                                   << QString();
        QTest::newRow("catalogue")
            << schema::productsFile()
            << QStringList{table(schema::productFields()),
                           u"insert into [table] (id, aftermarketname, cost, msrp, notes) values "
                           "(7, 'Tint', 100, 250.5, 'x'), (0, 'tint', 1, 2, '')"_s}
            << QString();
        const QStringList deals{u"create table deals (id INTEGER PRIMARY KEY AUTOINCREMENT, %1)"_s.arg(
                                    schema::dealFields().mid(1).join(u", "_s)),
                                u"create table [dealitems] (%1)"_s.arg(schema::dealItemFields().join(u", "_s)),
                                u"insert into deals (saved, customer, chosenpackage) values ('2026-01-02T10:00:00', "
                                "'Ann', 1)"_s,
                                u"insert into dealitems values (1, 1, 0, 7, 'Tint', 100, 250, '', 1)"_s};
        QTest::newRow("deals") << schema::dealsFile() << deals << QString();
        QTest::newRow("deals with further terms")
            << schema::dealsFile()
            << deals + QStringList{u"alter table deals add column financeterm2"_s,
                                   u"alter table deals add column financeterm3"_s,
                                   u"alter table deals add column amountfinanced"_s,
                                   u"update deals set financeterm2 = 72, financeterm3 = 84, amountfinanced = 20000"_s}
            << QString();
        QTest::newRow("deals missing: made empty") << schema::dealsFile() << QStringList() << QString();
        for (const auto &[file, sql] :
             {std::pair{schema::File::Products, "alter table [table] rename column aftermarketname to name"},
              {schema::File::Templates, "alter table [table] rename column vehiclename to name"},
              {schema::File::Settings, "alter table [table] rename column am_total to counter"},
              {schema::File::Deals, "alter table deals rename column saved to stamp"}})
            QTest::addRow("newer %s", qPrintable(schema::fileName(file)))
                << schema::fileName(file)
                << QStringList{QString::fromLatin1(sql),
                               u"pragma user_version = %1"_s.arg(schema::currentVersion(file) + 1)}
                << u"made by a newer Quorvel"_s;
        QTest::newRow("earlier settings without a record")
            << schema::preferencesFile()
            << QStringList{u"drop table [table]"_s, table(schema::preferenceFields()), u"pragma user_version = 0"_s}
            << u"it holds no settings record"_s;
        QTest::newRow("another database")
            << schema::dealsFile() << QStringList{u"create table other (id)"_s} << u"it has no table named \"deals\""_s;
        QTest::newRow("a deal field missing") << schema::dealsFile() << QStringList{u"create table deals (id)"_s}
                                              << u"its table \"deals\" has no field \"saved\""_s;
    }
    void filesOfEarlierLayoutsGainTheCurrentOneAndOthersAreRefusedUntouched() {
        QFETCH(QString, file);
        QFETCH(QStringList, sql);
        QFETCH(QString, reason);
        DataFolder folder;
        const QString path = folder.dataFile(file);
        const QStringList current = layoutOf(path);
        QVERIFY(current.size() > 1 && current.last().toInt() > 0); // a new file is marked with its layout
        folder.store().close();
        const bool replaced = !sql.value(0).startsWith(u"alter"_s) && !sql.value(0).startsWith(u"drop"_s);
        if (replaced)
            QVERIFY(QFile::remove(path));
        QStringList fields, before;
        if (!sql.isEmpty()) {
            Database old;
            QVERIFY(replaced ? old.create(path) : old.open(path));
            for (const QString &statement : std::as_const(sql))
                QVERIFY2(old.exec(statement), qPrintable(statement));
            fields = fieldsOf(old);
            before = contents(old, fields);
        }
        const QByteArray stored = bytes(path);
        QString why;
        QCOMPARE(folder.reopen(&why), reason.isEmpty());
        if (!reason.isEmpty()) {
            QVERIFY2(why.startsWith(u"The data file %1 cannot be used: "_s.arg(QDir::toNativeSeparators(path))) &&
                         why.contains(reason),
                     qPrintable(why));
            QCOMPARE(bytes(path), stored);
            return;
        }
        QCOMPARE(layoutOf(path), current);
        {
            Database now;
            QVERIFY(now.open(path));
            QCOMPARE(contents(now, fields), before);
        }
        const Settings s = folder.store().settings().read();
        if (file == schema::preferencesFile())
            QCOMPARE(s.statement + QString::number(s.financeTerm2 + s.financeTerm3 + s.leaseDeal),
                     schema::defaultStatement() + '0');
        if (file == schema::dealsFile()) // the deals stored before count in the report; none when the file was gone
            QCOMPARE(report::productRows(folder.store().deals().report({})).value(0).join(u' '),
                     sql.isEmpty() ? QString() : u"Tint 1 1 100.0 % $250.00 $150.00"_s);
        const QByteArray upgraded = bytes(path);
        QVERIFY(folder.reopen());
        QCOMPARE(bytes(path), upgraded);
        QVERIFY(folder.errors().isEmpty());
    }

    // Two copies started on a new folder at the same moment: each goes on with the one whole data folder, where a
    // salesperson can make a deal at once: products with their pages, templates, counters at the top.
    void twoFirstStartsAtOnceLeaveOneWholeDataFolder() {
        for (int round = 0; round < 4; ++round) {
            QTemporaryDir dir;
            bool theirs = false;
            std::thread other([&theirs, &dir] { theirs = firststart::createDataFolder(dir.path(), nullptr); });
            QString why;
            const bool ours = firststart::createDataFolder(dir.path(), &why);
            other.join();
            QVERIFY2(ours && theirs, qPrintable(why));
            Store store(QDir(dir.path()).filePath(u"data"_s));
            QVERIFY2(store.open(&why), qPrintable(why));
            const Settings s = store.settings().read();
            QCOMPARE(QVariantList({store.products().catalogue().size(), s.productCounter, s.templateCounter,
                                   s.packageNames[0], s.passwordProtect}),
                     QVariantList({12, 12, 2, u"Platinum"_s, false}));
            QVERIFY(QFile::exists(store.products().all().first().htmlpath));
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     (QStringList{u"data"_s, u"webpages"_s}));
        }
    }

    // Two desks draw product ids at the same time, each through a store and a connection of its own: none is
    // handed out twice.
    void productIdsAreNeverHandedOutTwice_data() { bothEngines(); }
    void productIdsAreNeverHandedOutTwice() {
        DataFolder folder;
        const int draws = folder.server() ? 1000 : 40;
        QList<int> drawn[2];
        auto copy = [&folder, &drawn, draws](int which) {
            Store store(QFileInfo(folder.dataFile(schema::preferencesFile())).path());
            store.setServer(folder.server());
            if (store.open())
                for (int i = 0; i < draws; ++i)
                    drawn[which] << store.settings().draw(Counter::Products).id.value_or(-1);
        };
        std::thread one(copy, 0), two(copy, 1);
        one.join();
        two.join();
        const QList<int> all = drawn[0] + drawn[1];
        QCOMPARE(QSet<int>(all.cbegin(), all.cend()).size(), 2 * draws);
        QVERIFY(!all.contains(-1));
        QCOMPARE(storedSetting(folder.store(), u"am_total"_s).toInt(), 2 * draws);

        // Products added in a batch take one block of ids, all or nothing.
        Store &store = folder.store();
        const int first = addProduct(store, u"Existing"_s, 1, 2);
        auto batch = [](const QStringList &names) {
            QVector<Product> out;
            for (const QString &name : names)
                out.append({999, name, 10, -2.5, {}, {}, {}, {}, {}, u"one\r\ntwo"_s});
            return out;
        };
        auto ids = [&] { return column(store.productsFile(), u"select id from [table] order by rowid"_s); };
        // Names order without regard to case.
        QVERIFY(store.products().namesIgnoreCase());
        Store::AddedProducts added = store.addProducts(batch({"Zulu", "alpha", "Mike"}));
        QVERIFY(added.stored);
        QCOMPARE(ids(), QVariantList({first, first + 1, first + 2, first + 3}));
        QCOMPARE(storedSetting(store, u"am_total"_s).toInt(), first + 3);
        QCOMPARE(store.products().all().at(0),
                 (Product{first + 2.0, "alpha", 10, -2.5, {}, {}, {}, {}, {}, "one\r\ntwo"}));

        // One refused insert: nothing of the batch is stored, and its ids are not handed out again.
        QVERIFY(store.productsFile().exec(u"create unique index refuse on [table](aftermarketname)"_s));
        added = store.addProducts(batch({"Xray", "Existing", "Yankee"}));
        QVERIFY(!added.stored);
        QCOMPARE(ids().size(), 4);
        QCOMPARE(folder.errors().size(), 1);
        folder.errors().clear();
        QCOMPARE(store.settings().draw(Counter::Products).id.value(), first + 7);

        // Too few ids left for the batch: none drawn, none stored; one product still fits.
        setSetting(store, u"am_total"_s, 2147483646);
        QVERIFY(store.addProducts(batch({"One", "Two"})).exhausted);
        QCOMPARE(storedSetting(store, u"am_total"_s).toLongLong(), 2147483646LL);
        QCOMPARE(store.addProducts(batch({"Last"})).firstId, 2147483647);
        QCOMPARE(ids().size(), 5);
    }

    // The server goes away during the run: the write that fails says so and nothing stored is lost; a store
    // opened meanwhile says it could not reach it. Once the server is back, the next writes go through. A server
    // of an earlier layout is brought up on opening, its rows kept; one a newer Quorvel set up is refused as it is.
    void aServerGoneAwayIsSaidAndOneOfAnotherLayoutIsMetAsAFileIs() {
        DataFolder folder(DataFolder::Content::Samples, Engine::Server);
        Store &store = folder.store();
        DealRecord deal = sampleChoice(1, 0b011);
        QVERIFY(store.deals().add(deal));
        const QVector<Product> products = store.products().all();
        QVERIFY(PgCluster::shared().stop());
        QVERIFY(!store.deals().add(deal));
        QVERIFY(store.connectionLost());
        QCOMPARE(folder.errors().size(), 1);
        Store other(QString{});
        other.setServer(folder.server());
        QString why;
        QVERIFY(!other.open(&why));
        QVERIFY2(other.connectionLost() && !why.isEmpty(), qPrintable(why));
        QVERIFY(PgCluster::shared().start());
        // A server that answers, but not as asked, is no lost connection.
        other.setServer(PgCluster::shared().address(u"nosuchdatabase"_s));
        QVERIFY(!other.open(&why));
        QVERIFY2(!other.connectionLost() && why.contains(u"nosuchdatabase"_s), qPrintable(why));
        QVERIFY(store.products().add(products.first()));
        QVERIFY(store.deals().add(deal));
        QCOMPARE(store.products().all().size(), products.size() + 1);
        QCOMPARE(store.deals().verify().message(), u"All 2 deals are intact."_s);

        Database &deals = store.dealsFile();
        const QVariantList layout = column(deals, u"select version from quorvel_layout order by name"_s);
        QVERIFY(deals.exec(u"alter table deals drop column chosenterm"_s));
        QVERIFY(deals.exec(u"update quorvel_layout set version = 1 where name = 'deals'"_s));
        QVERIFY(folder.reopen());
        QCOMPARE(column(folder.store().dealsFile(), u"select version from quorvel_layout order by name"_s), layout);
        QCOMPARE(folder.store().deals().load(deal.id)->items, deal.items);
        QVERIFY(folder.store().deals().add(deal));
        QVERIFY(folder.store().settingsFile().exec(u"update quorvel_layout set version = version + 1"_s));
        QVERIFY(!folder.reopen(&why));
        QVERIFY2(why.contains(u"made by a newer Quorvel"_s) && why.contains(folder.server()->label()), qPrintable(why));
    }

    // A template stored by another copy after it was read here is not stored over unasked (the check holds
    // the record on the server); a template chosen by a record that has gone since is found by its id (the
    // product repository's walks and stores are met through the editor's tests).
    void aTemplateChangedOrGoneElsewhere_data() { bothEngines(); }
    void aTemplateChangedOrGoneElsewhere() {
        DataFolder folder(DataFolder::Content::Samples);
        TemplateRepository &templates = folder.store().templates();
        const ListedTemplate first = templates.choices().value(0);
        std::optional<PackageTemplate> read = templates.load(first.record);
        PackageTemplate mine = read.value(), theirs = mine;
        mine.notes = u"Mine"_s;
        theirs.notes = u"Theirs"_s;
        Store other(folder.dataFile({}));
        other.setServer(folder.server());
        QVERIFY(other.open());
        std::optional<PackageTemplate> otherRead = other.templates().load(first.record);
        QCOMPARE(other.templates().store(first.record, theirs, otherRead), StoreOutcome::Stored);
        QCOMPARE(templates.store(first.record, mine, read), StoreOutcome::ChangedElsewhere);
        QCOMPARE(read->notes + templates.load(first.record)->notes, u"TheirsTheirs"_s);
        QCOMPARE(templates.store(first.record, mine, read), StoreOutcome::Stored);
        QCOMPARE(read->notes + other.templates().load(first.record)->notes, u"MineMine"_s);

        PackageTemplate t = *read;
        t.packageNames[3] = u"Basic"_s;
        templates.add(t);
        QVERIFY(templates.remove(first.record));
        QCOMPARE(templates.store(first.record, t, read), StoreOutcome::Gone);
        QCOMPARE(templates.chosen(first.record, first.id)->packageNames[3], u"Basic"_s);
        QVERIFY(folder.errors().isEmpty());
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "store_test.moc"
