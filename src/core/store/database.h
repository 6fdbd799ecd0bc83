#pragma once
// A small stand-in for the original database interface: one open SQLite file per database,
// and updatable record sets opened on its table or on a query text.

#include <QSqlDatabase>
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
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    QString errorText() const { return m_error; }
    QSqlDatabase handle() const;

    // Runs a statement that returns no rows; on failure reports through the fatal handler.
    bool exec(const QString &sql, const QVariantList &binds = {});
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
    bool m_open = false;
};

// What happens when the database fails during the run. The default shows what failed and ends the
// program; tests install their own to record the failure instead.
using DatabaseErrorHandler = std::function<void(const QString &what)>;
void setDatabaseErrorHandler(DatabaseErrorHandler handler);
void reportDatabaseError(const QString &what);
