// Writing the catalogue as CSV and reading it back, in memory and through a file, for 1,000 to 100,000
// products with realistic texts (some holding commas, quotes and line breaks); then the product list's
// export and import as they run through the store: every product read and written to a file, and a file
// read and added to an empty catalogue under new ids in one transaction.

#include "bench.h"
#include "benchsupport.h"

#include "app/application.h"
#include "core/store/database.h"
#include "core/store/productcsv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {
QVector<Product> makeProducts(int n) {
    QVector<Product> products;
    products.reserve(n);
    for (int i = 1; i <= n; ++i) {
        Product p;
        p.id = i;
        // Whole cents, as amounts typed into the program are: those come back exactly.
        const qint64 cents = 2500 + qint64(i) * 7919 % 90000;
        p.name =
            QStringLiteral("%1 %2").arg(QLatin1String(bench::productLines[i % 10])).arg(i, 6, 10, QLatin1Char('0'));
        if (i % 11 == 0)
            p.name += QStringLiteral(" 20\" Wheels");
        if (i % 13 == 0)
            p.name += QStringLiteral(" – Größe XL");
        p.cost = double(cents) / 100.0;
        p.msrp = double(cents * 5 / 2) / 100.0;
        p.description = QStringLiteral("Covers what the factory warranty does not, for five years or 60,000 miles, "
                                       "with roadside help and a rental car while the vehicle is repaired.");
        p.htmlpath = QStringLiteral("webpages/product%1.html").arg(i);
        p.installer = QLatin1String(bench::installers[i % 5]);
        p.phone = QStringLiteral("555-%1").arg(i % 10000, 4, 10, QLatin1Char('0'));
        if (i % 3 == 0)
            p.notes = QStringLiteral("Ask for the extended term.\r\nInstall within 30 days of delivery.");
        products.append(p);
    }
    return products;
}

template <typename F> qint64 timed(F f) {
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed();
}

qint64 count(Database &db, const QString &sql) {
    qint64 n = -1;
    db.select(sql, {}, [&n](const QSqlQuery &q) { n = q.value(0).toLongLong(); });
    return n;
}

// Export and import through the store, each on its own catalogue of n products.
void exchange(const QString &folder) {
    using namespace bench;
    std::printf("\nthrough the store:\n%9s %12s %12s   (median of 3; goal: each under 3000 ms at 100,000)\n",
                "products", "export ms", "import ms");
    const QString path = QDir(folder).filePath(QStringLiteral("exchange.csv"));
    for (int n : {1000, 10000, 100000}) {
        std::vector<qint64> exports, imports;
        {
            Folder from;
            storeProducts(1, n, n);
            for (int run = 0; run < 3; ++run)
                exports.push_back(timed([&] {
                    QString why;
                    if (!productcsv::writeFile(path, from.app().store().products().all(), &why))
                        fail(qPrintable(QStringLiteral("could not export: ") + why));
                }));
        }
        for (int run = 0; run < 3; ++run) {
            Folder to;
            Store &store = to.app().store();
            imports.push_back(timed([&] {
                const productcsv::ReadResult read = productcsv::readFile(path);
                if (!read.ok() || !store.addProducts(read.products).stored)
                    fail("the import stored nothing");
            }));
            if (count(store.productsFile(), QStringLiteral("select count(*) from [table]")) != n ||
                store.settings().read().productCounter != n)
                fail("the import did not store every product under its own id");
        }
        std::printf("%9d %12.1f %12.1f\n", n, ms(median(exports)), ms(median(imports)));
        std::fflush(stdout);
    }
}
} // namespace

int bench::csv() {
    using namespace bench;
    failures() = 0;
    std::printf("%9s %9s %12s %12s %12s %12s   (median of 3; goal: each under 3000 ms at 100,000)\n", "products", "MB",
                "write ms", "read ms", "to file ms", "from file ms");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("catalogue.csv"));
    for (int n : {1000, 10000, 100000}) {
        QVector<Product> products = makeProducts(n);
        std::vector<qint64> write, read, toFile, fromFile;
        QByteArray bytes;
        productcsv::ReadResult back;
        for (int run = 0; run < 3; ++run) {
            write.push_back(timed([&] { bytes = productcsv::write(products); }));
            read.push_back(timed([&] { back = productcsv::read(bytes); }));
            QString why;
            toFile.push_back(timed([&] {
                if (!productcsv::writeFile(path, products, &why))
                    fail(qPrintable(QStringLiteral("could not write the file: ") + why));
            }));
            fromFile.push_back(timed([&] { back = productcsv::readFile(path); }));
        }
        for (Product &p : products)
            p.id = 0;
        if (!back.ok() || back.products != products)
            fail(qPrintable(QStringLiteral("the products read back differ: ") +
                            productcsv::problemsMessage(back.problems)));
        std::printf("%9d %9.1f %12.1f %12.1f %12.1f %12.1f\n", n, double(bytes.size()) / 1e6, ms(median(write)),
                    ms(median(read)), ms(median(toFile)), ms(median(fromFile)));
        std::fflush(stdout);
    }
    exchange(dir.path());
    return failures() == 0 ? 0 : 1;
}
