// The deal and product list printouts on the recording printer: what lands where, in which font.

#include "catalogue/productlistprintout.h"
#include "presentation/dealprintout.h"
#include "print/myprinter.h"
#include "print/printer.h"
#include "print/printroutines.h"
#include "print/recordingdevice.h"
#include "printtestsupport.h"

#include <QTest>

using Kind = RecordingDevice::Kind;
using Op = RecordingDevice::Operation;

namespace {
constexpr double mmPerTwip = 25.4 / 1440.0;

// A printer whose printable area is 4.2 mm in; it notes the orientation it was in when measured.
struct MarginPrinter : RecordingDevice {
    mutable int measuredIn = 0;
    MarginPrinter() {
        setResolution(254);
        setPhysicalOffset(42, 42);
        setPrintableSizeMm(207.4, 271.0);
    }
    int physicalOffsetX() const override {
        measuredIn = orientation();
        return RecordingDevice::physicalOffsetX();
    }
};

MarginPrinter *installMarginPrinter() {
    auto device = std::make_unique<MarginPrinter>();
    MarginPrinter *raw = device.get();
    printer::install(std::move(device));
    return raw;
}

// A text's left edge, right edge and top on the sheet (the printer's offsets are -4.2 mm).
double sheetLeft(const Op &op) { return op.x + 4.2; }
double sheetRight(const Op &op) { return op.x + 4.2 + op.width; }
double sheetTop(const Op &op) { return op.y + 4.2; }

bool near(double a, double b) { return std::abs(a - b) < 1e-3; }
} // namespace

class TestPrintouts : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { printer::install(nullptr); }

    void printatPutsMillimetresInTwips();
    void printlineDrawsInTwips();

    void dealIsOneLandscapePageThenPortrait();
    void dealMeasuresMarginsInLandscape();
    void dealDrawsTwelveBoxesInOrder();
    void dealTextsSitWhereTheLayoutSays_data();
    void dealTextsSitWhereTheLayoutSays();
    void dealCentresHeadingsAndPrices();
    void dealParticularsMeetAtTheColon();
    void dealProductsWrapInTheirColumn();
    void dealWithEmptyPackageStillHasItsBoxes();
    void dealLeavesThePrinterAsTheLayoutSays();
    void dealReportsAFailedPrinter();
    void dealCancelPrintsNothing();
    void dealOkPrints();

    void listHasHeadingsRuleAndLines();
    void emptyListPrintsHeadingsAndOneEmptyLine();
    void listBreaksPagesBefore185mm();
    void listComesOutTheSameAfterADeal();
    void listEndsInPortraitWhateverItStartedIn();
    void listToleratesRaggedRows();
    void listCancelPrintsNothing();
};

void TestPrintouts::printatPutsMillimetresInTwips() {
    RecordingDevice device;
    printroutines::printat(device, 10, 15);
    QCOMPARE_MM(device.currentX(), 567.0);
    QCOMPARE_MM(device.currentY(), 850.5);
    printroutines::printatx(device, 200);
    printroutines::printaty(device, 185);
    QCOMPARE_MM(device.currentX(), 11340.0);
    QCOMPARE_MM(device.currentY(), 10489.5);
}

void TestPrintouts::printlineDrawsInTwips() {
    RecordingDevice device;
    printroutines::printline(device, 10, 20, 265, 20);
    const auto lines = device.operations(Kind::Line);
    QCOMPARE(lines.size(), 1);
    QCOMPARE_MM(lines.first().x, 567.0 * mmPerTwip);
    QCOMPARE_MM(lines.first().x2, 265 * 56.7 * mmPerTwip);
    QCOMPARE_MM(device.currentX(), 265 * 56.7);
}

void TestPrintouts::dealIsOneLandscapePageThenPortrait() {
    MarginPrinter *device = installMarginPrinter();
    QVERIFY(printDeal(printtest::sampleDeal()));
    QCOMPARE(device->documentsEnded(), 1);
    QCOMPARE(device->operations(Kind::NewPage).size(), 0);
    for (const Op &op : device->operations())
        QCOMPARE(op.orientation, int(PrinterDevice::Landscape));
    QCOMPARE(device->orientation(), int(PrinterDevice::Portrait));
}

