#include "cluster.h"

#include "benchsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <cstdio>
#include <libpq-fe.h>
#include <unistd.h>

namespace bench {

namespace {
volatile qint64 sink = 0; // what a bare read read is used, so the reading stays
} // namespace

Cluster::Cluster(const QStringList &settings) {
    m_asPostgres = ::geteuid() == 0;
    m_dir = std::make_unique<QTemporaryDir>((m_asPostgres ? QStringLiteral("/tmp") : QDir::tempPath()) +
                                            QStringLiteral("/quorvel-bench-pg-XXXXXX"));
    if (!m_dir->isValid() ||
        (m_asPostgres &&
         QProcess::execute(QStringLiteral("chown"), {QStringLiteral("postgres:postgres"), m_dir->path()}) != 0)) {
        m_why = QStringLiteral("no temporary folder for the cluster");
        return;
    }
    if (!run(QStringLiteral("initdb"), {QStringLiteral("-D"), data(), QStringLiteral("-A"), QStringLiteral("trust"),
                                        QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("-E"),
                                        QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8")}))
        return;
    QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1");
    for (const QString &setting : settings)
        options += QStringLiteral(" -c ") + setting;
    for (int attempt = 0; attempt < 8 && !m_running; ++attempt) {
        m_port = 20000 + int(QRandomGenerator::global()->bounded(30000));
        m_running = run(QStringLiteral("pg_ctl"), {QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-D"),
                                                   data(), QStringLiteral("-l"), m_dir->filePath(QStringLiteral("log")),
                                                   QStringLiteral("-o"), options.arg(m_port).arg(m_dir->path())});
    }
}

Cluster::~Cluster() {
    if (m_running)
        run(QStringLiteral("pg_ctl"),
            {QStringLiteral("stop"), QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-D"), data()});
}

QString Cluster::uri(const QString &database) const {
    return QStringLiteral("postgresql://postgres@127.0.0.1:%1/%2").arg(m_port).arg(database);
}

QString Cluster::data() const { return m_dir->filePath(QStringLiteral("data")); }

bool Cluster::run(const QString &program, const QStringList &arguments) {
    const QString path = QStringLiteral("/usr/lib/postgresql/15/bin/") + program;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(m_dir->path());
    if (m_asPostgres)
        p.start(QStringLiteral("runuser"),
                QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), path} + arguments);
    else
        p.start(path, arguments);
    const bool done = p.waitForFinished(120000);
    const QString said = QString::fromLocal8Bit(p.readAll());
    if (done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return true;
    m_why = QStringLiteral("%1 failed: %2 %3").arg(program, p.errorString(), said);
    return false;
}

Connection::Connection(const QString &uri) : m_conn(PQconnectdb(uri.toUtf8().constData())) {}

Connection::~Connection() { PQfinish(m_conn); }

bool Connection::ok() const { return PQstatus(m_conn) == CONNECTION_OK; }

QString Connection::error() const { return QString::fromUtf8(PQerrorMessage(m_conn)).trimmed(); }

bool Connection::exec(const QString &sql) {
    PGresult *r = PQexec(m_conn, sql.toUtf8().constData());
    const ExecStatusType status = PQresultStatus(r);
    PQclear(r);
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return true;
    fail(qPrintable(QStringLiteral("server: ") + error()));
    return false;
}

QList<QStringList> Connection::rows(const QString &sql) {
    QList<QStringList> out;
    PGresult *r = PQexec(m_conn, sql.toUtf8().constData());
    if (PQresultStatus(r) != PGRES_TUPLES_OK) {
        PQclear(r);
        fail(qPrintable(QStringLiteral("server: ") + error()));
        return out;
    }
    const int n = PQntuples(r), columns = PQnfields(r);
    for (int row = 0; row < n; ++row) {
        QStringList values;
        for (int c = 0; c < columns; ++c)
            values << QString::fromUtf8(PQgetvalue(r, row, c));
        out << values;
    }
    PQclear(r);
    return out;
}

QString Connection::value(const QString &sql) {
    const QList<QStringList> all = rows(sql);
    return all.isEmpty() || all.first().isEmpty() ? QString() : all.first().first();
}

qint64 Connection::read(const QString &sql, int *rows) {
    QElapsedTimer t;
    t.start();
    PGresult *r = PQexec(m_conn, sql.toUtf8().constData());
    const int n = PQntuples(r), columns = PQnfields(r);
    qint64 touched = 0;
    for (int row = 0; row < n; ++row)
        for (int c = 0; c < columns; ++c)
            touched += PQgetlength(r, row, c) + *PQgetvalue(r, row, c);
    PQclear(r);
    const qint64 ns = t.nsecsElapsed();
    sink = touched;
    *rows = n;
    return ns;
}

Server::Server(const QStringList &settings) {
    QString uri = qEnvironmentVariable("QUORVEL_BENCH_SERVER");
    if (uri.isEmpty()) {
        m_cluster = std::make_unique<Cluster>(settings);
        if (!m_cluster->ok()) {
            fail(qPrintable(QStringLiteral("no throwaway cluster: ") + m_cluster->why()));
            return;
        }
        Connection admin(m_cluster->uri(QStringLiteral("postgres")));
        if (!admin.ok() || !admin.exec(QStringLiteral("create database quorvel")))
            return;
        uri = m_cluster->uri(QStringLiteral("quorvel"));
    }
    QString why;
    m_address = ServerAddress::fromUri(uri, &why);
    if (!m_address) {
        fail(qPrintable(QStringLiteral("not a server URI: ") + why));
        return;
    }
    std::printf("server %s\n", qPrintable(m_address->label()));
    m_pg = std::make_unique<Connection>(uri);
    if (!m_pg->ok())
        fail(qPrintable(QStringLiteral("no connection: ") + m_pg->error()));
}

} // namespace bench
