// Paragraph wrapping and justified text on the recording printer, whose characters all have one width.

#include "print/myprinter.h"
#include "print/recordingdevice.h"

#include "printtestsupport.h"

#include <QTest>

namespace {
// At `points`, a character is 0.2 mm per point wide: 10 pt gives 2 mm, 2.5 pt gives 0.5 mm.
struct Page {
    RecordingDevice device;
    std::unique_ptr<MyPrinter> p;
    explicit Page(double points = 10) {
        device.setResolution(254);
        device.setPhysicalOffset(42, 42);
        p = std::make_unique<MyPrinter>(device);
        device.setFontSize(points);
    }
    QStringList printedLines() const {
        QStringList out;
        for (const auto &op : device.texts())
            out << op.text;
        return out;
    }
};

QStringList wrapped(const MyPrinter &p, const QString &text, float length, float indent) {
    return p.wrap(text, length, indent).split(QStringLiteral("\r\n"));
}
} // namespace

class TestParagraph : public QObject {
    Q_OBJECT

private slots:
    void firstLineAllowsLengthLessIndent();
    void allowedWidthIsWholeMillimetres_data();
    void allowedWidthIsWholeMillimetres();
    void breaksOnlyAfterBlankHyphenOrSlash_data();
    void breaksOnlyAfterBlankHyphenOrSlash();
    void overLongWordGetsALineOfItsOwn_data();
    void overLongWordGetsALineOfItsOwn();
    void alwaysConsumesItsText_data();
    void alwaysConsumesItsText();
    void lineBreaksInTheTextSurvive();
    void printsLinesBelowOneAnother();
    void justificationChoosesTheAlignment_data();
    void justificationChoosesTheAlignment();
    void fullJustificationStretchesFullLines();
    void fullJustificationLeavesShortLastAndGaplessLines();
    void fullJustificationOfOneLineIsPlain();
};

void TestParagraph::firstLineAllowsLengthLessIndent() {
    Page page;
    // Words of 3 characters with their blank: 6 mm each. 53 mm holds 8 of them (48), 58 mm holds 9 (54).
    const QString text = QStringLiteral("ab ").repeated(30).trimmed();
    const QStringList lines = wrapped(*page.p, text, 58, 5);
    QCOMPARE(lines.at(0), QStringLiteral("ab ").repeated(8).trimmed());
    QCOMPARE(lines.at(1), QStringLiteral("ab ").repeated(9).trimmed());
    QCOMPARE(lines.at(2), QStringLiteral("ab ").repeated(9).trimmed());
    QCOMPARE(lines.at(3), QStringLiteral("ab ").repeated(4).trimmed());
    QCOMPARE(lines.size(), 4);
}

void TestParagraph::allowedWidthIsWholeMillimetres_data() {
    // At 0.5 mm a character: a first word of 110 letters and its blank (55.5 mm), then a second word.
    QTest::addColumn<float>("length");
    QTest::addColumn<int>("secondWord");
    QTest::addColumn<bool>("oneLine");
    QTest::newRow("58 mm exactly fits 58") << 58.0f << 5 << true;
    QTest::newRow("58.5 mm rounds down to 58") << 58.5f << 6 << false;
    QTest::newRow("57.5 mm rounds up to 58") << 57.5f << 5 << true;
    QTest::newRow("59.5 mm rounds up to 60") << 59.5f << 9 << true;
    QTest::newRow("58.4 mm is 58") << 58.4f << 6 << false;
}

void TestParagraph::allowedWidthIsWholeMillimetres() {
    QFETCH(float, length);
    QFETCH(int, secondWord);
    QFETCH(bool, oneLine);
    Page page(2.5);
    const QString text = QString(110, QLatin1Char('x')) + QLatin1Char(' ') + QString(secondWord, QLatin1Char('y'));
    QCOMPARE(wrapped(*page.p, text, length, 0).size(), oneLine ? 1 : 2);
}