void TestPrintouts::dealMeasuresMarginsInLandscape() {
    MarginPrinter *device = installMarginPrinter();
    QVERIFY(!printer::hasMyPrinter());
    printDeal(printtest::sampleDeal());
    QVERIFY(printer::hasMyPrinter());
    QCOMPARE(device->measuredIn, int(PrinterDevice::Landscape));
    // The second print uses the same MyPrinter: the margins are not measured again.
    device->measuredIn = 0;
    printDeal(printtest::sampleDeal());
    QCOMPARE(device->measuredIn, 0);
    QCOMPARE(device->documentsEnded(), 2);
}

void TestPrintouts::dealDrawsTwelveBoxesInOrder() {
    MarginPrinter *device = installMarginPrinter();
    printDeal(printtest::sampleDeal());
    const auto boxes = device->operations(Kind::Rectangle);
    QCOMPARE(boxes.size(), 12);
    const double tops[3] = {45, 52, 192};
    const double bottoms[3] = {52, 192, 202};
    for (int i = 0; i < 12; ++i) {
        const Op &box = boxes.at(i);
        const int band = i / 4, column = i % 4;
        QCOMPARE_MM(box.x + 4.2, 20.0 + 60 * column);
        QCOMPARE_MM(box.x2 + 4.2, 80.0 + 60 * column);
        QCOMPARE_MM(box.y + 4.2, tops[band]);
        QCOMPARE_MM(box.y2 + 4.2, bottoms[band]);
        QCOMPARE(box.drawWidth, 2);
    }
    // The boxes come before any text.
    QCOMPARE(device->operations().first().kind, Kind::Rectangle);
}

void TestPrintouts::dealTextsSitWhereTheLayoutSays_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("left");  // NAN when the text is placed by its right edge
    QTest::addColumn<double>("right"); // NAN when placed by its left edge
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    const double none = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("salesperson label") << "Salesperson: " << none << 53.0 << 16.0 << 10.0 << true;
    QTest::newRow("salesperson") << "Dana Whitfield" << 55.0 << none << 16.0 << 10.0 << true;
    QTest::newRow("customer label") << "Customer: " << none << 53.0 << 20.0 << 10.0 << true;
    QTest::newRow("customer") << "Jordan A. Castellano" << 55.0 << none << 20.0 << 10.0 << true;
    QTest::newRow("stock label") << "Stock #: " << none << 53.0 << 28.0 << 10.0 << true;
    QTest::newRow("stock number") << "R24-1187" << 55.0 << none << 28.0 << 10.0 << true;
    QTest::newRow("vehicle label") << "Vehicle: " << none << 53.0 << 32.0 << 10.0 << true;
    QTest::newRow("vehicle") << "2024 Meridian Touring AWD" << 55.0 << none << 32.0 << 10.0 << true;
    QTest::newRow("approval") << "Customer Approval: ___________________________" << none << 260.0 << 35.0 << 10.0
                              << true;
    QTest::newRow("first product") << "Extended Service Plan $1895.00" << 22.0 << none << 54.0 << 8.0 << false;
    QTest::newRow("disclaimer") << printtest::sampleDeal().disclaimertext << 20.0 << none << 203.0 << 7.0 << false;
}

void TestPrintouts::dealTextsSitWhereTheLayoutSays() {
    QFETCH(QString, text);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, top);
    QFETCH(double, points);
    QFETCH(bool, bold);
    MarginPrinter *device = installMarginPrinter();
    printDeal(printtest::sampleDeal());
    const Op *op = device->findText(text);
    QVERIFY2(op, qPrintable(QStringLiteral("not printed: ") + text));
    if (!std::isnan(left))
        QCOMPARE_MM(sheetLeft(*op), left);
    if (!std::isnan(right))
        QCOMPARE_MM(sheetRight(*op), right);
    QCOMPARE_MM(sheetTop(*op), top);
    QCOMPARE(op->font.size, points);
    QCOMPARE(op->font.bold, bold);
    QCOMPARE(op->font.family, QStringLiteral("Arial"));
    QCOMPARE(op->font.italic, false);
}

