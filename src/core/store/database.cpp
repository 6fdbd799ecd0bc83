#include "database.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
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

bool Database::exec(const QString &sql, const QVariantList &binds, int *changed, qint64 *inserted) {
    QSqlQuery q(handle());
    if (!q.prepare(sql)) {
        reportError(QStringLiteral("%1: %2").arg(m_path, q.lastError().text()));
        return false;
    }
    for (const QVariant &v : binds) {
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            q.addBindValue(QVariant(QStringLiteral("")));
        else
            q.addBindValue(v);
    }
    if (!q.exec()) {
        reportError(QStringLiteral("%1: %2").arg(m_path, q.lastError().text()));
        return false;
    }
    if (changed)
        *changed = q.numRowsAffected();
    if (inserted)
        *inserted = q.lastInsertId().toLongLong();
    return true;
}

bool Database::execEach(const QString &sql, qsizetype count, const std::function<QVariantList(qsizetype)> &binds) {
    QSqlQuery q(handle());
    if (!q.prepare(sql)) {
        reportError(QStringLiteral("%1: %2").arg(m_path, q.lastError().text()));
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
            reportError(QStringLiteral("%1: %2").arg(m_path, q.lastError().text()));
            return false;
        }
    }
    return true;
}

bool Database::select(const QString &sql, const QVariantList &binds,
                      const std::function<void(const QSqlQuery &)> &row) {
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    bool ok = q.prepare(sql);
    for (const QVariant &v : binds)
        q.addBindValue(v);
    ok = ok && q.exec();
    if (!ok) {
        reportError(QStringLiteral("%1: %2\n%3").arg(m_path, q.lastError().text(), sql));
        return false;
    }
    while (q.next())
        row(q);
    q.finish();
    return true;
}

QStringList Database::tableFields() const {
    QStringList names;
    QSqlQuery q(handle());
    if (q.exec(QStringLiteral("select * from [table] limit 0"))) {
        QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i)
            names << r.fieldName(i);
    }
    return names;
}

bool Database::beginImmediate() { return exec(QStringLiteral("BEGIN IMMEDIATE")); }
bool Database::commit() { return exec(QStringLiteral("COMMIT")); }
void Database::rollback() {
    QSqlQuery q(handle());
    q.exec(QStringLiteral("ROLLBACK"));
}

QVariant storedNumber(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9.0e15)
        return static_cast<qlonglong>(value);
    return value;
}
