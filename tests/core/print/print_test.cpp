// The page printer on the recording printer (characters 2 mm wide, lines 4 mm high at 10 pt), and printouts.

#include "core/deal/dealpage.h"
#include "core/print/dealprintout.h"
#include "core/print/pageprinter.h"
#include "core/print/printer.h"
#include "core/print/productlistprintout.h"
#include "core/print/recordingdevice.h"
#include "core/print/reportprintout.h"
#include "core/report/productreport.h"

#include <QTest>

#include <cmath>

// PagePrinter computes in single precision, as the layout was written for: positions compare as floats.
#define QCOMPARE_MM(actual, expected) QCOMPARE(float(actual), float(expected))

using Kind = RecordingDevice::Kind;
using namespace Qt::StringLiterals;

namespace {
// A recording printer whose printable area starts 4.2 mm across and 8.4 mm down from the sheet's corner (42
// and 84 pixels at 254 dpi).
RecordingDevice *insetDevice(RecordingDevice *device = new RecordingDevice) {
    device->setResolution(254);
    device->setPhysicalOffset(42, 84);
    device->setFontSize(10);
    device->setPrintableSizeMm(207.4, 271.0);
    return device;
}
struct Inset {
    RecordingDevice device;
    std::unique_ptr<PagePrinter> p;
    Inset() { p = std::make_unique<PagePrinter>(*insetDevice(&device)); }
    double left(int i) const { return device.texts().at(i).x - p->XOffset(); }
    double right(int i) const { return left(i) + device.texts().at(i).width; }
    double top(int i) const { return device.texts().at(i).y - p->YOffset(); }
};
} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void textIsPlacedOnTheSheet() {
        Inset s;
        s.device.setPhysicalOffset(100, 100); // measured once, at creation
        QCOMPARE_MM(s.p->XOffset(), -4.2f);
        QCOMPARE_MM(s.p->YOffset(), -8.4f);
        s.p->PrintLeft(20, 46, u"Deal"_s, 0);
        s.p->PrintRight(53, 16, u"Customer: "_s, 0);
        // A negative coordinate keeps the current position on that axis.
        s.p->CurrentX(12);
        s.p->CurrentY(30);
        s.p->PrintLeft(-1, 40, u"x kept"_s, 0);
        s.p->CurrentX(70);
        s.p->CurrentY(33);
        s.p->PrintCentre(90, -5, u"y kept"_s, 0);
        // Several lines: taken apart and trimmed, the first one indented, each below the other with the gap.
        s.p->LineSpacing(1.5);
        s.p->PrintLeft(30, 50, u"One\r\nTwo  \r\n  Three"_s, 3);
        // Each text with its left and right edges and its top, from the printable area's corner.
        const QList<std::tuple<QString, double, double, double>> expected{
            {"Deal", 20, 28, 46}, {"Customer: ", 33, 53, 16}, {"x kept", 12, 24, 40}, {"y kept", 84, 96, 33},
            {"One", 33, 39, 50},  {"Two", 30, 36, 55.5},      {"Three", 30, 40, 61}};
        QCOMPARE(s.device.texts().size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            const auto &[text, left, right, top] = expected[i];
            QCOMPARE(s.device.texts().at(i).text, text);
            QCOMPARE_MM(s.left(i), left);
            QCOMPARE_MM(s.right(i), right);
            QCOMPARE_MM(s.top(i), top);
        }
        // A rectangle leaves the position at its far corner.
        s.p->DrawRectangle(20, 30, 60, 40, 0);
        QCOMPARE(s.p->CurrentX(), 80.0f);
        QCOMPARE(s.p->CurrentY(), 70.0f);
    }

    // Wrapped, then printed line by line below one another; an empty line keeps its place.
    void paragraphWrapping() {
        // Words "ab" with their blank take 6 mm: 53 mm holds 8 of them, 58 mm holds 9.
        const QString ab = u"ab "_s;
        const std::tuple<QString, float, float, QStringList> rows[] = {
            {ab.repeated(30).trimmed(),
             58.0f,
             5.0f,
             {ab.repeated(8).trimmed(), ab.repeated(9).trimmed(), ab.repeated(9).trimmed(), ab.repeated(4).trimmed()}},
            // Line breaks in the text survive.
            {"Oil Change\r\n$29.95\r\n\r\nSynthetic oil and filter with a free top-up of all fluids",
             58.0f,
             0.0f,
             {"Oil Change", "$29.95", "", "Synthetic oil and filter", "with a free top-up of all", "fluids"}},
            // The first line kept is the indented one, also when blanks come before the first word.
            {"   ab cd", 20.0f, 14.0f, {"ab", "cd"}}};
        for (const auto &[text, length, indent, lines] : rows) {
            Inset s;
            QCOMPARE(s.p->wrap(text, length, indent).split(u"\r\n"_s), lines);
            s.p->Paragraph(22, 54, length, text, indent);
            int k = 0;
            for (int i = 0; i < lines.size(); ++i) {
                if (lines.at(i).isEmpty())
                    continue;
                QCOMPARE(s.device.texts().at(k).text, lines.at(i));
                QCOMPARE_MM(s.top(k), 54.0 + 4 * i);
                QCOMPARE_MM(s.left(k), 22.0 + (i == 0 ? indent : 0));
                ++k;
            }
            QCOMPARE(s.device.texts().size(), k);
        }
    }

    // Each printout prints one document and leaves the printer in portrait; the deal prints one landscape
    // page whose twelve boxes come first; the list, which counts in twips, leaves the unit as it found it.
    void printoutsLeaveThePrinterAsFound() {
        RecordingDevice *device = insetDevice();
        Printer printer{std::unique_ptr<PrinterDevice>(device)};
        DealPage page;
        page.packageTexts.fill(QStringLiteral("GAP Protection $695.00\r\nPays the difference between the insurance "
                                              "settlement and the loan balance if the vehicle is stolen."));
        page.priceLines = {"$ 92.41 / Month", "$ 71.18 / Month", "$ 24.86 / Month", "$ 4.55 / Month"};
        QVERIFY(printDeal(printer, page));
        QCOMPARE(device->documentsEnded(), 1);
        QCOMPARE(device->orientation(), int(PrinterDevice::Portrait));
        for (const auto &op : device->operations())
            QCOMPARE(op.orientation, int(PrinterDevice::Landscape));
        QCOMPARE(device->operations(Kind::NewPage).size(), 0);
        const auto rects = device->operations(Kind::Rectangle);
        QCOMPARE(rects.size(), 12);
        QCOMPARE(device->operations().first().kind, Kind::Rectangle);
        // Four 60 mm columns: a heading band, the product boxes and the price band, each box's bottom the next's top.
        const double tops[4] = {45, 52, 192, 202};
        for (int i = 0; i < 12; ++i) {
            QCOMPARE_MM(rects.at(i).x + 4.2, 20.0 + 60 * (i % 4));
            QCOMPARE_MM(rects.at(i).x2 + 4.2, 80.0 + 60 * (i % 4));
            QCOMPARE_MM(rects.at(i).y + 8.4, tops[i / 4]);
            QCOMPARE_MM(rects.at(i).y2 + 8.4, tops[i / 4 + 1]);
        }
        // One term: each price line as it has always printed, 14 pt and centred in its box at 194 mm.
        int prices = 0;
        for (const auto &op : device->texts())
            if (op.text.startsWith("$ "_L1)) {
                QCOMPARE(op.font.size, 14.0);
                QCOMPARE_MM(op.y + 8.4, 194.0);
                QVERIFY(std::abs(op.x + 4.2 + op.width / 2 - (50 + 60 * prices++)) < 0.3);
            }
        QCOMPARE(prices, 4);
        device->setScaleMode(PrinterDevice::ScaleMode::Millimetres);
        device->setOrientation(PrinterDevice::Landscape);
        QVERIFY(printProductList(printer.device(),
                                 {{"id", "Name", "Cost", "MSRP", "Profit", "Installer", "Phone #", "Notes"},
                                  {"1", "Tint", "$101.50", "$250.00", "$148.50", "", "", ""}},
                                 "Riverside Motors", QDate(2026, 12, 7)));
        QCOMPARE(device->documentsEnded(), 2);
        QCOMPARE(device->operations(Kind::Line).last().drawWidth, 1); // not the deal's pen: as its preview draws
        QCOMPARE(device->orientation(), int(PrinterDevice::Portrait));
        QCOMPARE(device->scaleMode(), PrinterDevice::ScaleMode::Millimetres);
        // The product report over two pages: the title and every heading on each.
        device->clear();
        ProductReport report;
        report.lines.fill(ProductLine{"Tint", 2, 1, 400, 280}, 60);
        QVERIFY(printProductReport(printer, report, "All deals"));
        QList<int> pages;
        for (const auto &op : device->texts())
            if (op.text == "Product Report" || report::productHeadings().contains(op.text))
                pages << op.page;
        QCOMPARE(pages, QList<int>({1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2}));
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
