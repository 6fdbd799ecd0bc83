// A busy Saturday on one server: 50 desks, each with its own store (its own connections, made and used in a
// thread of its own, as each desk is a program of its own), all saving 100 deals of 10 to 40 items at once
// through the deal file's real save. Then every deal is checked as stored whole, under a number of its own,
// its seal in the chain, and the report's totals against the sum of what was saved. On the server named by
// QUORVEL_BENCH_SERVER (or the argument after "server"), which must be empty, or a throwaway cluster.

#include "bench.h"
#include "benchsupport.h"
#include "cluster.h"

#include "app/application.h"
#include "core/deal/dealrecord.h"
#include "core/store/store.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <unistd.h>

using bench::app;
using bench::Cluster;
using bench::Connection;

namespace {
constexpr int kDesks = 50;
constexpr int kDealsEach = 100;
// A store holds a connection for each of its four tables.
constexpr int kConnectionsEach = 4;

// Deal k's items: 10 to 40, spread over the range by a fixed scramble.
int itemsOf(int k) { return 10 + int((qint64(k) * 7919 + 13) % 31); }

// What one desk did.
struct Desk {
    QString opened;            // why its store did not open; "" when it did
    QStringList errors;        // what its store reported
    QVector<DealRecord> saved; // as stored: numbers, seals and items
    std::vector<qint64> times; // each save, from the call until it returned
    int refused = 0;           // saves that returned false
};

// Holds the desks until every one is at the line (its store open; its saves done), then lets them all go at once.
class StartLine {
public:
    void ready() {
        std::unique_lock<std::mutex> lock(m_mutex);
        ++m_ready;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_go; });
    }
    void waitForAll(int n) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_ready == n; });
    }
    void go() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_go = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_ready = 0;
    bool m_go = false;
};

// One desk's day: its store is made, opened, used and closed in this thread, the only one its connections
// may be used in.
void work(int number, const ServerAddress &server, Desk &desk, StartLine &start, StartLine &finish) {
    {
        Store store{QString()};
        store.setServer(server);
        store.setErrorHandler([&desk](const QString &what) { desk.errors << what; });
        QString why;
        if (!store.open(&why))
            desk.opened = why.isEmpty() ? QStringLiteral("the store did not open") : why;
        start.ready();
        if (desk.opened.isEmpty()) {
            desk.saved.reserve(kDealsEach);
            desk.times.reserve(kDealsEach);
            for (int d = 0; d < kDealsEach; ++d) {
                const int k = number * kDealsEach + d;
                DealRecord record = bench::dealNumber(k, itemsOf(k));
                QElapsedTimer t;
                t.start();
                const bool stored = store.deals().add(record);
                desk.times.push_back(t.nsecsElapsed());
                if (stored)
                    desk.saved << record;
                else
                    ++desk.refused;
            }
        }
        // Every desk stays open until the last has saved, as on a Saturday: a desk closing would cost the
        // server's other connections time the saves still running would be charged with.
        finish.ready();
    }
}

qint64 percentile(std::vector<qint64> v, double p) {
    std::sort(v.begin(), v.end());
    const size_t rank = size_t(std::ceil(p * double(v.size())));
    return v[std::min(v.size() - 1, rank == 0 ? 0 : rank - 1)];
}

QString loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2)
                                       : QStringLiteral("?");
}

// The machine's huge pages in use (held or promised) and reserved, as "used of reserved". A server whose shared
// memory is in them spares each of its connections a page fault for every page of it that connection first
// touches: on this machine a large part of a save's cost while the server is young.
QString hugePages() {
    QFile f(QStringLiteral("/proc/meminfo"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    QHash<QByteArray, long> pages;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 2 && fields.at(0).startsWith("HugePages_"))
            pages.insert(fields.at(0), fields.at(1).toLong());
    }
    const long total = pages.value("HugePages_Total:");
    return QStringLiteral("%1 of %2")
        .arg(total - pages.value("HugePages_Free:") + pages.value("HugePages_Rsvd:"))
        .arg(total);
}

