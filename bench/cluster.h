#pragma once
// What the server parts share: a throwaway PostgreSQL cluster and a plain libpq connection.

#include "core/store/serveraddress.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>
#include <memory>

typedef struct pg_conn PGconn;

namespace bench {

// A cluster made with initdb in a temporary folder on a free loopback port, run by the user postgres when
// this runs as root (the server refuses root), stopped at the end. `settings`: further "-c name=value".
class Cluster {
public:
    explicit Cluster(const QStringList &settings = {});
    ~Cluster();
    Cluster(const Cluster &) = delete;
    Cluster &operator=(const Cluster &) = delete;
    bool ok() const { return m_running; }
    QString why() const { return m_why; }
    QString uri(const QString &database) const;

private:
    QString data() const;
    bool run(const QString &program, const QStringList &arguments);

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_port = 0;
    bool m_asPostgres = false;
    bool m_running = false;
    QString m_why;
};

// A plain libpq connection, for filling the tables, checking them and for the bare reads.
class Connection {
public:
    explicit Connection(const QString &uri);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    bool ok() const;
    QString error() const;
    // A statement; a failure counts as the part's failure.
    bool exec(const QString &sql);
    // The first value of the first row of a query ("" when none, or on failure, which counts).
    QString value(const QString &sql);
    // Every row of a query, each its values; a failure counts.
    QList<QStringList> rows(const QString &sql);
    // The query with nothing around it: sent, every row received and every value looked at.
    qint64 read(const QString &sql, int *rows);

private:
    PGconn *m_conn;
};

// The server a part runs on: the one QUORVEL_BENCH_SERVER names, or else a throwaway cluster (started with
// `settings`) holding an empty database "quorvel"; its name printed and a plain connection made. Not ok(),
// with the failure told, when none can be had.
class Server {
public:
    explicit Server(const QStringList &settings = {});
    bool ok() const { return m_address && m_pg && m_pg->ok(); }
    const std::optional<ServerAddress> &address() const { return m_address; }
    Connection &pg() { return *m_pg; }

private:
    std::unique_ptr<Cluster> m_cluster;
    std::optional<ServerAddress> m_address;
    std::unique_ptr<Connection> m_pg;
};

} // namespace bench
