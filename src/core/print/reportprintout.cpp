#include "core/print/reportprintout.h"

#include "core/print/acceptanceprintout.h"
#include "core/print/printer.h"
#include "core/report/productreport.h"

#include <QCoreApplication>

namespace {
constexpr float kLeft = 20;
constexpr float kTop = 40;
constexpr float kBottom = 255;
constexpr float kRow = 5;
// The product column's left edge, then each figure column's right edge.
constexpr float kEdges[6] = {kLeft, 110, 128, 150, 174, 196};

float printHeadings(PagePrinter &p, const QString &scope) {
    p.FontBold(true);
    p.FontSize(14);
    p.PrintCentre(108, 14, QCoreApplication::translate("ReportPrintout", "Product Report"), 0);
    p.FontSize(9);
    p.FontBold(false);
    p.PrintCentre(108, 22, scope, 0);
    p.FontBold(true);
    const QStringList headings = report::productHeadings();
    p.PrintLeft(kEdges[0], kTop - 8, headings[0], 0);
    for (int c = 1; c < 6; ++c)
        p.PrintRight(kEdges[c], kTop - 8, headings[c], 0);
    p.DrawWidth(2);
    p.DrawRectangle(kLeft, kTop - 2.5f, kEdges[5] - kLeft, 0, 0);
    p.FontBold(false);
    return kTop;
}
} // namespace

bool printProductReport(Printer &printer, const ProductReport &report, const QString &scope) {
    PrinterDevice &device = printer.device();
    device.setDocumentName(QStringLiteral("Product Report"));
    device.setOrientation(PrinterDevice::Portrait);
    PagePrinter &p = printer.pagePrinter();
    p.FontName(QStringLiteral("Arial"));
    p.FontItalic(false);
    p.Justification(0);
    float y = printHeadings(p, scope);
    for (const QStringList &row : report::productRows(report)) {
        if (y + kRow > kBottom) {
            p.NewPage();
            y = printHeadings(p, scope);
        }
        p.PrintLeft(kEdges[0], y, fitted(p, row[0], kEdges[1] - kEdges[0] - 16), 0);
        for (int c = 1; c < 6; ++c)
            p.PrintRight(kEdges[c], y, row[c], 0);
        y += kRow;
    }
    const QStringList summary = report::summaryLines(report);
    if (y + 4 + kRow * float(summary.size()) > kBottom + 15) {
        p.NewPage();
        y = printHeadings(p, scope);
    }
    p.DrawRectangle(kLeft, y + 1, kEdges[5] - kLeft, 0, 0);
    y += 4;
    p.FontBold(true);
    for (const QString &line : summary) {
        p.PrintLeft(kLeft, y, line, 0);
        y += kRow;
    }
    p.FontBold(false);
    return p.EndDoc();
}
