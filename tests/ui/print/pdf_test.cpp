// The real printer's output: the deal and the product list printed to PDF files and read back.

#include "core/deal/dealpage.h"
#include "core/print/dealprintout.h"
#include "core/print/printer.h"
#include "core/print/productlistprintout.h"
#include "ui/print/qtprinterdevice.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#define QVERIFY_NEAR(actual, expected)                                                                                 \
    QVERIFY2(std::abs((actual) - (expected)) < 0.3, qPrintable(QString::number(actual)))

namespace {
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

QString run(const QString &program, const QStringList &args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Word {
    int page;
    QString text;
    double left, top, right, bottom;
}; // millimetres from the sheet's corner

// The pages' sizes (millimetres) and words, read with poppler's pdftotext.
struct Pdf {
    QList<QSizeF> pages;
    QList<Word> words;
    explicit Pdf(const QString &path) {
        constexpr double mm = 25.4 / 72.0;
        static const QRegularExpression token(QStringLiteral(
            "<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
            "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
        auto it = token.globalMatch(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, "-"}));
        while (it.hasNext()) {
            const auto m = it.next();
            if (!m.captured(1).isEmpty())
                pages.append(QSizeF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm));
            else
                words.append({int(pages.size()), m.captured(7), m.captured(3).toDouble() * mm,
                              m.captured(4).toDouble() * mm, m.captured(5).toDouble() * mm,
                              m.captured(6).toDouble() * mm});
        }
    }
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
} // namespace

class PdfTest : public QObject {
    Q_OBJECT
    QStringList m_notices, m_failures;
    QTemporaryDir m_dir;

private slots:
    // The deal, then a long product list on the same printer: the millimetres the deal leaves behind
    // must not move the list.
    void printedPagesReadBack() {
        for (const char *tool : {"pdftotext", "pdffonts"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("poppler-utils are needed to read the printed pages");
        const QString dealFile = m_dir.filePath(QStringLiteral("deal.pdf")), file = m_dir.filePath("list.pdf");
        auto owned = std::make_unique<QtPrinterDevice>(m_dir.filePath(QStringLiteral("printouts")));
        QtPrinterDevice *device = owned.get();
        device->setOutputFile(dealFile);
        device->setPdfMarginsMm(QMarginsF(4.2, 4.2, 4.2, 4.2));
        device->setReporter([this](bool failure, const QString &m) { (failure ? m_failures : m_notices).append(m); });
        Printer printer(std::move(owned));
        const DealPage deal = sampleDeal();
        QVERIFY(printDeal(printer, deal));
        QCOMPARE(m_failures, QStringList());
        QCOMPARE(m_notices.size(), 1);
        QVERIFY(m_notices.first().contains(QDir::toNativeSeparators(dealFile)));

        const Pdf dealPdf(dealFile);
        QCOMPARE(dealPdf.pages.size(), 1);
        QVERIFY2(dealPdf.pages.first().width() > dealPdf.pages.first().height(), "the deal page is landscape");
        const auto approval = dealPdf.line(QStringLiteral("Approval:"));
        QVERIFY(!approval.isEmpty());
        QCOMPARE(approval.last().text, QString(27, QLatin1Char('_')));
        QVERIFY_NEAR(approval.last().right, 260);
        const auto name = dealPdf.line(QStringLiteral("Riverside"));
        QCOMPARE(name.size(), 4);
        QVERIFY_NEAR((name.first().left + name.last().right) / 2, 140);
        for (int p = 0; p < 4; ++p) {
            const auto heading = dealPdf.line(deal.headings[p]);
            QVERIFY2(!heading.isEmpty(), qPrintable(deal.headings[p]));
            QVERIFY_NEAR((heading.first().left + heading.first().right) / 2, 50 + 60 * p);
        }
        // The particulars' values start at 55 mm, the first product line at 22 mm.
        QVERIFY_NEAR(dealPdf.line(QStringLiteral("Salesperson:")).value(1).left, 55);
        QVERIFY_NEAR(dealPdf.line(QStringLiteral("Extended")).value(0).left, 22);

        device->setOutputFile(file);
        QVERIFY(printProductList(printer.device(), productGrid(70)));
        QCOMPARE(m_failures, QStringList());
        const Pdf pdf(file);
        QVERIFY2(pdf.pages.size() >= 2, "seventy products take more than one page");
        QVERIFY(pdf.pages.first().width() > pdf.pages.first().height());
        for (int page = 1; page <= 2; ++page) {
            QStringList headings;
            const auto line = pdf.line(QStringLiteral("Name"), page);
            for (const Word &w : line)
                headings << w.text;
            QCOMPARE(headings, QStringList({"Name", "Cost", "MSRP", "Profit", "Installer", "Phone", "#", "Notes"}));
            // 10 mm across and 15 mm down from the printable area's corner, 4.2 mm in from the sheet's.
            QVERIFY_NEAR(line.first().left, 14.2);
            QVERIFY2(line.first().top > 18.2 && line.first().top < 20.2, qPrintable(QString::number(line.first().top)));
            const QString p = QString::number(page);
            QVERIFY2(run(QStringLiteral("pdffonts"), {"-f", p, "-l", p, file}).contains(QStringLiteral("Bold")),
                     qPrintable(QStringLiteral("page %1 has bold headings").arg(page)));
        }
        int products = 0;
        for (const Word &w : pdf.words) {
            if (w.text.startsWith(QStringLiteral("Product"))) {
                ++products;
                QVERIFY2(w.top < 185 + 4.2, qPrintable(QStringLiteral("%1 starts at %2 mm").arg(w.text).arg(w.top)));
            }
        }
        QCOMPARE(products, 70);
    }

    // Three terms: every price line inside its package's box of the price band, on the one page, and the
    // payment without products between the particulars and the boxes.
    void threeTermsFitThePriceBand() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are needed to read the printed pages");
        DealPage deal = sampleDeal();
        for (int p = 0; p < 4; ++p) // figures wide enough that the lines must shrink to fit across as well
            for (auto *lines : {&deal.priceLines, &deal.priceLines2, &deal.priceLines3})
                (*lines)[p] = QStringLiteral("$ 888888888888888.88 / Month for 888 Months");
        deal.basePaymentLine = QStringLiteral("Payment without products: $ 958.07 / Month for 60 Months");
        const QString file = m_dir.filePath(QStringLiteral("terms.pdf"));
        auto device = std::make_unique<QtPrinterDevice>(m_dir.filePath(QStringLiteral("printouts")));
        device->setOutputFile(file);
        device->setReporter([](bool, const QString &) {});
        Printer printer(std::move(device));
        QVERIFY(printDeal(printer, deal));

        const Pdf pdf(file);
        QCOMPARE(pdf.pages.size(), 1);
        int lines[5] = {}; // per column; the last counts the payment without products
        for (const Word &w : pdf.words) {
            const int col = w.top < 45 ? 4 : int((w.left - 20) / 60);
            if (w.text == QLatin1String("Months") && col >= 0)
                ++lines[qMin(col, 4)];
            const bool inBox = w.left > 20 + 60 * col && w.right < 80 + 60 * col && w.top > 192 && w.bottom < 202;
            const bool base = w.text == QLatin1String("Months") && col == 4;
            const QString where = QStringLiteral("%1 at %2, %3").arg(w.text).arg(w.left).arg(w.top);
            if ((w.top > 185 && w.top < 202.5) || base) // the disclaimer starts at 203 mm
                QVERIFY2(base ? w.top > 39 && w.bottom < 45 : inBox, qPrintable(where));
        }
        QCOMPARE(QList<int>(lines, lines + 5), QList<int>({3, 3, 3, 3, 1}));
    }
};

QTEST_MAIN(PdfTest)
#include "pdf_test.moc"
