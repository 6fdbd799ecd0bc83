// The customer's choice, the deal history and the product report as a salesperson and a manager use them.

#include "core/csv/csv.h"
#include "testsupport.h"

using namespace testsupport;

namespace {
DealPresentation *present(const Deal &deal) {
    DealPresentation *menu = app().window<DealPresentation>();
    Application::bringUp(menu);
    menu->present(deal);
    return menu;
}

QVariantList dealRows(const QString &sql) { return column(u"deals.mdb"_s, sql); }

// Signs on the pad with the mouse: one stroke through the points (fractions of the pad), pressed at the first.
void sign(QWidget *pad, const QList<QPointF> &stroke) {
    auto at = [pad](const QPointF &p) { return QPoint(int(p.x() * pad->width()), int(p.y() * pad->height())); };
    QTest::mousePress(pad, Qt::LeftButton, {}, at(stroke.first()));
    for (const QPointF &p : stroke.mid(1))
        QTest::mouseMove(pad, at(p));
    QTest::mouseRelease(pad, Qt::LeftButton, {}, at(stroke.last()));
}

// Where the signature's blue ink lies on a printed PDF page, in millimetres; empty when there is none.
QRectF blueInk(const QString &pdf) {
    constexpr int dpi = 50;
    const QString png = pdf + u"-page"_s;
    QProcess::execute(u"pdftoppm"_s, {"-png", "-r", QString::number(dpi), "-singlefile", pdf, png});
    const QImage page(png + u".png"_s);
    QRectF ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (const QColor c = page.pixelColor(x, y); c.blue() > c.red() + 40)
                ink |= QRectF(x * 25.4 / dpi, y * 25.4 / dpi, 25.4 / dpi, 25.4 / dpi);
    return ink;
}

DealChoice *openChoice(DealPresentation *menu) {
    return click(menu, u"Command4"_s) ? app().existing<DealChoice>() : nullptr;
}

// Headings first.
QList<QStringList> gridRows(QWidget *window) {
    const QAbstractItemModel *model = control<QTableView>(window, u"grid1"_s)->model();
    QList<QStringList> rows;
    for (int r = -1; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << (r < 0 ? model->headerData(c, Qt::Horizontal) : model->index(r, c).data()).toString();
        rows << cells;
    }
    return rows;
}

bool readsFromRight(QWidget *window, int row, int column) {
    const QModelIndex cell = control<QTableView>(window, u"grid1"_s)->model()->index(row, column);
    return (Qt::Alignment(cell.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask) == Qt::AlignRight;
}

// What an export wrote, read back, after the export said where it went; none without the byte-order mark
// spreadsheets need.
QList<QStringList> exported(QWidget *window, const QString &button, const QString &file) {
    answerFileDialogs(file);
    const QStringList boxes = said(window, button);
    QList<QStringList> rows;
    if (boxes.size() == 1 && boxes[0].contains(QDir::toNativeSeparators(file)) &&
        coretest::bytes(file).startsWith("\xEF\xBB\xBF"))
        csv::read(
            coretest::bytes(file), [&rows](int, const QStringList &fields) { return rows.append(fields), true; },
            [](const csv::Problem &problem) { QFAIL(qPrintable(problem.what)); });
    return rows;
}
} // namespace

class ChoiceTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:

