// The deal and product list printouts: asking first, the layout on the recording printer, and the real
// printer's PDF read back with poppler's tools.

#include "catalogue/productlistprintout.h"
#include "presentation/dealprintout.h"
#include "print/printer.h"
#include "print/qtprinterdevice.h"
#include "print/recordingdevice.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#define QCOMPARE_MM(actual, expected) QCOMPARE(float(actual), float(expected))

using Kind = RecordingDevice::Kind;

namespace {
DealPage sampleDeal() {
    DealPage d;
    d.dealershipnametext = "Riverside Motors of Springfield";
    d.salespersonnametext = "Dana Whitfield";
    d.customernametext = "Jordan A. Castellano";
    d.stocknumbertext = "R24-1187";
    d.vehicletext = "2024 Meridian Touring AWD";
    d.menuframe = {"Platinum", "Gold", "Silver", "Basic"};
    const QString warranty =
        "Extended Service Plan $1895.00\r\nCovers engine, transmission, drive axles and electrical "
        "parts for 7 years or 100,000 miles, with roadside assistance.\r\n\r\n";
    const QString gap = "GAP Protection $695.00\r\nPays the difference between the insurance settlement and the "
                        "loan balance if the vehicle is stolen or totalled.\r\n\r\n";
    const QString etch = "Anti-Theft Etch $199.00\r\nThe vehicle identification number etched on every window.";
    d.producttext = {warranty + gap + etch, warranty + gap, gap + etch, etch};
    d.pricepayment = {"$ 92.41 / Month", "$ 71.18 / Month", "$ 24.86 / Month", "$ 4.55 / Month"};
    d.disclaimertext = "Payments are estimates based on 72 months at 6.9% APR with approved credit. Tax, title and "
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

// A recording printer whose printable area is 4.2 mm in from the sheet's corner.
RecordingDevice *installRecordingPrinter() {
    auto device = std::make_unique<RecordingDevice>();
    device->setResolution(254);
    device->setPhysicalOffset(42, 42);
    device->setPrintableSizeMm(207.4, 271.0);
    RecordingDevice *raw = device.get();
    printer::install(std::move(device));
    return raw;
}

QString run(const QString &program, const QStringList &args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word {
    int page;
    QString text;
    double left, top, right; // millimetres from the sheet's top-left corner
};

struct Pdf {
    QList<QSizeF> pages; // millimetres
    QList<Word> words;
    // The words, left to right, of the line on `page` whose first word is `first`.
    QList<Word> line(const QString &first, int page = 1) const {
        for (const Word &start : words) {
            if (start.page != page || start.text != first)
                continue;
            QList<Word> out;
            for (const Word &w : words)
                if (w.page == page && std::abs(w.top - start.top) < 0.5 && w.left >= start.left - 0.01)
                    out.append(w);
            std::sort(out.begin(), out.end(), [](const Word &a, const Word &b) { return a.left < b.left; });
            return out;
        }
        return {};
    }
};

Pdf readPdf(const QString &path) {
    constexpr double mm = 25.4 / 72.0;
    static const QRegularExpression token(
        QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                       "xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    Pdf pdf;
    auto it = token.globalMatch(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, "-"}));
    while (it.hasNext()) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty())
            pdf.pages.append(QSizeF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm));
        else
            pdf.words.append({int(pdf.pages.size()), m.captured(6), m.captured(3).toDouble() * mm,
                              m.captured(4).toDouble() * mm, m.captured(5).toDouble() * mm});
    }
    return pdf;
}

bool boldOnPage(const QString &path, int page) {
    return run(QStringLiteral("pdffonts"), {"-f", QString::number(page), "-l", QString::number(page), path})
        .contains(QStringLiteral("Bold"));
}

bool havePdfTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}
} // namespace

