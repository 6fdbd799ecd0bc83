#pragma once
// The deal file `deals.mdb`: every deal a customer chose on, with its items, kept as saved. A stored
// deal is never changed or deleted (the file itself refuses it), so the signed page can always be shown
// again with the names and prices of its day.

#include "core/deal/dealrecord.h"
#include "core/report/productreport.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>
#include <utility>

class Database;
class StoreEvents;

// What verifying the deals' seals found.
struct SealCheck {
    enum Result { Intact, Broken, Unreadable };
    Result result = Intact;
    int deals = 0;            // the deals read (all of them, when intact)
    int unsealed = 0;         // of them, saved before sealing
    qint64 firstUnsealed = 0; // the first and last of those
    qint64 lastUnsealed = 0;
    qint64 broken = 0; // the first deal that does not match its seal or the chain
    QString why;       // why the file could not be read
    // What the user is told: "All 3 deals are intact." or which deal does not match its seal.
    QString message() const;
};

class DealArchive {
public:
    DealArchive(Database &db, StoreEvents &events) : m_db(db), m_events(events) {}

    static QString fileName(); // "deals.mdb"
    // Makes a new, empty deal file at `path`: built under a temporary name and renamed into place, so a
    // crash never leaves a half-made file, and a file another copy made meanwhile is kept, not replaced.
    static bool createFile(const QString &path, QString *why);
    // Why the open file cannot serve as the deal file ("" when it can): a table or field missing.
    QString problem() const;

    // Stores the deal and its items in one transaction, numbering it and stamping the time (unless the
    // record already carries one). False when it could not be stored; nothing of it is then stored.
    bool add(DealRecord &record);
    // Several deals in one transaction (the benchmark's and tests' fixtures).
    bool addAll(QVector<DealRecord> &records);
    // On a server: readies this desk's connection for its saves (a deal stored and undone), so that its first
    // save waits for the other desks' turns and nothing else.
    void rehearse();
    std::optional<DealRecord> load(qint64 id) const;

    // Every stored deal, newest first.
    QVector<DealSummary> history() const;
    // The query history() reads, for a bare read to compare against.
    static QString historyQuery();
    // The salespeople who saved deals, each once, without regard to case.
    QStringList salespeople() const;
    // The days of the first and the last stored deal; nothing when there are none.
    std::optional<std::pair<QDate, QDate>> dateSpan() const;
    ProductReport report(const ReportFilter &filter) const;

    // Checks every stored deal against its seal, in number order: the first that does not match (changed,
    // its seal removed, a deal before it removed or slipped in) is named; deals saved before sealing are
    // counted.
    SealCheck verify() const;
    // The same on the deal file at `path`, opened read-only without bringing it up to date (a file of
    // an earlier layout holds only deals saved before sealing).
    static SealCheck verifyFile(const QString &path);

private:
    bool insert(DealRecord &record);
    Database &m_db;
    StoreEvents &m_events;
};
