#include "app/form1.h"
#include "app/module1.h"
#include "app/windows.h"
#include "deal/makedeal.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMultiMap>
#include <QTest>

using namespace testsupport;

namespace {
makedeal *openWorksheet() {
    Form1 *main = SingleWindow<Form1>::instance();
    main->show();
    answeringBoxes([main] { click(main, QStringLiteral("Command3")); });
    makedeal *w = SingleWindow<makedeal>::existing();
    if (!w || !w->isVisible())
        return nullptr;
    w->activateWindow();
    return QTest::qWaitForWindowActive(w) ? w : nullptr;
}

bool chooseRow(QComboBox *box, int row) {
    if (!box || row < 0 || row >= box->count())
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

bool choose(QComboBox *box, const QString &text) { return box && chooseRow(box, box->findText(text, Qt::MatchExactly)); }

QComboBox *slotBox(QWidget *w, const QString &kind, int p, int s) {
    return control<QComboBox>(w, QStringLiteral("menu%1%2(%3)").arg(p).arg(kind).arg(s));
}

bool chooseProduct(QWidget *w, int p, int s, const QString &name) { return choose(slotBox(w, QString(), p, s), name); }

bool chooseTemplate(QWidget *w, const QString &name) { return choose(control<QComboBox>(w, "vehicledefault"), name); }

void typeAndLeave(QWidget *w, const QString &name, const QString &text) {
    type(w, name, text);
    QWidget *elsewhere = control(w, name == QLatin1String("customername") ? "stocknumber" : "customername");
    QTest::mouseClick(elsewhere, Qt::LeftButton);
}

QString label(QWidget *w, const QString &name) { return control<QLabel>(w, name)->text(); }
QString payment(QWidget *w, int p) { return label(w, QStringLiteral("totalpayment(%1)").arg(p)); }
QString text(QWidget *w, const QString &name) { return control<QLineEdit>(w, name)->text(); }
bool checked(QWidget *w, const QString &name) { return control<QCheckBox>(w, name)->isChecked(); }

QString frameCaption(QWidget *w, int p) { return control<QGroupBox>(w, QStringLiteral("menuframe(%1)").arg(p))->title(); }

QString item(int i) { return QStringLiteral("Item %1").arg(i, 4, 10, QLatin1Char('0')); }
} // namespace

class WorksheetTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;

private slots:
    void init() {
        m_folder = std::make_unique<ProgramFolder>(ProgramFolder::Content::Empty);
        QVERIFY(m_folder->ok());
        setSetting("taxrate", 0.07);
        setSetting("includetax", 0);
        setSetting("interestrate", 0);
        setSetting("financeterm", 60);
    }

    void cleanup() {
        QVERIFY2(m_folder->databaseErrors().isEmpty(), qPrintable(m_folder->databaseErrors().join('\n')));
        m_folder.reset();
    }

    void workedTable_data() {
        QTest::addColumn<double>("msrp");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("term"); // "cash" ticks the cash deal
        QTest::addColumn<bool>("tax");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1500 at 6 over 60") << 1500.0 << "6" << "60" << false << "29.00";
        QTest::newRow("1500 at 6 over 60 with tax") << 1500.0 << "6" << "60" << true << "31.03";
        QTest::newRow("1500 at 0 over 60") << 1500.0 << "0" << "60" << false << "25.00";
        QTest::newRow("10000 at 6 over 36 months") << 10000.0 << "6 %" << "36 months" << false << "304.22";
        QTest::newRow("1500 at 6.9% over 48") << 1500.0 << "6.9%" << "48" << false << "35.85";
        QTest::newRow("1500 at 6 cash") << 1500.0 << "6" << "cash" << false << "1507.50";
        QTest::newRow("1500 at 0 cash") << 1500.0 << "0" << "cash" << false << "1500.00";
        QTest::newRow("1500 at 0 cash with tax") << 1500.0 << "0" << "cash" << true << "1605.00";
    }

    void workedTable() {
        QFETCH(double, msrp);
        QFETCH(QString, rate);
        QFETCH(QString, term);
        QFETCH(bool, tax);
        QFETCH(QString, shown);
        addProduct("Protection Plan", 1600, msrp); // costs more than 1500: a loss there
        makedeal *w = openWorksheet();
        QVERIFY(w);
        QVERIFY(chooseProduct(w, 2, 4, "Protection Plan"));
        typeAndLeave(w, "interestrate", rate);
        if (term == QLatin1String("cash"))
            click(w, "cashdeal1");
        else
            typeAndLeave(w, "financeterm", term);
        if (tax)
            click(w, "includetax1");
        QCOMPARE(payment(w, 2), shown);
        QCOMPARE(label(w, "totalmsrp(2)"), QString::number(msrp, 'f', 2));
        QCOMPARE(label(w, "totalprofit(2)"), QString::number(msrp - 1600, 'f', 2));
        QCOMPARE(payment(w, 0), "0.00");
        QCOMPARE(control(w, "financeterm")->property("marked").toBool(), false);
    }

