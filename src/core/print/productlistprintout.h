#pragma once
// The product list as the list window's grid shows it: a landscape table, headings on every page.

#include <QDate>
#include <QList>
#include <QStringList>

class PrinterDevice;

// `grid` holds the grid's rows as its cells read: row 0 the headings, then one row per product,
// columns 0 (the id, never printed) to 7. Missing cells print as empty. Each page is headed by the
// dealership's name, the date and "Page N of M"; a text too long for its column wraps within it, or
// shrinks when one word alone is too wide, so no column runs into the next.
// Prints in twips and leaves the printer in portrait, its unit as it found it. False when the printer
// failed (the user has been told by the device).
bool printProductList(PrinterDevice &device, const QList<QStringList> &grid, const QString &dealership,
                      const QDate &date);
