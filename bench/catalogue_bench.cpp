// Opening the product list until its grid holds every row, against a bare read of the same query in
// the same run, on catalogues of 1,000, 10,000 and 100,000 products in a temporary program folder.

#include "bench.h"

#include "app/firststart.h"
#include "app/module1.h"
#include "app/windows.h"
#include "catalogue/aftermarketlist.h"
#include "catalogue/editform.h"
#include "catalogue/productgrid.h"
#include "data/database.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
int failures = 0;

void fillCatalogue(int n) {
    QRandomGenerator random(20240601u + quint32(n));
    const char *kinds[] = {"Paint Protection", "Window Tint", "Service Contract", "GAP Insurance", "Tire & Wheel",
                           "Key Replacement", "Dent Repair", "Remote Start", "Anti-Theft Etch", "Ceramic Coating"};
    const char *installers[] = {"In-house", "ClearShield Detailing", "Sun Control Tint", "Dealer Warranty Services",
                                "Car Audio Pros"};
    Database &db = Module1::dbproducts;
    db.beginImmediate();
    QSqlQuery q(db.handle());
    q.prepare(QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp, description, htmlpath, picturepath, "
                             "installer, phone, notes) values (?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 1; i <= n; ++i) {
        const double cost = random.bounded(5000, 100000) / 100.0;
        const double msrp = cost + random.bounded(0, 200000) / 100.0;
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("%1 %2").arg(QLatin1String(kinds[random.bounded(10)])).arg(random.bounded(n), 6, 10, QLatin1Char('0')));
        q.addBindValue(cost);
        q.addBindValue(msrp);
        q.addBindValue(QStringLiteral("Covers what the factory warranty does not, for five years or 60,000 miles, "
                                      "with roadside help and a rental car while the vehicle is repaired."));
        q.addBindValue(QStringLiteral("C:\\Quorvel\\webpages\\product%1.html").arg(i));
        q.addBindValue(QStringLiteral(""));
        q.addBindValue(QLatin1String(installers[random.bounded(5)]));
        q.addBindValue(QStringLiteral("555-%1").arg(random.bounded(10000), 4, 10, QLatin1Char('0')));
        q.addBindValue(i % 3 == 0 ? QStringLiteral("Ask for the extended term") : QStringLiteral(""));
        if (!q.exec()) {
            std::printf("could not store product %d\n", i);
            ++failures;
            break;
        }
    }
    q.finish();
    db.commit();
}

// The query read with nothing around it: every column of every row.
qint64 bareRead(const QString &sql, int *rows) {
    QElapsedTimer t;
    t.start();
    QSqlQuery q(Module1::dbproducts.handle());
    q.setForwardOnly(true);
    q.exec(sql);
    const int columns = q.record().count();
    int n = 0;
    qsizetype seen = 0; // every value is fetched and looked at, then dropped
    while (q.next()) {
        for (int c = 0; c < columns; ++c)
            seen += q.value(c).isValid() ? 1 : 0;
        ++n;
    }
    if (seen < 0)
        std::printf("?");
    q.finish();
    const qint64 ns = t.nsecsElapsed();
    *rows = n;
    return ns;
}

// From opening the window until it is on screen with every row in its grid.
qint64 openList(int *rows) {
    QElapsedTimer t;
    t.start();
    aftermarketlist *list = SingleWindow<aftermarketlist>::instance();
    list->show();
    QApplication::processEvents();
    const qint64 ns = t.nsecsElapsed();
    *rows = list->gridModel()->rowCount();
    SingleWindow<aftermarketlist>::unload();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    return ns;
}

// From a click on the middle row until the editor shows that product (the editor's record set is read then).
qint64 openEditor(bool *shown) {
    aftermarketlist *list = SingleWindow<aftermarketlist>::instance();
    list->show();
    QApplication::processEvents();
    auto *grid = list->findChild<QTableView *>(QStringLiteral("grid1"));
    const QModelIndex index = grid->model()->index(grid->model()->rowCount() / 2, 1);
    const QString name = list->gridModel()->cellText(index.row(), 1);
    QElapsedTimer t;
    t.start();
    QMetaObject::invokeMethod(grid, "clicked", Q_ARG(QModelIndex, index));
    QApplication::processEvents();
    const qint64 ns = t.nsecsElapsed();
    editform *editor = SingleWindow<editform>::existing();
    *shown = editor && editor->findChild<QLineEdit *>(QStringLiteral("aftermarketname"))->text() == name;
    SingleWindow<editform>::unload();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    return ns;
}

qint64 median(std::vector<qint64> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(qint64 ns) { return double(ns) / 1e6; }
} // namespace

int bench::catalogue() {
    failures = 0;
    setDatabaseErrorHandler([](const QString &what) {
        std::printf("database error: %s\n", qPrintable(what));
        ++failures;
    });
    std::printf("%9s %14s %14s %8s %16s\n", "products", "bare read ms", "list open ms", "ratio", "click->editor ms");
    for (int n : {1000, 10000, 100000}) {
        QTemporaryDir dir;
        QString why;
        Module1::setProgramFolder(dir.path());
        if (!firststart::createEmptyDataFolder(dir.path(), &why) || !Module1::opendatabases(&why)) {
            std::printf("no program folder: %s\n", qPrintable(why));
            return 1;
        }
        fillCatalogue(n);
        Module1::productlistfirst = true;
        const QString sql = productListQuery();
        std::vector<qint64> bare, list;
        int bareRows = 0, gridRows = 0;
        bareRead(sql, &bareRows); // the file into the page cache for both
        for (int run = 0; run < 5; ++run) {
            bare.push_back(bareRead(sql, &bareRows));
            list.push_back(openList(&gridRows));
        }
        if (bareRows != n || gridRows != n) {
            std::printf("expected %d rows, read %d, grid held %d\n", n, bareRows, gridRows);
            ++failures;
        }
        bool shown = false;
        const qint64 click = openEditor(&shown);
        if (!shown) {
            std::printf("the editor did not show the clicked product\n");
            ++failures;
        }
        const qint64 b = median(bare), l = median(list);
        std::printf("%9d %14.1f %14.1f %8.2f %16.1f\n", n, ms(b), ms(l), double(l) / double(b), ms(click));
        std::fflush(stdout);
        Module1::closedatabases();
    }
    std::printf("bare read: the list's query stepped through with every value fetched; list open: from opening "
                "the window until it is on screen with every row in its grid (medians of 5 runs)\n");
    Module1::setProgramFolder(QString());
    return failures == 0 ? 0 : 1;
}
