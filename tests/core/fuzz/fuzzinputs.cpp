#include "fuzzinputs.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace {
constexpr double inf = std::numeric_limits<double>::infinity();

double fromBits(quint64 b) {
    double d;
    std::memcpy(&d, &b, sizeof d);
    return d;
}

const double specials[] = {0.0,
                           -0.0,
                           inf,
                           -inf,
                           std::numeric_limits<double>::quiet_NaN(),
                           -std::numeric_limits<double>::quiet_NaN(),
                           fromBits(0x7ff0000000000001ULL), // signalling NaN
                           fromBits(0xfff8dead00000000ULL), // NaN with a payload
                           std::numeric_limits<double>::denorm_min(),
                           -std::numeric_limits<double>::denorm_min(),
                           DBL_MIN,
                           DBL_MAX,
                           -DBL_MAX,
                           FLT_MAX,
                           -FLT_MAX,
                           FLT_MIN,
                           3.402823466e38,
                           0.005,
                           -0.005,
                           2.675,
                           1.005,
                           0.00005,
                           0.00015,
                           1e15,
                           999999999999999.5,
                           1e20,
                           1e21,
                           1e-20,
                           1e-21,
                           0x1p52,
                           0x1p53,
                           0x1p63,
                           -0x1p63,
                           922337203685477.5807,
                           -922337203685477.5808,
                           2147483647.5,
                           -2147483648.5,
                           2147483646.5,
                           -2147483649.5};

// Texts that have tripped number readers: money as typed, exponents at and past the limits, words that
// other readers take for numbers, blanks everywhere, long digit runs.
const QStringList &seedTexts() {
    static const QStringList seeds = [] {
        QStringList s{"12.50",
                      "$1,250.00",
                      "1e308",
                      "1.7976931348623157e308",
                      "1.7976931348623159e308",
                      "-0",
                      "1e-400",
                      "4.9406564584124654e-324",
                      "2.4703282292062327e-324",
                      " 1 2 3",
                      "+.5e+",
                      "nan",
                      "inf",
                      "-Infinity",
                      "0x10",
                      "&H10",
                      "1e999",
                      "-1e999",
                      "1e99999999999999999999",
                      "1e-99999999999999999999",
                      "922337203685477.5807",
                      "-922337203685477.5808",
                      "2147483647.5",
                      "0.00025",
                      "2.675",
                      ".",
                      "-",
                      "+-1",
                      "1..2",
                      "1e+",
                      "1e-",
                      "1d5",
                      "1D-5",
                      "  -  .  5  e  -  3  ",
                      "\t\r\n7",
                      "12\u00a034",
                      "\u22125",
                      "\uff11\uff12",
                      "\u0661\u0662\u0663",
                      "1,5",
                      "5%",
                      "(5)",
                      "1 000 000",
                      "0.1e1e1"};
        s << QString(400, QLatin1Char('9')) << QStringLiteral("0.") + QString(400, QLatin1Char('0')) + "1"
          << QStringLiteral("1") + QString(400, QLatin1Char('0')) + "e-400"
          << QStringLiteral("-") + QString(330, QLatin1Char('7')) + ".5";
        return s;
    }();
    return seeds;
}

const char16_t alphabet[] = {u'0',   u'1',   u'2',   u'5',   u'9',   u'.',   u'.',   u'+',   u'-',
                             u'e',   u'E',   u'd',   u'D',   u' ',   u' ',   u'\t',  u'\r',  u'\n',
                             u'$',   u',',   u'x',   u'n',   u'i',   u'f',   u'%',   0x00a0, 0x2212,
                             0xff11, 0x0660, 0xd83d, 0xde97, 0xd800, 0xdc00, 0x0000, 0xffff, 0x00e9};
} // namespace

