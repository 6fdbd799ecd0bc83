#pragma once
// A small stand-in for the original database interface: one open SQLite file per database,
// and updatable record sets opened on its table or on a query text.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

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
    void close();
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
    // The names of the columns of [table], in stored order.
    QStringList tableFields() const;

    // A write transaction taken at its start, so a second copy of the program waits (busy timeout)
    // instead of failing halfway.
    bool beginImmediate();
    bool commit();
    void rollback();

private:
    QString m_connection;
    QString m_path;
    QString m_error;
    ErrorHandler m_onError;
};

// Ids and slot values are whole numbers: stored as such they sort and compare as numbers. Any other value
// is stored as it is.
QVariant storedNumber(double value);
