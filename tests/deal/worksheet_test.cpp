#include "worksheet_test.h"

#include "app/form1.h"
#include "app/module1.h"
#include "app/windows.h"
#include "deal/makedeal.h"
#include "testsupport.h"
#include "worksheet_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace testsupport;
using namespace dealtest;

namespace {
QList<int> firstSlots(int id) {
    // The first slot of every package holds `id`.
    QList<int> menu(40, 0);
    for (int p = 0; p < 4; ++p)
        menu[p * 10] = id;
    return menu;
}

QString text(QWidget *w, const QString &name) {
    auto *b = control<QLineEdit>(w, name);
    return b ? b->text() : QString();
}

bool checked(QWidget *w, const QString &name) {
    auto *c = control<QCheckBox>(w, name);
    return c && c->isChecked();
}

void setChecked(QWidget *w, const QString &name, bool on) {
    if (checked(w, name) != on)
        click(w, name);
}
} // namespace

namespace {
QtMessageHandler testLog = nullptr;

// The offscreen platform's notes about raising windows and grabbing the keyboard say nothing about us.
void quietPlatform(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        testLog(type, context, message);
}
} // namespace

void WorksheetTest::initTestCase() { testLog = qInstallMessageHandler(quietPlatform); }

void WorksheetTest::cleanupTestCase() { qInstallMessageHandler(testLog); }

void WorksheetTest::init() {
    m_folder = std::make_unique<ProgramFolder>(ProgramFolder::Content::Empty);
    QVERIFY(m_folder->ok());
    setSetting(QStringLiteral("taxrate"), 0.07);
    setSetting(QStringLiteral("includetax"), 0);
    setSetting(QStringLiteral("interestrate"), 0);
    setSetting(QStringLiteral("financeterm"), 60);
}

void WorksheetTest::cleanup() {
    QVERIFY2(m_folder->databaseErrors().isEmpty(), qPrintable(m_folder->databaseErrors().join('\n')));
    m_folder.reset();
}

// ---- Opening ----

void WorksheetTest::opensFromSettings() {
    setSetting(QStringLiteral("package1"), QStringLiteral(" Premier "));
    setSetting(QStringLiteral("package2"), QStringLiteral("Rust & Shine"));
    setSetting(QStringLiteral("salespersonname"), QStringLiteral("  Dana Holt "));
    setSetting(QStringLiteral("discloseprices"), 1);
    setSetting(QStringLiteral("disclosetotals"), 0);
    setSetting(QStringLiteral("includetax"), 1);
    addProduct(QStringLiteral("Wheel Lock"), 10, 40);
    addProduct(QStringLiteral("Alarm"), 100, 300);
    addTemplate(QStringLiteral("Trucks"), QString());
    addTemplate(QStringLiteral("Cars"), QString());
    addTemplate(QStringLiteral("Hidden"), QString(), {}, {}, 0); // id 0 is not offered

    QStringList boxes;
    makedeal *w = openWorksheet(&boxes);
    QVERIFY(w);
    QCOMPARE(boxes, QStringList());
    QCOMPARE(w->windowTitle(), QStringLiteral("Make Deal"));
    QCOMPARE(frameCaption(w, 0), QStringLiteral("Premier"));
    QCOMPARE(frameCaption(w, 1), QStringLiteral("Rust & Shine"));
    QCOMPARE(text(w, "salesperson"), QStringLiteral("Dana Holt"));
    QCOMPARE(text(w, "customername"), QString());
    QVERIFY(checked(w, "discloseprices1"));
    QVERIFY(!checked(w, "disclosetotals1"));
    QVERIFY(checked(w, "includetax1"));
    QVERIFY(!checked(w, "cashdeal1"));
    for (int p = 0; p < 4; ++p) {
        QCOMPARE(label(w, QStringLiteral("totalmsrp(%1)").arg(p)), QStringLiteral("0"));
        QCOMPARE(label(w, QStringLiteral("totalpayment(%1)").arg(p)), QStringLiteral("0"));
    }

    auto *templates = control<QComboBox>(w, "vehicledefault");
    QCOMPARE(templates->count(), 3);
    QCOMPARE(templates->itemText(0), QString());
    QCOMPARE(templates->itemText(1), QStringLiteral("Cars"));
    QCOMPARE(templates->itemText(2), QStringLiteral("Trucks"));
    QCOMPARE(templates->currentIndex(), 0);

    // Every slot offers "NONE" and the catalogue by name, with cost and MSRP beside it.
    QComboBox *product = slotBox(w, "", 3, 9);
    QCOMPARE(product->count(), 3);
    QCOMPARE(product->itemText(0), QStringLiteral("NONE"));
    QCOMPARE(product->itemText(1), QStringLiteral("Alarm"));
    QCOMPARE(slotBox(w, "cost", 3, 9)->itemText(1), QStringLiteral("100.00"));
    QCOMPARE(slotBox(w, "msrp", 3, 9)->itemText(2), QStringLiteral("40.00"));
    QVERIFY(slotBox(w, "cost", 0, 0)->isVisible());
    QVERIFY(!slotBox(w, "id", 0, 0)->isVisible());

    auto *create = control<QPushButton>(w, "Command1");
    QCOMPARE(create->text(), QStringLiteral("Create Deal"));
    QCOMPARE(control<QPushButton>(w, "Command3")->text(), QStringLiteral("EXIT"));
}

