// A lease deal walked through from the worksheet to the printed page, the customer's choice and a reprint
// after the program was started again. The lease's figures are pinned without a window; here, what the
// windows show of them.

#include "testsupport.h"

using namespace testsupport;

namespace {
// Every figure the worksheet shows, shown or hidden.
QStringList figures(QWidget *w) {
    QStringList all;
    for (const QString &name : {u"totalpayment"_s, u"totalpayment2"_s, u"totalpayment3"_s})
        for (int p = 0; p < 4; ++p)
            all << textOf(w, u"%1(%2)"_s.arg(name, QString::number(p)));
    for (const QString &name : {u"basepayment"_s, u"basepayment2"_s, u"basepayment3"_s})
        all << textOf(w, name) + (control(w, name)->isVisible() ? u" shown"_s : QString());
    return all;
}

// The presentation of the worksheet's deal, its price lines, and its page as printed.
QStringList presented(DealWorksheet *w) {
    RecordingDevice *device = recordPrinting();
    click(w, u"Command1"_s);
    DealPresentation *menu = app().existing<DealPresentation>();
    if (!menu)
        return {};
    QStringList seen{textOf(menu, u"basepaymentline"_s)};
    for (const QString &line : {u"pricepayment(%1)"_s, u"pricepayment2(%1)"_s, u"pricepayment3(%1)"_s})
        for (int p = 0; p < 4; ++p)
            seen << textOf(menu, line.arg(p));
    said(menu, u"Command1"_s);
    return seen + printedLines(*device);
}

// "Change Items": the worksheet as it was left, in front again.
bool changeItems(DealWorksheet *w) {
    return click(app().existing<DealPresentation>(), u"Command2"_s) &&
           (w->activateWindow(), QTest::qWaitForWindowActive(w));
}
} // namespace

class LeaseTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { closeAllWindows(); }

    void leaseFromWorksheetToReprint() {
        ProgramFolder folder;
        setSettings({{"financeterm", 36}, {"financeterm2", 48}, {"financeterm3", 60}});
        setSettings({{"interestrate", 3}, {"disclosetotals", 1}});
        addProduct("Plan", 900, 1500);
        DealWorksheet *w = openWorksheet();
        QVERIFY(w && chooseProduct(w, 1, 0, "Plan"));
        typeAndLeave(w, "amountfinanced", "20,000");
        const QStringList financed = figures(w), financedPage = presented(w);
        QVERIFY(changeItems(w));

        // One kind of deal at a time.
        for (const char *kind : {"cashdeal1", "leasedeal1", "cashdeal1", "leasedeal1"})
            QVERIFY(tick(w, kind) && !control<QCheckBox>(w, *kind == 'c' ? "leasedeal1" : "cashdeal1")->isChecked());
        QCOMPARE(textOf(w, "Label2(3)"), u"Cap Cost:"_s);
        QCOMPARE(control<QLineEdit>(w, "moneyfactor")->placeholderText(), u"0.00125"_s); // 3 % / 2400

        // By hand, 1,500 of products on 20,000: at 36 months, residual 13,110: 276.32 (232.78 without products);
        // at 48, residual 11,000: 10500 / 48 + 32500 x 0.00125 = 259.375, 259.38 (9000 / 48 + 38.75 = 226.25);
        // at 60, residual 9,500: 12000 / 60 + 38.75 = 238.75 (10500 / 60 + 36.875 = 211.875, 211.88).
        for (const auto &[box, text] : {std::pair{"residualvalue", "13,110"},
                                        {"residualvalue2", "$11,000.00"},
                                        {"residualvalue3", "9500"},
                                        {"moneyfactor", ".00125"}})
            typeAndLeave(w, box, text);
        QCOMPARE(textOf(w, "moneyfactor"), u"0.00125"_s);
        const QStringList lease = figures(w);
        QCOMPARE(lease.mid(1, 1) + lease.mid(5, 1) + lease.mid(9, 1) + lease.mid(12),
                 QStringList({"276.32", "259.38", "238.75", "232.78 shown", "226.25 shown", "211.88 shown"}));

        // Marked, with no figure: a residual above the cap cost and products, a term of 0, a bad money factor.
        for (const auto &[box, bad, good] : {std::tuple{"residualvalue2", "21,501", "$11,000.00"},
                                             {"financeterm", "0", "36"},
                                             {"moneyfactor", "-1", "0.00125"},
                                             {"residualvalue", "lots", "13,110"}}) {
            typeAndLeave(w, box, bad);
            QVERIFY2(control(w, box)->property("marked").toBool(), box);
            QCOMPARE(said(w, u"Command1"_s),
                     QStringList{u"Message: Correct the marked boxes before presenting the deal."_s});
            typeAndLeave(w, box, good);
            QVERIFY2(!control(w, box)->property("marked").toBool(), box);
        }
        QCOMPARE(figures(w), lease);

        // The presentation and its page as printed: a line for each term's lease payment, each inside its box on
        // the sheet (printed again, to a PDF).
        const QString pdfFile = QDir(folder.path()).filePath(u"lease.pdf"_s);
        for (const auto &[further, base, lines] :
             {std::tuple{"", u"Lease payment without products: $ 232.78 / Month"_s, 4},
              {"48", u"Lease payment without products: $ 232.78 / Month for 36 Months"_s, 12}}) {
            type(w, u"financeterm2"_s, QLatin1String(further));
            type(w, u"financeterm3"_s, *further ? u"60"_s : QString());
            const QStringList page = presented(w);
            QCOMPARE(page.value(0).section(u"  \u00B7  "_s, 0, 0), base);
            QCOMPARE(page.value(2), u"$ 276.32 / Month for 36 Month Lease"_s);
            QCOMPARE(page.mid(13).filter(u"Month Lease"_s).size(), lines);
            app().installPrinterDevice(pdfDevice(pdfFile));
            said(app().existing<DealPresentation>(), u"Command1"_s);
            for (const PdfWord &word : havePdfReader() ? Pdf(pdfFile).words : QList<PdfWord>()) {
                const int col = int((word.left - 20) / 60);
                if (word.top > 185 && word.top < 202.5) // the price band; the disclaimer starts at 203 mm
                    QVERIFY2(word.left > 20 + 60 * col && word.right < 80 + 60 * col && word.bottom < 202,
                             qPrintable(u"%1 at %2, %3"_s.arg(word.text).arg(word.left).arg(word.top)));
            }
            QVERIFY(changeItems(w));
        }

        // The customer takes Package 2 over 48 months; saved, the program started again, the deal reprinted
        // from the history prints the page the customer saw.
        type(w, u"customername"_s, u"Pat Doe"_s);
        const QStringList leasePage = presented(w);
        QVERIFY(click(app().existing<DealPresentation>(), u"Command4"_s));
        DealChoice *choice = app().existing<DealChoice>();
        QVERIFY(control(choice, u"termframe"_s)->isVisible() && tick(choice, u"choosepackage(1)"_s));
        QCOMPARE(textOf(choice, u"chooseterm(2)"_s) + u", "_s + textOf(choice, u"finalpayment"_s),
                 u"60 Months, $ 276.32 / Month, 36 Month Lease"_s); // the first term unless another is taken
        QVERIFY(tick(choice, u"chooseterm(1)"_s));
        QCOMPARE(textOf(choice, u"finalpayment"_s), u"$ 259.38 / Month, 48 Month Lease"_s);
        QCOMPARE(said(choice, u"Command2"_s), QStringList{u"Message: Deal 1 saved."_s});
        QCOMPARE(column(u"deals.mdb"_s, u"select chosenterm from deals"_s), QVariantList{48.0});
        folder.restart();
        RecordingDevice *device = recordPrinting();
        auto *history = fromMenu<DealHistory>(u"m_history"_s);
        auto *grid = control<QTableView>(history, u"grid1"_s);
        QCOMPARE(grid->model()->index(0, 8).data().toString(), u"$ 259.38 / Month, 48 Month Lease"_s);
        grid->selectRow(0);
        said(history, u"Command1"_s);
        QCOMPARE(printedLines(*device).mid(0, leasePage.size() - 13), leasePage.mid(13));
        QVERIFY(device->findText(u"Final Payment: $ 259.38 / Month, 48 Month Lease"_s));

        // A lease by default; unticked, everything is as it was before the lease.
        closeAllWindows();
        setSetting("leasedeal", 1);
        QVERIFY((w = openWorksheet()) && chooseProduct(w, 1, 0, "Plan"));
        QVERIFY(control<QCheckBox>(w, "leasedeal1")->isChecked());
        typeAndLeave(w, "amountfinanced", "20,000");
        typeAndLeave(w, "residualvalue", "13,110");
        QVERIFY(tick(w, "leasedeal1", false));
        QCOMPARE(figures(w), financed);
        QCOMPARE(presented(w), financedPage);
        QVERIFY(folder.databaseErrors().isEmpty());
    }
};

QTEST_MAIN(LeaseTest)
#include "lease_test.moc"
