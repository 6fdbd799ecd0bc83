#include "core/store/serveraddress.h"

#include <QCoreApplication>
#include <QUrl>

namespace {
QString decoded(const QString &part) { return QUrl::fromPercentEncoding(part.toUtf8()); }
QString encoded(const QString &part) { return QString::fromLatin1(QUrl::toPercentEncoding(part)); }
QString tr(const char *text) { return QCoreApplication::translate("ServerAddress", text); }

bool portFrom(const QString &text, int *port) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > 65535)
        return false;
    *port = value;
    return true;
}
} // namespace

std::optional<ServerAddress> ServerAddress::fromUri(const QString &uri, QString *why) {
    auto refuse = [why](const QString &reason) -> std::optional<ServerAddress> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    const QString text = uri.trimmed();
    QString rest;
    for (const QString &scheme : {QStringLiteral("postgresql://"), QStringLiteral("postgres://")})
        if (text.startsWith(scheme, Qt::CaseInsensitive))
            rest = text.mid(scheme.size());
    if (rest.isNull())
        return refuse(tr("a server address starts with postgresql:// (for example "
                         "postgresql://user@host:5432/quorvel)"));
    ServerAddress a;
    QString query;
    if (const qsizetype mark = rest.indexOf(QLatin1Char('?')); mark >= 0) {
        query = rest.mid(mark + 1);
        rest.truncate(mark);
    }
    QString authority = rest;
    if (const qsizetype slash = rest.indexOf(QLatin1Char('/')); slash >= 0) {
        authority = rest.left(slash);
        if (const QString name = decoded(rest.mid(slash + 1)); !name.isEmpty())
            a.database = name;
    }
    if (const qsizetype at = authority.lastIndexOf(QLatin1Char('@')); at >= 0) {
        const QString userspec = authority.left(at);
        authority = authority.mid(at + 1);
        const qsizetype colon = userspec.indexOf(QLatin1Char(':'));
        a.user = decoded(colon >= 0 ? userspec.left(colon) : userspec);
        if (colon >= 0)
            a.password = decoded(userspec.mid(colon + 1));
    }
    if (authority.contains(QLatin1Char(',')))
        return refuse(tr("name one server only, not several"));
    QString portText;
    if (authority.startsWith(QLatin1Char('['))) {
        const qsizetype close = authority.indexOf(QLatin1Char(']'));
        if (close < 0)
            return refuse(tr("the address %1 lacks its closing ]").arg(authority));
        a.host = authority.mid(1, close - 1);
        const QString after = authority.mid(close + 1);
        if (!after.isEmpty() && !after.startsWith(QLatin1Char(':')))
            return refuse(tr("the address %1 is not understood").arg(authority));
        portText = after.mid(1);
    } else {
        const qsizetype colon = authority.indexOf(QLatin1Char(':'));
        a.host = decoded(colon >= 0 ? authority.left(colon) : authority);
        if (colon >= 0)
            portText = authority.mid(colon + 1);
    }
    if (!portText.isEmpty() && !portFrom(portText, &a.port))
        return refuse(tr("the port %1 is not a number from 1 to 65535").arg(portText));
    for (const QString &pair : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return refuse(tr("the setting %1 has no value").arg(pair));
        const QString key = decoded(pair.left(eq));
        const QString value = decoded(pair.mid(eq + 1));
        // The query may name any part of the address, as libpq allows; what it names wins.
        if (key == QLatin1String("host") || key == QLatin1String("hostaddr")) {
            if (value.contains(QLatin1Char(',')))
                return refuse(tr("name one server only, not several"));
            a.host = value;
        } else if (key == QLatin1String("port")) {
            if (!portFrom(value, &a.port))
                return refuse(tr("the port %1 is not a number from 1 to 65535").arg(value));
        } else if (key == QLatin1String("dbname")) {
            a.database = value;
        } else if (key == QLatin1String("user")) {
            a.user = value;
        } else if (key == QLatin1String("password")) {
            a.password = value;
        } else {
            a.options.insert(key, value);
        }
    }
    return a;
}

QString ServerAddress::uri() const {
    QString out = QStringLiteral("postgresql://");
    if (!user.isEmpty())
        out += encoded(user) + QLatin1Char('@');
    out += host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : encoded(host);
    if (port != 5432)
        out += QLatin1Char(':') + QString::number(port);
    out += QLatin1Char('/') + encoded(database);
    QStringList query;
    for (auto it = options.cbegin(); it != options.cend(); ++it)
        query << encoded(it.key()) + QLatin1Char('=') + encoded(it.value());
    if (!query.isEmpty())
        out += QLatin1Char('?') + query.join(QLatin1Char('&'));
    return out;
}

QString ServerAddress::label() const {
    return (host.isEmpty() ? QStringLiteral("localhost") : host) + QLatin1Char('/') + database;
}
