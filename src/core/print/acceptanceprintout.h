#pragma once
// The page the customer signs after choosing: what was accepted and what declined, the payment that
// results and the acceptance statement, on one portrait page (forty products fit).

#include <QString>

class PagePrinter;
class Printer;
struct DealRecord;

// Prints the page of a stored deal through the printer's page printer, as stored: names, prices, the
// final payment and the statement of the day it was saved. False when the printer failed (the device
// has told the user).
bool printAcceptance(Printer &printer, const DealRecord &deal);

// The deal page of a stored deal, as it was presented then, whatever the catalogue holds now.
bool reprintDeal(Printer &printer, const DealRecord &deal);

// Fits a text into `width` millimetres at the page printer's current font, cutting it with "..." when
// it is too long.
QString fitted(const PagePrinter &p, const QString &text, float width);
