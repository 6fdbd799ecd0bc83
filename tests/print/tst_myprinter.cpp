// MyPrinter on the recording printer: where text, boxes and pictures land on the sheet.

#include "print/myprinter.h"
#include "print/recordingdevice.h"

#include "printtestsupport.h"

#include <QTest>

using Kind = RecordingDevice::Kind;

namespace {
// A printer whose printable area starts 4.2 mm from the left and top edges (42 pixels at 254 dpi).
// On the recording printer a 10 pt character is 2 mm wide and a line 4 mm high.
std::unique_ptr<RecordingDevice> insetPrinter() {
    auto device = std::make_unique<RecordingDevice>();
    device->setResolution(254);
    device->setPhysicalOffset(42, 42);
    device->setFontSize(10);
    return device;
}
} // namespace

class TestMyPrinter : public QObject {
    Q_OBJECT

private slots:
    void offsetsComeFromThePrintableArea_data();
    void offsetsComeFromThePrintableArea();
    void offsetsAreMeasuredOnceAtCreation();
    void creationMovesToTheSheetCorner();
    void textLandsOnTheSheetNotThePrintableArea();
    void alignedTextEndsOrCentresOnX_data();
    void alignedTextEndsOrCentresOnX();
    void customerLabelEndsAt53();
    void linesOfAMultiLineText_data();
    void linesOfAMultiLineText();
    void lineSplitting_data();
    void lineSplitting();
    void negativeCoordinatesKeepThePosition();
    void negativeYLetsLinesFollowOneAnother();
    void coolTextMarksItalicsAndClearsBold();
    void squareRectangleIsOneBox();
    void roundedRectangleHasShorterEdgesAndFourCorners();
    void pictureSize_data();
    void pictureSize();
    void newPageReturnsToTheSheetCorner();
    void settingsKeepTheirRules();
    void currentPositionIsOnTheSheet();
    void badNumbersDoNotMoveThePrinter();
};

void TestMyPrinter::offsetsComeFromThePrintableArea_data() {
    QTest::addColumn<int>("pixelsX");
    QTest::addColumn<int>("pixelsY");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<float>("xOffset");
    QTest::addColumn<float>("yOffset");
    QTest::newRow("4.2 mm at 254 dpi") << 42 << 42 << 254 << -4.2f << -4.2f;
    QTest::newRow("whole sheet printable") << 0 << 0 << 600 << 0.0f << 0.0f;
    QTest::newRow("quarter inch by eighth at 600 dpi") << 150 << 75 << 600 << -6.35f << -3.175f;
    QTest::newRow("no resolution reported") << 42 << 42 << 0 << 0.0f << 0.0f;
}

void TestMyPrinter::offsetsComeFromThePrintableArea() {
    QFETCH(int, pixelsX);
    QFETCH(int, pixelsY);
    QFETCH(int, dpi);
    QFETCH(float, xOffset);
    QFETCH(float, yOffset);
    struct ZeroDpiDevice : RecordingDevice {
        int reported = 0;
        int logPixelsX() const override { return reported; }
        int logPixelsY() const override { return reported; }
    } device;
    device.reported = dpi;
    device.setPhysicalOffset(pixelsX, pixelsY);
    MyPrinter p(device);
    QCOMPARE_MM(p.XOffset(), xOffset);
    QCOMPARE_MM(p.YOffset(), yOffset);
}

void TestMyPrinter::offsetsAreMeasuredOnceAtCreation() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    device->setPhysicalOffset(100, 100);
    QCOMPARE_MM(p.XOffset(), -4.2f);
    QCOMPARE_MM(p.YOffset(), -4.2f);
}

void TestMyPrinter::creationMovesToTheSheetCorner() {
    auto device = insetPrinter();
    device->setCurrentX(500);
    MyPrinter p(*device);
    QCOMPARE(device->scaleMode(), PrinterDevice::ScaleMode::Millimetres);
    QCOMPARE_MM(device->currentX(), -4.2);
    QCOMPARE_MM(device->currentY(), -4.2);
    QCOMPARE(p.CurrentX(), 0.0f);
}

