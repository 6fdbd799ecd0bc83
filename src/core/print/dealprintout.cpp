#include "core/print/dealprintout.h"

#include "core/deal/dealpage.h"
#include "core/print/printer.h"
#include "core/text/storedtext.h"

#include <QCoreApplication>

using storedtext::trimBlanks;

namespace {
// Sets the largest whole size, up to `largest`, at which every line is at most `width` long and
// `count` lines stack within `height`; returns one line's height.
float fitFont(PagePrinter &p, const QStringList &lines, int count, float width, float height, qint32 largest) {
    const QString sample = QStringLiteral("$");
    qint32 size = largest;
    for (; size > 6; --size) {
        p.FontSize(size);
        bool fits = count * p.TextHeight(sample) <= height;
        for (const QString &line : lines)
            fits = fits && p.TextWidth(line) <= width;
        if (fits)
            break;
    }
    p.FontSize(size);
    return p.TextHeight(sample);
}
// The four package boxes: their frames, headings and descriptions.
void printPackages(PagePrinter &p, const DealPage &page) {
    const float tops[3] = {45, 52, 192};
    const float heights[3] = {7, 140, 10};
    for (int band = 0; band < 3; ++band)
        for (int col = 0; col < menu::Packages; ++col)
            p.DrawRectangle(20 + 60 * float(col), tops[band], 60, heights[band], 0);

    p.FontSize(14);
    p.FontBold(true);
    for (int col = 0; col < menu::Packages; ++col) {
        const QString heading = trimBlanks(page.headings[col]);
        p.PrintLeft(20 + 60 * float(col) + (60 - p.TextWidth(heading)) / 2, 46, heading, 0);
    }

    p.FontBold(false);
    // Long descriptions print smaller rather than run out of their box over the price band.
    for (int size = 8; size >= 5; --size) {
        p.FontSize(size);
        bool fits = true;
        for (const QString &text : page.packageTexts)
            fits = fits && 54 + p.paragraphHeight(trimBlanks(text), 58) <= 192;
        if (fits)
            break;
    }
    for (int col = 0; col < menu::Packages; ++col)
        p.Paragraph(22 + 60 * float(col), 54, 58, trimBlanks(page.packageTexts[col]), 0);
}

// The price band under the boxes: one line per package, or one per term offered.
void printPrices(PagePrinter &p, const DealPage &page) {
    p.FontBold(true);
    p.FontItalic(false);
    p.FontSize(14);
    // One term prints as it always has; several share the band, each line centred in its box.
    QStringList allLines;
    int count = 1;
    for (int col = 0; col < menu::Packages; ++col) {
        const QStringList lines = page.priceLinesOf(col);
        for (const QString &line : lines)
            allLines << trimBlanks(line);
        count = qMax(count, int(lines.size()));
    }
    // A lease's line names its term, so even one line may need a smaller size to stay in its box.
    const bool fitted = count > 1 || page.lease;
    const float lineHeight = fitted ? fitFont(p, allLines, count, 58, 9.6f, 14) : 0;
    for (int col = 0; col < menu::Packages; ++col) {
        const QStringList lines = page.priceLinesOf(col);
        if (!fitted) {
            const QString price = trimBlanks(page.priceLines[col]);
            p.PrintLeft(20 + 60 * float(col) + (60 - p.TextWidth(price)) / 2, 194, price, 0);
            continue;
        }
        float y = 192 + (10 - count * lineHeight) / 2;
        for (const QString &line : lines) {
            const QString price = trimBlanks(line);
            p.PrintLeft(20 + 60 * float(col) + (60 - p.TextWidth(price)) / 2, y, price, 0);
            y += lineHeight;
        }
    }
}

// The particulars beside the dealership's name, and the line the customer signs.
void printParticulars(PagePrinter &p, const DealPage &page) {
    p.FontBold(true);
    p.FontItalic(false);
    p.FontSize(10);
    const struct {
        const char *label;
        const QString &value;
        float y;
    } particulars[] = {
        {QT_TRANSLATE_NOOP("DealPrintout", "Salesperson: "), page.salesperson, 16},
        {QT_TRANSLATE_NOOP("DealPrintout", "Customer: "), page.customer, 20},
        {QT_TRANSLATE_NOOP("DealPrintout", "Stock #: "), page.stockNumber, 28},
        {QT_TRANSLATE_NOOP("DealPrintout", "Vehicle: "), page.vehicle, 32},
    };
    for (const auto &row : particulars) {
        p.PrintRight(53, row.y, QCoreApplication::translate("DealPrintout", row.label), 0);
        p.PrintLeft(55, row.y, trimBlanks(row.value), 0);
    }

    p.FontBold(true);
    p.PrintRight(260, 35, QCoreApplication::translate("DealPrintout", "Customer Approval: ___________________________"),
                 0);
}
} // namespace

bool printDeal(Printer &printer, const DealPage &page) {
    PrinterDevice &device = printer.device();
    device.setDocumentName(QStringLiteral("Deal"));
    // Landscape before the page printer is asked for: when the deal is the run's first printout, the margins
    // it measures once are those of this page.
    device.setOrientation(PrinterDevice::Landscape);
    PagePrinter &p = printer.pagePrinter();

    p.FontName(QStringLiteral("Arial"));
    p.DrawWidth(2);

    printPackages(p, page);

    p.FontSize(7);
    p.PrintLeft(20, 203, trimBlanks(page.disclaimer), 0);

    p.FontBold(true);
    p.FontSize(14);
    const QString name = trimBlanks(page.dealership);
    p.PrintLeft(20 + (240 - p.TextWidth(name)) / 2, 8, name, 0);

    printPrices(p, page);

    // The payment without products, between the particulars and the boxes.
    const QString base = trimBlanks(page.basePaymentLine);
    if (!base.isEmpty()) {
        fitFont(p, {base}, 1, 240, 4.5f, 10);
        p.PrintLeft(20 + (240 - p.TextWidth(base)) / 2, 40, base, 0);
    }

    printParticulars(p, page);

    p.FontBold(false);
    const bool printed = p.EndDoc();
    device.setOrientation(PrinterDevice::Portrait);
    return printed;
}