    // Deals stored by other copies and one chosen while the history and the product report are open; a product
    // renamed since. The report's figures are the deal file's tests; here, its filters.
    void historyAndReportNarrowReprintAsStoredAndExport() {
        ProgramFolder folder;
        addProduct(u"Window Film"_s, 120, 450, {}, {}, 3); // the deal's Tint, renamed since
        QVector<DealRecord> others{
            coretest::sampleChoice(-1, 0, u"Bob Sanderson"_s, QDateTime(QDate(2024, 1, 10), QTime(9, 0))),
            coretest::sampleChoice(0, 1, u"Cy Lee"_s, QDateTime(QDate(2024, 3, 21), QTime(0, 0)), true)};
        others[0].particulars.customer = u"Kim Anderson, \"Sunny\"\r\nSecond line"_s;
        others[1].particulars.vehicle = u"Sedan"_s;
        others[1].particulars.stockNumber = u"Z-900"_s;
        QVERIFY(app().store().deals().addAll(others));
        DealHistory *history = fromMenu<DealHistory>(u"m_history"_s);
        QVERIFY(history && history->isVisible() && click(history, u"Command2"_s));
        QAbstractItemModelTester tester(control<QTableView>(history, u"grid1"_s)->model(),
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        DealReport *report = app().existing<DealReport>();
        QVERIFY(report && report->isVisible());
        auto *from = control<QDateEdit>(report, u"fromdate"_s);
        auto *salesperson = control<QComboBox>(report, u"salespersonfilter"_s);
        auto dealsCounted = [report] { return control<QLabel>(report, u"dealscounted"_s)->text(); };
        QCOMPARE(from->date(), QDate(2024, 1, 10));
        QCOMPARE(control<QDateEdit>(report, u"todate"_s)->date(), QDate(2024, 3, 21));
        QCOMPARE(dealsCounted(), u"Deals counted: 2"_s);
        // No customer's name: neither button stores (nor prints) anything; Cancel closes without a word.
        RecordingDevice *device = recordPrinting();
        DealPresentation *menu = present(coretest::sampleDeal());
        type(menu, u"customernametext"_s, u"  "_s);
        DealChoice *choice = openChoice(menu);
        QVERIFY(choice && tick(choice, u"choosepackage(1)"_s));
        for (const QString &button : {u"Command1"_s, u"Command2"_s})
            QCOMPARE(said(choice, button),
                     QStringList{u"Message: Please enter the customer's name before saving the deal."_s});
        QCOMPARE(said(choice, u"Command3"_s), QStringList());
        QTRY_VERIFY(!app().existing<DealChoice>());
        type(menu, u"customernametext"_s, u"Jordan Castellano"_s); // edited on the presentation
        choice = openChoice(menu);
        QVERIFY(choice && choice->isVisible() && choice->windowModality() == Qt::ApplicationModal);
        QVERIFY(!control(choice, u"termframe"_s)->isVisible()); // one term: nothing to take
        QCOMPARE(control<QRadioButton>(choice, u"choosepackage(1)"_s)->text(), u"Gold"_s);
        QCOMPARE(said(choice, u"Command2"_s), QStringList{u"Message: Please choose a package or Decline All."_s});
        // Gold with its Tint unticked, signed with the mouse, Print and Save: stored within 64 KB, printed once
        // with the seal; the print's question answered No stores nothing.
        QVERIFY(tick(choice, u"choosepackage(1)"_s));
        auto *list = control<QListWidget>(choice, u"acceptedlist"_s);
        QCOMPARE(list->count(), 3); // the product kept at id 0 is never presented
        const QList<QListWidgetItem *> tint = list->findItems(u"Tint"_s, Qt::MatchExactly);
        QCOMPARE(tint.size(), 1);
        list->setFocus();
        list->setCurrentItem(tint.first()); // onto it, then the space bar
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(textOf(choice, u"finalpayment"_s), u"$ 30.93 / Month"_s);
        sign(control(choice, u"signaturepad"_s), {{0.1, 0.7}, {0.2, 0.2}, {0.3, 0.7}, {0.5, 0.3}, {0.9, 0.6}});
        QCOMPARE(said(choice, u"Command1"_s, {false}), QStringList{u"Are You Sure?: Print Customer Choice?"_s});
        QCOMPARE(dealRows(u"select count(*) from deals"_s), QVariantList{2});
        QCOMPARE(said(choice, u"Command1"_s),
                 (QStringList{u"Are You Sure?: Print Customer Choice?"_s, u"Message: Deal 3 saved."_s}));
        QTRY_VERIFY(!app().existing<DealChoice>());
        QCOMPARE(dealRows(u"select chosenpackage || '|' || chosenname || '|' || customer || '|' || finalpayment "
                          "from deals where id = 3"_s),
                 QVariantList{u"1|Gold|Jordan Castellano|30.93"_s});
        QCOMPARE(dealRows(u"select package || ':' || slot || '=' || accepted from dealitems where deal = 3 order by "
                          "package, slot"_s),
                 QVariantList({"0:0=0", "0:1=0", "0:2=0", "0:3=0", "1:0=1", "1:1=1", "1:2=0", "1:5=0", "2:0=0", "2:1=0",
                               "3:0=0"}));
        const QByteArray signature = dealRows(u"select signature from deals where id = 3"_s).value(0).toByteArray();
        const QString seal =
            u"Seal: "_s + dealRows(u"select seal from deals where id = 3"_s).value(0).toString().left(16);
        auto printed = [device, &seal] {
            const QList<RecordingDevice::Operation> pictures = device->operations(RecordingDevice::Kind::Picture);
            return pictures.size() == 1 && device->findText(seal) ? pictures[0] : RecordingDevice::Operation{};
        };
        const RecordingDevice::Operation first = printed();
        QVERIFY(device->documentsEnded() == 1 && signature.size() <= 65536 && !first.image.isNull());
        QCOMPARE(first.image.convertToFormat(QImage::Format_ARGB32),
                 QImage::fromData(signature, "PNG").convertToFormat(QImage::Format_ARGB32));
        // Counted in the report at once, its salesperson offered.
        QCOMPARE(dealsCounted(), u"Deals counted: 3"_s);
        QCOMPARE(control<QDateEdit>(report, u"todate"_s)->date(), QDate::currentDate());
        QCOMPARE(salesperson->itemText(0) + salesperson->itemText(1), u"AllAnn Lee"_s);
        const QList<QStringList> rows = gridRows(history); // the new deal listed at once
        QCOMPARE(rows[0], QStringList({"Deal #", "Date", "Customer", "Vehicle", "Stock #", "Salesperson", "Choice",
                                       "Accepted", "Payment"}));
        const QString payment = rows[1][8];
        QCOMPARE(rows[1].mid(2),
                 QStringList({"Jordan Castellano", "2024 Pickup", "A123", "Ann Lee", "Gold", "2", payment}));
        QVERIFY(rows[1][1].startsWith(QDate::currentDate().toString(Qt::ISODate)));
        QCOMPARE(rows[2].mid(6) + rows[3].mid(6),
                 QStringList({"Platinum", "1", "$ 1000.00", "Declined", "0", "$ 0.00"}));
        QVERIFY(readsFromRight(history, 0, 8) && !readsFromRight(history, 0, 2));

        // By customer, stock number, vehicle and salesperson.
        const QList<std::pair<QString, QStringList>> searches{
            {u"ANDER"_s, {"1"}}, {u"z-9"_s, {"2"}}, {u"sedan"_s, {"2"}}, {u"lee"_s, {"3", "2"}}, {u"nobody"_s, {}}};
        for (const auto &[search, deals] : searches) {
            type(history, u"searchtext"_s, search);
            QStringList numbers;
            for (const QStringList &row : gridRows(history).mid(1))
                numbers << row[0];
            QCOMPARE(numbers, deals);
        }

        // Reprinted: the deal page and the acceptance page with the names and prices of the day, the signature
        // where it was.
        device->clear();
        type(history, u"searchtext"_s, QString());
        control<QTableView>(history, u"grid1"_s)->selectRow(0);
        QCOMPARE(said(history, u"Command1"_s), QStringList{u"Are You Sure?: Reprint Deal 3?"_s});
        QCOMPARE(device->documentsEnded(), 3);
        const RecordingDevice::Operation again = printed();
        QCOMPARE(QRectF(QPointF(again.x, again.y), QPointF(again.x2, again.y2)),
                 QRectF(QPointF(first.x, first.y), QPointF(first.x2, first.y2)));
        QCOMPARE(again.image, first.image);
        const DealPage page = dealPage(coretest::sampleDeal()); // not the catalogue's "Window Film $450.00"
        for (const QString &text : QStringList(page.priceLines.begin(), page.priceLines.end()) +
                                       QStringList{u"Tint $400.00"_s, u"Final Payment: "_s + payment})
            QVERIFY2(device->findText(text), qPrintable(text));

        // A double-click shows the stored deal as presented, read-only; its Print reprints it.
        auto *grid = control<QTableView>(history, u"grid1"_s);
        const QPoint row = grid->visualRect(grid->model()->index(0, 2)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row);
        DealView *view = app().existing<DealView>();
        QVERIFY(view && view->isVisible() && view != app().existing<DealPresentation>());
        QCOMPARE((QStringList{view->windowTitle(), control<QGroupBox>(view, u"menuframe(1)"_s)->title(),
                              textOf(view, u"pricepayment(2)"_s), textOf(view, u"product1(2)"_s).left(12)}),
                 (QStringList{u"Stored Deal 3"_s, u"Gold"_s, page.priceLines[2], u"Tint $400.00"_s}));
        for (const QString &box : {u"customernametext"_s, u"product1(2)"_s, u"disclaimertext"_s}) {
            const QString before = textOf(view, box);
            control(view, box)->setFocus();
            QTest::keyClicks(control(view, box), u"typed"_s);
            QCOMPARE(textOf(view, box), before);
        }
        QVERIFY(!control(view, u"Command2"_s)->isVisible() && !control(view, u"Command4"_s)->isVisible());
        QCOMPARE(said(view, u"Command1"_s), QStringList{u"Are You Sure?: Reprint Deal 3?"_s});
        QCOMPARE(device->documentsEnded(), 5);
        QVERIFY(click(view, u"Command3"_s));
        QTRY_VERIFY(!app().existing<DealView>());
        QVERIFY(history->isVisible());

        // Every deal matches its seal until a database tool changes one.
        const QStringList verified = said(history, u"Command5"_s);
        QVERIFY(coretest::changeDealFile(folder.dataFile(u"deals.mdb"_s),
                                         {u"update dealitems set description = 'better' where deal = 2"_s}));
        QCOMPARE(verified + said(history, u"Command5"_s),
                 QStringList({u"Message: All 3 deals are intact."_s,
                              u"Error: Deal 2 does not match its seal: it was changed after it was saved."_s}));

        // The export: the grid's columns, then the payment, term (none for deal 2, in cash) and amount financed as
        // plain numbers.
        const QString file = QDir(folder.path()).filePath(u"history export.csv"_s);
        QList<QStringList> expected = gridRows(history);
        expected[0] << u"Payment Amount"_s << u"Term"_s << u"Amount Financed"_s;
        for (int r = 1; r < expected.size(); ++r)
            expected[r] << expected[r][8].section(u' ', 1, 1) << (r == 2 ? QString() : u"60"_s) << u"0.00"_s;
        const QList<QStringList> rowsExported = exported(history, u"Command4"_s, file);
        QCOMPARE(rowsExported, expected);
        QCOMPARE(rowsExported.value(3).value(2), others[0].particulars.customer);

        // The report: GAP offered in every deal, kept in the one Ann Lee saved; Tint under its name in the deals;
        // printed and exported as shown.
        QCOMPARE(gridRows(report).value(2) + gridRows(report).value(4).mid(0, 3),
                 QStringList({"GAP", "3", "1", "33.3 %", "$500.00", "$250.00", "Tint", "3", "0"}));
        QVERIFY(readsFromRight(report, 3, 4) && readsFromRight(report, 3, 5) && !readsFromRight(report, 3, 0));
        salesperson->setCurrentIndex(1);
        QCOMPARE(gridRows(report).value(2), QStringList({"GAP", "1", "1", "100.0 %", "$500.00", "$250.00"}));
        salesperson->setCurrentIndex(0);
        from->setDate(QDate(2024, 3, 22));
        QCOMPARE(dealsCounted(), u"Deals counted: 1"_s);
        from->setDate(QDate(2024, 1, 1));
        answeringBoxes([&] { click(report, u"Command1"_s); });
        QVERIFY(device->findText(u"Deals counted: 3"_s));
        QList<QStringList> amounts = gridRows(report); // exported as plain numbers
        for (int r = 1; r < amounts.size(); ++r)
            amounts[r][4].remove(u'$'), amounts[r][5].remove(u'$');
        QCOMPARE(exported(report, u"Command2"_s, QDir(folder.path()).filePath(u"report.csv"_s)), amounts);
        QVERIFY(click(report, u"Command3"_s));
        QTRY_VERIFY(!app().existing<DealReport>());
        QVERIFY(history->isVisible());

        // Saved again only when the question is answered OK; once saved, the presentation closes without asking.
        const QString asked = u"Are You Sure?: This deal was already saved as Deal 3. Save it again as a new deal?"_s;
        QVERIFY((choice = openChoice(menu)) && tick(choice, u"declineall"_s));
        sign(control(choice, u"signaturepad"_s), {{0.1, 0.5}, {0.3, 0.2}, {0.5, 0.7}});
        QVERIFY(click(choice, u"Command4"_s)); // cleared: stored as none
        QCOMPARE(textOf(choice, u"finalpayment"_s), u"$ 0.00"_s);
        QCOMPARE(said(choice, u"Command2"_s, {false}), QStringList{asked});
        QCOMPARE(dealRows(u"select count(*) from deals"_s), QVariantList{3});
        QCOMPARE(said(choice, u"Command2"_s), (QStringList{asked, u"Message: Deal 4 saved."_s}));
        QCOMPARE(dealRows(u"select chosenpackage || '|' || finalpayment || '|' || ifnull(signature, 'none') from deals "
                          "where id = 4"_s),
                 QVariantList{u"-1|0.00|none"_s});
        QCOMPARE(said(menu, u"Command3"_s), QStringList());
        QTRY_VERIFY(!app().existing<DealPresentation>());
        QVERIFY(folder.databaseErrors().isEmpty());
    }

    // Gold without its Tint; forty products, one per slot, all declined (the most a page must hold).
    void acceptancePageReadsBackFromAPdf() {
        if (!testsupport::havePdfReader())
            QSKIP("poppler-utils are needed to read the printed page");
        DealRecord gold = coretest::sampleChoice(1, 0b100011u);
        gold.statement = u"I was shown each product above and chose freely."_s;
        gold.seal = u"0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef"_s;
        QImage signature(600, 120, QImage::Format_ARGB32);
        signature.fill(Qt::transparent);
        QPainter(&signature).fillRect(20, 20, 560, 80, QColor(10, 20, 90));
        QBuffer png(&gold.signature);
        QVERIFY(png.open(QIODevice::WriteOnly) && signature.save(&png, "PNG"));
        Deal forty = coretest::sampleDeal();
        QStringList items;
        for (int i = 1; i <= 40; ++i) {
            items << u"Item%1"_s.arg(i, 2, 10, QLatin1Char('0'));
            forty.packages[(i - 1) / 10].products[(i - 1) % 10] = coretest::slot(i, items.last(), 10, 99.5);
        }
        // With a statement long enough to push the signatures off the page in its usual size.
        const QString statement = QString(u"Clause one: I was shown every product listed above with its price, and I "
                                          "understand that declining it does not affect the approval of my financing "
                                          "or my purchase. "_s)
                                      .repeated(4);
        const QList<std::tuple<const char *, DealRecord, QStringList, QStringList, QString>> rows{
            {"gold", gold, {"Service", "GAP"}, {"Tint", "Etch"}, "$ 30.93 / Month"},
            {"forty", recordChoice(forty, DealRecord::DeclinedAll, {}, statement), {}, items, "$ 0.00"}};
        for (auto [tag, deal, accepted, declined, payment] : rows) {
            deal.id = 1234;
            deal.saved = QDateTime(QDate(2024, 5, 1), QTime(14, 3, 22));
            const QString file = m_dir.filePath(QLatin1String(tag) + u".pdf"_s);
            Printer printer(pdfDevice(file, QMarginsF(6, 6, 6, 6),
                                      [](bool failure, const QString &m) { QVERIFY2(!failure, qPrintable(m)); }));
            QVERIFY(printAcceptance(printer, deal));

            const Pdf pdf(file);
            QCOMPARE(pdf.pages.size(), 1);
            QVERIFY2(pdf.pages[0].height() > pdf.pages[0].width(), "the page is portrait");
            const PdfWord *acceptedHeading = pdf.find(u"Accepted"_s);
            const PdfWord *declinedHeading = pdf.find(u"Declined"_s);
            QVERIFY(acceptedHeading && declinedHeading);
            QVERIFY(std::abs(acceptedHeading->top - declinedHeading->top) < 0.5);
            // Each product once, below the headings, in its column.
            for (const QString &name : accepted + declined) {
                const PdfWord *w = pdf.find(name);
                const auto once =
                    std::count_if(pdf.words.begin(), pdf.words.end(), [&](auto &o) { return o.text == name; });
                QVERIFY2(w && w->top > acceptedHeading->top && once == 1 &&
                             (accepted.contains(name) ? w->right < declinedHeading->left
                                                      : w->left >= declinedHeading->left - 0.01),
                         qPrintable(name));
            }
            QCOMPARE(pdf.line(u"Final"_s).join(u' '), u"Final Payment: "_s + payment);
            QCOMPARE(pdf.line(u"Customer"_s).mid(0, 2), QStringList({"Customer", "Signature:"}));
            QCOMPARE(pdf.line(u"Co-Buyer"_s).mid(0, 4).join(u' ').remove(u'_'), u"Co-Buyer Signature:  Date:"_s);
            const PdfWord *number = pdf.find(u"#1234,"_s);
            QVERIFY(number && number->bottom <= pdf.pages[0].height() - 6);
            QVERIFY(pdf.find(u"Clause"_s) || pdf.find(deal.statement.section(u' ', -1)));
            QVERIFY(pdf.find(u"Customer"_s)->top > pdf.find(u"Final"_s)->top);
            // The signature stands on its line, beside its caption; the seal's beginning beside the deal number.
            const QRectF ink = blueInk(file);
            const PdfWord *line = pdf.find(u"Signature:"_s);
            QVERIFY2(deal.signature.isEmpty() ? ink.isEmpty()
                                              : ink.left() > line->right && ink.bottom() > line->top &&
                                                    ink.bottom() < line->bottom + 2 && ink.height() > 5,
                     qPrintable(
                         u"ink at %1,%2 to %3,%4"_s.arg(ink.left()).arg(ink.top()).arg(ink.right()).arg(ink.bottom())));
            QCOMPARE(pdf.line(u"#1234,"_s).mid(5),
                     deal.seal.isEmpty() ? QStringList() : QStringList({"Seal:", deal.seal.left(16)}));
        }
    }
};

QTEST_MAIN(ChoiceTest)
#include "choice_test.moc"
