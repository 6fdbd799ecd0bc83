#include "core/store/serversetup.h"

#include "core/store/database.h"
#include "core/store/schema.h"
#include "core/store/store.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace serversetup {

namespace {
QString tr(const char *text, const char *disambiguation = nullptr, int n = -1) {
    return QCoreApplication::translate("serversetup::Setup", text, disambiguation, n);
}

const schema::File kFiles[] = {schema::File::Products, schema::File::Templates, schema::File::Settings,
                               schema::File::Deals};

// The privileges of each role: managers keep the catalogue, templates and settings (and draw ids from the
// counters there); desks read them, and save and read deals. A manager sells too.
const char *const kGrants[] = {
    "grant usage on schema public to quorvel_desk, quorvel_manager",
    "grant select on products, vehicles, preferences, quorvel_layout to quorvel_desk",
    "grant select, insert on deals, dealitems to quorvel_desk",
    "grant select on reportcounts to quorvel_desk",
    "grant insert (made, items, pieces) on dealqueue to quorvel_desk",
    "grant usage on sequence dealqueue_ticket_seq to quorvel_desk",
    "grant select, insert, update, delete on products, vehicles to quorvel_manager",
    "grant select, update on preferences to quorvel_manager",
    "grant select, insert, update on deskpreferences to quorvel_desk",
    "grant usage on sequence products_rowid_seq, vehicles_rowid_seq, preferences_rowid_seq to quorvel_manager",
};

// Copies every row of `table` on the data folder's file into the server's table, the fields as named.
bool copyRows(Database &from, const QString &fromTable, const QStringList &fields, QSqlQuery &into,
              const QString &intoTable, int *count, QString *error) {
    const QString list = fields.join(QLatin1Char(','));
    if (!into.prepare(
            QStringLiteral("insert into %1 (%2) values (%3)")
                .arg(intoTable, list, QStringList(fields.size(), QStringLiteral("?")).join(QLatin1Char(','))))) {
        *error = into.lastError().text();
        return false;
    }
    QSqlQuery rows(from.handle());
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("select %1 from %2 order by rowid").arg(list, fromTable))) {
        *error = rows.lastError().text();
        return false;
    }
    *count = 0;
    while (rows.next()) {
        for (int i = 0; i < fields.size(); ++i)
            into.bindValue(i, rows.value(i));
        if (!into.exec()) {
            *error = into.lastError().text();
            return false;
        }
        ++*count;
    }
    return true;
}

class Setup {
public:
    Setup(const ServerAddress &server, const QString &folder) : m_server(server), m_folder(folder) {}

    Outcome run() {
        if (!m_db.openServer(m_server, schema::serverTable(schema::File::Deals)))
            return failed(m_db.errorText());
        QSqlQuery q(m_db.handle());
        // One transaction: a failure anywhere leaves the server as it was. Two setups at once take turns.
        if (!q.exec(QStringLiteral("begin")) ||
            !q.exec(QStringLiteral("select pg_advisory_xact_lock(hashtext('quorvel setup'))")))
            return failed(q.lastError().text());
        const bool ok = prepare() && makeTables() && makeRoles() && (m_folder.isEmpty() || copy());
        if (!ok || !q.exec(QStringLiteral("commit"))) {
            if (ok)
                m_error = q.lastError().text();
            QSqlQuery(m_db.handle()).exec(QStringLiteral("rollback"));
            return failed(m_error);
        }
        if (m_made.isEmpty())
            m_out.said << tr("The dealership server %1 was already set up for Quorvel; nothing was changed.")
                              .arg(m_server.label());
        else
            m_out.said =
                m_made + QStringList{tr("The dealership server %1 is set up for Quorvel.").arg(m_server.label())};
        return m_out;
    }

private:
    Outcome failed(const QString &why) {
        Outcome out;
        out.status = 1;
        out.said << tr("The dealership server %1 was not set up, and nothing was changed on it: %2")
                        .arg(m_server.label(), why.trimmed());
        return out;
    }
    bool exec(const QString &sql) {
        QSqlQuery q(m_db.handle());
        if (q.exec(sql))
            return true;
        m_error = q.lastError().text();
        return false;
    }
    bool exists(const QString &sql, const QVariant &bind) {
        QSqlQuery q(m_db.handle());
        q.prepare(sql);
        q.addBindValue(bind);
        return q.exec() && q.next();
    }

    // What every table rests on: the layout numbers, and the case-blind order of names.
    bool prepare() {
        if (m_db.columns(QStringLiteral("quorvel_layout")).isEmpty()) {
            if (!exec(QStringLiteral("create table quorvel_layout (name text primary key, version integer not null)")))
                return false;
            m_made << tr("Made the table quorvel_layout, which keeps the layout of each table.");
        }
        if (!exists(QStringLiteral("select 1 from pg_collation where collname = ? and collnamespace = "
                                   "current_schema()::regnamespace"),
                    QStringLiteral("quorvel_nocase"))) {
            if (!exec(QStringLiteral("create collation quorvel_nocase (provider = icu, locale = 'und-u-ks-level2', "
                                     "deterministic = false)")))
                return false;
            m_made << tr("Made the collation quorvel_nocase, which orders names without regard to case.");
        }
        return true;
    }

