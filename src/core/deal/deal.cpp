#include "core/deal/deal.h"

#include "core/money/numbers.h"
#include "core/money/payment.h"

#include <cmath>

PackageTotals Package::totals() const {
    PackageTotals t;
    for (const SlotProduct &s : products) {
        t.cost = t.cost + s.cost;
        t.msrp = t.msrp + s.msrp;
        t.profit = t.profit + (s.msrp - s.cost);
    }
    return t;
}

namespace {
using numbers::Currency;

// The payment routine's figure as a number, the first payment a month after the deal, no adjustments.
double routine(Currency amount, Currency months, Currency rate, bool *ok) {
    Currency adjustA, adjustB;
    Currency days = Currency::fromRaw(30 * 10000);
    return numbers::val(payment::calculate(amount, months, rate, adjustA, days, adjustB, ok));
}

// The payment on the amount financed and the products together; the tax, when included, on the
// products' share alone. With nothing financed this is the products' payment plus its tax.
TermPayment paymentOn(double financed, double products, double months, double rate, bool includeTax, float taxRate) {
    TermPayment out;
    const auto loan = Currency::fromDouble(financed);
    const auto amount = Currency::fromDouble(products);
    const auto n = Currency::fromDouble(months);
    const auto r = Currency::fromDouble(rate);
    qint64 whole = 0;
    if (!n || n->raw() <= 0)
        out.problem = PaymentProblem::Term;
    else if (!r)
        out.problem = PaymentProblem::Rate;
    else if (!amount || !loan || __builtin_add_overflow(loan->raw(), amount->raw(), &whole))
        out.problem = PaymentProblem::Amount;
    if (out.problem != PaymentProblem::None)
        return out;
    bool ok = true;
    double value = routine(Currency::fromRaw(whole), *n, *r, &ok);
    if (ok && includeTax) {
        const double share = loan->raw() == 0 ? value : routine(*amount, *n, *r, &ok);
        value = value + share * taxRate;
    }
    if (!ok) {
        // With a usable term and a rate that fits, only the rate can make the formula fail (-1200 %).
        out.problem = PaymentProblem::Rate;
        return out;
    }
    if (!std::isfinite(value)) {
        out.problem = PaymentProblem::Amount;
        return out;
    }
    out.payment = numbers::formatMoney(value);
    return out;
}

// A lease's monthly payment: the loss of value from the cap cost and products down to the residual, spread
// over the term, plus the rent charge (money factor times cap cost plus residual); with tax included, the
// whole payment is taxed, as most states tax a lease. Rounded to the cent once, at the end.
TermPayment leaseOn(double capCost, double products, double residual, double months, double factor, bool includeTax,
                    float taxRate) {
    TermPayment out;
    const auto n = Currency::fromDouble(months);
    const bool amountsFit = Currency::fromDouble(capCost) && Currency::fromDouble(products) &&
                            Currency::fromDouble(residual) && Currency::fromDouble(capCost + products + residual);
    if (!n || n->raw() <= 0)
        out.problem = PaymentProblem::Term;
    else if (!amountsFit)
        out.problem = PaymentProblem::Amount;
    else if (residual < 0 || residual > capCost + products)
        out.problem = PaymentProblem::Residual;
    else if (!std::isfinite(factor) || factor < 0)
        out.problem = PaymentProblem::Rate;
    if (out.problem != PaymentProblem::None)
        return out;
    const double base = capCost + products;
    double value = (base - residual) / n->toDouble() + (base + residual) * factor;
    if (includeTax)
        value = value * (1.0 + double(taxRate));
    if (!std::isfinite(value) || !Currency::fromDouble(value)) {
        out.problem = PaymentProblem::Amount;
        return out;
    }
    out.payment = numbers::formatMoney(value);
    return out;
}
} // namespace

double Deal::residualAt(int termIndex) const {
    switch (termIndex) {
    case 0:
        return residual;
    case 1:
        return residual2;
    case 2:
        return residual3;
    default:
        return 0;
    }
}

double Deal::termMonths(int termIndex) const {
    switch (termIndex) {
    case 0:
        return term;
    case 1:
        return term2;
    case 2:
        return term3;
    default:
        return 0;
    }
}

double Deal::months(int termIndex) const { return cashDeal ? 1.0 : termMonths(termIndex); }

bool Deal::termOffered(int termIndex) const {
    if (termIndex == 0)
        return true;
    return !cashDeal && termIndex > 0 && termIndex < Terms && termMonths(termIndex) != 0;
}

QVector<int> Deal::offeredTerms() const {
    QVector<int> offered;
    for (int t = 0; t < Terms; ++t)
        if (termOffered(t))
            offered << t;
    return offered;
}

PackageFigures Deal::figures(int package) const {
    PackageFigures out;
    const PackageTotals totals = packages.at(package).totals();
    out.totalMsrp = totals.msrp;
    out.totalProfit = totals.profit;
    const TermPayment first = payment(package, 0);
    out.payment = first.payment;
    out.problem = first.problem;
    return out;
}

TermPayment Deal::payment(int package, int termIndex) const {
    if (leaseDeal)
        return leaseOn(amountFinanced, packages.at(package).totals().msrp, residualAt(termIndex), months(termIndex),
                       leaseFactor(), includeTax, taxRate);
    return paymentOn(amountFinanced, packages.at(package).totals().msrp, months(termIndex), financeRate(), includeTax,
                     taxRate);
}

TermPayment Deal::basePayment(int termIndex) const {
    if (leaseDeal)
        return leaseOn(amountFinanced, 0, residualAt(termIndex), months(termIndex), leaseFactor(), includeTax, taxRate);
    return paymentOn(amountFinanced, 0, months(termIndex), financeRate(), false, taxRate);
}

PaymentProblem Deal::termOrRateProblem(int termIndex) const {
    PaymentProblem worst = PaymentProblem::None;
    for (int p = 0; p < menu::Packages; ++p) {
        const PaymentProblem problem = payment(p, termIndex).problem;
        if (problem == PaymentProblem::Term)
            return problem;
        if (problem == PaymentProblem::Residual || (problem == PaymentProblem::Rate && worst == PaymentProblem::None))
            worst = problem;
    }
    return worst;
}
