// The catalogue exported and imported through the product list; every file the program writes, on a full disk.

#include "testsupport.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>

using namespace testsupport;

namespace {
const QByteArray kHeader = "id,aftermarketname,cost,msrp,description,htmlpath,picturepath,installer,phone,notes\r\n";

// Clicks a command of the product list with the file dialogs answering `path`; returns what the boxes said.
QStringList run(const QString &button, const QString &path) {
    answerFileDialogs(path);
    ProductList *list = fromMenu<ProductList>(u"m_aftermarket"_s);
    return said([&] { QVERIFY(click(list, button)); });
}

QVariantList stored(const QString &field) {
    return column(schema::productsFile(), u"select %1 from [table] order by rowid"_s.arg(field));
}

// Fills the file system holding `folder` to the last byte, or up to `room` bytes.
void fill(const QString &folder, qint64 room = 0) {
    QFile filler(QDir(folder).filePath(u"filler"_s));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (QStorageInfo(folder).bytesAvailable() > room && filler.write(block) > 0) {
    }
    for (int size = 2048; size > 0 && room == 0; size /= 2)
        while (filler.write(block.left(size)) > 0) {
        }
}

// While it lives, no file of the program grows beyond a few bytes: writes fail as on a full disk.
struct FileSizeLimit {
    rlimit before{};
    FileSizeLimit() {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &before);
        const rlimit small{16, before.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &before); }
};

// The names of the files and folders under `folder`, with the files' contents.
QMap<QString, QByteArray> filesUnder(const QString &folder) {
    QMap<QString, QByteArray> found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        found.insert(file.fileName(), file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("folder"));
    }
    return found;
}

QStringList listedNames() {
    QStringList names;
    for (const QStringList &row : app().existing<ProductList>()->gridRows().mid(1))
        names << row.value(1);
    return names;
}
} // namespace

class ImportExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_files;

