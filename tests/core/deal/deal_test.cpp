// What no window shows of a deal's figures: a product kept at id 0 in the totals, and which input is to blame
// when a payment cannot be computed. The payments, the terms and the page are walked through the windows.

#include "core/deal/deal.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class DealTest : public QObject {
    Q_OBJECT
private slots:
    // A product kept at id 0 is never presented, but the worksheet counts it in its package's totals.
    void totalsCountEverySlot() {
        Package p;
        p.products[0] = {1, u"Film"_s, 100, 250, {}, {}};
        p.products[9] = {0, u"Kept at id 0"_s, 60, 50, {}, {}};
        QCOMPARE(p.totals().msrp, 300.0);
        QCOMPARE(p.totals().profit, 140.0);
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
        Deal d;
        d.rate = rate;
        d.term = term;
        d.packages[0].products[0].id = 1;
        d.packages[0].products[0].msrp = msrp;
        QCOMPARE(int(d.figures(0).problem), problem);
        QCOMPARE(d.figures(0).payment, u"0.00"_s);
        // Only the term and the rate are boxes to mark; an amount too large is the package's alone.
        QCOMPARE(int(d.termOrRateProblem()), problem == int(PaymentProblem::Amount) ? 0 : problem);
    }
};

QTEST_GUILESS_MAIN(DealTest)
#include "deal_test.moc"
