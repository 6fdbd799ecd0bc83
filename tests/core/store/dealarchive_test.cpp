// The deal file on real files: the customer's choice stored whole and kept as saved (also with two copies
// saving at once, or killed while saving), and the product report over it.

#include "core/deal/dealpage.h"
#include "core/store/database.h"
#include "core/store/dealseal.h"
#include "coresupport.h"
#include "dealfixture.h"

#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QtTest>
#include <atomic>
#include <thread>

using namespace coretest;
using namespace Qt::StringLiterals;

namespace {
const QString kKeepSaving = u"--keep-saving"_s;
constexpr unsigned kAllSlots = 0x3ff;

// The deal numbers stored, each with how many items it has.
QMap<qint64, int> itemsPerDeal(Database &file) {
    QMap<qint64, int> counts;
    file.select(u"select d.id, count(i.deal) from deals d left join dealitems i on i.deal = d.id group by d.id"_s, {},
                [&counts](const QSqlQuery &q) { counts[q.value(0).toLongLong()] = q.value(1).toInt(); });
    return counts;
}

// What a second copy of the program does in the kill test: save deals until it is stopped.
int keepSaving(const QString &dataFolder, const QString &server) {
    Store store(dataFolder);
    if (!server.isEmpty())
        store.setServer(ServerAddress::fromUri(server));
    if (!store.open())
        return 1;
    for (;;) {
        DealRecord r = sampleChoice(1, 0b011);
        if (!store.deals().add(r))
            return 2;
    }
}
} // namespace

class DealArchiveTest : public QObject {
    Q_OBJECT
private slots:
    // Stored and read back field by field; the file itself refuses to change or delete it (nor does a server take
    // an item of a deal it does not hold).
    void aStoredDealReadsBackAsSavedAndStaysSo_data() { bothEngines(); }
    void aStoredDealReadsBackAsSavedAndStaysSo() {
        DataFolder folder;
        DealArchive &deals = folder.store().deals();
        DealRecord first = sampleChoice(1, 0b100011u, u"Анна Ли"_s, QDateTime(QDate(2024, 5, 1), QTime(14, 3, 22)));
        first.particulars.customer = u"O'Brien, \"Pat\""_s;
        first.statement = u"Line one\r\nLine two \\"_s;
        first.signature = QByteArray("\x89PNG\0\\x", 7);
        first.moneyFactor = 0.00125; // sealed with the lease's fields
        DealRecord second = sampleChoice(-1, 0);
        QVERIFY(deals.add(first) && deals.add(second));
        QCOMPARE(second.id, first.id + 1);
        // Said stored once it reached the server's disk.
        if (folder.server())
            QCOMPARE(column(folder.store().dealsFile(),
                            u"select pg_current_wal_insert_lsn() <= pg_current_wal_flush_lsn()"_s),
                     QVariantList{true});
        QVERIFY(second.saved.isValid() && second.saved.time().msec() == 0);
        const std::optional<DealRecord> back = deals.load(first.id);
        QVERIFY(back);
        QCOMPARE(back->saved, first.saved);
        QCOMPARE(back->particulars.customer + back->statement + back->finalPayment + back->packageNames[3],
                 u"O'Brien, \"Pat\"Line one\r\nLine two \\30.93Basic"_s);
        QCOMPARE(back->signature + QByteArray::number(back->moneyFactor), first.signature + "0.00125");
        QCOMPARE(deals.verify().message(), u"All 2 deals are intact."_s);
        // The deal page as it was presented, texts and figures and all.
        const DealPage was = dealPage(sampleDeal()), now = dealPage(back->deal());
        QCOMPARE(now.packageTexts, was.packageTexts);
        QCOMPARE(now.priceLines, was.priceLines);

        Database &file = folder.store().dealsFile();
        folder.errors().clear();
        QVERIFY(!file.exec(u"update deals set customer = 'someone else'"_s));
        QVERIFY(!file.exec(u"delete from dealitems where deal = ?"_s, {first.id}));
        QVERIFY(!file.exec(u"delete from deals"_s));
        QVERIFY(!folder.server() || !file.exec(u"insert into dealitems (deal, package, slot) values (?, 0, 0)"_s, {9}));
        QCOMPARE(folder.errors().size(), folder.server() ? 4 : 3);
        QCOMPARE(deals.load(first.id)->items, first.items);
        QCOMPARE(deals.history().size(), 2);
        QCOMPARE(deals.history().first().id, second.id); // newest first
    }