void TestParagraph::breaksOnlyAfterBlankHyphenOrSlash_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("length");
    QTest::addColumn<QStringList>("lines");
    // 2 mm a character.
    QTest::newRow("after a hyphen") << "a well-known name" << 20.0f << QStringList{"a well-", "known name"};
    QTest::newRow("after a slash") << "choose either/or now" << 28.0f << QStringList{"choose either/", "or now"};
    QTest::newRow("the hyphen stays with its word") << "x-ray" << 4.0f << QStringList{"x-", "ray"};
    QTest::newRow("never inside a word") << "a wellknown name" << 16.0f << QStringList{"a", "wellknown", "name"};
    QTest::newRow("everything fits") << "short text" << 58.0f << QStringList{"short text"};
    QTest::newRow("separator counts in the width") << "abcd efgh ijk" << 18.0f << QStringList{"abcd", "efgh ijk"};
}

void TestParagraph::breaksOnlyAfterBlankHyphenOrSlash() {
    QFETCH(QString, text);
    QFETCH(float, length);
    QFETCH(QStringList, lines);
    Page page;
    QCOMPARE(wrapped(*page.p, text, length, 0), lines);
}

void TestParagraph::overLongWordGetsALineOfItsOwn_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    // 20 mm lines, 2 mm characters: 10 characters fit.
    QTest::newRow("first word too wide") << "Supercalifragilistic is long"
                                         << QStringList{"Supercalifragilistic", "is long"};
    QTest::newRow("word too wide in the middle")
        << "an extraordinarily long" << QStringList{"an", "extraordinarily", "long"};
    QTest::newRow("only one word") << "Undercoating-protection" << QStringList{"Undercoating-", "protection"};
    QTest::newRow("two wide words in a row")
        << "Rustproofing Undercoating" << QStringList{"Rustproofing", "Undercoating"};
}

void TestParagraph::overLongWordGetsALineOfItsOwn() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    Page page;
    QCOMPARE(wrapped(*page.p, text, 20, 0), lines);
}

void TestParagraph::alwaysConsumesItsText_data() {
    QTest::addColumn<float>("length");
    QTest::addColumn<float>("indent");
    QTest::newRow("ordinary") << 58.0f << 0.0f;
    QTest::newRow("length shorter than the indent") << 3.0f << 5.0f;
    QTest::newRow("no length") << 0.0f << 0.0f;
    QTest::newRow("negative length") << -10.0f << 0.0f;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 0.0f;
    QTest::newRow("endless length") << std::numeric_limits<float>::infinity() << 0.0f;
}

void TestParagraph::alwaysConsumesItsText() {
    QFETCH(float, length);
    QFETCH(float, indent);
    Page page;
    const QString text = QStringLiteral("Paint protection keeps the finish like new - front/rear   for five years.");
    const QString result = page.p->wrap(text, length, indent);
    // Every character comes out, in order; only blanks at line ends and the breaks differ.
    QString flat = result;
    flat.remove(QStringLiteral("\r\n")).remove(QLatin1Char(' '));
    QString expected = text;
    expected.remove(QLatin1Char(' '));
    QCOMPARE(flat, expected);
    page.p->Paragraph(10, 10, length, text, indent);
    QVERIFY(!page.device.texts().isEmpty());
}

void TestParagraph::lineBreaksInTheTextSurvive() {
    Page page;
    const QString text =
        QStringLiteral("Oil Change\r\n$29.95\r\n\r\nSynthetic oil and filter with a free top-up of all fluids");
    page.p->Paragraph(22, 54, 58, text, 0);
    const auto texts = page.device.texts();
    QCOMPARE(page.printedLines(),
             QStringList({"Oil Change", "$29.95", "Synthetic oil and filter", "with a free top-up of all", "fluids"}));
    // The blank line keeps its place: the description starts three lines down, and wraps on its own width.
    QCOMPARE_MM(texts.at(2).y - page.p->YOffset(), 54.0 + 3 * 4);
    QCOMPARE_MM(texts.at(3).y - page.p->YOffset(), 54.0 + 4 * 4);
    QCOMPARE_MM(texts.at(4).y - page.p->YOffset(), 54.0 + 5 * 4);
}

