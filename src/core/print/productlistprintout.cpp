#include "core/print/productlistprintout.h"

#include "core/print/printerdevice.h"
#include "core/print/printroutines.h"
#include "core/text/storedtext.h"

#include <QCoreApplication>
#include <array>
#include <cmath>

using namespace printroutines;

namespace {
constexpr double columnX[8] = {0, 10, 70, 90, 110, 130, 170, 200};
constexpr double rightEdge = 265;          // where the rule ends: the notes wrap there
constexpr double columnGap = 2;            // kept clear before the next column
constexpr double pageBreakTwips = 10489.5; // 185 mm
constexpr double headerY = 9, headingsY = 15, firstRowY = 20;
constexpr double fontSize = 10, smallestSize = 6;

QString cell(const QList<QStringList> &grid, int row, int column) {
    if (row < 0 || row >= grid.size() || column >= grid.at(row).size())
        return QString();
    return storedtext::trimBlanks(grid.at(row).at(column));
}

// One cell as it prints: its lines at its size.
struct CellLines {
    double size = fontSize;
    QStringList lines;
};
using Row = std::array<CellLines, 8>;

// The cell's words laid into lines no wider than `width` (twips) at the device's current font. Without
// `breakWords` a word wider than the column makes the fit fail; with it such a word is cut where it must be.
bool wrapInto(const PrinterDevice &device, const QString &text, double width, bool breakWords, QStringList &out) {
    out.clear();
    // Most cells are one short line: measured once.
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')) && device.textWidth(text) <= width) {
        out << text;
        return true;
    }
    for (const QString &paragraph : PrinterDevice::textLines(text)) {
        QString line;
        for (QString word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (device.textWidth(joined) <= width) {
                line = joined;
                continue;
            }
            if (!line.isEmpty())
                out << line;
            while (device.textWidth(word) > width) {
                if (!breakWords)
                    return false;
                int fits = 1;
                while (fits < word.size() && device.textWidth(word.left(fits + 1)) <= width)
                    ++fits;
                out << word.left(fits);
                word.remove(0, fits);
            }
            line = word;
        }
        out << line;
    }
    return true;
}

// The largest size, down to the smallest, at which the cell's words each fit its column; at the smallest
// a word still too wide is broken.
CellLines fitCell(PrinterDevice &device, const QString &text, double width) {
    CellLines fitted;
    for (double size = fontSize; size >= smallestSize; size -= 0.5) {
        device.setFontSize(size);
        fitted.size = size;
        if (wrapInto(device, text, width, size <= smallestSize, fitted.lines))
            break;
    }
    device.setFontSize(fontSize);
    return fitted;
}

// The line height of each size a cell can take, measured once.
class LineHeights {
public:
    explicit LineHeights(PrinterDevice &device) {
        for (int i = 0; i < sizes; ++i) {
            device.setFontSize(smallestSize + 0.5 * i);
            m_heights[i] = device.textHeight(QStringLiteral("X"));
        }
        device.setFontSize(fontSize);
    }
    double operator()(double size) const {
        return m_heights[qBound(0, int(std::lround((size - smallestSize) * 2)), sizes - 1)];
    }

private:
    static constexpr int sizes = int((fontSize - smallestSize) * 2) + 1;
    std::array<double, sizes> m_heights{};
};

struct Placed {
    int page;
    double x, y; // twips
    double size;
    QString text;
};

void printHeadings(PrinterDevice &device, const QStringList &headings) {
    device.setFontBold(true);
    for (int c = 1; c <= 7; ++c) {
        printat(device, columnX[c], headingsY);
        device.print(headings.at(c), true);
    }
    printline(device, 10, 20, 265, 20);
    device.setFontBold(false);
}

// Which dealership, when, and where in the document this page stands, above the headings: the date and page
// number at the right, the name at the left, smaller when it would reach them.
void printPageHeader(PrinterDevice &device, const QString &dealership, const QString &date, int page, int pages) {
    const QString number = QCoreApplication::translate("ProductListPrintout", "Page %1 of %2").arg(page).arg(pages);
    printat(device, rightEdge, headerY);
    const double numberX = device.currentX() - device.textWidth(number);
    const double dateX = numberX - 8 * PrinterDevice::twipsPerMm - device.textWidth(date);
    device.setCurrentX(dateX);
    device.print(date, false);
    device.setCurrentX(numberX);
    device.print(number, false);
    device.setFontBold(true);
    const double room = dateX - (columnX[1] + columnGap * 2) * PrinterDevice::twipsPerMm;
    for (double size = fontSize; size > smallestSize && device.textWidth(dealership) > room; size -= 0.5)
        device.setFontSize(size - 0.5);
    printat(device, columnX[1], headerY);
    device.print(dealership, false);
    device.setFontSize(fontSize);
    device.setFontBold(false);
}
} // namespace

