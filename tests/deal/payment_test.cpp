#include "payment_test.h"

#include "app/calculatepayment.h"
#include "app/numbers.h"
#include "deal/dealtotals.h"

#include <QTest>

using numbers::Currency;

namespace {
Currency cur(double v) { return Currency::fromDouble(v).value(); }

QStringList tenOf(const QString &first) {
    QStringList l(10, QStringLiteral("0"));
    l[0] = first;
    return l;
}
} // namespace

void PaymentTest::workedTable_data() {
    QTest::addColumn<double>("total");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("term");
    QTest::addColumn<bool>("tax");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1500 at 6 over 60") << 1500.0 << "6" << "60" << false << "29.00";
    QTest::newRow("1500 at 6 over 60 with tax") << 1500.0 << "6" << "60" << true << "31.03";
    QTest::newRow("1500 at 0 over 60") << 1500.0 << "0" << "60" << false << "25.00";
    QTest::newRow("10000 at 6 over 36") << 10000.0 << "6" << "36" << false << "304.22";
    QTest::newRow("1500 at 6.9 over 48") << 1500.0 << "6.9" << "48" << false << "35.85";
    QTest::newRow("1500 at 6 cash") << 1500.0 << "6" << "1" << false << "1507.50";
    QTest::newRow("1500 at 0 cash") << 1500.0 << "0" << "1" << false << "1500.00";
    QTest::newRow("1500 at 0 cash with tax") << 1500.0 << "0" << "1" << true << "1605.00";
}

void PaymentTest::workedTable() {
    QFETCH(double, total);
    QFETCH(QString, rate);
    QFETCH(QString, term);
    QFETCH(bool, tax);
    QFETCH(QString, shown);

    dealtotals::Inputs in;
    in.msrp = tenOf(numbers::formatMoney(total));
    in.cost = tenOf(QStringLiteral("0"));
    in.rate = rate;
    in.term = term;
    in.includeTax = tax;
    in.taxrate = 0.07f;
    const dealtotals::Figures f = dealtotals::package(in);
    QCOMPARE(f.payment, shown);
    QCOMPARE(f.problem, dealtotals::Problem::None);
    QCOMPARE(f.totalmsrp, numbers::formatMoney(total));

    // The routine alone gives the untaxed figure.
    if (!tax) {
        Currency a = cur(total), n = cur(numbers::val(term)), r = cur(numbers::val(rate)), adjA, days = cur(30), adjB;
        bool ok = false;
        const QString text = Module1::calculatepayment(a, n, r, adjA, days, adjB, &ok);
        QVERIFY(ok);
        QCOMPARE(numbers::formatMoney(numbers::val(text)), shown);
        QCOMPARE(text, text.trimmed());
    }
}

void PaymentTest::adjustmentsFollowTheirSteps() {
    // With a rate, the second adjustment is scaled by months / 12 and handed back.
    Currency a = cur(1000), n = cur(24), r = cur(12), adjA, days = cur(30), adjB = cur(1.5);
    bool ok = false;
    Module1::calculatepayment(a, n, r, adjA, days, adjB, &ok);
    QVERIFY(ok);
    QCOMPARE(adjB.toDouble(), 3.0);

    // Without a rate it stays as given.
    Currency r0 = cur(0), adjB0 = cur(1.5);
    Module1::calculatepayment(a, n, r0, adjA, days, adjB0, &ok);
    QCOMPARE(adjB0.toDouble(), 1.5);

    // The payment is the amount over the discount factor less months x adjustments:
    // 1000 at 12 % over 12 months, first payment in 30 days, adjustment A of 0.01.
    Currency n12 = cur(12), zero, adjA1 = cur(0.01);
    const double r1 = 0.01;
    const double v = 1 / (1 + r1);
    const double f = (1 + (1 - std::pow(v, 11)) / r1) / (1 + r1);
    const double expected = 1000 / (f - 12 * 0.01);
    const QString text = Module1::calculatepayment(a, n12, r, adjA1, days, zero, &ok);
    QVERIFY(ok);
    QCOMPARE(numbers::formatMoney(numbers::val(text)), numbers::formatMoney(expected));
}

