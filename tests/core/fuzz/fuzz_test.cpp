// A robustness run of the number, money, payment and wrapping routines from a fixed seed: the first broken
// promise stops it and names the input. QUORVEL_FUZZ_SEED and QUORVEL_FUZZ_SCALE as in CONTRIBUTING.

#include "core/money/numbers.h"
#include "core/money/payment.h"
#include "core/print/pageprinter.h"
#include "core/print/recordingdevice.h"

#include <QtTest>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <random>
#include <stdlib.h>

using numbers::Currency;
using namespace Qt::StringLiterals;

namespace {
constexpr double inf = std::numeric_limits<double>::infinity();

double readC(const QByteArray &text) {
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
    return strtod_l(text.constData(), nullptr, c);
}
// x to `digits` significant digits as printf writes it (correctly rounded, a tie to the even digit).
QByteArray decimalForm(double x, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", qBound(1, digits, 40) - 1, x);
    return QByteArray(buf).replace(',', '.');
}

// Every kind of double (infinities, NaNs, subnormals, -0, the largest and smallest), cent and ten-thousandth
// ties, and the edges of the 32-bit, single and 64-bit currency conversions.
const QList<QByteArray> specials =
    QByteArray("0 -0 inf -inf nan -nan 0x1p-1074 -0x1p-1074 0x1p-1022 0x1.fffffffffffffp1023 -0x1.fffffffffffffp1023 "
               "0x1.fffffep127 -0x1.fffffep127 0x1p-126 0.005 -0.005 2.675 1.005 0.00005 0.00015 1e15 "
               "999999999999999.5 1e20 1e21 1e-20 1e-21 0x1p52 0x1p53 0x1p63 -0x1p63 922337203685477.5807 "
               "-922337203685477.5808 2147483647.5 -2147483648.5 2147483646.5 -2147483649.5")
        .split(' ');

// A character outside the first plane, two unpaired halves, a nul and a non-character.
const QChar oddChars[] = {QChar(0xd83d), QChar(0xde97), QChar(0xd800), QChar(0xdc00), QChar(0), QChar(0xffff)};

// Seeded once: a seed and an input number bring a failing input back.
class Inputs {
public:
    explicit Inputs(quint64 seed) : m_rng(seed) {}
    quint64 bits() { return m_rng(); }
    int below(int n) { return int(m_rng() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    double unit() { return double(m_rng() >> 11) * 0x1p-53; } // [0, 1)
    template <class T, size_t N> T pick(const T (&from)[N]) { return from[below(int(N))]; }

    // Any bit pattern, a special or one of its neighbours, the whole range evenly by exponent, whole cents
    // or ten-thousandths, an ordinary amount.
    double number() {
        const int kind = below(6);
        if (kind == 0) {
            const quint64 b = bits();
            return qFromUnaligned<double>(&b);
        }
        if (kind <= 2) {
            double d = readC(specials.at(below(int(specials.size()))));
            for (int steps = chance(50) ? 0 : below(9) - 4; steps != 0; steps += steps > 0 ? -1 : 1)
                d = std::nextafter(d, steps > 0 ? inf : -inf);
            return d;
        }
        if (kind == 3)
            return (chance(50) ? -1 : 1) * std::ldexp(1.0 + unit(), below(2098) - 1074);
        return kind == 4
                   ? double(qint64(bits() % 4000000001ULL) - 2000000000) / pick({100.0, 200.0, 10000.0, 20000.0, 1.0})
                   : (unit() - 0.5) * std::pow(10.0, below(32) - 12);
    }
    // Words of every length and separator, halves of surrogate pairs; now and then a long text.
    QString paragraph() {
        if (chance(3))
            return QString(chance(50) ? 0 : 1 + below(40), u' ');
        static const QString letters = u"abcdefghijklmnopqrstuvwxyzABC0123456789.,$%\t\u00e9\u4e2d"_s;
        static const char *const separators[] = {" ",  " ",   " ",    " ",  "  ", "   ",      "-", "/",
                                                 "--", " - ", "\r\n", "\r", "\n", "\r\n\r\n", "",  " \r\n "};
        QString text = chance(10) ? QString::fromLatin1(pick(separators)).repeated(1 + below(8)) : QString();
        const int words = below(200) == 0 ? 500 + below(1500) : below(40);
        for (int w = 0; w < words; ++w) {
            for (int i = chance(5) ? 20 + below(300) : 1 + below(12); i > 0; --i) {
                const int half = chance(2) ? below(3) : -1; // one half of the pair (0, 1), or both (2)
                text += half < 0 ? QString(letters.at(below(int(letters.size()))))
                                 : QString(oddChars + half % 2, 1 + half / 2);
            }
            text += words > 40 && chance(90) ? u" "_s : QString::fromLatin1(pick(separators));
        }
        return text;
    }
    float length() {
        if (chance(20))
            return pick({0.0f, -0.0f, NAN, INFINITY, -INFINITY, 1e6f, 1e30f, FLT_MAX, -FLT_MAX, FLT_TRUE_MIN, 0.5f,
                         1.5f, 2.5f});
        return chance(40) ? float((unit() - 0.75) * pick({4.0, 1000.0})) : 10.0f + float(unit() * 240);
    }

private:
    std::mt19937_64 m_rng;
};

QString shown(const QString &text) {
    QString out;
    QDebug(&out) << text.left(300); // quoted, control and odd characters escaped
    return text.size() > 300 ? out + u"... (%1 characters)"_s.arg(text.size()) : out;
}
QString shown(double v) { return QString::number(v, 'g', 17); }

#define EXPECT(condition, input)                                                                                       \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            return QStringLiteral(#condition " is false for ") + (input);                                              \
    } while (0)

bool isMoneyText(const QString &s) {
    static const QRegularExpression money(u"^-?(0|[1-9][0-9]*)\\.[0-9]{2}$"_s);
    return s != "-0.00"_L1 && money.match(s).hasMatch();
}
// A leading minus, no needless zeros, no exponent unless the value is far from ordinary amounts.
bool isPlainText(const QString &s) {
    static const QRegularExpression plain(
        u"^-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?$|^-?[1-9](\\.[0-9]*[1-9])?e[+-][0-9]{2,3}$"_s);
    return s != "-0"_L1 && plain.match(s).hasMatch();
}

Currency currency(Inputs &in, qint64 ordinary) {
    constexpr qint64 top = std::numeric_limits<qint64>::max();
    const int kind = in.below(6);
    if (kind == 0)
        return Currency::fromRaw(qint64(in.bits()));
    if (kind == 1)
        return Currency::fromRaw(in.pick({0LL, 1LL, -1LL, 9999LL, 10000LL, -10000LL, 5000LL, 12000000LL, -12000000LL,
                                          -300000LL, 300000LL, 3000000LL, -top - 1, top, top - 9999}));
    if (kind <= 3)
        return Currency::fromRaw(ordinary);
    return Currency::fromDouble(in.number()).value_or(Currency());
}

// The text as a reader sees it: the runs between blanks and line breaks, cut after a hyphen or a slash,
// where a line may be broken (split by hand: the texts hold half surrogate pairs).
QStringList pieces(const QString &s) {
    QStringList out{QString()};
    for (QChar c : s) {
        const bool blank = c == u' ' || c == u'\r' || c == u'\n';
        if (!blank)
            out.last() += c;
        if (!out.last().isEmpty() && (blank || c == u'-' || c == u'/'))
            out << QString();
    }
    out.removeAll(QString());
    return out;
}

double scale() {
    const double s = qEnvironmentVariable("QUORVEL_FUZZ_SCALE", u"1"_s).toDouble();
    return s > 0 ? s : 1.0;
}
} // namespace

class FuzzTest : public QObject {
    Q_OBJECT
    quint64 m_seed = 20240611;
    qint64 m_total = 0;

