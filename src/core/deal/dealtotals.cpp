#include "dealtotals.h"

#include "core/money/numbers.h"
#include "core/money/payment.h"

#include <cmath>

namespace dealtotals {

Figures package(const Inputs &in) {
    using numbers::Currency;
    Figures out;
    double total = 0.0;
    double profit = 0.0;
    for (int s = 0; s < in.msrp.size(); ++s) {
        const double m = numbers::val(in.msrp.at(s));
        const double c = numbers::val(in.cost.value(s));
        total = total + m;
        profit = profit + (m - c);
    }
    out.totalmsrp = numbers::formatMoney(total);
    out.totalprofit = numbers::formatMoney(profit);
    out.payment = QStringLiteral("0.00");

    const auto amount = Currency::fromDouble(total);
    const auto months = Currency::fromDouble(numbers::val(in.term.trimmed()));
    const auto rate = Currency::fromDouble(numbers::val(in.rate));
    if (!months || months->raw() <= 0) {
        out.problem = Problem::Term;
        return out;
    }
    if (!rate) {
        out.problem = Problem::Rate;
        return out;
    }
    if (!amount) {
        out.problem = Problem::Amount;
        return out;
    }
    Currency a = *amount, n = *months, r = *rate;
    Currency adjustA, adjustB;
    Currency days = Currency::fromRaw(30 * 10000);
    bool ok = true;
    const QString text = payment::calculate(a, n, r, adjustA, days, adjustB, &ok);
    if (!ok) {
        // With a usable term and a rate that fits, only the rate can make the formula fail (-1200 %).
        out.problem = Problem::Rate;
        return out;
    }
    double payment = numbers::val(text);
    if (in.includeTax)
        payment = payment + payment * in.taxrate;
    if (!std::isfinite(payment)) {
        out.problem = Problem::Amount;
        return out;
    }
    out.payment = numbers::formatMoney(payment);
    return out;
}

} // namespace dealtotals
