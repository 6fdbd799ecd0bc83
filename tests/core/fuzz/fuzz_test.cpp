// A robustness run of the core's number, money, payment and wrapping routines: inputs from a fixed seed
// (random, mutated from texts that trip number readers, every kind of double) and, for each one, what the
// routine promises its callers. The first broken promise stops the run and names the input.
// QUORVEL_FUZZ_SEED=<n> runs another seed; QUORVEL_FUZZ_SCALE=<x> multiplies every count.

#include "core/money/numbers.h"
#include "core/money/payment.h"
#include "core/print/pageprinter.h"
#include "core/print/recordingdevice.h"
#include "fuzzinputs.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <stdlib.h>

using numbers::Currency;

namespace {
constexpr quint64 defaultSeed = 20240611;

#define EXPECT(condition, detail)                                                                                      \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            return QStringLiteral(#condition " is false: ") + (detail);                                                \
    } while (0)

// A text with its control and non-ASCII characters escaped, as it would be written in a test row.
QString shown(const QString &text) {
    QString out = QStringLiteral("\"");
    for (QChar c : text.left(300)) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != QLatin1Char('"') && c != QLatin1Char('\\'))
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out + (text.size() > 300 ? QStringLiteral("\"... (%1 characters)").arg(text.size()) : "\"");
}
QString shown(double v) {
    quint64 b;
    std::memcpy(&b, &v, sizeof b);
    return QString::number(v, 'g', 17) + QStringLiteral(" [0x%1]").arg(b, 16, 16, QLatin1Char('0'));
}
QString shown(const Currency &c) { return QString::number(c.raw()) + QStringLiteral("e-4"); }

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The C library's conversions, with a decimal point whatever the locale.
locale_t cNumbers() {
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
    return c;
}
double readC(const QByteArray &text) { return strtod_l(text.constData(), nullptr, cNumbers()); }

// x in decimal to `digits` significant digits as C's printf writes it: correctly rounded, an exact tie
// to the even digit.
QByteArray decimalForm(double x, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", qBound(1, digits, 40) - 1, x);
    return QByteArray(buf).replace(',', '.');
}
// The value of that form (infinite when the form is too large for a double).
double decimalRounding(double x, int digits) { return readC(decimalForm(x, digits)); }

bool isMoneyText(const QString &s) {
    static const QRegularExpression money(QStringLiteral("^-?(0|[1-9][0-9]*)\\.[0-9]{2}$"));
    return s != QLatin1String("-0.00") && money.match(s).hasMatch();
}

// Plain text: a leading minus, no needless zeros, no exponent unless the value is far from ordinary amounts.
bool isPlainText(const QString &s) {
    static const QRegularExpression plain(
        QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?$|^-?[1-9](\\.[0-9]*[1-9])?e[+-][0-9]{2,3}$"));
    return s != QLatin1String("-0") && plain.match(s).hasMatch();
}

// The number at the start of a text as the reader's rule states it, written as a pattern: with the blanks
// taken out, an optional sign, digits with one point, an optional exponent (E or D) that has digits.
// Characters beyond ASCII never belong to a number; they stand as '#', since a pattern cannot match at all
// in a text that holds half a surrogate pair.
double statedValue(const QString &text) {
    QString squeezed;
    squeezed.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            squeezed += c.unicode() < 0x80 ? c : QLatin1Char('#');
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eEdD][+-]?[0-9]+)?"));
    const auto m = number.match(squeezed);
    if (!m.hasMatch())
        return 0.0;
    QByteArray literal = m.captured(0).toLatin1();
    literal.replace('d', 'e').replace('D', 'e');
    const double v = readC(literal);
    return std::isfinite(v) ? v : 0.0;
}

