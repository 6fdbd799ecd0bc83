#pragma once
// What the customer sees of a deal, on the presentation and on the printed page alike: both are
// drawn from this one page, so screen and paper never disagree.

#include "core/deal/deal.h"

#include <QString>
#include <QStringList>
#include <array>

struct DealPage {
    QString dealership;
    QString salesperson;
    QString customer;
    QString stockNumber;
    QString vehicle;
    std::array<QString, menu::Packages> headings;   // the package names
    std::array<QString, menu::Packages> priceLines; // "$ 29.00 / Month", or "$ 1500.00" for a cash deal
    // With several terms offered every line names its term ("$ 29.00 / Month for 60 Months"); the
    // further terms' lines are empty when their term is not offered.
    std::array<QString, menu::Packages> priceLines2, priceLines3;
    bool priceLinesShown = false; // on screen only: the printed page always has them
    bool lease = false;           // a lease's lines name their term, so they are longer
    // "Payment without products: $ 412.50 / Month", one entry per term; empty with no amount financed.
    QString basePaymentLine;
    // The text of each slot's product box ("" for a slot that offers no product) and the page behind it.
    std::array<std::array<QString, menu::Slots>, menu::Packages> productTexts;
    std::array<std::array<QString, menu::Slots>, menu::Packages> pages;
    // Each package's printable text: its products' texts, each followed by a blank line (CR LF kept).
    std::array<QString, menu::Packages> packageTexts;
    QString disclaimer;

    // A package's price lines that are offered, the first term's first.
    QStringList priceLinesOf(int package) const;
};

// "$ " + the payment, with " / Month" unless the deal is paid in cash.
QString priceLine(const QString &payment, bool cashDeal);
// The same naming its term: "$ 29.00 / Month for 60 Months".
QString termPriceLine(const QString &payment, double months);
// A lease's line, which always names its term: "$ 232.78 / Month for 36 Month Lease".
QString leasePriceLine(const QString &payment, double months);
// A term as the worksheet and the price lines name it: "72 Months".
QString monthsText(double months);
// A product's text: its name, " $" + the MSRP as shown when prices are disclosed, CR LF, its description.
QString productText(const QString &name, const QString &msrp, bool disclosePrices, const QString &description);

DealPage dealPage(const Deal &deal);

