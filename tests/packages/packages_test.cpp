// The package templates: the template list, the editor's buttons, and the forty slots with their totals.

#include "app/form1.h"
#include "app/module1.h"
#include "app/windows.h"
#include "data/schema.h"
#include "packages/editvehicle.h"
#include "packages/vehiclelist.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

using namespace testsupport;

namespace {
const QStringList kNames{"Platinum", "Gold", "Silver", "Bronze"};
const QStringList kZero{"$0.00", "$0.00", "$0.00"};

vehiclelist *openList() {
    Form1 *main = SingleWindow<Form1>::instance();
    main->show();
    auto *action = main->findChild<QAction *>(QStringLiteral("m_default"));
    if (action && action->isEnabled())
        action->trigger();
    vehiclelist *list = SingleWindow<vehiclelist>::existing();
    return list && QTest::qWaitForWindowExposed(list) ? list : nullptr;
}

// The grid's rows as "vehicle|notes".
QStringList listed(vehiclelist *list) {
    QStringList rows;
    auto *grid = list ? control<QTableWidget>(list, QStringLiteral("grid1")) : nullptr;
    for (int r = 0; grid && r < grid->rowCount(); ++r) {
        auto cell = [&](int c) { return grid->item(r, c) ? grid->item(r, c)->text() : QString(); };
        rows << cell(1) + QLatin1Char('|') + cell(2);
    }
    return rows;
}

// Clicks the first row listing `vehicle`; returns the editor it opened.
editvehicle *openOn(const QString &vehicle) {
    vehiclelist *list = openList();
    const int row = listed(list).indexOf(QRegularExpression("(?s)" + QRegularExpression::escape(vehicle) + "\\|.*"));
    if (row < 0)
        return nullptr;
    auto *grid = control<QTableWidget>(list, QStringLiteral("grid1"));
    const QPoint at = grid->visualRect(grid->model()->index(row, 1)).center();
    answeringBoxes([&] { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at); });
    return SingleWindow<editvehicle>::existing();
}

QComboBox *slotBox(QWidget *w, int p, int s, const QString &kind = QString()) {
    return control<QComboBox>(w, QStringLiteral("menu%1%2(%3)").arg(p).arg(kind).arg(s));
}

bool choose(QWidget *w, int p, int s, const QString &name) {
    QComboBox *box = slotBox(w, p, s);
    const int row = box ? box->findText(name, Qt::MatchExactly) : -1;
    if (row < 0)
        return false;
    box->showPopup();
    QAbstractItemView *view = box->view();
    if (!QTest::qWaitForWindowExposed(view->window()))
        return false;
    const QModelIndex index = view->model()->index(row, box->modelColumn(), view->rootIndex());
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    return QTest::qWaitFor([view] { return !view->isVisible(); }) && box->currentIndex() == row;
}

QString text(QWidget *w, const QString &name) {
    QWidget *c = control(w, name);
    auto *l = qobject_cast<QLabel *>(c);
    auto *e = qobject_cast<QLineEdit *>(c);
    return l ? l->text() : e ? e->text() : QString();
}

QStringList totals(QWidget *w, int p) {
    QStringList shown;
    for (const char *kind : {"totalcost", "totalmsrp", "totalprofit"})
        shown << text(w, QStringLiteral("%1(%2)").arg(QLatin1String(kind)).arg(p));
    return shown;
}

QString stored(int id, const QString &field) {
    const QString sql = QStringLiteral("select [%1] from [table] where id = %2").arg(field).arg(id);
    return column(schema::vehiclesFile(), sql).value(0).toString();
}

int storedCount(const QString &where = QStringLiteral("1=1")) {
    return column(schema::vehiclesFile(), QStringLiteral("select count(*) from [table] where ") + where).value(0).toInt();
}

QList<int> storedSlots(int id) {
    QList<int> values;
    for (int p = 0; p < 4; ++p)
        for (int s = 0; s < 10; ++s)
            values << stored(id, schema::slotField(p, s)).toInt();
    return values;
}

QList<int> slotsWith(const QList<QPair<int, int>> &placed) {
    QList<int> values(40, 0);
    for (const auto &[index, id] : placed)
        values[index] = id;
    return values;
}
} // namespace

