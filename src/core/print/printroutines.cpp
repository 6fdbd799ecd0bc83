#include "core/print/printroutines.h"

#include "core/print/printerdevice.h"

namespace printroutines {

void printat(PrinterDevice &printer, double x, double y) {
    printer.setCurrentX(x * twipsPerMm);
    printer.setCurrentY(y * twipsPerMm);
}

void printatx(PrinterDevice &printer, double x) { printer.setCurrentX(x * twipsPerMm); }

void printaty(PrinterDevice &printer, double y) { printer.setCurrentY(y * twipsPerMm); }

void printline(PrinterDevice &printer, double x1, double y1, double x2, double y2) {
    printer.line(x1 * twipsPerMm, y1 * twipsPerMm, x2 * twipsPerMm, y2 * twipsPerMm);
}

} // namespace printroutines