void WorksheetTest::presetsRateAndTermFromSettings() {
    setSetting(QStringLiteral("interestrate"), 5.9);
    setSetting(QStringLiteral("financeterm"), 72);
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QCOMPARE(text(w, "interestrate"), QStringLiteral("5.9"));
    QCOMPARE(text(w, "financeterm"), QStringLiteral("72"));
}

void WorksheetTest::emptyCatalogueSaysSoAndStillOpens() {
    QStringList boxes;
    makedeal *w = openWorksheet(&boxes);
    QVERIFY(w);
    QCOMPARE(boxes, QStringList{QStringLiteral("No Aftermarket Records")});
    QCOMPARE(slotBox(w, "", 0, 0)->count(), 1);
    QVERIFY(chooseRow(slotBox(w, "", 0, 0), 0));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("0.00"));
    QCOMPARE(control<QComboBox>(w, "vehicledefault")->count(), 1);
}

void WorksheetTest::tabOrderStartsWithTheParticulars() {
    makedeal *w = openWorksheet(nullptr);
    QVERIFY(w);
    const QStringList order{"customername", "customervehicle", "stocknumber", "salesperson",
                            "interestrate", "financeterm",     "vehicledefault"};
    control(w, order.first())->setFocus();
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), order[i]);
    }
}

// ---- Totals and payments ----

void WorksheetTest::workedTableThroughTheWindow_data() {
    QTest::addColumn<double>("msrp");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("term"); // "cash" ticks the cash deal
    QTest::addColumn<bool>("tax");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1500 at 6 over 60") << 1500.0 << "6" << "60" << false << "29.00";
    QTest::newRow("1500 at 6 over 60 with tax") << 1500.0 << "6" << "60" << true << "31.03";
    QTest::newRow("1500 at 0 over 60") << 1500.0 << "0" << "60" << false << "25.00";
    QTest::newRow("10000 at 6 over 36") << 10000.0 << "6" << "36" << false << "304.22";
    QTest::newRow("1500 at 6.9 over 48") << 1500.0 << "6.9" << "48" << false << "35.85";
    QTest::newRow("1500 at 6 cash") << 1500.0 << "6" << "cash" << false << "1507.50";
    QTest::newRow("1500 at 0 cash") << 1500.0 << "0" << "cash" << false << "1500.00";
    QTest::newRow("1500 at 0 cash with tax") << 1500.0 << "0" << "cash" << true << "1605.00";
}

void WorksheetTest::workedTableThroughTheWindow() {
    QFETCH(double, msrp);
    QFETCH(QString, rate);
    QFETCH(QString, term);
    QFETCH(bool, tax);
    QFETCH(QString, shown);
    addProduct(QStringLiteral("Protection Plan"), 400, msrp);
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseProduct(w, 2, 4, QStringLiteral("Protection Plan")));
    typeAndLeave(w, "interestrate", rate);
    if (term == QLatin1String("cash"))
        setChecked(w, "cashdeal1", true);
    else
        typeAndLeave(w, "financeterm", term);
    setChecked(w, "includetax1", tax);

    QCOMPARE(label(w, "totalpayment(2)"), shown);
    QCOMPARE(label(w, "totalmsrp(2)"), QString::number(msrp, 'f', 2));
    QCOMPARE(label(w, "totalprofit(2)"), QString::number(msrp - 400, 'f', 2));
    QCOMPARE(label(w, "totalpayment(0)"), QStringLiteral("0.00"));
    QCOMPARE(control(w, "financeterm")->property("marked").toBool(), false);
}

