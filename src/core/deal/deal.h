#pragma once
// One customer's deal: the particulars, the finance terms and options, and four packages of ten slots,
// each slot a snapshot of a product as the worksheet shows it. Its figures are computed here and
// nowhere else: the worksheet, the template editor's totals, the presentation and the printed deal
// all read them from this one place.

#include "core/deal/menushape.h"
#include <QString>
#include <QVector>
#include <array>
#include <optional>

// A product as a slot shows it. An empty slot holds id 0 and no amounts.
struct SlotProduct {
    double id = 0;
    QString name;
    double cost = 0; // the catalogue's amount brought to whole cents, as the slot shows it
    double msrp = 0;
    QString description;
    QString page; // the product's web page (`htmlpath`)

    // Only a product with an id above 0 appears on the presentation; every slot counts in the totals.
    bool offered() const { return id > 0; }
};

struct PackageTotals {
    double cost = 0;
    double msrp = 0;
    double profit = 0;
};

struct Package {
    QString name;
    std::array<SlotProduct, menu::Slots> products;

    PackageTotals totals() const;
};

// Which input kept a payment from being computed.
enum class PaymentProblem { None, Term, Rate, Amount, Residual };

// One payment: "###0.00" text, or "0.00" with the input that kept it from being computed.
struct TermPayment {
    QString payment = QStringLiteral("0.00");
    PaymentProblem problem = PaymentProblem::None;
};

struct PackageFigures {
    double totalMsrp = 0;
    double totalProfit = 0;
    QString payment = QStringLiteral("0.00"); // "###0.00": the monthly payment, or the price of a cash deal
    PaymentProblem problem = PaymentProblem::None;
};

struct Particulars {
    QString customer;
    QString vehicle;
    QString stockNumber;
    QString salesperson;
};

struct Deal {
    static constexpr int Terms = 3; // the term, and up to two further terms offered beside it

    Particulars particulars;
    QString dealership; // the dealership name and disclaimer the deal is presented with
    QString disclaimer;
    double rate = 0;             // yearly per cent, as read from its box
    double term = 0;             // months, as read from its box
    double term2 = 0, term3 = 0; // further terms offered beside it, months; 0 when not offered
    double amountFinanced = 0;   // the loan before any product (a lease's cap cost); 0 when none was entered
    bool includeTax = false;
    bool cashDeal = false;
    // A lease: the customer pays the vehicle's loss of value to the residual over the term, plus rent.
    bool leaseDeal = false;
    double residual = 0, residual2 = 0, residual3 = 0; // the vehicle's value at the end of each term
    std::optional<double> moneyFactor;                 // none: the rate's own (rate / 2400)
    // A cash price with a month's interest at the rate typed: only deals stored before cash prices
    // became interest-free, so they reprint as they were shown.
    bool cashInterest = false;
    bool discloseTotals = false;
    bool disclosePrices = false;
    float taxRate = 0; // a plain fraction: 0.07 adds 7 %
    std::array<Package, menu::Packages> packages;

    // The months a payment runs over: one for a cash deal (its price is that single payment).
    double months() const { return cashDeal ? 1.0 : term; }
    // The yearly rate the payments carry: none for a cash deal, whose price is its amount (plus tax) and
    // carries no finance charge whatever rate was typed.
    double financeRate() const { return cashDeal && !cashInterest ? 0.0 : rate; }
    // The lease's monthly rent charge per dollar: as typed, or the rate's equivalent.
    double leaseFactor() const { return moneyFactor ? *moneyFactor : rate / 2400.0; }
    double residualAt(int termIndex) const;
    // The same for term `termIndex` (0 the term, 1 and 2 the further ones).
    double months(int termIndex) const;
    // The months of term `termIndex` as typed, whatever the kind of deal.
    double termMonths(int termIndex) const;
    // The first term always; a further one when its months are not 0 and the deal is not paid in cash.
    bool termOffered(int termIndex) const;
    QVector<int> offeredTerms() const;

    // The figures at the first term.
    PackageFigures figures(int package) const;
    // The payment of the amount financed and the package together at term `termIndex`; with tax included,
    // tax is added on the products' share only.
    TermPayment payment(int package, int termIndex) const;
    // A lease's payment is the depreciation plus the rent charge on the cap cost and the package together,
    // taxed whole when tax is included.
    // The payment of the amount financed alone at term `termIndex` (no products, so no tax on a loan).
    TermPayment basePayment(int termIndex) const;
    // The input that kept some package's payment at the first term from being computed (Term before
    // Residual before Rate), or None.
    PaymentProblem termOrRateProblem() const { return termOrRateProblem(0); }
    PaymentProblem termOrRateProblem(int termIndex) const;
};
