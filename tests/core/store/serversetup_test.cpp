// Setting up a dealership server: everything made in one transaction, left as it is when run again, and a
// data folder copied whole, into an empty server only.

#include "core/store/database.h"
#include "core/store/schema.h"
#include "core/store/serversetup.h"
#include "coresupport.h"
#include "dealfixture.h"
#include "pgcluster.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace coretest;
using namespace Qt::StringLiterals;

namespace {
// Every row of every table the store keeps, a line each, its cells as text.
QStringList contents(Store &store) {
    const QList<std::tuple<Database *, QString, QStringList, QString>> tables{
        {&store.productsFile(), u"[table]"_s, schema::productFields(), u"rowid"_s},
        {&store.templatesFile(), u"[table]"_s, schema::vehicleFields(), u"rowid"_s},
        {&store.settingsFile(), u"[table]"_s, schema::preferenceFields() + schema::addedPreferenceFields(), u"rowid"_s},
        {&store.dealsFile(), u"deals"_s, schema::dealFields() + schema::addedDealFields(), u"id"_s},
        {&store.dealsFile(), u"dealitems"_s, schema::dealItemFields(), u"deal, package, slot"_s},
        {&store.dealsFile(), u"reportcounts"_s, {u"*"_s}, u"1, 2, 3"_s}};
    QStringList rows;
    for (const auto &[db, table, fields, order] : tables)
        db->select(u"select %1 from %2 order by %3"_s.arg(fields.join(u','), table, order), {},
                   [&rows, &table](const QSqlQuery &q) {
                       QStringList cells{table};
                       for (int i = 0; i < q.record().count(); ++i)
                           cells << (q.value(i).isNull() ? u"NULL"_s : q.value(i).toString());
                       rows << cells.join(u'|');
                   });
    return rows;
}

// What the server holds of Quorvel's making: tables, fields, roles and their privileges.
QStringList madeOn(const ServerAddress &server) {
    Database db;
    if (!db.openServer(server, u"deals"_s))
        return {};
    QStringList made;
    db.select(u"select table_name || '.' || column_name || ' ' || data_type from information_schema.columns where "
              "table_schema = 'public' union all select grantee || ' ' || privilege_type || ' ' || table_name from "
              "information_schema.role_table_grants where grantee like 'quorvel%' order by 1"_s,
              {}, [&made](const QSqlQuery &q) { made << q.value(0).toString(); });
    return made;
}
} // namespace

class ServerSetupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(PgCluster::shared().ok(), qPrintable(PgCluster::shared().why())); }

    // Run again, the setup changes nothing (what it says then, and its refusal to copy into a server that holds
    // data: the command line's test); one that fails (here: its data folder cannot be read) leaves nothing made.
    void aSecondSetUpChangesNothingAndAFailedOneMakesNothing() {
        const std::optional<ServerAddress> server = PgCluster::shared().freshDatabase();
        QVERIFY(server);
        QVERIFY(madeOn(*server).isEmpty());
        QCOMPARE(serversetup::setUp(*server, u"/no/such/folder"_s).status, 1);
        QVERIFY(madeOn(*server).isEmpty());
        const serversetup::Outcome first = serversetup::setUp(*server);
        QCOMPARE(first.status, 0);
        QVERIFY2(first.said.contains(u"Made the role quorvel_desk."_s), qPrintable(first.said.join(u'\n')));
        const QStringList made = madeOn(*server);
        QCOMPARE(serversetup::setUp(*server).status, 0);
        QCOMPARE(madeOn(*server), made);
    }

    // A data folder with products, templates, settings and deals is copied row for row, counters and all. A desk's
    // login reads it and saves deals, never more (nor brings the server up to a newer version); a manager's
    // changes the catalogue too.
    void aCopiedDataFolderIsEqualRowForRow() {
        DataFolder folder(DataFolder::Content::Samples, Engine::Files);
        QVector<DealRecord> deals{sampleChoice(1, 0b011), sampleChoice(-1, 0)};
        deals[1].signature = QByteArray("\x89PNG strokes");
        QVERIFY(folder.store().deals().addAll(deals));
        setSetting(folder.store(), u"am_total"_s, 77);
        const QString data = QFileInfo(folder.dataFile(schema::productsFile())).path();
        const std::optional<ServerAddress> server = PgCluster::shared().freshDatabase();
        QVERIFY(server);
        const serversetup::Outcome setUp = serversetup::setUp(*server, data);
        QVERIFY2(setUp.status == 0, qPrintable(setUp.said.join(u'\n')));
        Store copy(QString{});
        copy.setServer(server);
        QVERIFY(copy.open());
        QCOMPARE(contents(copy), contents(folder.store()));

        QVERIFY(copy.dealsFile().exec(u"create role desk1 login in role quorvel_desk"_s));
        ServerAddress desk = *server;
        desk.user = u"desk1"_s;
        Store atDesk(QString{});
        atDesk.setServer(desk);
        QString why;
        QVERIFY2(atDesk.open(&why), qPrintable(why));
        QVERIFY(atDesk.deals().add(deals[0]));
        QCOMPARE(atDesk.deals().history().size(), 3);
        QVERIFY(!atDesk.dealsFile().exec(u"update deals set customer = 'someone else'"_s));
        QVERIFY(!atDesk.dealsFile().exec(u"delete from dealitems"_s));
        QCOMPARE(report::productRows(atDesk.deals().report({})), report::productRows(copy.deals().report({})));
        QVERIFY(!atDesk.products().add(copy.products().all().first()));
        // Each login keeps its own salesperson; the rest of the preferences are the dealership's (which a desk
        // may not change: the program's server test).
        Settings mine = atDesk.settings().read();
        mine.salespersonName = u"Dana"_s;
        QVERIFY(atDesk.settings().write(mine));
        // A manager's login keeps the catalogue, drawing its ids.
        QVERIFY(copy.dealsFile().exec(u"create role manager1 login in role quorvel_manager"_s));
        desk.user = u"manager1"_s;
        Store atManager(QString{});
        atManager.setServer(desk);
        QVERIFY2(atManager.open(&why), qPrintable(why));
        QCOMPARE(atManager.addProducts(copy.products().all().mid(0, 2)).firstId, 78);
        Settings managers = atManager.settings().read();
        managers.salespersonName = u"Max"_s;
        managers.dealershipName = u"Shared Motors"_s;
        QVERIFY(atManager.settings().write(managers));
        QCOMPARE(atManager.settings().read().salespersonName, u"Max"_s);
        QCOMPARE(atDesk.settings().read().salespersonName, u"Dana"_s);
        QCOMPARE(atDesk.settings().read().dealershipName, u"Shared Motors"_s);
        // A server left at an earlier version (a newer Quorvel installed at the desks first): a desk may not bring it
        // up, and its user is told who can; once the setup is run again, the desk opens.
        QVERIFY(copy.dealsFile().exec(u"update quorvel_layout set version = version - 1 where name = 'deals'"_s));
        desk.user = u"desk1"_s;
        Store early(QString{});
        early.setServer(desk);
        QVERIFY(!early.open(&why));
        QVERIFY2(why.contains(u"may not bring it up to date"_s) && why.contains(u"--setup-server"_s), qPrintable(why));
        QCOMPARE(serversetup::setUp(*server).status, 0);
        Store later(QString{});
        later.setServer(desk);
        QVERIFY2(later.open(&why), qPrintable(why));
    }
};

QTEST_GUILESS_MAIN(ServerSetupTest)
#include "serversetup_test.moc"
