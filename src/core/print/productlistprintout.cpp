#include "core/print/productlistprintout.h"

#include "core/print/printerdevice.h"
#include "core/print/printroutines.h"
#include "core/text/storedtext.h"

using namespace printroutines;

namespace {
constexpr double columnX[8] = {0, 10, 70, 90, 110, 130, 170, 200};
constexpr double pageBreakTwips = 10489.5; // 185 mm

QString cell(const QList<QStringList> &grid, int row, int column) {
    if (row < 0 || row >= grid.size() || column >= grid.at(row).size())
        return QString();
    return storedtext::trimBlanks(grid.at(row).at(column));
}

void printHeadings(PrinterDevice &device, const QStringList &headings) {
    for (int c = 1; c <= 7; ++c) {
        printat(device, columnX[c], 15);
        device.print(headings.at(c), true);
    }
    printline(device, 10, 20, 265, 20);
}
} // namespace

bool printProductList(PrinterDevice &device, const QList<QStringList> &grid) {
    // The deal printout leaves the printer in millimetres; this printout counts in twips.
    const PrinterDevice::ScaleMode unitBefore = device.scaleMode();
    device.setScaleMode(PrinterDevice::ScaleMode::Twips);
    device.setDocumentName(QStringLiteral("Product List"));

    QStringList headings(8);
    for (int c = 1; c <= 7; ++c)
        headings[c] = cell(grid, 0, c);

    device.setFontName(QStringLiteral("Arial"));
    device.setFontSize(10);
    // A deal printed earlier in the run leaves a wider pen; the list, and its preview, rule with the thinnest.
    device.setDrawWidth(1);
    device.setOrientation(PrinterDevice::Landscape);
    device.setFontBold(true);
    printHeadings(device, headings);
    device.setFontBold(false);
    printaty(device, 20);

    for (int r = 1; r < grid.size(); ++r) {
        QStringList cells(8);
        for (int c = 0; c <= 7; ++c)
            cells[c] = cell(grid, r, c);
        // A small allowance so a position converted back and forth still counts as at the limit.
        if (device.currentY() >= pageBreakTwips - 1e-6) {
            device.newPage();
            device.setFontBold(true);
            printHeadings(device, headings);
            device.setFontBold(false);
            printaty(device, 20);
        }
        for (int c = 1; c <= 6; ++c) {
            printatx(device, columnX[c]);
            device.print(cells.at(c), false);
        }
        printatx(device, 200);
        device.print(cells.at(7), true);
    }

    const bool printed = device.endDoc();
    device.setOrientation(PrinterDevice::Portrait);
    device.setScaleMode(unitBefore);
    return printed;
}