class PackagesTest : public QObject {
    Q_OBJECT
private slots:
    void addItemStoresANewTemplateAtOnce() {
        ProgramFolder folder;
        addProduct(QStringLiteral("Tint"), 50, 150);
        setSetting(QStringLiteral("ve_total"), 7);
        for (int p = 0; p < 4; ++p)
            setSetting(QStringLiteral("package%1").arg(p + 1), kNames[p]);
        QVERIFY(openList());
        answeringBoxes([&] { click(SingleWindow<vehiclelist>::existing(), QStringLiteral("Command1")); });
        editvehicle *editor = SingleWindow<editvehicle>::existing();
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(text(editor, QStringLiteral("id")), QStringLiteral("8"));
        QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), 8);
        QCOMPARE(storedCount(QStringLiteral("id = 8")), 1);
        for (int p = 0; p < 4; ++p) {
            QCOMPARE(stored(8, QStringLiteral("package%1").arg(p + 1)), kNames[p]);
            QCOMPARE(text(editor, QStringLiteral("packagename(%1)").arg(p)), kNames[p]);
            QCOMPARE(totals(editor, p), kZero);
        }
        QCOMPARE(storedSlots(8), QList<int>(40, 0));
        QTRY_VERIFY(!SingleWindow<vehiclelist>::existing());
    }

    void copyRecordMakesTheCopyCurrent() {
        ProgramFolder folder;
        const int tint = addProduct(QStringLiteral("Tint"), 50, 150);
        const QList<int> placed = slotsWith({{2, tint}, {25, tint}});
        addTemplate(QStringLiteral("Camry"), QStringLiteral("V6\r\nleather"), placed, kNames, 12);
        setSetting(QStringLiteral("ve_total"), 40);
        editvehicle *editor = openOn(QStringLiteral("Camry"));
        QVERIFY(editor);
        answeringBoxes([&] { click(editor, QStringLiteral("Command9")); }, {false});
        QCOMPARE(text(editor, QStringLiteral("id")), QStringLiteral("12"));
        QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), 40);
        QCOMPARE(storedCount(), 1);
        type(editor, QStringLiteral("vehiclename"), QStringLiteral("Camry SE"));
        const QList<BoxSeen> boxes = answeringBoxes([&] { click(editor, QStringLiteral("Command9")); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text, QStringLiteral("Copy Record?"));
        QCOMPARE(text(editor, QStringLiteral("id")), QStringLiteral("41"));
        QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), 41);
        QCOMPARE(stored(12, QStringLiteral("vehiclename")), QStringLiteral("Camry SE"));
        QCOMPARE(stored(41, QStringLiteral("vehiclename")), QStringLiteral("Camry SE"));
        QCOMPARE(stored(41, QStringLiteral("notes")), QStringLiteral("V6\r\nleather"));
        QCOMPARE(stored(41, QStringLiteral("package4")), QStringLiteral("Bronze"));
        QCOMPARE(storedSlots(41), placed);
        type(editor, QStringLiteral("vehiclename"), QStringLiteral("Copy"));
        const QList<BoxSeen> saved = answeringBoxes([&] { click(editor, QStringLiteral("Command1")); });
        QCOMPARE(saved.value(0).text, QStringLiteral("Record Saved"));
        QCOMPARE(stored(41, QStringLiteral("vehiclename")), QStringLiteral("Copy"));
        QCOMPARE(stored(12, QStringLiteral("vehiclename")), QStringLiteral("Camry SE"));
        // Picking another template in the list while the editor still shows one stores the shown one.
        type(editor, QStringLiteral("vehiclename"), QStringLiteral("Copy 2"));
        QCOMPARE(openOn(QStringLiteral("Camry SE")), editor);
        QCOMPARE(text(editor, QStringLiteral("id")), QStringLiteral("12"));
        QCOMPARE(stored(41, QStringLiteral("vehiclename")), QStringLiteral("Copy 2"));
        QVERIFY(click(editor, QStringLiteral("Command6")));
        QCOMPARE(text(editor, QStringLiteral("vehiclename")), QStringLiteral("Copy 2"));
    }

    void listMoveDeleteAndClearForm() {
        ProgramFolder folder;
        const int tint = addProduct(QStringLiteral("Tint"), 50, 150);
        const int camry = addTemplate(QStringLiteral("Camry"), QStringLiteral("V6"));
        const int accord = addTemplate(QStringLiteral("Accord"), QString(), slotsWith({{0, tint}, {9, tint}}), kNames);
        const int lx = addTemplate(QStringLiteral("Accord"), QStringLiteral("LX"));
        const int counter = Module1::ve_total;
        QCOMPARE(listed(openList()), QStringList({"Accord|", "Accord|LX", "Camry|V6"}));
        editvehicle *editor = openOn(QStringLiteral("Camry"));
        QVERIFY(editor);
        // The move buttons walk the list's order and stop at its ends.
        const QList<QPair<const char *, int>> steps{{"Command6", camry}, {"Command4", accord}, {"Command5", accord},
                                                    {"Command6", lx},    {"Command7", camry},  {"Command5", lx}};
        for (const auto &[button, shows] : steps) {
            QVERIFY(click(editor, QString::fromLatin1(button)));
            QCOMPARE(text(editor, QStringLiteral("id")), QString::number(shows));
        }
        // What is shown is stored before every move.
        type(editor, QStringLiteral("vehiclename"), QStringLiteral("Blazer"));
        QVERIFY(click(editor, QStringLiteral("Command7")));
        QCOMPARE(stored(lx, QStringLiteral("vehiclename")), QStringLiteral("Blazer"));
        QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Accord'")), 1);
        const QList<BoxSeen> asked = answeringBoxes([&] { click(editor, QStringLiteral("Command3")); }, {false});
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].text, QStringLiteral("Delete Current Record?"));
        QVERIFY(editor->isVisible());
        QCOMPARE(storedCount(), 3);
        answeringBoxes([&] { click(editor, QStringLiteral("Command3")); }, {true});
        QVERIFY(!editor->isVisible());
        QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Camry'")), 0);
        QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), counter);
        vehiclelist *list = SingleWindow<vehiclelist>::existing();
        QVERIFY(list && list->isVisible());
        QCOMPARE(listed(list), QStringList({"Accord|", "Blazer|LX"}));
        // Clear Form then EXIT stores an empty template with id 0, which is never listed.
        editor = openOn(QStringLiteral("Accord"));
        QVERIFY(editor);
        QVERIFY(click(editor, QStringLiteral("Command2")));
        QCOMPARE(text(editor, QStringLiteral("id")), QString());
        QCOMPARE(totals(editor, 0), kZero);
        QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Accord'")), 1); // nothing stored yet
        QVERIFY(click(editor, QStringLiteral("Command8")));
        QCOMPARE(storedCount(QStringLiteral("id = 0")), 1);
        QCOMPARE(storedSlots(0), QList<int>(40, 0));
        QCOMPARE(stored(0, QStringLiteral("vehiclename")), QString());
        QCOMPARE(stored(0, QStringLiteral("package1")), QString());
        QCOMPARE(storedCount(), 2);
        QCOMPARE(listed(SingleWindow<vehiclelist>::existing()), QStringList({"Blazer|LX"}));
    }

    void pickingProductsTotalsThePackage_data() {
        QTest::addColumn<QStringList>("picks"); // package 0's slots in turn; "" leaves one empty
        QTest::addColumn<QString>("firstCost"); // as the first picked slot lists it
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("two products") << QStringList{"Tint", "Wax"} << "100.00"
                                      << QStringList{"$149.95", "$349.00", "$199.05"};
        QTest::newRow("MSRP below cost") << QStringList{"", "", "", "", "Loss"} << "60.00"
                                         << QStringList{"$60.00", "$50.00", "$-10.00"};
        QTest::newRow("cost of 19.999") << QStringList{"Odd"} << "20.00" << QStringList{"$20.00", "$30.00", "$10.00"};
        QTest::newRow("one product in all ten slots") << QStringList(10, "Guard") << "12.50"
                                                      << QStringList{"$125.00", "$200.00", "$75.00"};
    }

    void pickingProductsTotalsThePackage() {
        QFETCH(QStringList, picks);
        QFETCH(QString, firstCost);
        QFETCH(QStringList, expected);
        ProgramFolder folder;
        for (const auto &[name, cost, msrp] : QList<std::tuple<QString, double, double>>{
                 {"Tint", 100, 250}, {"Wax", 49.95, 99}, {"Loss", 60, 50}, {"Odd", 19.999, 30}, {"Guard", 12.5, 20}})
            addProduct(name, cost, msrp);
        const int id = addTemplate(QStringLiteral("Camry"), QString());
        editvehicle *editor = openOn(QStringLiteral("Camry"));
        QVERIFY(editor);
        for (int s = 0; s < picks.size(); ++s)
            QVERIFY(picks[s].isEmpty() || choose(editor, 0, s, picks[s]));
        QCOMPARE(slotBox(editor, 0, picks.lastIndexOf(QString()) + 1, QStringLiteral("cost"))->currentText(), firstCost);
        QCOMPARE(totals(editor, 0), expected);
        for (int p = 1; p < 4; ++p)
            QCOMPARE(totals(editor, p), kZero);
        // Stored and loaded again (in the same editor, only hidden), it shows the same totals.
        QVERIFY(click(editor, QStringLiteral("Command8")));
        QCOMPARE(openOn(QStringLiteral("Camry")), editor);
        QCOMPARE(totals(editor, 0), expected);
        QCOMPARE(storedSlots(id).count(0), 40 - int(picks.size() - picks.count(QString())));
    }

    // Behind 300 other products (ids and list rows past 255), with the slot lists filled before the
    // catalogue changes: a deleted product loads as "NONE", one added (also in the deleted one's storage
    // place) is found by its id.
    void catalogueChangedAfterTheEditorOpened_data() {
        QTest::addColumn<bool>("add");
        QTest::addColumn<bool>("remove");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("product deleted") << false << true << QStringList{"$100.00", "$250.00", "$150.00"};
        QTest::newRow("product added") << true << false << QStringList{"$449.95", "$849.00", "$399.05"};
        QTest::newRow("added in the deleted one's place") << true << true << QStringList{"$400.00", "$750.00", "$350.00"};
    }

    void catalogueChangedAfterTheEditorOpened() {
        QFETCH(bool, add);
        QFETCH(bool, remove);
        QFETCH(QStringList, expected);
        ProgramFolder folder;
        column(schema::productsFile(), "with recursive n(i) as (select 1 union all select i + 1 from n where i < 300) "
                                       "insert into [table] (id, aftermarketname) select i, 'Filler ' || i from n");
        setSetting(QStringLiteral("am_total"), 300);
        const int tint = addProduct(QStringLiteral("Tint"), 100, 250);
        const int wax = addProduct(QStringLiteral("Wax"), 49.95, 99);
        const int late = 700;
        addTemplate(QStringLiteral("Accord"), QString());
        const int id = addTemplate(QStringLiteral("Camry"), QString(), slotsWith({{0, late}, {1, tint}, {2, wax}}));
        editvehicle *editor = openOn(QStringLiteral("Accord"));
        QVERIFY(editor);
        QVERIFY(click(editor, QStringLiteral("Command8")));
        if (remove)
            column(schema::productsFile(), QStringLiteral("delete from [table] where id = %1").arg(wax));
        if (add)
            addProduct(QStringLiteral("Bedliner"), 300, 500, QString(), QString(), late);
        editor = openOn(QStringLiteral("Camry"));
        QCOMPARE(slotBox(editor, 0, 0)->currentText(), add ? QStringLiteral("Bedliner") : QStringLiteral("NONE"));
        QCOMPARE(slotBox(editor, 0, 1)->currentText(), QStringLiteral("Tint"));
        QCOMPARE(slotBox(editor, 0, 2)->currentText(), remove ? QStringLiteral("NONE") : QStringLiteral("Wax"));
        QCOMPARE(totals(editor, 0), expected);
        if (add) // every slot now offers it
            QVERIFY(choose(editor, 3, 9, QStringLiteral("Bedliner")));
        QVERIFY(click(editor, QStringLiteral("Command8")));
        QCOMPARE(storedSlots(id), slotsWith({{0, add ? late : 0}, {1, tint}, {2, remove ? 0 : wax}, {39, add ? late : 0}}));
    }
};

QTEST_MAIN(PackagesTest)
#include "packages_test.moc"
