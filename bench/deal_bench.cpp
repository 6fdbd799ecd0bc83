// The deal worksheet: opening it (catalogue into the slots, templates into "Vehicle Default:") and
// loading one template, each beside a bare read of the catalogue query in the same run, on catalogues
// of 1,000, 10,000 and 100,000 products in a temporary program folder.

#include "bench.h"

#include "app/firststart.h"
#include "app/module1.h"
#include "app/windows.h"
#include "data/database.h"
#include "data/schema.h"
#include "deal/makedeal.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
int failures = 0;

void fillCatalogue(int n) {
    QRandomGenerator random(20240705u + quint32(n));
    const char *kinds[] = {"Paint Protection", "Window Tint", "Service Contract", "GAP Insurance", "Tire & Wheel",
                           "Key Replacement", "Dent Repair", "Remote Start", "Anti-Theft Etch", "Ceramic Coating"};
    Database &db = Module1::dbproducts;
    db.beginImmediate();
    QSqlQuery q(db.handle());
    q.prepare(QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp, description, htmlpath, picturepath, "
                             "installer, phone, notes) values (?,?,?,?,?,?,'','','','')"));
    for (int i = 1; i <= n; ++i) {
        const double cost = random.bounded(5000, 100000) / 100.0;
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("%1 %2").arg(QLatin1String(kinds[random.bounded(10)])).arg(random.bounded(n), 6, 10, QLatin1Char('0')));
        q.addBindValue(cost);
        q.addBindValue(cost + random.bounded(0, 200000) / 100.0);
        q.addBindValue(QStringLiteral("Covers what the factory warranty does not, for five years or 60,000 miles."));
        q.addBindValue(QStringLiteral("webpages/product%1.html").arg(i));
        if (!q.exec()) {
            std::printf("could not store product %d\n", i);
            ++failures;
            break;
        }
    }
    q.finish();
    db.commit();

    // One template whose forty slots reach across the whole catalogue, among a few dozen others.
    QStringList names{QStringLiteral("id"), QStringLiteral("vehiclename"), QStringLiteral("notes")};
    for (int k = 0; k < 40; ++k)
        names << schema::slotField(k / 10, k % 10);
    QStringList marks;
    for (int i = 0; i < names.size(); ++i)
        marks << QStringLiteral("?");
    const QString insert = QStringLiteral("insert into [table] (%1) values (%2)").arg(names.join(','), marks.join(','));
    for (int t = 1; t <= 30; ++t) {
        QVariantList values{t, t == 1 ? QStringLiteral("All New Vehicles") : QStringLiteral("Template %1").arg(t), QString()};
        for (int k = 0; k < 40; ++k)
            values << 1 + int((qint64(k) * n / 40 + t) % n);
        Module1::dbvehicles.exec(insert, values);
    }
}

qint64 bareRead(int *rows) {
    QElapsedTimer t;
    t.start();
    QSqlQuery q(Module1::dbproducts.handle());
    q.setForwardOnly(true);
    q.exec(QStringLiteral("Select * from [table] order by aftermarketname, cost, msrp"));
    const int columns = q.record().count();
    std::vector<QVariant> values;
    int n = 0;
    while (q.next()) {
        for (int c = 0; c < columns; ++c)
            values.push_back(q.value(c));
        ++n;
    }
    q.finish();
    *rows = n;
    return t.nsecsElapsed();
}

// From "Create Deal for Customer" until the worksheet is on screen with the catalogue in its slots.
qint64 openWorksheet(makedeal **out) {
    QElapsedTimer t;
    t.start();
    makedeal *w = SingleWindow<makedeal>::instance();
    w->show();
    QApplication::processEvents();
    *out = w;
    return t.nsecsElapsed();
}

// Choosing the template until every slot and total shows it.
qint64 loadTemplate(makedeal *w) {
    auto *templates = w->findChild<QComboBox *>(QStringLiteral("vehicledefault"));
    const int entry = templates->findText(QStringLiteral("All New Vehicles"));
    QElapsedTimer t;
    t.start();
    templates->setCurrentIndex(entry);
    emit templates->activated(entry);
    QApplication::processEvents();
    return t.nsecsElapsed();
}

void closeWorksheet() {
    SingleWindow<makedeal>::unload();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

qint64 median(std::vector<qint64> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(qint64 ns) { return double(ns) / 1e6; }
} // namespace

int bench::deal() {
    failures = 0;
    setDatabaseErrorHandler([](const QString &what) {
        std::printf("database error: %s\n", qPrintable(what));
        ++failures;
    });
    std::printf("%9s %14s %14s %8s %16s   (median of 5 runs each; goals: ratio <= 3 at 100,000, load < 20 ms)\n",
                "products", "bare read ms", "open ms", "ratio", "template load ms");
    for (int n : {1000, 10000, 100000}) {
        QTemporaryDir dir;
        QString why;
        Module1::setProgramFolder(dir.path());
        if (!firststart::createEmptyDataFolder(dir.path(), &why) || !Module1::opendatabases(&why)) {
            std::printf("no program folder: %s\n", qPrintable(why));
            return 1;
        }
        fillCatalogue(n);
        std::vector<qint64> bare, open, load;
        int rows = 0;
        bareRead(&rows); // the file into the page cache for both
        for (int run = 0; run < 5; ++run) {
            bare.push_back(bareRead(&rows));
            makedeal *w = nullptr;
            open.push_back(openWorksheet(&w));
            load.push_back(loadTemplate(w));
            auto *slot = w->findChild<QComboBox *>(QStringLiteral("menu3(9)"));
            if (rows != n || !slot || slot->count() != n + 1 || slot->currentIndex() <= 0) {
                std::printf("expected %d products: read %d, slot offers %d, last slot on entry %d\n", n, rows,
                            slot ? slot->count() - 1 : -1, slot ? slot->currentIndex() : -1);
                ++failures;
            }
            closeWorksheet();
        }
        const qint64 b = median(bare), o = median(open), l = median(load);
        std::printf("%9d %14.1f %14.1f %8.2f %16.2f\n", n, ms(b), ms(o), double(o) / double(b), ms(l));
        std::fflush(stdout);
        Module1::closedatabases();
    }
    Module1::setProgramFolder(QString());
    return failures == 0 ? 0 : 1;
}
