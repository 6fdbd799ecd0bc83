#include "commands_test.h"

#include "dealdriver.h"

#include "app/form1.h"
#include "app/module1.h"
#include "app/shell.h"
#include "app/windows.h"
#include "deal/makedeal.h"
#include "presentation/dealmenu.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace testsupport;
using namespace dealdriver;

namespace {
// Everything a salesperson set on the worksheet, as it shows it.
QStringList worksheetState(makedeal *worksheet) {
    QStringList state;
    for (const char *name : {"customername", "customervehicle", "stocknumber", "salesperson", "interestrate",
                             "financeterm", "vehicledefault"})
        state << shownText(control(worksheet, QString::fromLatin1(name)));
    for (const char *name : {"includetax1", "cashdeal1", "disclosetotals1", "discloseprices1"})
        state << QString::number(control<QAbstractButton>(worksheet, QString::fromLatin1(name))->isChecked());
    for (int p = 0; p < 4; ++p) {
        state << shownText(control(worksheet, QStringLiteral("menuframe(%1)").arg(p)));
        for (const char *figure : {"totalmsrp", "totalprofit", "totalpayment"})
            state << shownText(control(worksheet, QStringLiteral("%1(%2)").arg(QLatin1String(figure)).arg(p)));
        for (int s = 0; s < 10; ++s)
            for (const char *kind : {"", "id", "cost", "msrp"})
                state << shownText(control(worksheet, QStringLiteral("menu%1%2(%3)").arg(p).arg(QLatin1String(kind)).arg(s)));
    }
    return state;
}

void doubleClick(QWidget *box) {
    auto *text = qobject_cast<QPlainTextEdit *>(box);
    QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, QPoint(10, 8));
}
} // namespace

void PresentationCommandsTest::cleanup() {
    shell::setOpener(nullptr);
    closeAllWindows();
}

void PresentationCommandsTest::changeItemsReturnsToTheSameDeal() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    makedeal *worksheet = openWorksheet();
    type(worksheet, QStringLiteral("customername"), QStringLiteral("Pat Doe"));
    type(worksheet, QStringLiteral("stocknumber"), QStringLiteral("A123"));
    chooseTemplate(worksheet, QStringLiteral("All New Vehicles"));
    setOption(worksheet, QStringLiteral("cashdeal1"), true);
    chooseProduct(worksheet, 3, 9, QStringLiteral("Remote Start"));
    const QStringList before = worksheetState(worksheet);
    dealmenu *menu = createDeal(worksheet);
    QVERIFY(menu);
    QVERIFY(click(menu, QStringLiteral("Command2")));
    QCOMPARE(SingleWindow<dealmenu>::existing(), nullptr);
    QCOMPARE(SingleWindow<makedeal>::existing(), worksheet);
    QVERIFY(worksheet->isVisible());
    QCOMPARE(worksheetState(worksheet), before);
}

void PresentationCommandsTest::changeItemsAfterWorksheetLeftShowsMainWindow() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    dealmenu *menu = sampleDeal();
    QVERIFY(menu);
    // The worksheet was shown again from the main window and left with its own "EXIT".
    makedeal *worksheet = SingleWindow<makedeal>::existing();
    worksheet->show();
    QVERIFY(click(worksheet, QStringLiteral("Command3")));
    QCOMPARE(SingleWindow<makedeal>::existing(), nullptr);
    QVERIFY(click(menu, QStringLiteral("Command2")));
    QCOMPARE(SingleWindow<dealmenu>::existing(), nullptr);
    QVERIFY(SingleWindow<Form1>::existing()->isVisible());
}

void PresentationCommandsTest::createDealAgainBuildsAFreshPresentation() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    makedeal *worksheet = openWorksheet();
    chooseTemplate(worksheet, QStringLiteral("All New Vehicles"));
    setOption(worksheet, QStringLiteral("disclosetotals1"), true);
    dealmenu *first = createDeal(worksheet);
    QVERIFY(first);
    QVERIFY(control(first, QStringLiteral("product0(9)"))->isVisible());
    QVERIFY(click(first, QStringLiteral("Command2")));

    // Fewer products, totals no longer disclosed.
    for (int s = 3; s < 10; ++s)
        chooseProduct(worksheet, 0, s, QStringLiteral("NONE"));
    setOption(worksheet, QStringLiteral("disclosetotals1"), false);
    dealmenu *second = createDeal(worksheet);
    QVERIFY(second);
    QVERIFY(second->isVisible());
    for (int s = 0; s < 10; ++s) {
        QCOMPARE(control(second, QStringLiteral("product0(%1)").arg(s))->isVisible(), s < 3);
        if (s >= 3) {
            QCOMPARE(shownText(control(second, QStringLiteral("product0(%1)").arg(s))), QString());
            QCOMPARE(shownText(control(second, QStringLiteral("webpath0(%1)").arg(s))), QString());
        }
    }
    QCOMPARE(shownText(control(second, QStringLiteral("producttext(0)"))).count(QStringLiteral("\r\n\r\n\r\n")), 0);
    QCOMPARE(shownText(control(second, QStringLiteral("producttext(0)"))).split(QStringLiteral("\r\n\r\n")).size(), 4);
    for (int p = 0; p < 4; ++p)
        QVERIFY(!control(second, QStringLiteral("pricepayment(%1)").arg(p))->isVisible());

    // Pressed again while a presentation is still open (closed from its title bar is the usual way).
    worksheet->show();
    dealmenu *third = createDeal(worksheet);
    QVERIFY(third);
    QCOMPARE(SingleWindow<dealmenu>::existing(), third);
}