class TestPrintouts : public QObject {
    Q_OBJECT

private slots:
    void init() { m_notices.clear(), m_failures.clear(); }
    void cleanup() { printer::install(nullptr); }
    void cancelPrintsNothing_data();
    void cancelPrintsNothing();
    void dealLayout();
    void dealOnPaper();
    void longListOnPaper();

private:
    QtPrinterDevice *installPdfPrinter(const QString &file);
    QStringList m_notices, m_failures;
    QTemporaryDir m_dir;
};

QtPrinterDevice *TestPrintouts::installPdfPrinter(const QString &file) {
    auto device = std::make_unique<QtPrinterDevice>();
    device->setOutputFile(file);
    device->setPdfMarginsMm(QMarginsF(4.2, 4.2, 4.2, 4.2));
    device->setReporter([this](bool failure, const QString &m) { (failure ? m_failures : m_notices).append(m); });
    QtPrinterDevice *raw = device.get();
    printer::install(std::move(device));
    return raw;
}

void TestPrintouts::cancelPrintsNothing_data() {
    QTest::addColumn<bool>("deal");
    QTest::newRow("Print Deal?") << true;
    QTest::newRow("Print List?") << false;
}

void TestPrintouts::cancelPrintsNothing() {
    QFETCH(bool, deal);
    RecordingDevice *device = installRecordingPrinter();
    device->setOrientation(PrinterDevice::Landscape);
    device->setFontSize(12);
    const auto scale = deal ? PrinterDevice::ScaleMode::Twips : PrinterDevice::ScaleMode::Millimetres;
    device->setScaleMode(scale);
    bool printed = true;
    auto print = [&] { printed = deal ? printDealConfirmed(sampleDeal()) : printProductListConfirmed(productGrid(5)); };
    const auto boxes = testsupport::answeringBoxes(print, {false});
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(printed, false);
    QCOMPARE(device->operations().size(), 0);
    QCOMPARE(device->orientation(), int(PrinterDevice::Landscape));
    QCOMPARE(device->fontSize(), 12.0);
    QCOMPARE(device->scaleMode(), scale);
    QVERIFY(!printer::hasMyPrinter());

    testsupport::answeringBoxes(print, {true});
    QVERIFY(printed);
    QCOMPARE(device->documentsEnded(), 1);
    QCOMPARE(device->orientation(), int(PrinterDevice::Portrait));
    if (!deal) // the list leaves the unit as it found it
        QCOMPARE(device->scaleMode(), scale);
}

void TestPrintouts::dealLayout() {
    RecordingDevice *device = installRecordingPrinter();
    QVERIFY(printDeal(sampleDeal()));
    for (const auto &op : device->operations())
        QCOMPARE(op.orientation, int(PrinterDevice::Landscape));
    QCOMPARE(device->orientation(), int(PrinterDevice::Portrait));
    QCOMPARE(device->operations(Kind::NewPage).size(), 0);

    // Twelve boxes first: a heading band, the product boxes and the price band in four 60 mm columns.
    const auto boxes = device->operations(Kind::Rectangle);
    QCOMPARE(boxes.size(), 12);
    QCOMPARE(device->operations().first().kind, Kind::Rectangle);
    const double tops[3] = {45, 52, 192}, bottoms[3] = {52, 192, 202};
    for (int i = 0; i < 12; ++i) {
        QCOMPARE_MM(boxes.at(i).x + 4.2, 20.0 + 60 * (i % 4));
        QCOMPARE_MM(boxes.at(i).x2 + 4.2, 80.0 + 60 * (i % 4));
        QCOMPARE_MM(boxes.at(i).y + 4.2, tops[i / 4]);
        QCOMPARE_MM(boxes.at(i).y2 + 4.2, bottoms[i / 4]);
    }
}

