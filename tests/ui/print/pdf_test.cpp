// The real printer's output: the deal printed to PDF files and read back.

#include "testsupport.h"

using namespace testsupport;

#define QVERIFY_NEAR(actual, expected)                                                                                 \
    QVERIFY2(std::abs((actual) - (expected)) < 0.3, qPrintable(QString::number(actual)))

namespace {
DealPage sampleDeal() {
    DealPage d;
    d.dealership = "Riverside Motors of Springfield";
    d.salesperson = "Dana Whitfield";
    d.customer = "Jordan A. Castellano";
    d.headings = {"Platinum", "Gold", "Silver", "Basic"};
    const QString warranty = "Extended Service Plan $1895.00\r\nCovers engine, transmission, drive axles and "
                             "electrical parts for 7 years or 100,000 miles, with roadside assistance.\r\n\r\n";
    const QString etch = "Anti-Theft Etch $199.00\r\nThe vehicle identification number etched on every window.";
    d.packageTexts = {warranty + etch, warranty, etch, etch};
    d.priceLines = {"$ 92.41 / Month", "$ 71.18 / Month", "$ 24.86 / Month", "$ 4.55 / Month"};
    d.disclaimer = "Payments are estimates based on 72 months at 6.9% APR with approved credit.";
    return d;
}
} // namespace

class PdfTest : public QObject {
    Q_OBJECT
    QStringList m_notices, m_failures;
    QTemporaryDir m_dir;

    // The deal printed to `name`.pdf and read back; no pages when it did not print.
    Pdf printed(const DealPage &deal, const QString &name) {
        const QString file = m_dir.filePath(name + u".pdf"_s);
        Printer printer(pdfDevice(file));
        return printDeal(printer, deal) ? Pdf(file) : Pdf(QString());
    }

private slots:
    void initTestCase() {
        if (!havePdfReader())
            QSKIP("poppler-utils are needed to read the printed pages");
    }

    // One landscape page: the dealership centred, the headings over their columns, the approval line at the right.
    void printedPageReadsBack() {
        const QString dealFile = m_dir.filePath(u"deal.pdf"_s);
        Printer printer(pdfDevice(dealFile, QMarginsF(4.2, 4.2, 4.2, 4.2), [this](bool failure, const QString &m) {
            (failure ? m_failures : m_notices).append(m);
        }));
        const DealPage deal = sampleDeal();
        QVERIFY(printDeal(printer, deal));
        QCOMPARE(m_failures, QStringList());
        QCOMPARE(m_notices.size(), 1);
        QVERIFY(m_notices.first().contains(QDir::toNativeSeparators(dealFile)));

        const Pdf dealPdf(dealFile);
        QCOMPARE(dealPdf.pages.size(), 1);
        QVERIFY2(dealPdf.pages.first().width() > dealPdf.pages.first().height(), "the deal page is landscape");
        const auto approval = dealPdf.lineWords(u"Approval:"_s);
        QVERIFY(!approval.isEmpty());
        QVERIFY_NEAR(approval.last().right, 260);
        const auto name = dealPdf.lineWords(u"Riverside"_s);
        QCOMPARE(name.size(), 4);
        QVERIFY_NEAR((name.first().left + name.last().right) / 2, 140);
        for (int p = 0; p < 4; ++p) {
            const auto heading = dealPdf.lineWords(deal.headings[p]);
            QVERIFY2(!heading.isEmpty(), qPrintable(deal.headings[p]));
            QVERIFY_NEAR((heading.first().left + heading.first().right) / 2, 50 + 60 * p);
        }
        QVERIFY_NEAR(dealPdf.lineWords(u"Extended"_s).value(0).left, 22); // the first product line
    }

    // Three terms: every price line fits inside its box of the price band (shrunk when wide), and the payment
    // without products stands between the particulars and the boxes. Ten long descriptions in one package print
    // smaller, all of them inside its box.
    void threeTermsAndLongDescriptionsFitTheirBoxes_data() {
        QTest::addColumn<QString>("line");
        QTest::newRow("wide") << "$ 888888888888888.88 / Month for 888 Months";
        QTest::newRow("short") << "$ 9.99 / Month for 8 Months";
    }
    void threeTermsAndLongDescriptionsFitTheirBoxes() {
        QFETCH(QString, line);
        DealPage deal = sampleDeal();
        for (int p = 0; p < 4; ++p)
            for (auto *lines : {&deal.priceLines, &deal.priceLines2, &deal.priceLines3})
                (*lines)[p] = line;
        deal.basePaymentLine = u"Payment without products: $ 958.07 / Month for 60 Months"_s;
        deal.packageTexts[1].clear();
        for (int i = 1; i <= 10; ++i)
            deal.packageTexts[1] +=
                u"Product%1 $499.00\r\nA description long enough to take several lines in the box: "
                "what it covers, for how long, and what the customer does to claim.\r\n\r\n"_s.arg(i);
        const Pdf pdf = printed(deal, QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(pdf.find(u"Product10"_s));
        int lines[5] = {}; // per column; the last counts the payment without products
        for (const PdfWord &w : pdf.words) {
            const int col = w.top < 45 ? 4 : int((w.left - 20) / 60);
            if (w.text == "Months"_L1 && col >= 0)
                ++lines[qMin(col, 4)];
            const bool inBox = w.left > 20 + 60 * col && w.right < 80 + 60 * col && w.top > 192 && w.bottom < 202;
            const bool base = w.text == "Months"_L1 && col == 4;
            const QString where = u"%1 at %2, %3"_s.arg(w.text).arg(w.left).arg(w.top);
            if ((w.top > 185 && w.top < 202.5) || base) // the disclaimer starts at 203 mm
                QVERIFY2(base ? w.top > 39 && w.bottom < 45 : inBox, qPrintable(where));
            else if (col == 1 && w.top > 52 && w.top < 202.5)
                QVERIFY2(w.bottom < 192, qPrintable(where));
        }
        QCOMPARE(QList<int>(lines, lines + 5), QList<int>({3, 3, 3, 3, 1}));
    }
};

QTEST_MAIN(PdfTest)
#include "pdf_test.moc"
