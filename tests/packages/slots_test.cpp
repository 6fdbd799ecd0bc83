// The forty slots: what they offer, how picks and stored ids become totals, and how ids survive.

#include "slots_test.h"

#include "app/module1.h"
#include "app/windows.h"
#include "data/schema.h"
#include "packages/editvehicle.h"
#include "packages/vehiclelist.h"
#include "packages_support.h"
#include "testsupport.h"

#include <QComboBox>
#include <QtTest>

using namespace testsupport;
using namespace packagestest;

namespace {
struct Product {
    QString name;
    double cost;
    double msrp;
};
struct Pick {
    int slot; // package 0
    QString name;
};
} // namespace
Q_DECLARE_METATYPE(QList<Product>)
Q_DECLARE_METATYPE(QList<Pick>)

namespace {
editvehicle *openOn(const QString &vehicle) { return openTemplate(openList(), vehicle); }

QList<int> slotsWith(QList<QPair<int, int>> placed) {
    QList<int> values(40, 0);
    for (const auto &[index, id] : placed)
        values[index] = id;
    return values;
}
} // namespace

void SlotsTest::pickingProductsTotalsThePackage_data() {
    QTest::addColumn<QList<Product>>("catalogue");
    QTest::addColumn<QList<Pick>>("picks");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("two products") << QList<Product>{{"Tint", 100, 250}, {"Wax", 49.95, 99}}
                                  << QList<Pick>{{0, "Tint"}, {1, "Wax"}}
                                  << QStringList{"$149.95", "$349.00", "$199.05"};
    QTest::newRow("MSRP below cost") << QList<Product>{{"Loss", 60, 50}} << QList<Pick>{{4, "Loss"}}
                                     << QStringList{"$60.00", "$50.00", "$-10.00"};
    QTest::newRow("cost of 19.999") << QList<Product>{{"Odd", 19.999, 30}} << QList<Pick>{{0, "Odd"}}
                                    << QStringList{"$20.00", "$30.00", "$10.00"};
    QList<Pick> ten;
    for (int s = 0; s < 10; ++s)
        ten.append({s, "Guard"});
    QTest::newRow("one product in all ten slots") << QList<Product>{{"Guard", 12.5, 20}} << ten
                                                  << QStringList{"$125.00", "$200.00", "$75.00"};
}

void SlotsTest::pickingProductsTotalsThePackage() {
    QFETCH(QList<Product>, catalogue);
    QFETCH(QList<Pick>, picks);
    QFETCH(QStringList, expected);
    ProgramFolder folder;
    for (const Product &p : catalogue)
        addProduct(p.name, p.cost, p.msrp);
    const int id = addTemplate(QStringLiteral("Camry"), QString());
    editvehicle *editor = openOn(QStringLiteral("Camry"));
    QVERIFY(editor);
    for (const Pick &pick : picks)
        QVERIFY(chooseProduct(editor, 0, pick.slot, pick.name));
    QCOMPARE(totals(editor, 0), expected);
    for (int p = 1; p < 4; ++p)
        QCOMPARE(totals(editor, p), QStringList({"$0.00", "$0.00", "$0.00"}));
    // Stored and loaded again, the template shows the same totals.
    QVERIFY(click(editor, QStringLiteral("Command8")));
    editor = openOn(QStringLiteral("Camry"));
    QCOMPARE(totals(editor, 0), expected);
    QCOMPARE(storedSlots(id).count(0), 40 - int(picks.size()));
}

void SlotsTest::choosingNoneEmptiesTheSlot() {
    ProgramFolder folder;
    addProduct(QStringLiteral("Odd"), 19.999, 30);
    addTemplate(QStringLiteral("Camry"), QString());
    editvehicle *editor = openOn(QStringLiteral("Camry"));
    QVERIFY(chooseProduct(editor, 2, 3, QStringLiteral("Odd")));
    QCOMPARE(slotBox(editor, QStringLiteral("cost"), 2, 3)->currentText(), QStringLiteral("20.00"));
    QCOMPARE(slotBox(editor, QStringLiteral("msrp"), 2, 3)->currentText(), QStringLiteral("30.00"));
    QVERIFY(chooseProduct(editor, 2, 3, QStringLiteral("NONE")));
    QCOMPARE(slotBox(editor, QStringLiteral("id"), 2, 3)->currentText(), QStringLiteral("0"));
    QCOMPARE(slotBox(editor, QStringLiteral("cost"), 2, 3)->currentText(), QStringLiteral("0"));
    QCOMPARE(totals(editor, 2), QStringList({"$0.00", "$0.00", "$0.00"}));
}

