#pragma once
// Every number the program reads from a text, shows, or hands to the payment routine goes through here.

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>

namespace numbers {

// The numeric value of a text: the number at its start (blanks skipped anywhere, an optional sign,
// digits, one decimal point, an optional exponent), 0 when the text does not start with one.
double val(const QString &text);

// "###0.00": rounded half away from zero on the value's 15-digit decimal form, at least one digit
// before the point, no thousands separator, a leading minus, never "-0.00".
QString formatMoney(double value);
// "$" + formatMoney, as lists and totals show money.
QString dollars(double value);

// A number as plain text: up to `significant` digits, no exponent for ordinary amounts.
QString plain(double value, int significant = 15);
// Single-precision settings show with 7 significant digits.
QString plainSingle(float value);

// A stored field as a number: numbers as they are stored, anything else as the numeric value of its text.
double fromField(const QVariant &value);

// A whole number rounded half to even, or nothing when it does not fit in 32 bits.
std::optional<qint32> toInt32HalfEven(double value);
// A single-precision value, or nothing when it is out of range or not finite.
std::optional<float> toSingle(double value);

// Fixed-point currency: 64-bit ten-thousandths.
class Currency {
public:
    Currency() = default;
    static Currency fromRaw(qint64 raw) {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    // Rounds to the nearest ten-thousandth, a tie going to the even digit; nothing when out of range.
    static std::optional<Currency> fromDouble(double value);
    qint64 raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / 10000.0; }
    bool operator==(const Currency &o) const { return m_raw == o.m_raw; }

private:
    qint64 m_raw = 0;
};

// An amount as people type and spreadsheets write it: surrounding blanks, an optional sign, an optional
// "$" (before or after the sign), digits with thousands commas in groups of three, an optional decimal
// point, or the whole in parentheses for a negative amount ("(5.00)", "($1,250.00)"). Empty reads as 0.
// Anything else (a second point, letters, a lone "$", "1,25", an exponent) is not an amount. The value is
// read by val.
bool readAmount(const QString &text, double *value);

} // namespace numbers
