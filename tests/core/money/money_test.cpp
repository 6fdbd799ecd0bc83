// Reading numbers, money text, the currency type and the payment routine.

#include "core/money/numbers.h"
#include "core/money/payment.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <cmath>
#include <limits>

class MoneyTest : public QObject {
    Q_OBJECT
private slots:
    void numericValueOfText_data();
    void numericValueOfText();
    void numbersReadAPointWhereTheSystemWritesAComma();
    void plainText_data();
    void plainText();
    void moneyFormat_data();
    void moneyFormat();
    void currencyRoundsTiesToEven_data();
    void currencyRoundsTiesToEven();
    void outOfRangeConversionsAreRefused();
    void paymentKnownAnswers_data();
    void paymentKnownAnswers();
    void paymentThatCannotBeComputed_data();
    void paymentThatCannotBeComputed();
};

void MoneyTest::numericValueOfText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("decimal") << "12.50" << 12.5;
    QTest::newRow("letters end it") << "12abc" << 12.0;
    QTest::newRow("dollar sign first") << "$12" << 0.0;
    QTest::newRow("comma ends it") << "1,250.00" << 1.0;
    QTest::newRow("blanks inside skipped") << " 1 2 3 " << 123.0;
    QTest::newRow("exponent") << "1.5e3" << 1500.0;
    QTest::newRow("exponent without digits") << "12e" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("word") << "abc" << 0.0;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("too large to hold") << "1e999" << 0.0;
}

void MoneyTest::numericValueOfText() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(numbers::val(text), value);
}

void MoneyTest::numbersReadAPointWhereTheSystemWritesAComma() {
    // The application takes the C library's locale from the system's; one whose decimals have a comma is
    // made here, as a dealership's machine may have it.
    QTemporaryDir dir;
    QFile definition(dir.filePath(QStringLiteral("comma.def")));
    QVERIFY(definition.open(QIODevice::WriteOnly));
    definition.write("LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n");
    definition.close();
    QProcess::execute(QStringLiteral("localedef"),
                      {QStringLiteral("-c"), QStringLiteral("-i"), definition.fileName(), QStringLiteral("-f"),
                       QStringLiteral("UTF-8"), dir.filePath(QStringLiteral("comma"))});
    const QByteArray before = std::setlocale(LC_NUMERIC, nullptr);
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    const bool comma = std::setlocale(LC_NUMERIC, "comma") != nullptr;
    const double value = numbers::val(QStringLiteral("12.50"));
    std::setlocale(LC_NUMERIC, before.constData());
    qunsetenv("LOCPATH");
    if (!comma)
        QSKIP("localedef could not make a locale with a decimal comma");
    QCOMPARE(value, 12.5);
}


void MoneyTest::plainText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("significant");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ordinary amount") << 1234567.89 << 15 << "1234567.89";
    QTest::newRow("more digits than a double holds") << 1e22 << 60 << "1e+22";
    QTest::newRow("no digits asked for: one") << 2.7 << 0 << "3";
}


void MoneyTest::plainText() {
    QFETCH(double, value);
    QFETCH(int, significant);
    QFETCH(QString, shown);
    QCOMPARE(numbers::plain(value, significant), shown);
}


void MoneyTest::moneyFormat_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("negative") << -10.0 << "-10.00";
    QTest::newRow("rounds up") << 19.999 << "20.00";
    QTest::newRow("half away from zero") << 2.675 << "2.68";
    QTest::newRow("tiny negative is not minus zero") << -0.001 << "0.00";
    QTest::newRow("no thousands separator") << 1234567.891 << "1234567.89";
    QTest::newRow("large") << 1e20 << "100000000000000000000.00";
    QTest::newRow("not a number") << std::nan("") << "0.00";
    QTest::newRow("half cent below one") << 0.005 << "0.01";
}

void MoneyTest::moneyFormat() {
    QFETCH(double, value);
    QFETCH(QString, shown);
    QCOMPARE(numbers::formatMoney(value), shown);
}

void MoneyTest::currencyRoundsTiesToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("raw");
    QTest::newRow("tie down to even") << 0.00025 << qint64(2);
    QTest::newRow("tie up to even") << 0.00035 << qint64(4);
    QTest::newRow("negative") << -1.23456 << qint64(-12346);
}

void MoneyTest::currencyRoundsTiesToEven() {
    QFETCH(double, value);
    QFETCH(qint64, raw);
    auto c = numbers::Currency::fromDouble(value);
    QVERIFY(c.has_value());
    QCOMPARE(c->raw(), raw);
}

void MoneyTest::outOfRangeConversionsAreRefused() {
    QVERIFY(!numbers::Currency::fromDouble(1e300).has_value());
    QVERIFY(!numbers::Currency::fromDouble(std::numeric_limits<double>::infinity()).has_value());
    QVERIFY(!numbers::toInt32HalfEven(3e9).has_value());
    QCOMPARE(numbers::toInt32HalfEven(36.5).value(), 36);
    QCOMPARE(numbers::toInt32HalfEven(37.5).value(), 38);
    QVERIFY(!numbers::toSingle(1e39).has_value());
}

namespace {
using numbers::Currency;
Currency money(double v) { return Currency::fromDouble(v).value(); }

QString paymentOf(double amount, double months, double rate, bool *ok = nullptr) {
    Currency a = money(amount), n = money(months), r = money(rate), adjustA, adjustB;
    Currency days = money(30);
    return numbers::formatMoney(numbers::val(payment::calculate(a, n, r, adjustA, days, adjustB, ok)));
}
} // namespace

// The payment routine as the worksheet calls it (no adjustments, 30 days to the first payment).
void MoneyTest::paymentKnownAnswers_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<double>("months");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1500 at 6 % over 60") << 1500.0 << 60.0 << 6.0 << "29.00";
    QTest::newRow("1500 at 0 % over 60") << 1500.0 << 60.0 << 0.0 << "25.00";
    QTest::newRow("10000 at 6 % over 36") << 10000.0 << 36.0 << 6.0 << "304.22";
    QTest::newRow("1500 at 6.9 % over 48") << 1500.0 << 48.0 << 6.9 << "35.85";
    QTest::newRow("cash at 6 %: one month's interest") << 1500.0 << 1.0 << 6.0 << "1507.50";
    QTest::newRow("cash at 0 %") << 1500.0 << 1.0 << 0.0 << "1500.00";
    QTest::newRow("nothing to finance") << 0.0 << 60.0 << 6.0 << "0.00";
}

void MoneyTest::paymentKnownAnswers() {
    QFETCH(double, amount);
    QFETCH(double, months);
    QFETCH(double, rate);
    QFETCH(QString, shown);
    bool ok = false;
    QCOMPARE(paymentOf(amount, months, rate, &ok), shown);
    QVERIFY(ok);
}

void MoneyTest::paymentThatCannotBeComputed_data() {
    QTest::addColumn<double>("months");
    QTest::addColumn<double>("rate");
    QTest::newRow("no term") << 0.0 << 6.0;
    QTest::newRow("no term, no rate") << 0.0 << 0.0;
    QTest::newRow("negative term") << -12.0 << 6.0;
    QTest::newRow("minus 1200 per cent") << 60.0 << -1200.0;
}

void MoneyTest::paymentThatCannotBeComputed() {
    QFETCH(double, months);
    QFETCH(double, rate);
    bool ok = true;
    QCOMPARE(paymentOf(1500, months, rate, &ok), QStringLiteral("0.00"));
    QVERIFY(!ok);
}

QTEST_GUILESS_MAIN(MoneyTest)
#include "money_test.moc"
