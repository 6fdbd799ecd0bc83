#pragma once
// One customer's deal: the particulars, the finance terms and options, and four packages of ten slots,
// each slot a snapshot of a product as the worksheet shows it. Its figures are computed here and
// nowhere else: the worksheet, the template editor's totals, the presentation and the printed deal
// all read them from this one place.

#include <QString>
#include <array>

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
    static constexpr int Slots = 10;
    QString name;
    std::array<SlotProduct, Slots> products;

    PackageTotals totals() const;
};

// Which input kept a payment from being computed.
enum class PaymentProblem { None, Term, Rate, Amount };

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
    static constexpr int Packages = 4;

    Particulars particulars;
    QString dealership; // the dealership name and disclaimer the deal is presented with
    QString disclaimer;
    double rate = 0; // yearly per cent, as read from its box
    double term = 0; // months, as read from its box
    bool includeTax = false;
    bool cashDeal = false;
    bool discloseTotals = false;
    bool disclosePrices = false;
    float taxRate = 0; // a plain fraction: 0.07 adds 7 %
    std::array<Package, Packages> packages;

    // The months a payment runs over: one for a cash deal (its price is one month's payment).
    double months() const { return cashDeal ? 1.0 : term; }
    PackageFigures figures(int package) const;
    // The input that kept some package's payment from being computed (Term before Rate), or None.
    PaymentProblem termOrRateProblem() const;
};

// An amount as a slot shows it: rounded to whole cents as "###0.00" shows it.
double asShown(double amount);
