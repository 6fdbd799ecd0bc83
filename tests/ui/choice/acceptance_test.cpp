// The acceptance page printed to a real PDF and read back: one portrait page, each product in its
// column, the final payment and the lines to sign.

#include "choicesupport.h"
#include "core/print/acceptanceprintout.h"
#include "core/print/printer.h"
#include "dealfixture.h"
#include "ui/print/qtprinterdevice.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace choicetest;
using namespace Qt::StringLiterals;

namespace {
// Forty products, one per slot, all declined: the most a page must hold.
DealRecord fortyDeclined() {
    Deal d = coretest::sampleDeal();
    for (int p = 0; p < Deal::Packages; ++p)
        for (int s = 0; s < Package::Slots; ++s)
            d.packages[p].products[s] =
                coretest::slot(1 + 10 * p + s, u"Item%1"_s.arg(1 + 10 * p + s, 2, 10, QLatin1Char('0')), 10, 99.5);
    return recordChoice(d, DealRecord::DeclinedAll, {}, u"I declined them all."_s);
}
} // namespace

class AcceptancePageTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void acceptancePageReadsBackFromAPdf_data() {
        QTest::addColumn<DealRecord>("deal");
        QTest::addColumn<QStringList>("accepted");
        QTest::addColumn<QStringList>("declined");
        QTest::addColumn<QString>("payment");
        DealRecord gold = coretest::sampleChoice(1, 0b100011u);
        gold.statement = u"I was shown each product above and chose freely."_s;
        QStringList items;
        for (int i = 1; i <= 40; ++i)
            items << u"Item%1"_s.arg(i, 2, 10, QLatin1Char('0'));
        QTest::newRow("Gold without its Tint")
            << gold << QStringList{"Service", "GAP"} << QStringList{"Tint", "Etch"} << "$ 29.00 / Month";
        QTest::newRow("forty declined") << fortyDeclined() << QStringList{} << items << "$ 0.00";
    }
    void acceptancePageReadsBackFromAPdf() {
        QFETCH(DealRecord, deal);
        QFETCH(QStringList, accepted);
        QFETCH(QStringList, declined);
        QFETCH(QString, payment);
        if (!havePdfReader())
            QSKIP("poppler-utils are needed to read the printed page");
        deal.id = 1234;
        deal.saved = QDateTime(QDate(2024, 5, 1), QTime(14, 3, 22));
        const QString file = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_s);
        auto owned = std::make_unique<QtPrinterDevice>(m_dir.filePath(u"printouts"_s));
        owned->setOutputFile(file);
        owned->setPdfMarginsMm(QMarginsF(4.2, 4.2, 4.2, 4.2));
        owned->setReporter([](bool failure, const QString &m) { QVERIFY2(!failure, qPrintable(m)); });
        Printer printer(std::move(owned));
        QVERIFY(printAcceptance(printer, deal));

        const Pdf pdf(file);
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY2(pdf.pages[0].height() > pdf.pages[0].width(), "the page is portrait");
        const Word *acceptedHeading = pdf.find(u"Accepted"_s);
        const Word *declinedHeading = pdf.find(u"Declined"_s);
        QVERIFY(acceptedHeading && declinedHeading);
        QVERIFY(std::abs(acceptedHeading->top - declinedHeading->top) < 0.5);
        for (const auto &[names, inAccepted] : {std::pair{accepted, true}, std::pair{declined, false}}) {
            for (const QString &name : names) {
                const Word *w = pdf.find(name);
                QVERIFY2(w, qPrintable(name));
                QVERIFY2(w->top > acceptedHeading->top, qPrintable(name));
                QVERIFY2(inAccepted ? w->right < declinedHeading->left : w->left >= declinedHeading->left - 0.01,
                         qPrintable(name + (inAccepted ? u" belongs under Accepted"_s : u" belongs under Declined"_s)));
            }
        }
        QCOMPARE(pdf.line(u"Final"_s).join(u' '), u"Final Payment: "_s + payment);
        QCOMPARE(pdf.line(u"Customer"_s).mid(0, 2), QStringList({"Customer", "Signature:"}));
        QCOMPARE(pdf.line(u"Co-Buyer"_s).mid(0, 2), QStringList({"Co-Buyer", "Signature:"}));
        QCOMPARE(pdf.line(u"Co-Buyer"_s).value(3), u"Date:"_s);
        QVERIFY(pdf.find(u"#1234,"_s));
        QVERIFY(pdf.find(deal.statement.section(u' ', -1)));
    }
};

int runAcceptancePageTests(int argc, char **argv) {
    AcceptancePageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "acceptance_test.moc"
