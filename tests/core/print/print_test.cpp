// The page printer and paragraph wrapping on the recording printer (characters 2 mm wide, lines 4 mm
// high at 10 pt), then the deal and product list layouts.

#include "core/deal/dealpage.h"
#include "core/print/dealprintout.h"
#include "core/print/pageprinter.h"
#include "core/print/printer.h"
#include "core/print/printroutines.h"
#include "core/print/productlistprintout.h"
#include "core/print/recordingdevice.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

// PagePrinter computes in single precision, as the layout was written for: positions compare as floats.
#define QCOMPARE_MM(actual, expected) QCOMPARE(float(actual), float(expected))
#define QVERIFY_NEAR(actual, expected)                                                                                 \
    QVERIFY2(std::abs((actual) - (expected)) < 0.3, qPrintable(QString::number(actual)))

using Kind = RecordingDevice::Kind;

namespace {
// A recording printer whose printable area starts 4.2 mm in from the sheet's corner (42 pixels at 254 dpi).
RecordingDevice *insetDevice(RecordingDevice *device = new RecordingDevice) {
    device->setResolution(254);
    device->setPhysicalOffset(42, 42);
    device->setFontSize(10);
    device->setPrintableSizeMm(207.4, 271.0);
    return device;
}
struct Inset {
    RecordingDevice device;
    std::unique_ptr<PagePrinter> p;
    Inset() { p = std::make_unique<PagePrinter>(*insetDevice(&device)); }
    double left(int i) const { return device.texts().at(i).x - p->XOffset(); }
    double top(int i) const { return device.texts().at(i).y - p->YOffset(); }
};

DealPage sampleDeal() {
    DealPage d;
    d.dealership = "Riverside Motors of Springfield";
    d.salesperson = "Dana Whitfield";
    d.customer = "Jordan A. Castellano";
    d.stockNumber = "R24-1187";
    d.vehicle = "2024 Meridian Touring AWD";
    d.headings = {"Platinum", "Gold", "Silver", "Basic"};
    const QString warranty = "Extended Service Plan $1895.00\r\nCovers engine, transmission, drive axles and "
                             "electrical parts for 7 years or 100,000 miles, with roadside assistance.\r\n\r\n";
    const QString gap = "GAP Protection $695.00\r\nPays the difference between the insurance settlement and the "
                        "loan balance if the vehicle is stolen or totalled.\r\n\r\n";
    const QString etch = "Anti-Theft Etch $199.00\r\nThe vehicle identification number etched on every window.";
    d.packageTexts = {warranty + gap + etch, warranty + gap, gap + etch, etch};
    d.priceLines = {"$ 92.41 / Month", "$ 71.18 / Month", "$ 24.86 / Month", "$ 4.55 / Month"};
    d.disclaimer = "Payments are estimates based on 72 months at 6.9% APR with approved credit. Tax, title and "
                   "license fees are extra. Products are optional and not required to obtain financing.";
    return d;
}

QList<QStringList> productGrid(int products) {
    QList<QStringList> grid{{"id", "Name", "Cost", "MSRP", "Profit", "Installer", "Phone #", "Notes"}};
    for (int i = 1; i <= products; ++i)
        grid.append({QString::number(i), QStringLiteral("Product%1").arg(i), "$101.50", "$250.00", "$148.50",
                     "Installer", "555-0100", "Note"});
    return grid;
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

private slots:
    void textIsPlacedOnTheSheet() {
        Inset s;
        s.device.setPhysicalOffset(100, 100); // measured once, at creation
        QCOMPARE_MM(s.p->XOffset(), -4.2f);
        QCOMPARE_MM(s.p->YOffset(), -4.2f);
        s.p->PrintLeft(20, 46, QStringLiteral("Deal"), 0);
        QCOMPARE_MM(s.device.texts().at(0).x, 15.8);
        QCOMPARE_MM(s.device.texts().at(0).y, 41.8);

        s.p->PrintRight(53, 16, QStringLiteral("Customer: "), 0);
        const auto customer = s.device.texts().at(1);
        QCOMPARE(customer.text, QStringLiteral("Customer: "));
        QCOMPARE_MM(s.left(1) + customer.width, 53.0);

        // A negative coordinate keeps the current position on that axis.
        s.p->CurrentX(12);
        s.p->CurrentY(30);
        s.p->PrintLeft(-1, 40, QStringLiteral("x kept"), 0);
        QCOMPARE_MM(s.left(2), 12.0);
        QCOMPARE_MM(s.top(2), 40.0);
        s.p->CurrentX(70);
        s.p->CurrentY(33);
        s.p->PrintRight(90, -5, QStringLiteral("y kept"), 0);
        QCOMPARE_MM(s.left(3) + s.device.texts().at(3).width, 90.0);
        QCOMPARE_MM(s.top(3), 33.0);

        RecordingDevice twips;
        printroutines::printat(twips, 10, 15);
        QCOMPARE_MM(twips.currentX(), 567.0);
        QCOMPARE_MM(twips.currentY(), 850.5);
    }

    void multiLineText_data() {
        QTest::addColumn<float>("spacing");
        QTest::newRow("no extra gap") << 0.0f;
        QTest::newRow("gap of 1.5 mm") << 1.5f;
    }
    void multiLineText() {
        QFETCH(float, spacing);
        Inset s;
        s.p->LineSpacing(spacing);
        s.p->PrintLeft(30, 50, QStringLiteral("One\r\nTwo  \r\n  Three"), 3);
        QCOMPARE(s.device.texts().size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(s.device.texts().at(i).text, QStringList({"One", "Two", "Three"}).at(i));
            QCOMPARE_MM(s.top(i), 50.0 + i * (4 + spacing));
            QCOMPARE_MM(s.left(i), 30.0 + (i == 0 ? 3 : 0));
        }
    }

    void rectangles() {
        Inset s;
        s.p->DrawRectangle(20, 45, 60, 7, 0);
        const auto boxes = s.device.operations(Kind::Rectangle);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE_MM(boxes.first().x - s.p->XOffset(), 20.0);
        QCOMPARE_MM(boxes.first().y2 - s.p->YOffset(), 52.0);

        s.p->DrawRectangle(20, 30, 60, 40, 5);
        QCOMPARE(s.device.operations(Kind::Rectangle).size(), 1);
        const auto lines = s.device.operations(Kind::Line);
        const auto arcs = s.device.operations(Kind::Arc);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(arcs.size(), 4);
        const double lengths[4] = {50, 30, 50, 30}; // top, right, bottom, left
        for (int i = 0; i < 4; ++i) {
            QCOMPARE_MM(std::hypot(lines.at(i).x2 - lines.at(i).x, lines.at(i).y2 - lines.at(i).y), lengths[i]);
            QCOMPARE(arcs.at(i).radius, 5.0);
        }
        QCOMPARE(s.p->CurrentX(), 80.0f);
        QCOMPARE(s.p->CurrentY(), 70.0f);
    }

    void paragraphWrapping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("length");
        QTest::addColumn<float>("indent");
        QTest::addColumn<QStringList>("lines");
        // Words "ab" with their blank take 6 mm: 53 mm holds 8 of them, 58 mm holds 9.
        const QString ab = QStringLiteral("ab ");
        QTest::newRow("indent 5, length 58") << ab.repeated(30).trimmed() << 58.0f << 5.0f
                                             << QStringList{ab.repeated(8).trimmed(), ab.repeated(9).trimmed(),
                                                            ab.repeated(9).trimmed(), ab.repeated(4).trimmed()};
        QTest::newRow("after a hyphen") << "a well-known name" << 20.0f << 0.0f << QStringList{"a well-", "known name"};
        QTest::newRow("after a slash") << "choose either/or now" << 28.0f << 0.0f
                                       << QStringList{"choose either/", "or now"};
        QTest::newRow("over-long word") << "an extraordinarily long" << 20.0f << 0.0f
                                        << QStringList{"an", "extraordinarily", "long"};
        QTest::newRow("over-long hyphenated word")
            << "Undercoating-protection" << 20.0f << 0.0f << QStringList{"Undercoating-", "protection"};
        QTest::newRow("no length") << "ab cd" << 0.0f << 0.0f << QStringList{"ab", "cd"};
        QTest::newRow("line breaks in the text survive")
            << "Oil Change\r\n$29.95\r\n\r\nSynthetic oil and filter with a free top-up of all fluids" << 58.0f << 0.0f
            << QStringList{"Oil Change", "$29.95", "", "Synthetic oil and filter", "with a free top-up of all",
                           "fluids"};
        // The first line kept is the indented one, also when blanks come before the first word.
        QTest::newRow("blanks before the first word") << "   ab cd" << 20.0f << 14.0f << QStringList{"ab", "cd"};
        // A text cut in the middle of a character outside the first plane is still measured line by line.
        const QChar half(0xd83d);
        QTest::newRow("half a surrogate pair") << "Tint\r\nFilm" + QString(half) + " and more" << 20.0f << 0.0f
                                               << QStringList{"Tint", "Film" + QString(half) + " and", "more"};
    }
    void paragraphWrapping() {
        QFETCH(QString, text);
        QFETCH(float, length);
        QFETCH(float, indent);
        QFETCH(QStringList, lines);
        Inset s;
        QCOMPARE(s.p->wrap(text, length, indent).split(QStringLiteral("\r\n")), lines);
        // Printed line by line below one another; an empty line keeps its place.
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

    // Each printout prints one document and leaves the printer in portrait; the list, which counts in
    // twips, leaves the unit as it found it.
    void printoutsLeaveThePrinterAsFound_data() {
        QTest::addColumn<bool>("deal");
        QTest::newRow("deal") << true;
        QTest::newRow("product list") << false;
    }
    void printoutsLeaveThePrinterAsFound() {
        QFETCH(bool, deal);
        RecordingDevice *device = insetDevice();
        Printer printer{std::unique_ptr<PrinterDevice>(device)};
        device->setOrientation(PrinterDevice::Landscape);
        device->setFontSize(12);
        const auto scale = deal ? PrinterDevice::ScaleMode::Twips : PrinterDevice::ScaleMode::Millimetres;
        device->setScaleMode(scale);
        const bool printed =
            deal ? printDeal(printer, sampleDeal()) : printProductList(printer.device(), productGrid(5));
        QVERIFY(printed);
        QCOMPARE(device->documentsEnded(), 1);
        QCOMPARE(device->orientation(), int(PrinterDevice::Portrait));
        if (!deal) { // the list leaves the unit as it found it
            QCOMPARE(device->scaleMode(), scale);
            return;
        }
        // One landscape page; twelve boxes first: a heading band, the product boxes and the price band
        // in four 60 mm columns.
        for (const auto &op : device->operations())
            QCOMPARE(op.orientation, int(PrinterDevice::Landscape));
        QCOMPARE(device->operations(Kind::NewPage).size(), 0);
        const auto rects = device->operations(Kind::Rectangle);
        QCOMPARE(rects.size(), 12);
        QCOMPARE(device->operations().first().kind, Kind::Rectangle);
        const double tops[3] = {45, 52, 192}, bottoms[3] = {52, 192, 202};
        for (int i = 0; i < 12; ++i) {
            QCOMPARE_MM(rects.at(i).x + 4.2, 20.0 + 60 * (i % 4));
            QCOMPARE_MM(rects.at(i).x2 + 4.2, 80.0 + 60 * (i % 4));
            QCOMPARE_MM(rects.at(i).y + 4.2, tops[i / 4]);
            QCOMPARE_MM(rects.at(i).y2 + 4.2, bottoms[i / 4]);
        }
        // One term: each price line as it has always printed, 14 pt and centred in its box at 194 mm.
        int prices = 0;
        for (const auto &op : device->texts())
            if (op.text.startsWith(QLatin1String("$ "))) {
                QCOMPARE(op.font.size, 14.0);
                QCOMPARE_MM(op.y + 4.2, 194.0);
                QVERIFY_NEAR(op.x + 4.2 + op.width / 2, 50 + 60 * prices++);
            }
        QCOMPARE(prices, 4);
    }
};

QTEST_MAIN(TestPrint)
#include "print_test.moc"
