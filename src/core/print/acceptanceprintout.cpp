#include "core/print/acceptanceprintout.h"

#include "core/deal/dealpage.h"
#include "core/deal/dealrecord.h"
#include "core/money/numbers.h"
#include "core/print/dealprintout.h"
#include "core/print/printer.h"
#include "core/text/storedtext.h"

#include <QCoreApplication>
#include <QImage>
#include <algorithm>

using storedtext::trimBlanks;

namespace {
constexpr float kLeft = 20;
constexpr float kRight = 196;
constexpr float kGutter = 6;
constexpr float kColumn = (kRight - kLeft - kGutter) / 2;

// One column of products: its heading, a rule, a row per product (name left, MSRP right) and its total.
void printColumn(PagePrinter &p, float left, const QString &heading, const QVector<DealItem> &items, float top,
                 float rowHeight, int bodySize, float totalsY) {
    const float right = left + kColumn;
    p.FontSize(12);
    p.FontBold(true);
    p.PrintLeft(left, top, heading, 0);
    p.DrawWidth(2);
    p.DrawRectangle(left, top + 6.5f, kColumn, 0, 0);
    p.FontSize(bodySize);
    p.FontBold(false);
    double total = 0;
    float y = top + 8;
    for (const DealItem &item : items) {
        const QString price = numbers::dollars(item.msrp);
        p.PrintRight(right, y, price, 0);
        p.PrintLeft(left, y, fitted(p, trimBlanks(item.name), kColumn - p.TextWidth(price) - 3), 0);
        total += item.msrp;
        y += rowHeight;
    }
    p.DrawRectangle(left, totalsY - 1, kColumn, 0, 0);
    p.FontBold(true);
    p.PrintLeft(left, totalsY, QCoreApplication::translate("AcceptancePrintout", "Total"), 0);
    p.PrintRight(right, totalsY, numbers::dollars(total), 0);
}
// Who bought what: the particulars in two columns under the title, then the package chosen.
void printParticulars(PagePrinter &p, const DealRecord &deal) {
    p.FontSize(10);
    const struct {
        const char *label;
        const QString &value;
        float x, y;
    } particulars[] = {
        {QT_TRANSLATE_NOOP("AcceptancePrintout", "Customer: "), deal.particulars.customer, kLeft + 28, 29},
        {QT_TRANSLATE_NOOP("AcceptancePrintout", "Vehicle: "), deal.particulars.vehicle, kLeft + 28, 34},
        {QT_TRANSLATE_NOOP("AcceptancePrintout", "Stock #: "), deal.particulars.stockNumber, kLeft + 126, 29},
        {QT_TRANSLATE_NOOP("AcceptancePrintout", "Salesperson: "), deal.particulars.salesperson, kLeft + 126, 34},
    };
    for (const auto &row : particulars) {
        p.FontBold(true);
        p.PrintRight(row.x - 1, row.y, QCoreApplication::translate("AcceptancePrintout", row.label), 0);
        p.FontBold(false);
        p.PrintLeft(row.x, row.y, fitted(p, trimBlanks(row.value), row.x < 100 ? 68 : kRight - row.x), 0);
    }
    p.FontBold(true);
    p.PrintLeft(
        kLeft, 42,
        deal.chosenPackage < 0
            ? QCoreApplication::translate("AcceptancePrintout", "Every product was declined.")
            : QCoreApplication::translate("AcceptancePrintout", "Package chosen: %1").arg(trimBlanks(deal.chosenName)),
        0);
}

// The customer's signature as drawn, standing on the signature line (the underscores from `left`, `width`
// long, printed at `y`), as large as fits over it. Nothing when there is none or it cannot be read.
void printSignature(PagePrinter &p, const QByteArray &png, float left, float y, float width) {
    if (png.isEmpty())
        return;
    const QImage image = QImage::fromData(png, "PNG");
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return;
    const float aspect = float(image.width()) / float(image.height());
    float height = 14;
    float w = height * aspect;
    if (w > width) {
        w = width;
        height = w / aspect;
    }
    // The pad's own line, four fifths down it, stands on the underscores (just under the text's baseline).
    const float underline = y + p.TextHeight(QStringLiteral("_")) * 0.85f;
    p.PaintPicture(left, underline - height * 0.8f, image, height, w);
}
} // namespace

QString fitted(const PagePrinter &p, const QString &text, float width) {
    if (p.TextWidth(text) <= width)
        return text;
    const QString more = QStringLiteral("...");
    QString cut = text;
    while (!cut.isEmpty() && p.TextWidth(cut + more) > width)
        cut.chop(1);
    return cut.trimmed() + more;
}

