// A deal's figures and the page the customer sees, without any window.

#include "core/deal/deal.h"
#include "core/deal/dealpage.h"
#include "core/deal/dealrecord.h"
#include "core/money/numbers.h"
#include "core/money/payment.h"
#include "coresupport.h"
#include "dealfixture.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
using coretest::slot;

Deal financed(double msrp, double rate, double term) {
    Deal d;
    d.rate = rate;
    d.term = term;
    d.taxRate = 0.07f;
    d.packages[0].products[0] = slot(1, u"Plan"_s, 1600, msrp);
    return d;
}

// The payment routine's own figure, as the worksheet shows it.
double routine(double amount, double months, double rate) {
    using numbers::Currency;
    Currency a = *Currency::fromDouble(amount), n = *Currency::fromDouble(months), r = *Currency::fromDouble(rate);
    Currency adjustA, adjustB, days = Currency::fromRaw(300000);
    return numbers::val(payment::calculate(a, n, r, adjustA, days, adjustB));
}
QString money(double value) { return numbers::formatMoney(value); }
} // namespace

class DealTest : public QObject {
    Q_OBJECT
private slots:
    void totalsCountEverySlot() {
        Package p;
        p.products[0] = slot(1, u"Film"_s, 100, 250);
        p.products[1] = slot(2, u"Tint"_s, 49.95, 99);
        p.products[9] = slot(0, u"Kept at id 0"_s, 60, 50); // never presented, still counted
        const PackageTotals t = p.totals();
        QCOMPARE(QStringList({money(t.cost), money(t.msrp), money(t.profit)}),
                 QStringList({"209.95", "399.00", "189.05"}));
    }

    // Each term offered pays the routine's figure on the amount financed plus the package, with tax on
    // the package's share only; without products, the routine's figure on the amount alone.
    void terms_data() {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("loan");
        QTest::addColumn<bool>("tax");
        QTest::newRow("6 %") << 6.0 << 0.0 << false;
        QTest::newRow("0 %") << 0.0 << 0.0 << false;
        QTest::newRow("20,000 financed at 6 %") << 6.0 << 20000.0 << false;
        QTest::newRow("20,000 financed at 6 %, taxed") << 6.0 << 20000.0 << true;
    }
    void terms() {
        QFETCH(double, rate);
        QFETCH(double, loan);
        QFETCH(bool, tax);
        Deal d = financed(1500, rate, 60);
        d.term2 = 72;
        d.term3 = 84;
        d.amountFinanced = loan;
        d.includeTax = tax;
        auto expected = [&](double months) {
            return money(routine(loan + 1500, months, rate) + (tax ? routine(1500, months, rate) * 0.07f : 0));
        };
        for (int t = 0; t < Deal::Terms; ++t) {
            QCOMPARE(d.payment(0, t).payment, expected(60 + 12 * t));
            QCOMPARE(d.basePayment(t).payment, money(routine(loan, 60 + 12 * t, rate)));
        }
        QCOMPARE(d.figures(0).payment, d.payment(0, 0).payment);
        QCOMPARE(d.offeredTerms(), (QVector<int>{0, 1, 2}));
        d.term2 = 0;
        QCOMPARE(d.offeredTerms(), (QVector<int>{0, 2}));
        d.cashDeal = true; // one figure, whatever terms are offered, and no interest in it
        QCOMPARE(d.offeredTerms(), QVector<int>{0});
        QCOMPARE(d.figures(0).payment, money(loan + 1500 + (tax ? 1500 * 0.07f : 0)));
    }

