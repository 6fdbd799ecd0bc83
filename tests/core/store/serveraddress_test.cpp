// A server's address read from a PostgreSQL connection URI as libpq reads it, and written back.

#include "core/store/database.h"
#include "core/store/serveraddress.h"
#include "pgcluster.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class ServerAddressTest : public QObject {
    Q_OBJECT
private slots:
    void readsWhatLibpqReads() {
        // The address, then what is read: host|port|database|user|password|options (empty: refused), and its label.
        const std::tuple<QString, QString, QString> rows[] = {
            {u"postgresql://desk@db.lot9.example:5433/sales?sslmode=require&connect_timeout=5"_s,
             u"db.lot9.example|5433|sales|desk||connect_timeout=5,sslmode=require"_s, u"db.lot9.example/sales"_s},
            {u"postgres://a%40b:p%3Ass@[::1]/"_s, u"::1|5432|quorvel|a@b|p:ss|"_s, u"::1/quorvel"_s}, // encoded, IPv6
            {u"postgresql://%2Fvar%2Frun%2Fpostgresql/q"_s, u"/var/run/postgresql|5432|q|||"_s,
             u"/var/run/postgresql/q"_s}, // a socket folder
            {u"postgresql://h:1/d?host=other&port=6000&dbname=x&user=u&password=pw"_s, u"other|6000|x|u|pw|"_s,
             u"other/x"_s}, // the query wins
            {u"postgresql://"_s, u"|5432|quorvel|||"_s, u"localhost/quorvel"_s},
            {u"mysql://h/d"_s, {}, {}},
            {u"postgresql://h:65536/d"_s, {}, {}},
            {u"postgresql://a,b/d"_s, {}, {}}, // several servers
            {u"postgresql://[::1/d"_s, {}, {}}};
        for (const auto &[uri, read, label] : rows) {
            QString why;
            const std::optional<ServerAddress> a = ServerAddress::fromUri(uri, &why);
            QVERIFY2(a.has_value() == !read.isEmpty() && (a || !why.isEmpty()), qPrintable(uri));
            if (!a)
                continue;
            QStringList options;
            for (auto it = a->options.cbegin(); it != a->options.cend(); ++it)
                options << it.key() + u'=' + it.value();
            QCOMPARE(
                QStringList({a->host, QString::number(a->port), a->database, a->user, a->password, options.join(u',')})
                    .join(u'|'),
                read);
            QCOMPARE(a->label(), label);
            // Written back, it reads the same, all but the password, which it never shows.
            ServerAddress again = ServerAddress::fromUri(a->uri()).value();
            QVERIFY(!a->uri().contains(u"pw"_s) && again.password.isEmpty());
            again.password = a->password;
            QVERIFY(again == *a);
        }
    }

    // With sslmode=verify-full, a server whose certificate names the host it was reached by is used; any
    // other is refused, with libpq's reason.
    void aVerifiedServerMustBeTheOneNamed() {
        coretest::PgCluster &cluster = coretest::PgCluster::shared();
        const std::optional<QString> ca = cluster.useCertificate();
        QVERIFY2(ca, qPrintable(cluster.why()));
        for (const auto &[host, refusal] :
             {std::pair{u"localhost"_s, QString()}, {u"127.0.0.1"_s, u"does not match host name"_s}}) {
            const std::optional<ServerAddress> server =
                ServerAddress::fromUri(u"postgresql://postgres@%1:%2/postgres?sslmode=verify-full&sslrootcert=%3"_s.arg(
                    host, QString::number(cluster.address({}).port), *ca));
            Database db;
            QCOMPARE(db.openServer(server.value(), u"deals"_s), refusal.isEmpty());
            QVERIFY2(db.errorText().contains(refusal), qPrintable(db.errorText()));
        }
    }
};

QTEST_GUILESS_MAIN(ServerAddressTest)
#include "serveraddress_test.moc"
