// The template list and the template editor, as a user walks through them.

#include "core/store/schema.h"
#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/packages/templateeditor.h"
#include "ui/packages/templatelist.h"

#include <QtTest>
#include <QtWidgets>

using namespace testsupport;

namespace {
const QStringList kNames{"Platinum", "Gold", "Silver", "Bronze"};
const QStringList kZero{"$0.00", "$0.00", "$0.00"};

TemplateList *openList() {
    MainWindow *main = app().window<MainWindow>();
    main->show();
    if (auto *action = main->findChild<QAction *>(QStringLiteral("m_default")); action && action->isEnabled())
        action->trigger();
    TemplateList *list = app().existing<TemplateList>();
    return list && QTest::qWaitForWindowExposed(list) ? list : nullptr;
}

QStringList listed(TemplateList *list) {
    QStringList rows;
    QAbstractItemModel *m = list ? control<QTableWidget>(list, QStringLiteral("grid1"))->model() : nullptr;
    for (int r = 0; m && r < m->rowCount(); ++r)
        rows << m->index(r, 1).data().toString() + QLatin1Char('|') + m->index(r, 2).data().toString();
    return rows;
}

TemplateEditor *openOn(const QString &vehicle) {
    TemplateList *list = openList();
    const int row = listed(list).indexOf(QRegularExpression("(?s)" + QRegularExpression::escape(vehicle) + "\\|.*"));
    if (row < 0)
        return nullptr;
    auto *grid = control<QTableWidget>(list, QStringLiteral("grid1"));
    const QPoint at = grid->visualRect(grid->model()->index(row, 1)).center();
    answeringBoxes([&] { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at); });
    return app().existing<TemplateEditor>();
}

QComboBox *slotBox(QWidget *w, int p, int s, const QString &kind = QString()) {
    return control<QComboBox>(w, QStringLiteral("menu%1%2(%3)").arg(p).arg(kind).arg(s));
}

// Picks a product as a user does: opens the slot's list and chooses the entry with the keyboard.
bool choose(QWidget *w, int p, int s, const QString &name) {
    QComboBox *box = slotBox(w, p, s);
    const int row = box ? box->findText(name, Qt::MatchExactly) : -1;
    if (row < 0)
        return false;
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(row, box->modelColumn()));
    QTest::keyClick(box->view(), Qt::Key_Return);
    return QTest::qWaitFor([box] { return !box->view()->isVisible(); }) && box->currentIndex() == row;
}

QString text(QWidget *w, const QString &name) { return control(w, name)->property("text").toString(); }

QStringList totals(QWidget *w, int p) {
    QStringList shown;
    for (const char *kind : {"totalcost", "totalmsrp", "totalprofit"})
        shown << text(w, QStringLiteral("%1(%2)").arg(QLatin1String(kind)).arg(p));
    return shown;
}