    // A payment that cannot be computed shows 0.00, and the deal says which input is to blame.
    void problems_data() {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("term");
        QTest::addColumn<double>("msrp");
        QTest::addColumn<int>("problem");
        QTest::newRow("no term") << 6.0 << 0.0 << 1500.0 << int(PaymentProblem::Term);
        QTest::newRow("term beyond the currency") << 6.0 << 1e300 << 1500.0 << int(PaymentProblem::Term);
        QTest::newRow("rate beyond the currency") << 1e300 << 60.0 << 1500.0 << int(PaymentProblem::Rate);
        QTest::newRow("minus 1200 per cent") << -1200.0 << 60.0 << 1500.0 << int(PaymentProblem::Rate);
        QTest::newRow("amount beyond the currency") << 6.0 << 60.0 << 1e300 << int(PaymentProblem::Amount);
    }
    void problems() {
        QFETCH(double, rate);
        QFETCH(double, term);
        QFETCH(double, msrp);
        QFETCH(int, problem);
        const Deal d = financed(msrp, rate, term);
        QCOMPARE(int(d.figures(0).problem), problem);
        QCOMPARE(d.figures(0).payment, u"0.00"_s);
        // Only the term and the rate are boxes to mark; an amount too large is the package's alone.
        QCOMPARE(int(d.termOrRateProblem()), problem == int(PaymentProblem::Amount) ? 0 : problem);
    }

    // A lease against figures, its lines naming its term and its record keeping what it was computed with, worked by
    // hand. Cap cost 20,000, residual 13,110, money factor 0.00125, 36 months: depreciation (20000 - 13110) / 36 =
    // 191.3889, rent (20000 + 13110) x 0.00125 = 41.3875, 232.7764. With a 1,500 package: 8390 / 36 = 233.0556, 34610 x
    // 0.00125 = 43.2625, 276.3181. Taxed at 7 %: 249.0707 and 295.6603. A residual of 21,000 is above the cap cost
    // alone (no figure) but not above it with the package: 500 / 36 = 13.8889, 42500 x 0.00125 = 53.125, 67.0139.
    void lease_data() {
        QTest::addColumn<double>("residual");
        QTest::addColumn<double>("factor"); // below 0: none typed
        QTest::addColumn<double>("rate");
        QTest::addColumn<bool>("tax");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("package");
        QTest::newRow("money factor typed") << 13110.0 << 0.00125 << 9.0 << false << "232.78"
                                            << "276.32";
        QTest::newRow("money factor from 3 %") << 13110.0 << -1.0 << 3.0 << false << "232.78"
                                               << "276.32";
        QTest::newRow("taxed at 7 %") << 13110.0 << 0.00125 << 0.0 << true << "249.07"
                                      << "295.66";
        QTest::newRow("residual above the cap cost") << 21000.0 << 0.00125 << 0.0 << false << "0.00"
                                                     << "67.01";
    }
    void lease() {
        QFETCH(double, residual);
        QFETCH(double, factor);
        QFETCH(double, rate);
        QFETCH(bool, tax);
        QFETCH(QString, base);
        QFETCH(QString, package);
        Deal d = financed(1500, rate, 36);
        d.leaseDeal = true;
        d.amountFinanced = 20000;
        d.residual = residual;
        d.includeTax = tax;
        if (factor >= 0)
            d.moneyFactor = factor;
        QCOMPARE(d.basePayment(0).payment, base);
        QCOMPARE(d.payment(1, 0).payment, base); // an empty package: the vehicle alone
        QCOMPARE(d.payment(0, 0).payment, package);
        QCOMPARE(d.termOrRateProblem() == PaymentProblem::Residual, base == "0.00"_L1);
        QCOMPARE(dealPage(d).priceLines[0] + dealPage(d).basePaymentLine,
                 u"$ %1 / Month for 36 Month LeaseLease payment without products: $ %2 / Month"_s.arg(package, base));
        const DealRecord record = recordChoice(d, 0, {true}, {});
        QCOMPARE(finalPaymentLine(record), u"$ %1 / Month, 36 Month Lease"_s.arg(package));
        QCOMPARE(record.deal().payment(0, 0).payment, package);
        d.term = 0;
        QCOMPARE(int(d.termOrRateProblem()), int(PaymentProblem::Term));
        d.term = 36;
        d.leaseDeal = false; // the same inputs as a loan
        QVERIFY(d.payment(0, 0).payment != package);
    }

