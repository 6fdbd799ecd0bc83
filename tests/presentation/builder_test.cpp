#include "builder_test.h"

#include "dealdriver.h"

#include "app/module1.h"
#include "app/windows.h"
#include "deal/makedeal.h"
#include "presentation/dealmenu.h"
#include "presentation/dealprintout.h"
#include "testsupport.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

using namespace testsupport;
using namespace dealdriver;

namespace {
QString textOf(QWidget *window, const QString &name) { return shownText(control(window, name)); }

bool visible(QWidget *window, const QString &name) {
    QWidget *w = control(window, name);
    return w && w->isVisible();
}

QString productBox(int p, int k) { return QStringLiteral("product%1(%2)").arg(p).arg(k); }
} // namespace

void PresentationBuilderTest::cleanup() { closeAllWindows(); }

void PresentationBuilderTest::headerComesFromWorksheetAndSettings() {
    ProgramFolder folder;
    setSetting(QStringLiteral("dealershipname"), QStringLiteral("  Smith & Sons Motors  "));
    setSetting(QStringLiteral("disclaimer"), QStringLiteral("  Estimates only.\r\nSubject to credit approval.  "));
    makedeal *worksheet = openWorksheet();
    type(worksheet, QStringLiteral("customername"), QStringLiteral("  Pat Doe "));
    type(worksheet, QStringLiteral("customervehicle"), QStringLiteral(" 2024 Pickup"));
    type(worksheet, QStringLiteral("stocknumber"), QStringLiteral("A123  "));
    type(worksheet, QStringLiteral("salesperson"), QStringLiteral(" Lee "));
    dealmenu *menu = createDeal(worksheet);
    QVERIFY(menu);
    QVERIFY(menu->isVisible());
    QVERIFY(!worksheet->isVisible());
    QCOMPARE(SingleWindow<makedeal>::existing(), worksheet);
    QCOMPARE(textOf(menu, QStringLiteral("dealershipnametext")), QStringLiteral("Smith & Sons Motors"));
    QCOMPARE(textOf(menu, QStringLiteral("customernametext")), QStringLiteral("Pat Doe"));
    QCOMPARE(textOf(menu, QStringLiteral("vehicletext")), QStringLiteral("2024 Pickup"));
    QCOMPARE(textOf(menu, QStringLiteral("stocknumbertext")), QStringLiteral("A123"));
    QCOMPARE(textOf(menu, QStringLiteral("salespersonnametext")), QStringLiteral("Lee"));
    QCOMPARE(textOf(menu, QStringLiteral("disclaimertext")),
             QStringLiteral("Estimates only.\r\nSubject to credit approval."));
}

void PresentationBuilderTest::packageCaptionsComeFromWorksheet() {
    ProgramFolder folder;
    setSetting(QStringLiteral("package3"), QStringLiteral("Package 3"));
    setSetting(QStringLiteral("package4"), QStringLiteral(" Basic "));
    addTemplate(QStringLiteral("Trucks"), QString(), {},
                {QStringLiteral("Tow & Haul"), QStringLiteral("Work"), QString(), QString()});
    makedeal *worksheet = openWorksheet();
    chooseTemplate(worksheet, QStringLiteral("Trucks"));
    dealmenu *menu = createDeal(worksheet);
    QVERIFY(menu);
    QCOMPARE(textOf(menu, QStringLiteral("menuframe(0)")), QStringLiteral("Tow & Haul"));
    QCOMPARE(textOf(menu, QStringLiteral("menuframe(1)")), QStringLiteral("Work"));
    QCOMPARE(textOf(menu, QStringLiteral("menuframe(2)")), QStringLiteral("Package 3"));
    QCOMPARE(textOf(menu, QStringLiteral("menuframe(3)")), QStringLiteral("Basic"));
    QCOMPARE(menu->page().menuframe[0], QStringLiteral("Tow & Haul"));
    // Shown as typed, never as a keyboard shortcut.
    QCOMPARE(control<QGroupBox>(menu, QStringLiteral("menuframe(0)"))->title(), QStringLiteral("Tow && Haul"));
}

void PresentationBuilderTest::priceLines_data() {
    QTest::addColumn<bool>("cash");
    QTest::addColumn<bool>("disclose");
    QTest::addColumn<QString>("line");
    QTest::newRow("financed, totals disclosed") << false << true << "$ 29.00 / Month";
    QTest::newRow("financed, totals not disclosed") << false << false << "$ 29.00 / Month";
    QTest::newRow("cash, totals disclosed") << true << true << "$ 1507.50";
    QTest::newRow("cash, totals not disclosed") << true << false << "$ 1507.50";
}

