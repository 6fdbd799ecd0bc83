// MyPrinter, paragraph wrapping and the twips routines on the recording printer, whose characters are
// 2 mm wide and lines 4 mm high at 10 pt.

#include "print/myprinter.h"
#include "print/printroutines.h"
#include "print/recordingdevice.h"

#include <QTest>

#include <cmath>

// MyPrinter computes in single precision, as the layout was written for: positions compare as floats.
#define QCOMPARE_MM(actual, expected) QCOMPARE(float(actual), float(expected))

using Kind = RecordingDevice::Kind;

namespace {
// A printer whose printable area starts 4.2 mm from the left and top edges (42 pixels at 254 dpi).
struct Inset {
    RecordingDevice device;
    std::unique_ptr<MyPrinter> p;
    Inset() {
        device.setResolution(254);
        device.setPhysicalOffset(42, 42);
        device.setFontSize(10);
        p = std::make_unique<MyPrinter>(device);
    }
    double left(int i) const { return device.texts().at(i).x - p->XOffset(); }
    double top(int i) const { return device.texts().at(i).y - p->YOffset(); }
};
} // namespace

class TestMyPrinter : public QObject {
    Q_OBJECT

private slots:
    void textIsPlacedOnTheSheet();
    void multiLineText_data();
    void multiLineText();
    void rectangles();
    void paragraphWrapping_data();
    void paragraphWrapping();
    void printatWorksInTwips();
};

void TestMyPrinter::textIsPlacedOnTheSheet() {
    Inset s;
    s.device.setPhysicalOffset(100, 100); // measured once, at creation
    QCOMPARE_MM(s.p->XOffset(), -4.2f);
    QCOMPARE_MM(s.p->YOffset(), -4.2f);
    s.p->PrintLeft(20, 46, QStringLiteral("Deal"), 0);
    QCOMPARE_MM(s.device.texts().at(0).x, 15.8);
    QCOMPARE_MM(s.device.texts().at(0).y, 41.8);

    s.p->PrintRight(53, 16, QStringLiteral("Customer: "), 0);
    const auto customer = s.device.texts().at(1);
    QCOMPARE(customer.text, QStringLiteral("Customer: "));
    QCOMPARE_MM(s.left(1) + customer.width, 53.0);

    // A negative coordinate keeps the current position on that axis.
    s.p->CurrentX(12);
    s.p->CurrentY(30);
    s.p->PrintLeft(-1, 40, QStringLiteral("x kept"), 0);
    QCOMPARE_MM(s.left(2), 12.0);
    QCOMPARE_MM(s.top(2), 40.0);
    s.p->CurrentX(70);
    s.p->CurrentY(33);
    s.p->PrintRight(90, -5, QStringLiteral("y kept"), 0);
    QCOMPARE_MM(s.left(3) + s.device.texts().at(3).width, 90.0);
    QCOMPARE_MM(s.top(3), 33.0);
}

void TestMyPrinter::multiLineText_data() {
    QTest::addColumn<float>("spacing");
    QTest::newRow("no extra gap") << 0.0f;
    QTest::newRow("gap of 1.5 mm") << 1.5f;
}

void TestMyPrinter::multiLineText() {
    QFETCH(float, spacing);
    Inset s;
    s.p->LineSpacing(spacing);
    s.p->PrintLeft(30, 50, QStringLiteral("One\r\nTwo  \r\n  Three"), 3);
    QCOMPARE(s.device.texts().size(), 3);
    const QStringList expected{"One", "Two", "Three"};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(s.device.texts().at(i).text, expected.at(i));
        QCOMPARE_MM(s.top(i), 50.0 + i * (4 + spacing));
        QCOMPARE_MM(s.left(i), 30.0 + (i == 0 ? 3 : 0));
    }
}

