// The dealership server as a desk meets it: choosing it in its window, starting on it (or not reaching it),
// losing it during the run, and setting it up from the command line.

#include "core/store/folders.h"
#include "core/store/serversetup.h"
#include "pgcluster.h"
#include "testsupport.h"
#include "ui/prefs/serverconnection.h"

#include <QSqlQuery>

using namespace testsupport;

namespace {
coretest::PgCluster &cluster() { return coretest::PgCluster::shared(); }

// A database of the test cluster, set up for Quorvel with the sample data folder's contents.
ServerAddress setUpServer() {
    ProgramFolder samples(ProgramFolder::Content::Samples);
    const std::optional<ServerAddress> server = cluster().freshDatabase();
    const serversetup::Outcome outcome = server ? serversetup::setUp(*server, folders::data(samples.path()))
                                                : serversetup::Outcome{1, {cluster().why()}};
    if (outcome.status != 0)
        qWarning("no server: %s", qPrintable(outcome.said.join(u'\n')));
    return server.value_or(ServerAddress());
}

// The program on a folder of its own, run on `server` (as `user` when one is named).
struct ServerProgram : QTemporaryDir, Application {
    explicit ServerProgram(ServerAddress server, const QString &user = QString()) : Application(path()) {
        if (!user.isEmpty())
            server.user = user;
        store().setServer(server);
    }
};
} // namespace

class ServerTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;
    QString m_passwords;

