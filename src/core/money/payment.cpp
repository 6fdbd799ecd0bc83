#include "core/money/payment.h"

#include <cmath>

namespace payment {

namespace {
using numbers::Currency;

// A product of two currency values, itself a currency value; nothing when it does not fit.
std::optional<Currency> times(const Currency &a, const Currency &b) {
    return Currency::fromDouble(a.toDouble() * b.toDouble());
}

QString failed(bool *ok) {
    if (ok)
        *ok = false;
    return QStringLiteral("0");
}
} // namespace

QString calculate(Currency &amount, Currency &months, Currency &rate, Currency &adjustA, Currency &days,
                  Currency &adjustB, bool *ok) {
    if (ok)
        *ok = true;
    // No payment plan runs over no time at all; dividing by it would give infinity.
    if (months.raw() <= 0)
        return failed(ok);

    const double n = months.toDouble();
    double payment = 0.0;
    if (rate.raw() == 0) {
        payment = amount.toDouble() / n;
    } else {
        const double r = rate.toDouble() / 1200.0;
        const auto scaledB = Currency::fromDouble(adjustB.toDouble() * (n / 12.0));
        if (!scaledB)
            return failed(ok);
        adjustB = *scaledB;
        // A rate of -1200 % or a first payment that falls where the discount vanishes has no payment.
        if (1.0 + r == 0.0 || 1.0 + r * days.toDouble() / 30.0 == 0.0)
            return failed(ok);
        const double v = 1.0 / (1.0 + r);
        // months - 1 in currency, as the payments after the first one.
        const Currency rest = Currency::fromRaw(months.raw() - 10000);
        const double a = (1.0 - std::pow(v, rest.toDouble())) / r;
        const double f = (1.0 + a) / (1.0 + r * days.toDouble() / 30.0);
        const auto nB = times(months, adjustB);
        const auto nA = times(months, adjustA);
        if (!nB || !nA)
            return failed(ok);
        const double d = (f - nB->toDouble()) - nA->toDouble();
        if (d == 0.0 || !std::isfinite(d))
            return failed(ok);
        payment = amount.toDouble() / d;
    }
    if (!std::isfinite(payment))
        return failed(ok);
    return numbers::plain(payment, 15).trimmed();
}

} // namespace payment
