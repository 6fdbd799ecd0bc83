#pragma once
// A deal as the customer chose on it: everything the presentation showed (particulars, options, the
// four packages as the worksheet filled them), which package was chosen, which of its products were
// kept, and the payment that results. This is what the deal file keeps; its figures are those of the
// day it was saved, whatever the catalogue does later.

#include "core/deal/deal.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>
#include <array>

// One filled slot of one package, as the worksheet showed it.
struct DealItem {
    int package = 0; // 0..3
    int slot = 0;    // 0..9
    double productId = 0;
    QString name;
    double cost = 0;
    double msrp = 0;
    QString description;
    bool accepted = false;

    // Only a product with an id above 0 was shown to the customer, so only such a product was offered.
    bool offered() const { return productId > 0; }
    bool operator==(const DealItem &o) const {
        return package == o.package && slot == o.slot && productId == o.productId && name == o.name && cost == o.cost &&
               msrp == o.msrp && description == o.description && accepted == o.accepted;
    }
};

struct DealRecord {
    static constexpr int DeclinedAll = -1;

    qint64 id = 0;   // the deal number; 0 until stored
    QDateTime saved; // local time, to the second; set when stored
    Particulars particulars;
    QString dealership;
    QString disclaimer;
    QString statement; // the acceptance statement the customer signs under
    double rate = 0;
    double term = 0;
    double term2 = 0, term3 = 0; // further terms offered; 0 = not offered
    double amountFinanced = 0;
    double chosenTerm = 0; // the months of the term the customer took when several were offered, else 0
    bool cashDeal = false;
    bool leaseDeal = false;
    double residual = 0, residual2 = 0, residual3 = 0; // a lease's residual at each term
    double moneyFactor = 0;    // the money factor a lease was computed with, typed or from the rate
    bool cashInterest = false; // a cash price with a month's interest (deals stored before that ended)
    bool includeTax = false;
    float taxRate = 0;
    bool disclosePrices = false;
    bool discloseTotals = false;
    std::array<QString, menu::Packages> packageNames;
    int chosenPackage = DeclinedAll;               // 0..3, or DeclinedAll
    QString chosenName;                            // the chosen package's caption; "" when all was declined
    QString finalPayment = QStringLiteral("0.00"); // "###0.00", as the figures give it
    QVector<DealItem> items;                       // package by package, slot by slot
    QByteArray signature;                          // the customer's signature as drawn, a PNG; empty: none
    QString seal;                                  // set when stored; empty for deals saved before sealing

    // The deal as it was presented, rebuilt from the stored items: its page and figures are those shown then.
    Deal deal() const;
    // The products the customer kept, in slot order.
    QVector<DealItem> acceptedItems() const;
    // Every product offered in any package and not kept, each once (the same product id in two packages is
    // one product), in the order the presentation shows them.
    QVector<DealItem> declinedItems() const;
};

// Records the customer's choice on a deal: `chosen` is the package taken (or DeclinedAll), `kept` tells
// for each of its slots whether the customer kept that product, `term` which of the terms offered was
// taken (the first when it is not offered). The final payment is the deal's own payment over that term
// for a copy of the deal whose chosen package holds only the kept products. Not yet stored: no id, no time.
DealRecord recordChoice(const Deal &deal, int chosen, const std::array<bool, menu::Slots> &kept,
                        const QString &statement, int term = 0);

// The final payment as the customer sees it: the presentation's price line ("$ 29.00 / Month", a cash
// deal without " / Month"), or "$ 0.00" when nothing was kept and nothing is financed. When several terms
// were offered it names the one taken ("$ 29.00 / Month for 72 Months"; the first when none is stored). A
// lease always names its term: "$ 232.78 / Month, 36 Month Lease".
QString finalPaymentLine(const DealRecord &record);
// The same for a stored figure: `terms` gives the deal's cash option, terms and amount financed.
QString finalPaymentLine(const QString &figure, bool anyKept, const Deal &terms, double chosenTerm);