bool printAcceptance(Printer &printer, const DealRecord &deal) {
    PrinterDevice &device = printer.device();
    device.setDocumentName(QStringLiteral("Choice"));
    device.setOrientation(PrinterDevice::Portrait);
    PagePrinter &p = printer.pagePrinter();
    p.FontName(QStringLiteral("Arial"));
    p.FontItalic(false);
    p.FontUnderline(false);
    p.Justification(0);
    const float centre = (kLeft + kRight) / 2;

    p.FontBold(true);
    p.FontSize(14);
    p.PrintCentre(centre, 12, trimBlanks(deal.dealership), 0);
    p.FontSize(12);
    p.PrintCentre(centre, 19, QCoreApplication::translate("AcceptancePrintout", "Customer's Choice"), 0);

    printParticulars(p, deal);

    const QVector<DealItem> accepted = deal.acceptedItems();
    const QVector<DealItem> declined = deal.declinedItems();
    const int rows = int(std::max(accepted.size(), declined.size()));
    // Up to twenty rows in the reading size; forty still fit on the page in a smaller one.
    const int bodySize = rows <= 20 ? 10 : 8;
    const float rowHeight = rows <= 20 ? 5.0f : 3.5f;
    const float top = 50;
    const float totalsY = top + 9 + float(std::max(rows, 1)) * rowHeight;
    printColumn(p, kLeft, QCoreApplication::translate("AcceptancePrintout", "Accepted"), accepted, top, rowHeight,
                bodySize, totalsY);
    printColumn(p, kLeft + kColumn + kGutter, QCoreApplication::translate("AcceptancePrintout", "Declined"), declined,
                top, rowHeight, bodySize, totalsY);

    float y = totalsY + 9;
    p.FontSize(12);
    p.FontBold(true);
    p.PrintLeft(kLeft, y,
                QCoreApplication::translate("AcceptancePrintout", "Final Payment: %1").arg(finalPaymentLine(deal)), 0);

    y += 9;
    p.FontBold(false);
    // A long statement is printed smaller rather than push the signature lines and the deal number (about
    // 40 mm under it) off the page.
    const QStringList paragraphs = PrinterDevice::textLines(trimBlanks(deal.statement));
    // The printable area's bottom, from the sheet's top (the offset is minus the top margin).
    const float bottom = float(device.printableHeight()) - p.YOffset();
    for (int size = 9; size >= 5; --size) {
        p.FontSize(size);
        float height = 0;
        for (const QString &paragraph : paragraphs)
            height += p.paragraphHeight(paragraph, kRight - kLeft);
        if (y + height <= bottom - 40)
            break;
    }
    for (const QString &paragraph : paragraphs) {
        p.Paragraph(kLeft, y, kRight - kLeft, paragraph, 0);
        y += p.paragraphHeight(paragraph, kRight - kLeft);
    }

    y = std::max(y + 12, 232.0f);
    p.FontSize(10);
    const QString signature = QString(34, QLatin1Char('_'));
    const QString date = QString(16, QLatin1Char('_'));
    const QString signatureLabel = QCoreApplication::translate("AcceptancePrintout", "Customer Signature: ");
    p.PrintLeft(kLeft, y, signatureLabel + signature, 0);
    p.PrintRight(kRight, y, QCoreApplication::translate("AcceptancePrintout", "Date: %1").arg(date), 0);
    printSignature(p, deal.signature, kLeft + p.TextWidth(signatureLabel), y, p.TextWidth(signature));
    y += 13;
    p.PrintLeft(kLeft, y, QCoreApplication::translate("AcceptancePrintout", "Co-Buyer Signature: %1").arg(signature),
                0);
    p.PrintRight(kRight, y, QCoreApplication::translate("AcceptancePrintout", "Date: %1").arg(date), 0);

    p.FontSize(7);
    const QString number =
        QCoreApplication::translate("AcceptancePrintout", "Deal #%1, saved %2 at %3")
            .arg(deal.id)
            .arg(deal.saved.toString(QStringLiteral("yyyy-MM-dd")), deal.saved.toString(QStringLiteral("HH:mm:ss")));
    p.PrintLeft(kLeft, y + 11, number, 0);
    // Enough of the seal to match the page to the stored deal; a deal saved before sealing has none.
    if (!deal.seal.isEmpty())
        p.PrintLeft(kLeft + p.TextWidth(number) + 4, y + 11,
                    QCoreApplication::translate("AcceptancePrintout", "Seal: %1").arg(deal.seal.left(16)), 0);
    return p.EndDoc();
}

bool reprintDeal(Printer &printer, const DealRecord &deal) { return printDeal(printer, dealPage(deal.deal())); }
