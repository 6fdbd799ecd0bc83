// A robustness run of the catalogue import over generated CSV texts and of the store over damaged data files,
// from a fixed seed. A plain run takes a tenth of the counts (see CONTRIBUTING for the full run).

#include "core/store/productcsv.h"
#include "core/store/schema.h"
#include "coresupport.h"
#include "dealfixture.h"

#include <QtTest>

#include <random>

using namespace coretest;

namespace {
double scale() {
    const double s = qEnvironmentVariable("QUORVEL_FUZZ_SCALE", QStringLiteral("0.1")).toDouble();
    return s > 0 ? s : 0.1;
}
qint64 scaled(qint64 count) { return qMax<qint64>(1, qint64(double(count) * scale())); }

class Inputs {
public:
    explicit Inputs(quint64 seed) : m_rng(seed) {}
    int below(qsizetype n) { return n > 0 ? int(m_rng() % quint64(n)) : 0; }
    bool chance(int percent) { return below(100) < percent; }

    // Texts an export writes with care: commas, quotes, line breaks and tabs (at either end too, but for a name),
    // formulas, apostrophes, letters of two, three and four bytes.
    QString text(bool required) {
        static const QStringList parts = QStringLiteral("Tint|GAP|Etch|,|\"|\r\n|=1+2|-5|@x|'|''=|\u00e9|\u4e2d|a b|"
                                                        "Service Contract|\t|+|12.50|\"\"|\U0001F697")
                                             .split(QLatin1Char('|'));
        QString t;
        for (int i = required ? 1 + below(4) : below(3); i > 0; --i)
            t += parts.at(below(parts.size()));
        return !required ? t : t.trimmed().isEmpty() ? QStringLiteral("Etch") : t.trimmed();
    }
    // Whole cents, now and then the largest amount a file keeps.
    double amount() { return chance(10) ? 0.0 : chance(2) ? 9999999999999.99 : double(below(100000000)) / 100.0; }
    QVector<Product> products() {
        QVector<Product> list(below(8));
        for (Product &p : list) // drawn in the order of the fields
            p = {0, text(true), amount(), amount(), text(false), text(false), {}, text(false), {}, text(false)};
        return list;
    }
    // Bytes flipped, pieces a reader trips on put in or taken out, the end cut off, now and then a huge field.
    void mutate(QByteArray &b) {
        static const QList<QByteArray> pieces{"\"",   ",",    "\r",   "\n",   QByteArray(1, '\0'), "\xef\xbb\xbf",
                                              "\xff", "\xc3", "\"\"", "\r\n", "aftermarketname,",  "-1",
                                              "1e999"};
        for (int i = 1 + below(4); i > 0; --i) {
            const int at = below(b.size() + 1), kind = below(6);
            if (kind == 0 && at < b.size())
                b[at] = char(b[at] ^ (1 << below(8)));
            else if (kind == 1 || kind == 2)
                b.insert(at, pieces.at(below(pieces.size())));
            else if (kind == 3)
                b.remove(at, 1 + below(20));
            else if (kind == 4)
                b.truncate(at);
            else if (kind == 5 && chance(2))
                b.insert(at, QByteArray(below(2) ? "\"" : "") + QByteArray(100000 + below(400000), 'x'));
            else if (kind == 5)
                b.insert(at, b.mid(below(b.size()), below(60)));
        }
    }
    // A damaged copy of a data file and what was done to it.
    QString damage(QByteArray &b) {
        const int kind = below(3);
        if (kind == 0) {
            const int flips = 1 + below(16);
            for (int i = 0; i < flips; ++i) {
                const int at = below(b.size());
                b[at] = char(b[at] ^ (1 << below(8)));
            }
            return QStringLiteral("%1 bytes flipped").arg(flips);
        }
        if (kind == 1) {
            b.truncate(below(b.size()));
            return QStringLiteral("cut to %1 bytes").arg(b.size());
        }
        const int page = below((b.size() + 4095) / 4096);
        const qsizetype from = qsizetype(page) * 4096, length = qMin<qsizetype>(4096, b.size() - from);
        b.replace(from, length, QByteArray(length, 0));
        return QStringLiteral("page %1 zeroed").arg(page);
    }

private:
    std::mt19937_64 m_rng;
};

QStringList names(const QVector<Product> &products) {
    QStringList out;
    for (const Product &p : products)
        out << p.name;
    out.sort(); // the catalogue lists its own order
    return out;
}
} // namespace

class DataFilesTest : public QObject {
    Q_OBJECT
    quint64 m_seed = 20261207;

private slots:
    void initTestCase() {
        bool ok = false;
        const quint64 seed = qEnvironmentVariable("QUORVEL_FUZZ_SEED").toULongLong(&ok, 0);
        m_seed = ok ? seed : m_seed;
        qInfo("seed %llu, counts x %g", m_seed, scale());
    }

