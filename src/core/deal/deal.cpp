#include "core/deal/deal.h"

#include "core/money/numbers.h"
#include "core/money/payment.h"

#include <cmath>

double asShown(double amount) { return numbers::val(numbers::formatMoney(amount)); }

PackageTotals Package::totals() const {
    PackageTotals t;
    for (const SlotProduct &s : products) {
        t.cost = t.cost + s.cost;
        t.msrp = t.msrp + s.msrp;
        t.profit = t.profit + (s.msrp - s.cost);
    }
    return t;
}

PackageFigures Deal::figures(int package) const {
    using numbers::Currency;
    PackageFigures out;
    const PackageTotals totals = packages.at(package).totals();
    out.totalMsrp = totals.msrp;
    out.totalProfit = totals.profit;

    const auto amount = Currency::fromDouble(totals.msrp);
    const auto n = Currency::fromDouble(months());
    const auto r = Currency::fromDouble(rate);
    if (!n || n->raw() <= 0) {
        out.problem = PaymentProblem::Term;
        return out;
    }
    if (!r) {
        out.problem = PaymentProblem::Rate;
        return out;
    }
    if (!amount) {
        out.problem = PaymentProblem::Amount;
        return out;
    }
    Currency a = *amount, m = *n, y = *r;
    Currency adjustA, adjustB;
    Currency days = Currency::fromRaw(30 * 10000);
    bool ok = true;
    const QString text = payment::calculate(a, m, y, adjustA, days, adjustB, &ok);
    if (!ok) {
        // With a usable term and a rate that fits, only the rate can make the formula fail (-1200 %).
        out.problem = PaymentProblem::Rate;
        return out;
    }
    double value = numbers::val(text);
    if (includeTax)
        value = value + value * taxRate;
    if (!std::isfinite(value)) {
        out.problem = PaymentProblem::Amount;
        return out;
    }
    out.payment = numbers::formatMoney(value);
    return out;
}

PaymentProblem Deal::termOrRateProblem() const {
    PaymentProblem worst = PaymentProblem::None;
    for (int p = 0; p < Packages; ++p) {
        const PaymentProblem problem = figures(p).problem;
        if (problem == PaymentProblem::Term)
            return problem;
        if (problem == PaymentProblem::Rate)
            worst = problem;
    }
    return worst;
}