    // A financed deal over three terms reprints every payment it showed; the customer takes one term,
    // which the final payment names, in the history too; declining everything still owes the payment on
    // the amount financed. A package kept whole costs what it was shown at. A file made before further
    // terms gains their fields. A failed save holds no lock and leaves no transaction open.
    void aFinancedDealKeepsItsTermsAndAmount() {
        DataFolder folder;
        Deal d = sampleDeal();
        d.term2 = 72;
        d.term3 = 84;
        d.amountFinanced = 20000;
        const QString base = d.basePayment(0).payment;
        DealRecord declined = recordChoice(d, DealRecord::DeclinedAll, {}, u"I chose."_s);
        QCOMPARE(finalPaymentLine(declined), u"$ %1 / Month for 60 Months"_s.arg(base));

        DealRecord cashThen = recordChoice(sampleDeal(true), 0, {true, true, true, true}, {});
        QVERIFY(folder.store().deals().add(cashThen));
        Database &file = folder.store().dealsFile();
        for (const char *field : {"financeterm2", "financeterm3", "amountfinanced", "chosenterm", "cashinterest"})
            QVERIFY(file.exec(u"alter table deals drop column %1"_s.arg(QLatin1String(field))));
        QVERIFY(folder.store().deals().add(declined) == false); // the fields are not there to store into
        // The failed save holds no lock: another copy brings the file up to date and saves.
        Store other(QFileInfo(file.path()).path());
        DealRecord another = sampleChoice(1, 0b011);
        QVERIFY(other.open() && other.deals().add(another));
        folder.errors().clear();
        QVERIFY(folder.reopen());
        DealArchive &deals = folder.store().deals();
        DealRecord chosen = recordChoice(d, 1, {true, true, true}, u"I chose."_s, 1);
        // A save refused part way (here by a trigger a database tool left) leaves no transaction open behind it.
        Database &now = folder.store().dealsFile();
        QVERIFY(
            now.exec(u"create temp trigger refuse before insert on dealitems begin select raise(abort, 'no'); end"_s));
        QVERIFY(!deals.add(chosen));
        QVERIFY(now.exec(u"drop trigger refuse"_s));
        folder.errors().clear();
        QCOMPARE(recordChoice(d, 1, {true, true, true}, {}).finalPayment, d.figures(1).payment);
        QCOMPARE(recordChoice(d, DealRecord::DeclinedAll, {}, {}, 2).finalPayment, d.basePayment(2).payment);
        QVERIFY(deals.add(chosen) && deals.add(declined));
        const Deal back = deals.load(chosen.id)->deal();
        for (int p = 0; p < menu::Packages; ++p)
            for (int t = 0; t < Deal::Terms; ++t)
                QCOMPARE(back.payment(p, t).payment, d.payment(p, t).payment);
        QCOMPARE(back.basePayment(2).payment, d.basePayment(2).payment);
        // Listed, newest first, with the final payment; exported with the payment, its term and the amount
        // financed as plain numbers.
        const QString chosenLine = u"$ %1 / Month for 72 Months"_s.arg(d.payment(1, 1).payment);
        QStringList listed{deals.load(declined.id)->finalPayment, finalPaymentLine(*deals.load(chosen.id))};
        for (const DealSummary &deal : deals.history().mid(0, 2))
            listed << history::cell(deal, history::Payment) << history::exportCells(deal).mid(history::ColumnCount);
        QCOMPARE(listed, QStringList({base, chosenLine, finalPaymentLine(declined), base, "60", "20000.00", chosenLine,
                                      d.payment(1, 1).payment, "72", "20000.00"}));
        // A cash price carried a month's interest in a file of that time and reprints so; one stored now has none.
        DealRecord cashNow = recordChoice(sampleDeal(true), 0, {true, true, true, true}, {});
        QVERIFY(deals.add(cashNow));
        QCOMPARE(deals.load(cashThen.id)->deal().figures(0).payment, u"2110.50"_s);
        QCOMPARE(deals.load(cashNow.id)->deal().figures(0).payment, u"2100.00"_s);
        QVERIFY(folder.errors().isEmpty());
    }

