#pragma once
// "Create Deal": turns the deal worksheet into the customer presentation.

#include <QString>

class QWidget;
class dealmenu;

namespace presentationbuilder {

// "$ " + the payment label's text, with " / Month" unless the deal is paid in cash.
QString priceLine(const QString &payment, bool cashDeal);
// A product's text: its name, " $" + the MSRP shown when prices are disclosed, CR LF, its description.
QString productText(const QString &name, const QString &msrp, bool disclosePrices, const QString &description);

// Fills a fresh presentation from the worksheet's controls (found by their names), the catalogue
// and the settings, shows it and hides the worksheet. Returns the presentation.
dealmenu *buildpresentation(QWidget *worksheet);

} // namespace presentationbuilder
