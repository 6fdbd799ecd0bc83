#include "pgcluster.h"

#include "coresupport.h"

#include "core/store/database.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace coretest {

namespace {
const QString kBin = u"/usr/lib/postgresql/15/bin/"_s;
}

PgCluster &PgCluster::shared() {
    static PgCluster cluster;
    return cluster;
}

bool PgCluster::run(const QString &program, const QStringList &arguments) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(m_dir->path()); // one the user postgres may enter
    // initdb and the server refuse to run as root.
    if (m_asPostgres)
        p.start(u"runuser"_s, QStringList{u"-u"_s, u"postgres"_s, u"--"_s, program} + arguments);
    else
        p.start(program, arguments);
    const bool done = p.waitForFinished(120000);
    const QString said = QString::fromLocal8Bit(p.readAll());
    if (done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return true;
    m_why = u"%1 failed: %2 %3"_s.arg(program, p.errorString(), said);
    return false;
}

PgCluster::PgCluster() {
    m_asPostgres = ::geteuid() == 0;
    // Short, so the socket's path fits, and where the user postgres can reach it.
    m_dir = std::make_unique<QTemporaryDir>((m_asPostgres ? u"/tmp"_s : QDir::tempPath()) + u"/quorvel-pg-XXXXXX"_s);
    if (!m_dir->isValid()) {
        m_why = u"no temporary folder"_s;
        return;
    }
    if (m_asPostgres && QProcess::execute(u"chown"_s, {u"postgres:postgres"_s, m_dir->path()}) != 0) {
        m_why = u"the temporary folder could not be given to the user postgres"_s;
        return;
    }
    if (!run(kBin + u"initdb"_s, {u"-D"_s, m_dir->filePath(u"data"_s), u"-A"_s, u"trust"_s, u"-U"_s, u"postgres"_s,
                                  u"-E"_s, u"UTF8"_s, u"--locale=C.UTF-8"_s}))
        return;
    // A free port: another cluster (another test program at the same time) may
    // hold the first one tried.
    for (int attempt = 0; attempt < 8 && !m_running; ++attempt) {
        m_port = 20000 + int(QRandomGenerator::global()->bounded(30000));
        m_running = start();
    }
}

bool PgCluster::start() {
    m_running =
        run(kBin + u"pg_ctl"_s,
            {u"start"_s, u"-w"_s, u"-D"_s, m_dir->filePath(u"data"_s), u"-l"_s, m_dir->filePath(u"log"_s), u"-o"_s,
             u"-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off -c wal_level=minimal -c max_wal_senders=0"_s
                     .arg(m_port)
                     .arg(m_dir->path()) +
                 m_serverOptions});
    if (!m_running)
        m_why += QString::fromLocal8Bit(bytes(m_dir->filePath(u"log"_s)).right(2000));
    return m_running;
}

bool PgCluster::stop() {
    const bool stopped =
        run(kBin + u"pg_ctl"_s, {u"stop"_s, u"-m"_s, u"immediate"_s, u"-D"_s, m_dir->filePath(u"data"_s)});
    m_running = m_running && !stopped;
    return stopped;
}

std::optional<QString> PgCluster::useCertificate() {
    const QDir dir(m_dir->path());
    if (!writeBytes(dir.filePath(u"names.ext"_s), "subjectAltName=DNS:localhost\n"))
        return std::nullopt;
    // In the cluster's folder: a CA, the server's key and request, and the certificate the CA signs for it.
    const QString ec = u" -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"_s;
    const QStringList steps{u"req -x509 -days 2 -subj /CN=Quorvel-Test-CA -keyout ca.key -out ca.crt"_s + ec,
                            u"req -subj /CN=localhost -keyout server.key -out s.csr"_s + ec,
                            u"x509 -req -days 2 -in s.csr -CA ca.crt -CAkey ca.key -CAcreateserial -extfile names.ext "
                            "-out server.crt"_s};
    // Made as the user the server runs as: its key is the server's own.
    for (const QString &step : steps)
        if (!run(u"openssl"_s, step.split(u' ')))
            return std::nullopt;
    const QString cert = dir.filePath(u"server.crt"_s), key = dir.filePath(u"server.key"_s);
    // The server reads its key only when no one else may.
    QFile::setPermissions(key, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    m_serverOptions = u" -c ssl=on -c ssl_cert_file=%1 -c ssl_key_file=%2"_s.arg(cert, key);
    if (!stop() || !start())
        return std::nullopt;
    return dir.filePath(u"ca.crt"_s);
}

PgCluster::~PgCluster() {
    if (m_running)
        stop();
}

ServerAddress PgCluster::address(const QString &name) const {
    return {u"127.0.0.1"_s, m_port, name, u"postgres"_s, {}, {}};
}

std::optional<ServerAddress> PgCluster::freshDatabase() {
    if (!m_running)
        return std::nullopt;
    const QString name = u"quorvel%1"_s.arg(++m_databases);
    Database admin;
    admin.setErrorHandler([this](const QString &what) { m_why = what; });
    if (!admin.openServer(address(u"postgres"_s), u"deals"_s)) {
        m_why = admin.errorText();
        return std::nullopt;
    }
    return admin.exec(u"create database %1"_s.arg(name)) ? std::optional(address(name)) : std::nullopt;
}

} // namespace coretest
