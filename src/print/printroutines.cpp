#include "print/printroutines.h"

#include "print/printer.h"
#include "print/printerdevice.h"

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

void printat(double x, double y) { printat(printer::device(), x, y); }
void printatx(double x) { printatx(printer::device(), x); }
void printaty(double y) { printaty(printer::device(), y); }
void printline(double x1, double y1, double x2, double y2) { printline(printer::device(), x1, y1, x2, y2); }

} // namespace printroutines