void WorksheetTest::typedRateAndTermReadAsNumbers() {
    addProduct(QStringLiteral("Kit"), 0, 1500);
    addProduct(QStringLiteral("Big Kit"), 0, 10000);
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseProduct(w, 0, 0, QStringLiteral("Kit")));
    QVERIFY(chooseProduct(w, 1, 0, QStringLiteral("Big Kit")));
    typeAndLeave(w, "interestrate", QStringLiteral("6.9%"));
    typeAndLeave(w, "financeterm", QStringLiteral("48 months"));
    QCOMPARE(label(w, "totalpayment(0)"), QStringLiteral("35.85"));
    typeAndLeave(w, "interestrate", QStringLiteral("6 %"));
    typeAndLeave(w, "financeterm", QStringLiteral("36 months"));
    QCOMPARE(label(w, "totalpayment(1)"), QStringLiteral("304.22"));
}

void WorksheetTest::taxRateIsAFraction() {
    setSetting(QStringLiteral("taxrate"), 7);
    addProduct(QStringLiteral("Kit"), 0, 1500);
    makedeal *w = openWorksheet();
    QVERIFY(w);
    for (int p = 0; p < 4; ++p)
        QVERIFY(chooseProduct(w, p, 3, QStringLiteral("Kit")));
    QCOMPARE(label(w, "totalpayment(3)"), QStringLiteral("25.00"));
    click(w, "includetax1");
    for (int p = 0; p < 4; ++p)
        QCOMPARE(label(w, QStringLiteral("totalpayment(%1)").arg(p)), QStringLiteral("200.00"));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("1500.00"));
}

void WorksheetTest::everyOptionRecalculatesAllPackages_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("payment");
    // 1500 at 0 % over 60 is 25.00; the tax rate goes from 7 % to 10 % behind the window's back.
    QTest::newRow("include tax") << "includetax1" << "25.00";
    QTest::newRow("cash deal") << "cashdeal1" << "1650.00";
    QTest::newRow("disclose totals") << "disclosetotals1" << "27.50";
    QTest::newRow("disclose prices") << "discloseprices1" << "27.50";
}

void WorksheetTest::everyOptionRecalculatesAllPackages() {
    QFETCH(QString, option);
    QFETCH(QString, payment);
    setSetting(QStringLiteral("includetax"), 1);
    addTemplate(QStringLiteral("All"), QString(), firstSlots(addProduct(QStringLiteral("Kit"), 0, 1500)));
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseTemplate(w, QStringLiteral("All")));
    for (int p = 0; p < 4; ++p)
        QCOMPARE(label(w, QStringLiteral("totalpayment(%1)").arg(p)), QStringLiteral("26.75"));
    setSetting(QStringLiteral("taxrate"), 0.10);
    QVERIFY(click(w, option));
    for (int p = 0; p < 4; ++p)
        QCOMPARE(label(w, QStringLiteral("totalpayment(%1)").arg(p)), payment);
}

void WorksheetTest::costAboveMsrpGivesNegativeProfit() {
    addProduct(QStringLiteral("Loss Leader"), 60, 50);
    addProduct(QStringLiteral("Tint"), 49.95, 99);
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseProduct(w, 1, 0, QStringLiteral("Loss Leader")));
    QCOMPARE(label(w, "totalprofit(1)"), QStringLiteral("-10.00"));
    QVERIFY(chooseProduct(w, 1, 9, QStringLiteral("Tint")));
    QCOMPARE(label(w, "totalprofit(1)"), QStringLiteral("39.05"));
    QCOMPARE(label(w, "totalmsrp(1)"), QStringLiteral("149.00"));
    QCOMPARE(label(w, "totalprofit(0)"), QStringLiteral("0.00"));
}