    // Each routine has its own stream; `check` says what broke for one input, or nothing.
    template <class Check> void run(const char *routine, quint64 stream, qint64 count, Check check) {
        Inputs in(m_seed * 0x9e3779b97f4a7c15ULL + stream);
        QElapsedTimer timer;
        timer.start();
        count = qMax<qint64>(1, qint64(double(count) * scale()));
        for (qint64 n = 0; n < count; ++n)
            if (const QString why = check(in); !why.isEmpty())
                QFAIL(qPrintable(u"input %1: %2"_s.arg(n).arg(why)));
        m_total += count;
        qInfo("%-28s %9lld inputs %7lld ms", routine, count, timer.elapsed());
    }

private slots:
    void initTestCase() {
        bool ok = false;
        const quint64 seed = qEnvironmentVariable("QUORVEL_FUZZ_SEED").toULongLong(&ok, 0);
        m_seed = ok ? seed : m_seed;
        qInfo("seed %llu, counts x %g", m_seed, scale());
    }
    void cleanupTestCase() { qInfo("%lld inputs in all", m_total); }

    // Any double: read back from 17 digits, the same double. As money, its 15-digit form to the cent (within half
    // a cent and half the 15th digit), "0.00" for none. In plain text, read back, the value to the digits asked
    // for (at least one); a text too large for a double reads as nothing, as every such text does; no exponent
    // for ordinary amounts. Converted, nothing outside the target's range and never undefined behaviour; inside,
    // the nearest value, a tie to the even one.
    void numberRoutines() {
        run("val, formatMoney, plain, toInt32, toSingle, Currency", 1, 300000, [](Inputs &in) -> QString {
            const double x = in.number(), scaled = x * 10000.0;
            EXPECT(!std::isfinite(x) || numbers::val(QString::number(x, 'g', 17)) == x, shown(x));
            const QString m = numbers::formatMoney(x), money = shown(x) + " shown as " + m;
            EXPECT(isMoneyText(m), money);
            if (!std::isfinite(x))
                EXPECT(m == "0.00"_L1, money);
            else if (std::fabs(x) < 1e300) // beyond, the text may be too large to read back
                EXPECT(std::fabs(numbers::val(m) - x) <= 0.005 + 6e-15 * std::fabs(x), money);
            const int digits = in.chance(80) ? 15 : in.chance(80) ? 1 + in.below(17) : in.below(80) - 5;
            const QString p = numbers::plain(x, digits);
            const QString plain = shown(x) + u" to %1 digits shown as "_s.arg(digits) + p;
            const double rounded = readC(decimalForm(x, digits));
            EXPECT(isPlainText(p), plain);
            EXPECT(numbers::val(p) == (std::isfinite(rounded) ? rounded : 0.0), plain);
            EXPECT(!p.contains(u'e') || !(std::fabs(x) >= 1e-15 && std::fabs(x) < 1e15), plain);
            const auto i = numbers::toInt32HalfEven(x);
            const auto s = numbers::toSingle(x);
            const auto c = Currency::fromDouble(x);
            if (!std::isfinite(x) || x >= 2147483647.5 || x < -2147483648.5)
                EXPECT(!i, shown(x));
            else
                EXPECT(i && double(*i) == x - std::remainder(x, 1.0), shown(x));
            EXPECT(std::fabs(x) < 3.4e38 ? s && *s == float(x) : !s || std::fabs(x) <= FLT_MAX, shown(x));
            if (!std::isfinite(scaled) || scaled >= 0x1p63 || scaled < -0x1p63)
                EXPECT(!c, shown(x));
            else
                EXPECT(c && double(c->raw()) == scaled - std::remainder(scaled, 1.0), shown(x));
            return {};
        });
    }

