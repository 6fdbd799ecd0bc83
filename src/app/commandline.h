#pragma once
// Quorvel's own command-line options. --version and --help are answered before any window system is
// touched, so they work without a display; Qt's own options (-platform, -style, ...) are left to QApplication.

#include "core/store/serveraddress.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace commandline {

// Answers --version, --help, --verify-deals, --setup-server URI [--copy-local] and --write-sample-pages FOLDER
// (used when packaging) with a console-only application object. Takes --server URI out of the arguments into
// `server`. Returns the exit status when the program should end here (2 for an address that is none), nothing
// when it should start.
std::optional<int> beforeWindows(int &argc, char *argv[], std::optional<ServerAddress> *server = nullptr);

// What QApplication left of the arguments after taking its own (the program's path first): anything
// left is a mistake, told on stderr, and ends the program with status 2.
std::optional<int> rejectLeftovers(const QStringList &arguments);

// Checks the seals of the deal file of the program folder, or of the deals on `server` when one is given:
// `said` gets what was found; returns 0 when every deal is intact, 1 when one is not, 2 when the deals
// cannot be read.
int verifyDeals(const QString &programFolder, QString *said, const std::optional<ServerAddress> &server = {});

QString versionText();
// Says where the data lives: the folder the program uses in this installation.
QString helpText();

} // namespace commandline
