// Reading numbers, money text, the currency type and the payment routine: known answers for the rules a user
// meets. The robustness run (core/fuzz) holds each routine to its rule over a million inputs.

#include "core/money/numbers.h"
#include "core/money/payment.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>

using numbers::Currency;

class MoneyTest : public QObject {
    Q_OBJECT
private slots:
    // What a user types, the number read from it, and that number as money.
    void typedAmountsShownAsMoney_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("money");
        QTest::newRow("decimal") << "12.50" << 12.5 << "12.50";
        QTest::newRow("blanks inside skipped, letters end it") << " -1 2 3abc" << -123.0 << "-123.00";
        QTest::newRow("dollar sign first") << "$12" << 0.0 << "0.00";
        QTest::newRow("comma ends it") << "1,250.00" << 1.0 << "1.00";
        QTest::newRow("exponent") << "1.5e3" << 1500.0 << "1500.00";
        QTest::newRow("second point ends it") << "1.2.3" << 1.2 << "1.20";
        QTest::newRow("too large to hold") << "1e999" << 0.0 << "0.00";
        QTest::newRow("rounds up, no thousands separator") << "9999999.999" << 9999999.999 << "10000000.00";
        QTest::newRow("half away from zero") << "2.675" << 2.675 << "2.68";
        QTest::newRow("half cent below one") << "0.005" << 0.005 << "0.01";
        QTest::newRow("tiny negative is not minus zero") << "-0.001" << -0.001 << "0.00";
        QTest::newRow("large") << "1e20" << 1e20 << "100000000000000000000.00";
    }

    void typedAmountsShownAsMoney() {
        QFETCH(QString, typed);
        QFETCH(double, value);
        QCOMPARE(numbers::val(typed), value);
        QTEST(numbers::formatMoney(value), "money");
    }

    void numbersReadAPointWhereTheSystemWritesAComma() {
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

    void plainText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("significant");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ordinary amount") << 1234567.89 << 15 << "1234567.89";
        QTest::newRow("more digits than a double holds") << 1e22 << 60 << "1e+22";
        QTest::newRow("no digits asked for: one") << 2.7 << 0 << "3";
    }

    void plainText() {
        QFETCH(double, value);
        QFETCH(int, significant);
        QTEST(numbers::plain(value, significant), "shown");
    }

    // The payment routine as the worksheet calls it (no adjustments, 30 days to the first payment) at its edges;
    // its ordinary figures are the worksheet's worked table.
    void payment_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("months");
        QTest::addColumn<double>("rate");
        QTest::addColumn<QString>("shown"); // "0.00" from a payment that cannot be computed
        QTest::newRow("one month at 6 %") << 1500.0 << 1.0 << 6.0 << "1507.50";
        QTest::newRow("nothing to finance") << 0.0 << 60.0 << 6.0 << "0.00";
        QTest::newRow("no term") << 1500.0 << 0.0 << 0.0 << "";
        QTest::newRow("negative term") << 1500.0 << -12.0 << 6.0 << "";
        QTest::newRow("minus 1200 per cent") << 1500.0 << 60.0 << -1200.0 << "";
    }

    void payment() {
        QFETCH(double, amount);
        QFETCH(double, months);
        QFETCH(double, rate);
        QFETCH(QString, shown);
        Currency a = *Currency::fromDouble(amount), n = *Currency::fromDouble(months), r = *Currency::fromDouble(rate);
        Currency adjustA, days = *Currency::fromDouble(30), adjustB;
        bool ok = shown.isEmpty();
        const QString text = payment::calculate(a, n, r, adjustA, days, adjustB, &ok);
        QCOMPARE(ok, !shown.isEmpty());
        QCOMPARE(numbers::formatMoney(numbers::val(text)), shown.isEmpty() ? QStringLiteral("0.00") : shown);
    }
};

QTEST_GUILESS_MAIN(MoneyTest)
#include "money_test.moc"
