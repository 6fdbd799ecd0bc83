#include "list_test.h"

#include "app/form1.h"
#include "app/module1.h"
#include "app/windows.h"
#include "catalogue/aftermarketlist.h"
#include "catalogue/editform.h"
#include "catalogue/productgrid.h"
#include "catalogue_helpers.h"
#include "data/database.h"
#include "data/schema.h"
#include "testsupport.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace testsupport;
using namespace cataloguetest;

namespace {
// Stores a product with every field given, straight into the file.
void storeProduct(double id, const QString &name, double cost, double msrp, const QString &installer = QString(),
                  const QString &phone = QString(), const QString &notes = QString()) {
    Module1::dbproducts.exec(QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp, htmlpath, picturepath, "
                                            "installer, phone, notes) values (?,?,?,?,'','',?,?,?)"),
                             {id, name, cost, msrp, installer, phone, notes});
}
} // namespace

void ListTest::init() {
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->ok());
}

void ListTest::cleanup() {
    QVERIFY2(m_folder->databaseErrors().isEmpty(), qPrintable(m_folder->databaseErrors().join('\n')));
    m_folder.reset();
}

void ListTest::emptyCatalogueShowsHeadingsAndOneEmptyRow() {
    setSetting(QStringLiteral("am_total"), 7);
    QVERIFY(Module1::productlistfirst);
    aftermarketlist *w = openList();
    QVERIFY(w);
    // The list's query is set on its first opening and kept for the run.
    QVERIFY(!Module1::productlistfirst);
    QCOMPARE(Module1::productlistsql,
             QStringLiteral("select * from [table] where id>0 order by aftermarketname, cost, msrp"));
    QCOMPARE(rows(w), 1);
    for (int c = 0; c < ProductGridModel::ColumnCount; ++c)
        QCOMPARE(cell(w, 0, c), QString());
    clickRow(w, 0);
    QCoreApplication::processEvents();
    QVERIFY(!editor());
    QCOMPARE(list(), w);
    QCOMPARE(Module1::am_total, 7);
}

void ListTest::headingsAndColumnWidths() {
    aftermarketlist *w = openList();
    QCOMPARE(w->windowTitle(), QStringLiteral("Aftermarket List"));
    auto *grid = control<QTableView>(w, QStringLiteral("grid1"));
    QCOMPARE(grid->geometry(), ui::twRect(120, 120, 12495, 6855));
    const QStringList expected{QString(), "Name", "Cost", "MSRP", "Profit", "Installer", "Phone #", "Notes"};
    const int widths[] = {1, 3000, 1100, 1100, 1100, 2000, 2000, 10000};
    for (int c = 0; c < 8; ++c) {
        QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), expected.at(c));
        if (c == 0) // one twip: there, but not to be seen
            QVERIFY(grid->isColumnHidden(0) || grid->horizontalHeader()->sectionSize(0) <= 1);
        else
            QCOMPARE(grid->horizontalHeader()->sectionSize(c), ui::tw(widths[c]));
    }
    QCOMPARE(control<QPushButton>(w, "Command1")->text(), QStringLiteral("Add Item"));
    QCOMPARE(control<QPushButton>(w, "Command2")->text(), QStringLiteral("Print List"));
    QCOMPARE(control<QPushButton>(w, "Command3")->text(), QStringLiteral("EXIT"));
}

void ListTest::productsWithIdZeroAreNotListed() {
    storeProduct(0, QStringLiteral("Cleared"), 1, 2);
    storeProduct(3, QStringLiteral("Listed"), 1, 2);
    aftermarketlist *w = openList();
    QCOMPARE(names(w), QStringList{QStringLiteral("Listed")});
    QCOMPARE(cell(w, 0, 0), QStringLiteral("3"));
}

void ListTest::sameNamesOrderByCostThenMsrp() {
    storeProduct(1, QStringLiteral("Wax"), 20, 50, QStringLiteral("third"));
    storeProduct(2, QStringLiteral("Wax"), 5, 90, QStringLiteral("second"));
    storeProduct(3, QStringLiteral("Wax"), 5, 40, QStringLiteral("first"));
    storeProduct(4, QStringLiteral("Alarm"), 100, 10, QStringLiteral("before all"));
    // Amounts sort as numbers: 100 comes after 20.
    storeProduct(5, QStringLiteral("Wax"), 100, 1, QStringLiteral("fourth"));
    aftermarketlist *w = openList();
    QStringList installers;
    for (int r = 0; r < rows(w); ++r)
        installers << cell(w, r, ProductGridModel::InstallerColumn);
    QCOMPARE(installers, (QStringList{"before all", "first", "second", "third", "fourth"}));
}

