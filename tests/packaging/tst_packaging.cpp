// Where the program keeps its files, and the Debian package made from this build: what it holds, and the
// packaged program as a user starts it.

#include "ui/app/programlocation.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Run {
    int status = -1;
    QString out, err;
};

Run run(const QString &program, const QStringList &args, const QProcessEnvironment &env = {}) {
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(60000))
        p.kill();
    p.waitForFinished();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()), QString::fromLocal8Bit(p.readAllStandardError())};
}

QStringList filesIn(const QString &folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class PackagingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void folderDecision_data();
    void folderDecision();
    void packageHoldsProgramEntryIconsAndPages();
    void packagedProgramKeepsDataInTheUsersFolder();
    void commandLine_data();
    void commandLine();

private:
    QTemporaryDir m_work;
    QString m_deb;
    QString root() const { return m_work.filePath(QStringLiteral("root")); }
    QString program() const { return root() + QStringLiteral("/usr/bin/quorvel"); }
    QString packagedPages() const { return root() + QStringLiteral("/usr/share/quorvel/webpages"); }
    QString userFolder() const { return m_work.filePath(QStringLiteral("xdg/Quorvel")); }
    // A user's session with its own home and data folder, and no display unless a platform is named.
    QProcessEnvironment user(const QString &platform = QString()) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("HOME"), m_work.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_work.filePath(QStringLiteral("xdg")));
        if (!platform.isEmpty())
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        return env;
    }
};

void PackagingTest::initTestCase() {
    // This very build, packaged and unpacked into a scratch root.
    const Run made = run(QStringLiteral(QUORVEL_SOURCE_DIR "/packaging/make-deb.sh"),
                         {QStringLiteral(QUORVEL_BUILD_DIR), m_work.path()});
    QVERIFY2(made.status == 0, qPrintable(made.err));
    m_deb = made.out.trimmed();
    const Run unpacked = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_deb, root()});
    QVERIFY2(unpacked.status == 0, qPrintable(unpacked.err));
}

void PackagingTest::folderDecision_data() {
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("dataBeside");
    QTest::addColumn<bool>("marker");
    QTest::addColumn<QString>("userFolder");
    QTest::addColumn<QString>("expected");
    const QString exe = QStringLiteral("/opt/Quorvel");
    const QString user = QStringLiteral("/home/ann/.local/share/Quorvel");
    QTest::newRow("portable") << true << false << false << user << exe;
    QTest::newRow("read-only folder, first start") << false << false << false << user << user;
    QTest::newRow("read-only folder keeps its data") << false << true << false << user << exe;
    QTest::newRow("package, folder writable as root") << true << false << true << user << user;
    QTest::newRow("package with a data folder beside") << true << true << true << user << user;
    QTest::newRow("no user folder known") << false << false << false << QString() << exe;
}

void PackagingTest::folderDecision() {
    programlocation::Facts facts;
    facts.executableFolder = QStringLiteral("/opt/Quorvel");
    QFETCH(bool, writable);
    facts.executableFolderWritable = writable;
    QFETCH(bool, dataBeside);
    facts.dataBesideExecutable = dataBeside;
    QFETCH(bool, marker);
    facts.installedAsPackage = marker;
    QFETCH(QString, userFolder);
    facts.userDataFolder = userFolder;
    QTEST(programlocation::decide(facts), "expected");
}