void PresentationBuilderTest::priceLines() {
    QFETCH(bool, cash);
    QFETCH(bool, disclose);
    QFETCH(QString, line);
    ProgramFolder folder;
    addProduct(QStringLiteral("Service Contract"), 900, 1500);
    makedeal *worksheet = openWorksheet();
    type(worksheet, QStringLiteral("interestrate"), QStringLiteral("6"));
    type(worksheet, QStringLiteral("financeterm"), QStringLiteral("60"));
    setOption(worksheet, QStringLiteral("includetax1"), false);
    setOption(worksheet, QStringLiteral("cashdeal1"), cash);
    setOption(worksheet, QStringLiteral("disclosetotals1"), disclose);
    chooseProduct(worksheet, 1, 4, QStringLiteral("Service Contract"));
    dealmenu *menu = createDeal(worksheet);
    QVERIFY(menu);
    QCOMPARE(textOf(menu, QStringLiteral("pricepayment(1)")), line);
    const QString empty = cash ? QStringLiteral("$ 0.00") : QStringLiteral("$ 0.00 / Month");
    for (int p : {0, 2, 3})
        QCOMPARE(textOf(menu, QStringLiteral("pricepayment(%1)").arg(p)), empty);
    for (int p = 0; p < 4; ++p)
        QCOMPARE(visible(menu, QStringLiteral("pricepayment(%1)").arg(p)), disclose);
}

void PresentationBuilderTest::productTexts_data() {
    QTest::addColumn<bool>("prices");
    QTest::addColumn<QString>("first");  // product box of the product with a description
    QTest::addColumn<QString>("second"); // product box of the product without one
    QTest::addColumn<QString>("printable");
    QTest::newRow("prices disclosed")
        << true << "Alpha Guard $1250.00\r\nLine one\r\nLine two" << "Bravo Tint $499.00"
        << "Alpha Guard $1250.00\r\nLine one\r\nLine two\r\n\r\nBravo Tint $499.00\r\n\r\n\r\n";
    QTest::newRow("prices not disclosed") << false << "Alpha Guard\r\nLine one\r\nLine two" << "Bravo Tint"
                                          << "Alpha Guard\r\nLine one\r\nLine two\r\n\r\nBravo Tint\r\n\r\n\r\n";
}

void PresentationBuilderTest::productTexts() {
    QFETCH(bool, prices);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, printable);
    ProgramFolder folder;
    const QString page = QDir(folder.path()).filePath(QStringLiteral("webpages/alpha.html"));
    addProduct(QStringLiteral("Alpha Guard"), 300, 1250, QStringLiteral("  Line one\r\nLine two  "), page);
    addProduct(QStringLiteral("Bravo Tint"), 120, 499, QString(), QString());
    makedeal *worksheet = openWorksheet();
    setOption(worksheet, QStringLiteral("discloseprices1"), prices);
    chooseProduct(worksheet, 0, 0, QStringLiteral("Alpha Guard"));
    chooseProduct(worksheet, 0, 1, QStringLiteral("Bravo Tint"));
    // A gap in the column and a product further down.
    chooseProduct(worksheet, 3, 6, QStringLiteral("Alpha Guard"));
    dealmenu *menu = createDeal(worksheet);
    QVERIFY(menu);

    QCOMPARE(textOf(menu, productBox(0, 0)), first);
    QCOMPARE(textOf(menu, productBox(0, 1)), second);
    QCOMPARE(textOf(menu, QStringLiteral("producttext(0)")), printable);
    QCOMPARE(textOf(menu, QStringLiteral("webpath0(0)")), page);
    QCOMPARE(textOf(menu, QStringLiteral("webpath0(1)")), QString());
    QCOMPARE(textOf(menu, productBox(3, 6)), first);
    QCOMPARE(textOf(menu, QStringLiteral("webpath3(6)")), page);
    QCOMPARE(textOf(menu, QStringLiteral("producttext(3)")), first + QStringLiteral("\r\n\r\n"));
    for (int p = 0; p < 4; ++p)
        for (int k = 0; k < 10; ++k) {
            const bool filled = (p == 0 && k < 2) || (p == 3 && k == 6);
            QCOMPARE(visible(menu, productBox(p, k)), filled);
        }
    QVERIFY(!visible(menu, QStringLiteral("producttext(0)")));
    QVERIFY(!visible(menu, QStringLiteral("webpath0(0)")));
    QCOMPARE(menu->page().producttext[0], printable.trimmed());
}

void PresentationBuilderTest::emptyPackageShowsOnlyCaptionAndPriceLine() {
    ProgramFolder folder;
    addProduct(QStringLiteral("Alpha Guard"), 300, 1250, QStringLiteral("Covers it all"));
    for (int p = 1; p <= 4; ++p)
        setSetting(QStringLiteral("package%1").arg(p), QStringLiteral("Package %1").arg(p));
    makedeal *worksheet = openWorksheet();
    setOption(worksheet, QStringLiteral("disclosetotals1"), true);
    chooseProduct(worksheet, 0, 0, QStringLiteral("Alpha Guard"));
    chooseProduct(worksheet, 1, 0, QStringLiteral("Alpha Guard"));
    // Chosen and then emptied again: "NONE" counts as empty.
    chooseProduct(worksheet, 1, 0, QStringLiteral("NONE"));
    dealmenu *menu = createDeal(worksheet);
    QVERIFY(menu);
    for (int p = 1; p < 4; ++p) {
        QCOMPARE(textOf(menu, QStringLiteral("producttext(%1)").arg(p)), QString());
        QCOMPARE(textOf(menu, QStringLiteral("menuframe(%1)").arg(p)), QStringLiteral("Package %1").arg(p + 1));
        QVERIFY(visible(menu, QStringLiteral("pricepayment(%1)").arg(p)));
        for (int k = 0; k < 10; ++k)
            QVERIFY(!visible(menu, productBox(p, k)));
    }
    QVERIFY(visible(menu, productBox(0, 0)));
}

