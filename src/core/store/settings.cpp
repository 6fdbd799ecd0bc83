#include "core/store/settings.h"

#include "core/money/numbers.h"

namespace {
template <class T> bool put(T &to, std::optional<T> value) {
    if (!value)
        return false;
    to = *value;
    return true;
}
} // namespace

bool setNumber(Settings &s, const QString &field, double value) {
    const auto whole = [value](qint32 &to) { return put(to, numbers::toInt32HalfEven(value)); };
    const auto single = [value](float &to) { return put(to, numbers::toSingle(value)); };
    if (field == QLatin1String("am_total"))
        return whole(s.productCounter);
    if (field == QLatin1String("ve_total"))
        return whole(s.templateCounter);
    if (field == QLatin1String("financeterm"))
        return whole(s.financeTerm);
    if (field == QLatin1String("financeterm2"))
        return whole(s.financeTerm2);
    if (field == QLatin1String("financeterm3"))
        return whole(s.financeTerm3);
    if (field == QLatin1String("taxrate"))
        return single(s.taxRate);
    if (field == QLatin1String("interestrate"))
        return single(s.interestRate);
    return false;
}

QStringList settingsNumberFields() {
    return {QStringLiteral("am_total"),     QStringLiteral("ve_total"),    QStringLiteral("taxrate"),
            QStringLiteral("interestrate"), QStringLiteral("financeterm"), QStringLiteral("financeterm2"),
            QStringLiteral("financeterm3")};
}
