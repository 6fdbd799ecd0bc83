#pragma once
// A small stand-in for the original database interface: one open SQLite file per database, or one table
// set of the dealership's PostgreSQL server, and updatable record sets opened on its table or on a query text.
//
// The repositories write one SQL text for both engines, in SQLite's spelling; everything that differs
// between the engines lives here: the table's name (`[table]`), identifiers in brackets, types, the
// record key `rowid`, max() of several values, case-blind ordering, the layout number, how a new
// record's key comes back and how a write transaction is taken.

#include "core/store/recordwalk.h"
#include "core/store/serveraddress.h"

#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens an existing file for reading and writing; never creates it. On failure returns false
    // and errorText() says why in words a user understands.
    bool open(const QString &path);
    // Creates a new file (used only when the program builds its first data folder).
    bool create(const QString &path);
    // Connects to the server for the table `table` (products, vehicles, preferences; deals for the deal
    // file). False with the reason in errorText(); lost() says whether the server could not be reached.
    bool openServer(const ServerAddress &server, const QString &table);
    // On a server connection: the table [table] names from now on (one connection serving every table,
    // as the server's setup uses it).
    void useTable(const QString &table) { m_table = table; }
    void close();
    bool isServer() const { return m_server.has_value(); }
    // The file's path, or on a server "HOST/DBNAME".
    QString path() const { return m_path; }
    QString errorText() const { return m_error; }
    QSqlDatabase handle() const;

    // Runs a statement that returns no rows; a failure is reported to the error handler.
    // `changed` receives the number of records the statement changed, `inserted` the new record's key.
    bool exec(const QString &sql, const QVariantList &binds = {}, int *changed = nullptr, qint64 *inserted = nullptr);
    // Runs one statement `count` times, prepared once, with the values `binds(i)` gives for run i; stops at
    // the first failure, which is reported to the error handler. Meant for use inside a transaction.
    bool execEach(const QString &sql, qsizetype count, const std::function<QVariantList(qsizetype)> &binds);
    // Runs a query and hands every row to `row`, then finishes the statement at once so no lock stays
    // behind. A failure is reported to the error handler.
    bool select(const QString &sql, const QVariantList &binds, const std::function<void(const QSqlQuery &)> &row);

    // What happens when the file fails during the run. Without a handler the failure is only printed.
    using ErrorHandler = std::function<void(const QString &what)>;
    void setErrorHandler(ErrorHandler handler) { m_onError = std::move(handler); }
    void reportError(const QString &what) const;
    // Reports a failed statement; on a server, one that failed because the connection is gone marks it
    // for connecting again at the next statement.
    void fail(const QSqlError &error, const QString &sql = QString());
    // Whether the last failure was the server not being reachable (cleared once connected again).
    bool lost() const { return m_lost; }
    // The server went away (found by another connection): the next statement connects afresh.
    void markBroken();
    // The names of the columns of [table], in stored order.
    QStringList tableFields() const;
    // The lower-case names of the columns of `table` ("table" being [table]); none when there is no such table.
    QStringList columns(const QString &table) const;
    // `text`, written in SQLite's spelling, as this engine reads it.
    QString sql(const QString &text) const;
    // The number of the layout the file or the server's table set is at (0 when never marked).
    int layoutVersion() const;
    bool setLayoutVersion(int version, QString *error);
    // An expression for the highest key AUTOINCREMENT ever drew for `table`, also of a record no longer there.
    QString highestKeyDrawn(const QString &table) const;
    // Whether the table's `field` orders without regard to case.
    bool ordersNoCase(const QString &field) const;

    // A write transaction taken at its start, so a second copy of the program waits (busy timeout, or on
    // a server a lock of this table's writers) instead of failing halfway.
    // With `error`, a failure is put there instead of being reported. `beforeTurn` readies what needs no
    // turn (preparing statements) before waiting for it, so the turn is held no longer than the writes
    // take; when it returns false nothing is begun (it reports its own failure).
    bool beginImmediate(QString *error = nullptr, const std::function<bool()> &beforeTurn = {});
    // On a server: the writes that follow are statements that each commit on their own and return once on the
    // disk (a server procedure that takes its turn inside); commit() then only ends the save. Used instead of
    // beginImmediate().
    void beginSelfCommitting();
    bool commit();
    void rollback();
    // On a server: runs `statement`, written in the server's own SQL with its values in it, and hands its rows
    // to `row`. Never run twice: a write may have been stored although its answer was lost.
    bool write(const QString &statement, const std::function<void(const QSqlQuery &)> &row);
    // `value` as a literal of the server's SQL, quoted by the driver: written into a statement it costs no
    // trips to prepare and free a bound value.
    QString literal(const QString &value) const;

    // Stores one record only when it still holds `read` (see RecordSource::store): in one write transaction
    // the record is read again by `readRecord` (a select ending "where rowid=?"), held against every other
    // writer until the end, compared, and stored by `write`; then read once more into `read`.
    template <class Value>
    StoreOutcome storeUnchanged(const QString &readRecord, qint64 record,
                                const std::function<Value(const QSqlQuery &)> &value,
                                const std::function<bool()> &write, std::optional<Value> &read);
    // What the other desks on the server hear of a write: `what` (products, templates, settings) sent inside the
    // open transaction, so they hear it only once it commits. A file has no one to tell.
    bool announce(const QString &what);
    // Runs `write` and its announcement as one transaction on a server; on a file only runs `write`.
    bool announced(const QString &what, const std::function<bool()> &write);
    // On a server: hands `heard` what other connections announce; a null text when this connection was made
    // afresh and anything may have changed meanwhile. Listening goes on across reconnections until close().
    // What this program's other connections announced is not handed on: their announcements carry `sender`.
    // Deals are announced by the server as it stores them, marked with the server processes that queued them:
    // those this connection alone queued are not handed on either.
    using Listener = std::function<void(const QString &what)>;
    void listen(Listener heard);
    // Marks this connection's announcements as the program's own (see listen).
    void setSender(const QString &sender) { m_sender = sender; }
    // On a server: runs `made` once a connection lost is made again (after the statement that found it gone).
    void whenMadeAfresh(std::function<void()> made);

