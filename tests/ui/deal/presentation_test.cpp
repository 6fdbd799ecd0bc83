// The customer presentation: what "Create Deal" builds, and the presentation's own commands.
#include "core/deal/dealpage.h"
#include "core/print/printer.h"
#include "core/print/recordingdevice.h"
#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/geometry.h"
#include "ui/app/mainwindow.h"
#include "ui/deal/dealpresentation.h"
#include "ui/deal/dealworksheet.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {
// What a control shows; a box's line breaks as CR LF, a frame's caption as its reader sees it.
QString shown(QWidget *c) {
    if (auto *box = qobject_cast<QPlainTextEdit *>(c))
        return box->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (auto *frame = qobject_cast<QGroupBox *>(c))
        return frame->title().replace(QLatin1String("&&"), QLatin1String("&"));
    if (auto *list = qobject_cast<QComboBox *>(c))
        return list->currentText();
    return c->property("text").toString() + c->property("checked").toString(); // labels, line boxes, options
}
QString shown(QWidget *window, const QString &name) { return shown(control(window, name)); }
bool visible(QWidget *window, const QString &name) { return control(window, name)->isVisible(); }
QString product(int p, int k) { return u"product%1(%2)"_s.arg(p).arg(k); }

DealWorksheet *openWorksheet() {
    DealWorksheet *worksheet = nullptr;
    answeringBoxes([&] { (worksheet = app().window<DealWorksheet>())->show(); }); // an empty catalogue says so
    return worksheet;
}
void choose(DealWorksheet *worksheet, const QString &list, const QString &entry) {
    auto *box = control<QComboBox>(worksheet, list);
    const int i = box->findText(entry);
    QVERIFY2(i >= 0, qPrintable(list + u" offers no "_s + entry));
    box->setCurrentIndex(i);
    emit box->activated(i);
}
void setOption(DealWorksheet *worksheet, const QString &name, bool on) {
    auto *box = control<QAbstractButton>(worksheet, name);
    if (box->isChecked() != on)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}
DealPresentation *createDeal(DealWorksheet *worksheet) {
    return click(worksheet, u"Command1"_s) ? app().existing<DealPresentation>() : nullptr;
}
// Every named control of the worksheet (boxes, lists, options, slots, totals) as it shows it.
QStringList worksheetState(QWidget *w) {
    QStringList state;
    for (QWidget *c : w->findChildren<QWidget *>())
        if (!c->objectName().startsWith(QLatin1String("qt_")))
            state << c->objectName() + QLatin1Char('=') + shown(c);
    return state;
}
} // namespace

class PresentationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { closeAllWindows(); }

    void createDealBuildsThePresentation_data() {
        QTest::addColumn<bool>("prices");
        QTest::addColumn<bool>("cash");
        QTest::addColumn<bool>("totals");
        QTest::newRow("financed, all disclosed") << true << false << true;
        QTest::newRow("cash, nothing disclosed") << false << true << false;
    }
    void createDealBuildsThePresentation() {
        QFETCH(bool, prices);
        QFETCH(bool, cash);
        QFETCH(bool, totals);
        const QString alpha = (prices ? u"Alpha Guard $1250.00"_s : u"Alpha Guard"_s) + u"\r\nLine one\r\nLine two"_s;
        const QString bravo = QLatin1String(prices ? "Bravo Tint $499.00" : "Bravo Tint"); // no description
        ProgramFolder folder;
        setSetting(u"dealershipname"_s, u"  Smith & Sons Motors  "_s);
        setSetting(u"disclaimer"_s, u"  Estimates only.\r\nSubject to credit.  "_s);
        setSetting(u"package3"_s, u"Package 3"_s);
        setSetting(u"package4"_s, u" Basic "_s);
        addTemplate(u"Trucks"_s, QString(), {}, {u"Tow & Haul"_s, u"Work"_s});
        const QString page = QDir(folder.path()).filePath(u"webpages/alpha guard.html"_s);
        QVERIFY(QDir().mkpath(QFileInfo(page).path()) && QFile(page).open(QIODevice::WriteOnly));
        addProduct(u"Alpha Guard"_s, 300, 1250, u"  Line one\r\nLine two  "_s, page);
        addProduct(u"Bravo Tint"_s, 120, 499);
        addProduct(u"Service Contract"_s, 900, 1500, QString(), u"    "_s);
        DealWorksheet *worksheet = openWorksheet();
        choose(worksheet, u"vehicledefault"_s, u"Trucks"_s);
        const QStringList typed{"customername", "  Pat Doe ", "customervehicle", " 2024 Pickup",
                                "stocknumber",  "A123 ",      "salesperson",     " Lee ",
                                "interestrate", "6",          "financeterm",     "60"};
        for (int i = 0; i < typed.size(); i += 2)
            type(worksheet, typed[i], typed[i + 1]);
        const QStringList options{"includetax1", "cashdeal1", "disclosetotals1", "discloseprices1"};
        for (int i = 0; i < 4; ++i)
            setOption(worksheet, options[i], QList<bool>{false, cash, totals, prices}[i]);
        choose(worksheet, u"menu0(0)"_s, u"Alpha Guard"_s);
        choose(worksheet, u"menu0(1)"_s, u"Bravo Tint"_s);
        choose(worksheet, u"menu1(4)"_s, u"Service Contract"_s);
        choose(worksheet, u"menu2(0)"_s, u"Alpha Guard"_s); // chosen, then emptied again
        choose(worksheet, u"menu2(0)"_s, u"NONE"_s);
        choose(worksheet, u"menu3(6)"_s, u"Alpha Guard"_s); // after a gap in the column
        DealPresentation *menu = createDeal(worksheet);
        QVERIFY(menu && menu->isVisible());
        QVERIFY(!worksheet->isVisible());

        const QString printable = alpha + u"\r\n\r\n"_s + bravo + u"\r\n\r\n\r\n"_s;
        const QStringList expected{"dealershipnametext",  "Smith & Sons Motors",
                                   "customernametext",    "Pat Doe",
                                   "vehicletext",         "2024 Pickup",
                                   "stocknumbertext",     "A123",
                                   "salespersonnametext", "Lee",
                                   "disclaimertext",      "Estimates only.\r\nSubject to credit.",
                                   "menuframe(0)",        "Tow & Haul",
                                   "menuframe(1)",        "Work",
                                   "menuframe(2)",        "Package 3",
                                   "menuframe(3)",        "Basic",
                                   "product0(0)",         alpha,
                                   "product0(1)",         bravo + "\r\n", // only blanks are trimmed
                                   "product3(6)",         alpha,
                                   "producttext(0)",      printable,
                                   "producttext(2)",      "",
                                   "producttext(3)",      alpha + "\r\n\r\n",
                                   "webpath0(0)",         page,
                                   "webpath0(1)",         "",
                                   "webpath3(6)",         page,
                                   "pricepayment(1)",     cash ? "$ 1507.50" : "$ 29.00 / Month",
                                   "pricepayment(2)",     cash ? "$ 0.00" : "$ 0.00 / Month"};
        for (int i = 0; i < expected.size(); i += 2)
            QCOMPARE(shown(menu, expected[i]), expected[i + 1]);
        // Shown as typed, never as a keyboard shortcut.
        QCOMPARE(control<QGroupBox>(menu, u"menuframe(0)"_s)->title(), u"Tow && Haul"_s);
        QCOMPARE(menu->page().packageTexts[0], printable);
        for (int p = 0; p < 4; ++p) {
            QCOMPARE(visible(menu, u"pricepayment(%1)"_s.arg(p)), totals);
            for (int k = 0; k < 10; ++k)
                QCOMPARE(visible(menu, product(p, k)), (p == 0 && k < 2) || (p == 1 && k == 4) || (p == 3 && k == 6));
        }
        QVERIFY(!visible(menu, u"producttext(0)"_s) && !visible(menu, u"webpath0(0)"_s)); // never shown
        // One term, nothing financed: no further lines, and everything where it has always been.
        for (const QString &line : {u"pricepayment2(1)"_s, u"pricepayment3(1)"_s, u"basepaymentline"_s})
            QVERIFY(!visible(menu, line));
        QCOMPARE(control(menu, u"menuframe(1)"_s)->geometry(), ui::twRect(3480, 960, 3500, 7575));
        QCOMPARE(control(menu, u"pricepayment(1)"_s)->geometry(), ui::twRect(3480, 8520, 3495, 375));
        QCOMPARE(control(menu, u"Command1"_s)->geometry(), ui::twRect(120, 9360, 1695, 615));
        QCOMPARE(menu->size(), ui::twRect(0, 0, 13950, 10020).size());

        QList<QUrl> opened;
        app().setExternalOpener([&](const QUrl &url) { opened << url; });
        QVERIFY(answeringBoxes([&] {
                    for (const QString &box : {product(0, 1), product(1, 4), product(0, 0)})
                        QTest::mouseDClick(control<QPlainTextEdit>(menu, box)->viewport(), Qt::LeftButton, {}, {10, 8});
                }).isEmpty());
        QCOMPARE(opened, QList<QUrl>{externalUrl(page)}); // empty and all-space paths open nothing
        QVERIFY(menu->isVisible());
    }

    // Three terms and an amount financed: a line per term under each package, the payment without
    // products above them, nothing on top of anything else; hidden with the totals. Without the second
    // term the third takes its row.
    void severalTermsAndAmountFinanced() {
        ProgramFolder folder;
        setSetting(u"financeterm2"_s, 72);
        setSetting(u"financeterm3"_s, 84);
        addProduct(u"Plan"_s, 900, 1500);
        DealWorksheet *worksheet = openWorksheet();
        type(worksheet, u"interestrate"_s, u"6"_s);
        type(worksheet, u"amountfinanced"_s, u"600000"_s); // payments wide enough that the lines must shrink
        choose(worksheet, u"menu0(0)"_s, u"Plan"_s);
        for (const auto &[totals, second] : {std::pair{true, u"72"_s}, {false, u"72"_s}, {true, QString()}}) {
            setOption(worksheet, u"disclosetotals1"_s, totals);
            type(worksheet, u"financeterm2"_s, second);
            DealPresentation *menu = createDeal(worksheet);
            QVERIFY(menu);
            const QString lines[] = {u"pricepayment(0)"_s, u"pricepayment2(0)"_s, u"pricepayment3(0)"_s};
            QCOMPARE(shown(menu, lines[0]), u"$ 11628.68 / Month for 60 Months"_s);
            QCOMPARE(shown(menu, lines[1]), second.isEmpty() ? QString() : u"$ 9968.59 / Month for 72 Months"_s);
            QCOMPARE(shown(menu, lines[2]), u"$ 8787.05 / Month for 84 Months"_s);
            QCOMPARE(shown(menu, u"basepaymentline"_s).section(u"  \u00B7  "_s, 0, 0),
                     u"Payment without products: $ 11599.68 / Month for 60 Months"_s);
            QCOMPARE(visible(menu, u"basepaymentline"_s) && visible(menu, lines[2]), totals);
            QCOMPARE(visible(menu, lines[1]), totals && !second.isEmpty());
            QList<QWidget *> placed{control(menu, u"disclaimertext"_s), control(menu, u"Command1"_s),
                                    control(menu, u"basepaymentline"_s), control(menu, u"vehicletext"_s)};
            for (int p = 0; p < 4; ++p)
                placed << control(menu, u"menuframe(%1)"_s.arg(p)) << control(menu, u"pricepayment(%1)"_s.arg(p))
                       << control(menu, u"pricepayment2(%1)"_s.arg(p)) << control(menu, u"pricepayment3(%1)"_s.arg(p));
            // The frames have always shared their borders; a line shown touches nothing and fits its text.
            for (QWidget *a : placed) {
                auto *label = qobject_cast<QLabel *>(a);
                QVERIFY(menu->rect().contains(a->geometry()));
                if (!label || !label->isVisible())
                    continue;
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(label->objectName()));
                for (QWidget *b : placed)
                    QVERIFY2(a == b || !b->isVisible() ||
                                 !a->geometry().adjusted(1, 1, -1, -1).intersects(b->geometry()),
                             qPrintable(a->objectName() + u" overlaps "_s + b->objectName()));
            }
            QVERIFY(click(menu, u"Command2"_s));
        }
    }

    // Print cancelled, back to the worksheet, the catalogue edited meanwhile, a smaller deal, then EXIT.
    void presentationCommands() {
        ProgramFolder folder;
        auto *printed = new RecordingDevice;
        app().installPrinterDevice(std::unique_ptr<PrinterDevice>(printed));
        const int tint = addProduct(u"Window Tint"_s, 120, 395, u"Old words"_s);
        const int dent = addProduct(u"Dent Repair"_s, 60, 349, u"Paintless"_s, u"/pages/dent.html"_s);
        addProduct(u"Key Replacement"_s, 40, 249, u"Lost keys"_s);
        DealWorksheet *worksheet = openWorksheet();
        type(worksheet, u"customername"_s, u"Pat Doe"_s);
        for (const QString &option : {u"cashdeal1"_s, u"disclosetotals1"_s, u"discloseprices1"_s})
            setOption(worksheet, option, true);
        choose(worksheet, u"menu2(0)"_s, u"Window Tint"_s);
        choose(worksheet, u"menu0(0)"_s, u"Dent Repair"_s);
        choose(worksheet, u"menu0(1)"_s, u"Key Replacement"_s);
        choose(worksheet, u"menu0(9)"_s, u"Window Tint"_s);
        const QStringList before = worksheetState(worksheet);
        DealPresentation *menu = createDeal(worksheet);
        QVERIFY(menu);
        QVERIFY(visible(menu, product(0, 9)));

        const QList<BoxSeen> boxes = answeringBoxes([&] { QVERIFY(click(menu, u"Command1"_s)); }, {false});
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title, u"Are You Sure?"_s);
        QCOMPARE(boxes[0].text, u"Print Deal?"_s);
        QCOMPARE(printed->documentsEnded(), 0);
        QVERIFY(printed->operations().isEmpty());

        QVERIFY(click(menu, u"Command2"_s));
        QCOMPARE(app().existing<DealPresentation>(), nullptr);
        QCOMPARE(app().existing<DealWorksheet>(), worksheet);
        QVERIFY(worksheet->isVisible());
        QCOMPARE(worksheetState(worksheet), before);

        QVERIFY(app().store().productsFile().exec(
            u"update [table] set aftermarketname=?, msrp=?, description=? where id=?"_s,
            {u"Ceramic Window Tint"_s, 450.0, u"New words"_s, tint}));
        QVERIFY(app().store().productsFile().exec(u"delete from [table] where id=?"_s, {dent}));
        choose(worksheet, u"menu0(9)"_s, u"NONE"_s);
        setOption(worksheet, u"disclosetotals1"_s, false);
        menu = createDeal(worksheet);
        QVERIFY(menu);
        QVERIFY(folder.databaseErrors().isEmpty());
        for (int s = 0; s < 10; ++s) {
            QCOMPARE(visible(menu, product(0, s)), s < 2);
            if (s >= 2)
                QCOMPARE(shown(menu, product(0, s)) + shown(menu, u"webpath0(%1)"_s.arg(s)), QString());
        }
        // The renamed product with the worksheet's price; the deleted one as the worksheet shows it.
        QCOMPARE(shown(menu, product(2, 0)), u"Ceramic Window Tint $395.00\r\nNew words"_s);
        QCOMPARE(shown(menu, u"producttext(2)"_s), u"Ceramic Window Tint $395.00\r\nNew words\r\n\r\n"_s);
        QCOMPARE(shown(menu, product(0, 0)), u"Dent Repair $349.00\r\n"_s);
        QCOMPARE(shown(menu, u"webpath0(0)"_s), QString());
        QCOMPARE(shown(menu, u"producttext(0)"_s),
                 u"Dent Repair $349.00\r\n\r\n\r\nKey Replacement $249.00\r\nLost keys\r\n\r\n"_s);
        for (int p = 0; p < 4; ++p)
            QVERIFY(!visible(menu, u"pricepayment(%1)"_s.arg(p)));

        QPointer<QWidget> presentation = menu, sheet = worksheet;
        QVERIFY(click(menu, u"Command3"_s));
        QVERIFY(app().existing<MainWindow>()->isVisible());
        QTRY_VERIFY(!presentation && !sheet);
    }
};

int runPresentationTests(int argc, char **argv) {
    PresentationTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "presentation_test.moc"
