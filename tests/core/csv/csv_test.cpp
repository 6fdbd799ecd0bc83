// The catalogue as a CSV file: what is written, what is read back, and the problems a bad file reports.

#include "core/csv/csv.h"
#include "core/money/numbers.h"
#include "core/report/productreport.h"
#include "core/store/productcsv.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
const QByteArray kHeader = "id,aftermarketname,cost,msrp,description,htmlpath,picturepath,installer,phone,notes\r\n";

Product product(const QString &name, double cost, double msrp, const QString &notes = QString()) {
    return {0, name, cost, msrp, {}, {}, {}, {}, {}, notes};
}
} // namespace

class CsvTest : public QObject {
    Q_OBJECT
private slots:
    void writtenFileIsPlainRfc4180() {
        const Product p{12,         "Tire & Wheel, \"Gold\"", 1250, -5, {}, {}, {}, "In-house",
                        "555-0100", "Line one\r\nLine two"};
        const Product q{13, "Rounded", 19.999, 0, " padded ", "lone\rbreak", "@pic", {}, {}, {}};
        QCOMPARE(productcsv::write({p, q}),
                 "\xEF\xBB\xBF" + kHeader +
                     "12,\"Tire & Wheel, \"\"Gold\"\"\",1250.00,-5.00,,,,In-house,555-0100,\"Line one\r\nLine two\"\r\n"
                     "13,Rounded,20.00,0.00,\" padded \",\"lone\rbreak\",'@pic,,,\r\n");
        QCOMPARE(productcsv::read(productcsv::write({p})).products.value(0).id, 0); // drawn by whoever stores it
    }

    void readingAcceptsWhatSpreadsheetsWrite() {
        // A byte-order mark, columns in any order and case, `id` but no `cost`, blank lines and empty rows,
        // lone LF and CR inside a field, blanks and tabs around texts, no final line break.
        const QByteArray file = "\xEF\xBB\xBF"
                                " Notes ,MSRP,AftermarketName, id \n"
                                "\"one\ntwo\rthree\",\" $1,250.00 \",  Paint Protection  ,x\n"
                                "\n"
                                "   \n"
                                ",,,\r\n"
                                "\"\tkept\t\",,\"  Window Tint \",\r\n"
                                "\tunquoted\t,,Etch,";
        const productcsv::ReadResult r = productcsv::read(file);
        QCOMPARE(productcsv::problemsMessage(r.problems), QString());
        QCOMPARE(productcsv::read(file.mid(3)).products, r.products); // the same without the byte-order mark
        QCOMPARE(r.products,
                 QVector<Product>({product(QStringLiteral("Paint Protection"), 0, 1250, "one\r\ntwo\r\nthree"),
                                   product(QStringLiteral("Window Tint"), 0, 0, "\tkept\t"),
                                   product(QStringLiteral("Etch"), 0, 0, "\tunquoted\t")}));
    }

    // Each export defuses a text a spreadsheet would run as a formula with an apostrophe; amounts stay numbers.
    void everyExportDefusesFormulas() {
        const QStringList risky = {"=HYPERLINK(\"http://x\")", "+1 555", "-cmd", "@SUM(A1)", "\tTab", "\r\nBreak"};
        QVector<Product> products;
        QVector<DealSummary> deals;
        ProductReport report;
        for (const QString &text : risky) {
            products.append(product(text, -5, 0));
            DealSummary deal;
            deal.particulars.customer = text;
            deal.amountFinanced = -5;
            deals.append(deal);
            report.lines.append({text, 1, 1, -5, -5});
        }
        for (const QByteArray &file :
             {productcsv::write(products), history::exportFile(deals), report::exportFile(report)}) {
            QVERIFY(file.startsWith("\xEF\xBB\xBF"));
            QList<QStringList> rows;
            csv::read(
                file, [&rows](int, const QStringList &fields) { return rows.append(fields), true; },
                [](const csv::Problem &problem) { QFAIL(qPrintable(problem.what)); });
            QCOMPARE(rows.size(), 1 + risky.size());
            for (int i = 0; i < risky.size(); ++i) {
                QVERIFY2(rows[i + 1].contains(u'\'' + risky[i]), qPrintable(rows[i + 1].join(u'|')));
                QVERIFY(rows[i + 1].contains(u"-5.00"_s));
            }
        }
    }

