// The store on a PostgreSQL server at 100,000 products and 100,000 deals: the product list, the deal
// worksheet and the history each against a bare read of the same rows through libpq in the same run, the
// report over every deal, and saving a deal. On the server named by QUORVEL_BENCH_SERVER (or the argument
// after "server"), which must be empty, or else on a throwaway cluster of its own.

#include "bench.h"
#include "benchsupport.h"
#include "cluster.h"

#include "app/application.h"
#include "core/deal/dealrecord.h"
#include "ui/catalogue/productgrid.h"
#include "ui/catalogue/productlist.h"
#include "ui/deal/dealworksheet.h"
#include "ui/history/dealhistory.h"
#include "ui/history/dealreport.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QStringList>
#include <QTableView>
#include <cstdio>
#include <memory>

using bench::app;
using bench::Cluster;
using bench::Connection;

namespace {
constexpr int kProducts = 100000;
constexpr int kDeals = 100000;
// Deals saved through the program; the rest are copies of them made on the server.
constexpr int kSavedDeals = 1000;

QString quoted(const char *const *texts, int count) {
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QStringLiteral("'%1'").arg(QString::fromUtf8(texts[i]).replace(QLatin1Char('\''), QLatin1String("''")));
    return QStringLiteral("array[%1]").arg(out.join(','));
}

// The same catalogue storeProducts() writes, made on the server in one statement, and the product counter
// moved past it as adding the products through the program would.
bool fillProducts(Connection &pg, int n) {
    return pg.exec(QStringLiteral(
                       "insert into products (id, aftermarketname, cost, msrp, description, htmlpath, picturepath, "
                       "installer, phone, notes) select i, (%1)[i % 10 + 1] || ' ' || lpad(((i::bigint * 104729) % "
                       "%3)::text, 6, '0'), c, c * 2.5, 'Covers what the factory warranty does not, for five years or "
                       "60,000 miles, with roadside help and a rental car while the vehicle is repaired.', "
                       "'webpages/product' || i || '.html', '', (%2)[i % 5 + 1], '555-' || lpad((i % 10000)::text, "
                       "4, '0'), case when i % 3 = 0 then 'Ask for the extended term' else '' end from (select i, "
                       "(25 + ((i::bigint * 7919) % 90000) / 100.0)::float8 as c from generate_series(1, %3) i) s")
                       .arg(quoted(bench::productLines, 10), quoted(bench::installers, 5))
                       .arg(n)) &&
           pg.exec(QStringLiteral("update preferences set am_total = greatest(am_total, %1)").arg(n));
}

// The first deals saved through the program (numbered, sealed, items and all), then copied on the server
// under the next numbers, each copy with its own customer and stock number, until there are `count`.
bool fillDeals(Connection &pg, int count) {
    if (!bench::storeDeals(kSavedDeals))
        return false;
    Database &file = app().store().dealsFile();
    QStringList dealFields = file.columns(QStringLiteral("deals")), dealValues;
    dealFields.removeAll(QStringLiteral("rowid"));
    for (const QString &f : dealFields)
        dealValues << (f == QLatin1String("id") ? QStringLiteral("id + k * %1").arg(kSavedDeals)
                       : f == QLatin1String("customer")
                           ? QStringLiteral("'Customer ' || (id - 1 + k * %1)").arg(kSavedDeals)
                       : f == QLatin1String("stocknumber")
                           ? QStringLiteral("'S' || lpad((id - 1 + k * %1)::text, 6, '0')").arg(kSavedDeals)
                           : f);
    QStringList itemFields = file.columns(QStringLiteral("dealitems")), itemValues;
    itemFields.removeAll(QStringLiteral("rowid"));
    for (const QString &f : itemFields)
        itemValues << (f == QLatin1String("deal") ? QStringLiteral("deal + k * %1").arg(kSavedDeals) : f);
    const QString copies = QStringLiteral("generate_series(1, %1) k").arg(count / kSavedDeals - 1);
    // A copy counts in the report as its deal does (same day, salesperson and items): the counts are
    // multiplied rather than kept item by item in this one transaction.
    const int times = count / kSavedDeals;
    return pg.exec(QStringLiteral("begin")) &&
           pg.exec(QStringLiteral("insert into deals (%1) select %2 from deals, %3 order by k, id")
                       .arg(dealFields.join(','), dealValues.join(','), copies)) &&
           pg.exec(QStringLiteral("alter table dealitems disable trigger dealitems_counted")) &&
           pg.exec(QStringLiteral("insert into dealitems (%1) select %2 from dealitems, %3 order by k, deal")
                       .arg(itemFields.join(','), itemValues.join(','), copies)) &&
           pg.exec(QStringLiteral("alter table dealitems enable trigger dealitems_counted")) &&
           pg.exec(QStringLiteral("update reportcounts set offered = offered * %1, accepted = accepted * %1, "
                                  "sold = sold * %1, profit = profit * %1")
                       .arg(times)) &&
           pg.exec(QStringLiteral("commit"));
}

// From "Create Deal for Customer" until the worksheet is on screen with the catalogue in its slots; then
// choosing a template until every slot and total shows it.
qint64 openWorksheet(qint64 *load) {
    QElapsedTimer t;
    t.start();
    DealWorksheet *w = app().window<DealWorksheet>();
    w->show();
    QApplication::processEvents();
    const qint64 open = t.nsecsElapsed();
    auto *templates = w->findChild<QComboBox *>(QStringLiteral("vehicledefault"));
    const int entry = templates->findText(QStringLiteral("All New Vehicles"));
    if (entry < 0)
        bench::fail("the worksheet did not offer the template");
    t.restart();
    templates->setCurrentIndex(entry);
    emit templates->activated(entry);
    QApplication::processEvents();
    *load = t.nsecsElapsed();
    app().unload<DealWorksheet>();
    bench::settle();
    return open;
}

const char *met(bool yes) { return yes ? "met" : "NOT MET"; }
} // namespace

