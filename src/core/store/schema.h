#pragma once
// Every table of every data file, and the steps that bring a file of an earlier layout up to the current
// one. Each file keeps the number of its layout in `PRAGMA user_version` (a server in its table
// `quorvel_layout`, a row per file's table): 0 is the layout the file first
// had (the three original files as delivered; the deal file as it was first made), and each step raises
// it by one. A file made before the number was kept says 0 and may already hold some later fields: every
// step leaves alone what is already there.

#include <QString>
#include <QStringList>
#include <functional>

class Database;

namespace schema {

QString productsFile();    // "products.mdb"
QString vehiclesFile();    // "vehicles.mdb"
QString preferencesFile(); // "preferences.mdb"
QString dealsFile();       // "deals.mdb"

enum class File { Products, Templates, Settings, Deals };
QString fileName(File file);
// The file's table on a server: "products", "vehicles", "preferences", "deals".
QString serverTable(File file);
// The layout this program makes and reads; a file marked with a higher one was made by a newer program.
int currentVersion(File file);

// The fields of the original files' one table named `table`, as every such file has them.
QStringList productFields();
QStringList vehicleFields();
QStringList preferenceFields();
// Settings fields added since: an older file gains each, with its default, when it is opened.
QStringList addedPreferenceFields();
// The acceptance statement a new settings record holds.
QString defaultStatement();
// The deal file's tables `deals` and `dealitems`: the fields every deal file has, and those added since.
QStringList dealFields();
QStringList addedDealFields();
QStringList dealItemFields();

// "menu" + package digit + "_" + slot digit, package 0..3, slot 0..9.
QString slotField(int package, int slot);

// Makes a new file at `path` in the current layout, its tables empty (the settings file holds its one
// record, every field at its default). False with the reason in `why`.
bool createFile(const QString &path, File file, QString *why = nullptr);
// Makes the file's tables in the current layout on the open database, inside the caller's transaction
// (the server's setup). False with the reason in `why`.
bool createTables(Database &db, File file, QString *why = nullptr);
// Brings the tables of an open server up to the current layout inside the caller's transaction; `changed`
// says whether anything was done. False with the reason in `why` (a newer layout is refused).
bool bringUpTables(Database &db, File file, bool *changed, QString *why = nullptr);
// Whether the open file was made by a newer program; such a file is left exactly as it is.
bool madeByNewer(Database &db, File file);
QString madeByNewerReason(); // "it was made by a newer Quorvel ..."
// Brings the open file up to the current layout: the steps from its layout up, in one transaction,
// and the new layout's number. Nothing is written to a file already current. False with the reason in
// `why` (a newer file is refused, untouched).
// `check`, when given, says inside the upgrade's transaction why the brought-up file cannot serve ("" when
// it can): the upgrade is then rolled back and that is the reason, so a refused file is left as it was.
bool upgrade(Database &db, File file, QString *why = nullptr, const std::function<QString()> &check = {});

} // namespace schema