// The deals as the server holds them against what the desks saved: every deal once under its own number,
// the customer it was saved for, and every item.
void checkStored(Connection &pg, const QVector<DealRecord> &saved) {
    using bench::fail;
    QSet<qint64> ids;
    for (const DealRecord &r : saved)
        ids.insert(r.id);
    if (ids.size() != saved.size())
        fail(qPrintable(
            QStringLiteral("%1 deal numbers were handed out more than once").arg(saved.size() - ids.size())));
    QHash<qint64, QString> customers;
    for (const QStringList &row : pg.rows(QStringLiteral("select id, customer from deals")))
        customers.insert(row.at(0).toLongLong(), row.at(1));
    QHash<qint64, int> items;
    for (const QStringList &row : pg.rows(QStringLiteral("select deal, count(*) from dealitems group by deal")))
        items.insert(row.at(0).toLongLong(), row.at(1).toInt());
    if (customers.size() != saved.size())
        fail(qPrintable(
            QStringLiteral("the server holds %1 deals, %2 were saved").arg(customers.size()).arg(saved.size())));
    int wrong = 0;
    for (const DealRecord &r : saved)
        if (customers.value(r.id) != r.particulars.customer || items.value(r.id) != r.items.size())
            ++wrong;
    if (wrong > 0)
        fail(qPrintable(QStringLiteral("%1 deals are not stored as saved (customer or items)").arg(wrong)));
    if (items.size() != customers.size())
        fail("items are stored for deals that are not");
}

// The report's totals against the sum of what was saved.
void checkReport(const ProductReport &report, const QVector<DealRecord> &saved) {
    struct Sum {
        QSet<qint64> offered, accepted;
        double msrp = 0, profit = 0;
    };
    std::map<QString, Sum> sums;
    for (const DealRecord &r : saved)
        for (const DealItem &item : r.items) {
            if (!item.offered())
                continue;
            Sum &s = sums[item.name];
            s.offered.insert(r.id);
            if (item.accepted) {
                s.accepted.insert(r.id);
                s.msrp += item.msrp;
                s.profit += item.msrp - item.cost;
            }
        }
    if (report.deals != saved.size())
        bench::fail(qPrintable(
            QStringLiteral("the report counts %1 deals, %2 were saved").arg(report.deals).arg(saved.size())));
    if (size_t(report.lines.size()) != sums.size())
        bench::fail(qPrintable(
            QStringLiteral("the report has %1 products, the deals %2").arg(report.lines.size()).arg(sums.size())));
    for (const ProductLine &line : report.lines) {
        const auto found = sums.find(line.product);
        if (found == sums.end() || line.offered != found->second.offered.size() ||
            line.accepted != found->second.accepted.size() || std::abs(line.msrpSold - found->second.msrp) > 0.005 ||
            std::abs(line.profit - found->second.profit) > 0.005)
            bench::fail(
                qPrintable(QStringLiteral("the report's line for %1 is not the sum of the deals").arg(line.product)));
    }
}

