#include "schema.h"

#include "core/deal/menushape.h"
#include "core/store/database.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

namespace schema {

QString productsFile() { return QStringLiteral("products.mdb"); }
QString vehiclesFile() { return QStringLiteral("vehicles.mdb"); }
QString preferencesFile() { return QStringLiteral("preferences.mdb"); }
QString dealsFile() { return QStringLiteral("deals.mdb"); }

QString fileName(File file) {
    switch (file) {
    case File::Products:
        return productsFile();
    case File::Templates:
        return vehiclesFile();
    case File::Settings:
        return preferencesFile();
    case File::Deals:
        break;
    }
    return dealsFile();
}

QString serverTable(File file) {
    switch (file) {
    case File::Products:
        return QStringLiteral("products");
    case File::Templates:
        return QStringLiteral("vehicles");
    case File::Settings:
        return QStringLiteral("preferences");
    case File::Deals:
        break;
    }
    return QStringLiteral("deals");
}

QStringList productFields() {
    return {QStringLiteral("id"),          QStringLiteral("aftermarketname"), QStringLiteral("cost"),
            QStringLiteral("msrp"),        QStringLiteral("description"),     QStringLiteral("htmlpath"),
            QStringLiteral("picturepath"), QStringLiteral("installer"),       QStringLiteral("phone"),
            QStringLiteral("notes")};
}

QString slotField(int package, int slot) { return QStringLiteral("menu%1_%2").arg(package).arg(slot); }

QStringList vehicleFields() {
    QStringList f{QStringLiteral("id"),       QStringLiteral("vehiclename"), QStringLiteral("notes"),
                  QStringLiteral("package1"), QStringLiteral("package2"),    QStringLiteral("package3"),
                  QStringLiteral("package4")};
    for (int p = 0; p < menu::Packages; ++p)
        for (int s = 0; s < menu::Slots; ++s)
            f << slotField(p, s);
    return f;
}

QStringList preferenceFields() {
    return {QStringLiteral("am_total"),        QStringLiteral("ve_total"),       QStringLiteral("package1"),
            QStringLiteral("package2"),        QStringLiteral("package3"),       QStringLiteral("package4"),
            QStringLiteral("taxrate"),         QStringLiteral("discloseprices"), QStringLiteral("disclosetotals"),
            QStringLiteral("interestrate"),    QStringLiteral("financeterm"),    QStringLiteral("dealershipname"),
            QStringLiteral("salespersonname"), QStringLiteral("disclaimer"),     QStringLiteral("password"),
            QStringLiteral("passwordprotect"), QStringLiteral("includetax")};
}

QString defaultStatement() {
    return QStringLiteral("I was shown each product above. I understand that every product is optional, that buying or "
                          "declining any of them does not affect my credit approval, and I have marked my choice.");
}

QStringList dealFields() {
    return {QStringLiteral("id"),
            QStringLiteral("saved"),
            QStringLiteral("salesperson"),
            QStringLiteral("customer"),
            QStringLiteral("vehicle"),
            QStringLiteral("stocknumber"),
            QStringLiteral("interestrate"),
            QStringLiteral("financeterm"),
            QStringLiteral("cashdeal"),
            QStringLiteral("includetax"),
            QStringLiteral("taxrate"),
            QStringLiteral("discloseprices"),
            QStringLiteral("disclosetotals"),
            QStringLiteral("dealership"),
            QStringLiteral("disclaimer"),
            QStringLiteral("statement"),
            QStringLiteral("chosenpackage"),
            QStringLiteral("chosenname"),
            QStringLiteral("finalpayment"),
            QStringLiteral("package1"),
            QStringLiteral("package2"),
            QStringLiteral("package3"),
            QStringLiteral("package4")};
}

QStringList dealItemFields() {
    return {QStringLiteral("deal"),      QStringLiteral("package"),     QStringLiteral("slot"),
            QStringLiteral("productid"), QStringLiteral("name"),        QStringLiteral("cost"),
            QStringLiteral("msrp"),      QStringLiteral("description"), QStringLiteral("accepted")};
}

namespace {

// One change of a step. A field is added only where it is missing; any other statement may run again
// without harm ("if not exists").
// `engines` says where a statement runs: the engines differ in how they keep a stored deal as saved.
enum Engines { Both, FilesOnly, ServerOnly };
struct Change {
    QString table;
    QString field;
    QString sql;
    Engines engines = Both;
};
Change field(const QString &table, const QString &name, const QString &declaration) {
    return {table, name,
            QStringLiteral("alter table %1 add column %2 %3")
                .arg(table == QLatin1String("table") ? QStringLiteral("[table]") : table, name, declaration)};
}
Change statement(const QString &sql, Engines engines = Both) { return {QString(), QString(), sql, engines}; }

using Step = QList<Change>; // brings a file from layout i to layout i + 1

struct Layout {
    QStringList create; // a new file's tables, before every step is run on them
    QList<Step> steps;
};

const QString kTable = QStringLiteral("table");

// Amounts are REAL so that "order by" sorts them as numbers; names and notes sort without regard to case,
// as a user reading a list expects (an older file keeps the order its names have).
Layout products() {
    return {{QStringLiteral("create table [table] (id INTEGER NOT NULL DEFAULT 0, "
                            "aftermarketname TEXT NOT NULL DEFAULT '' COLLATE NOCASE, cost REAL NOT NULL DEFAULT 0, "
                            "msrp REAL NOT NULL DEFAULT 0, description TEXT, htmlpath TEXT NOT NULL DEFAULT '', "
                            "picturepath TEXT NOT NULL DEFAULT '', installer TEXT NOT NULL DEFAULT '', "
                            "phone TEXT NOT NULL DEFAULT '', notes TEXT NOT NULL DEFAULT '')")},
            // 1: products are looked up by id everywhere, though id is not a key: an index, not a constraint.
            {{statement(QStringLiteral("create index if not exists products_id on [table](id)"))}}};
}

Layout templates() {
    QString create = QStringLiteral(
        "create table [table] (id INTEGER NOT NULL DEFAULT 0, vehiclename TEXT NOT NULL DEFAULT '' COLLATE NOCASE, "
        "notes TEXT NOT NULL DEFAULT '' COLLATE NOCASE, package1 TEXT NOT NULL DEFAULT '', "
        "package2 TEXT NOT NULL DEFAULT '', package3 TEXT NOT NULL DEFAULT '', package4 TEXT NOT NULL DEFAULT ''");
    for (int p = 0; p < menu::Packages; ++p)
        for (int s = 0; s < menu::Slots; ++s)
            create += QStringLiteral(", %1 INTEGER NOT NULL DEFAULT 0").arg(slotField(p, s));
    create += QLatin1Char(')');
    // 1: templates are looked up by id, as products are.
    return {{create}, {{statement(QStringLiteral("create index if not exists vehicles_id on [table](id)"))}}};
}

Layout settings() {
    return {{QStringLiteral(
                 "create table [table] (am_total INTEGER NOT NULL, ve_total INTEGER NOT NULL, "
                 "package1 TEXT NOT NULL, package2 TEXT NOT NULL, package3 TEXT NOT NULL, package4 TEXT NOT NULL, "
                 "taxrate REAL NOT NULL, discloseprices INTEGER NOT NULL, disclosetotals INTEGER NOT NULL, "
                 "interestrate REAL NOT NULL, financeterm INTEGER NOT NULL, dealershipname TEXT NOT NULL, "
                 "salespersonname TEXT NOT NULL, disclaimer TEXT NOT NULL, password TEXT NOT NULL, "
                 "passwordprotect INTEGER NOT NULL, includetax INTEGER NOT NULL)"),
             // The one settings record every settings file holds.
             QStringLiteral("insert into [table] values (0, 0, '', '', '', '', 0, 0, 0, 0, 0, '', '', '', '', 0, 0)")},
            // 1: the second and third finance terms and the statement the customer signs.
            {{field(kTable, QStringLiteral("financeterm2"), QStringLiteral("INTEGER NOT NULL DEFAULT 0")),
              field(kTable, QStringLiteral("financeterm3"), QStringLiteral("INTEGER NOT NULL DEFAULT 0")),
              field(kTable, QStringLiteral("statement"),
                    QStringLiteral("TEXT NOT NULL DEFAULT '%1'").arg(defaultStatement()))},
             // 2: whether a deal starts as a lease.
             {field(kTable, QStringLiteral("leasedeal"), QStringLiteral("INTEGER NOT NULL DEFAULT 0"))},
             // 3: on a server, the salesperson is each login's own; a login sees and changes its own row only.
             {statement(QStringLiteral("create table if not exists deskpreferences (username text primary key "
                                       "default current_user, salesperson text not null default '')"),
                        ServerOnly),
              statement(QStringLiteral("alter table deskpreferences enable row level security"), ServerOnly),
              statement(QStringLiteral("do $$ begin if not exists (select 1 from pg_policies where policyname = "
                                       "'deskpreferences_own') then create policy deskpreferences_own on "
                                       "deskpreferences using (username = current_user) with check (username = "
                                       "current_user); end if; end $$"),
                        ServerOnly)}}};
}

// The deal number is never handed out twice (AUTOINCREMENT), and the file itself refuses to change or
// delete a stored deal. The package captions beside the chosen one are kept so the deal page can be
// printed again with its headings.
Layout deals() {
    const QString deals = QStringLiteral("deals");
    const QString real = QStringLiteral("REAL NOT NULL DEFAULT 0");
    // 5: whether a deal is a lease, its residuals at each term and its money factor, so a lease reprints as
    // shown; every deal stored before is a loan or a cash deal.
    const Step leases{
        field(deals, QStringLiteral("leasedeal"), QStringLiteral("INTEGER NOT NULL DEFAULT 0")),
        field(deals, QStringLiteral("residualvalue"), real), field(deals, QStringLiteral("residualvalue2"), real),
        field(deals, QStringLiteral("residualvalue3"), real), field(deals, QStringLiteral("moneyfactor"), real)};
    // 6: the product report's counts, kept as each item is stored, so the report need not read every
    // item of every deal: for each day, salesperson (as stored) and product, the deals that offered
    // it and that kept it, and the MSRP and profit it brought. Filled once from the deals stored
    // before; stored items then count themselves (the server's desks may read the counts only).
    // How the server adds a statement's counts to those kept.
    const QString countsAdded = QStringLiteral(
        "on conflict (day, salesperson, name) do update set offered = reportcounts.offered + excluded.offered, "
        "accepted = reportcounts.accepted + excluded.accepted, sold = reportcounts.sold + excluded.sold, "
        "profit = reportcounts.profit + excluded.profit; ");
    const Step reportCounts{
        statement(QStringLiteral("create table if not exists reportcounts (day TEXT NOT NULL, "
                                 "salesperson TEXT NOT NULL, name TEXT NOT NULL, "
                                 "offered INTEGER NOT NULL DEFAULT 0, accepted INTEGER NOT NULL DEFAULT 0, "
                                 "sold REAL NOT NULL DEFAULT 0, profit REAL NOT NULL DEFAULT 0, "
                                 "PRIMARY KEY (day, salesperson, name))")),
        statement(
            QStringLiteral("insert into reportcounts (day, salesperson, name, offered, accepted, sold, profit) "
                           "select coalesce(substr(d.saved, 1, 10), ''), coalesce(d.salesperson, ''), o.name, "
                           "count(*), sum(o.kept), "
                           "coalesce(sum(o.sold), 0), coalesce(sum(o.profit), 0) from (select i.deal as deal, "
                           "coalesce(i.name, '') as name, "
                           "max(case when i.accepted = 1 then 1 else 0 end) as kept, "
                           "sum(case when i.accepted = 1 then i.msrp else 0 end) as sold, "
                           "sum(case when i.accepted = 1 then i.msrp - i.cost else 0 end) as profit "
                           "from dealitems i where i.productid > 0 group by 1, 2) o join deals d on d.id = o.deal "
                           "where not exists (select 1 from reportcounts) "
                           "group by 1, 2, 3")),
        // Counted before it is stored, seeing the deal's items stored before it: a product is offered
        // (or kept) in a deal by its first item there.
        statement(
            QStringLiteral(
                "create trigger if not exists dealitems_counted before insert on dealitems "
                "when new.productid > 0 begin "
                "insert into reportcounts (day, salesperson, name, offered, accepted, sold, profit) "
                "select coalesce(substr(d.saved, 1, 10), ''), coalesce(d.salesperson, ''), coalesce(new.name, ''), "
                "not exists (select 1 from dealitems x where x.deal = new.deal and x.name = new.name "
                "and x.productid > 0), "
                "new.accepted = 1 and not exists (select 1 from dealitems x where x.deal = new.deal and "
                "x.name = new.name and x.productid > 0 and x.accepted = 1), "
                "case when new.accepted = 1 then coalesce(new.msrp, 0) else 0 end, "
                "case when new.accepted = 1 then coalesce(new.msrp - new.cost, 0) else 0 end "
                "from deals d where d.id = new.deal "
                "on conflict (day, salesperson, name) do update set offered = offered + excluded.offered, "
                "accepted = accepted + excluded.accepted, sold = sold + excluded.sold, "
                "profit = profit + excluded.profit; end"),
            FilesOnly),
        // Run as the server's owner: a desk that stores a deal counts it, but cannot change the counts.
        statement(QStringLiteral("create or replace function quorvel_count_item() returns trigger language plpgsql "
                                 "security definer set search_path = public as $$ begin "
                                 "insert into reportcounts (day, salesperson, name, offered, accepted, sold, profit) "
                                 "select coalesce(substr(d.saved, 1, 10), ''), coalesce(d.salesperson, ''), new.name, "
                                 "case when exists (select 1 from dealitems x where x.deal = new.deal and "
                                 "x.name = new.name and x.productid > 0) then 0 else 1 end, "
                                 "case when new.accepted = 1 and not exists (select 1 from dealitems x where "
                                 "x.deal = new.deal and x.name = new.name and x.productid > 0 and x.accepted = 1) "
                                 "then 1 else 0 end, "
                                 "case when new.accepted = 1 then new.msrp else 0 end, "
                                 "case when new.accepted = 1 then new.msrp - new.cost else 0 end "
                                 "from deals d where d.id = new.deal ") +
                      countsAdded + QStringLiteral("return new; end $$"),
                  ServerOnly),
        statement(QStringLiteral("create or replace trigger dealitems_counted before insert on dealitems "
                                 "for each row when (new.productid > 0) execute function quorvel_count_item()"),
                  ServerOnly)};
    // 7: on the server the counts are kept once for each stored statement rather than for each item, which
    // shortens the turn every desk's save waits for. A product is offered (or kept) in a deal by its first item
    // there: when every item of it in the deal (every kept one) came in this statement.
    const Step countsPerStatement{
        statement(
            QStringLiteral("create or replace function quorvel_count_items() returns trigger language plpgsql "
                           "security definer set search_path = public as $$ begin "
                           "insert into reportcounts (day, salesperson, name, offered, accepted, sold, profit) "
                           "select coalesce(substr(d.saved, 1, 10), ''), coalesce(d.salesperson, ''), n.name, "
                           "sum(case when (select count(*) from dealitems x where x.deal = n.deal and "
                           "x.name = n.name and x.productid > 0) = n.items then 1 else 0 end), "
                           "sum(case when n.kept > 0 and (select count(*) from dealitems x where x.deal = n.deal "
                           "and x.name = n.name and x.productid > 0 and x.accepted = 1) = n.kept then 1 else 0 end), "
                           "sum(n.sold), sum(n.profit) "
                           "from (select deal, name, count(*) as items, "
                           "sum(case when accepted = 1 then 1 else 0 end) as kept, "
                           "sum(case when accepted = 1 then msrp else 0 end) as sold, "
                           "sum(case when accepted = 1 then msrp - cost else 0 end) as profit "
                           "from counted where productid > 0 group by deal, name) n join deals d on d.id = n.deal "
                           "group by 1, 2, 3 ") +
                countsAdded + QStringLiteral("return null; end $$"),
            ServerOnly),
        statement(QStringLiteral("drop trigger if exists dealitems_counted on dealitems"), ServerOnly),
        statement(QStringLiteral("create trigger dealitems_counted after insert on dealitems referencing new table "
                                 "as counted for each statement execute function quorvel_count_items()"),
                  ServerOnly),
        statement(QStringLiteral("drop function if exists quorvel_count_item()"), ServerOnly)};
    // How a desk's deal waits for its number (step 11): it is queued and committed, so whoever holds the turn sees
    // it, then the desk takes the turn. If the deal was numbered meanwhile by a desk before it in line,
    // the turn is only passed on; otherwise this desk numbers, chains and writes every deal queued, in one
    // statement each for the deals and their items. The turn is held for the work of many deals at once rather
    // than once for each desk's. The queue is not logged: a server that stops loses what was queued, which no
    // desk was told was stored.
    const QString queueDeal =
        QStringLiteral("insert into dealqueue (made, items, pieces) values (deal_fields, deal_items, sealed_pieces); "
                       "mine := currval('dealqueue_ticket_seq'); ");
    const QString takeTurn = QStringLiteral("perform pg_advisory_xact_lock(hashtext('quorvel deals')); ");
    // A refused deal's reason, raised as the tables gave it.
    const QString raiseIfRefused = QStringLiteral("if got.failed is not null then raise exception using message = "
                                                  "got.failed, errcode = got.failedstate; end if; ");
    // Numbers, chains and writes the deals queued under `tickets`, in their order; one already sealed is not
    // sealed again, whoever asks. The desks hear of them once the batch commits, marked with the server processes
    // that queued them, so a desk knows its own; past what a notification carries, only that deals were stored.
    const QString sealBatch =
        QStringLiteral(
            "create or replace function quorvel_seal_batch(tickets bigint[]) returns void language plpgsql "
            "security definer set search_path = public set plan_cache_mode = force_generic_plan set jit = off as $$ "
            "declare number bigint; chained text; q record; made deals; done deals[] := '{}'; "
            "sealedTickets bigint[] := '{}'; ids bigint[] := '{}'; seals text[] := '{}'; "
            "dealList text; deskList text; begin ") +
        takeTurn +
        QStringLiteral(
            "select greatest(coalesce(max(d.id), 0), (select coalesce(max(i.deal), 0) from dealitems i)) "
            "into number from deals d; "
            "select d.seal into chained from deals d where d.seal <> '' order by d.id desc limit 1; "
            "for q in select w.ticket, w.made, w.pieces from dealqueue w where w.ticket = any(tickets) "
            "and w.drawn is null and w.failed is null order by w.ticket loop "
            "number := number + 1; made := jsonb_populate_record(null::deals, q.made); made.id := number; "
            "made.seal := encode(sha256(convert_to(E'quorvel-seal 1\\nprevious=' || coalesce(chained, '') || "
            "E'\\n' || coalesce(array_to_string(q.pieces, number::text), ''), 'UTF8')), 'hex'); "
            "chained := made.seal; done := done || made; sealedTickets := sealedTickets || q.ticket; "
            "ids := ids || number; seals := seals || made.seal; end loop; "
            "insert into deals select * from unnest(done); "
            "insert into dealitems (deal, package, slot, productid, name, cost, msrp, description, accepted) "
            "select s.id, i.package, i.slot, i.productid, i.name, i.cost, i.msrp, i.description, i.accepted "
            "from unnest(sealedTickets, ids) s(ticket, id) join dealqueue w on w.ticket = s.ticket "
            "cross join lateral jsonb_populate_recordset(null::dealitems, w.items) i; "
            "update dealqueue w set drawn = s.id, sealed = s.seal "
            "from unnest(sealedTickets, ids, seals) s(ticket, id, seal) where w.ticket = s.ticket; "
            "if cardinality(ids) = 0 then return; end if; "
            "dealList := array_to_string(ids, ','); "
            "deskList := (select string_agg(distinct w.desk::text, ',') from dealqueue w "
            "where w.ticket = any(sealedTickets)); "
            "perform pg_notify('quorvel', case when length(dealList) < 3500 then 'deals:' || dealList else 'deals' end "
            "|| ' desks:' || case when length(deskList) < 4000 then deskList else '' end); end $$");
    // Seals every deal queued. One that the tables refuse is marked with the reason, for its desk to report,
    // and the others are stored without it. Planned with indexes only: the plans are kept from when the queue
    // was a page or two, long after it has grown.
    const QString sealQueued =
        QStringLiteral(
            "create or replace function quorvel_seal_queued() returns void language plpgsql security definer "
            "set search_path = public set enable_seqscan = off as $$ declare pending bigint[]; t bigint; begin ") +
        takeTurn +
        QStringLiteral("pending := array(select w.ticket from dealqueue w where w.drawn is null and w.failed is null "
                       "order by w.ticket); "
                       "if cardinality(pending) = 0 then return; end if; "
                       "begin perform quorvel_seal_batch(pending); "
                       "exception when others then foreach t in array pending loop "
                       "begin perform quorvel_seal_batch(array_append(null::bigint[], t)); "
                       "exception when others then update dealqueue w set failed = sqlerrm, failedstate = sqlstate "
                       "where w.ticket = t; end; end loop; end; end $$");
    // A desk's own deal, once numbered or refused, taken off the queue.
    const QString takeQueued = QStringLiteral(
        "create or replace function quorvel_take_queued(wanted bigint) returns table (drawn bigint, sealed text, "
        "failed text, failedstate text) language plpgsql security definer set search_path = public as $$ begin "
        "return query delete from dealqueue w where w.ticket = wanted and w.desk = pg_backend_pid() "
        "and (w.drawn is not null or w.failed is not null) returning w.drawn, w.sealed, w.failed, w.failedstate; "
        "end $$");
    // What desks gone from the server left in the queue (their connection lost as they saved), cleared as a desk
    // opens: they were told nothing was stored.
    const QString clearQueue =
        QStringLiteral("create or replace function quorvel_clear_queue() returns void language sql security definer "
                       "set search_path = public as $$ delete from dealqueue w where not exists "
                       "(select 1 from pg_stat_get_activity(w.desk) a where a.pid = w.desk) $$");
    // How the server numbers, chains and writes a deal saved in a transaction of several (step 8), as it now stands
    // (step 11): queued and sealed at once, with whatever other desks queued.
    const QString addDeal =
        QStringLiteral(
            "create or replace function quorvel_add_deal(deal_fields jsonb, deal_items jsonb, sealed_pieces text[]) "
            "returns table (drawn bigint, sealed text) language plpgsql as $$ declare mine bigint; got record; begin "
            "if deal_fields is null then return; end if; ") +
        queueDeal +
        QStringLiteral("perform quorvel_seal_queued(); select * into got from quorvel_take_queued(mine); ") +
        raiseIfRefused + QStringLiteral("return query select got.drawn, got.sealed; end $$");
    // The desk's one trip for a deal (step 9), as it now stands (step 13): queued and committed, then sealed in
    // its turn, which ends with the commit. The desk that seals a batch commits it to the disk before the turn
    // passes on, so a desk whose deal it sealed finds the deal there and only takes its result off the queue;
    // once the call returns the deal is stored. Called with no deal it readies the connection (the names'
    // collation) and clears the queue of what desks gone from the server left.
    const QString saveDeal =
        QStringLiteral(
            "create or replace procedure quorvel_save_deal(deal_fields jsonb, deal_items jsonb, sealed_pieces text[], "
            "inout drawn bigint, inout sealed text) language plpgsql as $$ declare mine bigint; got record; "
            "durable text := current_setting('synchronous_commit'); begin "
            "if deal_fields is null then perform 1 where ('a' collate quorvel_nocase) < 'b'; "
            "perform quorvel_clear_queue(); return; end if; "
            "perform set_config('synchronous_commit', 'off', true); ") +
        queueDeal + QStringLiteral("commit; perform set_config('synchronous_commit', 'off', true); ") + takeTurn +
        QStringLiteral("select * into got from quorvel_take_queued(mine); "
                       "if not found then perform quorvel_seal_queued(); "
                       "select * into got from quorvel_take_queued(mine); "
                       "perform set_config('synchronous_commit', durable, true); end if; "
                       "commit; ") +
        raiseIfRefused +
        QStringLiteral("if got.drawn is null then raise exception 'the deal was not stored'; end if; "
                       "drawn := got.drawn; sealed := got.sealed; end $$");
    // How the server keeps the report's counts as items are stored (step 8), as it now stands (step 12). A deal
    // whose items all came in this statement (as every desk stores them) offers each of its products here; only
    // a deal given items in several statements has each product's earlier items looked for. Each deal is looked
    // up once, by its number, whatever the server's statistics say (a new server's say its tables are empty
    // long after they are not).
    const QString countItems =
        QStringLiteral("create or replace function quorvel_count_items() returns trigger language plpgsql "
                       "security definer set search_path = public set jit = off as $$ begin "
                       "if exists (select 1 from (select distinct deal from counted) c where not exists "
                       "(select 1 from deals d where d.id = c.deal)) then raise exception using message = "
                       "'an item must belong to a stored deal', errcode = 'foreign_key_violation'; end if; "
                       "insert into reportcounts (day, salesperson, name, offered, accepted, sold, profit) "
                       "with w as materialized (select c.deal, "
                       "c.items = (select count(*) from dealitems x where x.deal = c.deal) as whole, "
                       "(select coalesce(substr(d.saved, 1, 10), '') from deals d where d.id = c.deal) as day, "
                       "(select coalesce(d.salesperson, '') from deals d where d.id = c.deal) as salesperson "
                       "from (select deal, count(*) as items from counted group by deal) c) "
                       "select w.day, w.salesperson, n.name, "
                       "sum(case when w.whole then 1 when (select count(*) from dealitems x where x.deal = n.deal and "
                       "x.name = n.name and x.productid > 0) = n.items then 1 else 0 end), "
                       "sum(case when n.kept = 0 then 0 when w.whole then 1 when (select count(*) from dealitems x "
                       "where x.deal = n.deal and x.name = n.name and x.productid > 0 and x.accepted = 1) = n.kept "
                       "then 1 else 0 end), "
                       "sum(n.sold), sum(n.profit) "
                       "from (select deal, name, count(*) as items, "
                       "sum(case when accepted = 1 then 1 else 0 end) as kept, "
                       "sum(case when accepted = 1 then msrp else 0 end) as sold, "
                       "sum(case when accepted = 1 then msrp - cost else 0 end) as profit "
                       "from counted where productid > 0 group by deal, name) n join w on w.deal = n.deal "
                       "group by 1, 2, 3 ") +
        countsAdded + QStringLiteral("return null; end $$");
    // 8: on the server a deal is numbered, chained to the seal before it and written by one statement that
    // commits itself, so the turn every desk's save waits for holds no trip between the desk and the server.
    // A product's earlier items in a deal are found among the deal's few items: the index by product cost every
    // save and served nothing else on the server.
    const Step storedByTheServer{statement(addDeal, ServerOnly), statement(countItems, ServerOnly),
                                 statement(QStringLiteral("drop index if exists dealitems_product"), ServerOnly)};
    // 9: the desk's one trip for a deal also waits for the disk.
    const Step storedInOneTrip{statement(saveDeal, ServerOnly)};
    // 10: the turn every desk's save waits for is shorter: what needs no number is done before it, the desk
    // sends its seal's text in pieces rather than have the server look for where the number goes, and the counts
    // look each deal up once for all its products rather than once for each.
    const Step shorterTurn{
        // A server made now never had the earlier forms: their absence is not worth a notice.
        statement(QStringLiteral("set local client_min_messages = warning"), ServerOnly),
        statement(QStringLiteral("drop procedure if exists quorvel_save_deal(jsonb, jsonb, text, bigint, text)"),
                  ServerOnly),
        statement(QStringLiteral("drop function if exists quorvel_add_deal(jsonb, jsonb, text)"), ServerOnly),
        statement(addDeal, ServerOnly),
        statement(saveDeal, ServerOnly),
        statement(countItems, ServerOnly)};
    // 11: the turn is taken for every deal queued at the time, not for each desk's.
    const Step sealedTogether{
        statement(QStringLiteral("create unlogged table if not exists dealqueue (ticket bigserial primary key, "
                                 "desk integer not null default pg_backend_pid(), made jsonb not null, "
                                 "items jsonb not null, pieces text[] not null, drawn bigint, sealed text, "
                                 "failed text, failedstate text)"),
                  ServerOnly),
        // The roles may be made after the tables, and are granted this with the rest then.
        statement(QStringLiteral("do $$ begin if exists (select 1 from pg_roles where rolname = 'quorvel_desk') "
                                 "then grant insert (made, items, pieces) on dealqueue to quorvel_desk; "
                                 "grant usage on sequence dealqueue_ticket_seq to quorvel_desk; end if; end $$"),
                  ServerOnly),
        statement(sealBatch, ServerOnly), statement(sealQueued, ServerOnly), statement(takeQueued, ServerOnly),
        statement(clearQueue, ServerOnly), statement(addDeal, ServerOnly), statement(saveDeal, ServerOnly)};
    // 12: the turn is shorter again. The items' deals are looked for once for each deal, by the counts, rather than
    // once for each item by the foreign key: a stored deal is never deleted, so the key guarded nothing more. The
    // queue compresses by the faster method, where the server was built with it. The deals sealed together are
    // announced together, by the server: the desks then wake once for each batch rather than for each desk's deals.
    // The deals waiting are found by an index of their own: the queue is vacuumed once a minute at most, and every
    // deal leaves it two dead rows a scan of the whole table would read again for each batch. Sealing is never
    // compiled (JIT): planned while the statistics are stale (as after a large copy), the counts cost enough for
    // it, and the compiling, about half a second, would be done again for every batch in the turn.
    const Step lookedForOnce{
        statement(countItems, ServerOnly),
        statement(sealBatch, ServerOnly),
        statement(QStringLiteral("create index if not exists dealqueue_pending on dealqueue (ticket) "
                                 "where drawn is null and failed is null"),
                  ServerOnly),
        statement(sealQueued, ServerOnly),
        statement(QStringLiteral("alter table dealitems drop constraint if exists dealitems_deal_fkey"), ServerOnly),
        statement(QStringLiteral("do $$ begin alter table dealqueue alter column made set compression lz4, "
                                 "alter column items set compression lz4, alter column pieces set compression lz4; "
                                 "exception when others then null; end $$"),
                  ServerOnly)};
    // 13: a batch reaches the disk with the commit that ends its turn, rather than each of its desks writing a
    // further record after the turn and waiting for the disk with it: one commit less for every deal, for one
    // wait for the disk in the turn for every batch.
    const Step flushedInTheTurn{statement(saveDeal, ServerOnly)};
    return {{QStringLiteral("create table deals (id INTEGER PRIMARY KEY AUTOINCREMENT, saved TEXT NOT NULL, "
                            "salesperson TEXT NOT NULL DEFAULT '', customer TEXT NOT NULL DEFAULT '', "
                            "vehicle TEXT NOT NULL DEFAULT '', stocknumber TEXT NOT NULL DEFAULT '', "
                            "interestrate REAL NOT NULL DEFAULT 0, financeterm REAL NOT NULL DEFAULT 0, "
                            "cashdeal INTEGER NOT NULL DEFAULT 0, includetax INTEGER NOT NULL DEFAULT 0, "
                            "taxrate REAL NOT NULL DEFAULT 0, discloseprices INTEGER NOT NULL DEFAULT 0, "
                            "disclosetotals INTEGER NOT NULL DEFAULT 0, dealership TEXT NOT NULL DEFAULT '', "
                            "disclaimer TEXT NOT NULL DEFAULT '', statement TEXT NOT NULL DEFAULT '', "
                            "chosenpackage INTEGER NOT NULL DEFAULT -1 CHECK (chosenpackage BETWEEN -1 AND 3), "
                            "chosenname TEXT NOT NULL DEFAULT '', finalpayment TEXT NOT NULL DEFAULT '0.00', "
                            "package1 TEXT NOT NULL DEFAULT '', package2 TEXT NOT NULL DEFAULT '', "
                            "package3 TEXT NOT NULL DEFAULT '', package4 TEXT NOT NULL DEFAULT '')"),
             QStringLiteral("create table dealitems (deal INTEGER NOT NULL REFERENCES deals(id), "
                            "package INTEGER NOT NULL CHECK (package BETWEEN 0 AND 3), "
                            "slot INTEGER NOT NULL CHECK (slot BETWEEN 0 AND 9), "
                            "productid REAL NOT NULL DEFAULT 0, name TEXT NOT NULL DEFAULT '', "
                            "cost REAL NOT NULL DEFAULT 0, msrp REAL NOT NULL DEFAULT 0, "
                            "description TEXT NOT NULL DEFAULT '', "
                            "accepted INTEGER NOT NULL DEFAULT 0 CHECK (accepted IN (0, 1)))")},
            {// 1: the indexes and the guards every deal file had from the first (a file that lacks them gains them),
             // and the further terms a deal offered and the amount financed, so a reprint shows every payment.
             {// A deal's items, and each slot once.
              statement(QStringLiteral("create unique index if not exists dealitems_slot on dealitems(deal, package, "
                                       "slot)")),
              // The history counts each deal's kept products from this small index alone.
              statement(QStringLiteral(
                  "create index if not exists dealitems_accepted on dealitems(deal) where accepted = 1")),
              // A deal's earlier items of a product, as its report counts are kept, are found in this index.
              statement(QStringLiteral("create index if not exists dealitems_product on dealitems(name, deal, "
                                       "accepted, msrp, cost) where productid > 0")),
              statement(QStringLiteral("create index if not exists deals_saved on deals(saved)")),
              statement(
                  QStringLiteral("create index if not exists deals_salesperson on deals(salesperson collate nocase)")),
              statement(QStringLiteral("create trigger if not exists deals_kept_changed before update on deals "
                                       "begin select raise(abort, 'a stored deal is never changed'); end"),
                        FilesOnly),
              statement(QStringLiteral("create trigger if not exists deals_kept_deleted before delete on deals "
                                       "begin select raise(abort, 'a stored deal is never deleted'); end"),
                        FilesOnly),
              statement(QStringLiteral("create trigger if not exists dealitems_kept_changed before update on "
                                       "dealitems begin select raise(abort, 'a stored deal is never changed'); end"),
                        FilesOnly),
              statement(QStringLiteral("create trigger if not exists dealitems_kept_deleted before delete on "
                                       "dealitems begin select raise(abort, 'a stored deal is never deleted'); end"),
                        FilesOnly),
              statement(QStringLiteral("create or replace function quorvel_deal_kept() returns trigger language "
                                       "plpgsql as $$ begin raise exception 'a stored deal is never changed or "
                                       "deleted'; end $$"),
                        ServerOnly),
              statement(QStringLiteral("create or replace trigger deals_kept before update or delete or truncate "
                                       "on deals for each statement execute function quorvel_deal_kept()"),
                        ServerOnly),
              statement(QStringLiteral("create or replace trigger dealitems_kept before update or delete or "
                                       "truncate on dealitems for each statement execute function "
                                       "quorvel_deal_kept()"),
                        ServerOnly),
              field(deals, QStringLiteral("financeterm2"), real), field(deals, QStringLiteral("financeterm3"), real),
              field(deals, QStringLiteral("amountfinanced"), real)},
             // 2: the term the customer took.
             {field(deals, QStringLiteral("chosenterm"), real)},
             // 3: whether a cash price carried a month's interest, as every cash deal stored before this
             // layout did; those deals reprint with the figures their customers saw.
             {field(deals, QStringLiteral("cashinterest"), QStringLiteral("INTEGER NOT NULL DEFAULT 1"))},
             // 4: each deal's seal, which chains it to the deals before it, and the customer's signature as
             // drawn (a PNG). Deals stored before this layout keep an empty seal: saved before sealing.
             {field(deals, QStringLiteral("seal"), QStringLiteral("TEXT NOT NULL DEFAULT ''")),
              field(deals, QStringLiteral("signature"), QStringLiteral("BLOB"))},
             leases,
             reportCounts,
             countsPerStatement,
             storedByTheServer,
             storedInOneTrip,
             shorterTurn,
             sealedTogether,
             lookedForOnce,
             flushedInTheTurn}};
}

Layout layout(File file) {
    switch (file) {
    case File::Products:
        return products();
    case File::Templates:
        return templates();
    case File::Settings:
        return settings();
    case File::Deals:
        break;
    }
    return deals();
}

QStringList addedFields(File file) {
    QStringList names;
    for (const Step &step : layout(file).steps)
        for (const Change &c : step)
            if (!c.field.isEmpty())
                names << c.field;
    return names;
}

bool run(Database &db, const QString &sql, QString *error) {
    QSqlQuery q(db.handle());
    if (q.exec(db.sql(sql)))
        return true;
    *error = q.lastError().text();
    return false;
}

bool runs(const Database &db, const Change &c) {
    return c.engines == Both || (c.engines == ServerOnly) == db.isServer();
}

int storedVersion(Database &db) { return db.layoutVersion(); }

QStringList presentFields(Database &db, const QString &table) { return db.columns(table); }

// The first step to run on a file at layout `from`. A file whose number claims a layout it lacks a field
// of (a file another tool changed) is mended by every step from the first.
qsizetype firstStep(Database &db, const Layout &l, int from) {
    for (qsizetype i = 0; i < from && i < l.steps.size(); ++i)
        for (const Change &c : l.steps.at(i))
            if (!c.field.isEmpty() && !presentFields(db, c.table).contains(c.field))
                return i;
    return from;
}

// Runs the steps from `first` on, and marks the file with the current layout. Inside a transaction.
bool runSteps(Database &db, const Layout &l, qsizetype first, QString *error) {
    for (qsizetype i = first; i < l.steps.size(); ++i)
        for (const Change &c : l.steps.at(i))
            if (runs(db, c) && (c.field.isEmpty() || !presentFields(db, c.table).contains(c.field)) &&
                !run(db, c.sql, error))
                return false;
    return db.setLayoutVersion(int(l.steps.size()), error);
}
} // namespace

QStringList addedPreferenceFields() { return addedFields(File::Settings); }
QStringList addedDealFields() { return addedFields(File::Deals); }

int currentVersion(File file) { return int(layout(file).steps.size()); }

QString madeByNewerReason() {
    return QCoreApplication::translate("schema",
                                       "it was made by a newer Quorvel; open it with that version or a later one");
}

bool madeByNewer(Database &db, File file) { return storedVersion(db) > currentVersion(file); }

bool createTables(Database &db, File file, QString *why) {
    const Layout l = layout(file);
    QString error;
    bool made = true;
    for (const QString &sql : l.create)
        made = made && run(db, sql, &error);
    made = made && runSteps(db, l, 0, &error);
    if (!made && why)
        *why = error;
    return made;
}

bool createFile(const QString &path, File file, QString *why) {
    Database db;
    if (!db.create(path)) {
        if (why)
            *why = db.errorText();
        return false;
    }
    const Layout l = layout(file);
    QString error;
    bool made = run(db, QStringLiteral("BEGIN IMMEDIATE"), &error);
    for (const QString &sql : l.create)
        made = made && run(db, sql, &error);
    made = made && runSteps(db, l, 0, &error) && run(db, QStringLiteral("COMMIT"), &error);
    if (!made) {
        db.rollback();
        if (why)
            *why = error;
    }
    return made;
}

bool bringUpTables(Database &db, File file, bool *changed, QString *why) {
    const Layout l = layout(file);
    const int current = int(l.steps.size());
    const int from = storedVersion(db);
    *changed = false;
    if (from > current) {
        if (why)
            *why = madeByNewerReason();
        return false;
    }
    if (from == current && firstStep(db, l, current) == current)
        return true;
    QString error;
    if (!runSteps(db, l, firstStep(db, l, from), &error)) {
        if (why)
            *why = error;
        return false;
    }
    *changed = true;
    return true;
}

namespace {
// Why the tables could not be brought up to this version. A desk's login may not change them on a server: its
// user is told who can.
QString notBroughtUpReason(const Database &db, const QString &error) {
    if (db.isServer() && error.contains(QLatin1String("(42501)")))
        return QCoreApplication::translate("schema",
                                           "it was set up for an earlier version of Quorvel, and this login may not "
                                           "bring it up to date; whoever set the server up can, with quorvel "
                                           "--setup-server and its address");
    return QCoreApplication::translate("schema", "it could not be given the fields this version adds (%1)").arg(error);
}
} // namespace

bool upgrade(Database &db, File file, QString *why, const std::function<QString()> &check) {
    const Layout l = layout(file);
    const int current = int(l.steps.size());
    if (storedVersion(db) == current && firstStep(db, l, current) == current)
        return true;
    QString error;
    if (!db.beginImmediate(&error)) {
        if (why)
            *why = notBroughtUpReason(db, error);
        return false;
    }
    // Read again inside the transaction: another copy may have brought it up meanwhile.
    const int from = storedVersion(db);
    if (from > current) {
        db.rollback();
        if (why)
            *why = madeByNewerReason();
        return false;
    }
    if (!runSteps(db, l, firstStep(db, l, from), &error)) {
        db.rollback();
        if (why)
            *why = notBroughtUpReason(db, error);
        return false;
    }
    if (const QString problem = check ? check() : QString(); !problem.isEmpty()) {
        db.rollback();
        if (why)
            *why = problem;
        return false;
    }
    if (!run(db, QStringLiteral("COMMIT"), &error)) {
        db.rollback();
        if (why)
            *why = notBroughtUpReason(db, error);
        return false;
    }
    return true;
}

} // namespace schema
