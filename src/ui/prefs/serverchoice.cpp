#include "ui/prefs/serverchoice.h"

#include "core/files/files.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <algorithm>

namespace serverchoice {

namespace {
QSettings store() { return QSettings(QStringLiteral("Quorvel"), QStringLiteral("Quorvel")); }

// The four fields that name a server in the password file. libpq takes "localhost" for a connection
// through the local socket, which is what an empty host means.
QStringList keyOf(const ServerAddress &server) {
    return {server.host.isEmpty() ? QStringLiteral("localhost") : server.host, QString::number(server.port),
            server.database, server.user};
}

QString escaped(QString field) {
    return field.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char(':'), QLatin1String("\\:"));
}

// A line's fields as libpq reads them: ":" separates, "\" takes the next character as it is.
QStringList fieldsOf(const QString &line) {
    QStringList fields{QString()};
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('\\') && i + 1 < line.size())
            fields.last() += line[++i];
        else if (line[i] == QLatin1Char(':'))
            fields << QString();
        else
            fields.last() += line[i];
    }
    return fields;
}

bool isLineFor(const QString &line, const QStringList &key) {
    return !line.startsWith(QLatin1Char('#')) && fieldsOf(line).mid(0, 4) == key;
}

// The password file's lines; false when it exists but cannot be read (it is then left alone).
bool passwordLines(QStringList *lines, QString *why = nullptr) {
    QFile file(passwordFile());
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (why)
            *why = file.errorString();
        return false;
    }
    *lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (lines->last().isEmpty())
        lines->removeLast();
    return true;
}
} // namespace

std::optional<ServerAddress> remembered() {
    const QSettings settings = store();
    if (!settings.contains(QStringLiteral("server/host")))
        return std::nullopt;
    ServerAddress server;
    server.host = settings.value(QStringLiteral("server/host")).toString();
    server.port = settings.value(QStringLiteral("server/port"), server.port).toInt();
    server.database = settings.value(QStringLiteral("server/database"), server.database).toString();
    server.user = settings.value(QStringLiteral("server/user")).toString();
    return server;
}

void remember(const std::optional<ServerAddress> &server) {
    QSettings settings = store();
    settings.remove(QStringLiteral("server"));
    if (server) {
        settings.setValue(QStringLiteral("server/host"), server->host);
        settings.setValue(QStringLiteral("server/port"), server->port);
        settings.setValue(QStringLiteral("server/database"), server->database);
        settings.setValue(QStringLiteral("server/user"), server->user);
    }
    settings.sync();
}

QString passwordFile() {
    const QString named = qEnvironmentVariable("PGPASSFILE");
    return named.isEmpty() ? QDir::home().filePath(QStringLiteral(".pgpass")) : named;
}

bool passwordRemembered(const ServerAddress &server) {
    const QStringList key = keyOf(server);
    QStringList lines;
    passwordLines(&lines);
    return std::any_of(lines.cbegin(), lines.cend(), [&key](const QString &line) { return isLineFor(line, key); });
}

bool rememberPassword(const ServerAddress &server, QString *why) {
    const QStringList key = keyOf(server);
    QStringList lines;
    if (!passwordLines(&lines, why))
        return false;
    lines.removeIf([&key](const QString &line) { return isLineFor(line, key); });
    if (!server.password.isEmpty()) {
        QStringList fields = key;
        fields << server.password;
        for (QString &field : fields)
            field = escaped(field);
        lines << fields.join(QLatin1Char(':'));
    }
    QByteArray text = lines.join(QLatin1Char('\n')).toUtf8();
    if (!text.isEmpty())
        text += '\n';
    // libpq ignores a password file that others can read.
    return files::write(passwordFile(), text, why, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace serverchoice
