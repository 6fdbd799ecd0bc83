// The template list and the template editor, as a user walks through them.

#include "testsupport.h"

using namespace testsupport;

namespace {
const QStringList kNames{"Platinum", "Gold", "Silver", "Bronze"};
const QStringList kZero{"$0.00", "$0.00", "$0.00"};

TemplateList *openList() { return fromMenu<TemplateList>(u"m_default"_s); }

QStringList listed(TemplateList *list) {
    QStringList rows;
    QAbstractItemModel *m = list ? control<QTableWidget>(list, u"grid1"_s)->model() : nullptr;
    for (int r = 0; m && r < m->rowCount(); ++r)
        rows << m->index(r, 1).data().toString() + QLatin1Char('|') + m->index(r, 2).data().toString();
    return rows;
}

TemplateEditor *openOn(const QString &vehicle) {
    TemplateList *list = openList();
    const int row = listed(list).indexOf(QRegularExpression("(?s)" + QRegularExpression::escape(vehicle) + "\\|.*"));
    if (row < 0)
        return nullptr;
    auto *grid = control<QTableWidget>(list, u"grid1"_s);
    const QPoint at = grid->visualRect(grid->model()->index(row, 1)).center();
    answeringBoxes([&] { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at); });
    return app().existing<TemplateEditor>();
}

QStringList totals(QWidget *w, int p) {
    QStringList shown;
    for (const char *kind : {"totalcost", "totalmsrp", "totalprofit"})
        shown << textOf(w, u"%1(%2)"_s.arg(QLatin1String(kind)).arg(p));
    return shown;
}

