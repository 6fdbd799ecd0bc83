// The real printer writing PDF files, read back with poppler's tools: the printed page as a reader sees it.

#include "app/module1.h"
#include "catalogue/productlistprintout.h"
#include "presentation/dealprintout.h"
#include "print/printer.h"
#include "print/qtprinterdevice.h"
#include "printtestsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

using printtest::PdfText;
using printtest::PdfWord;

namespace {
struct Reports {
    QStringList notices;
    QStringList failures;
};

QtPrinterDevice *installPdfPrinter(const QString &file, Reports *reports, const QMarginsF &margins = {}) {
    auto device = std::make_unique<QtPrinterDevice>();
    device->setOutputFile(file);
    device->setPdfMarginsMm(margins);
    device->setReporter([reports](bool failure, const QString &message) {
        (failure ? reports->failures : reports->notices).append(message);
    });
    QtPrinterDevice *raw = device.get();
    printer::install(std::move(device));
    return raw;
}

double centre(const QList<PdfWord> &words) { return (words.first().left + words.last().right) / 2; }
} // namespace

class TestPdf : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { printer::install(nullptr); }

    void dealPageIsLandscapeAndPlacedOnTheSheet_data();
    void dealPageIsLandscapeAndPlacedOnTheSheet();
    void dealIsSavedUnderPrintoutsWhenThereIsNoPrinter();
    void unwritableOutputIsReportedNotDone();
    void longListRepeatsBoldHeadingsOnPageTwo();

private:
    QTemporaryDir m_dir;
};

void TestPdf::initTestCase() {
    if (!printtest::havePdfTools())
        QSKIP("pdftotext and pdffonts (poppler-utils) are needed to read the printed pages");
    QVERIFY(m_dir.isValid());
}

void TestPdf::dealPageIsLandscapeAndPlacedOnTheSheet_data() {
    QTest::addColumn<double>("margin");
    QTest::newRow("sheet fully printable") << 0.0;
    QTest::newRow("printable area 4.2 mm in") << 4.2;
    QTest::newRow("printable area 6.35 mm in") << 6.35;
}

void TestPdf::dealPageIsLandscapeAndPlacedOnTheSheet() {
    QFETCH(double, margin);
    const QString file = m_dir.filePath(QStringLiteral("deal-%1.pdf").arg(margin));
    Reports reports;
    installPdfPrinter(file, &reports, QMarginsF(margin, margin, margin, margin));
    const DealPage deal = printtest::sampleDeal();
    QVERIFY(printDeal(deal));
    QCOMPARE(reports.failures, QStringList());
    QCOMPARE(reports.notices.size(), 1);
    QVERIFY(reports.notices.first().contains(QDir::toNativeSeparators(file)));

    const PdfText pdf = printtest::readPdf(file);
    QCOMPARE(pdf.pages.size(), 1);
    QVERIFY2(pdf.pages.first().width() > pdf.pages.first().height(), "the deal page is landscape");

    // The approval line ends with its underscores at 260 mm.
    const auto approval = pdf.lineStartingWith(QStringLiteral("Approval:"));
    QVERIFY(!approval.isEmpty());
    QCOMPARE(approval.last().text, QString(27, QLatin1Char('_')));
    QVERIFY2(std::abs(approval.last().right - 260) < 0.3,
             qPrintable(QStringLiteral("ends at %1 mm").arg(approval.last().right)));

    const auto name = pdf.lineStartingWith(QStringLiteral("Riverside"));
    QCOMPARE(name.size(), 4);
    QVERIFY2(std::abs(centre(name) - 140) < 0.3, qPrintable(QStringLiteral("centred on %1 mm").arg(centre(name))));
    QVERIFY2(name.first().top > 7 && name.first().top < 9.5, qPrintable(QString::number(name.first().top)));

    for (int p = 0; p < 4; ++p) {
        const auto heading = pdf.lineStartingWith(deal.menuframe[p]);
        QVERIFY(!heading.isEmpty());
        const PdfWord &w = heading.first();
        QCOMPARE(w.text, deal.menuframe[p]);
        const double mid = (w.left + w.right) / 2;
        QVERIFY2(std::abs(mid - (50 + 60 * p)) < 0.3,
                 qPrintable(QStringLiteral("%1 centred on %2 mm").arg(w.text).arg(mid)));
    }

    // The particulars' labels end at 53 mm and their values start at 55 mm.
    const auto salesperson = pdf.lineStartingWith(QStringLiteral("Salesperson:"));
    QVERIFY(salesperson.size() >= 3);
    QVERIFY2(std::abs(salesperson.at(1).left - 55) < 0.3, qPrintable(QString::number(salesperson.at(1).left)));
    // The first product line sits inside its column at 22 mm.
    const auto product = pdf.lineStartingWith(QStringLiteral("Extended"));
    QVERIFY(!product.isEmpty());
    QVERIFY2(std::abs(product.first().left - 22) < 0.3, qPrintable(QString::number(product.first().left)));
}

