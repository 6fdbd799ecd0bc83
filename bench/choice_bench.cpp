// The deal file at 10,000 and 100,000 stored deals (about twenty items each): opening the history
// against a bare read of its rows, the product report over every deal, and saving one more deal.

#include "bench.h"
#include "benchsupport.h"

#include "app/application.h"
#include "ui/history/dealhistory.h"
#include "ui/history/dealreport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTableView>
#include <cstdio>

using bench::app;

int bench::choice() {
    using namespace bench;
    failures() = 0;
    std::printf("%8s %9s %9s %9s %7s %10s %10s %9s %9s %10s   (median of 5; goals at 100,000: history < 1000 ms "
                "and ratio <= 2, report < 1000 ms, save < 50 ms)\n",
                "deals", "items", "bare ms", "history", "ratio", "report ms", "window ms", "one seller", "save ms",
                "verify ms");
    for (int n : {10000, 100000}) {
        Folder folder;
        QElapsedTimer filling;
        filling.start();
        if (!folder.ok() || !storeDeals(n))
            return 1;
        const double fillSeconds = double(filling.elapsed()) / 1000.0;
        int items = 0;
        app().store().dealsFile().select(QStringLiteral("select count(*) from dealitems"), {},
                                         [&items](const QSqlQuery &q) { items = q.value(0).toInt(); });
        std::vector<qint64> bare, history, report, reportWindow, oneSeller, save;
        int rows = 0;
        bench::bareRead(app().store().dealsFile(), DealArchive::historyQuery(),
                        &rows); // the file into the page cache for both
        for (int run = 0; run < 5; ++run) {
            bare.push_back(bench::bareRead(app().store().dealsFile(), DealArchive::historyQuery(), &rows));
            int shown = 0;
            history.push_back(openWindow<DealHistory>(&shown));
            if (rows != n || shown != n)
                fail("the history did not show every deal");
            QElapsedTimer t;
            t.start();
            const ProductReport all = app().store().deals().report({});
            report.push_back(t.nsecsElapsed());
            if (all.deals != n || all.lines.size() != 12)
                fail("the report did not count every deal");
            reportWindow.push_back(openWindow<DealReport>(&shown));
            t.restart();
            const ProductReport seller =
                app().store().deals().report({QDate(), QDate(), QLatin1String(bench::people[0])});
            oneSeller.push_back(t.nsecsElapsed());
            if (seller.deals != n / 5)
                fail("the report for one salesperson counted the wrong deals");
        }
        for (int run = 0; run < 21; ++run) {
            DealRecord one = dealNumber(n + run);
            QElapsedTimer t;
            t.start();
            if (!app().store().deals().add(one))
                fail("a deal could not be saved");
            save.push_back(t.nsecsElapsed());
        }
        // Verify reads every deal and item once; other copies wait to save meanwhile.
        QElapsedTimer verifying;
        verifying.start();
        if (app().store().deals().verify().result != SealCheck::Intact)
            fail("the deals did not verify as intact");
        const qint64 verified = verifying.nsecsElapsed();
        const qint64 b = median(bare), h = median(history);
        std::printf("%8d %9d %9.1f %9.1f %7.2f %10.1f %10.1f %9.1f %9.2f %10.1f   (filled in %.0f s)\n", n, items,
                    ms(b), ms(h), double(h) / double(b), ms(median(report)), ms(median(reportWindow)),
                    ms(median(oneSeller)), ms(median(save)), ms(verified), fillSeconds);
        std::fflush(stdout);
    }
    return failures() == 0 ? 0 : 1;
}