void TestPrintouts::dealCentresHeadingsAndPrices() {
    MarginPrinter *device = installMarginPrinter();
    DealPage deal = printtest::sampleDeal();
    deal.menuframe[3] = QStringLiteral("An Extremely Long Package Heading");
    printDeal(deal);
    for (int p = 0; p < 4; ++p) {
        const Op *heading = device->findText(deal.menuframe[p]);
        QVERIFY(heading);
        QCOMPARE_MM((sheetLeft(*heading) + sheetRight(*heading)) / 2, 50.0 + 60 * p);
        QCOMPARE_MM(sheetTop(*heading), 46.0);
        QCOMPARE(heading->font.size, 14.0);
        QCOMPARE(heading->font.bold, true);
        const Op *price = device->findText(deal.pricepayment[p]);
        QVERIFY(price);
        QCOMPARE_MM((sheetLeft(*price) + sheetRight(*price)) / 2, 50.0 + 60 * p);
        QCOMPARE_MM(sheetTop(*price), 194.0);
        QCOMPARE(price->font.bold, true);
    }
    // A heading wider than its column starts left of it; nothing is cut.
    QVERIFY(sheetLeft(*device->findText(deal.menuframe[3])) < 200);
    const Op *name = device->findText(deal.dealershipnametext);
    QVERIFY(name);
    QCOMPARE_MM((sheetLeft(*name) + sheetRight(*name)) / 2, 140.0);
    QCOMPARE_MM(sheetTop(*name), 8.0);
    QCOMPARE(name->font.size, 14.0);
}

void TestPrintouts::dealParticularsMeetAtTheColon() {
    MarginPrinter *device = installMarginPrinter();
    DealPage deal = printtest::sampleDeal();
    deal.customernametext = QStringLiteral("   Typed On The Window   ");
    printDeal(deal);
    QVERIFY(device->findText(QStringLiteral("Typed On The Window")));
    QCOMPARE_MM(sheetLeft(*device->findText(QStringLiteral("Typed On The Window"))), 55.0);
}

void TestPrintouts::dealProductsWrapInTheirColumn() {
    MarginPrinter *device = installMarginPrinter();
    const DealPage deal = printtest::sampleDeal();
    printDeal(deal);
    int productLines = 0;
    for (const Op &op : device->texts()) {
        if (op.font.size != 8.0)
            continue;
        ++productLines;
        const double left = sheetLeft(op);
        const int column = int((left - 22) / 60 + 0.5);
        QVERIFY2(near(left, 22 + 60.0 * column), qPrintable(op.text));
        QVERIFY2(op.width <= 58.0 + 1e-6, qPrintable(op.text));
        QVERIFY(sheetTop(op) >= 54.0 - 1e-6);
    }
    QVERIFY(productLines > 20);
}

void TestPrintouts::dealWithEmptyPackageStillHasItsBoxes() {
    MarginPrinter *device = installMarginPrinter();
    DealPage deal = printtest::sampleDeal();
    deal.producttext[2].clear();
    printDeal(deal);
    QCOMPARE(device->operations(Kind::Rectangle).size(), 12);
    QVERIFY(device->findText(deal.menuframe[2]));
    QVERIFY(device->findText(deal.pricepayment[2]));
    for (const Op &op : device->texts())
        if (op.font.size == 8.0)
            QVERIFY2(!near(sheetLeft(op), 142), qPrintable(op.text));
}

void TestPrintouts::dealLeavesThePrinterAsTheLayoutSays() {
    MarginPrinter *device = installMarginPrinter();
    printDeal(printtest::sampleDeal());
    QCOMPARE(device->fontName(), QStringLiteral("Arial"));
    QCOMPARE(device->fontSize(), 10.0);
    QCOMPARE(device->fontBold(), false);
    QCOMPARE(device->fontItalic(), false);
    QCOMPARE(device->drawWidth(), 2);
    QCOMPARE(device->orientation(), int(PrinterDevice::Portrait));
}

void TestPrintouts::dealReportsAFailedPrinter() {
    MarginPrinter *device = installMarginPrinter();
    device->setFailNextDocument(true);
    QVERIFY(!printDeal(printtest::sampleDeal()));
    QCOMPARE(device->documentsEnded(), 0);
    QCOMPARE(device->orientation(), int(PrinterDevice::Portrait));
    // The next print works again.
    QVERIFY(printDeal(printtest::sampleDeal()));
}