void PackagingTest::packageHoldsProgramEntryIconsAndPages() {
    const QString arch = run(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).out.trimmed();
    QCOMPARE(QFileInfo(m_deb).fileName(), QStringLiteral("quorvel_" QUORVEL_VERSION "_%1.deb").arg(arch));
    QCOMPARE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), m_deb, QStringLiteral("Version")}).out,
             QStringLiteral(QUORVEL_VERSION "\n"));
    QVERIFY(QFileInfo(program()).isExecutable());

    const QString desktop = root() + QStringLiteral("/usr/share/applications/quorvel.desktop");
    const Run validated = run(QStringLiteral("desktop-file-validate"), {desktop});
    QVERIFY2(validated.status == 0 && validated.out.isEmpty(), qPrintable(validated.out + validated.err));
    QVERIFY(contents(desktop).contains("\nCategories=Office;Finance;\n"));

    const QString icons = root() + QStringLiteral("/usr/share/icons/hicolor/");
    QVERIFY(contents(icons + QStringLiteral("scalable/apps/quorvel.svg")).contains("<svg"));
    for (int size : {16, 32, 48, 64, 128, 256})
        QCOMPARE(QImage(icons + QStringLiteral("%1x%1/apps/quorvel.png").arg(size)).size(), QSize(size, size));

    QCOMPARE(filesIn(packagedPages()).size(), 12);
    for (const QString &name : filesIn(packagedPages()))
        QVERIFY2(contents(packagedPages() + QLatin1Char('/') + name).startsWith("<!DOCTYPE html>"), qPrintable(name));
}

void PackagingTest::packagedProgramKeepsDataInTheUsersFolder() {
    // Qt's own option names the platform, as a user may give it.
    QProcess quorvel;
    quorvel.setProcessEnvironment(user());
    quorvel.start(program(), {QStringLiteral("-platform"), QStringLiteral("offscreen")});
    const QString pages = userFolder() + QStringLiteral("/webpages");
    // The deal file is made last, once the data files have opened.
    QTRY_VERIFY_WITH_TIMEOUT((filesIn(pages) == filesIn(packagedPages()) &&
                              QFile::exists(userFolder() + QStringLiteral("/data/deals.mdb"))) ||
                                 quorvel.state() == QProcess::NotRunning,
                             10000);
    // Still running: past the first start and on to its windows.
    QCOMPARE(quorvel.state(), QProcess::Running);
    quorvel.kill();
    quorvel.waitForFinished();

    QCOMPARE(filesIn(userFolder() + QStringLiteral("/data")),
             QStringList({QStringLiteral("deals.mdb"), QStringLiteral("preferences.mdb"), QStringLiteral("products.mdb"),
                          QStringLiteral("vehicles.mdb")}));
    for (const QString &name : filesIn(pages))
        QCOMPARE(contents(pages + QLatin1Char('/') + name), contents(packagedPages() + QLatin1Char('/') + name));
    QCOMPARE(QDir(root() + QStringLiteral("/usr/lib/quorvel")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList({programlocation::packageMarkerName(), QStringLiteral("quorvel")}));
}

void PackagingTest::commandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("out");
    QTest::addColumn<QString>("err");
    const QStringList help{QStringLiteral("Usage: quorvel"), userFolder() + QLatin1Char('\n'), QStringLiteral("data/"),
                           QStringLiteral("webpages/"), QStringLiteral("printouts/")};
    const QString offscreen = QStringLiteral("offscreen");
    // Version and help need no display: none is given.
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << QString() << 0
                             << QStringList{QStringLiteral("Quorvel " QUORVEL_VERSION "\n")} << QString();
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << QString() << 0 << help << QString();
    QTest::newRow("short help after a Qt option")
        << QStringList{QStringLiteral("-style"), QStringLiteral("Fusion"), QStringLiteral("-h")} << QString() << 0
        << help << QString();
    QTest::newRow("unknown option after a Qt option")
        << QStringList{QStringLiteral("-style"), QStringLiteral("Fusion"), QStringLiteral("--colour")} << offscreen << 2
        << QStringList() << QStringLiteral("unknown option \"--colour\"");
    QTest::newRow("stray argument") << QStringList{QStringLiteral("deal.txt")} << offscreen << 2 << QStringList()
                                    << QStringLiteral("unexpected argument \"deal.txt\"");
}

void PackagingTest::commandLine() {
    QFETCH(QStringList, args);
    QFETCH(QString, platform);
    QFETCH(QStringList, out);
    QFETCH(QString, err);
    const Run r = run(program(), args, user(platform));
    QTEST(r.status, "status");
    for (const QString &text : out)
        QVERIFY2(r.out.contains(text), qPrintable(r.out));
    if (out.isEmpty())
        QCOMPARE(r.out, QString());
    QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(PackagingTest)
#include "tst_packaging.moc"