void TestMyPrinter::rectangles() {
    Inset s;
    s.p->DrawRectangle(20, 45, 60, 7, 0);
    const auto boxes = s.device.operations(Kind::Rectangle);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE_MM(boxes.first().x - s.p->XOffset(), 20.0);
    QCOMPARE_MM(boxes.first().y2 - s.p->YOffset(), 52.0);

    s.p->DrawRectangle(20, 30, 60, 40, 5);
    QCOMPARE(s.device.operations(Kind::Rectangle).size(), 1);
    const auto lines = s.device.operations(Kind::Line);
    const auto arcs = s.device.operations(Kind::Arc);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(arcs.size(), 4);
    const double lengths[4] = {50, 30, 50, 30}; // top, right, bottom, left
    for (int i = 0; i < 4; ++i) {
        QCOMPARE_MM(std::hypot(lines.at(i).x2 - lines.at(i).x, lines.at(i).y2 - lines.at(i).y), lengths[i]);
        QCOMPARE(arcs.at(i).radius, 5.0);
    }
    QCOMPARE(s.p->CurrentX(), 80.0f);
    QCOMPARE(s.p->CurrentY(), 70.0f);
}

void TestMyPrinter::paragraphWrapping_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("length");
    QTest::addColumn<float>("indent");
    QTest::addColumn<QStringList>("lines");
    // Words "ab" with their blank take 6 mm: 53 mm holds 8 of them, 58 mm holds 9.
    const QString ab = QStringLiteral("ab ");
    QTest::newRow("indent 5, length 58") << ab.repeated(30).trimmed() << 58.0f << 5.0f
                                         << QStringList{ab.repeated(8).trimmed(), ab.repeated(9).trimmed(),
                                                        ab.repeated(9).trimmed(), ab.repeated(4).trimmed()};
    QTest::newRow("after a hyphen") << "a well-known name" << 20.0f << 0.0f << QStringList{"a well-", "known name"};
    QTest::newRow("after a slash") << "choose either/or now" << 28.0f << 0.0f
                                   << QStringList{"choose either/", "or now"};
    QTest::newRow("never inside a word") << "a wellknown name" << 16.0f << 0.0f
                                         << QStringList{"a", "wellknown", "name"};
    QTest::newRow("over-long first word")
        << "Supercalifragilistic is long" << 20.0f << 0.0f << QStringList{"Supercalifragilistic", "is long"};
    QTest::newRow("over-long middle word")
        << "an extraordinarily long" << 20.0f << 0.0f << QStringList{"an", "extraordinarily", "long"};
    QTest::newRow("over-long hyphenated word")
        << "Undercoating-protection" << 20.0f << 0.0f << QStringList{"Undercoating-", "protection"};
    QTest::newRow("length shorter than the indent") << "ab cd" << 3.0f << 5.0f << QStringList{"ab", "cd"};
    QTest::newRow("no length") << "ab cd" << 0.0f << 0.0f << QStringList{"ab", "cd"};
    QTest::newRow("line breaks in the text survive")
        << "Oil Change\r\n$29.95\r\n\r\nSynthetic oil and filter with a free top-up of all fluids" << 58.0f << 0.0f
        << QStringList{"Oil Change", "$29.95", "", "Synthetic oil and filter", "with a free top-up of all", "fluids"};
}

void TestMyPrinter::paragraphWrapping() {
    QFETCH(QString, text);
    QFETCH(float, length);
    QFETCH(float, indent);
    QFETCH(QStringList, lines);
    Inset s;
    QCOMPARE(s.p->wrap(text, length, indent).split(QStringLiteral("\r\n")), lines);
    // Printed line by line below one another; an empty line keeps its place.
    s.p->Paragraph(22, 54, length, text, indent);
    int k = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i).isEmpty())
            continue;
        QCOMPARE(s.device.texts().at(k).text, lines.at(i));
        QCOMPARE_MM(s.top(k), 54.0 + 4 * i);
        QCOMPARE_MM(s.left(k), 22.0 + (i == 0 ? indent : 0));
        ++k;
    }
    QCOMPARE(s.device.texts().size(), k);
}

void TestMyPrinter::printatWorksInTwips() {
    RecordingDevice device;
    printroutines::printat(device, 10, 15);
    QCOMPARE_MM(device.currentX(), 567.0);
    QCOMPARE_MM(device.currentY(), 850.5);
}

#include "tst_myprinter.moc"

int runMyPrinterTests(int argc, char **argv) {
    TestMyPrinter test;
    return QTest::qExec(&test, argc, argv);
}
