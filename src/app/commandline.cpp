#include "app/commandline.h"

#include "app/programlocation.h"
#include "app/translation.h"
#include "core/store/dealarchive.h"
#include "core/store/firststart.h"
#include "core/store/folders.h"
#include "core/store/serversetup.h"
#include "core/store/store.h"
#include "ui/prefs/serverchoice.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

namespace commandline {

namespace {
void out(std::FILE *stream, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

enum class Action { Start, Version, Help, WritePages, VerifyDeals, SetupServer, BadServer };

// The address given after an option; nothing, with the reason told, when it is missing or no address.
std::optional<ServerAddress> addressOf(const char *option, const char *uri) {
    if (!uri || !*uri) {
        out(stderr, QCoreApplication::translate("commandline", "Quorvel: %1 needs the address of the dealership "
                                                               "server, such as postgresql://user@host/quorvel.\n")
                        .arg(QLatin1String(option)));
        return std::nullopt;
    }
    QString why;
    std::optional<ServerAddress> address = ServerAddress::fromUri(QString::fromLocal8Bit(uri), &why);
    if (!address)
        out(stderr, QCoreApplication::translate("commandline", "Quorvel: \"%1\" is not a server address: %2.\n")
                        .arg(QString::fromLocal8Bit(uri), why));
    return address;
}
} // namespace

QString versionText() { return QStringLiteral("Quorvel %1\n").arg(QStringLiteral(QUORVEL_VERSION)); }

QString helpText() {
    const QString folder = QDir::toNativeSeparators(programlocation::decide(programlocation::current()));
    return QCoreApplication::translate(
               "commandline", "Usage: quorvel [options]\n"
                              "Menu selling of aftermarket products for car dealerships.\n"
                              "\n"
                              "Options:\n"
                              "  -h, --help  Show this text and exit.\n"
                              "  --version   Show the version and exit.\n"
                              "  --verify-deals\n"
                              "              Check every stored deal against the seal it was saved with, say what\n"
                              "              was found and exit: 0 all intact, 1 a deal was changed, 2 the deals\n"
                              "              cannot be read. With a dealership server (--server URI, or the one\n"
                              "              chosen in Menu > Dealership Server) its deals are checked.\n"
                              "  --server URI\n"
                              "              Use the dealership server URI for this run, such as\n"
                              "              postgresql://desk1@server/quorvel (a password not in URI comes from\n"
                              "              ~/.pgpass or is asked for). Without it Quorvel uses the server chosen\n"
                              "              in Menu > Dealership Server, or this computer's files.\n"
                              "  --setup-server URI [--copy-local]\n"
                              "              Make the database URI ready for Quorvel (tables and the roles\n"
                              "              quorvel_manager and quorvel_desk), say what was done and exit: 0 done\n"
                              "              or already set up, 1 failed with nothing made. --copy-local also\n"
                              "              copies this computer's data folder into the empty server.\n"
                              "Qt's own options, such as -platform offscreen or -style Fusion, work as usual.\n"
                              "\n"
                              "Quorvel keeps its files in %1\n"
                              "  data/       products.mdb, vehicles.mdb, preferences.mdb: the catalogue, the package\n"
                              "              templates and the settings (made with samples on the first start);\n"
                              "              deals.mdb: every customer's choice as saved\n"
                              "  webpages/   the sample products' web pages\n"
                              "  printouts/  printed deals and lists as PDF files when there is no printer\n"
                              "Back up data/ (and webpages/) while Quorvel is closed. On a dealership server the\n"
                              "data lives there instead: back it up with pg_dump.\n")
        .arg(folder);
}

std::optional<int> beforeWindows(int &argc, char *argv[], std::optional<ServerAddress> *server) {
    Action action = Action::Start;
    const char *pagesFolder = nullptr;
    const char *setupUri = nullptr;
    const char *serverUri = nullptr;
    bool serverGiven = false;
    bool copyLocal = false;
    std::optional<ServerAddress> verifyOn;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        // The server's address is Quorvel's own: QApplication and the check for leftovers never see it.
        if (std::strcmp(argument, "--server") == 0 || std::strncmp(argument, "--server=", 9) == 0) {
            serverGiven = true;
            serverUri = argument[8] == '=' ? argument + 9 : (i + 1 < argc ? argv[++i] : nullptr);
            continue;
        }
        argv[kept++] = argv[i];
        if (std::strcmp(argument, "--copy-local") == 0)
            copyLocal = true;
        if (action != Action::Start)
            continue;
        if (std::strcmp(argument, "--version") == 0) {
            action = Action::Version;
        } else if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            action = Action::Help;
        } else if (std::strcmp(argument, "--verify-deals") == 0) {
            action = Action::VerifyDeals;
        } else if (std::strcmp(argument, "--setup-server") == 0) {
            action = Action::SetupServer;
            setupUri = i + 1 < argc ? argv[i + 1] : nullptr;
        } else if (std::strcmp(argument, "--write-sample-pages") == 0) {
            action = Action::WritePages;
            pagesFolder = i + 1 < argc ? argv[i + 1] : nullptr;
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    if ((action == Action::Start || action == Action::VerifyDeals) && serverGiven) {
        // Parsing needs no application object; only a bad address does, to be told in the user's language.
        const std::optional<ServerAddress> address =
            serverUri ? ServerAddress::fromUri(QString::fromLocal8Bit(serverUri)) : std::nullopt;
        if (!address)
            action = Action::BadServer;
        else if (action == Action::VerifyDeals)
            verifyOn = address;
        else if (server)
            *server = address;
    }
    if (action == Action::Start)
        return std::nullopt;

    // The folder decision reads the executable's path and the application's name.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    translation::install(app);
    switch (action) {
    case Action::Version:
        out(stdout, versionText());
        return 0;
    case Action::Help:
        out(stdout, helpText());
        return 0;
    case Action::WritePages: {
        if (!pagesFolder || !*pagesFolder) {
            out(stderr, QCoreApplication::translate("commandline",
                                                    "Quorvel: --write-sample-pages needs the folder to write into.\n"));
            return 2;
        }
        QString why;
        if (!firststart::writeSamplePages(QString::fromLocal8Bit(pagesFolder), &why)) {
            out(stderr, QCoreApplication::translate("commandline",
                                                    "Quorvel: the sample pages could not be written into %1 (%2).\n")
                            .arg(QString::fromLocal8Bit(pagesFolder), why));
            return 1;
        }
        return 0;
    }
    case Action::VerifyDeals: {
        // The deals a start would show: those of the server named, or else of the one this user chose.
        if (!serverGiven)
            verifyOn = serverchoice::remembered();
        QString said;
        const int status = verifyDeals(programlocation::decide(programlocation::current()), &said, verifyOn);
        out(status == 2 ? stderr : stdout, (status == 2 ? QStringLiteral("Quorvel: ") : QString()) + said + u'\n');
        return status;
    }
    case Action::BadServer:
        addressOf("--server", serverUri);
        return 2;
    case Action::SetupServer: {
        const std::optional<ServerAddress> address = addressOf("--setup-server", setupUri);
        if (!address)
            return 2;
        const QString copyFrom =
            copyLocal ? folders::data(programlocation::decide(programlocation::current())) : QString();
        const serversetup::Outcome outcome = serversetup::setUp(*address, copyFrom);
        for (const QString &line : outcome.said)
            out(outcome.status == 0 ? stdout : stderr, line + u'\n');
        return outcome.status;
    }
    case Action::Start:
        break;
    }
    return std::nullopt;
}

int verifyDeals(const QString &programFolder, QString *said, const std::optional<ServerAddress> &server) {
    SealCheck check;
    if (server) {
        Store store(folders::data(programFolder));
        store.setServer(server);
        QString why;
        if (!store.open(&why)) { // the reason names the server
            if (said)
                *said = why;
            return 2;
        }
        check = store.deals().verify();
    } else {
        check = DealArchive::verifyFile(QDir(folders::data(programFolder)).filePath(DealArchive::fileName()));
    }
    if (said)
        *said = check.message();
    switch (check.result) {
    case SealCheck::Intact:
        return 0;
    case SealCheck::Broken:
        return 1;
    case SealCheck::Unreadable:
        break;
    }
    return 2;
}

std::optional<int> rejectLeftovers(const QStringList &arguments) {
    if (arguments.size() < 2)
        return std::nullopt;
    const QString &first = arguments.at(1);
    const QString what = first.startsWith(QLatin1Char('-'))
                             ? QCoreApplication::translate("commandline", "unknown option")
                             : QCoreApplication::translate("commandline", "unexpected argument");
    out(stderr,
        QCoreApplication::translate("commandline", "Quorvel: %1 \"%2\". Run quorvel --help to see the options.\n")
            .arg(what, first));
    return 2;
}

} // namespace commandline