    // A payment in plain text, or "0" and not ok; never over no months. Without interest, the amount over
    // the months; with it and no adjustments, the loan payment A r / (1 - (1 + r)^-n).
    void paymentRoutine() {
        run("payment::calculate", 6, 150000, [](Inputs &in) -> QString {
            Currency v[6] = {currency(in, qint64(in.bits() % 100000001) * 100),
                             currency(in, qint64(1 + in.below(120)) * 10000),
                             currency(in, in.below(400001) - 50000),
                             currency(in, in.chance(50) ? 0 : qint64(in.below(500001)) * 100),
                             currency(in, in.chance(50) ? 300000 : qint64(in.below(121)) * 10000),
                             currency(in, in.chance(50) ? 0 : qint64(in.below(500001)) * 100)};
            const qint64 months = v[1].raw(), rate = v[2].raw();
            const double r = double(rate) / 1200e4;
            const double loan = v[0].toDouble() * r / (1.0 - std::pow(1.0 + r, -v[1].toDouble()));
            const bool plainLoan = v[3].raw() == 0 && v[4].raw() == 300000 && v[5].raw() == 0 && rate >= -1000000 &&
                                   rate <= 10000000 && std::abs(rate) >= 100 && months >= 10000 && months <= 10000000;
            QString input;
            for (const Currency &c : v)
                input += QString::number(c.raw()) + u"e-4 "_s;
            bool ok = in.chance(50);
            const QString text = payment::calculate(v[0], v[1], v[2], v[3], v[4], v[5], &ok);
            input += u"paid as "_s + text;
            EXPECT(ok ? isPlainText(text) : text == "0"_L1, input);
            EXPECT(!ok || months > 0, input);
            if (rate == 0 && months > 0)
                EXPECT(ok && numbers::val(text) == readC(decimalForm(v[0].toDouble() / v[1].toDouble(), 15)), input);
            if (plainLoan && std::isfinite(loan) && std::fabs(loan) < 1e300)
                EXPECT(ok && std::fabs(numbers::val(text) - loan) <= 1e-7 * std::fabs(loan) + 1e-9, input);
            return {};
        });
    }

