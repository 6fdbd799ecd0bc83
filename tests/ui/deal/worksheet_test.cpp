#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/geometry.h"
#include "ui/app/mainwindow.h"
#include "ui/deal/dealworksheet.h"

#include <QtTest>
#include <QtWidgets>

using namespace testsupport;

namespace {
DealWorksheet *openWorksheet() {
    MainWindow *main = app().window<MainWindow>();
    main->show();
    answeringBoxes([main] { click(main, QStringLiteral("Command3")); });
    DealWorksheet *w = app().existing<DealWorksheet>();
    return w && w->isVisible() && (w->activateWindow(), QTest::qWaitForWindowActive(w)) ? w : nullptr;
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

bool choose(QComboBox *box, const QString &text) {
    return box && chooseRow(box, box->findText(text, Qt::MatchExactly));
}

QComboBox *slotBox(QWidget *w, const QString &kind, int p, int s) {
    return control<QComboBox>(w, QStringLiteral("menu%1%2(%3)").arg(p).arg(kind).arg(s));
}

bool chooseProduct(QWidget *w, int p, int s, const QString &name) { return choose(slotBox(w, QString(), p, s), name); }

void typeAndLeave(QWidget *w, const QString &name, const QString &text) {
    type(w, name, text);
    QTest::mouseClick(control(w, name == QLatin1String("customername") ? "stocknumber" : "customername"),
                      Qt::LeftButton);
}

QString label(QWidget *w, const QString &name) { return control<QLabel>(w, name)->text(); }
QString payment(QWidget *w, int p) { return label(w, QStringLiteral("totalpayment(%1)").arg(p)); }

QString frameCaption(QWidget *w, int p) {
    return control<QGroupBox>(w, QStringLiteral("menuframe(%1)").arg(p))->title();
}

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

    void workedTable() {
        addProduct("Protection Plan", 1600, 1500); // costs more than it sells for: a loss
        addProduct("Extended Plan", 1600, 10000);
        DealWorksheet *w = openWorksheet();
        QVERIFY(w);
        // Rate and term as typed ("cash" ticks the cash deal instead), tax on or off, the payment shown.
        const QList<std::tuple<QString, QString, bool, QString>> rows{
            {"6", "60", false, "29.00"},    {"6", "60", true, "31.03"},           {"0", "60", false, "25.00"},
            {"6.9%", "48", false, "35.85"}, {"6", "cash", false, "1507.50"},      {"0", "cash", false, "1500.00"},
            {"0", "cash", true, "1605.00"}, {"6 %", "36 months", false, "304.22"}};
        for (const auto &[rate, term, tax, shown] : rows) {
            const double msrp = shown == QLatin1String("304.22") ? 10000 : 1500;
            QVERIFY(chooseProduct(w, 2, 4, msrp > 1500 ? "Extended Plan" : "Protection Plan"));
            typeAndLeave(w, "interestrate", rate);
            if (control<QCheckBox>(w, "cashdeal1")->isChecked() != (term == QLatin1String("cash")))
                click(w, "cashdeal1");
            if (term != QLatin1String("cash"))
                typeAndLeave(w, "financeterm", term);
            if (control<QCheckBox>(w, "includetax1")->isChecked() != tax)
                click(w, "includetax1");
            QCOMPARE(payment(w, 2), shown);
            QCOMPARE(label(w, "totalmsrp(2)"), QString::number(msrp, 'f', 2));
            QCOMPARE(label(w, "totalprofit(2)"), QString::number(msrp - 1600, 'f', 2));
            QCOMPARE(payment(w, 0), "0.00");
            QCOMPARE(control(w, "financeterm")->property("marked").toBool(), false);
            // No further term and nothing financed: none of their lines.
            for (const char *line : {"totalpayment2(2)", "totalpayment3(2)", "basepayment", "basepaymentcaption"})
                QVERIFY2(!control(w, line)->isVisible(), line);
        }
    }

    // Terms from the preferences, the further lines following their boxes, and the amount financed.
    void furtherTermsAndAmountFinanced() {
        setSetting("financeterm2", 72);
        setSetting("financeterm3", 84);
        setSetting("interestrate", 6);
        addProduct("Plan", 900, 1500);
        DealWorksheet *w = openWorksheet();
        QVERIFY(w && chooseProduct(w, 1, 0, "Plan"));
        // What a line shows: its caption and figure, or "hidden".
        auto line = [w](const QString &caption, const QString &figure) {
            return control(w, figure)->isVisible() ? label(w, caption) + label(w, figure) : QStringLiteral("hidden");
        };
        auto term = [&](int t) {
            return line(QStringLiteral("totalpaymentcaption%1(1)").arg(t), QStringLiteral("totalpayment%1(1)").arg(t));
        };
        auto base = [&](const QString &t) { return line("basepaymentcaption" + t, "basepayment" + t); };
        // Tax ticked, 20,000 financed and cash in turn: the payment, the second term's, the base and the base at 84.
        const QList<std::tuple<const char *, const char *, QStringList>> steps{
            {"financeterm2", "72", {"29.00", "72 Months: $24.86", "hidden", "hidden"}},
            {"financeterm2", "none", {"29.00", "hidden", "hidden", "hidden"}},
            {"financeterm2", "-12", {"29.00", "-12 Months: $0.00", "hidden", "hidden"}},
            {"financeterm2", "72", {"29.00", "72 Months: $24.86", "hidden", "hidden"}},
            {"amountfinanced",
             "20000",
             {"415.66", "72 Months: $356.32", "Without products: $386.66", "84 Months: $292.17"}},
            {"includetax1", "", {"417.69", "72 Months: $358.06", "Without products: $386.66", "84 Months: $292.17"}},
            {"cashdeal1", "", {"21713.03", "hidden", "Without products: $20100.00", "hidden"}},
            {"amountfinanced", "twenty", {"1613.03", "hidden", "hidden", "hidden"}}};
        for (const auto &[box, text, shown] : steps) {
            *text ? typeAndLeave(w, box, text) : void(click(w, box));
            QCOMPARE((QStringList{payment(w, 1), term(2), base(""), base("3")}), shown);
            QCOMPARE(control(w, "financeterm2")->property("marked").toBool(), QLatin1String(text) == "-12");
        }
        QVERIFY(!control(w, "financeterm")->property("marked").toBool());
    }

    void optionsAndUnusableTermsRecalculateAllPackages() {
        setSetting("includetax", 1);
        addProduct("Kit", 0, 1500);
        DealWorksheet *w = openWorksheet();
        QVERIFY(w);
        for (int p = 0; p < 4; ++p) {
            QVERIFY(chooseProduct(w, p, p, "Kit"));
            QCOMPARE(payment(w, p), "26.75");
        }
        // 1500 at 0 % over 60 is 25.00; the tax rate changes behind the window's back before each click.
        const QList<std::tuple<const char *, double, QString>> steps{
            {"includetax1", 0.10, "25.00"}, {"includetax1", 0.20, "30.00"},     {"cashdeal1", 0.10, "1650.00"},
            {"cashdeal1", 0.20, "30.00"},   {"disclosetotals1", 0.10, "27.50"}, {"discloseprices1", 7.0, "200.00"},
            {"includetax1", 0.07, "25.00"}};
        for (const auto &[option, taxrate, shown] : steps) {
            setSetting("taxrate", taxrate);
            QVERIFY(click(w, option));
            for (int p = 0; p < 4; ++p)
                QCOMPARE(payment(w, p), shown);
        }
        // A term that reads as 0 or less shows no payment and marks its box until a usable one.
        auto *box = control<QLineEdit>(w, "financeterm");
        for (const char *rate : {"0", "6"}) {
            typeAndLeave(w, "interestrate", rate);
            for (const char *term : {"0", "sixty", "-12", "1e300"}) {
                typeAndLeave(w, "financeterm", term);
                for (int p = 0; p < 4; ++p)
                    QCOMPARE(payment(w, p), "0.00");
                QCOMPARE(label(w, "totalmsrp(0)"), "1500.00");
                QVERIFY(box->property("marked").toBool() && !box->toolTip().isEmpty() && !box->styleSheet().isEmpty());
            }
        }
        click(w, "cashdeal1");
        QCOMPARE(payment(w, 0), "1507.50");
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
        // Names a spliced text or a pattern would confuse, names inside others (both orders), a shared name.
        const QStringList names{"O'Brien's Trucks",
                                "O'Brien's Trucks X",
                                "100%",
                                "1000",
                                "100% Plus",
                                "a_b",
                                "axb",
                                "Star*",
                                "Starship",
                                "[Fleet]",
                                "F",
                                "[Fleet] 2",
                                "Gold Plus",
                                "Gold",
                                "Silver",
                                "Silver Plus",
                                "Twin",
                                "Twin"};
        QMultiMap<QString, QString> expected; // name -> the caption its template carries
        for (int i = 0; i < names.size(); ++i) {
            const QString tag = QStringLiteral("T%1").arg(i, 2, 10, QLatin1Char('0'));
            addTemplate(names[i], QString(), {addProduct("P" + tag, i, 10 * (i + 1))}, {tag});
            expected.insert(names[i], tag);
        }
        DealWorksheet *w = openWorksheet();
        QVERIFY(w);
        auto *templates = control<QComboBox>(w, "vehicledefault");
        QCOMPARE(templates->count(), names.size() + 3);
        for (int row = 1; row < templates->count(); ++row) {
            if (!expected.contains(templates->itemText(row)))
                continue;
            QVERIFY(chooseRow(templates, row));
            const QString tag = frameCaption(w, 0);
            QVERIFY2(expected.remove(templates->itemText(row), tag) == 1,
                     qPrintable(templates->itemText(row) + " loaded " + tag));
            QCOMPARE(slotBox(w, "", 0, 0)->currentText(), "P" + tag);
        }
        QVERIFY(expected.isEmpty());
        const QList<std::pair<QString, QString>> typed{{"customername", "Ana Ruiz"}, {"customervehicle", "2024 Sedan"},
                                                       {"stocknumber", "S-1042"},    {"salesperson", "Lee"},
                                                       {"interestrate", "6"},        {"financeterm", "36"}};
        for (const auto &[name, value] : typed)
            typeAndLeave(w, name, value);
        click(w, "cashdeal1");
        click(w, "disclosetotals1");
        const bool prices = control<QCheckBox>(w, "discloseprices1")->isChecked();

        QVERIFY(choose(templates, "Sedans"));
        for (const auto &[name, value] : typed)
            QCOMPARE(control<QLineEdit>(w, name)->text(), value);
        QVERIFY(control<QCheckBox>(w, "cashdeal1")->isChecked());
        QCOMPARE(control<QCheckBox>(w, "discloseprices1")->isChecked(), prices);
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
        QVERIFY(choose(templates, "Sedans"));
        QCOMPARE(slotBox(w, "", 0, 0)->currentText(), "Kit");
        QCOMPARE(slotBox(w, "", 0, 2)->currentText(), "NONE");
        QCOMPARE(label(w, "totalmsrp(0)"), "1599.00");

        // Empty names keep the captions; a product deleted since the template was stored loads as "NONE".
        app().store().productsFile().exec("delete from [table] where id = ?", {gone});
        QVERIFY(choose(templates, "Unnamed"));
        for (int p = 0; p < 4; ++p)
            QCOMPARE(frameCaption(w, p), captions[p]);
        QCOMPARE(slotBox(w, "", 0, 0)->currentText(), "NONE");
        QCOMPARE(slotBox(w, "msrp", 0, 0)->currentText(), "0");
        QCOMPARE(slotBox(w, "", 0, 1)->currentText(), "Kit");
        QCOMPARE(label(w, "totalmsrp(0)"), "1500.00");

        // "EXIT" discards the deal; the next opening starts afresh.
        QVERIFY(click(w, "Command3"));
        QTRY_VERIFY(!app().existing<DealWorksheet>());
        QVERIFY(app().window<MainWindow>()->isVisible());
        QVERIFY((w = openWorksheet()));
        QCOMPARE(control<QLineEdit>(w, "customername")->text(), QString());
        QCOMPARE(slotBox(w, "", 0, 0)->currentIndex(), -1);
        QCOMPARE(label(w, "totalmsrp(0)"), "0");
    }

    void catalogueOfAnySizeLoadsEverySlot() {
        // More products than a byte counts, and one stored after the worksheet opened (slot 20).
        for (int i = 0; i < 600; ++i)
            addProduct(item(i), 1, 2 + i, QString(), QString(), 1000 + i);
        QList<int> menu;
        for (int k = 0; k < 40; ++k)
            menu << (k == 20 ? 5000 : 1599 - k * 7);
        addTemplate("Deep", QString(), menu);
        DealWorksheet *w = openWorksheet();
        QVERIFY(w);
        QCOMPARE(slotBox(w, "", 0, 0)->count(), 601);
        addProduct("Item 0100a", 2, 20, QString(), QString(), 5000);

        QVERIFY(choose(control<QComboBox>(w, "vehicledefault"), "Deep"));
        for (int k = 0; k < 40; ++k) {
            const int i = 599 - k * 7;
            QCOMPARE(slotBox(w, "", k / 10, k % 10)->currentText(), k == 20 ? "Item 0100a" : item(i));
            QCOMPARE(slotBox(w, "msrp", k / 10, k % 10)->currentText(),
                     k == 20 ? "20.00" : QString::number(2.0 + i, 'f', 2));
        }
        QCOMPARE(slotBox(w, "id", 2, 0)->currentText(), "5000");
        QCOMPARE(label(w, "totalmsrp(2)"), "3854.00");
        // Every slot now offers it in its place in the catalogue order.
        QCOMPARE(slotBox(w, "", 3, 9)->itemText(102), "Item 0100a");
        QCOMPARE(slotBox(w, "", 3, 9)->itemText(103), item(101));
    }
};

int runWorksheetTests(int argc, char **argv) {
    WorksheetTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "worksheet_test.moc"
