// Reading numbers and money text: how a typed text is read, what the robustness run in core/fuzz cannot tell from
// its rules (which way a half cent rounds, every digit of a large amount), and reading under a decimal comma.

#include "core/money/numbers.h"
#include "coresupport.h"

#include <QtTest>
#include <clocale>

class MoneyTest : public QObject {
    Q_OBJECT
private slots:
    // What a user types, the number read from it (its leading number, blanks anywhere, an exponent with E or D;
    // nothing when too large), and that number as money.
    void typedAmountsShownAsMoney() {
        const std::tuple<QString, double, QString> rows[] = {
            {"2.675", 2.675, "2.68"},                           // half away from zero
            {"0.005", 0.005, "0.01"},                           // half a cent below one
            {"1e20", 1e20, "100000000000000000000.00"},         // large, every digit
            {" \t- 1 2 . 5 e 0 1\r\n", -125.0, "-125.00"},      // blanks anywhere
            {"+.5d+1x", 5.0, "5.00"},                           // a D exponent, then letters
            {"1e999", 0.0, "0.00"},                             // too large
            {"\uff11\uff12", 0.0, "0.00"},                      // digits of another script
            {"1" + QString(400, u'0') + "e-400", 1.0, "1.00"}}; // a long run of digits
        for (const auto &[typed, value, money] : rows) {
            QCOMPARE(numbers::val(typed), value);
            QCOMPARE(numbers::formatMoney(value), money);
        }
    }

    void numbersReadAPointWhereTheSystemWritesAComma() {
        // The program takes the C library's locale from the system's: here one with a decimal comma.
        QTemporaryDir dir;
        const QString definition = dir.filePath(QStringLiteral("comma.def"));
        QVERIFY(coretest::writeBytes(
            definition, "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n"));
        QProcess::execute(QStringLiteral("localedef"),
                          {QStringLiteral("-c"), QStringLiteral("-i"), definition, QStringLiteral("-f"),
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
