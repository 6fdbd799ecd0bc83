#pragma once
// The stored formats: the three files, each with one table named `table`, and their fields.

#include <QList>
#include <QString>
#include <QStringList>

namespace schema {

QString productsFile();    // "products.mdb"
QString vehiclesFile();    // "vehicles.mdb"
QString preferencesFile(); // "preferences.mdb"

QStringList productFields();
QStringList vehicleFields();
// The settings fields every settings file has.
QStringList preferenceFields();
// Settings fields added since: an older file gains each, with its default, when it is opened.
struct AddedField {
    QString name;
    QString declaration; // type and default, as `alter table ... add column` takes it
};
QList<AddedField> addedPreferenceFields();
// The acceptance statement a new settings record holds.
QString defaultStatement();

// "menu" + package digit + "_" + slot digit, package 0..3, slot 0..9.
QString slotField(int package, int slot);

QString createProductsTable();
QString createVehiclesTable();
QString createPreferencesTable();

} // namespace schema
