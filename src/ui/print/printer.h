#pragma once
// The program's one printer and the one PagePrinter over it, shared by every printout for the whole run.

#include <memory>

class PagePrinter;
class PrinterDevice;

namespace printer {

// The printer in use: the real one, created on first use, unless another has been installed.
PrinterDevice &device();
// Puts another printer in place (tests use a recording one or a PDF file). The shared PagePrinter goes
// with the old printer and is measured afresh on the new one when next used.
void install(std::unique_ptr<PrinterDevice> device);
// The shared PagePrinter, created (and its offsets measured) the first time it is asked for.
PagePrinter &myPrinter();
bool hasMyPrinter();

} // namespace printer