void WorksheetTest::choosingNoneEmptiesTheSlot() {
    addProduct(QStringLiteral("Tint"), 49.95, 99);
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseProduct(w, 0, 5, QStringLiteral("Tint")));
    QCOMPARE(slotBox(w, "cost", 0, 5)->currentText(), QStringLiteral("49.95"));
    QCOMPARE(slotBox(w, "msrp", 0, 5)->currentText(), QStringLiteral("99.00"));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("99.00"));
    QVERIFY(chooseProduct(w, 0, 5, QStringLiteral("NONE")));
    QCOMPARE(slotBox(w, "cost", 0, 5)->currentText(), QStringLiteral("0"));
    QCOMPARE(slotBox(w, "msrp", 0, 5)->currentText(), QStringLiteral("0"));
    QCOMPARE(slotBox(w, "id", 0, 5)->currentText(), QStringLiteral("0"));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("0.00"));
}

void WorksheetTest::typingAloneDoesNotRecalculate() {
    addProduct(QStringLiteral("Kit"), 0, 1500);
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseProduct(w, 0, 0, QStringLiteral("Kit")));
    QCOMPARE(label(w, "totalpayment(0)"), QStringLiteral("25.00"));
    type(w, "financeterm", QStringLiteral("30"));
    QCOMPARE(label(w, "totalpayment(0)"), QStringLiteral("25.00"));
    QTest::mouseClick(control(w, "customervehicle"), Qt::LeftButton);
    QCOMPARE(label(w, "totalpayment(0)"), QStringLiteral("50.00"));
}

void WorksheetTest::unusableTermMarksTheBox_data() {
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("term");
    QTest::newRow("0 at 0 %") << "0" << "0";
    QTest::newRow("0 at 6 %") << "6" << "0";
    QTest::newRow("empty") << "6" << "";
    QTest::newRow("words") << "0" << "sixty";
    QTest::newRow("negative") << "6" << "-12";
    QTest::newRow("beyond any currency") << "6" << "1e300";
}

void WorksheetTest::unusableTermMarksTheBox() {
    QFETCH(QString, rate);
    QFETCH(QString, term);
    addProduct(QStringLiteral("Kit"), 0, 1500);
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseProduct(w, 0, 0, QStringLiteral("Kit")));
    typeAndLeave(w, "interestrate", rate);
    typeAndLeave(w, "financeterm", term);
    auto *box = control<QLineEdit>(w, "financeterm");
    for (int p = 0; p < 4; ++p)
        QCOMPARE(label(w, QStringLiteral("totalpayment(%1)").arg(p)), QStringLiteral("0.00"));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("1500.00"));
    QVERIFY(box->property("marked").toBool());
    QVERIFY(!box->toolTip().isEmpty());
    QVERIFY(!box->styleSheet().isEmpty());

    // A cash deal needs no term; a usable term clears the mark.
    click(w, "cashdeal1");
    QCOMPARE(label(w, "totalpayment(0)"), rate == QLatin1String("0") ? QStringLiteral("1500.00") : QStringLiteral("1507.50"));
    click(w, "cashdeal1");
    QVERIFY(box->property("marked").toBool());
    typeAndLeave(w, "financeterm", QStringLiteral("60"));
    QVERIFY(!box->property("marked").toBool());
    QVERIFY(box->toolTip().isEmpty());
    QVERIFY(box->styleSheet().isEmpty());
    QVERIFY(label(w, "totalpayment(0)") != QLatin1String("0.00"));
}

// ---- Templates ----

