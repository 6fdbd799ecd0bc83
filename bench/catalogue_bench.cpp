// Opening the product list until its grid holds every row, against a bare read of the same query in
// the same run, on catalogues of 1,000, 10,000 and 100,000 products.

#include "bench.h"
#include "benchsupport.h"

#include "app/application.h"
#include "ui/catalogue/producteditor.h"
#include "ui/catalogue/productgrid.h"
#include "ui/catalogue/productlist.h"
#include "ui/common/geometry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <cstdio>

using bench::app;

namespace {
// From opening the window until it is on screen with every row in its grid.
qint64 openList(int *rows) {
    QElapsedTimer t;
    t.start();
    ProductList *list = app().window<ProductList>();
    list->show();
    QApplication::processEvents();
    const qint64 ns = t.nsecsElapsed();
    *rows = list->gridModel()->rowCount();
    app().unload<ProductList>();
    bench::settle();
    return ns;
}

// From a click on the middle row until the editor shows that product (the editor's record set is read then).
qint64 openEditor(bool *shown) {
    ProductList *list = app().window<ProductList>();
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
    ProductEditor *editor = app().existing<ProductEditor>();
    *shown = editor && editor->findChild<QLineEdit *>(QStringLiteral("aftermarketname"))->text() == name;
    app().unload<ProductEditor>();
    app().unload<ProductList>();
    bench::settle();
    return ns;
}
} // namespace

int bench::catalogue() {
    using namespace bench;
    failures() = 0;
    std::printf("%9s %14s %14s %8s %16s   (median of 5; goal: ratio <= 2 and under 1 s at 100,000)\n", "products",
                "bare read ms", "list open ms", "ratio", "click->editor ms");
    for (int n : {1000, 10000, 100000}) {
        Folder folder;
        if (!folder.ok() || !storeProducts(1, n, n))
            return 1;
        const QString sql = QStringLiteral("select * from [table] where id>0 order by aftermarketname, cost, msrp");
        std::vector<qint64> bare, list;
        int bareRows = 0, gridRows = 0;
        bareRead(sql, &bareRows); // the file into the page cache for both
        for (int run = 0; run < 5; ++run) {
            bare.push_back(bareRead(sql, &bareRows));
            list.push_back(openList(&gridRows));
        }
        if (bareRows != n || gridRows != n)
            fail("the grid did not hold every product");
        bool shown = false;
        const qint64 click = openEditor(&shown);
        if (!shown)
            fail("the editor did not show the clicked product");
        const qint64 b = median(bare), l = median(list);
        std::printf("%9d %14.1f %14.1f %8.2f %16.1f\n", n, ms(b), ms(l), double(l) / double(b), ms(click));
        std::fflush(stdout);
    }
    return failures() == 0 ? 0 : 1;
}