void TestPrintouts::dealCancelPrintsNothing() {
    MarginPrinter *device = installMarginPrinter();
    device->setOrientation(PrinterDevice::Landscape);
    device->setFontSize(12);
    printtest::answerNextBox(false);
    QCOMPARE(printDealConfirmed(printtest::sampleDeal()), false);
    QCOMPARE(device->operations().size(), 0);
    QCOMPARE(device->orientation(), int(PrinterDevice::Landscape));
    QCOMPARE(device->fontSize(), 12.0);
    QCOMPARE(device->scaleMode(), PrinterDevice::ScaleMode::Twips);
    QVERIFY(!printer::hasMyPrinter());
}

void TestPrintouts::dealOkPrints() {
    MarginPrinter *device = installMarginPrinter();
    printtest::answerNextBox(true);
    QCOMPARE(printDealConfirmed(printtest::sampleDeal()), true);
    QCOMPARE(device->documentsEnded(), 1);
}

void TestPrintouts::listHasHeadingsRuleAndLines() {
    MarginPrinter *device = installMarginPrinter();
    QVERIFY(printProductList(printtest::sampleProductGrid(3)));
    const double xs[7] = {10, 70, 90, 110, 130, 170, 200};
    const QStringList headings{"Name", "Cost", "MSRP", "Profit", "Installer", "Phone #", "Notes"};
    const auto texts = device->texts();
    for (int c = 0; c < 7; ++c) {
        QCOMPARE(texts.at(c).text, headings.at(c));
        QCOMPARE_MM(texts.at(c).x, xs[c] * 56.7 * mmPerTwip);
        QCOMPARE_MM(texts.at(c).y, 15 * 56.7 * mmPerTwip);
        QCOMPARE(texts.at(c).font.bold, true);
        QCOMPARE(texts.at(c).font.size, 10.0);
        QCOMPARE(texts.at(c).font.family, QStringLiteral("Arial"));
        QCOMPARE(texts.at(c).orientation, int(PrinterDevice::Landscape));
    }
    const auto rules = device->operations(Kind::Line);
    QCOMPARE(rules.size(), 1);
    QCOMPARE_MM(rules.first().y, 20 * 56.7 * mmPerTwip);
    QCOMPARE_MM(rules.first().x2, 265 * 56.7 * mmPerTwip);
    // Three products of seven cells; the id is never printed; money shows as the grid has it.
    QCOMPARE(texts.size(), 7 + 3 * 7);
    QCOMPARE(texts.at(7).text, QStringLiteral("Product1"));
    QCOMPARE(texts.at(8).text, QStringLiteral("$101.50"));
    QCOMPARE(texts.at(7).font.bold, false);
    const double line = 10 * 2.0 / 5.0; // the recording printer's 10 pt line
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 7; ++c) {
            const Op &cell = texts.at(7 + 7 * r + c);
            QCOMPARE_MM(cell.x, xs[c] * 56.7 * mmPerTwip);
            QCOMPARE_MM(cell.y, 20 * 56.7 * mmPerTwip + r * line);
        }
    }
    QCOMPARE(device->documentsEnded(), 1);
}

void TestPrintouts::emptyListPrintsHeadingsAndOneEmptyLine() {
    MarginPrinter *device = installMarginPrinter();
    QList<QStringList> grid = printtest::sampleProductGrid(0);
    grid.append(QStringList(8));
    QVERIFY(printProductList(grid));
    QCOMPARE(device->texts().size(), 7);
    QCOMPARE(device->operations(Kind::Line).size(), 1);
    QCOMPARE(device->documentsEnded(), 1);
}