QVariant stored(const QString &sql) { return column(schema::vehiclesFile(), sql).value(0); }
QString stored(int id, const QString &field) {
    return stored(QStringLiteral("select [%1] from [table] where id=%2").arg(field).arg(id)).toString();
}
int storedCount(const QString &where = QStringLiteral("1=1")) {
    return stored(QStringLiteral("select count(*) from [table] where ") + where).toInt();
}
QString names(int id, int other) {
    return stored(id, QStringLiteral("vehiclename")) + QLatin1Char('|') + stored(other, QStringLiteral("vehiclename"));
}
QList<int> storedSlots(int id) {
    QList<int> values;
    for (int k = 0; k < 40; ++k)
        values << stored(id, schema::slotField(k / 10, k % 10)).toInt();
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
    void templatesThroughTheListAndTheEditor() {
        ProgramFolder folder;
        const int tint = addProduct(QStringLiteral("Tint"), 100, 250);
        for (const auto &[name, cost, msrp] : QList<std::tuple<QString, double, double>>{
                 {"Wax", 49.95, 99}, {"Loss", 60, 50}, {"Odd", 19.999, 30}, {"Guard", 12.5, 20}})
            addProduct(name, cost, msrp);
        const int camry = addTemplate(QStringLiteral("Camry"), QStringLiteral("V6"));
        const int accord = addTemplate(QStringLiteral("Accord"), QString(), slotsWith({{0, tint}, {9, tint}}), kNames);
        const int lx = addTemplate(QStringLiteral("accord"), QStringLiteral("LX")); // names sort ignoring case
        const int counter = app().settings().templateCounter;
        QCOMPARE(listed(openList()), QStringList({"Accord|", "accord|LX", "Camry|V6"}));
        TemplateEditor *editor = openOn(QStringLiteral("Camry"));
        QVERIFY(editor);
        // The move buttons walk the list's order and stop at its ends; what is shown is stored before a move.
        const QList<QPair<const char *, int>> steps{{"Command6", camry}, {"Command4", accord}, {"Command5", accord},
                                                    {"Command6", lx},    {"Command7", camry},  {"Command5", lx}};
        for (const auto &[button, shows] : steps) {
            QVERIFY(click(editor, QString::fromLatin1(button)));
            QCOMPARE(text(editor, QStringLiteral("id")), QString::number(shows));
        }
        type(editor, QStringLiteral("vehiclename"), QStringLiteral("Blazer"));
        QVERIFY(click(editor, QStringLiteral("Command7")));
        QCOMPARE(stored(lx, QStringLiteral("vehiclename")), QStringLiteral("Blazer"));
        QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Accord'")), 1);
        // Delete asks first; the id is not handed back.
        QCOMPARE(answeringBoxes([&] { click(editor, QStringLiteral("Command3")); }, {false}).value(0).text,
                 QStringLiteral("Delete Current Record?"));
        QCOMPARE(storedCount(), 3);
        answeringBoxes([&] { click(editor, QStringLiteral("Command3")); }, {true});
        QVERIFY(!editor->isVisible());
        QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Camry'")), 0);
        QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), counter);
        QCOMPARE(listed(app().existing<TemplateList>()), QStringList({"Accord|", "Blazer|LX"}));
        // Clear Form then EXIT stores an empty template with id 0, which is never listed.
        QVERIFY((editor = openOn(QStringLiteral("Accord"))));
        QVERIFY(click(editor, QStringLiteral("Command2")));
        QCOMPARE(text(editor, QStringLiteral("id")), QString());
        QCOMPARE(totals(editor, 0), kZero);
        QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Accord'")), 1); // nothing stored yet
        QVERIFY(click(editor, QStringLiteral("Command8")));
        QCOMPARE(storedSlots(0), QList<int>(40, 0));
        QCOMPARE(stored(0, QStringLiteral("vehiclename")) + stored(0, QStringLiteral("package1")), QString());
        QCOMPARE(storedCount(), 2);
        QCOMPARE(listed(app().existing<TemplateList>()), QStringList({"Blazer|LX"}));
        // "Add Item" draws the next template id, then stores and edits a template with the default package names.
        setSetting(QStringLiteral("ve_total"), 11);
        for (int p = 0; p < 4; ++p)
            setSetting(QStringLiteral("package%1").arg(p + 1), kNames[p]);
        answeringBoxes([&] { click(app().existing<TemplateList>(), QStringLiteral("Command1")); });
        QCOMPARE(app().existing<TemplateEditor>(), editor);
        QVERIFY(editor->isVisible());
        QCOMPARE(text(editor, QStringLiteral("id")), QStringLiteral("12"));
        QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), 12);
        for (int p = 0; p < 4; ++p) {
            QCOMPARE(stored(12, QStringLiteral("package%1").arg(p + 1)), kNames[p]);
            QCOMPARE(text(editor, QStringLiteral("packagename(%1)").arg(p)), kNames[p]);
        }
        // Picking products: per package its picks in slot order ("" leaves one empty), the first pick's cost, the
        // totals.
        const QList<std::tuple<QStringList, QString, QStringList>> packages{
            {{"Tint", "Wax"}, "100.00", {"$149.95", "$349.00", "$199.05"}},
            {{"", "", "", "", "Loss"}, "60.00", {"$60.00", "$50.00", "$-10.00"}},
            {{"Odd"}, "20.00", {"$20.00", "$30.00", "$10.00"}},
            {QStringList(10, "Guard"), "12.50", {"$125.00", "$200.00", "$75.00"}}};
        for (int p = 0; p < 4; ++p) {
            const auto &[picks, firstCost, expected] = packages[p];
            for (int q = p; q < 4; ++q)
                QCOMPARE(totals(editor, q), kZero);
            for (int s = 0; s < picks.size(); ++s)
                QVERIFY(picks[s].isEmpty() || choose(editor, p, s, picks[s]));
            QCOMPARE(slotBox(editor, p, picks.lastIndexOf(QString()) + 1, QStringLiteral("cost"))->currentText(),
                     firstCost);
            QCOMPARE(totals(editor, p), expected);
        }
        // Copy Record: cancelled, nothing changes; confirmed, the copy gets the next id and becomes current.
        setSetting(QStringLiteral("ve_total"), 40);
        answeringBoxes([&] { click(editor, QStringLiteral("Command9")); }, {false});
        QCOMPARE(text(editor, QStringLiteral("id")), QStringLiteral("12"));
        QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), 40);
        type(editor, QStringLiteral("vehiclename"), QStringLiteral("Camry SE"));
        QCOMPARE(answeringBoxes([&] { click(editor, QStringLiteral("Command9")); }).value(0).text,
                 QStringLiteral("Copy Record?"));
        QCOMPARE(text(editor, QStringLiteral("id")), QStringLiteral("41"));
        QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), 41);
        QCOMPARE(names(12, 41), QStringLiteral("Camry SE|Camry SE"));
        QCOMPARE(stored(41, QStringLiteral("package4")), QStringLiteral("Bronze"));
        QCOMPARE(storedSlots(41), storedSlots(12));
        QCOMPARE(storedSlots(41).count(0), 40 - 14);
        type(editor, QStringLiteral("vehiclename"), QStringLiteral("Copy"));
        QCOMPARE(answeringBoxes([&] { click(editor, QStringLiteral("Command1")); }).value(0).text,
                 QStringLiteral("Record Saved"));
        QCOMPARE(names(12, 41), QStringLiteral("Camry SE|Copy"));
        // Picking another template in the list while the editor still shows one stores the shown one.
        type(editor, QStringLiteral("vehiclename"), QStringLiteral("Copy 2"));
        QCOMPARE(openOn(QStringLiteral("Camry SE")), editor);
        QCOMPARE(text(editor, QStringLiteral("id")), QStringLiteral("12"));
        QCOMPARE(stored(41, QStringLiteral("vehiclename")), QStringLiteral("Copy 2"));
        // Stored and loaded again (in the same editor, only hidden), it shows the same totals.
        QVERIFY(click(editor, QStringLiteral("Command8")));
        QCOMPARE(openOn(QStringLiteral("Camry SE")), editor);
        for (int p = 0; p < 4; ++p)
            QCOMPARE(totals(editor, p), std::get<2>(packages[p]));
    }

    // Behind 300 products, slot lists filled before a product is deleted ("NONE") or added: found by its id
    // and taken in where the catalogue's own order puts it, in a file whose names ignore case and in an older
    // one whose names sort by code.
    void catalogueChangedAfterTheEditorOpened_data() {
        QTest::addColumn<bool>("add");
        QTest::addColumn<bool>("remove");
        QTest::addColumn<bool>("olderFile");
        QTest::addColumn<QString>("after"); // the entry the added product follows
        QTest::addColumn<QStringList>("totals");
        QTest::newRow("product deleted") << false << true << false << ""
                                         << QStringList{"$100.00", "$250.00", "$150.00"};
        QTest::newRow("product added") << true << false << false << "NONE"
                                       << QStringList{"$449.95", "$849.00", "$399.05"};
        QTest::newRow("added in the deleted one's place, older file")
            << true << true << true << "Wax" << QStringList{"$400.00", "$750.00", "$350.00"};
    }
    void catalogueChangedAfterTheEditorOpened() {
        QFETCH(bool, add);
        QFETCH(bool, remove);
        QFETCH(bool, olderFile);
        ProgramFolder folder;
        if (olderFile) { // its table lacks the rule that names ignore case
            column(schema::productsFile(), "alter table [table] rename to [new]");
            column(schema::productsFile(), "create table [table] as select * from [new]");
            column(schema::productsFile(), "drop table [new]");
        }
        column(schema::productsFile(), "with recursive n(i) as (select 1 union all select i + 1 from n where i < 300) "
                                       "insert into [table] (id, aftermarketname) select i, 'Filler ' || i from n");
        setSetting(QStringLiteral("am_total"), 300);
        const int tint = addProduct(QStringLiteral("Tint"), 100, 250),
                  wax = addProduct(QStringLiteral("Wax"), 49.95, 99);
        const int late = 700;
        addTemplate(QStringLiteral("Accord"), QString());
        const int id = addTemplate(QStringLiteral("Camry"), QString(), slotsWith({{0, late}, {1, tint}, {2, wax}}));
        TemplateEditor *editor = openOn(QStringLiteral("Accord"));
        QVERIFY(editor && click(editor, QStringLiteral("Command8")));
        if (remove)
            column(schema::productsFile(), QStringLiteral("delete from [table] where id = %1").arg(wax));
        if (add)
            addProduct(QStringLiteral("bedliner"), 300, 500, QString(), QString(), late);
        editor = openOn(QStringLiteral("Camry"));
        QComboBox *first = slotBox(editor, 0, 0);
        QCOMPARE(first->currentText(), add ? QStringLiteral("bedliner") : QStringLiteral("NONE"));
        QTEST(add ? first->itemText(first->currentIndex() - 1) : QString(), "after");
        QCOMPARE(slotBox(editor, 0, 2)->currentText(), remove ? QStringLiteral("NONE") : QStringLiteral("Wax"));
        QTEST(totals(editor, 0), "totals");
        if (add) // every slot now offers it
            QVERIFY(choose(editor, 3, 9, QStringLiteral("bedliner")));
        QVERIFY(click(editor, QStringLiteral("Command8")));
        QCOMPARE(storedSlots(id),
                 slotsWith({{0, add ? late : 0}, {1, tint}, {2, remove ? 0 : wax}, {39, add ? late : 0}}));
    }
};

QTEST_MAIN(PackagesTest)
#include "packages_test.moc"
