#pragma once
// The settings record: the dealership's defaults, the start-up password and the two id counters.

#include "core/deal/menushape.h"
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

struct Settings {
    qint32 productCounter = 0;           // `am_total`: the highest product id handed out
    qint32 templateCounter = 0;          // `ve_total`: the highest template id handed out
    std::array<QString, menu::Packages> packageNames; // `package1` .. `package4`, as stored
    float taxRate = 0;                   // a plain fraction: 0.07 adds 7 %
    bool disclosePrices = false;
    bool discloseTotals = false;
    float interestRate = 0;  // yearly per cent
    qint32 financeTerm = 0;  // months
    qint32 financeTerm2 = 0; // further terms offered beside it; 0 when not offered
    qint32 financeTerm3 = 0;
    QString dealershipName;
    QString salespersonName;
    QString disclaimer;
    QString password;
    bool passwordProtect = false;
    bool includeTax = false;
    QString statement; // what the customer signs on the acceptance page
    bool leaseDeal = false; // a new deal starts as a lease

    bool operator==(const Settings &o) const {
        return productCounter == o.productCounter && templateCounter == o.templateCounter &&
               packageNames == o.packageNames && taxRate == o.taxRate && disclosePrices == o.disclosePrices &&
               discloseTotals == o.discloseTotals && interestRate == o.interestRate && financeTerm == o.financeTerm &&
               dealershipName == o.dealershipName && salespersonName == o.salespersonName &&
               disclaimer == o.disclaimer && password == o.password && passwordProtect == o.passwordProtect &&
               includeTax == o.includeTax && financeTerm2 == o.financeTerm2 && financeTerm3 == o.financeTerm3 &&
               statement == o.statement && leaseDeal == o.leaseDeal;
    }
};

// Puts `value` into the number setting stored as `field` (`am_total`, `taxrate`, `financeterm2`, ...) as the
// settings hold it: the counters and terms 32-bit whole numbers (rounded half to even), the rates single
// precision. False, with nothing changed, when the value is out of that field's range. The one check of a
// setting's number, for what is typed and for what a file holds.
bool setNumber(Settings &s, const QString &field, double value);
// The fields setNumber takes.
QStringList settingsNumberFields();

// Which counter a new id is drawn from.
enum class Counter { Products, Templates };
