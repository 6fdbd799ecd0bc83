#pragma once
// The product report on portrait pages: a row per product, the headings on every page, the summary last.

#include <QString>

class Printer;
struct ProductReport;

// `scope` says which deals were counted (dates, salesperson). False when the printer failed (the device
// has told the user).
bool printProductReport(Printer &printer, const ProductReport &report, const QString &scope);
