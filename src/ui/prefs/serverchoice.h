#pragma once
// The dealership server this user's Quorvel starts on, remembered between runs in Qt's settings store
// ("Quorvel"/"Quorvel"). Its password never goes there: a remembered password goes where every PostgreSQL
// client looks for one, the password file (~/.pgpass, or the file PGPASSFILE names).

#include "core/store/serveraddress.h"

#include <QString>
#include <optional>

namespace serverchoice {

// The server remembered for this user; nothing when this computer's files are used.
std::optional<ServerAddress> remembered();
// Remembers the server for the next start (nothing: this computer's files), never its password.
void remember(const std::optional<ServerAddress> &server);

// The password file libpq reads.
QString passwordFile();
// Whether the password file holds a line for exactly this server's host, port, database and user.
bool passwordRemembered(const ServerAddress &server);
// Puts the line "host:port:database:user:password" for the server into the password file, replacing an earlier
// line for the same four and keeping every other line; with an empty password the server's line is taken out.
// The file is readable by its owner only. False, with the reason, when the file cannot be written.
bool rememberPassword(const ServerAddress &server, QString *why = nullptr);

} // namespace serverchoice