    // The page for cash and financed deals, with prices and totals disclosed or not.
    void page_data() {
        QTest::addColumn<bool>("cash");
        QTest::addColumn<bool>("prices");
        QTest::addColumn<bool>("totals");
        QTest::newRow("financed, all disclosed") << false << true << true;
        QTest::newRow("cash, nothing disclosed") << true << false << false;
    }
    void page() {
        QFETCH(bool, cash);
        QFETCH(bool, prices);
        QFETCH(bool, totals);
        Deal d = financed(1250, 6, 60);
        d.cashDeal = cash;
        d.disclosePrices = prices;
        d.discloseTotals = totals;
        d.dealership = u"  Smith & Sons  "_s;
        d.disclaimer = u" Estimates only.\r\n"_s;
        d.particulars = {u" Pat Doe "_s, u"Pickup"_s, u"A1"_s, u"Lee"_s};
        d.packages[0].name = u" Tow & Haul "_s;
        d.packages[0].products[0] = slot(7, u"Alpha Guard"_s, 300, 1250, u"  Line one\r\nLine two  "_s, u"/p.html"_s);
        d.packages[0].products[2] = slot(8, u"Bravo Tint"_s, 120, 499); // after a gap, no description
        d.packages[1].products[0] = slot(0, u"Id 0"_s, 1, 2);           // counted, never shown
        const DealPage page = dealPage(d);

        QCOMPARE(QStringList({page.dealership, page.customer, page.headings[0], page.disclaimer}),
                 QStringList({"Smith & Sons", "Pat Doe", "Tow & Haul", "Estimates only.\r\n"}));
        QCOMPARE(page.priceLinesShown, totals);
        QCOMPARE(page.priceLines[0], cash ? u"$ 1749.00"_s : u"$ 33.81 / Month"_s);
        QCOMPARE(page.priceLines[1], cash ? u"$ 2.00"_s : u"$ 0.04 / Month"_s);
        const QString alpha = (prices ? u"Alpha Guard $1250.00"_s : u"Alpha Guard"_s) + u"\r\nLine one\r\nLine two"_s;
        const QString bravo = (prices ? u"Bravo Tint $499.00"_s : u"Bravo Tint"_s) + u"\r\n"_s;
        // Bravo's line break kept: only blanks are trimmed.
        QCOMPARE(QStringList({page.productTexts[0][0], page.productTexts[0][1], page.productTexts[0][2],
                              page.productTexts[1][0], page.pages[0][0]}),
                 QStringList({alpha, QString(), bravo, QString(), "/p.html"}));
        QCOMPARE(page.packageTexts[0], alpha + u"\r\n\r\n"_s + bravo + u"\r\n\r\n"_s);
        QCOMPARE(page.packageTexts[1], QString());
    }

    // The catalogue's name, description and page as they are now; the price the worksheet showed.
    void catalogueTextsAreTakenWhenPresented() {
        coretest::DataFolder folder;
        Store &store = folder.store();
        const int tint = coretest::addProduct(store, u"Ceramic Tint"_s, 120, 450, u"New words"_s, u"/tint.html"_s);
        Deal d;
        d.packages[0].products[0] = slot(tint, u"Window Tint"_s, 120, 395);
        d.packages[0].products[1] = slot(999, u"Deleted since"_s, 60, 349, u"kept"_s);
        takeCatalogueTexts(d, store.products());
        const auto &[now, gone] = std::pair(d.packages[0].products[0], d.packages[0].products[1]);
        QCOMPARE(QStringList({now.name, now.description, now.page, money(now.msrp), gone.name}),
                 QStringList({"Ceramic Tint", "New words", "/tint.html", "395.00", "Deleted since"}));
        QVERIFY(folder.errors().isEmpty());
    }
};

QTEST_GUILESS_MAIN(DealTest)
#include "deal_test.moc"
