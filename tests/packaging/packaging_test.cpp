// Where the program keeps its files; the Debian package of this build and its program as a user starts it.

#include "app/programlocation.h"
#include "coresupport.h"

#include <QImage>
#include <QtTest>

using namespace Qt::StringLiterals;

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

QStringList filesIn(const QString &folder, const QString &pattern = u"*"_s) {
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}
} // namespace

class PackagingTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_work;
    QString m_deb;
    QString root(const QString &path = QString()) const { return m_work.filePath(u"root"_s) + path; }
    QString program() const { return root(u"/usr/bin/quorvel"_s); }
    QString packagedPages() const { return root(u"/usr/share/quorvel/webpages"_s); }
    QString userFolder() const { return m_work.filePath(u"xdg/Quorvel"_s); }
    // A user's session with its own home and data folder, and no display unless a platform is named.
    QProcessEnvironment user(const QString &platform = QString()) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert(u"HOME"_s, m_work.filePath(u"home"_s));
        env.insert(u"XDG_DATA_HOME"_s, m_work.filePath(u"xdg"_s));
        // What the windows remember goes to this user's settings, never the real user's.
        env.insert(u"XDG_CONFIG_HOME"_s, m_work.filePath(u"config"_s));
        if (!platform.isEmpty())
            env.insert(u"QT_QPA_PLATFORM"_s, platform);
        return env;
    }

