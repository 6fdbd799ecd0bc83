#include "schema.h"

namespace schema {

QString productsFile() { return QStringLiteral("products.mdb"); }
QString vehiclesFile() { return QStringLiteral("vehicles.mdb"); }
QString preferencesFile() { return QStringLiteral("preferences.mdb"); }

QStringList productFields() {
    return {QStringLiteral("id"),          QStringLiteral("aftermarketname"), QStringLiteral("cost"),
            QStringLiteral("msrp"),        QStringLiteral("description"),     QStringLiteral("htmlpath"),
            QStringLiteral("picturepath"), QStringLiteral("installer"),       QStringLiteral("phone"),
            QStringLiteral("notes")};
}

QString slotField(int package, int slot) { return QStringLiteral("menu%1_%2").arg(package).arg(slot); }

QStringList vehicleFields() {
    QStringList f{QStringLiteral("id"),       QStringLiteral("vehiclename"), QStringLiteral("notes"),
                  QStringLiteral("package1"), QStringLiteral("package2"),    QStringLiteral("package3"),
                  QStringLiteral("package4")};
    for (int p = 0; p < 4; ++p)
        for (int s = 0; s < 10; ++s)
            f << slotField(p, s);
    return f;
}

QStringList preferenceFields() {
    return {QStringLiteral("am_total"),        QStringLiteral("ve_total"),       QStringLiteral("package1"),
            QStringLiteral("package2"),        QStringLiteral("package3"),       QStringLiteral("package4"),
            QStringLiteral("taxrate"),         QStringLiteral("discloseprices"), QStringLiteral("disclosetotals"),
            QStringLiteral("interestrate"),    QStringLiteral("financeterm"),    QStringLiteral("dealershipname"),
            QStringLiteral("salespersonname"), QStringLiteral("disclaimer"),     QStringLiteral("password"),
            QStringLiteral("passwordprotect"), QStringLiteral("includetax")};
}

QString defaultStatement() {
    return QStringLiteral("I was shown each product above. I understand that every product is optional, that buying or "
                          "declining any of them does not affect my credit approval, and I have marked my choice.");
}

QList<AddedField> addedPreferenceFields() {
    return {{QStringLiteral("financeterm2"), QStringLiteral("INTEGER NOT NULL DEFAULT 0")},
            {QStringLiteral("financeterm3"), QStringLiteral("INTEGER NOT NULL DEFAULT 0")},
            {QStringLiteral("statement"), QStringLiteral("TEXT NOT NULL DEFAULT '%1'").arg(defaultStatement())}};
}

// Amounts are REAL so that "order by" sorts them as numbers; names and notes sort without regard to case,
// as a user reading a list expects.
QString createProductsTable() {
    return QStringLiteral(
        "create table [table] (id INTEGER NOT NULL DEFAULT 0, aftermarketname TEXT NOT NULL DEFAULT '' COLLATE NOCASE, "
        "cost REAL NOT NULL DEFAULT 0, msrp REAL NOT NULL DEFAULT 0, description TEXT, "
        "htmlpath TEXT NOT NULL DEFAULT '', picturepath TEXT NOT NULL DEFAULT '', "
        "installer TEXT NOT NULL DEFAULT '', phone TEXT NOT NULL DEFAULT '', notes TEXT NOT NULL DEFAULT '')");
}

QString createVehiclesTable() {
    QString sql = QStringLiteral(
        "create table [table] (id INTEGER NOT NULL DEFAULT 0, vehiclename TEXT NOT NULL DEFAULT '' COLLATE NOCASE, "
        "notes TEXT NOT NULL DEFAULT '' COLLATE NOCASE, package1 TEXT NOT NULL DEFAULT '', "
        "package2 TEXT NOT NULL DEFAULT '', package3 TEXT NOT NULL DEFAULT '', "
        "package4 TEXT NOT NULL DEFAULT ''");
    for (int p = 0; p < 4; ++p)
        for (int s = 0; s < 10; ++s)
            sql += QStringLiteral(", %1 INTEGER NOT NULL DEFAULT 0").arg(slotField(p, s));
    return sql + QStringLiteral(")");
}

QString createPreferencesTable() {
    return QStringLiteral(
               "create table [table] (am_total INTEGER NOT NULL, ve_total INTEGER NOT NULL, "
               "package1 TEXT NOT NULL, package2 TEXT NOT NULL, package3 TEXT NOT NULL, package4 TEXT NOT NULL, "
               "taxrate REAL NOT NULL, discloseprices INTEGER NOT NULL, disclosetotals INTEGER NOT NULL, "
               "interestrate REAL NOT NULL, financeterm INTEGER NOT NULL, dealershipname TEXT NOT NULL, "
               "salespersonname TEXT NOT NULL, disclaimer TEXT NOT NULL, password TEXT NOT NULL, "
               "passwordprotect INTEGER NOT NULL, includetax INTEGER NOT NULL%1)")
        .arg([] {
            QString added;
            for (const AddedField &f : addedPreferenceFields())
                added += QStringLiteral(", %1 %2").arg(f.name, f.declaration);
            return added;
        }());
}

} // namespace schema