void PresentationBuilderTest::renamedProductShowsNewNameWithWorksheetPrice() {
    ProgramFolder folder;
    const int id = addProduct(QStringLiteral("Window Tint"), 120, 395, QStringLiteral("Old words"));
    makedeal *worksheet = openWorksheet();
    setOption(worksheet, QStringLiteral("discloseprices1"), true);
    chooseProduct(worksheet, 2, 0, QStringLiteral("Window Tint"));
    // Another window edits the product while the worksheet stays open.
    QVERIFY(Module1::dbproducts.exec(
        QStringLiteral("update [table] set aftermarketname=?, msrp=?, description=? where id=?"),
        {QStringLiteral("Ceramic Window Tint"), 450.0, QStringLiteral("New words"), id}));
    dealmenu *menu = createDeal(worksheet);
    QVERIFY(menu);
    QCOMPARE(textOf(menu, productBox(2, 0)), QStringLiteral("Ceramic Window Tint $395.00\r\nNew words"));
    QCOMPARE(textOf(menu, QStringLiteral("producttext(2)")),
             QStringLiteral("Ceramic Window Tint $395.00\r\nNew words\r\n\r\n"));
}

void PresentationBuilderTest::deletedProductShowsWhatWorksheetShows() {
    ProgramFolder folder;
    const int id = addProduct(QStringLiteral("Dent Repair"), 60, 349, QStringLiteral("Paintless"),
                              QStringLiteral("/pages/dent.html"));
    addProduct(QStringLiteral("Key Replacement"), 40, 249, QStringLiteral("Lost keys"));
    makedeal *worksheet = openWorksheet();
    setOption(worksheet, QStringLiteral("discloseprices1"), true);
    chooseProduct(worksheet, 0, 0, QStringLiteral("Dent Repair"));
    chooseProduct(worksheet, 0, 1, QStringLiteral("Key Replacement"));
    QVERIFY(Module1::dbproducts.exec(QStringLiteral("delete from [table] where id=?"), {id}));
    dealmenu *menu = createDeal(worksheet);
    QVERIFY(menu);
    QVERIFY(folder.databaseErrors().isEmpty());
    QVERIFY(visible(menu, productBox(0, 0)));
    QCOMPARE(textOf(menu, productBox(0, 0)), QStringLiteral("Dent Repair $349.00"));
    QCOMPARE(textOf(menu, QStringLiteral("webpath0(0)")), QString());
    QCOMPARE(textOf(menu, QStringLiteral("producttext(0)")),
             QStringLiteral("Dent Repair $349.00\r\n\r\n\r\nKey Replacement $249.00\r\nLost keys\r\n\r\n"));
}

void PresentationBuilderTest::sharedProductSetIsNotMoved() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    makedeal *worksheet = openWorksheet();
    chooseTemplate(worksheet, QStringLiteral("All New Vehicles"));
    // The set an open product editor would be saving into, positioned on its record.
    Module1::rsproducts = RecordSet::openQuery(Module1::dbproducts, QStringLiteral("select * from [table] order by id"));
    RecordSetPtr held = Module1::rsproducts;
    QVERIFY(held->hasRecords());
    held->moveFirst();
    held->moveNext();
    const qint64 record = held->rowid();
    QVERIFY(createDeal(worksheet));
    QCOMPARE(Module1::rsproducts, held);
    QCOMPARE(held->rowid(), record);
}

void PresentationBuilderTest::sampleDealFillsEveryColumn() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    dealmenu *menu = sampleDeal();
    QVERIFY(menu);
    // "All New Vehicles": ten, seven, four and two products.
    const int counts[4] = {10, 7, 4, 2};
    for (int p = 0; p < 4; ++p) {
        for (int k = 0; k < 10; ++k)
            QCOMPARE(visible(menu, productBox(p, k)), k < counts[p]);
        QVERIFY(textOf(menu, QStringLiteral("producttext(%1)").arg(p)).endsWith(QStringLiteral("\r\n\r\n")));
    }
    QVERIFY(textOf(menu, productBox(0, 0)).startsWith(QStringLiteral("Extended Service Contract")));
    QVERIFY(textOf(menu, QStringLiteral("webpath0(0)")).endsWith(QStringLiteral("service-contract.html")));
}