int bench::server() {
    using namespace bench;
    failures() = 0;
    Server server;
    if (!server.ok())
        return 1;
    const std::optional<ServerAddress> &address = server.address();
    Connection &pg = server.pg();
    Folder folder(address);
    QElapsedTimer filling;
    filling.start();
    if (!folder.ok() || !fillProducts(pg, kProducts))
        return 1;
    for (int t = 1; t <= 30; ++t)
        storeTemplate(t, t == 1 ? QStringLiteral("All New Vehicles") : QStringLiteral("Template %1").arg(t),
                      spreadIds(kProducts, t));
    if (!fillDeals(pg, kDeals) || !pg.exec(QStringLiteral("analyze")))
        return 1;
    std::printf("filled %d products and %d deals in %.0f s\n", kProducts, kDeals, double(filling.elapsed()) / 1000.0);
    std::fflush(stdout);

    const QString listQuery = app().store().productsFile().sql(
        QStringLiteral("select * from [table] where id>0 order by aftermarketname, cost, msrp"));
    const QString worksheetQuery = app().store().productsFile().sql(catalogueQuery());
    const QString historyQuery = app().store().dealsFile().sql(DealArchive::historyQuery());
    std::vector<qint64> listBare, list, sheetBare, sheet, load, historyBare, history, report, save;
    int rows = 0, shown = 0;
    pg.read(listQuery, &rows); // the rows into the server's cache for both
    pg.read(historyQuery, &rows);
    for (int run = 0; run < 5; ++run) {
        listBare.push_back(pg.read(listQuery, &rows));
        list.push_back(openWindow<ProductList>(&shown));
        if (rows != kProducts || shown != kProducts)
            fail("the product list did not hold every product");
        sheetBare.push_back(pg.read(worksheetQuery, &rows));
        qint64 loaded = 0;
        sheet.push_back(openWorksheet(&loaded));
        load.push_back(loaded);
        historyBare.push_back(pg.read(historyQuery, &rows));
        history.push_back(openWindow<DealHistory>(&shown));
        if (rows != kDeals || shown != kDeals)
            fail("the history did not show every deal");
        QElapsedTimer t;
        t.start();
        const ProductReport all = app().store().deals().report({});
        report.push_back(t.nsecsElapsed());
        if (all.deals != kDeals || all.lines.size() != 12)
            fail("the report did not count every deal");
    }
    for (int run = 0; run < 51; ++run) {
        DealRecord one = dealNumber(kDeals + run);
        QElapsedTimer t;
        t.start();
        if (!app().store().deals().add(one))
            fail("a deal could not be saved");
        save.push_back(t.nsecsElapsed());
    }

    const auto ratio = [](const std::vector<qint64> &a, const std::vector<qint64> &b) {
        return double(median(a)) / double(median(b));
    };
    std::printf("%-26s %12s %12s %8s %14s\n", "(median of 5; saves of 51)", "bare read ms", "program ms", "ratio",
                "goal");
    std::printf("%-26s %12.1f %12.1f %8.2f %14s %s\n", "product list open", ms(median(listBare)), ms(median(list)),
                ratio(list, listBare), "ratio <= 2", met(ratio(list, listBare) <= 2));
    std::printf("%-26s %12.1f %12.1f %8.2f %14s %s\n", "worksheet open", ms(median(sheetBare)), ms(median(sheet)),
                ratio(sheet, sheetBare), "ratio <= 3", met(ratio(sheet, sheetBare) <= 3));
    std::printf("%-26s %12s %12.2f %8s %14s\n", "template load", "", ms(median(load)), "", "(files: < 20 ms)");
    std::printf("%-26s %12.1f %12.1f %8.2f %14s %s\n", "history open", ms(median(historyBare)), ms(median(history)),
                ratio(history, historyBare), "ratio <= 2", met(ratio(history, historyBare) <= 2));
    std::printf("%-26s %12s %12.1f %8s %14s %s\n", "report over all deals", "", ms(median(report)), "", "< 1000 ms",
                met(median(report) < 1000000000));
    std::printf("%-26s %12s %12.2f %8s %14s %s\n", "saving a deal", "", ms(median(save)), "", "< 20 ms",
                met(median(save) < 20000000));
    std::fflush(stdout);
    return failures() == 0 ? 0 : 1;
}