void TestPdf::dealIsSavedUnderPrintoutsWhenThereIsNoPrinter() {
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this machine has a default printer; the deal would go to it");
    QTemporaryDir folder;
    Module1::setProgramFolder(folder.path());
    auto device = std::make_unique<QtPrinterDevice>();
    Reports reports;
    device->setReporter([&reports](bool failure, const QString &message) {
        (failure ? reports.failures : reports.notices).append(message);
    });
    QtPrinterDevice *raw = device.get();
    printer::install(std::move(device));
    QVERIFY(raw->toPdf());
    QVERIFY(printDeal(printtest::sampleDeal()));
    const QStringList files = QDir(folder.filePath(QStringLiteral("printouts"))).entryList(QDir::Files);
    QCOMPARE(files.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^Deal \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d\\.pdf$"))
                 .match(files.first())
                 .hasMatch(),
             qPrintable(files.first()));
    QCOMPARE(reports.notices.size(), 1);
    QVERIFY(reports.notices.first().contains(files.first()));
    // A second print in the same second gets its own file.
    QVERIFY(printDeal(printtest::sampleDeal()));
    QCOMPARE(QDir(folder.filePath(QStringLiteral("printouts"))).entryList(QDir::Files).size(), 2);
    QVERIFY(printProductList(printtest::sampleProductGrid(3)));
    QCOMPARE(QDir(folder.filePath(QStringLiteral("printouts")))
                 .entryList({QStringLiteral("Product List *.pdf")}, QDir::Files)
                 .size(),
             1);
}

void TestPdf::unwritableOutputIsReportedNotDone() {
    Reports reports;
    installPdfPrinter(QStringLiteral("/proc/no-such-place/deal.pdf"), &reports);
    QCOMPARE(printDeal(printtest::sampleDeal()), false);
    QCOMPARE(reports.notices, QStringList());
    QCOMPARE(reports.failures.size(), 1);
    QVERIFY(reports.failures.first().startsWith(QStringLiteral("The Deal was not printed")));
    QCOMPARE(printer::device().orientation(), int(PrinterDevice::Portrait));
    QCOMPARE(printProductList(printtest::sampleProductGrid(3)), false);
    QCOMPARE(reports.failures.size(), 2);
}

void TestPdf::longListRepeatsBoldHeadingsOnPageTwo() {
    const QString file = m_dir.filePath(QStringLiteral("list.pdf"));
    Reports reports;
    installPdfPrinter(file, &reports, QMarginsF(4.2, 4.2, 4.2, 4.2));
    QVERIFY(printProductList(printtest::sampleProductGrid(70)));
    QCOMPARE(reports.failures, QStringList());
    const PdfText pdf = printtest::readPdf(file);
    QVERIFY2(pdf.pages.size() >= 2, "seventy products take more than one page");
    QVERIFY(pdf.pages.first().width() > pdf.pages.first().height());

    for (int page = 1; page <= 2; ++page) {
        const auto headings = pdf.lineStartingWith(QStringLiteral("Name"), page);
        QStringList texts;
        for (const PdfWord &w : headings)
            texts << w.text;
        QCOMPARE(texts, QStringList({"Name", "Cost", "MSRP", "Profit", "Installer", "Phone", "#", "Notes"}));
        // 15 mm below the printable area's corner, 4.2 mm in from the sheet.
        QVERIFY2(std::abs(headings.first().left - 14.2) < 0.3, qPrintable(QString::number(headings.first().left)));
        QVERIFY2(headings.first().top > 18.2 && headings.first().top < 20.2,
                 qPrintable(QString::number(headings.first().top)));
        bool bold = false;
        for (const QString &font : printtest::pdfFonts(file, page))
            bold = bold || font.contains(QStringLiteral("Bold"));
        QVERIFY2(bold, qPrintable(QStringLiteral("page %1 has bold headings").arg(page)));
    }

    int products = 0;
    for (const PdfWord &w : pdf.words) {
        if (!w.text.startsWith(QStringLiteral("Product")))
            continue;
        ++products;
        // 185 mm below the printable area's corner.
        QVERIFY2(w.top < 185 + 4.2, qPrintable(QStringLiteral("%1 starts at %2 mm").arg(w.text).arg(w.top)));
    }
    QCOMPARE(products, 70);
}

#include "tst_pdf.moc"

int runPdfTests(int argc, char **argv) {
    TestPdf test;
    return QTest::qExec(&test, argc, argv);
}
