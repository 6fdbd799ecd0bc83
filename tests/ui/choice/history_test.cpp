// The deal history and the product report as a manager uses them: narrowing, reprinting a deal as it
// was saved, the report's filters, and both exports read back by a CSV reader.

#include "choicesupport.h"
#include "core/deal/dealpage.h"
#include "core/print/printer.h"
#include "core/print/recordingdevice.h"
#include "dealfixture.h"
#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/deal/dealchoice.h"
#include "ui/deal/dealpresentation.h"
#include "ui/history/dealhistory.h"
#include "ui/history/dealreport.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QTableView>
#include <QtTest>

using namespace testsupport;
using namespace choicetest;
using namespace Qt::StringLiterals;

namespace {
RecordingDevice *recordPrinting() {
    auto owned = std::make_unique<RecordingDevice>();
    RecordingDevice *device = owned.get();
    app().installPrinterDevice(std::move(owned));
    return device;
}

QStringList printedTexts(const RecordingDevice *device) {
    QStringList out;
    for (const RecordingDevice::Operation &op : device->texts())
        out << op.text;
    return out;
}

QList<QStringList> gridRows(QWidget *window) {
    auto *grid = control<QTableView>(window, u"grid1"_s);
    QList<QStringList> rows;
    QStringList headings;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        headings << grid->model()->headerData(c, Qt::Horizontal).toString();
    rows << headings;
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            cells << grid->model()->index(r, c).data().toString();
        rows << cells;
    }
    return rows;
}

QStringList cellsOf(const QList<QStringList> &rows, int c) {
    QStringList out;
    for (int r = 1; r < rows.size(); ++r)
        out << rows[r].value(c);
    return out;
}

DealHistory *openHistory() {
    auto *main = app().window<MainWindow>();
    auto *item = main->findChild<QAction *>(u"m_history"_s);
    if (!item || !item->isEnabled())
        return nullptr;
    item->trigger();
    return app().existing<DealHistory>();
}

QList<QStringList> exported(QWidget *window, const QString &button, const QString &file) {
    app().setFileChooser([file](QWidget *, const QString &, const QString &, const QString &) { return file; });
    const QList<BoxSeen> boxes = answeringBoxes([&] { click(window, button); });
    if (boxes.size() != 1 || !boxes[0].text.contains(QDir::toNativeSeparators(file)))
        qWarning("the export said %s", boxes.isEmpty() ? "nothing" : qPrintable(boxes[0].text));
    return readCsv(file);
}
} // namespace

class HistoryTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeAllWindows(); }

    // A deal chosen on the presentation; its products renamed and deleted afterwards; others stored beside it.
    void historyNarrowsReprintsAsStoredAndExports() {
        ProgramFolder folder;
        addProduct(u"Service Contract"_s, 900, 1000, u"Engine cover"_s, {}, 1);
        addProduct(u"GAP"_s, 250, 500, u"Loan balance"_s, {}, 2);
        addProduct(u"Tint"_s, 120, 400, {}, {}, 3);
        addProduct(u"Etch"_s, 15, 200, {}, {}, 4);
        DealChoice *choice = nullptr;
        QVERIFY(click(present(coretest::sampleDeal()), u"Command4"_s) && (choice = app().existing<DealChoice>()));
        QVERIFY(pick(choice, u"choosepackage(1)"_s));
        QVERIFY(click(choice, u"Command2"_s));
        closeAllWindows();
        Database &catalogue = app().store().productsFile();
        QVERIFY(catalogue.exec(u"update [table] set aftermarketname = 'Window Film', msrp = 450 where id = 3"_s));
        QVERIFY(catalogue.exec(u"delete from [table] where id = 2"_s));

        QVector<DealRecord> others{coretest::sampleChoice(-1, 0, u"Bob Sanderson"_s),
                                   coretest::sampleChoice(3, 1, u"Ann Lee"_s)};
        others[0].particulars.customer = u"Kim Anderson, \"Sunny\"\r\nSecond line"_s;
        others[1].particulars.vehicle = u"Sedan"_s;
        others[1].particulars.stockNumber = u"Z-900"_s;
        QVERIFY(app().store().deals().addAll(others));

        DealHistory *history = openHistory();
        QVERIFY(history && history->isVisible());
        QCOMPARE(history->windowTitle(), u"Deal History"_s);
        QList<QStringList> rows = gridRows(history);
        QCOMPARE(rows[0], QStringList({"Deal #", "Date", "Customer", "Vehicle", "Stock #", "Salesperson", "Choice",
                                       "Accepted", "Payment"}));
        QCOMPARE(cellsOf(rows, 0), QStringList({"3", "2", "1"}));
        QCOMPARE(rows[3].mid(2), QStringList({"Pat Doe", "2024 Pickup", "A123", "Ann Lee", "Gold", "3",
                                              rows[3][8]})); // Gold as presented: three products kept
        QVERIFY(rows[3][1].startsWith(QDate::currentDate().toString(Qt::ISODate)));
        QCOMPARE(rows[2].mid(6), QStringList({"Declined", "0", "$ 0.00"}));

        const QList<std::pair<QString, QStringList>> searches{{u"ANDER"_s, {"2"}},    // customer and salesperson
                                                              {u"z-9"_s, {"3"}},      // stock number
                                                              {u"sedan"_s, {"3"}},    // vehicle
                                                              {u"lee"_s, {"3", "1"}}, // salesperson
                                                              {u"nobody"_s, {}},      {QString(), {"3", "2", "1"}}};
        for (const auto &[search, deals] : searches) {
            type(history, u"searchtext"_s, search);
            QCOMPARE(cellsOf(gridRows(history), 0), deals);
        }

        // Reprinted: the deal page and the acceptance page with the names and prices of the day.
        RecordingDevice *device = recordPrinting();
        auto *grid = control<QTableView>(history, u"grid1"_s);
        grid->selectRow(2);
        const QList<BoxSeen> asked = answeringBoxes([&] { click(history, u"Command1"_s); });
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].text, u"Reprint Deal 1?"_s);
        QCOMPARE(device->documentsEnded(), 2);
        const QStringList printed = printedTexts(device);
        QStringList expected{u"GAP $500.00"_s,
                             u"Tint $400.00"_s,
                             u"Tint"_s,
                             u"$400.00"_s,
                             u"Accepted"_s,
                             u"Declined"_s,
                             u"Final Payment: "_s + rows[3][8]};
        for (const QString &line : dealPage(coretest::sampleDeal()).priceLines)
            expected << line;
        for (const QString &text : std::as_const(expected))
            QVERIFY2(printed.contains(text), qPrintable(text + u" in "_s + printed.join(u" | "_s)));
        QVERIFY(!printed.join(u" "_s).contains(u"Window Film"_s));

        if (!haveCsvReader())
            QSKIP("python3 is needed to read the export back");
        type(history, u"searchtext"_s, u"ander"_s);
        const QString file = QDir(folder.path()).filePath(u"history export"_s);
        QCOMPARE(exported(history, u"Command4"_s, file + u".csv"_s), gridRows(history));
        QCOMPARE(gridRows(history).size(), 2);
        QCOMPARE(gridRows(history)[1][2], others[0].particulars.customer);
    }

    // The report's own figures are checked on the deal file; here, what the window does with its filters.
    void reportFollowsItsFiltersAndExports() {
        ProgramFolder folder;
        QVector<DealRecord> fixture{
            coretest::sampleChoice(1, 0b100011u, u"Ann Lee"_s, QDateTime(QDate(2024, 1, 10), QTime(9, 0))),
            coretest::sampleChoice(0, 0x3ff, u"Bob"_s, QDateTime(QDate(2024, 3, 21), QTime(0, 0)))};
        QVERIFY(app().store().deals().addAll(fixture));
        DealHistory *history = openHistory();
        QVERIFY(history && click(history, u"Command2"_s));
        DealReport *report = app().existing<DealReport>();
        QVERIFY(report && report->isVisible());
        QCOMPARE(report->windowTitle(), u"Product Report"_s);
        auto *from = control<QDateEdit>(report, u"fromdate"_s);
        auto *salesperson = control<QComboBox>(report, u"salespersonfilter"_s);
        QCOMPARE(from->date(), QDate(2024, 1, 10));
        QCOMPARE(control<QDateEdit>(report, u"todate"_s)->date(), QDate(2024, 3, 21));
        QCOMPARE(salesperson->count(), 3);
        QCOMPARE(salesperson->itemText(0), u"All"_s);
        auto dealsCounted = [report] { return control<QLabel>(report, u"dealscounted"_s)->text(); };
        QCOMPARE(gridRows(report).value(4),
                 QStringList({"Tint", "2", "1", "50.0 %", "$400.00", "$280.00"})); // Bob took it, Ann did not
        QCOMPARE(dealsCounted(), u"Deals counted: 2"_s);
        QCOMPARE(control<QLabel>(report, u"profitperdeal"_s)->text(), u"Profit per deal: $582.50"_s);
        salesperson->setCurrentIndex(2);
        QCOMPARE(dealsCounted(), u"Deals counted: 1"_s);
        QCOMPARE(gridRows(report).value(4), QStringList({"Tint", "1", "1", "100.0 %", "$400.00", "$280.00"}));
        salesperson->setCurrentIndex(0);
        from->setDate(QDate(2024, 3, 22));
        QCOMPARE(dealsCounted(), u"Deals counted: 0"_s);
        from->setDate(QDate(2024, 1, 1));

        RecordingDevice *device = recordPrinting();
        answeringBoxes([&] { click(report, u"Command1"_s); });
        QCOMPARE(device->documentsEnded(), 1);
        QVERIFY(printedTexts(device).contains(u"Deals counted: 2"_s));
        if (haveCsvReader())
            QCOMPARE(exported(report, u"Command2"_s, QDir(folder.path()).filePath(u"report.csv"_s)), gridRows(report));
        QVERIFY(click(report, u"Command3"_s));
        QTRY_VERIFY(!app().existing<DealReport>());
        QVERIFY(history->isVisible());
    }
};

int runHistoryTests(int argc, char **argv) {
    HistoryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "history_test.moc"