    // Each deal saved carries a seal over it and the deal before: what a database tool changed, removed or
    // slipped in afterwards is named, the first one first, on the open file and on a read-only look alike.
    void sealsNameTheFirstDealChangedAfterSaving() {
        // What a database tool does to three saved deals, and the deal named.
        const std::tuple<const char *, const char *, qint64> rows[] = {
            {"untouched", "", 0},
            {"a name", "update deals set customer = 'Pat Doe.' where id = 2", 2},
            {"a price", "update dealitems set msrp = 1000.01 where deal = 2 and msrp = 1000", 2},
            {"the signature", "update deals set signature = x'00' where id = 3", 3},
            {"made a lease", "update deals set leasedeal = 1 where id = 2", 2},
            {"a money factor", "update deals set moneyfactor = 0.002 where id = 3", 3},
            {"its seal blanked", "update deals set seal = '' where id = 2", 2},
            {"a deal removed", "delete from dealitems where deal = 2; delete from deals where id = 2", 3},
            {"items slipped in",
             "insert into dealitems select 2, package, 9, productid, name, cost, msrp, description, 1 from dealitems "
             "where deal = 1 and package = 3",
             2},
            {"items of no deal", "insert into dealitems values (7, 0, 0, 1, 'GAP', 1, 2, '', 1)", 7}};
        for (const auto &[name, sql, broken] : rows) {
            DataFolder folder;
            DealArchive &deals = folder.store().deals();
            DealRecord first = sampleChoice(1, 0b011);
            QVector<DealRecord> more{sampleChoice(0, kAllSlots), sampleChoice(-1, 0)};
            more[1].signature = QByteArray("\x89PNG the customer's strokes");
            QVERIFY(deals.add(first) && deals.addAll(more));
            QCOMPARE(deals.load(3)->signature, more[1].signature);
            QCOMPARE(deals.load(3)->seal, more[1].seal);
            const QString path = folder.dataFile(DealArchive::fileName());
            QVERIFY2(changeDealFile(path, QString::fromLatin1(sql).split(u"; "_s, Qt::SkipEmptyParts)), name);
            const QString said =
                broken ? u"Deal %1 does not match its seal: it was changed after it was saved."_s.arg(broken)
                       : u"All 3 deals are intact."_s;
            for (const SealCheck &check : {deals.verify(), DealArchive::verifyFile(path)}) {
                QCOMPARE(check.message(), said);
                QCOMPARE(check.result, broken ? SealCheck::Broken : SealCheck::Intact);
            }
        }
    }

    // A deal file of the layout before sealing verifies with its deals counted as saved before sealing, also
    // once it is brought up to date and holds a sealed deal after them. A deal sealed before leases keeps matching
    // its seal: this one's was worked out from the seal's written form, without a lease's fields (which are sealed
    // with a lease: the rows above).
    void dealsSavedBeforeSealingAreCountedAsSuch() {
        const QVariantList sealed{1, u"2024-05-01T14:03:22"_s};
        const QVariantList blank(dealseal::dealFields().size() - 2, QVariant());
        QCOMPARE(dealseal::seal(sealed + blank + QVariantList(5, 0), {}, {}),
                 u"94a5f99d0ed065f644aecb128346160f4cbfa0cf26294f435f577346c0c19fe1"_s);
        DataFolder folder;
        QVector<DealRecord> two{sampleChoice(1, 0b011), sampleChoice(-1, 0)};
        QVERIFY(folder.store().deals().addAll(two));
        const QString path = folder.dataFile(DealArchive::fileName());
        folder.store().close();
        QVERIFY(changeDealFile(path, {u"alter table deals drop column seal"_s,
                                      u"alter table deals drop column signature"_s, u"pragma user_version = 3"_s}));
        const QString before = u"The 2 deals from Deal 1 to Deal 2 were saved before sealing and carry no seal."_s;
        QCOMPARE(DealArchive::verifyFile(path).message(), before);
        QVERIFY(folder.reopen());
        DealRecord third = sampleChoice(0, kAllSlots);
        QVERIFY(folder.store().deals().add(third));
        const SealCheck check = folder.store().deals().verify();
        QCOMPARE(check.result, SealCheck::Intact);
        QCOMPARE(check.message(), u"The one sealed deal is intact. "_s + before);
    }