    void badFilesNameLineAndField_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("quoted fields spanning lines")
            << kHeader + "1,Paint,1,2,\"a\r\nb\r\nc\",,,,,\r\n" + "2,Tint,1,2,,,,,,\"x\ny\"\n" + "\n" +
                   "3,Etch,$,2,,,,,,\r\n"
            << "Line 8, cost: \"$\" is not an amount.";
        QTest::newRow("first field spanning lines")
            << QByteArray("notes,aftermarketname,cost\r\n\"a\r\nb\",Paint,x\r\n")
            << "Line 2, cost: \"x\" is not an amount.";
        QTest::newRow("old Mac line ends")
            << QByteArray("aftermarketname,cost\rPaint,1\rTint,x\r") << "Line 3, cost: \"x\" is not an amount.";
        QTest::newRow("every problem of every line")
            << kHeader + "1,  ,1.2.3,2,,,,,,\r\n" + "2,Tint,1,2,,,,,\r\n" + "3,Etch,1,2,,,,,,,\r\n"
            << "Line 2, aftermarketname: the name is empty.\n"
               "Line 2, cost: \"1.2.3\" is not an amount.\n"
               "Line 3: the line has 9 fields where the header has 10.\n"
               "Line 4: the line has 11 fields where the header has 10.";
        QTest::newRow("below zero, too many digits")
            << kHeader + "1,Paint,($1.00),2,,,,,,\r\n" + "2,Tint,1,10000000000000.00,,,,,,\r\n"
            << "Line 2, cost: \"($1.00)\" is below zero; a cost or MSRP cannot be.\n"
               "Line 3, msrp: \"10000000000000.00\" has more digits than an amount keeps (at most "
               "9,999,999,999,999.99).";
        QTest::newRow("blank lines only") << QByteArray("\xEF\xBB\xBF\r\n  \r\n") << "The file is empty.";
        QTest::newRow("no name column")
            << QByteArray("id,cost\r\n1,2\r\n")
            << "Line 1, aftermarketname: the column is missing; every product needs a name.";
        QTest::newRow("duplicate column") << QByteArray("aftermarketname,cost, COST\r\nPaint,1,2\r\n")
                                          << "Line 1, cost: the column appears more than once.";
        QTest::newRow("unknown column") << QByteArray("aftermarketname,colour\r\nPaint,red\r\n")
                                        << "Line 1, colour: there is no such column (the columns are id, "
                                           "aftermarketname, cost, msrp, description, htmlpath, picturepath, "
                                           "installer, phone, notes).";
        QTest::newRow("not UTF-8") << QByteArray(
                                          "aftermarketname,notes\r\nPaint,ok\r\nSchutzfolie f\xFCr T\xFCren,ok\r\n")
                                   << "Line 3, aftermarketname: the text is not UTF-8; save the file as UTF-8 "
                                      "(\"CSV UTF-8\") and import it again.";
        QTest::newRow("stray quote") << QByteArray("aftermarketname,notes\r\nPaint,ok\r\nWheel,12\" locks\r\n")
                                     << "Line 3, notes: a quote is out of place: a field holding quotes must be put in "
                                        "quotes, and each of its quotes doubled.";
        QTest::newRow("quote never closed")
            << QByteArray("aftermarketname,notes\r\nPaint,\"open\r\nWheel,ok\r\n")
            << "Line 2, notes: a quoted field is never closed (its closing quote is missing).";
        // Ten problems are told, then how many more.
        for (const auto &[count, more] :
             {std::pair{10, ""}, {11, "\n… and 1 more problem."}, {12, "\n… and 2 more problems."}}) {
            QByteArray file = kHeader;
            QStringList told;
            for (int line = 2; line < 2 + count; ++line) {
                file += "1,,1,2,,,,,,\r\n";
                if (line < 12)
                    told << u"Line %1, aftermarketname: the name is empty."_s.arg(line);
            }
            QTest::addRow("%d empty names", count) << file << told.join(u'\n') + QString::fromUtf8(more);
        }
    }

    void badFilesNameLineAndField() {
        QFETCH(QByteArray, file);
        const productcsv::ReadResult r = productcsv::read(file);
        QTEST(productcsv::problemsMessage(r.problems), "message");
        QVERIFY(!r.ok());
        QCOMPARE(r.products.size(), 0); // all or nothing
    }

    // Whether an amount reads, and as what (0 when it does not).
    void amountForms() {
        const std::tuple<QString, bool, double> rows[] = {
            {"123,456,789.01", true, 123456789.01}, // millions, whole leading group
            {"($1,250.00)", true, -1250.0},         // parenthesised dollars
            {"", true, 0.0},                        // empty
            {"12abc", false, 0.0},                  // letters after
            {"12,50", false, 0.0},                  // decimal comma
            {"1250,000", false, 0.0},               // long group
            {"(-5)", false, 0.0},                   // sign inside parentheses
            {"1234567890123456", false, 0.0}};      // too many digits
        for (const auto &[text, ok, value] : rows) {
            double read = 0;
            QVERIFY2(numbers::readAmount(text, &read) == ok, qPrintable(text));
            QCOMPARE(read, value);
        }
    }

    // One that cannot be written: the catalogue window's full disk.
    void aFileThatCannotBeReadSaysSo() {
        QTemporaryDir dir;
        const productcsv::ReadResult missing = productcsv::readFile(dir.filePath(QStringLiteral("missing.csv")));
        QCOMPARE(missing.problems.size(), 1);
        QVERIFY(missing.problems.at(0).what.startsWith(QStringLiteral("The file cannot be read: ")));
    }
};

QTEST_GUILESS_MAIN(CsvTest)
#include "csv_test.moc"