// Whole hundredths of the value's 15-digit decimal form, half away from zero (for |x| < 1e15).
qint64 expectedCents(double x) {
    const QByteArray e = decimalForm(std::fabs(x), 15); // d.dddddddddddddde±XX
    qint64 mantissa = QByteArray(e.left(1) + e.mid(2, 14)).toLongLong();
    const int shift = e.mid(17).toInt() - 12;
    qint64 cents = 0;
    if (shift >= 0) {
        cents = mantissa;
        for (int i = 0; i < shift; ++i)
            cents *= 10;
    } else if (shift > -18) {
        qint64 divisor = 1;
        for (int i = 0; i < -shift; ++i)
            divisor *= 10;
        cents = mantissa / divisor + (2 * (mantissa % divisor) >= divisor ? 1 : 0);
    }
    return x < 0 ? -cents : cents;
}

QString checkVal(const QString &text) {
    const double v = numbers::val(text);
    EXPECT(std::isfinite(v), shown(v));
    EXPECT(sameBits(v, statedValue(text)), shown(v) + " where the rule gives " + shown(statedValue(text)));
    return {};
}

QString checkMoney(double x) {
    const QString m = numbers::formatMoney(x);
    EXPECT(isMoneyText(m), m);
    EXPECT(numbers::dollars(x) == QLatin1Char('$') + m, numbers::dollars(x));
    if (!std::isfinite(x)) {
        EXPECT(m == QLatin1String("0.00"), m);
    } else if (std::fabs(x) < 1e15) {
        // Here the hundredths of the 15-digit form fit 64 bits: the text is exactly its rounding to the cent.
        const qint64 cents = QString(m).remove(QLatin1Char('.')).toLongLong();
        EXPECT(cents == expectedCents(x), m + " where the cents are " + QString::number(expectedCents(x)));
    } else {
        // Beyond, the text is the 15-digit form with zeros after it.
        const long double shownValue = strtold_l(m.toLatin1().constData(), nullptr, cNumbers());
        EXPECT(std::fabs(shownValue - x) <= 6e-15L * std::fabs(x), m);
    }
    return {};
}

QString checkPlain(double x, int significant) {
    const QString p = numbers::plain(x, significant);
    EXPECT(isPlainText(p), p);
    if (!std::isfinite(x) || x == 0) {
        EXPECT(p == QLatin1String("0"), p);
        return {};
    }
    // Read back, the text is the value to the digits asked for (at least one); a text too large for a
    // double reads as nothing, as every such text does.
    const double r = decimalRounding(x, significant);
    const double back = numbers::val(p);
    EXPECT(back == (std::isfinite(r) ? r : 0.0), p + " reads as " + shown(back));
    if (std::fabs(x) >= 1e-15 && std::fabs(x) < 1e15)
        EXPECT(!p.contains(QLatin1Char('e')), p);
    return {};
}

QString checkPlainSingle(float f) {
    const QString p = numbers::plainSingle(f);
    EXPECT(isPlainText(p), p);
    if (std::isfinite(f) && f != 0)
        EXPECT(numbers::val(p) == decimalRounding(double(f), 7), p);
    return {};
}

QString checkField(const QVariant &v) {
    const double n = numbers::fromField(v);
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        EXPECT(sameBits(n, v.toDouble()) || (std::isnan(n) && std::isnan(v.toDouble())), shown(n));
        break;
    default:
        EXPECT(sameBits(n, numbers::val(v.toString())), shown(n));
    }
    return {};
}