void WorksheetTest::templateLoadKeepsParticularsAndOptions() {
    const int kit = addProduct(QStringLiteral("Kit"), 100, 1500);
    const int tint = addProduct(QStringLiteral("Tint"), 49.95, 99);
    QList<int> menu(40, 0);
    menu[0] = kit;
    menu[1] = tint;
    menu[19] = tint;
    menu[39] = kit;
    addTemplate(QStringLiteral("Sedans"), QString(), menu, {"Elite", "Select", "Basic", "Value"});
    makedeal *w = openWorksheet();
    QVERIFY(w);
    typeAndLeave(w, "customername", QStringLiteral("Ana Ruiz"));
    typeAndLeave(w, "customervehicle", QStringLiteral("2024 Sedan"));
    typeAndLeave(w, "stocknumber", QStringLiteral("S-1042"));
    typeAndLeave(w, "salesperson", QStringLiteral("Lee"));
    typeAndLeave(w, "interestrate", QStringLiteral("6"));
    typeAndLeave(w, "financeterm", QStringLiteral("36"));
    click(w, "cashdeal1");
    click(w, "disclosetotals1");
    const bool prices = checked(w, "discloseprices1");

    QVERIFY(chooseTemplate(w, QStringLiteral("Sedans")));
    QCOMPARE(text(w, "customername"), QStringLiteral("Ana Ruiz"));
    QCOMPARE(text(w, "customervehicle"), QStringLiteral("2024 Sedan"));
    QCOMPARE(text(w, "stocknumber"), QStringLiteral("S-1042"));
    QCOMPARE(text(w, "salesperson"), QStringLiteral("Lee"));
    QCOMPARE(text(w, "interestrate"), QStringLiteral("6"));
    QCOMPARE(text(w, "financeterm"), QStringLiteral("36"));
    QVERIFY(checked(w, "cashdeal1"));
    QCOMPARE(checked(w, "discloseprices1"), prices);

    QCOMPARE(frameCaption(w, 0), QStringLiteral("Elite"));
    QCOMPARE(frameCaption(w, 3), QStringLiteral("Value"));
    QCOMPARE(slotBox(w, "", 0, 0)->currentText(), QStringLiteral("Kit"));
    QCOMPARE(slotBox(w, "", 0, 1)->currentText(), QStringLiteral("Tint"));
    QCOMPARE(slotBox(w, "cost", 1, 9)->currentText(), QStringLiteral("49.95"));
    QCOMPARE(slotBox(w, "id", 3, 9)->currentText(), QString::number(kit));
    QCOMPARE(slotBox(w, "", 2, 0)->currentText(), QStringLiteral("NONE"));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("1599.00"));
    QCOMPARE(label(w, "totalprofit(0)"), QStringLiteral("1449.05"));
    QCOMPARE(label(w, "totalpayment(0)"), QStringLiteral("1607.00")); // cash at 6 %: 1599 x 1.005
    QCOMPARE(label(w, "totalpayment(2)"), QStringLiteral("0.00"));
}

void WorksheetTest::emptyPackageNamesKeepEarlierCaptions() {
    setSetting(QStringLiteral("package3"), QStringLiteral("Silver"));
    addTemplate(QStringLiteral("Named"), QString(), {}, {"One", "Two", "", "Four"});
    addTemplate(QStringLiteral("Unnamed"), QString(), {}, {"", "  ", "", ""});
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseTemplate(w, QStringLiteral("Named")));
    QCOMPARE(frameCaption(w, 0), QStringLiteral("One"));
    QCOMPARE(frameCaption(w, 2), QStringLiteral("Silver"));
    QVERIFY(chooseTemplate(w, QStringLiteral("Unnamed")));
    QCOMPARE(frameCaption(w, 0), QStringLiteral("One"));
    QCOMPARE(frameCaption(w, 1), QStringLiteral("Two"));
    QCOMPARE(frameCaption(w, 2), QStringLiteral("Silver"));
    QCOMPARE(frameCaption(w, 3), QStringLiteral("Four"));
}

void WorksheetTest::deletedProductLoadsAsNone() {
    const int gone = addProduct(QStringLiteral("Discontinued"), 10, 90);
    const int kept = addProduct(QStringLiteral("Current"), 20, 80);
    addTemplate(QStringLiteral("Old"), QString(), {gone, kept});
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseProduct(w, 0, 0, QStringLiteral("Current")));
    Module1::dbproducts.exec(QStringLiteral("delete from [table] where id = ?"), {gone});
    QVERIFY(chooseTemplate(w, QStringLiteral("Old")));
    QCOMPARE(slotBox(w, "", 0, 0)->currentText(), QStringLiteral("NONE"));
    QCOMPARE(slotBox(w, "msrp", 0, 0)->currentText(), QStringLiteral("0"));
    QCOMPARE(slotBox(w, "", 0, 1)->currentText(), QStringLiteral("Current"));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("80.00"));
}

void WorksheetTest::goldLoadsGoldNotGoldPlus_data() {
    QTest::addColumn<bool>("plusFirst");
    QTest::newRow("Gold stored first") << false;
    QTest::newRow("Gold Plus stored first") << true;
}

