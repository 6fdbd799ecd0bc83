#pragma once
// The figures under one package of the deal worksheet, from the texts its boxes show. Free of widgets.

#include <QString>
#include <QStringList>

namespace dealtotals {

// Which input kept a payment from being computed.
enum class Problem { None, Term, Rate, Amount };

struct Inputs {
    QStringList msrp; // the slots' MSRP texts
    QStringList cost; // the slots' cost texts
    QString rate;     // yearly per cent, as typed
    QString term;     // months, as typed ("1" for a cash deal)
    bool includeTax = false;
    float taxrate = 0.0f; // a plain fraction: 0.07 adds 7 %
};

struct Figures {
    QString totalmsrp;   // "###0.00"
    QString totalprofit; // "###0.00"
    QString payment;     // "###0.00"; "0.00" when it cannot be computed
    Problem problem = Problem::None;
};

Figures package(const Inputs &in);

} // namespace dealtotals