void TestMyPrinter::textLandsOnTheSheetNotThePrintableArea() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    p.PrintLeft(20, 46, QStringLiteral("Deal"), 0);
    QCOMPARE(device->texts().size(), 1);
    const auto op = device->texts().first();
    QCOMPARE_MM(op.x, 15.8);
    QCOMPARE_MM(op.y, 41.8);
    QCOMPARE_MM(p.XOffset(), -4.2f);
    // The printer moved on to the next line, at the printable area's left edge.
    QCOMPARE_MM(device->currentX(), 0.0);
    QCOMPARE_MM(device->currentY(), 41.8 + 4);
}

void TestMyPrinter::alignedTextEndsOrCentresOnX_data() {
    QTest::addColumn<int>("alignment"); // 0 left, 1 right, 2 centre
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("indent");
    QTest::addColumn<double>("expectedStart"); // on the sheet
    QTest::newRow("left") << 0 << "ABCDE" << 0.0f << 40.0;
    QTest::newRow("left with indent") << 0 << "ABCDE" << 5.0f << 45.0;
    QTest::newRow("right") << 1 << "ABCDE" << 0.0f << 30.0;
    QTest::newRow("right with indent") << 1 << "ABCDE" << 5.0f << 35.0;
    QTest::newRow("centre") << 2 << "ABCDE" << 0.0f << 35.0;
    QTest::newRow("right keeps blanks") << 1 << " AB " << 0.0f << 32.0;
    QTest::newRow("empty text") << 1 << "" << 0.0f << 40.0;
}

void TestMyPrinter::alignedTextEndsOrCentresOnX() {
    QFETCH(int, alignment);
    QFETCH(QString, text);
    QFETCH(float, indent);
    QFETCH(double, expectedStart);
    auto device = insetPrinter();
    MyPrinter p(*device);
    if (alignment == 0)
        p.PrintLeft(40, 10, text, indent);
    else if (alignment == 1)
        p.PrintRight(40, 10, text, indent);
    else
        p.PrintCentre(40, 10, text, indent);
    // Where the printer was put for the line, whether or not it had anything to draw.
    if (text.isEmpty()) {
        QCOMPARE(device->texts().size(), 0);
        return;
    }
    QCOMPARE_MM(device->texts().first().x - p.XOffset(), expectedStart);
    QCOMPARE(device->texts().first().text, text);
}

void TestMyPrinter::customerLabelEndsAt53() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    p.PrintRight(53, 16, QStringLiteral("Customer: "), 0);
    const auto op = device->texts().first();
    QCOMPARE(op.text, QStringLiteral("Customer: "));
    QCOMPARE_MM(op.x - p.XOffset() + op.width, 53.0);
    QCOMPARE_MM(op.width, p.TextWidth(QStringLiteral("Customer: ")));
}

void TestMyPrinter::linesOfAMultiLineText_data() {
    QTest::addColumn<float>("spacing");
    QTest::addColumn<float>("indent");
    QTest::newRow("no extra gap") << 0.0f << 0.0f;
    QTest::newRow("gap of 1.5 mm") << 1.5f << 0.0f;
    QTest::newRow("first line indented") << 0.0f << 3.0f;
}

void TestMyPrinter::linesOfAMultiLineText() {
    QFETCH(float, spacing);
    QFETCH(float, indent);
    auto device = insetPrinter();
    MyPrinter p(*device);
    p.LineSpacing(spacing);
    p.PrintLeft(30, 50, QStringLiteral("One\r\nTwo  \r\n  Three"), indent);
    const auto texts = device->texts();
    QCOMPARE(texts.size(), 3);
    const float height = p.TextHeight(QStringLiteral("One"));
    QCOMPARE(height, 4.0f);
    QStringList printed;
    for (int i = 0; i < 3; ++i) {
        printed << texts.at(i).text;
        QCOMPARE_MM(texts.at(i).y - p.YOffset(), 50.0 + i * (height + spacing));
        QCOMPARE_MM(texts.at(i).x - p.XOffset(), 30.0 + (i == 0 ? indent : 0));
    }
    QCOMPARE(printed, QStringList({"One", "Two", "Three"}));
}