private slots:
    // Nothing here may touch the user's own settings or password file; the program run from here has no display.
    void initTestCase() {
        qputenv("HOME", m_home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(u"config"_s).toLocal8Bit());
        m_passwords = m_home.filePath(u"pgpass"_s);
        qputenv("PGPASSFILE", m_passwords.toLocal8Bit());
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            qunsetenv(name);
        QVERIFY2(cluster().ok(), qPrintable(cluster().why()));
    }

    // The window tries the server before remembering it (and says what failed), keeps the password only in the
    // password file, shows what it remembered when opened again, and forgets the server for this computer's files.
    void windowRemembersTheServer() {
        const ServerAddress server = setUpServer();
        ProgramFolder folder;
        QVERIFY(coretest::writeBytes(m_passwords,
                                     "# desks\nother:5432:quorvel:desk1:a\\:b\n127.0.0.1:%1:%2:postgres:old\n"_ba
                                         .replace("%1", QByteArray::number(server.port))
                                         .replace("%2", server.database.toUtf8())));
        QWidget *window = fromMenu<ServerConnection>(u"m_server"_s);
        QCOMPARE(textOf(window, u"serverport"_s) + textOf(window, u"serverdatabase"_s), u"5432quorvel"_s);
        QCOMPARE(control<QLineEdit>(window, u"serverpassword"_s)->echoMode(), QLineEdit::Password);
        type(window, u"serverhost"_s, server.host);
        type(window, u"serverport"_s, QString::number(server.port + 1));
        type(window, u"serverdatabase"_s, server.database);
        type(window, u"serveruser"_s, server.user);
        type(window, u"serverpassword"_s, u"new:pass\\word"_s);
        control<QCheckBox>(window, u"rememberpassword"_s)->setChecked(true);
        const QStringList wrongPort = said(window, u"Command1"_s);
        QVERIFY2(wrongPort.value(0).startsWith(
                     u"Error: Quorvel could not connect to the dealership server %1: "_s.arg(server.label())) &&
                     wrongPort.value(0).contains(u"refused"_s),
                 qPrintable(wrongPort.join(u'\n')));
        type(window, u"serverport"_s, QString::number(server.port));
        QCOMPARE(said(window, u"Command1"_s),
                 QStringList{u"Message: Quorvel will use the dealership server from its next start."_s});
        QSettings settings(u"Quorvel"_s, u"Quorvel"_s);
        QCOMPARE(settings.allKeys().filter(QRegularExpression(u"^server/"_s)),
                 QStringList({u"server/database"_s, u"server/host"_s, u"server/port"_s, u"server/user"_s}));
        QVERIFY(!coretest::bytes(settings.fileName()).contains("word"));
        QCOMPARE(
            QString::fromUtf8(coretest::bytes(m_passwords)),
            u"# desks\nother:5432:quorvel:desk1:a\\:b\n127.0.0.1:%1:%2:postgres:new\\:pass\\\\word\n"_s.arg(server.port)
                .arg(server.database));
        QCOMPARE(QFile::permissions(m_passwords),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);

        window = fromMenu<ServerConnection>(u"m_server"_s);
        QCOMPARE(QStringList({textOf(window, u"serverhost"_s), textOf(window, u"serverport"_s),
                              textOf(window, u"serverdatabase"_s), textOf(window, u"serveruser"_s),
                              textOf(window, u"serverpassword"_s)}),
                 QStringList({server.host, QString::number(server.port), server.database, server.user, QString()}));
        QVERIFY(control<QCheckBox>(window, u"rememberpassword"_s)->isChecked());
        QCOMPARE(said(window, u"Command2"_s),
                 QStringList{u"Message: Quorvel will use this computer's files from its next start."_s});
        QVERIFY(!settings.contains(u"server/host"_s));
        QVERIFY(!app().existing<ServerConnection>());
    }

    // On the server the title says so and no local file is made. A save that the server misses is told and
    // the window keeps what it shows; once the server is back the same save is stored. A server that cannot be
    // reached at start is asked about: Retry tries again, Quit ends.
    void startAndRunOnTheServer() {
        const ServerAddress server = setUpServer();
        ServerProgram program(server);
        program.setHomeWindow<MainWindow>();
        QString why;
        QVERIFY2(program.startAsking(&why), qPrintable(why));
        QCOMPARE(program.window<MainWindow>()->windowTitle(), u"Quorvel — server 127.0.0.1/%1"_s.arg(server.database));
        QVERIFY(!QDir(program.dataFolder()).exists());

        // The preferences window's EXIT cannot store a new name with the server away: it says so and stays.
        PreferencesDialog *prefs = program.window<PreferencesDialog>();
        Program::bringUp(prefs);
        type(prefs, u"pdealershipname"_s, u"Northside Motors"_s);
        QVERIFY(cluster().stop());
        const QString away = said(prefs, u"Command2"_s).join(u'\n').section(u':', 0, 1);
        const bool kept = prefs->isVisible() && textOf(prefs, u"pdealershipname"_s) == u"Northside Motors"_s;
        QVERIFY(cluster().start());
        QCOMPARE(away, u"Error: The dealership server could not be reached, so nothing was saved"_s);
        QVERIFY(kept);
        QCOMPARE(said(prefs, u"Command1"_s), QStringList{u"Message: Preferences Saved"_s});
        closeAllWindows();
        // A desk's login only reads the catalogue, the templates and the dealership's preferences: the windows
        // offer no such change and say why, the desk walks the records without a word and keeps its own
        // salesperson. A change the server refuses anyway is told with its reason and stores nothing.
        QVERIFY(
            QSqlQuery(program.store().settingsFile().handle()).exec(u"create role desk1 login in role quorvel_desk"_s));
        ServerProgram deskProgram(server, u"desk1"_s);
        QVERIFY2(deskProgram.start(&why), qPrintable(why));
        auto *deskList = deskProgram.window<ProductList>();
        Program::bringUp(deskList);
        auto *grid = control<QTableView>(deskList, u"grid1"_s);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 1)).center());
        auto *editor = deskProgram.existing<ProductEditor>();
        prefs = deskProgram.window<PreferencesDialog>();
        Program::bringUp(prefs);
        QStringList offered; // what a window offers to change, or shows refused without the reason
        for (const auto &[window, names] : QList<std::pair<QWidget *, QStringList>>{
                 {deskList, {"Command1", "Command2", "Command5"}},
                 {editor, {"Command1", "Command3", "Command9", "Command6", "aftermarketname"}},
                 {deskProgram.window<TemplateList>(), {"Command1"}},
                 {deskProgram.window<TemplateEditor>(), {"Command1", "Command3", "Command9"}},
                 {prefs, {"pdealershipname", "ptaxrate", "ppackage4", "psalespersonname"}}})
            for (const QString &name : names) {
                QWidget *c = control(window, name);
                auto *box = qobject_cast<QLineEdit *>(c);
                if ((box ? !box->isReadOnly() : c->isEnabled()) ||
                    c->toolTip() != u"Your server account may not change this."_s)
                    offered << window->objectName() + u' ' + name;
            }
        QCOMPARE(offered,
                 QStringList({"aftermarketlist Command2", "editform Command6", "preferences psalespersonname"}));
        QCOMPARE(said([editor] { click(editor, u"Command6"_s) && click(editor, u"Command8"_s); }), QStringList());
        type(prefs, u"psalespersonname"_s, u"Dana"_s);
        QCOMPARE(said(prefs, u"Command1"_s), QStringList{u"Message: Preferences Saved"_s});
        QCOMPARE(deskProgram.store().settings().read().salespersonName, u"Dana"_s);

        Store &atDesk = deskProgram.store();
        const QVector<Product> catalogue = atDesk.products().all();
        const qint64 template1 = atDesk.templates().listed().first().record;
        const std::optional<PackageTemplate> stored = atDesk.templates().load(template1);
        Settings settings = atDesk.settings().read();
        settings.dealershipName = u"Eastside Motors"_s;
        const QString refused = u"Error: The dealership server refused this, so nothing was saved: permission denied "
                                "for table %1. Your server account may not change this."_s;
        std::optional<Product> anyProduct;
        std::optional<PackageTemplate> anyTemplate;
        QCOMPARE(said([&] {
                     atDesk.products().store(atDesk.products().listed().first().record, Product(), anyProduct);
                     atDesk.templates().store(template1, PackageTemplate(), anyTemplate);
                     atDesk.settings().write(settings);
                 }),
                 QStringList({refused.arg(u"products"_s), refused.arg(u"vehicles"_s), refused.arg(u"preferences"_s)}));
        QCOMPARE(atDesk.products().all(), catalogue);
        QCOMPARE(atDesk.templates().load(template1), stored);
        QCOMPARE(atDesk.settings().read().dealershipName, u"Northside Motors"_s);
        closeAllWindows();

        // What another desk stores shows in this desk's open windows within two seconds, also once the server was
        // lost and came back; a desk hears its own writes once.
        ProductList *list = program.window<ProductList>();
        DealWorksheet *worksheet = program.window<DealWorksheet>();
        DealHistory *history = program.window<DealHistory>();
        auto desk = [&server, &program] {
            auto store = std::make_unique<Store>(program.path());
            store->setServer(server);
            return store->open() ? std::move(store) : nullptr;
        };
        std::unique_ptr<Store> other = desk();
        QVERIFY(other);
        QSignalSpy heardOwn(&other->events(), &StoreEvents::productsChanged);
        auto listed = [list](const QString &name) {
            const QList<QStringList> rows = list->gridRows();
            return std::any_of(rows.cbegin(), rows.cend(),
                               [&name](const QStringList &row) { return row.contains(name); });
        };
        auto product = [](const QString &name, double msrp) {
            return Product{double(900 + name.size()), name, 40, msrp, {}, {}, {}, {}, {}, {}};
        };
        const std::optional<qint64> guards = other->products().add(product(u"Door Edge Guards"_s, 129));
        QVERIFY(guards);
        QTRY_VERIFY_WITH_TIMEOUT(listed(u"Door Edge Guards"_s), 2000);
        QVERIFY(other->templates().add(PackageTemplate{90, u"Vans"_s, {}, {}, {}}));
        QTRY_VERIFY_WITH_TIMEOUT(control<QComboBox>(worksheet, u"vehicledefault"_s)->findText(u"Vans"_s) >= 0, 2000);
        // Deals are told as the server seals them, by whichever desk; the desk that saved them tells itself only.
        const qsizetype deals = history->shownRows().size();
        QSignalSpy dealsHeard(&program.store().events(), &StoreEvents::dealsAdded);
        QSignalSpy ownDealsHeard(&other->events(), &StoreEvents::dealsAdded);
        const auto heard = [](const QSignalSpy &spy, qsizetype from = 0) {
            QList<qint64> ids;
            for (qsizetype i = from; i < spy.size(); ++i)
                ids << spy.at(i).at(0).value<QList<qint64>>();
            return ids;
        };
        QList<qint64> saved;
        for (DealRecord deal : {coretest::sampleChoice(1, 0b11), coretest::sampleChoice(-1, 0)}) {
            QVERIFY(other->deals().add(deal));
            saved << deal.id;
        }
        QTRY_COMPARE_WITH_TIMEOUT(history->shownRows().size(), deals + 2, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(heard(dealsHeard), saved, 2000);
        QVector<DealRecord> together{coretest::sampleChoice(1, 0b11), coretest::sampleChoice(-1, 0)};
        QVERIFY(program.store().deals().addAll(together));
        QTRY_COMPARE_WITH_TIMEOUT(heard(ownDealsHeard, 2), (QList<qint64>{together[0].id, together[1].id}), 2000);
        QCOMPARE(heard(ownDealsHeard), saved + heard(ownDealsHeard, 2));
        // Deals this desk sealed are heard when another desk queued any of them; its own alone are not.
        QVERIFY(program.store().dealsFile().exec(u"select pg_notify('quorvel', 'deals:7 desks:' || pg_backend_pid()), "
                                                 "pg_notify('quorvel', 'deals:8 desks:1,' || pg_backend_pid())"_s));
        QTRY_COMPARE_WITH_TIMEOUT(heard(dealsHeard, 3), QList<qint64>{8}, 2000);
        QCOMPARE(heardOwn.count(), 1);
        other = desk();

        // A pick of the open deal follows its product's new price, and the salesperson is told; so when it is gone.
        Program::bringUp(worksheet);
        QVERIFY(chooseProduct(worksheet, 0, 0, u"Door Edge Guards"_s));
        const auto changes = [&](const std::function<bool()> &change, const QString &shows) {
            return said([&] {
                QVERIFY(change());
                QTRY_COMPARE_WITH_TIMEOUT(slotBox(worksheet, 0, 0, u"msrp"_s)->currentText(), shows, 2000);
                QCoreApplication::processEvents(); // the notice comes once the slots have been read again
            });
        };
        const QString told =
            u"Message: The catalogue changed while this deal was open:\nDoor Edge Guards in package 1 "_s;
        QCOMPARE(changes(
                     [&] {
                         std::optional<Product> any;
                         return other->products().store(*guards, product(u"Door Edge Guards"_s, 149), any) ==
                                StoreOutcome::Stored;
                     },
                     u"149.00"_s),
                 QStringList{told + u"now shows Door Edge Guards at cost 40.00, MSRP 149.00."_s});
        QCOMPARE(changes([&] { return other->products().remove(*guards); }, u"0"_s),
                 QStringList{told + u"is no longer in the catalogue; its slot shows NONE."_s});

        // Once this desk found the server gone and back, it reads what it may have missed and hears the others again.
        QVERIFY(cluster().stop() && cluster().start());
        QSignalSpy refreshed(&program.store().events(), &StoreEvents::templatesChanged);
        program.store().products().listed();
        QTRY_VERIFY_WITH_TIMEOUT(!refreshed.isEmpty(), 5000);
        other = desk();
        QVERIFY(other && other->products().add(product(u"Wheel Locks"_s, 79)));
        QTRY_VERIFY_WITH_TIMEOUT(listed(u"Wheel Locks"_s), 2000);

        ServerAddress elsewhere = server;
        elsewhere.port += 1;
        ServerProgram unreachable(elsewhere);
        const QList<BoxSeen> asked = answeringBoxes([&] { QVERIFY(!unreachable.startAsking(&why)); }, {true, false});
        QCOMPARE(asked.size(), 2);
        QVERIFY2(asked[1].text.startsWith(u"Quorvel could not reach the dealership server 127.0.0.1: "_s),
                 qPrintable(asked[1].text));
        QCOMPARE(why, QString());
    }

    // A server that wants a password the password file lacks asks for it at start, again when it was wrong.
    void startAsksForThePassword() {
        const ServerAddress server = setUpServer();
        const QString hba = m_home.filePath(u"pg_hba.conf"_s);
        QVERIFY(coretest::writeBytes(hba, "local all all trust\nhost all postgres 127.0.0.1/32 trust\n"
                                          "host all all 127.0.0.1/32 scram-sha-256\n"));
        // The server runs as its own user, who must read the file.
        QVERIFY(QFile::setPermissions(m_home.path(), QFile::permissions(m_home.path()) | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(hba, QFile::permissions(hba) | QFile::ReadOther));
        {
            ServerProgram admin(server);
            QVERIFY(admin.start());
            QSqlQuery sql(admin.store().settingsFile().handle());
            QVERIFY(sql.exec(u"create role pwdesk login password 'secret' in role quorvel_desk"_s));
            QVERIFY(sql.exec(u"alter system set hba_file = '%1'"_s.arg(hba)));
        }
        QVERIFY(cluster().stop() && cluster().start());
        ServerProgram program(server, u"pwdesk"_s);
        QStringList typed{u"wrong"_s, u"secret"_s};
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&typed] {
            if (auto *asking = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
                asking->setTextValue(typed.takeFirst());
                asking->accept();
            }
        });
        answer.start(20);
        QString why;
        QVERIFY2(program.startAsking(&why), qPrintable(why));
        QVERIFY(typed.isEmpty());
    }

    // quorvel --setup-server, without a display: sets up (copying this computer's data folder), refuses to copy
    // into a server that holds data, changes nothing the second time; an address that is none ends with 2.
    // --verify-deals says what the history's Verify says, of the server's deals or this computer's: status 0, 1, 2.
    void commandLine() {
        const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(u"../quorvel"_s);
        ProgramFolder folder(ProgramFolder::Content::Samples);
        const QString copy = QDir(folder.path()).filePath(u"quorvel"_s);
        QVERIFY(QFile::copy(program, copy));
        const std::optional<ServerAddress> server = cluster().freshDatabase();
        QVERIFY(server);
        auto run = [&copy](const QStringList &arguments) {
            QProcess quorvel;
            quorvel.start(copy, arguments);
            quorvel.waitForFinished(60000);
            const QStringList said = QString::fromLocal8Bit(quorvel.readAllStandardOutput()).split(u'\n');
            return u"%1 %2 | %3"_s.arg(quorvel.exitStatus() == QProcess::NormalExit ? quorvel.exitCode() : -1)
                .arg(said.value(said.size() - 2), QString::fromLocal8Bit(quorvel.readAllStandardError()).trimmed());
        };
        const QString uri = server->uri();
        const QString label = server->label();
        QCOMPARE(
            QStringList(
                {run({u"--setup-server"_s, uri, u"--copy-local"_s}), run({u"--setup-server"_s, uri, u"--copy-local"_s}),
                 run({u"--setup-server"_s, uri}), run({u"--server"_s, uri, u"--verify-deals"_s}),
                 run({u"--server"_s, uri + u"x"_s, u"--verify-deals"_s}), run({u"--server"_s, u"quorvel.example"_s})}),
            QStringList(
                {u"0 The dealership server %1 is set up for Quorvel. | "_s.arg(label),
                 u"1  | The dealership server %1 was not set up, and nothing was changed on it: it already "
                 "holds products, templates or deals, and a data folder is copied only into an empty server"_s.arg(
                     label),
                 u"0 The dealership server %1 was already set up for Quorvel; nothing was changed. | "_s.arg(label),
                 u"0 There are no deals to verify. | "_s,
                 u"2  | Quorvel: The dealership server %1x cannot be used: connection to server at \"127.0.0.1\", port "
                 "%2 failed: FATAL:  database \"%3x\" does not exist\nQPSQL: Unable to connect."_s.arg(label)
                     .arg(server->port)
                     .arg(server->database),
                 u"2  | Quorvel: \"quorvel.example\" is not a server address: a server address starts with "
                 "postgresql:// (for example postgresql://user@host:5432/quorvel)."_s}));

        QVector<DealRecord> three{coretest::sampleChoice(1, 3), coretest::sampleChoice(-1, 0),
                                  coretest::sampleChoice(0, 1)};
        QVERIFY(app().store().deals().addAll(three));
        const QString deals = folder.dataFile(u"deals.mdb"_s);
        QStringList said{run({u"--verify-deals"_s})};
        QVERIFY(coretest::changeDealFile(deals, {u"update deals set finalpayment = '9.99' where id = 2"_s}));
        said << run({u"--verify-deals"_s});
        QVERIFY(QFile::rename(deals, deals + u".moved"_s));
        said << run({u"--verify-deals"_s});
        QCOMPARE(said, QStringList({u"0 All 3 deals are intact. | "_s,
                                    u"1 Deal 2 does not match its seal: it was changed after it was saved. | "_s,
                                    u"2  | Quorvel: The deal file cannot be read: %1 does not exist."_s.arg(
                                        QDir::toNativeSeparators(deals))}));
    }
};

QTEST_MAIN(ServerTest)
#include "server_test.moc"