void TestParagraph::printsLinesBelowOneAnother() {
    Page page;
    page.p->LineSpacing(1);
    page.p->Paragraph(22, 54, 20, QStringLiteral("one two three four"), 6);
    const auto texts = page.device.texts();
    QCOMPARE(page.printedLines(), QStringList({"one", "two three", "four"}));
    QCOMPARE_MM(texts.at(0).x - page.p->XOffset(), 28.0);
    QCOMPARE_MM(texts.at(1).x - page.p->XOffset(), 22.0);
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE_MM(texts.at(i).y - page.p->YOffset(), 54.0 + i * 5);
}

void TestParagraph::justificationChoosesTheAlignment_data() {
    QTest::addColumn<int>("justification");
    QTest::addColumn<QList<double>>("starts"); // of "one" (6 mm) and "twothree" (16 mm) on the sheet
    QTest::newRow("left") << 0 << QList<double>{40, 40};
    QTest::newRow("right") << 1 << QList<double>{34, 24};
    QTest::newRow("centre") << 2 << QList<double>{37, 32};
    QTest::newRow("unknown value is left") << 9 << QList<double>{40, 40};
}

void TestParagraph::justificationChoosesTheAlignment() {
    QFETCH(int, justification);
    QFETCH(QList<double>, starts);
    Page page;
    page.p->Justification(justification);
    page.p->Paragraph(40, 10, 20, QStringLiteral("one twothree"), 0);
    const auto texts = page.device.texts();
    QCOMPARE(texts.size(), 2);
    QCOMPARE_MM(texts.at(0).x - page.p->XOffset(), starts.at(0));
    QCOMPARE_MM(texts.at(1).x - page.p->XOffset(), starts.at(1));
}

void TestParagraph::fullJustificationStretchesFullLines() {
    Page page;
    page.p->Justification(3);
    // 40 mm lines: "aaaa bbbb cccc dd" is 34 mm (85%), so it is stretched; "eeee" ends the paragraph.
    page.p->Paragraph(20, 30, 40, QStringLiteral("aaaa bbbb cccc dd eeee"), 0);
    const auto texts = page.device.texts();
    QStringList words;
    for (const auto &op : texts)
        words << op.text;
    QCOMPARE(words, QStringList({"aaaa", "bbbb", "cccc", "dd", "eeee"}));
    const double x0 = page.p->XOffset();
    QCOMPARE_MM(texts.at(0).x - x0, 20.0);
    // Three gaps share the 6 mm left over: each blank becomes 2 + 2 mm.
    QCOMPARE_MM(texts.at(1).x - x0, 32.0);
    QCOMPARE_MM(texts.at(2).x - x0, 44.0);
    QCOMPARE_MM(texts.at(3).x - x0 + texts.at(3).width, 60.0);
    for (int i = 0; i < 4; ++i)
        QCOMPARE_MM(texts.at(i).y - page.p->YOffset(), 30.0);
    QCOMPARE_MM(texts.at(4).x - x0, 20.0);
    QCOMPARE_MM(texts.at(4).y - page.p->YOffset(), 34.0);
}

void TestParagraph::fullJustificationLeavesShortLastAndGaplessLines() {
    Page page;
    // 40 mm: line 0 fills 70% exactly (28 mm) and stays; line 1 has no gap; line 2 is the last.
    page.p->PrintFull(20, 30, QStringLiteral("aaaa bbbb cccc\r\nabcdefghijklmnopqr\r\nxx yy"), 40, 0);
    QStringList lines;
    for (const auto &op : page.device.texts())
        lines << op.text;
    QCOMPARE(lines, QStringList({"aaaa bbbb cccc", "abcdefghijklmnopqr", "xx yy"}));
    const auto texts = page.device.texts();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE_MM(texts.at(i).x - page.p->XOffset(), 20.0);
        QCOMPARE_MM(texts.at(i).y - page.p->YOffset(), 30.0 + 4 * i);
    }
}

void TestParagraph::fullJustificationOfOneLineIsPlain() {
    Page page;
    page.p->PrintFull(20, 30, QStringLiteral("aaaa bbbb cccc dd"), 40, 3);
    QCOMPARE(page.printedLines(), QStringList({"aaaa bbbb cccc dd"}));
    QCOMPARE_MM(page.device.texts().first().x - page.p->XOffset(), 23.0);
}

#include "tst_paragraph.moc"

int runParagraphTests(int argc, char **argv) {
    TestParagraph test;
    return QTest::qExec(&test, argc, argv);
}
