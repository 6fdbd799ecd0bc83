#pragma once
// Deals with known figures for the tests of the deal file, its report and its pages.

#include "core/deal/dealrecord.h"

#include <QDateTime>
#include <QString>

namespace coretest {

SlotProduct slot(double id, const QString &name, double cost, double msrp, const QString &description = {},
                 const QString &page = {});

// Platinum: Service Contract 1000, GAP 500, Tint 400, Etch 200 (costs 900, 250, 120, 15), ids 1 to 4.
// Gold: Service Contract, GAP, Tint, and a product kept at id 0 (never presented, MSRP 100).
// Silver: GAP, Etch. Basic: Etch.
// Gold without its Tint comes to 1600, the product at id 0 counted as in the price shown: 30.93 a month
// at 6 % over 60 months, 1600.00 in cash.
Deal sampleDeal(bool cash = false);

// Slot k of the chosen package is kept when bit k of `keptSlots` is set.
DealRecord sampleChoice(int chosen, unsigned keptSlots, const QString &salesperson = QStringLiteral("Ann Lee"),
                        const QDateTime &saved = QDateTime(), bool cash = false);

} // namespace coretest