// The whole machine's busy time so far (every process's, the server's included), in seconds.
double busySeconds() {
    QFile f(QStringLiteral("/proc/stat"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    // cpu  user nice system idle iowait irq softirq ...
    const QList<QByteArray> fields = f.readLine().simplified().split(' ');
    double ticks = 0;
    for (int i : {1, 2, 3, 6, 7})
        if (i < fields.size())
            ticks += fields.at(i).toDouble();
    return ticks / double(::sysconf(_SC_CLK_TCK));
}

const char *met(bool yes) { return yes ? "met" : "NOT MET"; }
} // namespace

int bench::desks() {
    failures() = 0;
    // Room for every desk's connections, the program's own and the checks'.
    Server server({QStringLiteral("max_connections=%1").arg(kDesks * kConnectionsEach + 20)});
    if (!server.ok())
        return 1;
    const std::optional<ServerAddress> &address = server.address();
    Connection &pg = server.pg();
    const int room = pg.value(QStringLiteral("show max_connections")).toInt() -
                     pg.value(QStringLiteral("select count(*) from pg_stat_activity where backend_type = "
                                             "'client backend'"))
                         .toInt() -
                     pg.value(QStringLiteral("show superuser_reserved_connections")).toInt();
    const int needed = kDesks * kConnectionsEach + kConnectionsEach;
    if (room < needed) {
        fail(
            qPrintable(QStringLiteral("the server takes %1 more connections; the desks need %2 (raise max_connections)")
                           .arg(room)
                           .arg(needed)));
        return 1;
    }
    // The program's own server setup; its store reads the report at the end.
    Folder folder(address);
    if (!folder.ok())
        return 1;

    std::vector<Desk> desks(kDesks);
    StartLine start, finish;
    // Qt's threads, as a store's connections listen for the other desks through the thread's event dispatcher.
    std::vector<std::unique_ptr<QThread>> threads;
    threads.reserve(kDesks);
    for (int n = 0; n < kDesks; ++n) {
        threads.emplace_back(QThread::create(work, n, std::cref(*address), std::ref(desks[size_t(n)]), std::ref(start),
                                             std::ref(finish)));
        threads.back()->start();
    }
    start.waitForAll(kDesks);
    QElapsedTimer wall;
    wall.start();
    const double busyBefore = busySeconds();
    start.go();
    finish.waitForAll(kDesks);
    const qint64 wallNs = wall.nsecsElapsed();
    const double busy = busySeconds() - busyBefore;
    finish.go();
    for (const std::unique_ptr<QThread> &t : threads)
        t->wait();

    QVector<DealRecord> saved;
    std::vector<qint64> times, firsts;
    int refused = 0, items = 0;
    for (const Desk &desk : desks) {
        if (!desk.opened.isEmpty())
            fail(qPrintable(QStringLiteral("a desk's store did not open: ") + desk.opened));
        for (const QString &error : desk.errors)
            fail(qPrintable(QStringLiteral("database error at a desk: ") + error));
        refused += desk.refused;
        saved += desk.saved;
        times.insert(times.end(), desk.times.begin(), desk.times.end());
        if (!desk.times.empty())
            firsts.push_back(desk.times.front());
    }
    for (const DealRecord &r : saved)
        items += int(r.items.size());
    if (refused > 0)
        fail(qPrintable(QStringLiteral("%1 saves were refused").arg(refused)));
    if (saved.size() != kDesks * kDealsEach)
        fail(qPrintable(QStringLiteral("%1 of %2 deals were saved").arg(saved.size()).arg(kDesks * kDealsEach)));
    checkStored(pg, saved);
    const SealCheck seals = app().store().deals().verify();
    if (seals.result != SealCheck::Intact || seals.deals != saved.size())
        fail(qPrintable(QStringLiteral("the seals: ") + seals.message()));
    checkReport(app().store().deals().report({}), saved);

    const double seconds = double(wallNs) / 1e9;
    std::printf("%d desks saved %lld deals with %d items in %.2f s (load average %s)\n", kDesks,
                static_cast<long long>(saved.size()), items, seconds, qPrintable(loadAverage()));
    std::printf("huge pages in use on this machine: %s\n", qPrintable(hugePages()));
    if (!times.empty()) {
        const qint64 p99 = percentile(times, 0.99);
        std::printf("%-26s %12s %14s\n", "(every save)", "ms", "goal");
        std::printf("%-26s %12.1f\n", "save, median", ms(percentile(times, 0.5)));
        std::printf("%-26s %12.1f %14s %s\n", "save, 99th percentile", ms(p99), "< 100 ms", met(p99 < 100000000));
        std::printf("%-26s %12.1f\n", "save, slowest", ms(percentile(times, 1.0)));
        // Each desk's store readied its connection as it opened; at the start all 50 first saves wait in one line.
        std::printf("%-26s %12.1f\n", "first save, median", ms(percentile(firsts, 0.5)));
        std::printf("%-26s %12.0f\n", "deals per second", double(saved.size()) / seconds);
        // Less at the mercy of the machine's other load than the times: what a deal costs, desks and server.
        std::printf("%-26s %12.2f\n", "busy CPU per deal, ms", saved.isEmpty() ? 0.0 : busy * 1000 / saved.size());
    }
    std::printf("checks: %s\n", failures() == 0 ? "every deal stored whole, no number shared, seals intact, report "
                                                  "totals equal the deals saved"
                                                : "FAILED");
    std::fflush(stdout);
    return failures() == 0 ? 0 : 1;
}
