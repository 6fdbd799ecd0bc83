#include "database.h"

#include "core/store/storeevents.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <QUrl>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {
// The one channel every desk of a dealership announces its writes on.
const QString kChannel = QStringLiteral("quorvel");

QString newConnectionName() { return QStringLiteral("quorvel-") + QUuid::createUuid().toString(QUuid::WithoutBraces); }

// Why a file SQLite opened is no database this program can write, "" when it is one.
QString probeWritable(const QSqlDatabase &db) {
    QString failure;
    QSqlQuery probe(db);
    auto locked = [&probe] {
        const QString why = probe.lastError().databaseText();
        return why.contains(QLatin1String("locked"), Qt::CaseInsensitive) ||
               why.contains(QLatin1String("busy"), Qt::CaseInsensitive);
    };
    // At start-up another copy's write lasts moments; a lock held longer is reported, not waited out.
    probe.exec(QStringLiteral("PRAGMA busy_timeout=3000"));
    if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
        failure = locked() ? QCoreApplication::translate("Database", "it is locked by another program")
                           : QCoreApplication::translate("Database", "it is not a database file");
    } else {
        probe.finish();
        auto unwritable = [&probe, &locked] {
            const QString why = probe.lastError().databaseText();
            if (why.contains(QLatin1String("readonly"), Qt::CaseInsensitive) ||
                why.contains(QLatin1String("read-only"), Qt::CaseInsensitive))
                return QCoreApplication::translate("Database", "it cannot be written (it is read-only)");
            if (locked())
                return QCoreApplication::translate("Database", "it is locked by another program");
            return QCoreApplication::translate("Database", "it cannot be written (%1)").arg(why);
        };
        if (!probe.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
            failure = unwritable();
        } else {
            // SQLite starts a write transaction on a file it opened read-only; only a write, here one
            // that changes nothing and is rolled back, finds that out before the user's first save.
            const int version =
                probe.exec(QStringLiteral("PRAGMA user_version")) && probe.next() ? probe.value(0).toInt() : 0;
            probe.finish();
            if (!probe.exec(QStringLiteral("PRAGMA user_version=%1").arg(version)))
                failure = unwritable();
            probe.finish();
            probe.exec(QStringLiteral("ROLLBACK"));
        }
    }
    probe.finish();
    probe.exec(QStringLiteral("PRAGMA busy_timeout=10000"));
    probe.finish();
    return failure;
}
} // namespace

Database::~Database() { close(); }

namespace {
// Whether a failure came from the server being out of reach (not running, no route, the connection
// dropped), as libpq words it, rather than from what was asked of it.
bool unreachable(const QString &why) {
    static const char *const phrases[] = {"could not connect",
                                          "connection refused",
                                          "timeout expired",
                                          "could not translate host",
                                          "no route to host",
                                          "network is unreachable",
                                          "is the server running",
                                          "server closed the connection",
                                          "no connection to the server",
                                          "terminating connection",
                                          "could not receive data",
                                          "could not send data",
                                          "the database system is shutting down",
                                          "the database system is starting up",
                                          "ssl syscall",
                                          "eof detected",
                                          "broken pipe",
                                          "connection reset"};
    for (const char *phrase : phrases)
        if (why.contains(QLatin1String(phrase), Qt::CaseInsensitive))
            return true;
    return false;
}

// The first of several values is SQLite's max(a, b, ...), the server's greatest(a, b, ...); max(a) is the
// aggregate on both.
QString greatestOfSeveral(QString text) {
    static const QRegularExpression call(QStringLiteral("\\bmax\\s*\\("), QRegularExpression::CaseInsensitiveOption);
    QList<qsizetype> starts;
    for (auto it = call.globalMatch(text); it.hasNext();)
        starts << it.next().capturedStart();
    for (qsizetype i = starts.size() - 1; i >= 0; --i) {
        const qsizetype open = text.indexOf(QLatin1Char('('), starts.at(i));
        int depth = 0;
        bool several = false;
        for (qsizetype c = open; c < text.size(); ++c) {
            const QChar ch = text.at(c);
            if (ch == QLatin1Char('('))
                ++depth;
            else if (ch == QLatin1Char(')') && --depth == 0)
                break;
            else if (ch == QLatin1Char(',') && depth == 1)
                several = true;
        }
        if (several)
            text.replace(starts.at(i), 3, QStringLiteral("greatest"));
    }
    return text;
}
} // namespace

