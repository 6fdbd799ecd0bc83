// Reading numbers and money text: known answers for the rules a user meets (core/fuzz runs them at scale).

#include "core/money/numbers.h"

#include <QtTest>
#include <clocale>

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
        // The program takes the C library's locale from the system's: here one with a decimal comma.
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
};

QTEST_GUILESS_MAIN(MoneyTest)
#include "money_test.moc"
