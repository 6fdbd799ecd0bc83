// The template editor: its creation (the catalogue into the shared slot model, forty slots) and one
// template load, each beside a bare read of the catalogue query in the same run, on catalogues of
// 1,000, 10,000 and 100,000 products in a temporary program folder. The last column loads a template
// naming a product stored after the editor was created, which makes the slot model take it in.

#include "bench.h"

#include "app/firststart.h"
#include "app/module1.h"
#include "app/windows.h"
#include "data/database.h"
#include "data/recordset.h"
#include "data/schema.h"
#include "packages/editvehicle.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
int failures = 0;

const char *const kLines[] = {"Paint Sealant", "Fabric Guard", "Window Film", "Wheel Locks", "Road Hazard",
                              "Extended Service", "Theft Deterrent", "Bedliner", "Splash Guards", "Door Edge Guard"};

bool storeProducts(int first, int last, int n) {
    Database &db = Module1::dbproducts;
    db.beginImmediate();
    QSqlQuery q(db.handle());
    q.prepare(QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp, description, htmlpath, picturepath, "
                             "installer, phone, notes) values (?,?,?,?,?,?,'','','','')"));
    bool ok = true;
    for (int i = first; i <= last && ok; ++i) {
        const double cost = 25 + (i * 7919 % 90000) / 100.0;
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("%1 %2").arg(QLatin1String(kLines[i % 10])).arg((i * 104729) % n, 6, 10, QLatin1Char('0')));
        q.addBindValue(cost);
        q.addBindValue(cost * 2.5);
        q.addBindValue(QStringLiteral("Protects the finish against sun, salt and bird droppings for as long as you own the car."));
        q.addBindValue(QStringLiteral("webpages/item%1.html").arg(i));
        ok = q.exec();
    }
    q.finish();
    db.commit();
    if (!ok) {
        std::printf("could not store the products\n");
        ++failures;
    }
    return ok;
}

void storeTemplate(int id, const QString &name, const std::vector<int> &products) {
    QStringList fields{QStringLiteral("id"), QStringLiteral("vehiclename"), QStringLiteral("notes")};
    QStringList marks{QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("?")};
    QVariantList values{id, name, QString()};
    for (int k = 0; k < 40; ++k) {
        fields << schema::slotField(k / 10, k % 10);
        marks << QStringLiteral("?");
        values << products[size_t(k)];
    }
    Module1::dbvehicles.exec(
        QStringLiteral("insert into [table] (%1) values (%2)").arg(fields.join(','), marks.join(',')), values);
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

// From the first opening until the editor is on screen with the catalogue in its slots.
qint64 createEditor(editvehicle **out) {
    QElapsedTimer t;
    t.start();
    editvehicle *w = SingleWindow<editvehicle>::instance();
    w->show();
    QApplication::processEvents();
    *out = w;
    return t.nsecsElapsed();
}

// Opening a picked template until every slot and total shows it.
qint64 loadTemplate(editvehicle *w, int id) {
    RecordSetPtr rs =
        RecordSet::openQuery(Module1::dbvehicles, QStringLiteral("select * from [table] where id = ?"), {id});
    QElapsedTimer t;
    t.start();
    w->openPicked(rs);
    QApplication::processEvents();
    return t.nsecsElapsed();
}

// Opening one slot's list, as a click on its drop-down does.
qint64 openSlotList(editvehicle *w) {
    auto *box = w->findChild<QComboBox *>(QStringLiteral("menu1(4)"));
    QElapsedTimer t;
    t.start();
    box->showPopup();
    QApplication::processEvents();
    const qint64 ns = t.nsecsElapsed();
    box->hidePopup();
    QApplication::processEvents();
    return ns;
}

void dropEditor() {
    SingleWindow<editvehicle>::unload();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

qint64 median(std::vector<qint64> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(qint64 ns) { return double(ns) / 1e6; }
} // namespace

int bench::packages() {
    failures = 0;
    setDatabaseErrorHandler([](const QString &what) {
        std::printf("database error: %s\n", qPrintable(what));
        ++failures;
    });
    std::printf("%9s %13s %13s %7s %17s %17s %14s   (median of 5; goals: ratio <= 3 at 100,000, load < 20 ms)\n",
                "products", "bare read ms", "creation ms", "ratio", "template load ms", "late product ms",
                "slot list ms");
    for (int n : {1000, 10000, 100000}) {
        QTemporaryDir dir;
        QString why;
        Module1::setProgramFolder(dir.path());
        if (!firststart::createEmptyDataFolder(dir.path(), &why) || !Module1::opendatabases(&why)) {
            std::printf("no program folder: %s\n", qPrintable(why));
            return 1;
        }
        if (!storeProducts(1, n, n))
            return 1;
        std::vector<int> spread;
        for (int k = 0; k < 40; ++k)
            spread.push_back(1 + int((qint64(k) * n / 40 + 17) % n));
        storeTemplate(1, QStringLiteral("All Models"), spread);

        std::vector<qint64> bare, create, load, late, popup;
        int rows = 0;
        bareRead(&rows); // the file into the page cache for both
        for (int run = 0; run < 5; ++run) {
            bare.push_back(bareRead(&rows));
            editvehicle *w = nullptr;
            create.push_back(createEditor(&w));
            load.push_back(loadTemplate(w, 1));
            popup.push_back(openSlotList(w));
            auto *slot = w->findChild<QComboBox *>(QStringLiteral("menu3id(9)"));
            if (rows != n + run || !slot || slot->count() != n + run + 1 || slot->currentText() != QString::number(spread[39])) {
                std::printf("expected %d products: read %d, slot offers %d, last slot holds %s\n", n + run, rows,
                            slot ? slot->count() - 1 : -1, slot ? qPrintable(slot->currentText()) : "-");
                ++failures;
            }
            // A product stored after the editor was made, named by a template in its first slot.
            const int added = n + 1 + run;
            storeProducts(added, added, n);
            std::vector<int> withLate = spread;
            withLate[0] = added;
            storeTemplate(100 + run, QStringLiteral("Late %1").arg(run), withLate);
            late.push_back(loadTemplate(w, 100 + run));
            auto *first = w->findChild<QComboBox *>(QStringLiteral("menu0id(0)"));
            if (!first || first->currentText() != QString::number(added)) {
                std::printf("the late product %d was not found\n", added);
                ++failures;
            }
            dropEditor();
        }
        const qint64 b = median(bare), c = median(create);
        std::printf("%9d %13.1f %13.1f %7.2f %17.2f %17.2f %14.2f\n", n, ms(b), ms(c), double(c) / double(b),
                    ms(median(load)), ms(median(late)), ms(median(popup)));
        std::fflush(stdout);
        Module1::closedatabases();
    }
    Module1::setProgramFolder(QString());
    return failures == 0 ? 0 : 1;
}
