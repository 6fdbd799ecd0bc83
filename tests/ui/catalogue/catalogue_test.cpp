// The product list and the product editor, walked through as a user keeps the catalogue; the catalogue exported
// and imported through the list; every file the program writes, on a full disk.

#include "testsupport.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>

using namespace testsupport;
using Col = ProductGridModel::Column;

namespace {
// Every stored field of a product, "|"-joined (a missing description as "~").
const char *kAll = "aftermarketname||'|'||cost||'|'||msrp||'|'||ifnull(description,'~')||'|'||htmlpath||'|'||"
                   "picturepath||'|'||installer||'|'||phone||'|'||notes";

ProductList *list() { return app().existing<ProductList>(); }
ProductEditor *editor() { return app().existing<ProductEditor>(); }

ProductList *openList() {
    app().window<MainWindow>()->show();
    fromMenu<ProductList>(u"m_aftermarket"_s);
    return list() && QTest::qWaitForWindowExposed(list()) ? list() : nullptr;
}

QList<QStringList> cells(ProductList *w) { return w->gridRows().mid(1); }
QStringList names(ProductList *w) {
    QStringList out;
    for (const QStringList &row : cells(w))
        out << row.value(Col::NameColumn);
    return out;
}

void clickRow(ProductList *w, int row, int column = Col::NameColumn) {
    auto *grid = control<QTableView>(w, "grid1");
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

ProductEditor *openProduct(const QString &name) {
    ProductList *w = openList();
    if (w && names(w).contains(name))
        clickRow(w, names(w).indexOf(name));
    return editor();
}

QString press(QWidget *ed, const char *button) { return click(ed, button), textOf(ed, "aftermarketname"); }

void save(ProductEditor *ed) { QCOMPARE(said(ed, "Command1"), QStringList{"Message: Record Saved"}); }

QVariantList stored(const QString &expr, const QString &where) {
    return column(schema::productsFile(), QString("select %1 from [table] where %2 order by rowid").arg(expr, where));
}

void store(int id, const QString &name, double cost, double msrp, const QString &notes = {},
           const QString &picturepath = {}) {
    app().store().productsFile().exec(
        "insert into [table] (id, aftermarketname, cost, msrp, description, htmlpath, picturepath, "
        "installer, phone, notes) values (?,?,?,?,?,?,?,?,?,?)",
        {id, name, cost, msrp, "From 1,000 feet", "page.html", picturepath, "Tint Co", "555-0101", notes});
}

const QString kGone = u"Message: This record no longer exists, so nothing was saved."_s;

const QByteArray kHeader = "id,aftermarketname,cost,msrp,description,htmlpath,picturepath,installer,phone,notes\r\n";

// Clicks a command of the product list with the file dialogs answering `path`; returns what the boxes said.
QStringList run(const QString &button, const QString &path) {
    answerFileDialogs(path);
    return said(openList(), button);
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
} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    QTemporaryDir m_files;

private slots:
    void init() { m_folder = std::make_unique<ProgramFolder>(); }
    void cleanup() {
        QVERIFY2(m_folder->databaseErrors().isEmpty(), qPrintable(m_folder->databaseErrors().join('\n')));
        m_folder.reset();
    }

    void listAndAddItem() {
        setSetting("am_total", 40);
        ProductList *w = openList();
        QVERIFY(w);
        // No products: one empty row, which opens nothing.
        clickRow(w, 0);
        QCoreApplication::processEvents();
        QVERIFY(!editor());
        store(2, "Wax", 5, 90, "one\r\ntwo");
        store(5, "Wax", 100, 95); // amounts sort as numbers: 100 after 5
        store(12, "  Film  ", 100, 250.5, "Fits all");
        store(41, "Zz", 1, 1); // already holds the id the counter hands out next
        // "Add Item" stores an empty product under a new id and edits it, not the older one.
        QCOMPARE(said(w, "Command1"), QStringList());
        QTRY_VERIFY(!list() && editor());
        QCOMPARE(storedSetting("am_total").toInt(), 41);
        QCOMPARE(stored("id||'|'||cost||'|'||ifnull(description,'~')", "aftermarketname=''"), QVariantList{"41|0.0|~"});
        QCOMPARE(press(editor(), "Command4") + textOf(editor(), "id"), u"41"_s);
        click(editor(), "Command8");
        QTRY_VERIFY(list());
        QCOMPARE(cells(list()),
                 (QList<QStringList>{{"41", "", "$0.00", "$0.00", "$0.00", "", "", ""},
                                     {"12", "Film", "$100.00", "$250.50", "$150.50", "Tint Co", "555-0101", "Fits all"},
                                     {"2", "Wax", "$5.00", "$90.00", "$85.00", "Tint Co", "555-0101", "one\r\ntwo"},
                                     {"5", "Wax", "$100.00", "$95.00", "$-5.00", "Tint Co", "555-0101", ""},
                                     {"41", "Zz", "$1.00", "$1.00", "$0.00", "Tint Co", "555-0101", ""}}));
        click(list(), "Command3");
        QTRY_VERIFY(!list());
        QVERIFY(app().existing<MainWindow>()->isVisible());
    }

    void editSaveAndNavigate() {
        addProduct("Bb", 2, 20);
        addProduct("Cc", 3, 30);
        ProductList *w = openList();
        QVERIFY(w);
        // Another copy of the program adds a product: the editor walks the whole list as stored now.
        addProduct("Aa", 1, 10, "Guards the car");
        clickRow(w, 1, Col::NotesColumn);
        QTRY_VERIFY(!list());
        ProductEditor *ed = editor();
        QVERIFY(ed && ed->isVisible());
        QCOMPARE(textOf(ed, "aftermarketname"), u"Cc"_s);
        type(ed, "phone", "555-0100");
        QCOMPARE(press(ed, "Command5"), u"Bb"_s);
        QCOMPARE(stored("phone", "id<3"), (QVariantList{"", "555-0100"}));
        QCOMPARE(press(ed, "Command5"), u"Aa"_s);
        // "<" on the first saves and stays; an emptied description leaves the stored one.
        type(ed, "description", QString());
        type(ed, "installer", "In-house");
        QCOMPARE(press(ed, "Command5"), u"Aa"_s);
        QCOMPARE(stored("installer||'|'||description", "id=3"), QVariantList{"In-house|Guards the car"});
        QCOMPARE(press(ed, "Command6"), u"Bb"_s);
        for (const auto &[box, text] :
             {std::pair{"aftermarketname", "  Alarm Plus  "}, {"cost", "1,212.50"}, {"msrp", "$2,249.95"}})
            type(ed, box, text);
        type(ed, "description", "Two remotes\nShock sensor");
        save(ed);
        QCOMPARE(stored(kAll, "id=1"), QVariantList{"Alarm Plus|1212.5|2249.95|Two remotes\r\nShock sensor|||||"});
        // ">|" then ">" on the last saves and shows it again.
        QCOMPARE(press(ed, "Command7"), u"Cc"_s);
        type(ed, "phone", "555-0001");
        QCOMPARE(press(ed, "Command6"), u"Cc"_s);
        QCOMPARE(stored("phone", "id=2"), QVariantList{"555-0001"});
        // Clear Form then Save: the emptied product is stored under id 0, which the list leaves out.
        click(ed, "Command2");
        QCOMPARE(textOf(ed, "id") + textOf(ed, "aftermarketname"), QString());
        QCOMPARE(stored("id", "aftermarketname='Cc'"), QVariantList{2}); // nothing stored yet
        save(ed);
        QCOMPARE(stored("id||aftermarketname||phone", "id=0"), QVariantList{"0"});
        QCOMPARE(press(ed, "Command4"), u"Aa"_s);
        // The list opened again while the editor is open: it stores its record before taking another.
        type(ed, "msrp", "250");
        w = openList();
        QVERIFY(w);
        QCOMPARE(names(w), (QStringList{"Aa", "Alarm Plus"}));
        // Saved, it shows at once in the open list and in a worksheet's slot holding it.
        DealWorksheet *sheet = app().window<DealWorksheet>();
        sheet->show();
        QVERIFY(chooseProduct(sheet, 0, 0, "Aa"));
        save(ed);
        QCOMPARE(cells(w).value(0).value(Col::MsrpColumn) + slotBox(sheet, 0, 0, "msrp")->currentText(),
                 "$250.00250.00");
        clickRow(w, 1);
        QTRY_VERIFY(!list());
        QCOMPARE(editor(), ed);
        QCOMPARE(textOf(ed, "aftermarketname"), u"Alarm Plus"_s);
        QCOMPARE(stored("msrp", "id=3"), QVariantList{250.0});
        // Closing from the title bar saves like EXIT.
        type(ed, "aftermarketname", "Ab");
        ed->close();
        QTRY_VERIFY(!editor() && list());
        QCOMPARE(names(list()), (QStringList{"Aa", "Ab"}));
        // Tabbed into, a wrapped description is selected whole: typing replaces all of it, and EXIT stores that.
        QVERIFY((ed = openProduct("Ab")));
        type(ed, "description", QString("Covers paint and glass against chips for five years. ").repeated(4) + "\nEnd");
        ed->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ed));
        control(ed, "msrp")->setFocus();
        QTest::keyClick(control(ed, "msrp"), Qt::Key_Tab);
        QTRY_VERIFY(control<QPlainTextEdit>(ed, "description")->textCursor().hasSelection());
        QTest::keyClicks(control(ed, "description"), "New words");
        click(ed, "Command8");
        QTRY_VERIFY(!editor());
        QCOMPARE(stored("description", "aftermarketname='Ab'"), QVariantList{"New words"});
    }

    void copyEditTheCopyThenDeleteIt() {
        const QString picture = u"C:\\Pictures\\kit\r\nsecond 50%.jpg"_s;
        store(7, "Remote Start", 150, 499, "Two-way remote", picture);
        setSetting("am_total", 20);
        ProductEditor *ed = openProduct("Remote Start");
        QVERIFY(ed);
        QCOMPARE(said(ed, "Command9"), QStringList{"Are You Sure?: Copy Record?"});
        QCOMPARE(textOf(ed, "id"), u"21"_s);
        QCOMPARE(stored("id", "1"), (QVariantList{7, 21}));
        QCOMPARE(stored(kAll, "id=21"), stored(kAll, "id=7"));
        // Cancelled, failed, then chosen: only a chosen file replaces the box, and only a save stores it.
        const QString page = m_folder->dataFile(schema::productsFile()); // any file that exists
        for (const QString &answer : {QString(), u"/no/such/folder/page.html"_s, page}) {
            answerFileDialogs(answer);
            QCOMPARE(said(ed, "Command10"),
                     answer.startsWith("/no/") ? QStringList{"Error: Invalid File"} : QStringList());
            QCOMPARE(textOf(ed, "htmlpath"), answer == page ? page : "page.html");
        }
        QCOMPARE(stored("htmlpath", "id=21"), QVariantList{"page.html"});
        const QString mixed = u"He said \"fit it\"; it's 50% off \\ C:\\Pages\\ Müller Ærø Škoda 日本 ☺"_s;
        const QList<std::pair<const char *, QString>> texts{
            {"aftermarketname", mixed}, {"description", mixed + "\n"}, {"notes", mixed + "\nsecond line\n\nfourth"}};
        for (const auto &[box, text] : texts)
            type(ed, box, text);
        click(ed, "Command8");
        QTRY_VERIFY(list());
        QCOMPARE(stored("htmlpath||picturepath", "id=21"), QVariantList{page + picture}); // the hidden box goes along
        for (const auto &[box, text] : texts)
            QCOMPARE(stored(box, "id=21"), QVariantList{QString(text).replace('\n', "\r\n")});
        QCOMPARE(names(list()), (QStringList{mixed, "Remote Start"}));
        clickRow(list(), 0);
        QTRY_VERIFY((ed = editor()));
        for (const auto &[box, text] : texts)
            QCOMPARE(textOf(ed, box), text);
        QCOMPARE(said(ed, "Command3", {false}), QStringList{"Are You Sure?: Delete Current Record?"});
        QCOMPARE(editor(), ed);
        said(ed, "Command3");
        QTRY_VERIFY(!editor() && list());
        QCOMPARE(stored("id", "1"), QVariantList{7});
        QCOMPARE(names(list()), QStringList{"Remote Start"});
    }

    // Another copy changes or deletes products meanwhile: a change is not stored over unasked; a save reports
    // only a real store; the editor keeps its product.
    void productsChangedOrGoneElsewhere() {
        store(3, "Cc", 3, 30);
        store(4, "Dd", 4, 40);
        store(5, "Ee", 5, 50);
        ProductEditor *ed = openProduct("Dd");
        QVERIFY(ed);
        Store other(app().dataFolder());
        QVERIFY(other.open());
        const qint64 dd = other.products().listed().at(1).record;
        for (const bool keepTheirs : {true, false}) {
            std::optional<Product> read = other.products().load(dd);
            Product theirs = *read;
            theirs.phone = keepTheirs ? "555-0002" : "555-0003";
            QCOMPARE(other.products().store(dd, theirs, read), StoreOutcome::Stored);
            type(ed, "phone", "555-0001");
            QCOMPARE(said(ed, "Command1", {keepTheirs, true}),
                     QStringList{"Message: This product was changed at another desk after you opened it."} +
                         (keepTheirs ? QStringList() : QStringList{"Message: Record Saved"}));
            QCOMPARE(textOf(ed, "phone") + stored("phone", "id=4").value(0).toString(),
                     keepTheirs ? "555-0002555-0002" : "555-0001555-0001");
        }
        app().store().productsFile().exec("delete from [table] where id=4");
        type(ed, "phone", "555-0199");
        QCOMPARE(said(ed, "Command1"), QStringList{kGone});
        QCOMPARE(stored("count(*)", "1"), QVariantList{2});
        // Moving on says so again, and the walk steps over the deleted product.
        QCOMPARE(said(ed, "Command6"), QStringList{kGone});
        QCOMPARE(textOf(ed, "aftermarketname"), u"Ee"_s);
        // The list clicked on a product gone since: the editor keeps (and stores) its own; the list refreshes.
        type(ed, "installer", "In-house");
        ProductList *w = openList();
        QVERIFY(w);
        app().store().productsFile().exec("delete from [table] where id=3");
        QCOMPARE(said([&] { clickRow(w, 0); }), QStringList{"Message: This product is no longer in the catalogue."});
        QCOMPARE(editor(), ed);
        QCOMPARE(textOf(ed, "aftermarketname"), u"Ee"_s);
        QCOMPARE(stored("installer", "id=5"), QVariantList{"In-house"});
        QCOMPARE(names(w), QStringList{"Ee"});
        // Every id used: Add Item stores nothing, and the editor stays on its product.
        setSetting("am_total", 2147483647);
        type(ed, "phone", "555-0123");
        QCOMPARE(said(w, "Command1"),
                 QStringList{"Message: No new product can be added: every product number has been used."});
        QCOMPARE(stored("phone", "1"), QVariantList{"555-0123"});
        QCOMPARE(editor(), ed);
        // A description made of line breaks is a description: only blanks are trimmed.
        type(ed, "description", "\n\n");
        save(ed);
        QCOMPARE(stored("description", "id=5"), QVariantList{"\r\n\r\n"});
    }

    // Exported from one catalogue (id 0 included) and imported into another: new ids, listed at once.
    void exportThenImportGivesBackTheProducts() {
        const QString file = m_files.filePath(u"catalogue.csv"_s);
        addProduct(u"Tire & Wheel, \"Gold\""_s, 0, 125.5, u"Covers, all\r\nfour"_s, u"webpages/t.html"_s);
        addProduct(u"Hidden"_s, 3, 0, QString(), QString(), 0);
        QVector<Product> products = app().store().products().all();
        QCOMPARE(run(u"Command6"_s, file),
                 QStringList{u"Message: 2 products exported to %1."_s.arg(QDir::toNativeSeparators(file))});
        QVERIFY(coretest::bytes(file).startsWith("\xEF\xBB\xBF" + kHeader + "0,Hidden,3.00,"));
        m_folder = std::make_unique<ProgramFolder>(); // another dealership's catalogue
        setSetting(u"am_total"_s, 40);
        addProduct(u"Already here"_s, 1, 2);
        QCOMPARE(run(u"Command5"_s, file), QStringList{u"Message: 2 products imported."_s});
        QVector<Product> back = app().store().products().all().mid(1);
        for (int i = 0; i < products.size(); ++i)
            products[i].id = back.at(i).id;
        QCOMPARE(back, products);
        // A file with a bad line, or none, stores nothing; the message names the file and each problem.
        QByteArray seventh = kHeader;
        for (int line = 2; line <= 10; ++line)
            seventh +=
                QByteArray::number(line) + ",Product,10.00," + (line == 7 ? "12abc" : "\"$1,250.00\"") + ",,,,,,\r\n";
        for (const auto &[bad, problem] : {std::pair{seventh, u"Line 7, msrp: \"12abc\" is not an amount."_s},
                                           {kHeader, u"The file holds no products."_s}}) {
            QVERIFY(coretest::writeBytes(file, bad));
            QCOMPARE(run(u"Command5"_s, file), QStringList{u"Error: No products were imported from %1.\n\n%2"_s.arg(
                                                   QDir::toNativeSeparators(file), problem)});
        }
        QCOMPARE(stored("id", "1"), QVariantList({41, 42, 43}));
        QCOMPARE(storedSetting(u"am_total"_s).toInt(), 43);
        QCOMPARE(names(list()), QStringList({u"Already here"_s, u"Hidden"_s, u"Tire & Wheel, \"Gold\""_s}));
    }

    // On a full disk each write says why it failed; an earlier file stays as it was, nothing left beside it.
    void fullDiskLeavesEarlierFilesAlone_data() {
        QTest::addColumn<QString>("write");
        for (const char *what :
             {"catalogue export", "history export", "report export", "first start", "sample pages", "pdf"})
            QTest::newRow(what) << what;
    }
    void fullDiskLeavesEarlierFilesAlone() {
        QFETCH(QString, write);
        const QString file = write == u"sample pages"_s ? u"window-tint.html"_s : u"earlier.csv"_s;
        // A small file system made full; where none can be mounted, a limit on the size of every file written.
        QTemporaryDir disk;
        const bool mounted = ::mount("tmpfs", QFile::encodeName(disk.path()).constData(), "tmpfs", 0, "size=512k") == 0;
        const auto unmount = qScopeGuard([&] {
            if (mounted)
                ::umount2(QFile::encodeName(disk.path()).constData(), MNT_DETACH);
        });
        DealRecord deal = coretest::sampleChoice(1, 0b11);
        QVERIFY(app().store().deals().add(deal));
        const QString path = QDir(disk.path()).filePath(file);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(coretest::writeBytes(path, "what was there\r\n"));
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
            reported = said(window, write == u"report export"_s ? u"Command2"_s : u"Command4"_s);
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

    // The search matches name, installer or description in any case; the editor and "Print List" follow it.
    void searchNarrowsTheList() {
        store(3, "Rust Guard", 100, 300); // installer Tint Co
        addProduct("Alarm", 50, 150, "Guards the car from RUST");
        addProduct("Tint", 20, 200);
        addProduct("Wax", 5, 90);
        ProductList *w = openList();
        QVERIFY(w);
        QAbstractItemModel *grid = control<QTableView>(w, "grid1")->model();
        QAbstractItemModelTester tester(grid, QAbstractItemModelTester::FailureReportingMode::Fatal);
        for (const auto &[search, found] : {std::pair{"rust", QStringList{"Alarm", "Rust Guard"}},
                                            {"TINT", {"Rust Guard", "Tint"}},
                                            {"555-0101", {}}, // the phone is not searched
                                            {"", {"Alarm", "Rust Guard", "Tint", "Wax"}},
                                            {" rUsT ", {"Alarm", "Rust Guard"}}}) {
            type(w, "searchtext", search);
            QCOMPARE(names(w), found);
        }
        for (int c : {Col::NameColumn, Col::CostColumn, Col::MsrpColumn, Col::ProfitColumn, Col::InstallerColumn})
            QCOMPARE(Qt::Alignment(grid->index(0, c).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask,
                     c == Col::CostColumn || c == Col::MsrpColumn || c == Col::ProfitColumn ? Qt::AlignRight
                                                                                            : Qt::AlignLeft);
        RecordingDevice *printed = recordPrinting();
        QCOMPARE(said(w, "Command2"), QStringList{"Are You Sure?: Print List?"});
        QVERIFY(printed->findText("Alarm") && printed->findText("Rust Guard") && !printed->findText("Wax"));
        QVERIFY(printed->findText("Name") && printed->findText("Notes")); // every heading
        clickRow(w, 1);
        QTRY_VERIFY(!list() && editor());
        QCOMPARE(textOf(editor(), "aftermarketname"), u"Rust Guard"_s);
        QCOMPARE(press(editor(), "Command4"), u"Alarm"_s);
        QCOMPARE(press(editor(), "Command7"), u"Rust Guard"_s);
        // Last, as it ends the program: ended from the main window while the editor is open, what it shows is stored.
        type(editor(), "msrp", "45");
        click(app().window<MainWindow>(), "Command4");
        QCOMPARE(stored("msrp", "aftermarketname='Rust Guard'"), QVariantList{45.0});
    }
};

QTEST_MAIN(CatalogueTest)
#include "catalogue_test.moc"