    // Wrapping keeps the words in order, breaks only between them, and keeps a line of several words within its
    // width (whole millimetres, the first less its indent); Paragraph prints what was wrapped.
    void paragraphWrapping() {
        RecordingDevice device;
        PagePrinter p(device);
        run("wrap, Paragraph", 7, 25000, [&](Inputs &in) -> QString {
            const QString text = in.paragraph();
            const float length = in.length();
            const float indent = in.chance(70) ? 0.0f : in.chance(70) ? float(in.below(30)) : in.length();
            if (in.chance(30)) // any size the printer takes, and some it refuses (the old size stays)
                device.setFontSize(in.chance(50) ? in.pick({1.0, 8.0, 10.0, 12.0, 1638.0, 0.01, 1e-300, 0.0, -5.0,
                                                            1639.0, 1e300, double(NAN), inf})
                                                 : 1638 * in.unit());
            p.Justification(in.below(6) - 1);
            const QString w = p.wrap(text, length, indent);
            const QString input = u"%1, length %2, indent %3, font %4, wrapped as %5"_s.arg(
                shown(text), QString::number(length), QString::number(indent), QString::number(device.fontSize()),
                shown(w));
            EXPECT(pieces(w) == pieces(text), input);
            // Where the text has line breaks of its own, each part is measured alone.
            const bool breaks = text.contains(u'\r') || text.contains(u'\n');
            const float first = std::nearbyint(length - indent), others = std::nearbyint(length);
            const QStringList lines = PrinterDevice::textLines(w);
            for (int k = 0; k < lines.size(); ++k) {
                const float allowed = breaks ? std::max(first, others) : k == 0 ? first : others;
                EXPECT(std::isnan(allowed) || p.TextWidth(lines.at(k)) <= allowed || pieces(lines.at(k)).size() < 2,
                       u"line %1 of "_s.arg(k) + input);
            }
            device.clear();
            p.Paragraph(in.chance(90) ? 20.0f : in.length(), in.chance(90) ? 50.0f : in.length(), length, text, indent);
            QString printed;
            for (const auto &op : device.texts())
                printed += op.text + u' ';
            EXPECT(pieces(printed) == pieces(w), input);
            return {};
        });
    }
};

QTEST_MAIN(FuzzTest)
#include "fuzz_test.moc"