    void twoCopiesSavingAtOnceLoseNothing_data() { bothEngines(); }
    void twoCopiesSavingAtOnceLoseNothing() {
        DataFolder folder;
        const QString data = QFileInfo(folder.dataFile(DealArchive::fileName())).path();
        constexpr int each = 25;
        QList<qint64> ids[2];
        std::atomic<int> ready{0};
        auto copy = [&data, &ids, &ready, server = folder.server()](int which) {
            Store store(data);
            store.setServer(server);
            const bool opened = store.open();
            // Both copies are open before either saves, so their saving overlaps.
            for (++ready; ready < 2;)
                std::this_thread::yield();
            for (int i = 0; opened && i < each; ++i) {
                DealRecord r = sampleChoice(which, kAllSlots, which == 0 ? u"Ann"_s : u"Bob"_s);
                if (store.deals().add(r))
                    ids[which] << r.id;
            }
        };
        std::thread first(copy, 0), second(copy, 1);
        first.join();
        second.join();
        QCOMPARE(ids[0].size() + ids[1].size(), 2 * each);
        const QMap<qint64, int> stored = itemsPerDeal(folder.store().dealsFile());
        QCOMPARE(stored.size(), 2 * each);
        for (qint64 id : ids[0] + ids[1])
            QCOMPARE(stored.value(id), 11);
        QCOMPARE(folder.store().deals().verify().message(), u"All 50 deals are intact."_s); // one chain
    }

    // On a server the deals waiting in line are stored together: one the tables refuse (a slot past the tenth) is
    // refused alone, with the reason, and the other desk's, waiting beside it, is stored.
    void aRefusedDealIsRefusedAloneOnAServer() {
        DataFolder folder({}, Engine::Server);
        Database &file = folder.store().dealsFile();
        std::atomic<int> opened{0};
        std::atomic<bool> go{false};
        bool stored[2] = {false, true};
        QString why;
        auto desk = [&](int which) {
            Store store(QString{});
            store.setServer(*folder.server());
            store.setErrorHandler([&why](const QString &what) { why = what; });
            const bool open = store.open();
            for (++opened; !go;)
                std::this_thread::yield();
            DealRecord r = sampleChoice(1, kAllSlots);
            r.items.last().slot += 10 * which;
            stored[which] = open && store.deals().add(r);
        };
        std::thread good(desk, 0), refused(desk, 1);
        // Both wait for the turn held here, in line together.
        QTRY_COMPARE_WITH_TIMEOUT(opened.load(), 2, 20000);
        QVERIFY(file.exec(u"begin"_s) && file.exec(u"select pg_advisory_xact_lock(hashtext('quorvel deals'))"_s));
        go = true;
        QTRY_COMPARE_WITH_TIMEOUT(column(file, u"select count(*) from dealqueue"_s).value(0).toInt(), 2, 20000);
        QVERIFY(file.exec(u"rollback"_s));
        good.join();
        refused.join();
        QVERIFY(stored[0] && !stored[1]);
        QVERIFY2(why.contains(u"dealitems_slot_check"_s), qPrintable(why));
        QCOMPARE(folder.store().deals().verify().message(), u"The one deal is intact."_s);
        // What a desk gone from the server left in line is cleared when a desk opens.
        QVERIFY(file.exec(u"insert into dealqueue (desk, made, items, pieces) values (0, '{}', '[]', '{}')"_s));
        QVERIFY(folder.reopen());
        QCOMPARE(column(folder.store().dealsFile(), u"select count(*) from dealqueue"_s).value(0).toInt(), 0);
    }

    // Another copy is killed again and again while it saves; what it leaves is whole deals only.
    void aKillWhileSavingLeavesWholeDealsOnly_data() { bothEngines(); }
    void aKillWhileSavingLeavesWholeDealsOnly() {
        DataFolder folder;
        const QString data = QFileInfo(folder.dataFile(DealArchive::fileName())).path();
        Database &file = folder.store().dealsFile();
        for (int round = 0; round < 4; ++round) {
            QProcess saver;
            saver.start(QCoreApplication::applicationFilePath(),
                        {kKeepSaving, data, folder.server() ? folder.server()->uri() : QString()});
            QVERIFY(saver.waitForStarted());
            // Killed at a different moment of its saving each round.
            const qsizetype before = itemsPerDeal(file).size();
            QTRY_VERIFY_WITH_TIMEOUT(itemsPerDeal(file).size() > before, 20000);
            QTest::qWait(70 * round);
            saver.kill();
            QVERIFY(saver.waitForFinished());
        }
        if (!file.isServer())
            QCOMPARE(column(file, u"pragma integrity_check"_s), QVariantList{u"ok"_s});
        const QMap<qint64, int> stored = itemsPerDeal(file);
        QVERIFY2(stored.size() > 4, "the killed copies stored deals");
        for (auto it = stored.begin(); it != stored.end(); ++it)
            QVERIFY2(it.value() == 11, qPrintable(u"deal %1 has %2 items"_s.arg(it.key()).arg(it.value())));
        QVERIFY(folder.errors().isEmpty());
    }