void WorksheetTest::goldLoadsGoldNotGoldPlus() {
    QFETCH(bool, plusFirst);
    const int a = addProduct(QStringLiteral("Alpha"), 1, 10);
    const int b = addProduct(QStringLiteral("Beta"), 2, 20);
    if (plusFirst)
        addTemplate(QStringLiteral("Gold Plus"), QString(), {b}, {"Plus"});
    addTemplate(QStringLiteral("Gold"), QString(), {a}, {"Plain"});
    if (!plusFirst)
        addTemplate(QStringLiteral("Gold Plus"), QString(), {b}, {"Plus"});
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseTemplate(w, QStringLiteral("Gold")));
    QCOMPARE(frameCaption(w, 0), QStringLiteral("Plain"));
    QCOMPARE(slotBox(w, "", 0, 0)->currentText(), QStringLiteral("Alpha"));
    QVERIFY(chooseTemplate(w, QStringLiteral("Gold Plus")));
    QCOMPARE(frameCaption(w, 0), QStringLiteral("Plus"));
    QCOMPARE(slotBox(w, "", 0, 0)->currentText(), QStringLiteral("Beta"));
}

void WorksheetTest::sameEntryAgainReloads() {
    const int a = addProduct(QStringLiteral("Alpha"), 1, 10);
    addProduct(QStringLiteral("Beta"), 2, 20);
    addTemplate(QStringLiteral("Gold"), QString(), {a});
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseTemplate(w, QStringLiteral("Gold")));
    QVERIFY(chooseProduct(w, 0, 0, QStringLiteral("Beta")));
    QVERIFY(chooseProduct(w, 0, 1, QStringLiteral("Beta")));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("40.00"));
    QVERIFY(chooseTemplate(w, QStringLiteral("Gold")));
    QCOMPARE(slotBox(w, "", 0, 0)->currentText(), QStringLiteral("Alpha"));
    QCOMPARE(slotBox(w, "", 0, 1)->currentText(), QStringLiteral("NONE"));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("10.00"));
}

void WorksheetTest::namesWithQuotesAndPatternsLoadTheChosenOne_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophe") << "O'Brien's Trucks";
    QTest::newRow("percent") << "100%";
    QTest::newRow("underscore") << "a_b";
    QTest::newRow("star") << "Star*";
    QTest::newRow("bracket") << "[Fleet]";
    QTest::newRow("duplicate name") << "Twin";
}

void WorksheetTest::namesWithQuotesAndPatternsLoadTheChosenOne() {
    QFETCH(QString, name);
    // Decoys that a pattern or a spliced text would match instead.
    const QStringList decoys{"O'Brien's Trucks X", "1000", "axb", "Starship", "F", "Twin", "[Fleet] 2", "100% Plus"};
    QList<int> products;
    for (int i = 0; i <= decoys.size(); ++i)
        products << addProduct(QStringLiteral("Product %1").arg(i, 2, 10, QLatin1Char('0')), i, 10 * (i + 1));
    for (int i = 0; i < decoys.size(); ++i)
        addTemplate(decoys[i], QString(), {products[i]}, {QStringLiteral("decoy %1").arg(i)});
    addTemplate(name, QString(), {products.last()}, {QStringLiteral("chosen")});
    makedeal *w = openWorksheet();
    QVERIFY(w);

    auto *templates = control<QComboBox>(w, "vehicledefault");
    // The chosen one is the last stored entry of that name.
    int row = -1;
    for (int i = 0; i < templates->count(); ++i)
        if (templates->itemText(i) == name)
            row = i;
    QVERIFY(row > 0);
    QVERIFY(chooseTemplateRow(w, row));
    QCOMPARE(frameCaption(w, 0), QStringLiteral("chosen"));
    QCOMPARE(slotBox(w, "", 0, 0)->currentText(), QStringLiteral("Product %1").arg(decoys.size(), 2, 10, QLatin1Char('0')));
}

void WorksheetTest::emptyEntryChangesNothing() {
    const int a = addProduct(QStringLiteral("Alpha"), 1, 10);
    addTemplate(QStringLiteral("Gold"), QString(), {a}, {"Plain"});
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QVERIFY(chooseTemplate(w, QStringLiteral("Gold")));
    QVERIFY(chooseProduct(w, 0, 2, QStringLiteral("Alpha")));
    QVERIFY(chooseTemplateRow(w, 0));
    QCOMPARE(frameCaption(w, 0), QStringLiteral("Plain"));
    QCOMPARE(slotBox(w, "", 0, 2)->currentText(), QStringLiteral("Alpha"));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("20.00"));
}

