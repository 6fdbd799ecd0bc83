#include "core/deal/dealpage.h"

#include "core/money/numbers.h"
#include "core/text/storedtext.h"

#include <QCoreApplication>
#include <QVector>

using storedtext::trimBlanks;

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString priceLine(const QString &payment, bool cashDeal) {
    QString line = QStringLiteral("$ ") + trimBlanks(payment);
    if (!cashDeal)
        line = QCoreApplication::translate("DealPage", "%1 / Month").arg(line);
    return line;
}

QString termPriceLine(const QString &payment, double months) {
    return QCoreApplication::translate("DealPage", "%1 for %2").arg(priceLine(payment, false), monthsText(months));
}

QString leasePriceLine(const QString &payment, double months) {
    return QCoreApplication::translate("DealPage", "%1 for %2 Month Lease")
        .arg(priceLine(payment, false), numbers::plain(months));
}

QString monthsText(double months) {
    return (months == 1 ? QCoreApplication::translate("DealPage", "%1 Month")
                        : QCoreApplication::translate("DealPage", "%1 Months"))
        .arg(numbers::plain(months));
}

QStringList DealPage::priceLinesOf(int package) const {
    QStringList lines{priceLines.at(package)};
    for (const auto *further : {&priceLines2, &priceLines3})
        if (!further->at(package).isEmpty())
            lines << further->at(package);
    return lines;
}

QString productText(const QString &name, const QString &msrp, bool disclosePrices, const QString &description) {
    QString text = trimBlanks(name);
    if (disclosePrices)
        text += QStringLiteral(" $") + trimBlanks(msrp);
    return text + kCrLf + trimBlanks(description);
}

DealPage dealPage(const Deal &deal) {
    DealPage page;
    page.dealership = trimBlanks(deal.dealership);
    page.salesperson = trimBlanks(deal.particulars.salesperson);
    page.customer = trimBlanks(deal.particulars.customer);
    page.stockNumber = trimBlanks(deal.particulars.stockNumber);
    page.vehicle = trimBlanks(deal.particulars.vehicle);
    page.priceLinesShown = deal.discloseTotals;
    page.lease = deal.leaseDeal;
    page.disclaimer = trimBlanks(deal.disclaimer);
    // One term shows today's line; several name their terms so the customer can tell them apart.
    const QVector<int> terms = deal.offeredTerms();
    // A lease's price means nothing without its term, so its lines always name it.
    auto line = [&](const TermPayment &payment, int term) {
        if (deal.leaseDeal)
            return leasePriceLine(payment.payment, deal.months(term));
        return terms.size() > 1 ? termPriceLine(payment.payment, deal.months(term))
                                : priceLine(payment.payment, deal.cashDeal);
    };
    if (deal.amountFinanced != 0) {
        // The lease's own caption already says it is a lease; its entries name only their terms.
        auto baseLine = [&](int term) {
            const QString payment = deal.basePayment(term).payment;
            if (!deal.leaseDeal)
                return line(deal.basePayment(term), term);
            return terms.size() > 1 ? termPriceLine(payment, deal.months(term)) : priceLine(payment, false);
        };
        QStringList entries;
        for (int t : terms)
            entries << baseLine(t);
        const QString caption = deal.leaseDeal
                                    ? QCoreApplication::translate("DealPage", "Lease payment without products: %1")
                                    : QCoreApplication::translate("DealPage", "Payment without products: %1");
        page.basePaymentLine = caption.arg(entries.join(QStringLiteral("  \u00B7  ")));
    }
    for (int p = 0; p < menu::Packages; ++p) {
        const Package &package = deal.packages[p];
        page.headings[p] = trimBlanks(package.name);
        page.priceLines[p] = line(deal.payment(p, 0), 0);
        if (deal.termOffered(1))
            page.priceLines2[p] = line(deal.payment(p, 1), 1);
        if (deal.termOffered(2))
            page.priceLines3[p] = line(deal.payment(p, 2), 2);
        for (int s = 0; s < menu::Slots; ++s) {
            const SlotProduct &slot = package.products[s];
            if (!slot.offered())
                continue;
            const QString text =
                productText(slot.name, numbers::formatMoney(slot.msrp), deal.disclosePrices, slot.description);
            page.productTexts[p][s] = trimBlanks(text);
            page.pages[p][s] = trimBlanks(slot.page);
            page.packageTexts[p] += text + kCrLf + kCrLf;
        }
    }
    return page;
}
