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

private:
    bool insert(DealRecord &record);
    Database &m_db;
    StoreEvents &m_events;
};