private slots:

    // Exported from one catalogue (id 0 included) and imported into another: new ids, listed at once.
    void exportThenImportGivesBackTheProducts() {
        const QString file = m_files.filePath(u"catalogue.csv"_s);
        QVector<Product> products;
        {
            ProgramFolder from;
            addProduct(u"Tire & Wheel, \"Gold\""_s, 0, 125.5, u"Covers, all\r\nfour"_s, u"webpages/t.html"_s);
            addProduct(u"Hidden"_s, 3, 0, QString(), QString(), 0);
            products = app().store().products().all();
            QCOMPARE(run(u"Command6"_s, file),
                     QStringList{u"Message: 2 products exported to %1."_s.arg(QDir::toNativeSeparators(file))});
            QFile written(file);
            QVERIFY(written.open(QIODevice::ReadOnly) &&
                    written.readAll().startsWith("\xEF\xBB\xBF" + kHeader + "0,Hidden,3.00,"));
        }
        ProgramFolder to;
        setSetting(u"am_total"_s, 40);
        addProduct(u"Already here"_s, 1, 2);
        QCOMPARE(run(u"Command5"_s, file), QStringList{u"Message: 2 products imported."_s});
        QCOMPARE(stored(u"id"_s), QVariantList({41, 42, 43}));
        QCOMPARE(storedSetting(u"am_total"_s).toInt(), 43);
        QVector<Product> back = app().store().products().all().mid(1);
        for (int i = 0; i < products.size(); ++i)
            products[i].id = back.at(i).id;
        QCOMPARE(back, products);
        QCOMPARE(listedNames(), QStringList({u"Already here"_s, u"Hidden"_s, u"Tire & Wheel, \"Gold\""_s}));
    }

    // On a full disk each write says why it failed; an earlier file stays as it was, nothing left beside it.
    void fullDiskLeavesEarlierFilesAlone_data() {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("file"); // an earlier file of that name
        for (const char *what :
             {"catalogue export", "history export", "report export", "first start", "sample pages", "pdf"})
            QTest::newRow(what) << what
                                << (u"sample pages"_s == QLatin1String(what) ? u"window-tint.html"_s
                                                                             : u"earlier.csv"_s);
    }
    void fullDiskLeavesEarlierFilesAlone() {
        QFETCH(QString, write);
        QFETCH(QString, file);
        // A small file system made full; where none can be mounted, a limit on the size of every file written.
        QTemporaryDir disk;
        const bool mounted = ::mount("tmpfs", QFile::encodeName(disk.path()).constData(), "tmpfs", 0, "size=512k") == 0;
        const auto unmount = qScopeGuard([&] {
            if (mounted)
                ::umount2(QFile::encodeName(disk.path()).constData(), MNT_DETACH);
        });
        ProgramFolder folder;
        DealRecord deal = coretest::sampleChoice(1, 0b11);
        QVERIFY(app().store().deals().add(deal));
        const QString path = QDir(disk.path()).filePath(file);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("what was there\r\n") > 0);
        earlier.close();
        // A first start finds room for its data files, not for the pages after them.
        qint64 room = 0;
        if (mounted && write == u"first start"_s) {
            const QString trial = QDir(disk.path()).filePath(u"trial"_s);
            const qint64 free = QStorageInfo(disk.path()).bytesAvailable();
            QVERIFY(QDir().mkpath(trial + u"/webpages"_s) && firststart::createDataFolder(trial));
            room = free - QStorageInfo(disk.path()).bytesAvailable() + 4 * 4096;
            QVERIFY(QDir(trial).removeRecursively());
        }
        if (mounted)
            fill(disk.path(), room);
        const QMap<QString, QByteArray> before = filesUnder(disk.path());
        std::optional<FileSizeLimit> limit;
        if (!mounted)
            limit.emplace();

        QStringList reported;
        if (write == u"catalogue export"_s) {
            reported = run(u"Command6"_s, path);
        } else if (write == u"history export"_s || write == u"report export"_s) {
            answerFileDialogs(path);
            QWidget *window = fromMenu<DealHistory>(u"m_history"_s);
            if (write == u"report export"_s && click(window, u"Command2"_s))
                window = app().existing<DealReport>();
            reported = said([&] { click(window, write == u"report export"_s ? u"Command2"_s : u"Command4"_s); });
        } else if (write == u"pdf"_s) {
            Printer printer(pdfDevice(
                path, {}, [&](bool failure, const QString &m) { reported << (failure ? "Error: " : "") + m; }));
            QVERIFY(!printDeal(printer, dealPage(coretest::sampleDeal())));
        } else {
            QString why;
            QVERIFY(write == u"first start"_s ? !firststart::createDataFolder(disk.path(), &why)
                                              : !firststart::writeSamplePages(disk.path(), &why));
            reported << why;
        }
        limit.reset();
        // Under the limit the data files fail first, and their engine words it its own way ("disk I/O error").
        const QString reason = !mounted && write == u"first start"_s
                                   ? u"disk"_s
                                   : QString::fromLocal8Bit(std::strerror(mounted ? ENOSPC : EFBIG));
        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported[0].contains(reason), qPrintable(reported[0]));
        QCOMPARE(filesUnder(disk.path()), before);
    }

    void importsThatStoreNothing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        QByteArray seventh = kHeader;
        for (int line = 2; line <= 10; ++line)
            seventh +=
                QByteArray::number(line) + ",Product,10.00," + (line == 7 ? "12abc" : "\"$1,250.00\"") + ",,,,,,\r\n";
        QTest::newRow("bad amount on line 7") << seventh << u"Line 7, msrp: \"12abc\" is not an amount."_s;
        QTest::newRow("header only") << kHeader << u"The file holds no products."_s;
    }
    // Nothing is stored and no id drawn; the message names the file and each problem.
    void importsThatStoreNothing() {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        ProgramFolder folder;
        addProduct(u"Kept"_s, 1, 2);
        const QString path = m_files.filePath(u"bad.csv"_s);
        QFile bad(path);
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write(file) == file.size());
        bad.close();
        QCOMPARE(run(u"Command5"_s, path), QStringList{u"Error: No products were imported from %1.\n\n%2"_s.arg(
                                               QDir::toNativeSeparators(path), problem)});
        QCOMPARE(stored(u"aftermarketname"_s), QVariantList{u"Kept"_s});
        QCOMPARE(storedSetting(u"am_total"_s).toInt(), 1);
    }
};

QTEST_MAIN(ImportExportTest)
#include "importexport_test.moc"