    // Four known deals: Bob's Decline All, Анна's Gold without Tint, анна's Basic late on 20 March, Bob's
    // whole Platinum. A product in two packages of a deal is offered once in it.
    void reportCountsKnownDeals_data() {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("salesperson");
        QTest::addColumn<QStringList>("report"); // a line per product, then the summary
        for (const char *engine : {"files", "server"}) {
            QTest::addRow("%s: every deal", engine)
                << QDate(2024, 1, 1) << QDate(2024, 12, 31) << QString()
                << QStringList{"etch 4 2 50.0 % $400.00 $370.00", "GAP 4 2 50.0 % $1000.00 $500.00",
                               "Service Contract 4 2 50.0 % $2000.00 $200.00", "Tint 4 1 25.0 % $400.00 $280.00",
                               "Deals counted: 4 Products per deal: 1.75 Profit per deal: $337.50"};
            QTest::addRow("%s: one salesperson, any case in any alphabet", engine)
                << QDate() << QDate() << "АННА ЛИ"
                << QStringList{"etch 2 1 50.0 % $200.00 $185.00", "GAP 2 1 50.0 % $500.00 $250.00",
                               "Service Contract 2 1 50.0 % $1000.00 $100.00", "Tint 2 0 0.0 % $0.00 $0.00",
                               "Deals counted: 2 Products per deal: 1.50 Profit per deal: $267.50"};
            QTest::addRow("%s: dates, the last day whole", engine)
                << QDate(2024, 2, 1) << QDate(2024, 3, 20) << QString()
                << QStringList{"etch 2 1 50.0 % $200.00 $185.00", "GAP 2 0 0.0 % $0.00 $0.00",
                               "Service Contract 2 0 0.0 % $0.00 $0.00", "Tint 2 0 0.0 % $0.00 $0.00",
                               "Deals counted: 2 Products per deal: 0.50 Profit per deal: $92.50"};
            QTest::addRow("%s: dates, deals numbered in a run", engine)
                << QDate(2024, 3, 1) << QDate(2024, 12, 31) << QString()
                << QStringList{"etch 2 2 100.0 % $400.00 $370.00", "GAP 2 1 50.0 % $500.00 $250.00",
                               "Service Contract 2 1 50.0 % $1000.00 $100.00", "Tint 2 1 50.0 % $400.00 $280.00",
                               "Deals counted: 2 Products per deal: 2.50 Profit per deal: $500.00"};
        }
    }
    void reportCountsKnownDeals() {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, salesperson);
        QFETCH(QStringList, report);
        DataFolder folder;
        // Not saved in date order, so a date range may take deals whose numbers are not a run.
        QVector<DealRecord> fixture{
            sampleChoice(-1, 0, u"Bob"_s, QDateTime(QDate(2024, 2, 15), QTime(12, 0))),
            sampleChoice(1, 0b100011u, u"Анна Ли"_s, QDateTime(QDate(2024, 1, 10), QTime(9, 0))),
            sampleChoice(3, kAllSlots, u"анна ли"_s, QDateTime(QDate(2024, 3, 20), QTime(23, 59, 59))),
            sampleChoice(0, kAllSlots, u"Bob"_s, QDateTime(QDate(2024, 3, 21), QTime(0, 0))),
        };
        for (DealRecord &deal : fixture) // a product named in lower case sorts among the others
            for (DealItem &item : deal.items)
                item.name.replace(u"Etch"_s, u"etch"_s);
        QVERIFY(folder.store().deals().addAll(fixture));
        const ProductReport r = folder.store().deals().report({from, to, salesperson});
        QStringList shown;
        for (const QStringList &row : report::productRows(r))
            shown << row.join(u' ');
        shown << report::summaryLines(r).join(u' ');
        QCOMPARE(shown, report);
        QCOMPARE(folder.store().deals().salespeople(), QStringList({u"Bob"_s, u"Анна Ли"_s}));
    }
};

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && QString::fromLocal8Bit(argv[1]) == kKeepSaving)
        return keepSaving(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    DealArchiveTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "dealarchive_test.moc"