void TestMyPrinter::lineSplitting_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no break") << " one line " << QStringList{"one line"};
    QTest::newRow("CR LF") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("lone CR") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("lone LF is not a break") << "a\nb\r\nc" << QStringList{"a\nb", "c"};
    QTest::newRow("blank lines survive") << "a\r\n\r\n\r\nb" << QStringList{"a", "", "", "b"};
    QTest::newRow("trailing break gives an empty line") << "a\r\n" << QStringList{"a", ""};
    QTest::newRow("blanks around lines") << "  a  \r\n  b  " << QStringList{"a", "b"};
    QTest::newRow("tabs are kept") << "\ta\t" << QStringList{"\ta\t"};
}

void TestMyPrinter::lineSplitting() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    const int breaks = MyPrinter::lineBreaks(text);
    QCOMPARE(breaks + 1, int(lines.size()));
    QStringList got;
    for (int i = 0; i <= breaks; ++i)
        got << MyPrinter::lineOf(text, i);
    QCOMPARE(got, lines);
    QCOMPARE(MyPrinter::lineOf(text, breaks + 5), QString());
}

void TestMyPrinter::negativeCoordinatesKeepThePosition() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    p.CurrentX(12);
    p.CurrentY(30);
    p.PrintLeft(-1, 40, QStringLiteral("x kept"), 0);
    p.CurrentX(70);
    p.CurrentY(33);
    p.PrintRight(90, -5, QStringLiteral("y kept"), 0);
    const auto texts = device->texts();
    QCOMPARE_MM(texts.at(0).x - p.XOffset(), 12.0);
    QCOMPARE_MM(texts.at(0).y - p.YOffset(), 40.0);
    QCOMPARE_MM(texts.at(1).x - p.XOffset() + texts.at(1).width, 90.0);
    QCOMPARE_MM(texts.at(1).y - p.YOffset(), 33.0);
}

void TestMyPrinter::negativeYLetsLinesFollowOneAnother() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    p.LineSpacing(2); // the printer's own advance knows nothing of the extra gap
    p.CurrentY(60);
    p.PrintLeft(25, -1, QStringLiteral("a\r\nb\r\nc"), 0);
    const auto texts = device->texts();
    QCOMPARE(texts.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE_MM(texts.at(i).y - p.YOffset(), 60.0 + 4 * i);
        QCOMPARE_MM(texts.at(i).x - p.XOffset(), 25.0);
    }
}

void TestMyPrinter::coolTextMarksItalicsAndClearsBold() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    p.FontBold(true);
    p.PrintLeftcool(10, 10, QStringLiteral("~Note\r\nPlain\r\n~Aside"), 0);
    const auto texts = device->texts();
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts.at(0).text, QStringLiteral("Note"));
    QCOMPARE(texts.at(0).font.italic, true);
    QCOMPARE(texts.at(0).font.bold, true);
    QCOMPARE(texts.at(1).text, QStringLiteral("Plain"));
    QCOMPARE(texts.at(1).font.italic, false);
    QCOMPARE(texts.at(1).font.bold, false);
    QCOMPARE(texts.at(2).font.italic, true);
    QCOMPARE(p.FontBold(), false);
    QCOMPARE(p.FontItalic(), false);

    // One line: the marker is read from the text as given.
    p.FontItalic(true);
    p.PrintLeftcool(10, 30, QStringLiteral("Single"), 0);
    QCOMPARE(device->texts().last().font.italic, false);
}

void TestMyPrinter::squareRectangleIsOneBox() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    p.DrawRectangle(20, 45, 60, 7, 0);
    const auto boxes = device->operations(Kind::Rectangle);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE_MM(boxes.first().x - p.XOffset(), 20.0);
    QCOMPARE_MM(boxes.first().y - p.YOffset(), 45.0);
    QCOMPARE_MM(boxes.first().x2 - p.XOffset(), 80.0);
    QCOMPARE_MM(boxes.first().y2 - p.YOffset(), 52.0);
    QCOMPARE(device->operations(Kind::Line).size(), 0);
    QCOMPARE(p.CurrentX(), 80.0f);
    QCOMPARE(p.CurrentY(), 52.0f);
}