void PaymentTest::unusableInputsGiveNoInfinity_data() {
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("msrp");
    QTest::addColumn<int>("problem");
    QTest::newRow("term 0, rate 0") << "0" << "0" << "1500" << int(dealtotals::Problem::Term);
    QTest::newRow("term 0, rate 6") << "6" << "0" << "1500" << int(dealtotals::Problem::Term);
    QTest::newRow("empty term") << "6" << "" << "1500" << int(dealtotals::Problem::Term);
    QTest::newRow("term in words") << "6" << "sixty" << "1500" << int(dealtotals::Problem::Term);
    QTest::newRow("negative term") << "0" << "-12" << "1500" << int(dealtotals::Problem::Term);
    QTest::newRow("term below a ten-thousandth") << "0" << "0.00001" << "1500" << int(dealtotals::Problem::Term);
    QTest::newRow("term too large for currency") << "6" << "1e300" << "1500" << int(dealtotals::Problem::Term);
    QTest::newRow("rate too large for currency") << "1e300" << "60" << "1500" << int(dealtotals::Problem::Rate);
    QTest::newRow("rate of -1200") << "-1200" << "60" << "1500" << int(dealtotals::Problem::Rate);
    QTest::newRow("rate of -2400") << "-2400" << "60" << "1500" << int(dealtotals::Problem::Rate);
    QTest::newRow("amount too large for currency") << "6" << "60" << "1e300" << int(dealtotals::Problem::Amount);
}

void PaymentTest::unusableInputsGiveNoInfinity() {
    QFETCH(QString, rate);
    QFETCH(QString, term);
    QFETCH(QString, msrp);
    QFETCH(int, problem);
    dealtotals::Inputs in;
    in.msrp = tenOf(msrp);
    in.cost = tenOf(QStringLiteral("0"));
    in.rate = rate;
    in.term = term;
    in.includeTax = true;
    in.taxrate = 0.07f;
    const dealtotals::Figures f = dealtotals::package(in);
    QCOMPARE(f.payment, QStringLiteral("0.00"));
    QCOMPARE(int(f.problem), problem);
}

void PaymentTest::packageFigures_data() {
    QTest::addColumn<QStringList>("msrp");
    QTest::addColumn<QStringList>("cost");
    QTest::addColumn<QString>("totalmsrp");
    QTest::addColumn<QString>("totalprofit");
    const QStringList none(10, QStringLiteral("0"));
    QStringList two = none, twoCost = none;
    two[0] = "250.00";
    twoCost[0] = "100.00";
    two[5] = "99.00";
    twoCost[5] = "49.95";
    QTest::newRow("all empty") << none << none << "0.00" << "0.00";
    QTest::newRow("two products") << two << twoCost << "349.00" << "199.05";
    QTest::newRow("cost above msrp") << tenOf("50.00") << tenOf("60.00") << "50.00" << "-10.00";
    QTest::newRow("ten of one product") << QStringList(10, "19.99") << QStringList(10, "5.00") << "199.90" << "149.90";
    QTest::newRow("texts that are no numbers") << tenOf("abc") << tenOf("$12") << "0.00" << "0.00";
}

void PaymentTest::packageFigures() {
    QFETCH(QStringList, msrp);
    QFETCH(QStringList, cost);
    QFETCH(QString, totalmsrp);
    QFETCH(QString, totalprofit);
    dealtotals::Inputs in;
    in.msrp = msrp;
    in.cost = cost;
    in.rate = "0";
    in.term = "60";
    const dealtotals::Figures f = dealtotals::package(in);
    QCOMPARE(f.totalmsrp, totalmsrp);
    QCOMPARE(f.totalprofit, totalprofit);
}