void ListTest::cellsLandInTheirOwnColumns_data() {
    QTest::addColumn<double>("cost");
    QTest::addColumn<double>("msrp");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("profit") << 100.0 << 250.5 << "Fits all" << QStringList{"$100.00", "$250.50", "$150.50", "Fits all"};
    QTest::newRow("msrp below cost") << 15.0 << 10.0 << "" << QStringList{"$15.00", "$10.00", "$-5.00", ""};
    QTest::newRow("large, no separators") << 1234567.891 << 2000000.0 << ""
                                          << QStringList{"$1234567.89", "$2000000.00", "$765432.11", ""};
    QTest::newRow("tab inside notes") << 1.0 << 1.0 << "a\tb" << QStringList{"$1.00", "$1.00", "$0.00", "a\tb"};
    QTest::newRow("line breaks inside notes") << 0.0 << 0.0 << "one\r\ntwo" << QStringList{"$0.00", "$0.00", "$0.00", "one\r\ntwo"};
}

void ListTest::cellsLandInTheirOwnColumns() {
    QFETCH(double, cost);
    QFETCH(double, msrp);
    QFETCH(QString, notes);
    QFETCH(QStringList, cells);
    storeProduct(12, QStringLiteral("  Film  "), cost, msrp, QStringLiteral(" Tint Co "), QStringLiteral("555-0101"), notes);
    aftermarketlist *w = openList();
    QCOMPARE(rows(w), 1);
    const QStringList got{cell(w, 0, 0), cell(w, 0, 1), cell(w, 0, 2), cell(w, 0, 3), cell(w, 0, 4),
                          cell(w, 0, 5), cell(w, 0, 6), cell(w, 0, 7)};
    const QStringList expected{"12", "Film", cells.at(0), cells.at(1), cells.at(2), "Tint Co", "555-0101", cells.at(3)};
    QCOMPARE(got, expected);
    QCOMPARE(w->gridRows().value(1), expected);
}

void ListTest::clickOpensTheProductInsideTheWholeList() {
    addProduct(QStringLiteral("Cc"), 3, 30);
    addProduct(QStringLiteral("Aa"), 1, 10);
    addProduct(QStringLiteral("Bb"), 2, 20);
    aftermarketlist *w = openList();
    QCOMPARE(names(w), (QStringList{"Aa", "Bb", "Cc"}));
    clickRow(w, 1, ProductGridModel::NotesColumn);
    QTRY_VERIFY(!list());
    editform *ed = editor();
    QVERIFY(ed);
    QVERIFY(ed->isVisible());
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Bb"));
    QCOMPARE(boxText(ed, "cost"), QStringLiteral("2"));
    // The editor walks the list in list order.
    click(ed, "Command6");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Cc"));
    click(ed, "Command4");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Aa"));
}

void ListTest::clickFindsTheProductAfterAnotherWindowNarrowedTheSharedSet() {
    addProduct(QStringLiteral("Aa"), 1, 10);
    addProduct(QStringLiteral("Bb"), 2, 20);
    addProduct(QStringLiteral("Cc"), 3, 30);
    aftermarketlist *w = openList();
    // Another window runs its own product query meanwhile.
    Module1::rsproducts = RecordSet::openQuery(Module1::dbproducts, QStringLiteral("select * from [table] where id = 1"));
    clickRow(w, 2);
    QTRY_VERIFY(editor());
    editform *ed = editor();
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Cc"));
    click(ed, "Command5");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Bb"));
}

void ListTest::clickFindsTheProductWhenTheCatalogueChangedMeanwhile() {
    addProduct(QStringLiteral("Bb"), 2, 20);
    addProduct(QStringLiteral("Cc"), 3, 30);
    aftermarketlist *w = openList();
    // Another copy of the program adds a product that sorts before them.
    addProduct(QStringLiteral("Aa"), 1, 10);
    clickRow(w, 1);
    QTRY_VERIFY(editor());
    QCOMPARE(boxText(editor(), "aftermarketname"), QStringLiteral("Cc"));
    click(editor(), "Command4");
    QCOMPARE(boxText(editor(), "aftermarketname"), QStringLiteral("Aa"));
}