QString checkConversions(double x) {
    // Whole numbers: half to even, nothing outside 32 bits.
    const auto i = numbers::toInt32HalfEven(x);
    if (!std::isfinite(x) || x >= 2147483647.5 || x < -2147483648.5) {
        EXPECT(!i, QString::number(*i));
    } else {
        const double whole = std::trunc(x);
        const double part = std::fabs(x - whole); // exact
        double nearest = whole;
        if (part > 0.5 || (part == 0.5 && std::fmod(whole, 2.0) != 0))
            nearest += x < 0 ? -1 : 1;
        EXPECT(i && double(*i) == nearest, i ? QString::number(*i) : QStringLiteral("nothing"));
    }
    // Single precision: nothing when out of range or not finite.
    const auto s = numbers::toSingle(x);
    if (!std::isfinite(x) || std::fabs(x) > FLT_MAX)
        EXPECT(!s, QString::number(double(*s)));
    else if (std::fabs(x) < 3.4e38)
        EXPECT(s && *s == float(x), QString());
    if (s)
        EXPECT(std::isfinite(*s), QString());
    // Currency: the nearest ten-thousandth, a tie to even, nothing outside 64 bits.
    const auto c = Currency::fromDouble(x);
    const double scaled = x * 10000.0;
    if (!std::isfinite(scaled) || scaled >= 0x1p63 || scaled < -0x1p63) {
        EXPECT(!c, shown(*c));
    } else if (std::fabs(scaled) >= 0x1p52) {
        EXPECT(c && c->raw() == qint64(scaled), c ? shown(*c) : QStringLiteral("nothing"));
    } else {
        EXPECT(c, QStringLiteral("nothing"));
        const double off = double(c->raw()) - scaled; // exact below 2^52
        EXPECT(std::fabs(off) < 0.5 || (std::fabs(off) == 0.5 && c->raw() % 2 == 0), shown(*c));
    }
    return {};
}

enum Role { Amount, Months, Rate, Days, Adjustment };

Currency currencyInput(FuzzInputs &in, Role role) {
    static const qint64 edges[] = {0,
                                   1,
                                   -1,
                                   9999,
                                   10000,
                                   -10000,
                                   5000,
                                   12000000,
                                   -12000000,
                                   -300000,
                                   300000,
                                   3000000,
                                   std::numeric_limits<qint64>::min(),
                                   std::numeric_limits<qint64>::max(),
                                   std::numeric_limits<qint64>::max() - 9999};
    switch (in.below(6)) {
    case 0:
        return Currency::fromRaw(qint64(in.bits()));
    case 1:
        return Currency::fromRaw(edges[in.below(int(std::size(edges)))]);
    case 2:
    case 3: // an ordinary deal
        switch (role) {
        case Amount:
            return Currency::fromRaw(qint64(in.bits() % 100000001) * 100);
        case Months:
            return Currency::fromRaw(qint64(1 + in.below(120)) * 10000);
        case Rate:
            return Currency::fromRaw(in.below(400001) - 50000);
        case Days:
            return Currency::fromRaw(in.chance(50) ? 300000 : qint64(in.below(121)) * 10000);
        default:
            return Currency::fromRaw(in.chance(50) ? 0 : qint64(in.below(500001)) * 100);
        }
    case 4:
        return Currency::fromDouble(numbers::val(in.numberText())).value_or(Currency());
    default:
        return Currency::fromDouble(in.number()).value_or(Currency());
    }
}

QString checkPayment(const Currency (&given)[6], bool okBefore) {
    Currency v[6] = {given[0], given[1], given[2], given[3], given[4], given[5]};
    bool ok = okBefore;
    const QString text = payment::calculate(v[0], v[1], v[2], v[3], v[4], v[5], &ok);
    Currency again[6] = {given[0], given[1], given[2], given[3], given[4], given[5]};
    EXPECT(payment::calculate(again[0], again[1], again[2], again[3], again[4], again[5]) == text, text);
    const Currency &amount = given[0], &months = given[1], &rate = given[2];
    if (!ok) {
        EXPECT(text == QLatin1String("0"), text);
    } else {
        EXPECT(isPlainText(text), text);
        EXPECT(isMoneyText(numbers::formatMoney(numbers::val(text))), numbers::formatMoney(numbers::val(text)));
    }
    if (months.raw() <= 0)
        EXPECT(!ok, text);
    if (rate.raw() == 0 || months.raw() <= 0)
        EXPECT(v[5] == given[5], shown(v[5]));
    if (rate.raw() == 0 && months.raw() > 0) {
        const double expected = decimalRounding(amount.toDouble() / months.toDouble(), 15);
        EXPECT(ok && numbers::val(text) == expected, text);
    }
    // A first payment after a month and no adjustments: the ordinary loan payment A r / (1 - (1 + r)^-n).
    const Currency &adjustA = given[3], &days = given[4], &adjustB = given[5];
    if (days.raw() == 300000 && adjustA.raw() == 0 && adjustB.raw() == 0 && rate.raw() >= -1000000 &&
        rate.raw() <= 10000000 && std::abs(rate.raw()) >= 100 && months.raw() >= 10000 && months.raw() <= 10000000) {
        const double r = rate.toDouble() / 1200.0;
        const double expected = amount.toDouble() * r / (1.0 - std::pow(1.0 + r, -months.toDouble()));
        if (std::isfinite(expected) && std::fabs(expected) < 1e300) {
            EXPECT(ok, text + " where the loan payment is " + shown(expected));
            EXPECT(std::fabs(numbers::val(text) - expected) <= 1e-7 * std::fabs(expected) + 1e-9,
                   text + " where the loan payment is " + shown(expected));
        }
    }
    return {};
}

