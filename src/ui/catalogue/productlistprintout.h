#pragma once
// The product list as the list window's grid shows it: a landscape table, headings on every page.

#include <QList>
#include <QStringList>

// `grid` holds the grid's rows as its cells read: row 0 the headings, then one row per product,
// columns 0 (the id, never printed) to 7. Missing cells print as empty.
// Prints on the program's printer in twips and leaves it in portrait, its unit as it found it.
// False when the printer failed (the user has been told).
bool printProductList(const QList<QStringList> &grid);
// Asks "Print List?" first; on Cancel prints nothing and touches no printer setting.
bool printProductListConfirmed(const QList<QStringList> &grid);
