// The real printer's output read back from PDF files, and the print previews of the deal and of the product list,
// which show, print and save what the print commands print.

#include "testsupport.h"

using namespace testsupport;

#define QVERIFY_NEAR(actual, expected)                                                                                 \
    QVERIFY2(std::abs((actual) - (expected)) < 0.3, qPrintable(QString::number(actual)))

namespace {
void trigger(QWidget *preview, const QString &action) {
    auto *a = preview->findChild<QAction *>(action);
    QVERIFY2(a, qPrintable(action));
    a->trigger();
}
} // namespace

class PrintTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_files;

private slots:
    void initTestCase() {
        if (!havePdfReader())
            QSKIP("poppler-utils are needed to read the pages");
    }

    // One page, on a printer that cannot print within 4.2 mm of the sheet's edge: the dealership centred, the headings
    // over their columns, the approval line at the right. Three terms: every price line fits inside its box of the
    // price band (shrunk when wide), and the payment without products stands between the particulars and the boxes. Ten
    // long descriptions in one package print smaller, all of them inside its box.
    void dealPrintsOnePage() {
        for (const QString &line :
             {u"$ 888888888888888.88 / Month for 888 Months"_s, u"$ 9.99 / Month for 8 Months"_s}) {
            DealPage deal = dealPage(coretest::sampleDeal());
            for (int p = 0; p < 4; ++p)
                for (auto *lines : {&deal.priceLines, &deal.priceLines2, &deal.priceLines3})
                    (*lines)[p] = line;
            deal.basePaymentLine = u"Payment without products: $ 958.07 / Month for 60 Months"_s;
            deal.packageTexts[1].clear();
            for (int i = 1; i <= 10; ++i)
                deal.packageTexts[1] +=
                    u"Product%1 $499.00\r\nA description long enough to take several lines in the box: "
                    "what it covers, for how long, and what the customer does to claim.\r\n\r\n"_s.arg(i);
            const QString file = m_files.filePath(QString::number(line.size()) + u".pdf"_s);
            Printer printer(pdfDevice(file, QMarginsF(4.2, 4.2, 4.2, 4.2)));
            QVERIFY(printDeal(printer, deal));
            const Pdf pdf(file);
            QCOMPARE(pdf.pages.size(), 1);
            const auto approval = pdf.lineWords(u"Approval:"_s);
            QVERIFY_NEAR(approval.value(approval.size() - 1).right, 260); // missing, it reads as one at 0 mm
            const auto dealership = pdf.lineWords(u"Smith"_s);
            QCOMPARE(dealership.size(), 4);
            QVERIFY_NEAR((dealership.first().left + dealership.last().right) / 2, 140);
            for (int p = 0; p < 4; ++p) { // a heading missing reads as one at 0 mm
                const PdfWord heading = pdf.lineWords(deal.headings[p]).value(0);
                QVERIFY_NEAR((heading.left + heading.right) / 2, 50 + 60 * p);
            }
            QVERIFY_NEAR(pdf.lineWords(u"Service"_s).value(0).left, 22); // the first product line
            QVERIFY(pdf.find(u"Product10"_s));
            int lines[5] = {}; // per column; the last counts the payment without products
            for (const PdfWord &w : pdf.words) {
                const int col = w.top < 45 ? 4 : int((w.left - 20) / 60);
                if (w.text == "Months"_L1 && col >= 0)
                    ++lines[qMin(col, 4)];
                const bool inBox = w.left > 20 + 60 * col && w.right < 80 + 60 * col && w.top > 192 && w.bottom < 202;
                const bool base = w.text == "Months"_L1 && col == 4;
                const QString where = u"%1 at %2, %3"_s.arg(w.text).arg(w.left).arg(w.top);
                if ((w.top > 185 && w.top < 202.5) || base) // the disclaimer starts at 203 mm
                    QVERIFY2(base ? w.top > 39 && w.bottom < 45 : inBox, qPrintable(where));
                else if (col == 1 && w.top > 52 && w.top < 202.5)
                    QVERIFY2(w.bottom < 192, qPrintable(where));
            }
            QCOMPARE(QList<int>(lines, lines + 5), QList<int>({3, 3, 3, 3, 1}));
        }
    }

    // The deal as the presentation shows it now: previewed, saved, and printed two ways, always the same page.
    void dealPreview() {
        ProgramFolder folder;
        RecordingDevice *printed = recordPrinting();
        Deal deal = coretest::sampleDeal();
        deal.particulars.customer = u"Jordan Castellano"_s;
        DealPresentation *menu = app().window<DealPresentation>();
        menu->present(deal);
        menu->show();
        type(menu, u"customernametext"_s, u"Pat Doe & Co"_s);

        QVERIFY(click(menu, u"Command5"_s));
        auto *preview = menu->findChild<PrintPreview *>(u"printpreview"_s);
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(preview->windowModality(), Qt::WindowModal); // the deal cannot change behind it
        QCOMPARE(preview->pageCount(), 1);
        QVERIFY(preview->landscape());
        Printer recorder(std::make_unique<RecordingDevice>());
        preview->drawOn(recorder);
        const QStringList previewed = printedLines(static_cast<RecordingDevice &>(recorder.device()));
        QCOMPARE(previewed.filter(u" Pat Doe & Co"_s).size(), 1);

        const QString pdf = m_files.filePath(u"deal.pdf"_s);
        QString offered;
        app().setSaveChooser([&](QWidget *, const QString &suggested, const QString &, const QString &) {
            offered = QFileInfo(suggested).fileName();
            return pdf;
        });
        QCOMPARE(said([&] { trigger(preview, u"savepdf"_s); }),
                 QStringList{u"Message: The deal was saved as a PDF file:\n"_s + QDir::toNativeSeparators(pdf)});
        QCOMPARE(offered, u"Deal Pat Doe & Co.pdf"_s);
        const Pdf saved(pdf);
        QCOMPARE(saved.pages.size(), 1);
        QVERIFY(saved.find(u"Pat"_s) && !saved.find(u"Castellano"_s));
        QCOMPARE(printed->documentsEnded(), 0);

        QPointer<PrintPreview> open = preview;
        QCOMPARE(said([&] { trigger(preview, u"previewprint"_s); }), QStringList());
        QCOMPARE(printedLines(*printed), previewed);
        QTRY_VERIFY(!open);
        printed->clear();
        QCOMPARE(said([&] { QVERIFY(click(menu, u"Command1"_s)); }), QStringList{u"Are You Sure?: Print Deal?"_s});
        QCOMPARE(printedLines(*printed), previewed);
    }

    // A list of several pages on a real printer with margins, after a deal: printed and saved alike, each page's
    // headings 10 mm across and 15 mm down from the printable area's corner.
    void listPreview() {
        ProgramFolder folder;
        const QString printedPdf = m_files.filePath(u"printed.pdf"_s), savedPdf = m_files.filePath(u"saved.pdf"_s);
        app().installPrinterDevice(pdfDevice(printedPdf, QMarginsF(6, 5, 6, 5)));
        for (int i = 1; i <= 70; ++i)
            addProduct(u"Product%1"_s.arg(i, 2, 10, QLatin1Char('0')), i, 2.5 * i);
        // Texts wider than their columns: they wrap, or shrink when one word is too wide.
        Product wide{71, {}, 0, 1234567.89, {}, {}, {}, {}, {}, {}};
        wide.name = u"Product35 Extended Service Contract With Roadside Assistance And Rental"_s;
        wide.installer = u"Northside Auto Glass and Window Tint Specialists"_s;
        wide.phone = u"(555) 123-4567 ext. 8901 ask for Dana"_s;
        wide.notes = QString(u"Installed at their shop, not ours. "_s).repeated(12);
        QVERIFY(app().store().products().add(wide));
        setSetting(u"dealershipname"_s, u"Riverside Motors"_s);
        ProductList *list = fromMenu<ProductList>(u"m_aftermarket"_s);
        QVERIFY(list && printDeal(app().printer(), DealPage()));
        QCOMPARE(said([&] { QVERIFY(click(list, u"Command2"_s)); }), QStringList{u"Are You Sure?: Print List?"_s});
        QVERIFY(click(list, u"Command4"_s));
        auto *preview = list->findChild<PrintPreview *>(u"printpreview"_s);
        QVERIFY(preview && preview->landscape());
        Printer recorder(std::make_unique<RecordingDevice>());
        preview->drawOn(recorder);
        const RecordingDevice::Operation *names = static_cast<RecordingDevice &>(recorder.device()).findText(u"Name"_s);
        QVERIFY(names && names->font.bold); // the headings stand out
        answerFileDialogs(savedPdf);
        QCOMPARE(said([&] { trigger(preview, u"savepdf"_s); }).size(), 1);

        const Pdf printedPages(printedPdf), savedPages(savedPdf);
        QCOMPARE(preview->pageCount(), printedPages.pages.size());
        QVERIFY(preview->pageCount() >= 2);
        QVERIFY(printedPages.find(u"Product70"_s));
        const int pages = printedPages.pages.size();
        for (int page = 1; page <= pages; ++page) {
            const PdfWord heading = printedPages.lineWords(u"Name"_s, page).value(0);
            QVERIFY2(std::abs(heading.left - 16) < 0.3 && heading.top > 19 && heading.top < 21,
                     qPrintable(u"%1, %2"_s.arg(heading.left).arg(heading.top)));
            QCOMPARE(printedPages.line(u"Riverside"_s, page).mid(0, 3),
                     QStringList({"Riverside", "Motors", QDate::currentDate().toString(Qt::ISODate)}));
            QCOMPARE(printedPages.line(u"Page"_s, page),
                     QStringList({"Page", QString::number(page), "of", QString::number(pages)}));
        }
        // No word reaches the next column or starts below 185 mm (columns and rows shifted by the margins).
        const double columns[] = {16, 76, 96, 116, 136, 176, 206, 271};
        QStringList installer;
        for (const PdfWord &w : printedPages.words) {
            if (w.top < 23) // the header and headings
                continue;
            const int c =
                int(std::upper_bound(std::begin(columns), std::end(columns), w.left + 0.01) - std::begin(columns)) - 1;
            QVERIFY2(c >= 0 && c < 7 && w.right <= columns[c + 1] && w.top < 190,
                     qPrintable(u"%1 at %2 to %3"_s.arg(w.text).arg(w.left).arg(w.right)));
            if ((c == 4 || w.text == "Installed"_L1) && w.page == printedPages.find(u"Northside"_s)->page)
                installer << w.text;
        }
        QCOMPARE(installer.removeAll(u"Installed"_s), 12); // the row kept whole on one page
        QCOMPARE(installer.join(u' '), wide.installer);
        QCOMPARE(savedPages.words, printedPages.words);
        // The page controls follow the pages.
        trigger(preview, u"lastpage"_s);
        QCOMPARE(preview->findChild<QSpinBox *>(u"pagenumber"_s)->value(), preview->pageCount());
        QVERIFY(!preview->findChild<QAction *>(u"nextpage"_s)->isEnabled());
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
