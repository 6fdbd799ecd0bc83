// The print previews of the deal and of the product list show, print and save what the print commands print.

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
using namespace Qt::StringLiterals;

namespace {
// Every operation with its kind, page, orientation, place, font and text, one a line.
QStringList dump(const RecordingDevice &device) {
    QStringList lines;
    for (const RecordingDevice::Operation &o : device.operations())
        lines << QStringList{QString::number(int(o.kind)),   QString::number(o.page),
                             QString::number(o.orientation), QString::number(o.x),
                             QString::number(o.y),           QString::number(o.x2),
                             QString::number(o.y2),          QString::number(o.font.size),
                             QString::number(o.font.bold),   o.text}
                     .join(u' ');
    return lines;
}

QStringList said(const std::function<void()> &act) {
    QStringList texts;
    for (const BoxSeen &box : answeringBoxes(act))
        texts << box.title + u": "_s + box.text;
    return texts;
}

void trigger(QWidget *preview, const QString &action) {
    auto *a = preview->findChild<QAction *>(action);
    QVERIFY2(a, qPrintable(action));
    a->trigger();
}

// The pages and words (with their places) of a PDF, as poppler's pdftotext reads them.
QStringList pdfWords(const QString &path) {
    QProcess process;
    process.start(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s});
    process.waitForFinished(60000);
    static const QRegularExpression token(u"<page [^>]*>|<word [^>]*>[^<]*</word>"_s);
    QStringList out;
    for (auto it = token.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); it.hasNext();)
        out << it.next().captured(0);
    return out;
}
} // namespace

class PreviewTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_files;

private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("poppler-utils are needed to read the pages");
    }
    void cleanup() { closeAllWindows(); }

    // The deal as the presentation shows it now, a particular edited there included: previewed, saved,
    // printed from the preview at once and by "Print" after its question, always the same page.
    void dealPreview() {
        ProgramFolder folder;
        auto *printed = new RecordingDevice;
        app().installPrinterDevice(std::unique_ptr<PrinterDevice>(printed));
        Deal deal;
        deal.particulars.customer = u"Jordan Castellano"_s;
        for (int p = 0; p < 4; ++p)
            deal.packages[p].products[p] = {double(1 + p), u"Product %1"_s.arg(p), 10, 99.5, u"What it covers"_s, {}};
        DealPresentation *menu = app().window<DealPresentation>();
        menu->present(deal);
        menu->show();
        type(menu, u"customernametext"_s, u"Pat Doe & Co"_s);

        QVERIFY(click(menu, u"Command5"_s));
        auto *preview = menu->findChild<PrintPreview *>(u"printpreview"_s);
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(preview->windowModality(), Qt::WindowModal);
        QCOMPARE(preview->pageCount(), 1);
        QVERIFY(preview->landscape());
        Printer recorder(std::make_unique<RecordingDevice>());
        preview->drawOn(recorder);
        const QStringList previewed = dump(static_cast<RecordingDevice &>(recorder.device()));
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
        const QStringList words = pdfWords(pdf);
        QCOMPARE(words.filter(u"<page "_s).size(), 1);
        QCOMPARE(words.filter(QRegularExpression(u">(Pat|Castellano|Approval:)<"_s)).size(), 2);
        QCOMPARE(printed->documentsEnded(), 0);

        QPointer<PrintPreview> open = preview;
        QCOMPARE(said([&] { trigger(preview, u"previewprint"_s); }), QStringList());
        QCOMPARE(dump(*printed), previewed);
        QTRY_VERIFY(!open);
        printed->clear();
        QCOMPARE(said([&] { QVERIFY(click(menu, u"Command1"_s)); }), QStringList{u"Are You Sure?: Print Deal?"_s});
        QCOMPARE(dump(*printed), previewed);
    }

    // A list of several pages on the real printer's device (a printer that does not print to the sheet's
    // edge): the PDF "Print List" prints and the one the preview saves hold every word in the same place.
    void listPreview() {
        ProgramFolder folder;
        const QString printedPdf = m_files.filePath(u"printed.pdf"_s), savedPdf = m_files.filePath(u"saved.pdf"_s);
        auto device = std::make_unique<QtPrinterDevice>(app().printoutsFolder());
        device->setOutputFile(printedPdf);
        device->setPdfMarginsMm(QMarginsF(6, 5, 6, 5));
        device->setReporter([](bool, const QString &) {});
        app().installPrinterDevice(std::move(device));
        for (int i = 1; i <= 70; ++i)
            addProduct(u"Product%1"_s.arg(i, 2, 10, QLatin1Char('0')), i, 2.5 * i);
        app().window<MainWindow>()->findChild<QAction *>(u"m_aftermarket"_s)->trigger();
        ProductList *list = app().existing<ProductList>();
        QVERIFY(list);
        QCOMPARE(said([&] { QVERIFY(click(list, u"Command2"_s)); }), QStringList{u"Are You Sure?: Print List?"_s});
        QVERIFY(click(list, u"Command4"_s));
        auto *preview = list->findChild<PrintPreview *>(u"printpreview"_s);
        QVERIFY(preview && preview->landscape());
        app().setSaveChooser([&](QWidget *, const QString &, const QString &, const QString &) { return savedPdf; });
        QCOMPARE(said([&] { trigger(preview, u"savepdf"_s); }).size(), 1);

        const QStringList printedWords = pdfWords(printedPdf);
        QCOMPARE(printedWords.filter(QRegularExpression(u">Product\\d\\d<"_s)).size(), 70);
        QCOMPARE(preview->pageCount(), printedWords.filter(u"<page "_s).size());
        QVERIFY(preview->pageCount() >= 2);
        QCOMPARE(pdfWords(savedPdf), printedWords);
        // The page controls follow the pages.
        auto *pageBox = preview->findChild<QSpinBox *>(u"pagenumber"_s);
        trigger(preview, u"lastpage"_s);
        QCOMPARE(pageBox->value(), preview->pageCount());
        QVERIFY(!preview->findChild<QAction *>(u"nextpage"_s)->isEnabled());
    }
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
