#pragma once
// What the benchmark parts share: a temporary program folder with a catalogue of any size, templates,
// a bare read of a query, and the median of several runs.

#include "core/store/serveraddress.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <vector>

#include "app/application.h"
class Database;
struct DealRecord;

namespace bench {

// A fresh program folder with the program started on it; database failures are counted, not fatal.
// With a server (which must be empty), the program's tables are made there and the program uses them.
class Folder {
public:
    explicit Folder(const std::optional<ServerAddress> &server = std::nullopt);
    ~Folder();
    bool ok() const { return m_ok; }
    Application &app() { return *m_app; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_app;
    bool m_ok = false;
};

// The program of the folder made last.
Application &app();

// Failures seen since the part began (database errors, wrong counts); a part returns non-zero on any.
int &failures();
void fail(const char *what);

// Products first..last with realistic names, amounts and texts, in one transaction.
bool storeProducts(int first, int last, int catalogueSize);
// A template whose forty slots hold the given product ids.
void storeTemplate(int id, const QString &name, const std::vector<int> &products);
// Forty ids spread across a catalogue of n products.
std::vector<int> spreadIds(int n, int shift);

// Deal i as a salesperson saves it: `items` products (at most forty), a choice that varies from deal to deal.
DealRecord dealNumber(int i, int items = 20);
// Deals 0..count-1, in batches of one transaction each.
bool storeDeals(int count);
extern const char *const people[5];

// The kinds of product and the installers sample catalogues are made of.
extern const char *const productLines[10];
extern const char *const installers[5];

// A query read with nothing around it: every value of every row fetched (the catalogue's file unless named).
qint64 bareRead(Database &file, const QString &sql, int *rows);
qint64 bareRead(const QString &sql, int *rows);
QString catalogueQuery();

qint64 median(std::vector<qint64> v);
double ms(qint64 ns);
// Lets deferred deletes and pending events run, so the next run starts from nothing.
void settle();

// From opening the window until it is on screen with every row in its grid `grid1`.
template <class W> qint64 openWindow(int *rows) {
    QElapsedTimer t;
    t.start();
    W *w = app().window<W>();
    w->show();
    QApplication::processEvents();
    const qint64 ns = t.nsecsElapsed();
    *rows = w->template findChild<QTableView *>(QStringLiteral("grid1"))->model()->rowCount();
    app().unload<W>();
    settle();
    return ns;
}

} // namespace bench