void PresentationCommandsTest::exitShowsMainWindowAndDiscardsTheDeal() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    dealmenu *menu = sampleDeal(QStringLiteral("Pat Doe"));
    QVERIFY(menu);
    QPointer<QWidget> worksheet = SingleWindow<makedeal>::existing();
    QPointer<QWidget> presentation = menu;
    QVERIFY(click(menu, QStringLiteral("Command3")));
    QVERIFY(SingleWindow<Form1>::existing());
    QVERIFY(SingleWindow<Form1>::existing()->isVisible());
    QCOMPARE(SingleWindow<dealmenu>::existing(), nullptr);
    QCOMPARE(SingleWindow<makedeal>::existing(), nullptr);
    QTRY_VERIFY(!worksheet && !presentation);

    // The next deal starts from a newly loaded worksheet.
    makedeal *next = openWorksheet();
    QCOMPARE(shownText(control(next, QStringLiteral("customername"))), QString());
    QCOMPARE(shownText(control(next, QStringLiteral("vehicledefault"))), QString());
}

void PresentationCommandsTest::titleBarCloseKeepsWorksheetHidden() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    SingleWindow<Form1>::instance()->show();
    dealmenu *menu = sampleDeal(QStringLiteral("Pat Doe"));
    QVERIFY(menu);
    makedeal *worksheet = SingleWindow<makedeal>::existing();
    const QStringList before = worksheetState(worksheet);
    QVERIFY(menu->close());
    QCOMPARE(SingleWindow<dealmenu>::existing(), nullptr);
    QCOMPARE(SingleWindow<makedeal>::existing(), worksheet);
    QVERIFY(!worksheet->isVisible());
    QVERIFY(SingleWindow<Form1>::existing()->isVisible());
    // Shown again later, it still holds the deal.
    worksheet->show();
    QCOMPARE(worksheetState(worksheet), before);
}

void PresentationCommandsTest::doubleClickOpensThePage_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("empty path") << QString() << false << false;
    QTest::newRow("all spaces") << QStringLiteral("    ") << false << false;
    QTest::newRow("page file") << QStringLiteral("webpages/tint page.html") << true << true;
    QTest::newRow("missing file") << QStringLiteral("webpages/gone.html") << true << false;
    QTest::newRow("web address") << QStringLiteral("https://example.com/tint?x=1&y=2") << true << false;
}

void PresentationCommandsTest::doubleClickOpensThePage() {
    QFETCH(QString, stored);
    QFETCH(bool, opens);
    QFETCH(bool, fileExists);
    ProgramFolder folder;
    QString path = stored;
    if (stored.startsWith(QLatin1String("webpages/"))) {
        path = QDir(folder.path()).filePath(stored);
        if (fileExists) {
            QDir().mkpath(QFileInfo(path).path());
            QFile page(path);
            QVERIFY(page.open(QIODevice::WriteOnly));
            page.write("<html></html>");
        }
    }
    // Stored as a record may hold it (the editor trims; older data may not).
    QVERIFY(Module1::dbproducts.exec(
        QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp, htmlpath) values (7, 'Tint', 1, 2, ?)"),
        {path}));
    QList<QUrl> opened;
    shell::setOpener([&](const QUrl &url) { opened << url; });
    makedeal *worksheet = openWorksheet();
    chooseProduct(worksheet, 1, 2, QStringLiteral("Tint"));
    dealmenu *menu = createDeal(worksheet);
    QVERIFY(menu);
    QWidget *box = control(menu, QStringLiteral("product1(2)"));
    QVERIFY(box->isVisible());
    QList<BoxSeen> boxes = answeringBoxes([&] { doubleClick(box); });
    QVERIFY(boxes.isEmpty());
    if (opens) {
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0], shell::urlFor(path));
    } else {
        QVERIFY(opened.isEmpty());
    }
    QVERIFY(menu->isVisible());
}

void PresentationCommandsTest::emptySlotHasNothingToDoubleClick() {
    ProgramFolder folder(ProgramFolder::Content::Samples);
    QList<QUrl> opened;
    shell::setOpener([&](const QUrl &url) { opened << url; });
    dealmenu *menu = sampleDeal();
    QVERIFY(menu);
    // "All New Vehicles" leaves slots 2 to 9 of the last package empty.
    QVERIFY(!control(menu, QStringLiteral("product3(5)"))->isVisible());
    doubleClick(control(menu, QStringLiteral("product3(1)")));
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened[0].toLocalFile().endsWith(QStringLiteral("anti-theft-etch.html")));
}