    // Every file reads as its products or as problems naming its lines; an export unchanged reads back whole;
    // an import (now and then) stores all of it or nothing.
    void catalogueImport() {
        Inputs in(m_seed);
        DataFolder folder;
        QVERIFY(folder.ok());
        const QString file = folder.dataFile(QStringLiteral("import.csv"));
        QElapsedTimer timer;
        timer.start();
        const qint64 count = scaled(1000000);
        for (qint64 n = 0; n < count; ++n) {
            const QVector<Product> written = in.products();
            QByteArray bytes = productcsv::write(written);
            const bool mutated = in.chance(95);
            if (mutated)
                in.mutate(bytes);
            const auto input = [&] {
                return QStringLiteral("input %1: ").arg(n) +
                       QString::fromLatin1(bytes.left(300).toPercentEncoding(" ,"));
            };
            const productcsv::ReadResult read = productcsv::read(bytes);
            // A file of no products is refused as such.
            if (!mutated && (written.isEmpty() ? read.ok() : !read.ok() || read.products != written))
                QFAIL(qPrintable(QStringLiteral("an export does not read back whole, ") + input()));
            const int lines = int(bytes.count('\n') + bytes.count('\r')) + 1;
            if (!read.ok() && !read.products.isEmpty())
                QFAIL(qPrintable(QStringLiteral("products read besides problems, ") + input()));
            for (const productcsv::Problem &p : read.problems)
                if (p.line < 0 || p.line > lines || productcsv::problemText(p).isEmpty())
                    QFAIL(qPrintable(QStringLiteral("problem at line %1 of %2, ").arg(p.line).arg(lines) + input()));
            for (const Product &p : read.products)
                if (p.name.isEmpty() || !(p.cost >= 0 && p.msrp >= 0 && p.cost < 1e13 && p.msrp < 1e13))
                    QFAIL(qPrintable(QStringLiteral("a product read with no name or a bad amount, ") + input()));
            if (n % 10000 == 0) {
                QVERIFY(writeBytes(file, bytes));
                const QStringList before = names(folder.store().products().all());
                const productcsv::ReadResult imported = productcsv::readFile(file);
                const bool stored = imported.ok() && folder.store().addProducts(imported.products).stored;
                QStringList after = before + (stored ? names(imported.products) : QStringList());
                after.sort();
                QCOMPARE(names(folder.store().products().all()), after);
                QCOMPARE(stored, read.ok());
            }
        }
        qInfo("catalogue CSV %9lld files %7lld ms", count, timer.elapsed());
    }

    // One data file damaged at a time: the store opens and reads all, or refuses naming it and leaves it unwritten.
    void damagedDataFiles() {
        QHash<QString, QByteArray> intact;
        DataFolder made(DataFolder::Content::Samples);
        QVERIFY(made.ok());
        for (int i = 0; i < 3; ++i) {
            DealRecord deal = sampleChoice(i - 1, 0b0101u << i);
            QVERIFY(made.store().deals().add(deal));
        }
        made.store().close();
        for (const QString &file :
             {schema::productsFile(), schema::vehiclesFile(), schema::preferencesFile(), schema::dealsFile()})
            intact[file] = coretest::bytes(made.dataFile(file));
        for (const QString &name : intact.keys())
            damageEach(name, intact);
    }

private:
    void damageEach(const QString &name, const QHash<QString, QByteArray> &intact) {
        Inputs in(m_seed * 0x9e3779b97f4a7c15ULL + qHash(name));
        QTemporaryDir work;
        QDir dir(work.path());
        QElapsedTimer timer;
        timer.start();
        const qint64 count = scaled(10000);
        int opened = 0;
        for (qint64 n = 0; n < count; ++n) {
            for (const QString &left : dir.entryList(QDir::Files))
                QVERIFY(dir.remove(left));
            QByteArray damaged = intact.value(name);
            const QString how = in.damage(damaged);
            for (auto file = intact.cbegin(); file != intact.cend(); ++file)
                QVERIFY(writeBytes(dir.filePath(file.key()), file.key() == name ? damaged : file.value()));
            const QString input = QStringLiteral("copy %1 of %2 (%3)").arg(n).arg(name, how);
            Store store(work.path());
            store.setErrorHandler([](const QString &) {}); // a file failing while read is told, not printed
            QString why;
            if (store.open(&why)) {
                ++opened;
                store.products().all();
                store.templates().listed();
                store.settings().read();
                for (const DealSummary &deal : store.deals().history())
                    store.deals().load(deal.id);
                store.deals().verify();
                continue;
            }
            store.close();
            const bool unchanged = coretest::bytes(dir.filePath(name)) == damaged;
            if (!why.contains(name) || !unchanged)
                QFAIL(qPrintable(input + QStringLiteral(": refused as \"%1\", the file %2")
                                             .arg(why, unchanged ? "unchanged" : "written to")));
        }
        qInfo("%-16s %6lld copies, %6d opened %7lld ms", qPrintable(name), count, opened, timer.elapsed());
    }
};

QTEST_GUILESS_MAIN(DataFilesTest)
#include "datafiles_test.moc"
