#pragma once
// Where the dealership server is, as a PostgreSQL connection URI names it.

#include <QMap>
#include <QString>
#include <optional>

struct ServerAddress {
    QString host;
    int port = 5432;
    QString database = QStringLiteral("quorvel");
    QString user;
    QString password;
    QMap<QString, QString> options; // the URI's query: sslmode, sslrootcert, connect_timeout, ...

    // A postgresql:// or postgres:// URI, read as libpq reads it (percent-decoding, [ipv6], ?key=value).
    // Nothing, with the reason in `why`, for a text that is no such URI.
    static std::optional<ServerAddress> fromUri(const QString &uri, QString *why = nullptr);
    QString uri() const;   // without the password
    QString label() const; // "HOST/DBNAME", for the window title and messages

    bool operator==(const ServerAddress &o) const {
        return host == o.host && port == o.port && database == o.database && user == o.user && password == o.password &&
               options == o.options;
    }
};