bool endsWord(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('/'); }
bool hasBreaks(const QString &s) { return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n')); }

// The printable characters in order: all but blanks and line breaks.
QString ink(const QString &s) {
    QString out;
    out.reserve(s.size());
    for (QChar c : s)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            out += c;
    return out;
}

// One word, perhaps with the separator that ends it: nothing a line could be broken after.
bool singleWord(const QString &line) {
    for (int i = 0; i + 1 < line.size(); ++i)
        if (endsWord(line.at(i)))
            return false;
    return true;
}

// The lines are the text split after word ends (a blank, hyphen or slash), each trimmed of blanks; a
// line is no wider than its allowed width (whole millimetres) unless it is a single word.
QString checkWrap(const QString &w, const PagePrinter &p, const QString &text, float length, float indent) {
    EXPECT(ink(w) == ink(text), shown(w));
    const float first = std::nearbyint(length - indent);
    const float others = std::nearbyint(length);
    if (hasBreaks(text)) {
        // The text's own breaks make lines too; each part is measured alone.
        const float widest = std::max(first, others);
        if (!std::isnan(widest))
            for (const QString &part : PrinterDevice::textLines(w))
                EXPECT(p.TextWidth(part) <= widest || singleWord(part), shown(part));
        return {};
    }
    const QStringList lines = w.split(QStringLiteral("\r\n"));
    int at = 0;
    for (int k = 0; k < lines.size(); ++k) {
        const QString &line = lines.at(k);
        while (at < text.size() && text.at(at) == QLatin1Char(' '))
            ++at;
        EXPECT(QStringView(text).mid(at, line.size()) == line && !line.endsWith(QLatin1Char(' ')),
               QStringLiteral("line %1 is %2").arg(k).arg(shown(line)));
        at += int(line.size());
        if (k + 1 < lines.size() && !line.isEmpty())
            EXPECT(endsWord(line.back()) || at == text.size() || text.at(at) == QLatin1Char(' '),
                   QStringLiteral("line %1 is %2").arg(k).arg(shown(line)));
        const float allowed = k == 0 ? first : others;
        if (!std::isnan(allowed))
            EXPECT(p.TextWidth(line) <= allowed || singleWord(line),
                   QStringLiteral("line %1 is %2, allowed %3 mm")
                       .arg(QString::number(k), shown(line), QString::number(allowed)));
    }
    EXPECT(QStringView(text).mid(at).trimmed().isEmpty(), QStringLiteral("text left over"));
    return {};
}

// The runs between blanks and line breaks (split by hand: the texts hold half surrogate pairs).
QStringList words(const QStringList &lines) {
    QStringList out;
    for (const QString &line : lines) {
        QString word;
        for (QChar c : line + QLatin1Char(' ')) {
            if (c != QLatin1Char(' ') && c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
                word += c;
            } else if (!word.isEmpty()) {
                out << word;
                word.clear();
            }
        }
    }
    return out;
}

// Paragraph prints the wrapped lines, each as one text (fully justified: word by word where stretched).
QString checkParagraph(const QString &w, PagePrinter &p, RecordingDevice &device, const QString &text, float length,
                       float indent, float x, float y) {
    device.clear();
    p.Paragraph(x, y, length, text, indent);
    QStringList printed;
    for (const auto &op : device.texts())
        printed << op.text;
    if (p.Justification() != 3 && !hasBreaks(text)) {
        QStringList lines = w.split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        EXPECT(printed == lines, shown(printed.join(QStringLiteral("|"))));
    } else {
        EXPECT(words(printed) == words({w}), shown(printed.join(QStringLiteral("|"))));
    }
    return {};
}

double scale() {
    const double s = qEnvironmentVariable("QUORVEL_FUZZ_SCALE", QStringLiteral("1")).toDouble();
    return s > 0 ? s : 1.0;
}
qint64 scaled(qint64 count) { return qMax<qint64>(1, qint64(double(count) * scale())); }
} // namespace