void SlotsTest::aTemplateLoadsItsProductsById() {
    ProgramFolder folder;
    const int tint = addProduct(QStringLiteral("Tint"), 100, 250);
    const int wax = addProduct(QStringLiteral("Wax"), 49.95, 99);
    addTemplate(QStringLiteral("Camry"), QString(), slotsWith({{10, tint}, {11, wax}, {39, wax}}));
    editvehicle *editor = openOn(QStringLiteral("Camry"));
    QVERIFY(editor);
    QCOMPARE(slotBox(editor, QString(), 1, 0)->currentText(), QStringLiteral("Tint"));
    QCOMPARE(slotBox(editor, QStringLiteral("id"), 1, 1)->currentText(), QString::number(wax));
    QCOMPARE(slotBox(editor, QString(), 0, 0)->currentText(), QStringLiteral("NONE"));
    QCOMPARE(totals(editor, 1), QStringList({"$149.95", "$349.00", "$199.05"}));
    QCOMPARE(totals(editor, 3), QStringList({"$49.95", "$99.00", "$49.05"}));
}

void SlotsTest::twoProductsWithOneNameAreTwoEntriesCheaperFirst() {
    ProgramFolder folder;
    addProduct(QStringLiteral("Wax"), 30, 60);
    addProduct(QStringLiteral("Alarm"), 200, 400);
    addProduct(QStringLiteral("Wax"), 10, 40);
    addTemplate(QStringLiteral("Camry"), QString());
    editvehicle *editor = openOn(QStringLiteral("Camry"));
    QComboBox *names = slotBox(editor, QString(), 0, 0);
    QComboBox *costs = slotBox(editor, QStringLiteral("cost"), 0, 0);
    QCOMPARE(names->count(), 4);
    const QStringList shown{names->itemText(0), names->itemText(1), names->itemText(2), names->itemText(3)};
    QCOMPARE(shown, QStringList({"NONE", "Alarm", "Wax", "Wax"}));
    QCOMPARE(costs->itemText(2), QStringLiteral("10.00"));
    QCOMPARE(costs->itemText(3), QStringLiteral("30.00"));
    QVERIFY(chooseRow(names, 3));
    QCOMPARE(totals(editor, 0), QStringList({"$30.00", "$60.00", "$30.00"}));
}

void SlotsTest::slotsTakeNoTypingAndHideTheirFigures() {
    ProgramFolder folder;
    addProduct(QStringLiteral("Tint"), 100, 250);
    addTemplate(QStringLiteral("Camry"), QString());
    editvehicle *editor = openOn(QStringLiteral("Camry"));
    for (int p = 0; p < 4; ++p) {
        for (int s = 0; s < 10; ++s) {
            QComboBox *product = slotBox(editor, QString(), p, s);
            QVERIFY(product && product->isVisible());
            QVERIFY(!product->isEditable());
            for (const char *kind : {"id", "cost", "msrp"})
                QVERIFY(!slotBox(editor, QString::fromLatin1(kind), p, s)->isVisible());
        }
    }
    QComboBox *product = slotBox(editor, QString(), 0, 0);
    product->setFocus();
    QTest::keyClicks(product, QStringLiteral("xyz"));
    QCOMPARE(product->currentText(), QStringLiteral("NONE"));
    QCOMPARE(totals(editor, 0), QStringList({"$0.00", "$0.00", "$0.00"}));
}