bool printProductList(PrinterDevice &device, const QList<QStringList> &grid, const QString &dealership,
                      const QDate &date) {
    // The deal printout leaves the printer in millimetres; this printout counts in twips.
    const PrinterDevice::ScaleMode unitBefore = device.scaleMode();
    device.setScaleMode(PrinterDevice::ScaleMode::Twips);
    device.setDocumentName(QStringLiteral("Product List"));

    QStringList headings(8);
    for (int c = 1; c <= 7; ++c)
        headings[c] = cell(grid, 0, c);

    device.setFontName(QStringLiteral("Arial"));
    device.setFontSize(fontSize);
    device.setFontBold(false);
    // A deal printed earlier in the run leaves a wider pen; the list, and its preview, rule with the thinnest.
    device.setDrawWidth(1);
    device.setOrientation(PrinterDevice::Landscape);

    // Laid out before anything prints, so each page can say how many there are.
    const LineHeights lineHeight(device);
    const double oneLine = lineHeight(fontSize);
    // A row of one line starts above 185 mm as it always has; a taller row must end where that one would.
    const double pageBottom = pageBreakTwips + oneLine;
    QList<Placed> placed;
    int page = 1;
    double y = firstRowY * PrinterDevice::twipsPerMm;
    for (int r = 1; r < grid.size(); ++r) {
        Row row;
        for (int c = 1; c <= 7; ++c) {
            const double right = c < 7 ? columnX[c + 1] - columnGap : rightEdge;
            row[c] = fitCell(device, cell(grid, r, c), (right - columnX[c]) * PrinterDevice::twipsPerMm);
        }
        bool pageEmpty = false;
        for (;;) {
            double height = oneLine;
            for (int c = 1; c <= 7; ++c)
                height = qMax(height, double(row[c].lines.size()) * lineHeight(row[c].size));
            // A small allowance so a position converted back and forth still counts as at the limit.
            if (!pageEmpty && (y >= pageBreakTwips - 1e-6 || y + height > pageBottom + 1e-6)) {
                ++page;
                y = firstRowY * PrinterDevice::twipsPerMm;
                pageEmpty = true;
            }
            // A row taller than a whole page goes on over the next, each column from where it stopped.
            Row rest;
            bool continues = false;
            for (int c = 1; c <= 7; ++c) {
                const double each = lineHeight(row[c].size);
                const int fits = qMax(1, int(std::floor((pageBottom - y + 1e-6) / each)));
                rest[c].size = row[c].size;
                rest[c].lines = row[c].lines.mid(fits);
                continues = continues || !rest[c].lines.isEmpty();
                for (int i = 0; i < qMin(fits, int(row[c].lines.size())); ++i)
                    placed << Placed{page, columnX[c] * PrinterDevice::twipsPerMm, y + i * each, row[c].size,
                                     row[c].lines.at(i)};
            }
            if (!continues) {
                y += height;
                break;
            }
            ++page;
            y = firstRowY * PrinterDevice::twipsPerMm;
            pageEmpty = true;
            row = rest;
        }
    }

    const QString day = date.toString(QStringLiteral("yyyy-MM-dd"));
    int next = 0;
    for (int p = 1; p <= page; ++p) {
        if (p > 1)
            device.newPage();
        printPageHeader(device, dealership, day, p, page);
        printHeadings(device, headings);
        for (; next < placed.size() && placed.at(next).page == p; ++next) {
            const Placed &text = placed.at(next);
            device.setFontSize(text.size);
            device.setCurrentX(text.x);
            device.setCurrentY(text.y);
            device.print(text.text, false);
        }
        device.setFontSize(fontSize);
    }

    const bool printed = device.endDoc();
    device.setOrientation(PrinterDevice::Portrait);
    device.setScaleMode(unitBefore);
    return printed;
}