QString Database::sql(const QString &text) const {
    if (!m_server)
        return text;
    static const QRegularExpression bracketed(QStringLiteral("\\[([A-Za-z_][A-Za-z0-9_]*)\\]"));
    QString out;
    qsizetype done = 0;
    for (auto it = bracketed.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(done, m.capturedStart() - done);
        out += m.captured(1) == QLatin1String("table") ? m_table : QLatin1Char('"') + m.captured(1) + QLatin1Char('"');
        done = m.capturedEnd();
    }
    out += text.mid(done);
    const bool creates = out.startsWith(QLatin1String("create table"), Qt::CaseInsensitive);
    if (creates || out.startsWith(QLatin1String("alter table"), Qt::CaseInsensitive)) {
        if (creates && text.startsWith(QLatin1String("create table [table]"), Qt::CaseInsensitive) &&
            out.endsWith(QLatin1Char(')')))
            // The record key SQLite gives every row; never shown, never written by the program.
            out.insert(out.size() - 1, QStringLiteral(", rowid bigint generated always as identity primary key"));
        out.replace(QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"), QStringLiteral("bigint primary key"));
        // Ids and slots hold the number the user typed, a fraction too, as the files' columns do.
        if (m_table == QLatin1String("products") || m_table == QLatin1String("vehicles"))
            out.replace(QStringLiteral("INTEGER NOT NULL DEFAULT 0"),
                        QStringLiteral("double precision NOT NULL DEFAULT 0"));
        static const QRegularExpression integer(QStringLiteral("\\bINTEGER\\b"));
        static const QRegularExpression real(QStringLiteral("\\bREAL\\b"));
        static const QRegularExpression blob(QStringLiteral("\\bBLOB\\b"));
        out.replace(integer, QStringLiteral("bigint"));
        out.replace(real, QStringLiteral("double precision"));
        out.replace(blob, QStringLiteral("bytea"));
    }
    // Case-blind as SQLite's NOCASE: a collation the server setup makes.
    static const QRegularExpression nocase(QStringLiteral("\\bcollate\\s+nocase\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    out.replace(nocase, QStringLiteral("collate quorvel_nocase"));
    return greatestOfSeveral(out);
}

QStringList Database::columns(const QString &table) const {
    QStringList names;
    QSqlQuery q(handle());
    if (m_server) {
        q.prepare(QStringLiteral("select lower(column_name) from information_schema.columns where table_schema = "
                                 "current_schema() and table_name = ? order by ordinal_position"));
        q.addBindValue(table == QLatin1String("table") ? m_table : table);
    } else {
        q.prepare(QStringLiteral("select lower(name) from pragma_table_info(?)"));
        q.addBindValue(table);
    }
    if (q.exec())
        while (q.next())
            names << q.value(0).toString();
    return names;
}

int Database::layoutVersion() const {
    QSqlQuery q(handle());
    if (m_server) {
        q.prepare(QStringLiteral("select version from quorvel_layout where name = ?"));
        q.addBindValue(m_table);
        return q.exec() && q.next() ? q.value(0).toInt() : 0;
    }
    return q.exec(QStringLiteral("PRAGMA user_version")) && q.next() ? q.value(0).toInt() : 0;
}

bool Database::setLayoutVersion(int version, QString *error) {
    QSqlQuery q(handle());
    bool ok = false;
    if (m_server) {
        ok = q.prepare(QStringLiteral("insert into quorvel_layout (name, version) values (?, ?) on conflict (name) "
                                      "do update set version = excluded.version"));
        q.addBindValue(m_table);
        q.addBindValue(version);
        ok = ok && q.exec();
    } else {
        ok = q.exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
    }
    if (!ok && error)
        *error = q.lastError().text();
    return ok;
}

QString Database::highestKeyDrawn(const QString &table) const {
    // Where AUTOINCREMENT keeps the highest key it handed out; the server's deals are never removed.
    return m_server ? QStringLiteral("0")
                    : QStringLiteral("coalesce((select seq from sqlite_sequence where name = '%1'), 0)").arg(table);
}

bool Database::ordersNoCase(const QString &field) const {
    QSqlQuery q(handle());
    if (m_server) {
        q.prepare(QStringLiteral("select collation_name from information_schema.columns where table_schema = "
                                 "current_schema() and table_name = ? and column_name = ?"));
        q.addBindValue(m_table);
        q.addBindValue(field);
        return q.exec() && q.next() && q.value(0).toString() == QLatin1String("quorvel_nocase");
    }
    if (!q.exec(QStringLiteral("select sql from sqlite_master where type='table' and name='table'")) || !q.next())
        return false;
    const QRegularExpression rule(QRegularExpression::escape(field) + QStringLiteral("[^,]*collate\\s+nocase"),
                                  QRegularExpression::CaseInsensitiveOption);
    return rule.match(q.value(0).toString()).hasMatch();
}

bool Database::openServer(const ServerAddress &server, const QString &table) {
    close();
    m_server = server;
    m_table = table;
    m_path = server.label();
    m_error.clear();
    return connectServer();
}

bool Database::connectServer() {
    if (!m_connection.isEmpty()) {
        {
            QSqlDatabase old = QSqlDatabase::database(m_connection, false);
            old.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_connection = newConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
    db.setHostName(m_server->host);
    db.setPort(m_server->port);
    db.setDatabaseName(m_server->database);
    db.setUserName(m_server->user);
    db.setPassword(m_server->password);
    QMap<QString, QString> options = m_server->options;
    // A server out of reach is said so in seconds, not after the system's own long wait.
    if (!options.contains(QStringLiteral("connect_timeout")))
        options.insert(QStringLiteral("connect_timeout"), QStringLiteral("10"));
    options.insert(QStringLiteral("application_name"), QStringLiteral("Quorvel"));
    QStringList pairs;
    for (auto it = options.cbegin(); it != options.cend(); ++it) {
        QString value = it.value();
        value.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
        pairs << it.key() + QStringLiteral("='") + value + QLatin1Char('\'');
    }
    db.setConnectOptions(pairs.join(QLatin1Char(';')));
    if (!db.open()) {
        m_error = db.lastError().text().trimmed();
        m_lost = unreachable(m_error);
        m_broken = true;
        return false;
    }
    m_broken = false;
    m_lost = false;
    if (m_heard) {
        subscribe();
        // What the other desks announced while this one was away was missed: everything is read again, once
        // the statement that found the connection gone has finished.
        QMetaObject::invokeMethod(
            m_ear.get(), [this] { m_heard(QString()); }, Qt::QueuedConnection);
    } else if (m_madeAfresh) {
        QMetaObject::invokeMethod(m_ear.get(), m_madeAfresh, Qt::QueuedConnection);
    }
    return true;
}

void Database::listen(Listener heard) {
    m_heard = std::move(heard);
    if (!m_ear)
        m_ear = std::make_unique<QObject>();
    if (m_server && !m_broken)
        subscribe();
}

void Database::whenMadeAfresh(std::function<void()> made) {
    m_madeAfresh = std::move(made);
    if (!m_ear)
        m_ear = std::make_unique<QObject>();
}

void Database::subscribe() {
    m_retryDelay = 0;
    QSqlDriver *driver = handle().driver();
    if (!driver || !driver->subscribeToNotification(kChannel)) {
        std::fprintf(stderr, "Quorvel: %s: changes made at other desks will not be shown (%s)\n", qPrintable(m_path),
                     driver ? qPrintable(driver->lastError().text()) : "no connection");
        return;
    }
    QSqlQuery process(handle());
    m_serverProcess = process.exec(QStringLiteral("select pg_backend_pid()")) && process.next()
                          ? process.value(0).toString()
                          : QString();
    QObject::connect(driver, &QSqlDriver::notification, m_ear.get(),
                     [this](const QString &, QSqlDriver::NotificationSource source, const QVariant &payload) {
                         // The program's own writes were announced to it already.
                         QString what = payload.toString();
                         const qsizetype mark = what.lastIndexOf(QLatin1Char(' '));
                         const QString by = mark >= 0 ? what.mid(mark + 1) : QString();
                         if (by.startsWith(QLatin1String("desks:"))) {
                             // Sent by whichever desk sealed them, this one too.
                             const QStringList desks = by.mid(6).split(QLatin1Char(','));
                             if (desks != QStringList{m_serverProcess})
                                 m_heard(what.left(mark));
                             return;
                         }
                         if (by == m_sender)
                             return;
                         if (source == QSqlDriver::OtherSource)
                             m_heard(mark >= 0 ? what.left(mark) : what);
                     });
}

void Database::markBroken() {
    if (!m_server)
        return;
    m_broken = true;
    if (m_heard && m_retryDelay == 0)
        reconnectLater();
}

void Database::reconnectLater() {
    // A few tries over half a minute: a server restarting is back by then; after that the next statement tries.
    if (m_retryDelay >= 16000) {
        m_retryDelay = 0;
        return;
    }
    m_retryDelay = m_retryDelay == 0 ? 500 : m_retryDelay * 2;
    QTimer::singleShot(m_retryDelay, m_ear.get(), [this] {
        // A statement of this program may have connected again meanwhile; a transaction is never cut short.
        if (!m_broken)
            m_retryDelay = 0;
        else if (m_inTransaction || !connectServer())
            reconnectLater();
    });
}

bool Database::connected() {
    if (!m_server || !m_broken)
        return true;
    // What a transaction did before its connection went is undone: nothing more of it may run on a new one.
    if (m_inTransaction)
        return false;
    if (connectServer())
        return true;
    reportError(QStringLiteral("%1: %2").arg(m_path, m_error));
    return false;
}

void Database::fail(const QSqlError &error, const QString &sql) {
    QString what = QStringLiteral("%1: %2").arg(m_path, error.text().trimmed());
    if (!sql.isEmpty())
        what += QLatin1Char('\n') + sql;
    if (m_server) {
        m_lost = unreachable(error.text());
        // A connection found gone is made afresh by the next statement.
        if (m_lost)
            m_broken = true;
    }
    reportError(what);
}

void Database::reportError(const QString &what) const {
    if (m_onError)
        m_onError(what);
    else
        std::fprintf(stderr, "Quorvel: %s\n", qPrintable(what));
}

QSqlDatabase Database::handle() const { return QSqlDatabase::database(m_connection, false); }

bool Database::open(const QString &path) {
    close();
    m_path = path;
    m_error.clear();
    QFileInfo info(path);
    if (!info.exists()) {
        m_error = QCoreApplication::translate("Database", "the file does not exist");
        return false;
    }
    if (!info.isFile()) {
        m_error = QCoreApplication::translate("Database", "it is not a file");
        return false;
    }
    m_connection = newConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    // mode=rw: an existing file is never created by opening it.
    QString uri =
        QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw");
    db.setDatabaseName(uri);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open()) {
        m_error = db.lastError().text();
        db = QSqlDatabase();
        close();
        return false;
    }
    // An SQLite open succeeds on any file; only a real query shows whether it is a database we can write.
    const QString failure = probeWritable(db);
    if (!failure.isEmpty()) {
        m_error = failure;
        db = QSqlDatabase(); // let go of the handle so the connection can be removed
        close();
        return false;
    }
    return true;
}

bool Database::create(const QString &path) {
    close();
    m_path = path;
    m_connection = newConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    if (!db.open()) {
        m_error = db.lastError().text();
        db = QSqlDatabase();
        close();
        return false;
    }
    return true;
}

void Database::close() {
    m_heard = nullptr;
    m_madeAfresh = nullptr;
    m_ear.reset();
    m_broken = false;
    m_inTransaction = false;
    m_lost = false;
    if (m_connection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
}

bool Database::exec(const QString &text, const QVariantList &binds, int *changed, qint64 *inserted) {
    if (!connected())
        return false;
    QString statement = sql(text);
    // The server hands a new record's key back with the insert itself.
    if (m_server && inserted)
        statement += QStringLiteral(" returning rowid");
    QSqlQuery q(handle());
    if (m_server && binds.isEmpty()) {
        // Not every statement can be prepared on the server (BEGIN, COMMIT).
        if (!q.exec(statement)) {
            fail(q.lastError());
            return false;
        }
        if (changed)
            *changed = q.numRowsAffected();
        if (inserted)
            *inserted = q.next() ? q.value(0).toLongLong() : 0;
        return true;
    }
    if (!q.prepare(statement)) {
        fail(q.lastError());
        return false;
    }
    for (const QVariant &v : binds) {
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            q.addBindValue(QVariant(QStringLiteral("")));
        else
            q.addBindValue(v);
    }
    if (!q.exec()) {
        fail(q.lastError());
        return false;
    }
    if (changed)
        *changed = q.numRowsAffected();
    if (inserted)
        *inserted = m_server ? (q.next() ? q.value(0).toLongLong() : 0) : q.lastInsertId().toLongLong();
    return true;
}

bool Database::execEach(const QString &text, qsizetype count, const std::function<QVariantList(qsizetype)> &binds) {
    if (!connected())
        return false;
    QSqlQuery q(handle());
    if (!q.prepare(sql(text))) {
        fail(q.lastError());
        return false;
    }
    for (qsizetype i = 0; i < count; ++i) {
        const QVariantList values = binds(i);
        for (int b = 0; b < values.size(); ++b) {
            const QVariant &v = values.at(b);
            q.bindValue(b,
                        v.typeId() == QMetaType::QString && v.toString().isNull() ? QVariant(QStringLiteral("")) : v);
        }
        if (!q.exec()) {
            fail(q.lastError());
            return false;
        }
    }
    return true;
}

bool Database::select(const QString &text, const QVariantList &binds,
                      const std::function<void(const QSqlQuery &)> &row) {
    if (!connected())
        return false;
    const QString statement = sql(text);
    for (bool again = true;; again = false) {
        QSqlQuery q(handle());
        q.setForwardOnly(true);
        bool ok = binds.isEmpty() && m_server ? q.exec(statement) : q.prepare(statement);
        if (!(binds.isEmpty() && m_server)) {
            for (const QVariant &v : binds)
                q.addBindValue(v);
            ok = ok && q.exec();
        }
        if (ok) {
            while (q.next())
                row(q);
            q.finish();
            return true;
        }
        // A read changes nothing: on a connection that had gone (the server restarted since), it is asked again.
        if (!(again && reconnected(q.lastError()))) {
            fail(q.lastError(), statement);
            return false;
        }
    }
}

bool Database::reconnected(const QSqlError &error) {
    return m_server && !m_inTransaction && unreachable(error.text()) && connectServer();
}

QStringList Database::tableFields() const {
    QStringList names;
    QSqlQuery q(handle());
    if (q.exec(sql(QStringLiteral("select * from [table] limit 0")))) {
        QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i)
            names << r.fieldName(i);
    }
    return names;
}

bool Database::beginImmediate(QString *error, const std::function<bool()> &beforeTurn) {
    if (!m_server) {
        if (beforeTurn && !beforeTurn())
            return false;
        if (!error)
            return exec(QStringLiteral("BEGIN IMMEDIATE"));
        QSqlQuery q(handle());
        if (q.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return true;
        *error = q.lastError().text();
        return false;
    }
    if (!connected()) {
        if (error)
            *error = m_error;
        return false;
    }
    // Writers of one table take turns, as SQLite's write lock makes them; readers never wait. A lock of
    // its own, so a desk that may only add deals can take it.
    QSqlQuery q(handle());
    bool ok = beginOnServer(q);
    if (ok && beforeTurn && !beforeTurn()) {
        rollback();
        return false;
    }
    ok = ok && q.exec(QStringLiteral("select pg_advisory_xact_lock(hashtext('quorvel %1'))").arg(m_table));
    // The settings record is also written outside such a transaction (the preferences window): held, so
    // such a write waits until the id is drawn instead of being overwritten by it.
    if (m_table == QLatin1String("preferences"))
        ok = ok && q.exec(QStringLiteral("select rowid from preferences for update"));
    m_inTransaction = ok;
    if (ok)
        return true;
    const QSqlError why = q.lastError();
    rollback();
    if (error)
        *error = why.text();
    else
        fail(why);
    return false;
}
void Database::beginSelfCommitting() { m_selfCommitting = true; }

bool Database::commit() {
    const bool selfCommitted = std::exchange(m_selfCommitting, false);
    bool ok = selfCommitted || exec(QStringLiteral("COMMIT"));
    m_inTransaction = false;
    return ok;
}

bool Database::beginOnServer(QSqlQuery &q) {
    if (q.exec(QStringLiteral("BEGIN")))
        return true;
    // A connection found gone before anything was done in it is made again, once.
    if (!reconnected(q.lastError()))
        return false;
    q = QSqlQuery(handle());
    return q.exec(QStringLiteral("BEGIN"));
}

bool Database::announce(const QString &what) {
    if (!m_server)
        return true;
    return exec(QStringLiteral("select ") + notification(what));
}

QString Database::literal(const QString &value) const {
    QSqlField field(QStringLiteral("v"), QMetaType(QMetaType::QString));
    field.setValue(value);
    return handle().driver()->formatValue(field);
}

QString Database::notification(const QString &what) const {
    return QStringLiteral("pg_notify('%1', %2)")
        .arg(kChannel, literal(m_sender.isEmpty() ? what : what + QLatin1Char(' ') + m_sender));
}

bool Database::announced(const QString &what, const std::function<bool()> &write) {
    if (!m_server)
        return write();
    if (!connected())
        return false;
    QSqlQuery begin(handle());
    if (!beginOnServer(begin)) {
        fail(begin.lastError());
        return false;
    }
    m_inTransaction = true;
    if (write() && announce(what) && commit())
        return true;
    rollback();
    return false;
}

bool Database::write(const QString &statement, const std::function<void(const QSqlQuery &)> &row) {
    if (!connected())
        return false;
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    if (!q.exec(statement)) {
        fail(q.lastError());
        return false;
    }
    while (q.next())
        row(q);
    q.finish();
    return true;
}

void Database::rollback() {
    m_inTransaction = false;
    // What committed itself stays; what failed was undone whole by the server.
    if (std::exchange(m_selfCommitting, false))
        return;
    if (m_server && m_broken)
        return; // the server already undid what the lost connection had begun
    QSqlQuery q(handle());
    q.exec(QStringLiteral("ROLLBACK"));
}

QVariant storedNumber(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9.0e15)
        return static_cast<qlonglong>(value);
    return value;
}