void SlotsTest::aDeletedProductLoadsAsNoneAndSavesAsZero() {
    ProgramFolder folder;
    const int tint = addProduct(QStringLiteral("Tint"), 100, 250);
    const int wax = addProduct(QStringLiteral("Wax"), 49.95, 99);
    addTemplate(QStringLiteral("Accord"), QString());
    const int id = addTemplate(QStringLiteral("Camry"), QString(), slotsWith({{0, tint}, {1, wax}}));
    // The editor's lists are filled while the product still exists.
    editvehicle *editor = openOn(QStringLiteral("Accord"));
    QVERIFY(editor);
    QVERIFY(click(editor, QStringLiteral("Command8")));
    column(schema::productsFile(), QStringLiteral("delete from [table] where id = %1").arg(tint));
    editor = openOn(QStringLiteral("Camry"));
    QCOMPARE(slotBox(editor, QString(), 0, 0)->currentText(), QStringLiteral("NONE"));
    QCOMPARE(slotBox(editor, QString(), 0, 1)->currentText(), QStringLiteral("Wax"));
    QCOMPARE(totals(editor, 0), QStringList({"$49.95", "$99.00", "$49.05"}));
    QVERIFY(click(editor, QStringLiteral("Command8")));
    QCOMPARE(storedSlots(id), slotsWith({{1, wax}}));
}

void SlotsTest::storedValuesThatNameNoProductLoadAsNone_data() {
    QTest::addColumn<QString>("stored"); // as SQL
    QTest::newRow("an id never handed out") << "987";
    QTest::newRow("negative") << "-3";
    QTest::newRow("beyond 32 bits") << "1e20";
    QTest::newRow("text") << "'abc'";
    QTest::newRow("no value") << "NULL";
}

void SlotsTest::storedValuesThatNameNoProductLoadAsNone() {
    QFETCH(QString, stored);
    ProgramFolder folder;
    const int tint = addProduct(QStringLiteral("Tint"), 100, 250);
    const int id = addTemplate(QStringLiteral("Camry"), QString(), slotsWith({{1, tint}}));
    column(schema::vehiclesFile(), QStringLiteral("update [table] set menu0_0 = %1 where id = %2").arg(stored).arg(id));
    editvehicle *editor = openOn(QStringLiteral("Camry"));
    QVERIFY(editor);
    QCOMPARE(slotBox(editor, QString(), 0, 0)->currentText(), QStringLiteral("NONE"));
    QCOMPARE(slotBox(editor, QString(), 0, 1)->currentText(), QStringLiteral("Tint"));
    QCOMPARE(totals(editor, 0), QStringList({"$100.00", "$250.00", "$150.00"}));
    QVERIFY(folder.databaseErrors().isEmpty());
}

void SlotsTest::aProductWithIdZeroIsOfferedButStoredAsZero() {
    ProgramFolder folder;
    addProduct(QStringLiteral("Cleared"), 5, 10, QString(), QString(), 0);
    const int id = addTemplate(QStringLiteral("Camry"), QString());
    editvehicle *editor = openOn(QStringLiteral("Camry"));
    QVERIFY(chooseProduct(editor, 0, 0, QStringLiteral("Cleared")));
    QCOMPARE(totals(editor, 0), QStringList({"$5.00", "$10.00", "$5.00"}));
    QVERIFY(click(editor, QStringLiteral("Command8")));
    QCOMPARE(storedSlots(id), QList<int>(40, 0));
    editor = openOn(QStringLiteral("Camry"));
    QCOMPARE(slotBox(editor, QString(), 0, 0)->currentText(), QStringLiteral("NONE"));
}

void SlotsTest::aLargeCatalogueLoadsAndSavesEveryProduct() {
    ProgramFolder folder;
    QList<int> ids;
    for (int i = 0; i < 600; ++i)
        ids << addProduct(QStringLiteral("Product %1").arg(i, 3, 10, QLatin1Char('0')), i, 2 * i);
    // Entries far past the 255th, in several slots.
    const QList<int> placed = slotsWith({{0, ids[599]}, {9, ids[300]}, {20, ids[256]}, {39, ids[1]}});
    const int id = addTemplate(QStringLiteral("Camry"), QString(), placed);
    editvehicle *editor = openOn(QStringLiteral("Camry"));
    QVERIFY(editor);
    QCOMPARE(slotBox(editor, QString(), 0, 0)->currentText(), QStringLiteral("Product 599"));
    QCOMPARE(slotBox(editor, QString(), 0, 9)->currentText(), QStringLiteral("Product 300"));
    QCOMPARE(slotBox(editor, QString(), 2, 0)->currentText(), QStringLiteral("Product 256"));
    QCOMPARE(totals(editor, 0), QStringList({"$899.00", "$1798.00", "$899.00"}));
    QVERIFY(click(editor, QStringLiteral("Command8")));
    QCOMPARE(storedSlots(id), placed);
}

