#include "core/print/printroutines.h"

#include "core/print/printerdevice.h"

namespace printroutines {

void printat(PrinterDevice &printer, double x, double y) {
    printer.setCurrentX(x * PrinterDevice::twipsPerMm);
    printer.setCurrentY(y * PrinterDevice::twipsPerMm);
}

void printatx(PrinterDevice &printer, double x) { printer.setCurrentX(x * PrinterDevice::twipsPerMm); }

void printaty(PrinterDevice &printer, double y) { printer.setCurrentY(y * PrinterDevice::twipsPerMm); }

void printline(PrinterDevice &printer, double x1, double y1, double x2, double y2) {
    printer.line(x1 * PrinterDevice::twipsPerMm, y1 * PrinterDevice::twipsPerMm, x2 * PrinterDevice::twipsPerMm,
                 y2 * PrinterDevice::twipsPerMm);
}

} // namespace printroutines