void ListTest::clickOnAProductDeletedMeanwhileSaysSoAndRefreshes() {
    addProduct(QStringLiteral("Aa"), 1, 10);
    addProduct(QStringLiteral("Bb"), 2, 20);
    aftermarketlist *w = openList();
    Module1::dbproducts.exec(QStringLiteral("delete from [table] where aftermarketname='Bb'"));
    const QList<BoxSeen> seen = answeringBoxes([&] { clickRow(w, 1); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).text, QStringLiteral("This product is no longer in the catalogue."));
    QVERIFY(!editor());
    QCOMPARE(list(), w);
    QCOMPARE(names(w), QStringList{QStringLiteral("Aa")});
}

void ListTest::addItemStoresAnEmptyProductUnderANewId() {
    addProduct(QStringLiteral("Alarm"), 1, 2);
    setSetting(QStringLiteral("am_total"), 40);
    aftermarketlist *w = openList();
    const QStringList boxes = clickAnswering(w, "Command1");
    QCOMPARE(boxes, QStringList());
    QTRY_VERIFY(!list());
    editform *ed = editor();
    QVERIFY(ed);
    QCOMPARE(boxText(ed, "id"), QStringLiteral("41"));
    QCOMPARE(storedSetting("am_total").toInt(), 41);
    // Stored at once, empty, with no description.
    QCOMPARE(stored("id", QString()), QVariantList{41});
    QCOMPARE(stored("cost", QString()).value(0).toDouble(), 0.0);
    QVERIFY(stored("description", QString()).value(0).isNull());
    // The editor's set holds only the new product.
    for (const char *button : {"Command4", "Command5", "Command6", "Command7"}) {
        click(ed, button);
        QCOMPARE(boxText(ed, "id"), QStringLiteral("41"));
    }
    click(ed, "Command8");
    QTRY_VERIFY(list());
    QCOMPARE(names(list()), (QStringList{"", "Alarm"}));
    QCOMPARE(cell(list(), 0, 0), QStringLiteral("41"));
    QCOMPARE(Module1::am_total, 41);
}

void ListTest::addItemWhenNoIdIsLeftStoresNothing() {
    setSetting(QStringLiteral("am_total"), 2147483647);
    aftermarketlist *w = openList();
    const QStringList boxes = clickAnswering(w, "Command1");
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.at(0).startsWith(QStringLiteral("Message: ")), qPrintable(boxes.at(0)));
    QCOMPARE(storedCount(), 0);
    QCOMPARE(storedSetting("am_total").toLongLong(), 2147483647LL);
    QVERIFY(!editor());
    QCOMPARE(list(), w);
}

void ListTest::exitAndTitleBarCloseReturnToTheMainWindow_data() {
    QTest::addColumn<bool>("titleBar");
    QTest::newRow("EXIT") << false;
    QTest::newRow("title bar") << true;
}

void ListTest::exitAndTitleBarCloseReturnToTheMainWindow() {
    QFETCH(bool, titleBar);
    aftermarketlist *w = openList();
    SingleWindow<Form1>::instance()->hide();
    if (titleBar)
        w->close();
    else
        click(w, "Command3");
    QTRY_VERIFY(!list());
    QVERIFY(SingleWindow<Form1>::instance()->isVisible());
}

void ListTest::printListAsksFirst() {
    addProduct(QStringLiteral("Alarm"), 1, 2);
    aftermarketlist *w = openList();
    const QStringList boxes = clickAnswering(w, "Command2", {false});
    QCOMPARE(boxes, QStringList{QStringLiteral("Are You Sure?: Print List?")});
    QCOMPARE(list(), w);
}

void ListTest::aLargeCatalogueListsEveryProduct() {
    const int n = 20000;
    Module1::dbproducts.beginImmediate();
    for (int i = 1; i <= n; ++i)
        storeProduct(i, QStringLiteral("Product %1").arg(n - i, 6, 10, QLatin1Char('0')), i, i + 1);
    Module1::dbproducts.commit();
    aftermarketlist *w = openList();
    QCOMPARE(rows(w), n);
    QCOMPARE(cell(w, 0, 0), QString::number(n));
    QCOMPARE(cell(w, n - 1, 0), QStringLiteral("1"));
    // The last row opens like any other.
    clickRow(w, n - 1);
    QTRY_VERIFY(editor());
    QCOMPARE(boxText(editor(), "aftermarketname"), QStringLiteral("Product 019999"));
    click(editor(), "Command6");
    QCOMPARE(boxText(editor(), "aftermarketname"), QStringLiteral("Product 019999"));
}