void TestMyPrinter::roundedRectangleHasShorterEdgesAndFourCorners() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    p.DrawRectangle(20, 30, 60, 40, 5);
    const auto lines = device->operations(Kind::Line);
    const auto arcs = device->operations(Kind::Arc);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(arcs.size(), 4);
    QCOMPARE(device->operations(Kind::Rectangle).size(), 0);
    auto length = [](const RecordingDevice::Operation &l) { return std::hypot(l.x2 - l.x, l.y2 - l.y); };
    QCOMPARE_MM(length(lines.at(0)), 50.0); // top
    QCOMPARE_MM(length(lines.at(1)), 30.0); // right
    QCOMPARE_MM(length(lines.at(2)), 50.0); // bottom
    QCOMPARE_MM(length(lines.at(3)), 30.0); // left
    // The pieces join end to end: each arc starts where its edge ended and ends where the next begins.
    const double pi = 3.14159265358979;
    for (int i = 0; i < 4; ++i) {
        const auto &arc = arcs.at(i);
        QCOMPARE(arc.radius, 5.0);
        const double ex = arc.x + arc.radius * std::cos(arc.startAngle);
        const double ey = arc.y - arc.radius * std::sin(arc.startAngle);
        const double nx = arc.x + arc.radius * std::cos(arc.endAngle);
        const double ny = arc.y - arc.radius * std::sin(arc.endAngle);
        const auto &before = lines.at(i);
        const auto &after = lines.at((i + 1) % 4);
        // Arc i sits between edge i and edge i+1 (the last one closes onto the top edge).
        QVERIFY2(std::abs(before.x2 - ex) < 1e-4 || std::abs(before.x2 - nx) < 1e-4, qPrintable(QString::number(i)));
        QVERIFY(std::abs(before.y2 - ey) < 1e-4 || std::abs(before.y2 - ny) < 1e-4);
        QVERIFY(std::abs(after.x - ex) < 1e-4 || std::abs(after.x - nx) < 1e-4);
        QVERIFY(std::abs(after.y - ey) < 1e-4 || std::abs(after.y - ny) < 1e-4);
        double sweep = arc.endAngle - arc.startAngle;
        if (sweep <= 0)
            sweep += 2 * pi;
        QVERIFY2(std::abs(sweep - pi / 2) < 1e-6, "each corner is a quarter circle");
    }
    QCOMPARE(p.CurrentX(), 80.0f);
    QCOMPARE(p.CurrentY(), 70.0f);
}

void TestMyPrinter::pictureSize_data() {
    // A 96 dpi picture of 192 x 96 pixels is 50.8 mm by 25.4 mm.
    QTest::addColumn<float>("height");
    QTest::addColumn<float>("width");
    QTest::addColumn<double>("drawnWidth");
    QTest::addColumn<double>("drawnHeight");
    QTest::newRow("both given") << 10.0f << 30.0f << 30.0 << 10.0;
    QTest::newRow("width only") << 0.0f << 30.0f << 30.0 << 25.4;
    QTest::newRow("height only") << 10.0f << 0.0f << 50.8 << 10.0;
    QTest::newRow("neither") << 0.0f << 0.0f << 50.8 << 25.4;
    QTest::newRow("negative width") << 10.0f << -3.0f << 50.8 << 25.4;
    QTest::newRow("negative height") << -1.0f << 30.0f << 50.8 << 25.4;
}

void TestMyPrinter::pictureSize() {
    QFETCH(float, height);
    QFETCH(float, width);
    QFETCH(double, drawnWidth);
    QFETCH(double, drawnHeight);
    auto device = insetPrinter();
    MyPrinter p(*device);
    QImage image(192, 96, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(96 / 0.0254));
    image.setDotsPerMeterY(qRound(96 / 0.0254));
    image.fill(Qt::white);
    p.PaintPicture(15, 25, image, height, width);
    const auto pictures = device->operations(Kind::Picture);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE_MM(pictures.first().x - p.XOffset(), 15.0);
    QCOMPARE_MM(pictures.first().y - p.YOffset(), 25.0);
    QVERIFY(std::abs(pictures.first().x2 - pictures.first().x - drawnWidth) < 0.01);
    QVERIFY(std::abs(pictures.first().y2 - pictures.first().y - drawnHeight) < 0.01);

    p.PaintPicture(15, 25, QImage(), 10, 10); // no picture: nothing drawn, nothing breaks
    QCOMPARE(device->operations(Kind::Picture).size(), 1);
}