    void everyOptionRecalculatesAllPackages_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<double>("taxrate");
        QTest::addColumn<QString>("shown");
        // 1500 at 0 % over 60 is 25.00; the tax rate changes from 7 % behind the window's back.
        QTest::newRow("include tax") << "includetax1" << 0.10 << "25.00";
        QTest::newRow("cash deal") << "cashdeal1" << 0.10 << "1650.00";
        QTest::newRow("disclose totals") << "disclosetotals1" << 0.10 << "27.50";
        QTest::newRow("disclose prices, tax rate 7 multiplies by 8") << "discloseprices1" << 7.0 << "200.00";
    }

    void everyOptionRecalculatesAllPackages() {
        QFETCH(QString, option);
        QFETCH(double, taxrate);
        QFETCH(QString, shown);
        setSetting("includetax", 1);
        addProduct("Kit", 0, 1500);
        makedeal *w = openWorksheet();
        QVERIFY(w);
        for (int p = 0; p < 4; ++p) {
            QVERIFY(chooseProduct(w, p, p, "Kit"));
            QCOMPARE(payment(w, p), "26.75");
        }
        setSetting("taxrate", taxrate);
        QVERIFY(click(w, option));
        for (int p = 0; p < 4; ++p)
            QCOMPARE(payment(w, p), shown);
    }

    void unusableTermMarksTheBox_data() {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("term");
        QTest::newRow("0 at 6 %") << "6" << "0";
        QTest::newRow("words") << "0" << "sixty";
        QTest::newRow("negative") << "6" << "-12";
        QTest::newRow("beyond any currency") << "6" << "1e300";
    }

    void unusableTermMarksTheBox() {
        QFETCH(QString, rate);
        QFETCH(QString, term);
        addProduct("Kit", 0, 1500);
        makedeal *w = openWorksheet();
        QVERIFY(w);
        QVERIFY(chooseProduct(w, 0, 0, "Kit"));
        typeAndLeave(w, "interestrate", rate);
        typeAndLeave(w, "financeterm", term);
        auto *box = control<QLineEdit>(w, "financeterm");
        for (int p = 0; p < 4; ++p)
            QCOMPARE(payment(w, p), "0.00");
        QCOMPARE(label(w, "totalmsrp(0)"), "1500.00");
        QVERIFY(box->property("marked").toBool() && !box->toolTip().isEmpty() && !box->styleSheet().isEmpty());

        // A cash deal needs no term; a usable term clears the mark.
        click(w, "cashdeal1");
        QCOMPARE(payment(w, 0), rate == QLatin1String("0") ? "1500.00" : "1507.50");
        click(w, "cashdeal1");
        QVERIFY(box->property("marked").toBool());
        typeAndLeave(w, "financeterm", "60");
        QVERIFY(!box->property("marked").toBool() && box->toolTip().isEmpty() && box->styleSheet().isEmpty());
        QVERIFY(payment(w, 0) != QLatin1String("0.00"));
    }

    void templatesLoadIntoTheDealUntilExit() {
        setSetting("package3", "Silver");
        const int kit = addProduct("Kit", 100, 1500), tint = addProduct("Tint", 49.95, 99);
        const int gone = addProduct("Discontinued", 10, 90);
        QList<int> menu(40, 0);
        menu[0] = menu[39] = kit;
        menu[1] = menu[19] = tint;
        addTemplate("Sedans", QString(), menu, {"Elite", "Select", "", "Value"});
        addTemplate("Unnamed", QString(), {gone, kit}, {"", "  ", "", ""});
        makedeal *w = openWorksheet();
        QVERIFY(w);
        const QList<std::pair<QString, QString>> typed{{"customername", "Ana Ruiz"}, {"customervehicle", "2024 Sedan"},
                                                       {"stocknumber", "S-1042"},    {"salesperson", "Lee"},
                                                       {"interestrate", "6"},        {"financeterm", "36"}};
        for (const auto &[name, value] : typed)
            typeAndLeave(w, name, value);
        click(w, "cashdeal1");
        click(w, "disclosetotals1");
        const bool prices = checked(w, "discloseprices1");

        QVERIFY(chooseTemplate(w, "Sedans"));
        for (const auto &[name, value] : typed)
            QCOMPARE(text(w, name), value);
        QVERIFY(checked(w, "cashdeal1"));
        QCOMPARE(checked(w, "discloseprices1"), prices);
        const QStringList captions{"Elite", "Select", "Silver", "Value"};
        for (int p = 0; p < 4; ++p)
            QCOMPARE(frameCaption(w, p), captions[p]);
        QCOMPARE(slotBox(w, "", 0, 0)->currentText(), "Kit");
        QCOMPARE(slotBox(w, "", 0, 1)->currentText(), "Tint");
        QCOMPARE(slotBox(w, "cost", 1, 9)->currentText(), "49.95");
        QCOMPARE(slotBox(w, "id", 3, 9)->currentText(), QString::number(kit));
        QCOMPARE(slotBox(w, "", 2, 0)->currentText(), "NONE");
        QCOMPARE(label(w, "totalmsrp(0)"), "1599.00");
        QCOMPARE(label(w, "totalprofit(0)"), "1449.05");
        QCOMPARE(payment(w, 0), "1607.00"); // cash at 6 %: 1599 x 1.005
        QCOMPARE(payment(w, 2), "0.00");

        // Choosing the same entry again reloads it over the user's choices.
        QVERIFY(chooseProduct(w, 0, 0, "Tint"));
        QVERIFY(chooseProduct(w, 0, 2, "Tint"));
        QVERIFY(chooseTemplate(w, "Sedans"));
        QCOMPARE(slotBox(w, "", 0, 0)->currentText(), "Kit");
        QCOMPARE(slotBox(w, "", 0, 2)->currentText(), "NONE");
        QCOMPARE(label(w, "totalmsrp(0)"), "1599.00");

        // Empty names keep the captions; a product deleted since the template was stored loads as "NONE".
        Module1::dbproducts.exec("delete from [table] where id = ?", {gone});
        QVERIFY(chooseTemplate(w, "Unnamed"));
        for (int p = 0; p < 4; ++p)
            QCOMPARE(frameCaption(w, p), captions[p]);
        QCOMPARE(slotBox(w, "", 0, 0)->currentText(), "NONE");
        QCOMPARE(slotBox(w, "msrp", 0, 0)->currentText(), "0");
        QCOMPARE(slotBox(w, "", 0, 1)->currentText(), "Kit");
        QCOMPARE(label(w, "totalmsrp(0)"), "1500.00");

        // "EXIT" discards the deal; the next opening starts afresh.
        QVERIFY(click(w, "Command3"));
        QTRY_VERIFY(!SingleWindow<makedeal>::existing());
        QVERIFY(SingleWindow<Form1>::instance()->isVisible());
        w = openWorksheet();
        QVERIFY(w);
        QCOMPARE(text(w, "customername"), QString());
        QCOMPARE(slotBox(w, "", 0, 0)->currentIndex(), -1);
        QCOMPARE(label(w, "totalmsrp(0)"), "0");
    }

    void everyTemplateEntryLoadsItsOwnTemplate() {
        // Names a spliced text or a pattern would confuse, names inside others (both orders), a shared name.
        const QStringList names{"O'Brien's Trucks", "O'Brien's Trucks X", "100%", "1000", "100% Plus", "a_b",
                                "axb", "Star*", "Starship", "[Fleet]", "F", "[Fleet] 2", "Gold Plus", "Gold",
                                "Silver", "Silver Plus", "Twin", "Twin"};
        QMultiMap<QString, QString> expected; // name -> the caption its template carries
        for (int i = 0; i < names.size(); ++i) {
            const QString tag = QStringLiteral("T%1").arg(i, 2, 10, QLatin1Char('0'));
            addTemplate(names[i], QString(), {addProduct("P" + tag, i, 10 * (i + 1))}, {tag});
            expected.insert(names[i], tag);
        }
        makedeal *w = openWorksheet();
        QVERIFY(w);
        auto *templates = control<QComboBox>(w, "vehicledefault");
        QCOMPARE(templates->count(), names.size() + 1);
        for (int row = 1; row < templates->count(); ++row) {
            QVERIFY(chooseRow(templates, row));
            const QString tag = frameCaption(w, 0);
            QVERIFY2(expected.remove(templates->itemText(row), tag) == 1, qPrintable(templates->itemText(row) + " loaded " + tag));
            QCOMPARE(slotBox(w, "", 0, 0)->currentText(), "P" + tag);
        }
        QVERIFY(expected.isEmpty());
    }

    void catalogueOfAnySizeLoadsEverySlot() {
        // More products than a byte counts, and one stored after the worksheet opened (slot 20).
        for (int i = 0; i < 600; ++i)
            addProduct(item(i), 1, 2 + i, QString(), QString(), 1000 + i);
        QList<int> menu;
        for (int k = 0; k < 40; ++k)
            menu << (k == 20 ? 5000 : 1599 - k * 7);
        addTemplate("Deep", QString(), menu);
        makedeal *w = openWorksheet();
        QVERIFY(w);
        QCOMPARE(slotBox(w, "", 0, 0)->count(), 601);
        addProduct("Item 0100a", 2, 20, QString(), QString(), 5000);

        QVERIFY(chooseTemplate(w, "Deep"));
        for (int k = 0; k < 40; ++k) {
            const int i = 599 - k * 7;
            QCOMPARE(slotBox(w, "", k / 10, k % 10)->currentText(), k == 20 ? "Item 0100a" : item(i));
            QCOMPARE(slotBox(w, "msrp", k / 10, k % 10)->currentText(), k == 20 ? "20.00" : QString::number(2.0 + i, 'f', 2));
        }
        QCOMPARE(slotBox(w, "id", 2, 0)->currentText(), "5000");
        QCOMPARE(label(w, "totalmsrp(2)"), "3854.00");
        // Every slot now offers it in its place in the catalogue order.
        QCOMPARE(slotBox(w, "", 3, 9)->itemText(102), "Item 0100a");
        QCOMPARE(slotBox(w, "", 3, 9)->itemText(103), item(101));
    }
};

QTEST_MAIN(WorksheetTest)
#include "worksheet_test.moc"