class FuzzTest : public QObject {
    Q_OBJECT
    quint64 m_seed = defaultSeed;
    qint64 m_total = 0;

    // Each routine has its own stream, so one of them can be run alone with the same inputs.
    FuzzInputs inputs(quint64 routine) const { return FuzzInputs(m_seed * 0x9e3779b97f4a7c15ULL + routine); }
    void report(const char *routine, qint64 count, const QElapsedTimer &timer) {
        m_total += count;
        qInfo("%-28s %9lld inputs %7lld ms", routine, count, timer.elapsed());
    }
    static QString failure(qint64 n, const QString &input, const QString &why) {
        return QStringLiteral("input %1: %2\n   %3").arg(n).arg(input, why);
    }

private slots:
    void initTestCase() {
        bool ok = false;
        const quint64 seed = qEnvironmentVariable("QUORVEL_FUZZ_SEED").toULongLong(&ok, 0);
        if (ok)
            m_seed = seed;
        qInfo("seed %llu, counts x %g", m_seed, scale());
    }
    void cleanupTestCase() { qInfo("%lld inputs in all", m_total); }

    void numericValueOfText() {
        FuzzInputs in = inputs(1);
        QElapsedTimer timer;
        timer.start();
        const qint64 count = scaled(300000);
        for (qint64 n = 0; n < count; ++n) {
            const QString text = in.numberText();
            if (const QString why = checkVal(text); !why.isEmpty())
                QFAIL(qPrintable(failure(n, shown(text), why)));
            // Every double written with 17 digits reads back as itself.
            const double x = in.number();
            if (std::isfinite(x) && numbers::val(QString::number(x, 'g', 17)) != x)
                QFAIL(qPrintable(failure(n, shown(x), QStringLiteral("does not read back"))));
        }
        report("val", count, timer);
    }

    void moneyText() {
        FuzzInputs in = inputs(2);
        QElapsedTimer timer;
        timer.start();
        const qint64 count = scaled(250000);
        for (qint64 n = 0; n < count; ++n) {
            const double x = in.number();
            if (const QString why = checkMoney(x); !why.isEmpty())
                QFAIL(qPrintable(failure(n, shown(x), why)));
        }
        report("formatMoney, dollars", count, timer);
    }

    void plainText() {
        FuzzInputs in = inputs(3);
        QElapsedTimer timer;
        timer.start();
        const qint64 count = scaled(200000);
        for (qint64 n = 0; n < count; ++n) {
            const double x = in.number();
            const int significant = in.chance(80) ? 15 : in.chance(80) ? 1 + in.below(17) : in.below(80) - 5;
            if (const QString why = checkPlain(x, significant); !why.isEmpty())
                QFAIL(qPrintable(failure(n, shown(x) + QStringLiteral(" to %1 digits").arg(significant), why)));
            const quint32 b = quint32(in.bits());
            float f;
            std::memcpy(&f, &b, sizeof f);
            if (in.chance(50))
                f = numbers::toSingle(in.number()).value_or(f);
            if (const QString why = checkPlainSingle(f); !why.isEmpty())
                QFAIL(qPrintable(failure(n, shown(double(f)), why)));
        }
        report("plain, plainSingle", count, timer);
    }

