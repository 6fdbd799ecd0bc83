#pragma once
// The state every window shares for the whole run: the open databases, the shared record sets,
// the settings held in memory, and the routines more than one window calls.

#include "data/database.h"
#include "data/recordset.h"

#include <QString>
#include <optional>

namespace Module1 {

// The program's folder (as programlocation decides, unless a test or the benchmark points elsewhere).
QString programFolder();
void setProgramFolder(const QString &folder);
QString dataFolder();     // programFolder()/data
QString webpagesFolder(); // programFolder()/webpages

extern Database dbproducts;
extern Database dbvehicles;
extern Database dbpreferences;

extern RecordSetPtr rsproducts;
extern RecordSetPtr rsvehicles;
extern RecordSetPtr rspreferences;

extern QString productlistsql;
extern bool productlistfirst;
extern QString packagelistsql;
extern bool packagelistfirst;
extern const QString tabchar;

// The seventeen settings, typed as stored.
extern qint32 am_total;
extern qint32 ve_total;
extern QString package1, package2, package3, package4;
extern float taxrate;
extern bool discloseprices;
extern bool disclosetotals;
extern float interestrate;
extern qint32 financeterm;
extern QString dealershipname;
extern QString salespersonname;
extern QString disclaimer;
extern QString password;
extern bool passwordprotect;
extern bool includetax;

// Opens the three files and reads the settings. On failure returns false with a message naming the
// file and the reason in `why`; nothing has been written.
bool opendatabases(QString *why = nullptr);
void closedatabases();
void readpreferences();
void writepreferences();

enum class Counter { Products, Templates };
// Hands out the next id: the settings re-read, the counter raised and written back, all in one short
// write transaction, before the caller stores the record that uses it. Shows a message and returns
// nothing when the counter cannot go higher.
std::optional<qint32> handoutid(Counter counter);

int confirm(const QString &question);
void selectall();

} // namespace Module1
