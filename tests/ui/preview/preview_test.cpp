// The print previews of the deal and of the product list: they show, print and save exactly what the
// print commands print.

#include "core/deal/deal.h"
#include "core/print/printer.h"
#include "core/print/recordingdevice.h"
#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/catalogue/productlist.h"
#include "ui/deal/dealpresentation.h"
#include "ui/print/printpreview.h"
#include "ui/print/qtprinterdevice.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

using namespace testsupport;
using Kind = RecordingDevice::Kind;

namespace {
// Every operation with its place, font and page, one a line.
QStringList dump(const QList<RecordingDevice::Operation> &ops) {
    QStringList lines;
    for (const RecordingDevice::Operation &op : ops)
        lines << QStringLiteral("%1 p%2 o%3 (%4,%5)-(%6,%7) r%8 w%9 %10 %11%12 \"%13\"")
                     .arg(int(op.kind))
                     .arg(op.page)
                     .arg(op.orientation)
                     .arg(op.x, 0, 'f', 3)
                     .arg(op.y, 0, 'f', 3)
                     .arg(op.x2, 0, 'f', 3)
                     .arg(op.y2, 0, 'f', 3)
                     .arg(op.radius, 0, 'f', 3)
                     .arg(op.drawWidth)
                     .arg(op.font.family)
                     .arg(op.font.size)
                     .arg(op.font.bold ? QStringLiteral("b") : QString())
                     .arg(op.text);
    return lines;
}

// What the preview draws, recorded.
QStringList previewDrawing(PrintPreview *preview) {
    Printer printer(std::make_unique<RecordingDevice>());
    preview->drawOn(printer);
    return dump(static_cast<RecordingDevice &>(printer.device()).operations());
}

PrintPreview *previewOf(QWidget *window) { return window->findChild<PrintPreview *>(QStringLiteral("printpreview")); }

QAction *action(PrintPreview *preview, const QString &name) {
    auto *a = preview ? preview->findChild<QAction *>(name) : nullptr;
    if (!a)
        qWarning("the preview has no action %s", qPrintable(name));
    return a;
}

QStringList said(const std::function<void()> &act, const QList<bool> &answers = {true}) {
    QStringList texts;
    for (const BoxSeen &box : answeringBoxes(act, answers))
        texts << box.title + QStringLiteral(": ") + box.text;
    return texts;
}

Deal sampleDeal() {
    Deal deal;
    deal.dealership = QStringLiteral("Riverside Motors");
    deal.disclaimer = QStringLiteral("Estimates only.");
    deal.particulars = {QStringLiteral("Jordan Castellano"), QStringLiteral("2024 Meridian"),
                        QStringLiteral("R24-1187"), QStringLiteral("Dana")};
    deal.rate = 6.9;
    deal.term = 72;
    deal.discloseTotals = true;
    const char *names[4] = {"Platinum", "Gold", "Silver", "Basic"};
    for (int p = 0; p < 4; ++p) {
        deal.packages[p].name = QLatin1String(names[p]);
        for (int k = 0; k <= 3 - p; ++k) {
            SlotProduct &slot = deal.packages[p].products[k];
            slot.id = 1 + k;
            slot.name = QStringLiteral("Product %1").arg(k + 1);
            slot.msrp = 100 * (k + 1);
            slot.description = QStringLiteral("What product %1 covers, in a line long enough to wrap.").arg(k + 1);
        }
    }
    return deal;
}

// The page sizes and words of a PDF with their places, as poppler's pdftotext reads them.
QStringList pdfWords(const QString &path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    process.waitForFinished(60000);
    static const QRegularExpression token(QStringLiteral("<page [^>]*>|<word [^>]*>[^<]*</word>"));
    QStringList out;
    auto it = token.globalMatch(QString::fromUtf8(process.readAllStandardOutput()));
    while (it.hasNext())
        out << it.next().captured(0);
    return out;
}
} // namespace

class PreviewTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_files;

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() {
        closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The deal as the presentation shows it now (particulars edited there included): previewed, printed
    // from the preview and by "Print", and saved as a PDF.
    void dealPreview() {
        ProgramFolder folder;
        QVERIFY(folder.ok());
        auto *printed = new RecordingDevice;
        app().installPrinterDevice(std::unique_ptr<PrinterDevice>(printed));
        DealPresentation *menu = app().window<DealPresentation>();
        menu->present(sampleDeal());
        menu->show();
        type(menu, QStringLiteral("customernametext"), QStringLiteral("Pat Doe & Co"));

        QVERIFY(click(menu, QStringLiteral("Command5")));
        PrintPreview *preview = previewOf(menu);
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(preview->windowModality(), Qt::WindowModal);
        QCOMPARE(preview->pageCount(), 1);
        QVERIFY(preview->landscape());
        const QStringList previewed = previewDrawing(preview);
        QVERIFY(previewed.filter(QStringLiteral("\"Pat Doe & Co\"")).size() == 1);

        // Saved where the user chooses; cancelling saves nothing.
        const QString pdf = m_files.filePath(QStringLiteral("deal.pdf"));
        QStringList offered;
        app().setSaveChooser([&](QWidget *, const QString &suggested, const QString &, const QString &) {
            offered << suggested;
            return offered.size() == 1 ? QString() : pdf;
        });
        QCOMPARE(said([&] { action(preview, QStringLiteral("savepdf"))->trigger(); }), QStringList());
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(QFileInfo(offered.value(0)).fileName(), QStringLiteral("Deal Pat Doe & Co.pdf"));
        QCOMPARE(
            said([&] { action(preview, QStringLiteral("savepdf"))->trigger(); }),
            QStringList{
                QStringLiteral("Message: The deal was saved as a PDF file:\n%1").arg(QDir::toNativeSeparators(pdf))});
        QCOMPARE(printed->documentsEnded(), 0);
        if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            const QString words = pdfWords(pdf).join(QLatin1Char('\n'));
            QCOMPARE(words.count(QStringLiteral("<page ")), 1);
            for (const char *word : {">Castellano<", ">Pat<", ">Platinum<", ">Approval:<"})
                QCOMPARE(words.contains(QLatin1String(word)), QByteArray(word) != ">Castellano<");
        }

        // "Print" in the preview prints at once, exactly what was previewed, and closes the preview.
        QPointer<PrintPreview> open = preview;
        QCOMPARE(said([&] { action(preview, QStringLiteral("previewprint"))->trigger(); }), QStringList());
        QCOMPARE(printed->documentsEnded(), 1);
        QCOMPARE(dump(printed->operations()), previewed);
        QTRY_VERIFY(!open);

        // The presentation's own "Print" still asks first, and prints the same page.
        printed->clear();
        QCOMPARE(said([&] { QVERIFY(click(menu, QStringLiteral("Command1"))); }),
                 QStringList{QStringLiteral("Are You Sure?: Print Deal?")});
        QCOMPARE(dump(printed->operations()), previewed);
    }

    // A product list of several pages on the real printer's device, printed to one PDF by "Print List"
    // and saved to another from the preview: the same pages, every word in the same place.
    void listPreview() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are needed to read the pages");
        ProgramFolder folder;
        QVERIFY(folder.ok());
        const QString printedPdf = m_files.filePath(QStringLiteral("printed list.pdf"));
        const QString savedPdf = m_files.filePath(QStringLiteral("saved list.pdf"));
        auto device = std::make_unique<QtPrinterDevice>(app().printoutsFolder());
        device->setOutputFile(printedPdf);
        device->setPdfMarginsMm(QMarginsF(6, 5, 6, 5)); // a printer that does not print to the sheet's edge
        QStringList reported;
        device->setReporter([&](bool, const QString &message) { reported << message; });
        app().installPrinterDevice(std::move(device));
        for (int i = 1; i <= 70; ++i)
            addProduct(QStringLiteral("Product%1").arg(i, 2, 10, QLatin1Char('0')), i, 2.5 * i);
        MainWindow *main = app().window<MainWindow>();
        main->show();
        main->findChild<QAction *>(QStringLiteral("m_aftermarket"))->trigger();
        ProductList *list = app().existing<ProductList>();
        QVERIFY(list);

        QCOMPARE(said([&] { QVERIFY(click(list, QStringLiteral("Command2"))); }),
                 QStringList{QStringLiteral("Are You Sure?: Print List?")});
        QCOMPARE(reported.size(), 1);
        QVERIFY(click(list, QStringLiteral("Command4")));
        PrintPreview *preview = previewOf(list);
        QVERIFY(preview && preview->isVisible());
        QVERIFY(preview->landscape());
        app().setSaveChooser([&](QWidget *, const QString &, const QString &, const QString &) { return savedPdf; });
        QCOMPARE(said([&] { action(preview, QStringLiteral("savepdf"))->trigger(); }),
                 QStringList{QStringLiteral("Message: The product list was saved as a PDF file:\n%1")
                                 .arg(QDir::toNativeSeparators(savedPdf))});

        const QStringList printedWords = pdfWords(printedPdf);
        QVERIFY(printedWords.filter(QStringLiteral("<page ")).size() >= 2);
        QCOMPARE(preview->pageCount(), printedWords.filter(QStringLiteral("<page ")).size());
        QCOMPARE(printedWords.filter(QRegularExpression(QStringLiteral(">Product\\d\\d<"))).size(), 70);
        QCOMPARE(pdfWords(savedPdf), printedWords);

        // The page controls follow the pages.
        auto *pageBox = preview->findChild<QSpinBox *>(QStringLiteral("pagenumber"));
        QVERIFY(pageBox);
        QCOMPARE(pageBox->maximum(), preview->pageCount());
        action(preview, QStringLiteral("lastpage"))->trigger();
        QCOMPARE(pageBox->value(), preview->pageCount());
        QVERIFY(!action(preview, QStringLiteral("nextpage"))->isEnabled());
        action(preview, QStringLiteral("firstpage"))->trigger();
        QCOMPARE(pageBox->value(), 1);
        QVERIFY(!action(preview, QStringLiteral("previouspage"))->isEnabled());
        QVERIFY(folder.databaseErrors().isEmpty());
    }
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
