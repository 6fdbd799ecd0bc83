#pragma once
// The product list as the list window's grid shows it: a landscape table, headings on every page.

#include <QList>
#include <QStringList>

class PrinterDevice;

// `grid` holds the grid's rows as its cells read: row 0 the headings, then one row per product,
// columns 0 (the id, never printed) to 7. Missing cells print as empty.
// Prints in twips and leaves the printer in portrait, its unit as it found it. False when the printer
// failed (the user has been told by the device).
bool printProductList(PrinterDevice &device, const QList<QStringList> &grid);
