#include "dealfixture.h"

namespace coretest {

SlotProduct slot(double id, const QString &name, double cost, double msrp, const QString &description,
                 const QString &page) {
    return {id, name, cost, msrp, description, page};
}

Deal sampleDeal(bool cash) {
    Deal d;
    d.particulars = {QStringLiteral("Pat Doe"), QStringLiteral("2024 Pickup"), QStringLiteral("A123"),
                     QStringLiteral("Ann Lee")};
    d.dealership = QStringLiteral("Smith & Sons Motors");
    d.disclaimer = QStringLiteral("Estimates only.");
    d.rate = 6;
    d.term = 60;
    d.cashDeal = cash;
    d.taxRate = 0.07f;
    d.discloseTotals = true;
    d.disclosePrices = true;
    const SlotProduct service = slot(1, QStringLiteral("Service Contract"), 900, 1000, QStringLiteral("Engine cover"));
    const SlotProduct gap = slot(2, QStringLiteral("GAP"), 250, 500, QStringLiteral("Loan balance"));
    const SlotProduct tint = slot(3, QStringLiteral("Tint"), 120, 400);
    const SlotProduct etch = slot(4, QStringLiteral("Etch"), 15, 200);
    d.packages[0] = {QStringLiteral("Platinum"), {service, gap, tint, etch}};
    d.packages[1] = {QStringLiteral("Gold"), {service, gap, tint}};
    d.packages[1].products[5] = slot(0, QStringLiteral("Kept at id 0"), 60, 100);
    d.packages[2] = {QStringLiteral("Silver"), {gap, etch}};
    d.packages[3] = {QStringLiteral("Basic"), {etch}};
    return d;
}

DealRecord sampleChoice(int chosen, unsigned keptSlots, const QString &salesperson, const QDateTime &saved, bool cash) {
    Deal d = sampleDeal(cash);
    d.particulars.salesperson = salesperson;
    std::array<bool, menu::Slots> kept{};
    for (int s = 0; s < menu::Slots; ++s)
        kept[s] = (keptSlots >> s) & 1u;
    DealRecord r = recordChoice(d, chosen, kept, QStringLiteral("I chose."));
    r.saved = saved;
    return r;
}

} // namespace coretest
