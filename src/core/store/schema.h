#pragma once
// The stored formats: the three files, each with one table named `table`, and their fields.

#include <QString>
#include <QStringList>

namespace schema {

QString productsFile();    // "products.mdb"
QString vehiclesFile();    // "vehicles.mdb"
QString preferencesFile(); // "preferences.mdb"

QStringList productFields();
QStringList vehicleFields();
QStringList preferenceFields();

// "menu" + package digit + "_" + slot digit, package 0..3, slot 0..9.
QString slotField(int package, int slot);

QString createProductsTable();
QString createVehiclesTable();
QString createPreferencesTable();

} // namespace schema
