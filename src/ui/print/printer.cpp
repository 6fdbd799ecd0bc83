#include "ui/print/printer.h"

#include "core/print/pageprinter.h"
#include "ui/print/qtprinterdevice.h"

namespace printer {

namespace {
std::unique_ptr<PrinterDevice> &deviceSlot() {
    static std::unique_ptr<PrinterDevice> slot;
    return slot;
}
std::unique_ptr<PagePrinter> &myPrinterSlot() {
    static std::unique_ptr<PagePrinter> slot;
    return slot;
}
} // namespace

PrinterDevice &device() {
    if (!deviceSlot())
        deviceSlot() = std::make_unique<QtPrinterDevice>();
    return *deviceSlot();
}

void install(std::unique_ptr<PrinterDevice> newDevice) {
    myPrinterSlot().reset();
    deviceSlot() = std::move(newDevice);
}

PagePrinter &myPrinter() {
    if (!myPrinterSlot())
        myPrinterSlot() = std::make_unique<PagePrinter>(device());
    return *myPrinterSlot();
}

bool hasMyPrinter() { return myPrinterSlot() != nullptr; }

} // namespace printer
