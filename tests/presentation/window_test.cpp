#include "window_test.h"

#include "dealdriver.h"

#include "app/windows.h"
#include "presentation/dealmenu.h"
#include "print/printer.h"
#include "print/recordingdevice.h"
#include "testsupport.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

void PresentationWindowTest::cleanup() {
    printer::install(nullptr);
    closeAllWindows();
}

void PresentationWindowTest::opensInDesignState_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("visible");
    QTest::newRow("dealership") << "dealershipnametext" << "Dealership Name" << true;
    QTest::newRow("salesperson label") << "Label1(0)" << "Salesperson:" << true;
    QTest::newRow("customer label") << "Label1(1)" << "Customer:" << true;
    QTest::newRow("stock label") << "Label1(2)" << "Stock #:" << true;
    QTest::newRow("vehicle label") << "Label1(3)" << "Vehicle:" << true;
    QTest::newRow("salesperson") << "salespersonnametext" << "" << true;
    QTest::newRow("customer") << "customernametext" << "" << true;
    QTest::newRow("stock number") << "stocknumbertext" << "" << true;
    QTest::newRow("vehicle") << "vehicletext" << "" << true;
    for (int p = 0; p < 4; ++p) {
        const QByteArray n = QByteArray::number(p);
        QTest::newRow("frame " + n) << QStringLiteral("menuframe(%1)").arg(p) << QStringLiteral("Product%1").arg(p) << true;
        QTest::newRow("price line " + n) << QStringLiteral("pricepayment(%1)").arg(p) << "$0.00" << false;
        QTest::newRow("printable text " + n) << QStringLiteral("producttext(%1)").arg(p) << "" << false;
    }
    QTest::newRow("disclaimer") << "disclaimertext" << "" << true;
    QTest::newRow("print") << "Command1" << "Print" << true;
    QTest::newRow("change items") << "Command2" << "Change Items" << true;
    QTest::newRow("exit") << "Command3" << "EXIT" << true;
}

void PresentationWindowTest::opensInDesignState() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, visible);
    ProgramFolder folder;
    dealmenu *menu = SingleWindow<dealmenu>::instance();
    menu->show();
    QCOMPARE(menu->objectName(), QStringLiteral("dealmenu"));
    QCOMPARE(menu->windowTitle(), QStringLiteral("Aftermarket Product Presentation"));
    QWidget *w = control(menu, name);
    QVERIFY(w);
    QCOMPARE(w->isVisible(), visible);
    QCOMPARE(dealdriver::shownText(w), text);
}

void PresentationWindowTest::everySlotHasAHiddenBoxAndPath() {
    ProgramFolder folder;
    dealmenu *menu = SingleWindow<dealmenu>::instance();
    menu->show();
    for (int p = 0; p < 4; ++p) {
        auto *frame = control<QGroupBox>(menu, QStringLiteral("menuframe(%1)").arg(p));
        for (int k = 0; k < 10; ++k) {
            auto *box = control<QPlainTextEdit>(menu, QStringLiteral("product%1(%2)").arg(p).arg(k));
            QVERIFY(box);
            QCOMPARE(box->parentWidget(), frame);
            QVERIFY(!box->isVisible());
            QCOMPARE(box->toPlainText(), QString());
            auto *path = control<QLineEdit>(menu, QStringLiteral("webpath%1(%2)").arg(p).arg(k));
            QVERIFY(path);
            QVERIFY(!path->isVisible());
            QCOMPARE(path->text(), QString());
        }
    }
}

void PresentationWindowTest::hiddenBoxesKeepLineBreaksExactly() {
    ProgramFolder folder;
    dealmenu *menu = SingleWindow<dealmenu>::instance();
    // Longer than a line box takes by default, with every kind of line break in it.
    QString text = QStringLiteral("Name $1.00\r\nline\r\n\r\n");
    while (text.size() < 40000)
        text += QStringLiteral("Another product\r\nits description\r\n\r\n");
    menu->setProductText(2, text);
    QCOMPARE(control<QLineEdit>(menu, QStringLiteral("producttext(2)"))->text(), text);
    QCOMPARE(menu->productText(2), text);
}

void PresentationWindowTest::printAsksFirstAndCancelPrintsNothing() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    auto device = std::make_unique<RecordingDevice>();
    RecordingDevice *printed = device.get();
    printer::install(std::move(device));
    dealmenu *menu = dealdriver::sampleDeal();
    QVERIFY(menu);
    const QList<BoxSeen> boxes = answeringBoxes([&] { QVERIFY(click(menu, QStringLiteral("Command1"))); }, {false});
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QStringLiteral("Are You Sure?"));
    QCOMPARE(boxes[0].text, QStringLiteral("Print Deal?"));
    QCOMPARE(printed->documentsEnded(), 0);
    QVERIFY(printed->operations().isEmpty());
}

void PresentationWindowTest::printReadsTheBoxesAsTheyStand() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    setSetting(QStringLiteral("dealershipname"), QStringLiteral("Smith & Sons Motors"));
    auto device = std::make_unique<RecordingDevice>();
    RecordingDevice *printed = device.get();
    printer::install(std::move(device));
    dealmenu *menu = dealdriver::sampleDeal(QStringLiteral("Pat Doe"));
    QVERIFY(menu);
    type(menu, QStringLiteral("customernametext"), QStringLiteral("  Patricia Doe  "));
    const QList<BoxSeen> boxes = answeringBoxes([&] { QVERIFY(click(menu, QStringLiteral("Command1"))); }, {true});
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(printed->documentsEnded(), 1);
    QVERIFY(printed->findText(QStringLiteral("Patricia Doe")));
    QVERIFY(!printed->findText(QStringLiteral("Pat Doe")));
    QVERIFY(printed->findText(QStringLiteral("Smith & Sons Motors")));
    QVERIFY(printed->findText(QStringLiteral("Platinum")));
    // The price lines print whether or not the window shows them.
    const QString line = control<QLabel>(menu, QStringLiteral("pricepayment(3)"))->text();
    QVERIFY(line.startsWith(QStringLiteral("$ ")));
    QVERIFY(printed->findText(line));
    // The window stays as it was and can print again.
    QVERIFY(menu->isVisible());
    answeringBoxes([&] { QVERIFY(click(menu, QStringLiteral("Command1"))); }, {true});
    QCOMPARE(printed->documentsEnded(), 2);
}
