#pragma once
// What the customer sees of a deal, on the presentation and on the printed page alike: both are
// drawn from this one page, so screen and paper never disagree.

#include "core/deal/deal.h"

#include <QString>
#include <array>

class ProductRepository;

struct DealPage {
    QString dealership;
    QString salesperson;
    QString customer;
    QString stockNumber;
    QString vehicle;
    std::array<QString, Deal::Packages> headings;   // the package names
    std::array<QString, Deal::Packages> priceLines; // "$ 29.00 / Month", or "$ 1507.50" for a cash deal
    bool priceLinesShown = false;                   // on screen only: the printed page always has them
    // The text of each slot's product box ("" for a slot that offers no product) and the page behind it.
    std::array<std::array<QString, Package::Slots>, Deal::Packages> productTexts;
    std::array<std::array<QString, Package::Slots>, Deal::Packages> pages;
    // Each package's printable text: its products' texts, each followed by a blank line (CR LF kept).
    std::array<QString, Deal::Packages> packageTexts;
    QString disclaimer;
};

// "$ " + the payment, with " / Month" unless the deal is paid in cash.
QString priceLine(const QString &payment, bool cashDeal);
// A product's text: its name, " $" + the MSRP as shown when prices are disclosed, CR LF, its description.
QString productText(const QString &name, const QString &msrp, bool disclosePrices, const QString &description);

DealPage dealPage(const Deal &deal);

// Gives every slot that offers a product the name, description and page the catalogue holds now (the
// price stays the one the slot shows). A product deleted meanwhile keeps what the slot showed.
void takeCatalogueTexts(Deal &deal, const ProductRepository &products);
