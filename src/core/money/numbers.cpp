#include "core/money/numbers.h"

#include "core/text/storedtext.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <stdlib.h>
#include <string>

namespace numbers {

namespace {
bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// Decimal digits and exponent of a finite value to `significant` digits: value = 0.d1d2... x 10^(exp10 + 1).
struct Decimal {
    bool negative = false;
    std::string digits; // first digit non-zero unless the value is 0
    int exp10 = 0;      // power of ten of the first digit
};

Decimal decompose(double value, int significant) {
    Decimal d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, value);
    const char *p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    if (*p == 'e')
        d.exp10 = std::atoi(p + 1);
    return d;
}

// Adds one unit in the last place of a digit string; returns true when it carried out of the front.
bool increment(std::string &digits) {
    for (int i = int(digits.size()) - 1; i >= 0; --i) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return false;
        }
    }
    return true;
}
} // namespace

double val(const QString &text) {
    std::string s;
    s.reserve(text.size());
    int i = 0;
    const int n = text.size();
    auto skip = [&]() {
        while (i < n && isBlank(text[i]))
            ++i;
    };
    skip();
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        s.push_back(char(text[i].unicode()));
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (skip(); i < n; skip()) {
        QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            s.push_back(char(c.unicode()));
            digits = true;
            ++i;
        } else if (c == QLatin1Char('.') && !point) {
            s.push_back('.');
            point = true;
            ++i;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    if (i < n) {
        QChar e = text[i].toLower();
        if (e == QLatin1Char('e') || e == QLatin1Char('d')) {
            int j = i + 1;
            std::string ex = "e";
            while (j < n && isBlank(text[j]))
                ++j;
            if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) {
                ex.push_back(char(text[j].unicode()));
                ++j;
            }
            bool expDigits = false;
            for (; j < n; ++j) {
                if (isBlank(text[j]))
                    continue;
                if (text[j] >= QLatin1Char('0') && text[j] <= QLatin1Char('9')) {
                    ex.push_back(char(text[j].unicode()));
                    expDigits = true;
                } else {
                    break;
                }
            }
            if (expDigits)
                s += ex;
        }
    }
    // Read with a decimal point whatever the user's locale: the application sets the C library's locale from
    // the system's, whose decimal separator may be a comma.
    static const locale_t cNumbers = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
    double v = strtod_l(s.c_str(), nullptr, cNumbers);
    // A number too large to hold reads as nothing rather than as infinity.
    return std::isfinite(v) ? v : 0.0;
}

QString formatMoney(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("0.00");
    Decimal d = decompose(value, 15);
    // Keep the whole part and two decimals; the first dropped digit decides (half away from zero).
    const int keep = d.exp10 + 1 + 2;
    std::string kept;
    if (keep > 0) {
        kept = d.digits.substr(0, std::min<size_t>(keep, d.digits.size()));
        while (int(kept.size()) < keep)
            kept.push_back('0');
        if (keep < int(d.digits.size()) && d.digits[keep] >= '5') {
            if (increment(kept))
                kept.insert(kept.begin(), '1');
        }
    } else if (keep == 0 && !d.digits.empty() && d.digits[0] >= '5') {
        kept = "1";
    }
    // kept counts hundredths.
    size_t nz = kept.find_first_not_of('0');
    if (nz == std::string::npos)
        return QStringLiteral("0.00");
    kept = kept.substr(nz);
    while (kept.size() < 3)
        kept.insert(kept.begin(), '0');
    std::string out = d.negative ? "-" : "";
    out += kept.substr(0, kept.size() - 2);
    out += '.';
    out += kept.substr(kept.size() - 2);
    return QString::fromStdString(out);
}

QString dollars(double value) { return QStringLiteral("$") + formatMoney(value); }

QString plain(double value, int significant) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0.0)
        return QStringLiteral("0");
    // A double holds no more than 17 significant digits (more would also overflow the digit buffer), and
    // there is always at least one.
    significant = std::clamp(significant, 1, 17);
    Decimal d = decompose(value, significant);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.exp10 > 20 || d.exp10 < -20)
        return QString::number(value, 'g', significant);
    std::string out = d.negative ? "-" : "";
    const int intDigits = d.exp10 + 1;
    if (intDigits <= 0) {
        out += "0.";
        out.append(size_t(-intDigits), '0');
        out += d.digits;
    } else if (intDigits >= int(d.digits.size())) {
        out += d.digits;
        out.append(size_t(intDigits - int(d.digits.size())), '0');
    } else {
        out += d.digits.substr(0, intDigits);
        out += '.';
        out += d.digits.substr(intDigits);
    }
    return QString::fromStdString(out);
}

QString plainSingle(float value) { return plain(double(value), 7); }

namespace {
bool isStoredNumber(const QVariant &v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}
} // namespace

double fromField(const QVariant &value) { return isStoredNumber(value) ? value.toDouble() : val(value.toString()); }

std::optional<qint32> toInt32HalfEven(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    double r = std::nearbyint(value); // default rounding mode: ties to even
    if (r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return static_cast<qint32>(r);
}

std::optional<float> toSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 3.402823466e38)
        return std::nullopt;
    return static_cast<float>(value);
}

std::optional<Currency> Currency::fromDouble(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    double scaled = std::nearbyint(value * 10000.0);
    if (scaled >= 9223372036854775807.0 || scaled < -9223372036854775808.0)
        return std::nullopt;
    return fromRaw(static_cast<qint64>(scaled));
}

namespace {
bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
} // namespace

bool readAmount(const QString &text, double *value) {
    QString s = storedtext::trimBlanks(text);
    if (s.isEmpty()) {
        *value = 0;
        return true;
    }
    bool negative = false;
    const bool parenthesised = s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'));
    if (parenthesised) {
        s = storedtext::trimBlanks(s.mid(1, s.size() - 2));
        negative = true;
    }
    // A sign and a dollar sign, in either order, each perhaps followed by blanks.
    qsizetype i = 0;
    bool sign = false, dollar = false;
    for (;;) {
        if (i < s.size() && !sign && !parenthesised && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
            sign = true;
            negative = s[i] == QLatin1Char('-');
        } else if (i < s.size() && !dollar && s[i] == QLatin1Char('$')) {
            dollar = true;
        } else {
            break;
        }
        ++i;
        while (i < s.size() && s[i] == QLatin1Char(' '))
            ++i;
    }
    // Digits, thousands commas only between whole groups of three, then an optional point and decimals.
    QString digits;
    int whole = 0, group = 0;
    bool comma = false;
    for (; i < s.size() && (isAsciiDigit(s[i]) || s[i] == QLatin1Char(',')); ++i) {
        if (s[i] == QLatin1Char(',')) {
            if (group == 0 || (comma ? group != 3 : group > 3))
                return false;
            comma = true;
            group = 0;
        } else {
            digits += s[i];
            ++whole;
            ++group;
        }
    }
    if (comma && group != 3)
        return false;
    int decimals = 0;
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        digits += QLatin1Char('.');
        for (++i; i < s.size() && isAsciiDigit(s[i]); ++i, ++decimals)
            digits += s[i];
    }
    if (i != s.size() || whole + decimals == 0)
        return false;
    // Beyond 15 digits a double no longer holds every cent (and far beyond it, no value at all).
    int significantWhole = whole;
    for (qsizetype k = 0; k < digits.size() && digits[k] == QLatin1Char('0') && significantWhole > 0; ++k)
        --significantWhole;
    if (significantWhole > 15)
        return false;
    const double v = val(digits);
    *value = negative && v != 0 ? -v : v;
    return true;
}

} // namespace numbers