    void storedFields() {
        FuzzInputs in = inputs(4);
        QElapsedTimer timer;
        timer.start();
        const qint64 count = scaled(60000);
        for (qint64 n = 0; n < count; ++n) {
            QVariant v;
            switch (in.below(9)) {
            case 0:
                v = in.number();
                break;
            case 1:
                v = numbers::toSingle(in.number()).value_or(0.5f);
                break;
            case 2:
                v = int(in.bits());
                break;
            case 3:
                v = qlonglong(in.bits());
                break;
            case 4:
                v = in.chance(50) ? QVariant(uint(in.bits())) : QVariant(qulonglong(in.bits()));
                break;
            case 5:
                v = in.chance(50) ? QVariant(QMetaType::fromType<double>()) : QVariant();
                break;
            case 6:
                v = in.chance(50);
                break;
            case 7:
                v = in.numberText().toUtf8();
                break;
            default:
                v = in.numberText();
                break;
            }
            if (const QString why = checkField(v); !why.isEmpty())
                QFAIL(qPrintable(failure(n, shown(v.toString()) + " of type " + v.typeName(), why)));
        }
        report("fromField", count, timer);
    }

    void conversions() {
        FuzzInputs in = inputs(5);
        QElapsedTimer timer;
        timer.start();
        const qint64 count = scaled(300000);
        for (qint64 n = 0; n < count; ++n) {
            const double x = in.number();
            if (const QString why = checkConversions(x); !why.isEmpty())
                QFAIL(qPrintable(failure(n, shown(x), why)));
        }
        report("toInt32, toSingle, Currency", count, timer);
    }

    void paymentRoutine() {
        FuzzInputs in = inputs(6);
        QElapsedTimer timer;
        timer.start();
        const qint64 count = scaled(150000);
        for (qint64 n = 0; n < count; ++n) {
            const Currency given[6] = {currencyInput(in, Amount), currencyInput(in, Months),
                                       currencyInput(in, Rate),   currencyInput(in, Adjustment),
                                       currencyInput(in, Days),   currencyInput(in, Adjustment)};
            if (const QString why = checkPayment(given, in.chance(50)); !why.isEmpty()) {
                QStringList shownInputs;
                for (const Currency &c : given)
                    shownInputs << shown(c);
                QFAIL(qPrintable(failure(n, shownInputs.join(QStringLiteral(", ")), why)));
            }
        }
        report("payment::calculate", count, timer);
    }

    void paragraphWrapping() {
        FuzzInputs in = inputs(7);
        RecordingDevice device;
        PagePrinter p(device);
        QElapsedTimer timer;
        timer.start();
        const qint64 count = scaled(25000);
        for (qint64 n = 0; n < count; ++n) {
            const QString text = in.paragraph();
            const float length = in.length();
            const float indent = in.chance(70) ? 0.0f : in.chance(70) ? float(in.below(30)) : in.length();
            if (in.chance(30)) {
                // Any size the printer takes, and some it refuses (the old size stays).
                static const double sizes[] = {1, 8, 10, 12, 1638, 0.01, 1e-300, 0, -5, 1639, 1e300, NAN, INFINITY};
                device.setFontSize(in.chance(50) ? sizes[in.below(int(std::size(sizes)))] : 1638 * in.unit());
            }
            p.Justification(in.below(6) - 1);
            const float x = in.chance(90) ? 20.0f : in.length();
            const float y = in.chance(90) ? 50.0f : in.length();
            const QString w = p.wrap(text, length, indent);
            QString why = checkWrap(w, p, text, length, indent);
            if (why.isEmpty())
                why = checkParagraph(w, p, device, text, length, indent, x, y);
            if (!why.isEmpty())
                QFAIL(qPrintable(
                    failure(n,
                            QStringLiteral("%1, length %2, indent %3, font %4, justification %5")
                                .arg(shown(text), QString::number(length, 'g', 9), QString::number(indent, 'g', 9),
                                     QString::number(device.fontSize(), 'g', 17), QString::number(p.Justification())),
                            why)));
        }
        report("wrap, Paragraph", count, timer);
    }
};

QTEST_MAIN(FuzzTest)
#include "fuzz_test.moc"
