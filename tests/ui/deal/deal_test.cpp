// The worksheet and the presentation as a salesperson uses them: what the windows show and when.

#include "testsupport.h"

using namespace testsupport;

namespace {
bool marked(QWidget *w, const QString &box) { return control(w, box)->property("marked").toBool(); }
bool visible(QWidget *w, const QString &name) { return control(w, name)->isVisible(); }

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
QString shown(QWidget *w, const QString &name) { return shown(control(w, name)); }
QStringList shown(QWidget *w, const QStringList &names) {
    QStringList all;
    for (const QString &name : names)
        all << shown(w, name);
    return all;
}
QString payment(QWidget *w, int p) { return shown(w, u"totalpayment(%1)"_s.arg(p)); }
QString product(int p, int k) { return u"product%1(%2)"_s.arg(p).arg(k); }

const QString kLeave = u"Are You Sure?: Leave this deal? What was typed will be lost."_s;
const QString kMarkedBoxes = u"Message: Correct the marked boxes before presenting the deal."_s;

DealPresentation *createDeal(DealWorksheet *worksheet) {
    return click(worksheet, u"Command1"_s) ? app().existing<DealPresentation>() : nullptr;
}
} // namespace

class DealTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;

private slots:
    void init() {
        m_folder = std::make_unique<ProgramFolder>();
        setSettings({{"taxrate", 0.07}, {"includetax", 0}, {"interestrate", 0}});
    }
    void cleanup() {
        QVERIFY2(m_folder->databaseErrors().isEmpty(), qPrintable(m_folder->databaseErrors().join('\n')));
        m_folder.reset();
    }

    // Further terms and the amount financed, on the worksheet and then on the presentation.
    void furtherTermsAndAmountFinanced() {
        setSettings({{"financeterm2", 72}, {"financeterm3", 84}, {"interestrate", 6}});
        addProduct("Plan", 900, 1500);
        DealWorksheet *w = openWorksheet();
        QVERIFY(w && chooseProduct(w, 1, 0, "Plan"));
        QCOMPARE(payment(w, 0), "0.00"); // no products, nothing financed
        // What a line shows: its caption and figure, or "hidden".
        auto line = [w](const QString &caption, const QString &figure) {
            return visible(w, figure) ? shown(w, caption) + shown(w, figure) : u"hidden"_s;
        };
        auto term2 = [&] { return line(u"totalpaymentcaption2(1)"_s, u"totalpayment2(1)"_s); };
        auto base = [&](const QString &t) { return line("basepaymentcaption" + t, "basepayment" + t); };
        // Tax ticked, 20,000 financed and cash in turn: the payment, the second term's, the base and the base at 84;
        // a term below 1 or an amount financed that does not read as one is marked and gives no figure.
        const QStringList none{"1605.00", "hidden", "hidden", "hidden"};
        const QList<std::tuple<const char *, const char *, QStringList>> steps{
            {"financeterm2", "72", {"29.00", "72 Months: $24.86", "hidden", "hidden"}},
            {"financeterm2", "none", {"29.00", "hidden", "hidden", "hidden"}},
            {"financeterm2", "-12", {"29.00", "-12 Months: $0.00", "hidden", "hidden"}},
            {"financeterm2", "72", {"29.00", "72 Months: $24.86", "hidden", "hidden"}},
            {"amountfinanced",
             "$20,000.00",
             {"415.66", "72 Months: $356.32", "Without products: $386.66", "84 Months: $292.17"}},
            {"includetax1", "", {"417.69", "72 Months: $358.06", "Without products: $386.66", "84 Months: $292.17"}},
            {"cashdeal1", "", {"21605.00", "hidden", "Without products: $20000.00", "hidden"}},
            {"amountfinanced", "twenty", none},
            {"amountfinanced", "25.000,00", none},
            {"amountfinanced", "(25,000)", none}};
        for (const auto &[box, text, figures] : steps) {
            *text ? typeAndLeave(w, box, text) : void(click(w, box));
            QCOMPARE((QStringList{payment(w, 1), term2(), base(""), base("3")}), figures);
            QCOMPARE(marked(w, box), QLatin1String(text) == "-12" || figures == none);
        }
        QVERIFY(!marked(w, "financeterm") && !marked(w, "financeterm2"));

        // The presentation: a line per term, the payment without products; nothing overlaps; hidden with the totals.
        tick(w, "cashdeal1", false);
        type(w, "financeterm2", "-12"); // a further term marked keeps the deal from the customer too
        QCOMPARE(said(w, "Command1"), QStringList{kMarkedBoxes});
        QVERIFY(!app().existing<DealPresentation>() && w->isVisible());
        tick(w, "includetax1", false);
        tick(w, "discloseprices1", false);
        typeAndLeave(w, "amountfinanced", "600000"); // payments wide enough that the lines must shrink
        for (const auto &[totals, second] : {std::pair{true, u"72"_s}, {false, u"72"_s}, {true, QString()}}) {
            tick(w, u"disclosetotals1"_s, totals);
            type(w, u"financeterm2"_s, second);
            DealPresentation *menu = createDeal(w);
            QVERIFY(menu);
            QCOMPARE(shown(menu, product(1, 0)), u"Plan\r\n"_s); // no price when prices are not disclosed
            const QString lines[] = {u"pricepayment(1)"_s, u"pricepayment2(1)"_s, u"pricepayment3(1)"_s};
            QCOMPARE(shown(menu, lines[0]), u"$ 11628.68 / Month for 60 Months"_s);
            QCOMPARE(shown(menu, lines[2]), u"$ 8787.05 / Month for 84 Months"_s);
            QCOMPARE(shown(menu, u"basepaymentline"_s).section(u"  \u00B7  "_s, 0, 0),
                     u"Payment without products: $ 11599.68 / Month for 60 Months"_s);
            QCOMPARE(visible(menu, u"basepaymentline"_s) && visible(menu, lines[2]), totals);
            QCOMPARE(visible(menu, lines[1]), totals && !second.isEmpty());
            const QList<QWidget *> placed = menu->findChildren<QWidget *>(
                QRegularExpression(u"^(disclaimertext|Command1|basepaymentline|vehicletext|menuframe|pricepayment)"_s));
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

    void optionsAndUnusableTermsRecalculateAllPackages() {
        setSetting("includetax", 1);
        addProduct("Kit", 1600, 1500); // costs more than it sells for: a loss
        DealWorksheet *w = openWorksheet();
        QVERIFY(w);
        for (int p = 0; p < 4; ++p)
            QVERIFY(chooseProduct(w, p, p, "Kit"));
        QCOMPARE(payment(w, 3), "26.75");
        QCOMPARE(shown(w, "totalmsrp(3)") + shown(w, "totalprofit(3)"), "1500.00-100.00");
        // 1500 at 0 % over 60 is 25.00; the tax rate changes behind the window's back before each click.
        const QList<std::tuple<const char *, double, QString>> steps{{"cashdeal1", 0.10, "1650.00"},
                                                                     {"cashdeal1", 0.20, "30.00"},
                                                                     {"disclosetotals1", 0.10, "27.50"},
                                                                     {"discloseprices1", 7.0, "200.00"},
                                                                     {"includetax1", 0.07, "25.00"}};
        for (const auto &[option, taxrate, figure] : steps) {
            setSetting("taxrate", taxrate);
            QVERIFY(click(w, option));
            for (int p = 0; p < 4; ++p)
                QCOMPARE(payment(w, p), figure);
        }
        // A term that reads as 0 or less shows no payment and marks its box until a usable one.
        auto *box = control<QLineEdit>(w, "financeterm");
        for (const char *rate : {"0", "6 %"}) {
            typeAndLeave(w, "interestrate", rate);
            for (const char *term : {"0", "-12", "1e300"}) {
                typeAndLeave(w, "financeterm", term);
                for (int p = 0; p < 4; ++p)
                    QCOMPARE(payment(w, p), "0.00");
                QVERIFY(marked(w, "financeterm") && !box->toolTip().isEmpty());
            }
        }
        click(w, "cashdeal1"); // a cash deal needs no term and carries no interest
        QCOMPARE(payment(w, 0), "1500.00");
        typeAndLeave(w, "financeterm", "60 months");
        click(w, "cashdeal1");
        QCOMPARE(payment(w, 0), "29.00");
        QVERIFY(!marked(w, "financeterm") && box->toolTip().isEmpty());
        typeAndLeave(w, "interestrate", "6.9%");
        typeAndLeave(w, "financeterm", "48");
        QCOMPARE(payment(w, 3), "35.85");
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
        // A name two templates share: each entry loads its own.
        addTemplate("Twin", QString(), {addProduct("First", 1, 10)}, {"T1"});
        addTemplate("Twin", QString(), {addProduct("Second", 2, 20)}, {"T2"});
        DealWorksheet *w = openWorksheet();
        QVERIFY(w);
        auto *templates = control<QComboBox>(w, "vehicledefault");
        QStringList loaded;
        for (int row = templates->findText("Twin"); templates->itemText(row) == "Twin"_L1; ++row) {
            QVERIFY(chooseRow(templates, row));
            loaded << shown(w, "menuframe(0)") + slotBox(w, 0, 0)->currentText();
        }
        loaded.sort();
        QCOMPARE(loaded, (QStringList{"T1First", "T2Second"}));
        for (const auto &[name, value] : {std::pair{"customername", "Ana Ruiz"}, {"interestrate", "6"}})
            typeAndLeave(w, name, value);
        click(w, "cashdeal1");

        QVERIFY(choose(templates, "Sedans"));
        QVERIFY(control<QCheckBox>(w, "cashdeal1")->isChecked());
        QCOMPARE(shown(w, {"customername", "menuframe(0)", "menuframe(1)", "menuframe(2)", "menuframe(3)"}),
                 QStringList({"Ana Ruiz", "Elite", "Select", "Silver", "Value"}));
        QCOMPARE(shown(w, {"menu0(1)", "menu1cost(9)", "menu3id(9)", "totalprofit(0)", "totalpayment(0)"}),
                 QStringList({"Tint", "49.95", QString::number(kit), "1449.05", "1599.00"})); // cash: no interest

        // Choosing the same entry again reloads it over the user's choices.
        QVERIFY(chooseProduct(w, 0, 0, "Tint"));
        QVERIFY(chooseProduct(w, 0, 2, "Tint"));
        QVERIFY(choose(templates, "Sedans"));
        QCOMPARE(shown(w, {"menu0(0)", "menu0(2)", "totalmsrp(0)"}), QStringList({"Kit", "NONE", "1599.00"}));

        // Empty names keep the captions; a product deleted since the template was stored loads as "NONE".
        app().store().productsFile().exec("delete from [table] where id = ?", {gone});
        QVERIFY(choose(templates, "Unnamed"));
        QCOMPARE(shown(w, {"menuframe(1)", "menu0(0)", "totalmsrp(0)"}), QStringList({"Select", "NONE", "1500.00"}));

        // "EXIT" and the title bar ask before discarding the deal; reopened, it starts afresh.
        QCOMPARE(said(w, "Command3", {false}), QStringList{kLeave});
        QVERIFY(w->isVisible());
        QCOMPARE(said([w] { w->close(); }), QStringList{kLeave});
        QTRY_VERIFY(!app().existing<DealWorksheet>());
        QVERIFY((w = openWorksheet()));
        QCOMPARE(shown(w, {"customername", "menu0(0)"}), QStringList({"", ""}));
        QCOMPARE(said(w, "Command3"), QStringList());
        QTRY_VERIFY(!app().existing<DealWorksheet>());
    }

    // The presentation Create Deal builds; Print asked, back to the worksheet as it was, the catalogue edited
    // meanwhile, closed by the title bar, EXIT.
    void createDealBuildsThePresentationAndItsCommands() {
        RecordingDevice *printed = recordPrinting();
        const QString alpha = u"Alpha Guard $1250.00\r\nLine one\r\nLine two"_s;
        setSettings({{"dealershipname", "  Smith & Sons Motors  "},
                     {"disclaimer", "  Estimates only.\r\nSubject to credit.  "},
                     {"package3", "Package 3"},
                     {"disclosetotals", 1},
                     {"discloseprices", 1}});
        addTemplate(u"Trucks"_s, QString(), {}, {u"Tow & Haul"_s, u"Work"_s});
        const QString page = QDir(m_folder->path()).filePath(u"webpages/alpha guard.html"_s);
        QVERIFY(QDir().mkpath(QFileInfo(page).path()) && QFile(page).open(QIODevice::WriteOnly));
        const int alphaId = addProduct(u"Alpha Guard"_s, 300, 1250, u"  Line one\r\nLine two  "_s, page);
        const int bravo = addProduct(u"Bravo Tint"_s, 120, 499);
        addProduct(u"Service Contract"_s, 900, 1500, QString(), u"    "_s);
        DealWorksheet *worksheet = openWorksheet();
        QVERIFY(choose(control<QComboBox>(worksheet, u"vehicledefault"_s), u"Trucks"_s));
        for (const auto &[box, text] : {std::pair{"customername", "  Pat Doe "},
                                        {"salesperson", " Lee "},
                                        {"interestrate", "6"},
                                        {"financeterm", "60"}})
            type(worksheet, box, text);
        // The last after a gap in the column.
        for (const auto &[p, k, name] :
             {std::tuple{0, 0, "Alpha Guard"}, {0, 1, "Bravo Tint"}, {1, 4, "Service Contract"}, {3, 6, "Alpha Guard"}})
            QVERIFY(chooseProduct(worksheet, p, k, name));
        // Every named control of the worksheet (boxes, lists, options, slots, totals) as it shows it.
        auto state = [worksheet] {
            QStringList all;
            for (QWidget *c : worksheet->findChildren<QWidget *>())
                if (!c->objectName().startsWith(QLatin1String("qt_")))
                    all << c->objectName() + QLatin1Char('=') + shown(c);
            return all;
        };
        const QStringList before = state();
        DealPresentation *menu = createDeal(worksheet);
        QVERIFY(menu && menu->isVisible());
        // The customer sees no box selected.
        QVERIFY(QTest::qWaitForWindowActive(menu));
        QTRY_VERIFY(control<QPushButton>(menu, u"Command1"_s)->hasFocus());
        QVERIFY(!worksheet->isVisible());

        // Only blanks are trimmed: Bravo Tint keeps the line break its empty description leaves.
        QCOMPARE(shown(menu, {"dealershipnametext", "customernametext", "disclaimertext", "menuframe(0)",
                              "menuframe(2)", "product0(0)", "product0(1)", "product3(6)", "producttext(0)",
                              "webpath0(0)", "pricepayment(1)"}),
                 QStringList({"Smith & Sons Motors", "Pat Doe", "Estimates only.\r\nSubject to credit.", "Tow & Haul",
                              "Package 3", alpha, "Bravo Tint $499.00\r\n", alpha,
                              alpha + "\r\n\r\nBravo Tint $499.00\r\n\r\n\r\n", page, "$ 29.00 / Month"}));
        QCOMPARE(control<QGroupBox>(menu, u"menuframe(0)"_s)->title(), u"Tow && Haul"_s); // never a shortcut
        for (int p = 0; p < 4; ++p)
            for (int k = 0; k < 10; ++k)
                QCOMPARE(visible(menu, product(p, k)), (p == 0 && k < 2) || (p == 1 && k == 4) || (p == 3 && k == 6));
        // Never shown; with one term and nothing financed, no further lines.
        for (const char *hidden :
             {"producttext(0)", "webpath0(0)", "pricepayment2(1)", "pricepayment3(1)", "basepaymentline"})
            QVERIFY2(!visible(menu, hidden), hidden);

        // Shown, not typed into; a double-click opens the product's page or says why it cannot.
        QTest::keyClicks(control(menu, product(0, 0)), u"typed"_s);
        QCOMPARE(shown(menu, product(0, 0)), alpha);
        QList<QUrl> opened;
        app().setExternalOpener([&](const QUrl &url) { opened << url; });
        auto doubleClick = [menu](const QString &box) {
            return said([&] {
                QTest::mouseDClick(control<QPlainTextEdit>(menu, box)->viewport(), Qt::LeftButton, {}, {10, 8});
            });
        };
        for (const QString &box : {product(0, 1), product(1, 4)}) // empty and all-space paths
            QCOMPARE(doubleClick(box), QStringList{u"Message: This product has no page to show."_s});
        QCOMPARE(doubleClick(product(0, 0)), QStringList());
        QCOMPARE(opened, QList<QUrl>{externalUrl(page)});
        app().setExternalOpener([](const QUrl &) { return false; });
        QCOMPARE(doubleClick(product(0, 0)),
                 QStringList{u"Message: No program on this computer can open this product's page."_s});
        QVERIFY(QFile::remove(page));
        QCOMPARE(doubleClick(product(3, 6)), QStringList{"Message: This product's page was not found: " + page});

        // Print asked and answered No: nothing printed (its Yes: the preview's test).
        menu->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(menu));
        QCOMPARE(said([&] { QTest::keyClick(menu, Qt::Key_P, Qt::ControlModifier); }, {false}),
                 QStringList{u"Are You Sure?: Print Deal?"_s});
        QVERIFY(printed->operations().isEmpty());

        QVERIFY(click(menu, u"Command2"_s));
        QCOMPARE(app().existing<DealPresentation>(), nullptr);
        QVERIFY(worksheet->isVisible());
        QCOMPARE(state(), before);

        QVERIFY(app().store().productsFile().exec(
            u"update [table] set aftermarketname=?, msrp=?, description=? where id=?"_s,
            {u"Ceramic Alpha Guard"_s, 1400.0, u"New words"_s, alphaId}));
        QVERIFY(app().store().productsFile().exec(u"delete from [table] where id=?"_s, {bravo}));
        QVERIFY(chooseProduct(worksheet, 3, 6, u"NONE"_s));
        tick(worksheet, u"disclosetotals1"_s, false);
        menu = createDeal(worksheet);
        QVERIFY(menu && !visible(menu, product(3, 6)) && shown(menu, product(3, 6)).isEmpty() &&
                !visible(menu, u"pricepayment(0)"_s));
        // The renamed product with the worksheet's price; the deleted one as the worksheet shows it.
        QCOMPARE(shown(menu, u"producttext(0)"_s),
                 u"Ceramic Alpha Guard $1250.00\r\nNew words\r\n\r\nBravo Tint $499.00\r\n\r\n\r\n"_s);

        // Closed from its title bar, the presentation goes; the worksheet keeps the deal until shown again.
        menu->close();
        QTRY_VERIFY(!app().existing<DealPresentation>());
        QCOMPARE(app().existing<DealWorksheet>(), worksheet);
        QVERIFY(app().existing<MainWindow>()->isVisible());
        QCOMPARE(openWorksheet(), worksheet);
        QPointer<QWidget> presentation = createDeal(worksheet), sheet = worksheet;
        QCOMPARE(said(presentation, u"Command3"_s, {false}), QStringList{kLeave});
        QVERIFY(presentation->isVisible());
        QCOMPARE(said(presentation, u"Command3"_s), QStringList{kLeave});
        QVERIFY(app().existing<MainWindow>()->isVisible());
        QTRY_VERIFY(!presentation && !sheet);
    }

    // Every product's whole text, no scroll bar: a box grows and pushes the next down; a full column of long
    // descriptions shows smaller text; the same when the window scales a column.
    void presentationShowsEveryTextWhole() {
        // Short texts; one long description; a column of long descriptions.
        for (const auto &[products, longSlots] :
             {std::pair{10, QList<int>{}}, {5, QList<int>{2}}, {10, QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}}) {
            m_folder = std::make_unique<ProgramFolder>(); // a presentation as it first opens
            const QString sentence = u"Covers paint, glass and trim against the weather for as long as you own it. "_s;
            Deal deal;
            for (Package &package : deal.packages)
                for (int k = 0; k < products; ++k)
                    package.products[k] = {1.0 + k, u"Plan %1"_s.arg(k), 10, 100, u"Seven years."_s, {}};
            for (int k : longSlots)
                deal.packages[1].products[k].description =
                    longSlots.size() > 1 ? sentence + u"Seven years."_s : sentence.repeated(6);
            auto *menu = app().window<DealPresentation>();
            menu->present(deal);
            menu->show();
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            auto *frame = control<QGroupBox>(menu, u"menuframe(1)"_s);
            const QFont designed = control(menu, product(0, 0))->font();
            for (double scale : {1.0, 1.5}) {
                frame->resize(frame->size() * scale); // as the window scales it, geometry and font
                QFont font = frame->font();
                font.setPointSizeF(font.pointSizeF() * scale);
                frame->setFont(font);
                int reach = 0;
                for (int k = 0; k < products; ++k) {
                    auto *box = control<QPlainTextEdit>(menu, product(1, k));
                    QTRY_COMPARE(box->verticalScrollBar()->maximum(), 0);
                    // Shown whole, inside its frame, below the one above.
                    QVERIFY(box->isVisible() && !box->verticalScrollBar()->isVisible() &&
                            frame->rect().contains(box->geometry()) && box->y() >= reach - 1);
                    reach = box->geometry().bottom();
                    QCOMPARE(box->font().pointSizeF() < designed.pointSizeF() * scale - 0.1, longSlots.size() > 1);
                    // Never below 7 points at the size the window is drawn at.
                    QVERIFY(box->font().pointSizeF() >= 7 * scale * WindowFit::of(menu)->scale() - 0.01);
                }
            }
            QCOMPARE(control(menu, product(1, 2))->height() > control(menu, product(1, 3))->height(),
                     longSlots.size() == 1);
        }
    }
};

QTEST_MAIN(DealTest)
#include "deal_test.moc"