void TestPrintouts::dealOnPaper() {
    if (!havePdfTools())
        QSKIP("pdftotext and pdffonts (poppler-utils) are needed to read the printed pages");
    const QString file = m_dir.filePath(QStringLiteral("deal.pdf"));
    installPdfPrinter(file);
    const DealPage deal = sampleDeal();
    QVERIFY(printDeal(deal));
    QCOMPARE(m_failures, QStringList());
    QCOMPARE(m_notices.size(), 1);
    QVERIFY(m_notices.first().contains(QDir::toNativeSeparators(file)));

    const Pdf pdf = readPdf(file);
    QCOMPARE(pdf.pages.size(), 1);
    QVERIFY2(pdf.pages.first().width() > pdf.pages.first().height(), "the deal page is landscape");
    const auto approval = pdf.line(QStringLiteral("Approval:"));
    QVERIFY(!approval.isEmpty());
    QCOMPARE(approval.last().text, QString(27, QLatin1Char('_')));
    QVERIFY2(std::abs(approval.last().right - 260) < 0.3, qPrintable(QString::number(approval.last().right)));
    const auto name = pdf.line(QStringLiteral("Riverside"));
    QCOMPARE(name.size(), 4);
    const double nameCentre = (name.first().left + name.last().right) / 2;
    QVERIFY2(std::abs(nameCentre - 140) < 0.3, qPrintable(QString::number(nameCentre)));
    for (int p = 0; p < 4; ++p) {
        const auto heading = pdf.line(deal.menuframe[p]);
        QVERIFY2(!heading.isEmpty(), qPrintable(deal.menuframe[p]));
        const double mid = (heading.first().left + heading.first().right) / 2;
        QVERIFY2(std::abs(mid - (50 + 60 * p)) < 0.3, qPrintable(QString::number(mid)));
    }
    // The particulars' values start at 55 mm, the first product line at 22 mm.
    QVERIFY2(std::abs(pdf.line(QStringLiteral("Salesperson:")).value(1).left - 55) < 0.3, "salesperson");
    QVERIFY2(std::abs(pdf.line(QStringLiteral("Extended")).value(0).left - 22) < 0.3, "first product");
}

void TestPrintouts::longListOnPaper() {
    if (!havePdfTools())
        QSKIP("pdftotext and pdffonts (poppler-utils) are needed to read the printed pages");
    // A deal printed earlier in the run leaves the printer in millimetres: the list must not move for it.
    QtPrinterDevice *device = installPdfPrinter(m_dir.filePath(QStringLiteral("before.pdf")));
    QVERIFY(printDeal(sampleDeal()));
    const QString file = m_dir.filePath(QStringLiteral("list.pdf"));
    device->setOutputFile(file);
    QVERIFY(printProductList(productGrid(70)));
    QCOMPARE(m_failures, QStringList());

    const Pdf pdf = readPdf(file);
    QVERIFY2(pdf.pages.size() >= 2, "seventy products take more than one page");
    QVERIFY(pdf.pages.first().width() > pdf.pages.first().height());
    for (int page = 1; page <= 2; ++page) {
        QStringList headings;
        const auto line = pdf.line(QStringLiteral("Name"), page);
        for (const Word &w : line)
            headings << w.text;
        QCOMPARE(headings, QStringList({"Name", "Cost", "MSRP", "Profit", "Installer", "Phone", "#", "Notes"}));
        // 10 mm across and 15 mm down from the printable area's corner, 4.2 mm in from the sheet's.
        QVERIFY2(std::abs(line.first().left - 14.2) < 0.3, qPrintable(QString::number(line.first().left)));
        QVERIFY2(line.first().top > 18.2 && line.first().top < 20.2, qPrintable(QString::number(line.first().top)));
        QVERIFY2(boldOnPage(file, page), qPrintable(QStringLiteral("page %1 has bold headings").arg(page)));
    }
    int products = 0;
    for (const Word &w : pdf.words) {
        if (!w.text.startsWith(QStringLiteral("Product")))
            continue;
        ++products;
        QVERIFY2(w.top < 185 + 4.2, qPrintable(QStringLiteral("%1 starts at %2 mm").arg(w.text).arg(w.top)));
    }
    QCOMPARE(products, 70);
}

#include "tst_printouts.moc"

int runMyPrinterTests(int argc, char **argv);

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    TestPrintouts printouts;
    return runMyPrinterTests(argc, argv) + QTest::qExec(&printouts, argc, argv);
}
