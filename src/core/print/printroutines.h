#pragma once
// Positioning on the printer in millimetres for printouts that keep the printer in twips.

class PrinterDevice;

namespace printroutines {

void printat(PrinterDevice &printer, double x, double y);
void printatx(PrinterDevice &printer, double x);
void printaty(PrinterDevice &printer, double y);
void printline(PrinterDevice &printer, double x1, double y1, double x2, double y2);

} // namespace printroutines