QVariant stored(const QString &sql) { return column(schema::vehiclesFile(), sql).value(0); }
QString stored(int id, const QString &field) {
    return stored(u"select [%1] from [table] where id=%2"_s.arg(field).arg(id)).toString();
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
        const int tint = addProduct(u"Tint"_s, 100, 250);
        addProduct(u"Window Tint"_s, 1, 2, {}, {}, tint); // a later record with its id
        for (const auto &[name, cost, msrp] : QList<std::tuple<QString, double, double>>{
                 {"Wax", 49.95, 99}, {"Loss", 60, 50}, {"Odd", 19.999, 30}, {"Guard", 12.5, 20}})
            addProduct(name, cost, msrp);
        const int camry = addTemplate(u"Camry"_s, u"V6"_s);
        const int accord = addTemplate(u"Accord"_s, QString(), slotsWith({{0, tint}, {9, tint}}), kNames);
        const int lx = addTemplate(u"accord"_s, u"LX"_s); // names sort ignoring case
        const int counter = app().settings().templateCounter;
        QCOMPARE(listed(openList()), QStringList({"Accord|", "accord|LX", "Camry|V6"}));
        TemplateEditor *editor = openOn(u"Camry"_s);
        QVERIFY(editor);
        // The move buttons walk the list's order and stop at its ends; what is shown is stored before a move.
        const QList<QPair<const char *, int>> steps{{"Command6", camry}, {"Command4", accord}, {"Command5", accord},
                                                    {"Command6", lx},    {"Command7", camry},  {"Command5", lx}};
        for (const auto &[button, shows] : steps) {
            QVERIFY(click(editor, QString::fromLatin1(button)));
            QCOMPARE(textOf(editor, u"id"_s), QString::number(shows));
        }
        type(editor, u"vehiclename"_s, u"Blazer"_s);
        QVERIFY(click(editor, u"Command7"_s));
        QCOMPARE(stored(lx, u"vehiclename"_s), u"Blazer"_s);
        // Delete asks first; the id is not handed back.
        QCOMPARE(answeringBoxes([&] { click(editor, u"Command3"_s); }).value(0).text, u"Delete Current Record?"_s);
        QVERIFY(!editor->isVisible());
        QCOMPARE(storedSetting(u"ve_total"_s).toInt(), counter);
        QCOMPARE(listed(app().existing<TemplateList>()), QStringList({"Accord|", "Blazer|LX"}));
        // Clear Form then EXIT stores an empty template with id 0, which is never listed.
        QVERIFY((editor = openOn(u"Accord"_s)));
        QCOMPARE(slotBox(editor, 0, 9)->currentText(), u"Tint"_s); // the first record holding the id
        QVERIFY(click(editor, u"Command2"_s));
        QCOMPARE(textOf(editor, u"id"_s), QString());
        QCOMPARE(totals(editor, 0), kZero);
        QCOMPARE(stored(u"select count(*) from [table] where vehiclename = 'Accord'"_s).toInt(), 1); // not stored yet
        QVERIFY(click(editor, u"Command8"_s));
        QCOMPARE(storedSlots(0), QList<int>(40, 0));
        QCOMPARE(stored(0, u"vehiclename"_s) + stored(0, u"package1"_s), QString());
        QCOMPARE(stored(u"select count(*) from [table]"_s).toInt(), 2);
        QCOMPARE(listed(app().existing<TemplateList>()), QStringList({"Blazer|LX"}));
        // "Add Item" draws the next template id, then stores and edits a template (with the default package names,
        // which its copy below holds).
        setSetting(u"ve_total"_s, 11);
        answeringBoxes([&] { click(app().existing<TemplateList>(), u"Command1"_s); });
        QCOMPARE(app().existing<TemplateEditor>(), editor);
        QVERIFY(editor->isVisible());
        QCOMPARE(textOf(editor, u"id"_s) + u'|' + storedSetting(u"ve_total"_s).toString(), u"12|12"_s);
        // Per package: its picks in slot order ("" leaves one empty), the first pick's cost, the totals.
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
                QVERIFY(picks[s].isEmpty() || chooseProduct(editor, p, s, picks[s]));
            QCOMPARE(slotBox(editor, p, picks.lastIndexOf(QString()) + 1, u"cost"_s)->currentText(), firstCost);
            QCOMPARE(totals(editor, p), expected);
        }
        // Copy Record: cancelled, nothing changes; confirmed, the copy gets the next id and becomes current.
        setSetting(u"ve_total"_s, 40);
        answeringBoxes([&] { click(editor, u"Command9"_s); }, {false});
        QCOMPARE(textOf(editor, u"id"_s) + u'|' + storedSetting(u"ve_total"_s).toString(), u"12|40"_s);
        type(editor, u"vehiclename"_s, u"Camry SE"_s);
        QCOMPARE(answeringBoxes([&] { click(editor, u"Command9"_s); }).value(0).text, u"Copy Record?"_s);
        QCOMPARE(textOf(editor, u"id"_s) + u'|' + storedSetting(u"ve_total"_s).toString(), u"41|41"_s);
        QCOMPARE(stored(12, u"vehiclename"_s) + u'|' + stored(41, u"vehiclename"_s), u"Camry SE|Camry SE"_s);
        QCOMPARE(stored(u"select package1||package2||package3||package4 from [table] where id=41"_s).toString(),
                 kNames.join(QString()));
        QCOMPARE(storedSlots(41), storedSlots(12));
        QCOMPARE(storedSlots(41).count(0), 40 - 14);
        type(editor, u"vehiclename"_s, u"Copy"_s);
        // Saved, it shows at once in a template list and a worksheet left open.
        TemplateList *list = openList();
        auto *choice = control<QComboBox>(app().window<DealWorksheet>(), u"vehicledefault"_s);
        QCOMPARE(answeringBoxes([&] { click(editor, u"Command1"_s); }).value(0).text, u"Record Saved"_s);
        QCOMPARE(stored(12, u"vehiclename"_s) + u'|' + stored(41, u"vehiclename"_s), u"Camry SE|Copy"_s);
        QVERIFY(listed(list).contains(u"Copy|"_s) && choice->findText(u"Copy"_s) > 0);
        // Picking another template in the list while the editor still shows one stores the shown one.
        type(editor, u"vehiclename"_s, u"Copy 2"_s);
        QCOMPARE(openOn(u"Camry SE"_s), editor);
        QCOMPARE(textOf(editor, u"id"_s), u"12"_s);
        QCOMPARE(stored(41, u"vehiclename"_s), u"Copy 2"_s);
        // Stored by another copy meanwhile: "Keep Theirs" shows theirs and stays; "Save Mine" stores this one.
        for (const bool keepTheirs : {true, false}) {
            column(schema::vehiclesFile(),
                   u"update [table] set vehiclename = 'Theirs %1' where id = 12"_s.arg(keepTheirs));
            type(editor, u"vehiclename"_s, u"Camry SE"_s);
            QCOMPARE(said(editor, u"Command6"_s, {keepTheirs}),
                     QStringList{"Message: This template was changed at another desk after you opened it."});
            QCOMPARE(textOf(editor, u"id"_s) + textOf(editor, u"vehiclename"_s) + stored(12, u"vehiclename"_s),
                     keepTheirs ? u"12Theirs 1Theirs 1"_s : u"41Copy 2Camry SE"_s);
        }
    }

    // Slot lists filled before a product is added (found by id, in the catalogue's order) or deleted ("NONE"),
    // behind 300 products; in an older file the names sort by code.
    void catalogueChangedAfterTheEditorOpened() {
        // A product added; one added in the place of one deleted, in an older file. Then the entry the added product
        // follows and the first package's totals.
        for (const auto &[olderFile, after, sums] :
             {std::tuple{false, u"NONE"_s, QStringList{"$449.95", "$849.00", "$399.05"}},
              {true, u"Wax"_s, QStringList{"$400.00", "$750.00", "$350.00"}}}) {
            ProgramFolder folder;
            if (olderFile) // its table lacks the rule that names ignore case
                for (const char *sql : {"alter table [table] rename to [new]",
                                        "create table [table] as select * from [new]", "drop table [new]"})
                    column(schema::productsFile(), QString::fromLatin1(sql));
            column(schema::productsFile(),
                   "with recursive n(i) as (select 1 union all select i + 1 from n where i < 300) "
                   "insert into [table] (id, aftermarketname) select i, 'Filler ' || i from n");
            setSetting(u"am_total"_s, 300);
            const int tint = addProduct(u"Tint"_s, 100, 250), wax = addProduct(u"Wax"_s, 49.95, 99);
            const int late = 700;
            addTemplate(u"Accord"_s, QString());
            const int id = addTemplate(u"Camry"_s, QString(), slotsWith({{0, late}, {1, tint}, {2, wax}}));
            // Another copy changes the catalogue while this editor is open on another template.
            TemplateEditor *editor = openOn(u"Accord"_s);
            QVERIFY(editor);
            QAbstractItemModelTester tester(slotBox(editor, 0, 0)->model(),
                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
            if (olderFile)
                column(schema::productsFile(), u"delete from [table] where id = %1"_s.arg(wax));
            addProduct(u"bedliner"_s, 300, 500, QString(), QString(), late);
            QVERIFY(click(editor, u"Command6"_s));
            QCOMPARE(textOf(editor, u"id"_s), QString::number(id));
            QComboBox *first = slotBox(editor, 0, 0);
            QCOMPARE(first->currentText(), u"bedliner"_s);
            QCOMPARE(first->itemText(first->currentIndex() - 1), after);
            QCOMPARE(slotBox(editor, 0, 2)->currentText(), olderFile ? u"NONE"_s : u"Wax"_s);
            QCOMPARE(totals(editor, 0), sums);
            QVERIFY(chooseProduct(editor, 3, 9, u"bedliner"_s)); // every slot now offers it
            QVERIFY(click(editor, u"Command8"_s));
            QCOMPARE(storedSlots(id), slotsWith({{0, late}, {1, tint}, {2, olderFile ? 0 : wax}, {39, late}}));
            // Opened again, it reads the catalogue afresh: new products and prices count.
            addProduct(u"Rustproofing"_s, 10, 20);
            column(schema::productsFile(), u"update [table] set msrp = 300 where id = %1"_s.arg(tint));
            editor = openOn(u"Camry"_s);
            QVERIFY(chooseProduct(editor, 1, 0, u"Rustproofing"_s) && chooseProduct(editor, 1, 1, u"Tint"_s));
            QCOMPARE(totals(editor, 1), (QStringList{"$110.00", "$320.00", "$210.00"}));
        }
    }
};

QTEST_MAIN(PackagesTest)
#include "packages_test.moc"