void SlotsTest::aProductAddedAfterTheEditorOpenedIsFound() {
    ProgramFolder folder;
    const int tint = addProduct(QStringLiteral("Tint"), 100, 250);
    const int late = 500;
    addTemplate(QStringLiteral("Accord"), QString(), slotsWith({{5, tint}}));
    const int id = addTemplate(QStringLiteral("Camry"), QString(), slotsWith({{0, late}, {5, tint}}));
    editvehicle *editor = openOn(QStringLiteral("Accord"));
    QVERIFY(editor);
    QVERIFY(click(editor, QStringLiteral("Command8")));
    // Stored while the editor (and its lists) already exist.
    addProduct(QStringLiteral("Alarm"), 200, 450, QString(), QString(), late);
    editor = openOn(QStringLiteral("Camry"));
    QVERIFY(editor);
    QCOMPARE(slotBox(editor, QString(), 0, 0)->currentText(), QStringLiteral("Alarm"));
    QCOMPARE(slotBox(editor, QStringLiteral("id"), 0, 0)->currentText(), QString::number(late));
    QCOMPARE(slotBox(editor, QString(), 0, 5)->currentText(), QStringLiteral("Tint"));
    QCOMPARE(totals(editor, 0), QStringList({"$300.00", "$700.00", "$400.00"}));
    // Every slot now offers it, and saving keeps the right ids.
    QVERIFY(chooseProduct(editor, 3, 9, QStringLiteral("Alarm")));
    QVERIFY(click(editor, QStringLiteral("Command8")));
    QCOMPARE(storedSlots(id), slotsWith({{0, late}, {5, tint}, {39, late}}));
}

void SlotsTest::aProductStoredInADeletedProductsPlaceIsFound() {
    ProgramFolder folder;
    const int tint = addProduct(QStringLiteral("Tint"), 100, 250);
    const int wax = addProduct(QStringLiteral("Wax"), 49.95, 99);
    const int late = 700;
    addTemplate(QStringLiteral("Accord"), QString());
    const int id = addTemplate(QStringLiteral("Camry"), QString(), slotsWith({{0, late}, {1, tint}, {2, wax}}));
    editvehicle *editor = openOn(QStringLiteral("Accord"));
    QVERIFY(click(editor, QStringLiteral("Command8")));
    // The file hands the newest product's place to the next one stored after it is deleted.
    column(schema::productsFile(), QStringLiteral("delete from [table] where id = %1").arg(wax));
    addProduct(QStringLiteral("Bedliner"), 300, 500, QString(), QString(), late);
    editor = openOn(QStringLiteral("Camry"));
    QCOMPARE(slotBox(editor, QString(), 0, 0)->currentText(), QStringLiteral("Bedliner"));
    QCOMPARE(slotBox(editor, QString(), 0, 1)->currentText(), QStringLiteral("Tint"));
    QCOMPARE(slotBox(editor, QString(), 0, 2)->currentText(), QStringLiteral("NONE"));
    QVERIFY(click(editor, QStringLiteral("Command8")));
    QCOMPARE(storedSlots(id), slotsWith({{0, late}, {1, tint}}));
}

void SlotsTest::anEmptyCatalogueSaysSoOnce() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Camry"), QString());
    vehiclelist *list = openList();
    QList<BoxSeen> boxes;
    const QStringList rows = listed(list);
    boxes = answeringBoxes([&] { clickRow(list, 0); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QStringLiteral("Message"));
    QCOMPARE(boxes[0].text, QStringLiteral("No Aftermarket Records"));
    editvehicle *editor = SingleWindow<editvehicle>::existing();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(slotBox(editor, QString(), 1, 1)->count(), 1);
    QCOMPARE(slotBox(editor, QString(), 1, 1)->currentText(), QStringLiteral("NONE"));
    // Shown again, the editor does not say it again.
    QVERIFY(click(editor, QStringLiteral("Command8")));
    boxes = answeringBoxes([&] { clickRow(SingleWindow<vehiclelist>::existing(), 0); });
    QCOMPARE(boxes.size(), 0);
}