void TestPrintouts::listBreaksPagesBefore185mm() {
    MarginPrinter *device = installMarginPrinter();
    QVERIFY(printProductList(printtest::sampleProductGrid(80)));
    const auto texts = device->texts();
    QVERIFY(device->operations(Kind::NewPage).size() >= 1);
    int lastPage = 1;
    for (const Op &op : texts) {
        lastPage = qMax(lastPage, op.page);
        if (op.font.bold)
            continue;
        QVERIFY2(op.y < 185 * 56.7 * mmPerTwip, qPrintable(op.text));
    }
    QVERIFY(lastPage >= 2);
    // Page 2 starts with the bold headings and the rule, then its first product at 20 mm.
    QList<Op> pageTwo;
    for (const Op &op : texts)
        if (op.page == 2)
            pageTwo.append(op);
    QCOMPARE(pageTwo.at(0).text, QStringLiteral("Name"));
    QCOMPARE(pageTwo.at(0).font.bold, true);
    QCOMPARE(pageTwo.at(6).text, QStringLiteral("Notes"));
    QCOMPARE(pageTwo.at(7).font.bold, false);
    QCOMPARE_MM(pageTwo.at(7).y, 20 * 56.7 * mmPerTwip);
    int rulesOnPageTwo = 0;
    for (const Op &op : device->operations(Kind::Line))
        rulesOnPageTwo += op.page == 2;
    QCOMPARE(rulesOnPageTwo, 1);
    // Every product is printed once.
    int names = 0;
    for (const Op &op : texts)
        names += op.text.startsWith(QStringLiteral("Product"));
    QCOMPARE(names, 80);
}

void TestPrintouts::listComesOutTheSameAfterADeal() {
    MarginPrinter *device = installMarginPrinter();
    const auto grid = printtest::sampleProductGrid(60);
    printProductList(grid);
    const auto before = device->operations();
    device->clear();
    printDeal(printtest::sampleDeal());
    QCOMPARE(device->scaleMode(), PrinterDevice::ScaleMode::Millimetres);
    device->clear();
    printProductList(grid);
    const auto after = device->operations();
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < before.size(); ++i) {
        QCOMPARE(after.at(i).text, before.at(i).text);
        QCOMPARE_MM(after.at(i).x, before.at(i).x);
        QCOMPARE_MM(after.at(i).y, before.at(i).y);
        QCOMPARE(after.at(i).page, before.at(i).page);
    }
    // And the deal printed afterwards is unchanged by the list's twips.
    device->clear();
    printDeal(printtest::sampleDeal());
    QCOMPARE_MM(sheetRight(*device->findText(QStringLiteral("Customer Approval: ___________________________"))), 260.0);
}

void TestPrintouts::listEndsInPortraitWhateverItStartedIn() {
    MarginPrinter *device = installMarginPrinter();
    device->setOrientation(PrinterDevice::Landscape);
    printProductList(printtest::sampleProductGrid(2));
    QCOMPARE(device->orientation(), int(PrinterDevice::Portrait));
    printProductList(printtest::sampleProductGrid(2));
    QCOMPARE(device->orientation(), int(PrinterDevice::Portrait));
}

void TestPrintouts::listToleratesRaggedRows() {
    MarginPrinter *device = installMarginPrinter();
    QList<QStringList> grid{
        {QStringLiteral("id"), QStringLiteral("Name")}, {}, {QStringLiteral("7"), QStringLiteral("  Only a name  ")}};
    QVERIFY(printProductList(grid));
    QVERIFY(device->findText(QStringLiteral("Only a name")));
    QVERIFY(printProductList({}));
}

void TestPrintouts::listCancelPrintsNothing() {
    MarginPrinter *device = installMarginPrinter();
    device->setOrientation(PrinterDevice::Landscape);
    device->setScaleMode(PrinterDevice::ScaleMode::Millimetres);
    printtest::answerNextBox(false);
    QCOMPARE(printProductListConfirmed(printtest::sampleProductGrid(5)), false);
    QCOMPARE(device->operations().size(), 0);
    QCOMPARE(device->orientation(), int(PrinterDevice::Landscape));
    QCOMPARE(device->scaleMode(), PrinterDevice::ScaleMode::Millimetres);

    printtest::answerNextBox(true);
    QCOMPARE(printProductListConfirmed(printtest::sampleProductGrid(5)), true);
    QCOMPARE(device->documentsEnded(), 1);
    QCOMPARE(device->scaleMode(), PrinterDevice::ScaleMode::Millimetres);
}

#include "tst_printouts.moc"

int runPrintoutTests(int argc, char **argv) {
    TestPrintouts test;
    return QTest::qExec(&test, argc, argv);
}