private:
    // `select`, run inside a write transaction, holds the rows it reads until the transaction ends. On SQLite
    // the transaction already holds the whole file; the server locks the rows.
    QString held(const QString &select) const { return m_server ? select + QStringLiteral(" for update") : select; }
    bool connected();
    // `what`, marked with the sender, as the server function call that announces it.
    QString notification(const QString &what) const;
    bool connectServer();
    // Whether a statement that failed with `error` outside a transaction may run again: the connection had
    // gone and is now made afresh.
    bool reconnected(const QSqlError &error);
    // BEGIN on the server in `q`; false, with the failure in `q`, when it could not be begun.
    bool beginOnServer(QSqlQuery &q);
    void subscribe();
    // The server went away: a listening connection is made again on its own, so this desk hears the others
    // again without waiting for its own next statement.
    void reconnectLater();
    QString m_connection;
    std::optional<ServerAddress> m_server;
    QString m_table;       // the server's table for [table]
    bool m_broken = false; // the server connection went away: connect again before the next statement
    bool m_lost = false;
    bool m_inTransaction = false;
    bool m_selfCommitting = false; // the writes since beginSelfCommitting() committed themselves
    QString m_path;
    QString m_error;
    ErrorHandler m_onError;
    Listener m_heard;
    std::function<void()> m_madeAfresh;
    QString m_sender;
    QString m_serverProcess;        // the listening connection's process on the server, which names the deals it queued
    int m_retryDelay = 0;           // milliseconds before the next try at a lost listening connection, 0: none due
    std::unique_ptr<QObject> m_ear; // what the driver's notifications and the retries are tied to
};

template <class Value>
StoreOutcome Database::storeUnchanged(const QString &readRecord, qint64 record,
                                      const std::function<Value(const QSqlQuery &)> &value,
                                      const std::function<bool()> &write, std::optional<Value> &read) {
    if (!beginImmediate())
        return StoreOutcome::Failed;
    std::optional<Value> now;
    auto find = [&] {
        now.reset();
        return select(held(readRecord), {record}, [&](const QSqlQuery &q) { now = value(q); });
    };
    StoreOutcome outcome = StoreOutcome::Failed;
    if (!find())
        outcome = StoreOutcome::Failed;
    else if (!now)
        outcome = StoreOutcome::Gone;
    else if (read && !(*read == *now))
        outcome = StoreOutcome::ChangedElsewhere;
    else if (write() && find() && now && commit())
        outcome = StoreOutcome::Stored;
    if (outcome != StoreOutcome::Stored)
        rollback();
    if (outcome == StoreOutcome::Stored || outcome == StoreOutcome::ChangedElsewhere)
        read = std::move(now);
    return outcome;
}

// Ids and slot values are whole numbers: stored as such they sort and compare as numbers. Any other value
// is stored as it is.
QVariant storedNumber(double value);