double FuzzInputs::number() {
    switch (below(6)) {
    case 0:
        return fromBits(bits());
    case 1:
        return specials[below(int(std::size(specials)))];
    case 2: {
        const double d = std::ldexp(1.0 + unit(), below(2098) - 1074);
        return chance(50) ? -d : d;
    }
    case 3: {
        static const double per[] = {100.0, 200.0, 10000.0, 20000.0, 1.0, 2.0};
        const qint64 units = qint64(bits() % 4000000001ULL) - 2000000000;
        return double(units) / per[below(int(std::size(per)))];
    }
    case 4: {
        double d = specials[below(int(std::size(specials)))];
        for (int steps = below(9) - 4; steps != 0; steps += steps > 0 ? -1 : 1)
            d = std::nextafter(d, steps > 0 ? inf : -inf);
        return d;
    }
    default:
        return (unit() - 0.5) * std::pow(10.0, below(32) - 12);
    }
}

QChar FuzzInputs::anyChar() { return QChar(alphabet[below(int(std::size(alphabet)))]); }

void FuzzInputs::mutate(QString &text) {
    const int at = below(int(text.size()) + 1);
    switch (below(6)) {
    case 0:
        text.insert(at, anyChar());
        break;
    case 1:
        if (at < text.size())
            text.remove(at, 1);
        break;
    case 2:
        if (at < text.size())
            text[at] = anyChar();
        break;
    case 3:
        text.insert(at, QString::number(bits()).left(1 + below(20)));
        break;
    case 4:
        text.insert(at, text.mid(below(int(text.size()) + 1), 1 + below(8)));
        break;
    default:
        text.insert(chance(50) ? 0 : text.size(), seedTexts().at(below(int(seedTexts().size()))));
        break;
    }
}

QString FuzzInputs::numberText() {
    QString text;
    switch (below(4)) {
    case 0:
        text = seedTexts().at(below(int(seedTexts().size())));
        break;
    case 1: {
        static const char formats[] = {'g', 'e', 'f', 'E', 'G'};
        text = QString::number(number(), formats[below(5)], below(18));
        break;
    }
    case 2:
        for (int i = below(24); i > 0; --i)
            text += anyChar();
        break;
    default:
        text = seedTexts().at(below(int(seedTexts().size()))) + seedTexts().at(below(int(seedTexts().size())));
        break;
    }
    for (int i = below(5); i > 0; --i)
        mutate(text);
    return text;
}

QString FuzzInputs::paragraph() {
    if (chance(3))
        return chance(50) ? QString() : QString(1 + below(40), QLatin1Char(' '));
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABC0123456789.,$%\t\u00e9\u4e2d");
    static const QString separators[] = {" ",  " ",   " ",    " ",  "  ", "   ",      "-", "/",
                                         "--", " - ", "\r\n", "\r", "\n", "\r\n\r\n", "",  " \r\n "};
    QString text;
    if (chance(10))
        text = separators[below(int(std::size(separators)))].repeated(1 + below(8));
    const int words = below(200) == 0 ? 500 + below(1500) : below(40);
    for (int w = 0; w < words; ++w) {
        const int size = chance(5) ? 20 + below(300) : 1 + below(12);
        for (int i = 0; i < size; ++i) {
            if (chance(2)) {
                // A character outside the first plane; now and then half of one.
                const QChar pair[] = {QChar(0xd83d), QChar(0xde97)};
                const int take = below(3);
                text += take == 2 ? QString(pair, 2) : QString(pair[take]);
            } else {
                text += letters.at(below(int(letters.size())));
            }
        }
        // Long texts are mostly ordinary prose: single blanks.
        text += words > 40 && chance(90) ? QStringLiteral(" ") : separators[below(int(std::size(separators)))];
    }
    return text;
}

float FuzzInputs::length() {
    switch (below(9)) {
    case 0:
        return chance(50) ? 0.0f : -0.0f;
    case 1:
        return -float(below(1000)) - float(unit());
    case 2:
        return float(unit() * 4);
    case 3: {
        static const float huge[] = {1e6f, 1e30f, FLT_MAX, std::numeric_limits<float>::infinity()};
        return huge[below(4)];
    }
    case 4: {
        static const float odd[] = {std::numeric_limits<float>::quiet_NaN(),
                                    -std::numeric_limits<float>::infinity(),
                                    -FLT_MAX,
                                    std::numeric_limits<float>::denorm_min(),
                                    0.5f,
                                    1.5f,
                                    2.5f};
        return odd[below(int(std::size(odd)))];
    }
    default:
        return 10.0f + float(unit() * 240);
    }
}
