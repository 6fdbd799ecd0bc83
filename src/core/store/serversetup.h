#pragma once
// Readies a PostgreSQL database to serve as the dealership's store: its tables, indexes, the rules that
// keep stored deals as saved, and the roles desks and managers log in under.

#include "core/store/serveraddress.h"

#include <QString>
#include <QStringList>

namespace serversetup {

struct Outcome {
    int status = 0;   // 0 done, or already set up; 1 failed, with nothing made
    QStringList said; // what the command prints, a line each
};

// Creates the tables, indexes, append-only rules and the roles quorvel_manager and quorvel_desk with their
// grants, in one transaction. With `copyFromDataFolder` not empty it also copies that data folder's
// products, templates, settings with their counters and every deal with its items (refused into a server
// that already holds products or deals). A server already set up is left as it is.
Outcome setUp(const ServerAddress &server, const QString &copyFromDataFolder = {});

} // namespace serversetup