    bool makeTables() {
        for (schema::File file : kFiles) {
            const QString table = schema::serverTable(file);
            m_db.useTable(table);
            if (m_db.columns(table).isEmpty()) {
                if (!schema::createTables(m_db, file, &m_error))
                    return false;
                m_made << (file == schema::File::Deals ? tr("Made the tables deals and dealitems, whose stored deals "
                                                            "cannot be changed or deleted.")
                                                       : tr("Made the table %1.").arg(table));
                continue;
            }
            bool changed = false;
            if (!schema::bringUpTables(m_db, file, &changed, &m_error)) {
                m_error = tr("the table %1: %2").arg(table, m_error);
                return false;
            }
            if (changed)
                m_made << tr("Brought the table %1 up to this version's layout.").arg(table);
        }
        return true;
    }

    bool makeRoles() {
        for (const char *role : {"quorvel_manager", "quorvel_desk"}) {
            if (exists(QStringLiteral("select 1 from pg_roles where rolname = ?"), QString::fromLatin1(role)))
                continue;
            if (!exec(QStringLiteral("create role %1 nologin").arg(QLatin1String(role))))
                return false;
            m_made << tr("Made the role %1.").arg(QLatin1String(role));
        }
        // Granting again what is granted changes nothing.
        for (const char *grant : kGrants)
            if (!exec(QString::fromLatin1(grant)))
                return false;
        if (exists(QStringLiteral("select 1 from pg_auth_members where roleid = 'quorvel_desk'::regrole and member = "
                                  "?::regrole"),
                   QStringLiteral("quorvel_manager")))
            return true;
        return exec(QStringLiteral("grant quorvel_desk to quorvel_manager"));
    }

    bool copy() {
        Store local(m_folder);
        QString why;
        if (!local.open(&why)) {
            m_error = why;
            return false;
        }
        if (exists(QStringLiteral("select 1 from products union all select 1 from vehicles union all select 1 from "
                                  "deals limit ?"),
                   1)) {
            m_error = tr("it already holds products, templates or deals, and a data folder is copied only into an "
                         "empty server");
            return false;
        }
        QSqlQuery into(m_db.handle());
        int count = 0;
        if (!copyRows(local.productsFile(), QStringLiteral("[table]"), schema::productFields(), into,
                      QStringLiteral("products"), &count, &m_error))
            return false;
        m_made << tr("Copied %n product(s).", nullptr, count);
        if (!copyRows(local.templatesFile(), QStringLiteral("[table]"), schema::vehicleFields(), into,
                      QStringLiteral("vehicles"), &count, &m_error))
            return false;
        m_made << tr("Copied %n template(s).", nullptr, count);
        // The server's one settings record takes the folder's, counters and all.
        if (!exec(QStringLiteral("delete from preferences")) ||
            !copyRows(local.settingsFile(), QStringLiteral("[table]"),
                      schema::preferenceFields() + schema::addedPreferenceFields(), into, QStringLiteral("preferences"),
                      &count, &m_error))
            return false;
        if (count != 1) {
            m_error = tr("the data folder's settings file holds %1 records instead of one").arg(count);
            return false;
        }
        m_made << tr("Copied the settings and the id counters.");
        QStringList dealFields = schema::dealFields() + schema::addedDealFields();
        if (!copyRows(local.dealsFile(), QStringLiteral("deals"), dealFields, into, QStringLiteral("deals"), &count,
                      &m_error))
            return false;
        // The report's counts come as the folder kept them: counted again item by item in this one
        // transaction, each count would be rewritten once for every item it counts.
        int items = 0, counts = 0;
        if (!exec(QStringLiteral("alter table dealitems disable trigger dealitems_counted")) ||
            !copyRows(local.dealsFile(), QStringLiteral("dealitems"), schema::dealItemFields(), into,
                      QStringLiteral("dealitems"), &items, &m_error) ||
            !exec(QStringLiteral("alter table dealitems enable trigger dealitems_counted")) ||
            !copyRows(local.dealsFile(), QStringLiteral("reportcounts"),
                      {QStringLiteral("day"), QStringLiteral("salesperson"), QStringLiteral("name"),
                       QStringLiteral("offered"), QStringLiteral("accepted"), QStringLiteral("sold"),
                       QStringLiteral("profit")},
                      into, QStringLiteral("reportcounts"), &counts, &m_error))
            return false;
        m_made << tr("Copied %n deal(s)", nullptr, count) + tr(" with %n item(s).", nullptr, items);
        return true;
    }

    ServerAddress m_server;
    QString m_folder;
    Database m_db;
    Outcome m_out;
    QStringList m_made;
    QString m_error;
};
} // namespace

Outcome setUp(const ServerAddress &server, const QString &copyFromDataFolder) {
    return Setup(server, copyFromDataFolder).run();
}

} // namespace serversetup
