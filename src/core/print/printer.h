#pragma once
// The program's printer: one device for the whole run and the one page printer over it.

#include "core/print/pageprinter.h"
#include "core/print/printerdevice.h"

#include <memory>

class Printer {
public:
    explicit Printer(std::unique_ptr<PrinterDevice> device) : m_device(std::move(device)) {}

    PrinterDevice &device() { return *m_device; }
    // Created the first time a printout asks for it; it measures the printable area's offsets then,
    // in the orientation the printer has at that moment, and keeps them for the run.
    PagePrinter &pagePrinter() {
        if (!m_pagePrinter)
            m_pagePrinter = std::make_unique<PagePrinter>(*m_device);
        return *m_pagePrinter;
    }

private:
    std::unique_ptr<PrinterDevice> m_device;
    std::unique_ptr<PagePrinter> m_pagePrinter;
};
