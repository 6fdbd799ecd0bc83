#pragma once
// The deal on one landscape page for the customer to sign, from what the presentation window shows.

#include <QString>
#include <array>

// Everything the printout reads from the presentation window, named after the control it comes from.
struct DealPage {
    QString dealershipnametext; // the caption of the dealership name label
    QString salespersonnametext;
    QString customernametext;
    QString stocknumbertext;
    QString vehicletext;
    std::array<QString, 4> menuframe;    // the package headings
    std::array<QString, 4> producttext;  // each package's products, CR LF between lines
    std::array<QString, 4> pricepayment; // each package's price or payment line, shown or not
    QString disclaimertext;
};

// Prints the page on the program's printer through the shared PagePrinter, leaving the printer in
// portrait. False when the printer failed (the user has been told).
bool printDeal(const DealPage &page);
// Asks "Print Deal?" first; on Cancel prints nothing and touches no printer setting.
bool printDealConfirmed(const DealPage &page);