private slots:
    void initTestCase() {
        // This very build, packaged and unpacked into a scratch root.
        const Run made = run(QStringLiteral(QUORVEL_SOURCE_DIR "/packaging/make-deb.sh"),
                             {QStringLiteral(QUORVEL_BUILD_DIR), m_work.path()});
        QVERIFY2(made.status == 0, qPrintable(made.err));
        m_deb = made.out.trimmed();
        const Run unpacked = run(u"dpkg-deb"_s, {u"-x"_s, m_deb, root()});
        QVERIFY2(unpacked.status == 0, qPrintable(unpacked.err));
    }

    // w: the program's folder can be written, d: data/ lies beside the program, p: so does the package's marker,
    // u: the user's data folder is known. The files stay beside the program, or go to the user's folder.
    void folderDecision() {
        const std::pair<const char *, bool> rows[] = {{"wu", true},    // portable
                                                      {"u", false},    // read-only folder, first start
                                                      {"du", true},    // read-only folder keeps its data
                                                      {"wpu", false},  // package, folder writable as root
                                                      {"wdpu", false}, // package with a data folder beside
                                                      {"p", true},     // package, no user folder known
                                                      {"", true}};     // no user folder known
        for (const auto &[facts, beside] : rows) {
            const auto has = [facts = QLatin1String(facts)](char c) { return facts.contains(QLatin1Char(c)); };
            const programlocation::Facts f{"/opt/Quorvel", has('w'), has('d'), has('p'), has('u') ? "/home/ann" : ""};
            QVERIFY2(programlocation::decide(f) == (beside ? u"/opt/Quorvel"_s : u"/home/ann"_s), facts);
        }
    }

    void packageHoldsProgramEntryIconsAndPages() {
        const QString arch = run(u"dpkg"_s, {u"--print-architecture"_s}).out.trimmed();
        QCOMPARE(QFileInfo(m_deb).fileName(), QStringLiteral("quorvel_" QUORVEL_VERSION "_%1.deb").arg(arch));
        QCOMPARE(run(u"dpkg-deb"_s, {u"-f"_s, m_deb, u"Version"_s}).out, QStringLiteral(QUORVEL_VERSION "\n"));
        const QString desktop = root(u"/usr/share/applications/quorvel.desktop"_s);
        const Run validated = run(u"desktop-file-validate"_s, {desktop});
        QVERIFY2(validated.status == 0 && validated.out.isEmpty(), qPrintable(validated.out + validated.err));
        const QString icons = root(u"/usr/share/icons/hicolor/"_s);
        QVERIFY(coretest::bytes(icons + u"scalable/apps/quorvel.svg"_s).contains("<svg"));
        for (int size : {16, 32, 48, 64, 128, 256})
            QCOMPARE(QImage(icons + u"%1x%1/apps/quorvel.png"_s.arg(size)).size(), QSize(size, size));
        QVERIFY(coretest::bytes(root(u"/usr/share/doc/quorvel/copyright"_s)).startsWith("Format: "));
#ifndef QUORVEL_SANITIZED // a checking build links its runtime and keeps unused libraries; it is never shipped
        // Every library the program loads comes with a package the control file names.
        const QStringList depends =
            run(u"dpkg-deb"_s, {u"-f"_s, m_deb, u"Depends"_s})
                .out.split(QRegularExpression(u"\\s*\\([^)]*\\)\\s*|\\s*,\\s*|\\s+"_s), Qt::SkipEmptyParts);
        const QString dynamic = run(u"objdump"_s, {u"-p"_s, program()}).out;
        QVERIFY(dynamic.contains(QLatin1String("libcsv.so")));
        for (const auto &needed : QRegularExpression(u"NEEDED\\s+(\\S+)"_s).globalMatch(dynamic)) {
            QStringList owners;
            for (const QString &line :
                 run(u"dpkg"_s, {u"-S"_s, needed.captured(1)}).out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                for (const QString &owner : line.section(u": "_s, 0, 0).split(u", "_s))
                    owners << owner.section(u':', 0, 0); // without its architecture
            const bool named =
                std::any_of(owners.cbegin(), owners.cend(), [&](const QString &o) { return depends.contains(o); });
            QVERIFY2(named, qPrintable(needed.captured(1) + u" comes from "_s + owners.join(u' ')));
        }
#endif
        QCOMPARE(filesIn(packagedPages()).size(), 12);
        for (const QString &name : filesIn(packagedPages()))
            QVERIFY2(coretest::bytes(packagedPages() + u'/' + name).startsWith("<!DOCTYPE html>"), qPrintable(name));
    }

    void packagedProgramKeepsDataInTheUsersFolder() {
        // Qt's own option names the platform, as a user may give it.
        QProcess quorvel;
        quorvel.setProcessEnvironment(user());
        quorvel.start(program(), {u"-platform"_s, u"offscreen"_s});
        const QString pages = userFolder() + u"/webpages"_s;
        // The deal file is made last, once the data files have opened.
        QTRY_VERIFY_WITH_TIMEOUT(
            (filesIn(pages) == filesIn(packagedPages()) && QFile::exists(userFolder() + u"/data/deals.mdb"_s)) ||
                quorvel.state() == QProcess::NotRunning,
            10000);
        // Still running: past the first start and on to its windows.
        QCOMPARE(quorvel.state(), QProcess::Running);
        quorvel.kill();
        quorvel.waitForFinished();
        // Killed, it may leave a write's journal behind: that is the data file's, not another.
        QCOMPARE(filesIn(userFolder() + u"/data"_s, u"*.mdb"_s),
                 QStringList({"deals.mdb", "preferences.mdb", "products.mdb", "vehicles.mdb"}));
        for (const QString &name : filesIn(pages))
            QCOMPARE(coretest::bytes(pages + u'/' + name), coretest::bytes(packagedPages() + u'/' + name));
    }

    // Version and help need no display: none is given.
    void commandLine() {
        const QStringList help{"Usage: quorvel", userFolder() + QLatin1Char('\n'), "data/", "deals.mdb", "webpages/",
                               "printouts/"};
        // The arguments, the status, what is written out and what is written as an error.
        const QList<std::tuple<QStringList, int, QStringList, QString>> rows{
            {{"--version"}, 0, {"Quorvel " QUORVEL_VERSION "\n"}, {}},
            {{"--help"}, 0, help, {}},
            {{"-style", "Fusion", "-h"}, 0, help, {}}, // short help after a Qt option
            {{"-style", "Fusion", "--colour"}, 2, {}, "unknown option \"--colour\""},
            {{"deal.txt"}, 2, {}, "unexpected argument \"deal.txt\""}};
        for (const auto &[args, status, out, err] : rows) {
            const Run r = run(program(), args, user(err.isEmpty() ? QString() : u"offscreen"_s));
            QCOMPARE(r.status, status);
            for (const QString &text : out)
                QVERIFY2(r.out.contains(text), qPrintable(r.out));
            QVERIFY2(!out.isEmpty() || r.out.isEmpty(), qPrintable(r.out));
            QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err), qPrintable(r.err));
        }
    }
};

QTEST_GUILESS_MAIN(PackagingTest)
#include "packaging_test.moc"