void WorksheetTest::productAddedAfterOpeningIsFound() {
    addProduct(QStringLiteral("Alpha"), 1, 10);
    addProduct(QStringLiteral("Gamma"), 3, 30);
    addTemplate(QStringLiteral("Late"), QString(), {5000, 0, 5000});
    makedeal *w = openWorksheet();
    QVERIFY(w);
    addProduct(QStringLiteral("Beta"), 2, 20, QString(), QString(), 5000);

    QVERIFY(chooseTemplate(w, QStringLiteral("Late")));
    QCOMPARE(slotBox(w, "", 0, 0)->currentText(), QStringLiteral("Beta"));
    QCOMPARE(slotBox(w, "msrp", 0, 0)->currentText(), QStringLiteral("20.00"));
    QCOMPARE(slotBox(w, "id", 0, 2)->currentText(), QStringLiteral("5000"));
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("40.00"));
    // Every slot now offers it in its place in the catalogue order.
    QCOMPARE(slotBox(w, "", 3, 9)->itemText(2), QStringLiteral("Beta"));
    QCOMPARE(slotBox(w, "", 3, 9)->itemText(3), QStringLiteral("Gamma"));
}

void WorksheetTest::largeCatalogueLoadsEverySlot() {
    Module1::dbproducts.exec(QStringLiteral("begin"));
    QList<int> ids;
    for (int i = 0; i < 600; ++i) {
        const int id = 1000 + i;
        Module1::dbproducts.exec(QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp) values (?,?,?,?)"),
                                 {id, QStringLiteral("Item %1").arg(i, 4, 10, QLatin1Char('0')), 1.0, 2.0 + i});
        ids << id;
    }
    Module1::dbproducts.exec(QStringLiteral("commit"));
    QList<int> menu;
    for (int k = 0; k < 40; ++k)
        menu << ids[599 - k * 7];
    addTemplate(QStringLiteral("Deep"), QString(), menu);
    makedeal *w = openWorksheet();
    QVERIFY(w);
    QCOMPARE(slotBox(w, "", 0, 0)->count(), 601);
    QVERIFY(chooseTemplate(w, QStringLiteral("Deep")));
    for (int k = 0; k < 40; ++k) {
        const int i = 599 - k * 7;
        QCOMPARE(slotBox(w, "", k / 10, k % 10)->currentText(), QStringLiteral("Item %1").arg(i, 4, 10, QLatin1Char('0')));
        QCOMPARE(slotBox(w, "msrp", k / 10, k % 10)->currentText(), QString::number(2.0 + i, 'f', 2));
    }
}

// ---- Leaving ----

void WorksheetTest::exitDiscardsTheDeal() {
    addProduct(QStringLiteral("Kit"), 0, 1500);
    makedeal *w = openWorksheet();
    QVERIFY(w);
    typeAndLeave(w, "customername", QStringLiteral("Ana Ruiz"));
    QVERIFY(chooseProduct(w, 0, 0, QStringLiteral("Kit")));
    QVERIFY(click(w, "Command3"));
    QTRY_VERIFY(!SingleWindow<makedeal>::existing());
    QVERIFY(SingleWindow<Form1>::instance()->isVisible());

    w = openWorksheet();
    QVERIFY(w);
    QCOMPARE(text(w, "customername"), QString());
    QCOMPARE(slotBox(w, "", 0, 0)->currentIndex(), -1);
    QCOMPARE(label(w, "totalmsrp(0)"), QStringLiteral("0"));
}

void WorksheetTest::titleBarCloseDoesWhatExitDoes() {
    makedeal *w = openWorksheet();
    QVERIFY(w);
    typeAndLeave(w, "customername", QStringLiteral("Ana Ruiz"));
    SingleWindow<Form1>::instance()->hide();
    QVERIFY(w->close());
    QTRY_VERIFY(!SingleWindow<makedeal>::existing());
    QVERIFY(SingleWindow<Form1>::instance()->isVisible());
    w = openWorksheet();
    QVERIFY(w);
    QCOMPARE(text(w, "customername"), QString());
}
