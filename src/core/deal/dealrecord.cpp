#include "core/deal/dealrecord.h"

#include "core/deal/dealpage.h"
#include "core/money/numbers.h"

#include <QCoreApplication>

#include <QSet>

namespace {
// The "NONE" entry of a slot holds nothing at all; anything else the worksheet showed is kept, so the
// package figures rebuilt from the items are the ones shown then.
bool filled(const SlotProduct &s) { return s.id != 0 || !s.name.isEmpty() || s.cost != 0 || s.msrp != 0; }
} // namespace

Deal DealRecord::deal() const {
    Deal d;
    d.particulars = particulars;
    d.dealership = dealership;
    d.disclaimer = disclaimer;
    d.rate = rate;
    d.term = term;
    d.term2 = term2;
    d.term3 = term3;
    d.amountFinanced = amountFinanced;
    d.includeTax = includeTax;
    d.cashDeal = cashDeal;
    d.leaseDeal = leaseDeal;
    d.residual = residual;
    d.residual2 = residual2;
    d.residual3 = residual3;
    if (leaseDeal)
        d.moneyFactor = moneyFactor;
    d.cashInterest = cashInterest;
    d.discloseTotals = discloseTotals;
    d.disclosePrices = disclosePrices;
    d.taxRate = taxRate;
    for (int p = 0; p < menu::Packages; ++p)
        d.packages[p].name = packageNames[p];
    for (const DealItem &item : items) {
        if (item.package < 0 || item.package >= menu::Packages || item.slot < 0 || item.slot >= menu::Slots)
            continue;
        SlotProduct &slot = d.packages[item.package].products[item.slot];
        slot.id = item.productId;
        slot.name = item.name;
        slot.cost = item.cost;
        slot.msrp = item.msrp;
        slot.description = item.description;
    }
    return d;
}

QVector<DealItem> DealRecord::acceptedItems() const {
    QVector<DealItem> kept;
    for (const DealItem &item : items)
        if (item.accepted)
            kept << item;
    return kept;
}

QVector<DealItem> DealRecord::declinedItems() const {
    QSet<double> seen;
    for (const DealItem &item : items)
        if (item.accepted)
            seen.insert(item.productId);
    QVector<DealItem> declined;
    for (const DealItem &item : items) {
        if (!item.offered() || seen.contains(item.productId))
            continue;
        seen.insert(item.productId);
        DealItem shown = item;
        shown.accepted = false;
        declined << shown;
    }
    return declined;
}

DealRecord recordChoice(const Deal &deal, int chosen, const std::array<bool, menu::Slots> &kept,
                        const QString &statement, int term) {
    DealRecord r;
    r.particulars = deal.particulars;
    r.dealership = deal.dealership;
    r.disclaimer = deal.disclaimer;
    r.statement = statement;
    r.rate = deal.rate;
    r.term = deal.term;
    r.term2 = deal.term2;
    r.term3 = deal.term3;
    r.amountFinanced = deal.amountFinanced;
    r.cashDeal = deal.cashDeal;
    r.leaseDeal = deal.leaseDeal;
    r.residual = deal.residual;
    r.residual2 = deal.residual2;
    r.residual3 = deal.residual3;
    r.moneyFactor = deal.leaseDeal ? deal.leaseFactor() : 0;
    r.cashInterest = deal.cashInterest;
    r.includeTax = deal.includeTax;
    r.taxRate = deal.taxRate;
    r.disclosePrices = deal.disclosePrices;
    r.discloseTotals = deal.discloseTotals;
    if (chosen < 0 || chosen >= menu::Packages)
        chosen = DealRecord::DeclinedAll;
    r.chosenPackage = chosen;
    for (int p = 0; p < menu::Packages; ++p) {
        r.packageNames[p] = deal.packages[p].name;
        for (int s = 0; s < menu::Slots; ++s) {
            const SlotProduct &slot = deal.packages[p].products[s];
            if (!filled(slot))
                continue;
            r.items << DealItem{p,         s,         slot.id,          slot.name,
                                slot.cost, slot.msrp, slot.description, p == chosen && kept[s] && slot.offered()};
        }
    }
    // The payment of the chosen package without the products the customer unticked, by the deal's own
    // rules: kept whole it is the price the customer was shown (a product never presented, at id 0, stays
    // counted, as it was in that price).
    Deal keptOnly = deal;
    bool anyKept = false;
    if (chosen != DealRecord::DeclinedAll) {
        r.chosenName = deal.packages[chosen].name;
        for (int s = 0; s < menu::Slots; ++s) {
            SlotProduct &slot = keptOnly.packages[chosen].products[s];
            if (slot.offered() && kept[s])
                anyKept = true;
            else if (slot.offered())
                slot = SlotProduct();
        }
    }
    const QVector<int> offered = deal.offeredTerms();
    if (!offered.contains(term))
        term = 0;
    if (offered.size() > 1)
        r.chosenTerm = deal.months(term);
    if (anyKept)
        r.finalPayment = keptOnly.payment(chosen, term).payment;
    else if (deal.amountFinanced != 0) // declining every product still leaves the payment on the amount financed
        r.finalPayment = deal.basePayment(term).payment;
    return r;
}

QString finalPaymentLine(const QString &figure, bool anyKept, const Deal &terms, double chosenTerm) {
    if (!anyKept && terms.amountFinanced == 0)
        return QStringLiteral("$ 0.00");
    if (terms.leaseDeal)
        return QCoreApplication::translate("DealPage", "%1, %2 Month Lease")
            .arg(priceLine(figure, false), numbers::plain(chosenTerm != 0 ? chosenTerm : terms.months(0)));
    if (terms.offeredTerms().size() > 1)
        return termPriceLine(figure, chosenTerm != 0 ? chosenTerm : terms.months(0));
    return priceLine(figure, terms.cashDeal);
}

QString finalPaymentLine(const DealRecord &record) {
    return finalPaymentLine(record.finalPayment, !record.acceptedItems().isEmpty(), record.deal(), record.chosenTerm);
}
