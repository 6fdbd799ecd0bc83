#pragma once
// A throwaway PostgreSQL cluster for the tests: made with initdb in a temporary folder, listening on a
// free loopback port (its socket in that folder), run by the unprivileged `postgres` user when the tests
// run as root, and stopped when the test program ends. Every server test fails, never skips, when it
// cannot start.

#include "core/store/serveraddress.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace coretest {

class PgCluster {
public:
    // The test program's one cluster, started at the first call.
    static PgCluster &shared();
    ~PgCluster();

    bool ok() const { return m_running; }
    QString why() const { return m_why; }
    // A new, empty database on the cluster, reached as its superuser; nothing when it could not be made.
    std::optional<ServerAddress> freshDatabase();
    // The server as a superuser reaches the database `name`.
    ServerAddress address(const QString &name) const;
    // Stops the server at once (as a crash or a pulled cable would) and starts it again.
    bool stop();
    bool start();
    // Restarts the server with TLS on, its certificate (for the name localhost only) signed by a CA made
    // here; the CA's certificate file, or nothing when it could not be made.
    std::optional<QString> useCertificate();

private:
    PgCluster();
    bool run(const QString &program, const QStringList &arguments);

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_port = 0;
    bool m_asPostgres = false;
    bool m_running = false;
    int m_databases = 0;
    QString m_serverOptions;
    QString m_why;
};

} // namespace coretest