void TestMyPrinter::newPageReturnsToTheSheetCorner() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    p.PrintLeft(20, 100, QStringLiteral("page one"), 0);
    QCOMPARE(p.Page(), 1);
    p.NewPage();
    QCOMPARE(p.Page(), 2);
    QCOMPARE(p.CurrentX(), 0.0f);
    QCOMPARE(p.CurrentY(), 0.0f);
    p.PrintLeft(20, 100, QStringLiteral("page two"), 0);
    QCOMPARE(device->texts().last().page, 2);
    QVERIFY(p.EndDoc());
    QCOMPARE(device->documentsEnded(), 1);
    QCOMPARE(p.Page(), 1);

    p.PrintLeft(20, 100, QStringLiteral("abandoned"), 0);
    p.KillDoc();
    QCOMPARE(device->documentsKilled(), 1);
    QCOMPARE(device->documentsEnded(), 1);
}

void TestMyPrinter::settingsKeepTheirRules() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    QCOMPARE(p.LineSpacing(), 0.0f);
    QCOMPARE(p.Justification(), 0);
    p.LineSpacing(-2);
    QCOMPARE(p.LineSpacing(), 1.0f);
    p.LineSpacing(2.5f);
    QCOMPARE(p.LineSpacing(), 2.5f);
    p.TabSpacing(-1);
    QCOMPARE(p.TabSpacing(), 5.0f);
    p.Justification(17);
    QCOMPARE(p.Justification(), 17);

    device->setFontSize(10.5);
    QCOMPARE(p.FontSize(), 10);
    device->setFontSize(11.5);
    QCOMPARE(p.FontSize(), 12);
    p.FontSize(-4); // no such size: the font stays
    QCOMPARE(p.FontSize(), 12);

    p.Copies(3);
    p.Copies(40000);
    QCOMPARE(p.Copies(), 3);
    p.DrawWidth(2);
    p.DrawWidth(-70000);
    QCOMPARE(p.DrawWidth(), 2);
    p.PaperSize(9);
    QCOMPARE(p.PaperSize(), 9);
    p.FontName(QStringLiteral("Arial"));
    p.FontUnderline(true);
    p.FontStrikeThru(true);
    QCOMPARE(p.FontName(), QStringLiteral("Arial"));
    QCOMPARE(p.FontUnderline(), true);
    QCOMPARE(p.FontStrikeThru(), true);
    QVERIFY(p.FontCount() > 0);
    QCOMPARE(p.Fonts(-1), QString());
    QCOMPARE(p.Fonts(qint16(p.FontCount())), QString());
}

void TestMyPrinter::currentPositionIsOnTheSheet() {
    auto device = insetPrinter();
    device->setPrintableSizeMm(207.4, 271.0);
    MyPrinter p(*device);
    p.CurrentX(20);
    p.CurrentY(46);
    QCOMPARE_MM(device->currentX(), 15.8);
    QCOMPARE_MM(device->currentY(), 41.8);
    QCOMPARE(p.CurrentX(), 20.0f);
    QCOMPARE(p.PageWidth(), 215.8f);
    QCOMPARE(p.PageHeight(), 279.4f);
}

void TestMyPrinter::badNumbersDoNotMoveThePrinter() {
    auto device = insetPrinter();
    MyPrinter p(*device);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    p.CurrentX(10);
    p.CurrentY(10);
    p.CurrentX(nan);
    p.CurrentY(inf);
    QCOMPARE(p.CurrentX(), 10.0f);
    QCOMPARE(p.CurrentY(), 10.0f);
    p.DrawRectangle(nan, 0, 10, 10, 0);
    p.DrawRectangle(0, 0, inf, 10, 3);
    p.PrintRight(nan, nan, QStringLiteral("still printed"), nan);
    QCOMPARE(device->texts().size(), 1);
    QCOMPARE(device->operations(Kind::Rectangle).size(), 0);
}

#include "tst_myprinter.moc"

int runMyPrinterTests(int argc, char **argv) {
    TestMyPrinter test;
    return QTest::qExec(&test, argc, argv);
}
