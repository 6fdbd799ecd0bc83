#include "core/store/productrepository.h"

#include "core/deal/deal.h"
#include "core/money/numbers.h"
#include "core/store/database.h"
#include "core/store/storeevents.h"
#include "core/text/storedtext.h"

#include <QSqlQuery>
#include <QStringList>

namespace {
const QString kOrder = QStringLiteral(" order by aftermarketname, cost, msrp");

QString placeholders(qsizetype count) {
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1Char(','));
}

QVariantList bindList(const QVector<qint64> &values) {
    QVariantList binds;
    binds.reserve(values.size());
    for (qint64 v : values)
        binds << v;
    return binds;
}

QString text(const QSqlQuery &q, int column) { return storedtext::trimBlanks(q.value(column).toString()); }
double number(const QSqlQuery &q, int column) { return numbers::fromField(q.value(column)); }

// Columns: rowid, id, aftermarketname, cost, msrp.
StoredProduct brief(const QSqlQuery &q) {
    StoredProduct s;
    s.record = q.value(0).toLongLong();
    s.product.id = number(q, 1);
    s.product.name = text(q, 2);
    s.product.cost = number(q, 3);
    s.product.msrp = number(q, 4);
    return s;
}

const QString kWhole = QStringLiteral("select rowid, id, aftermarketname, cost, msrp, description, htmlpath, "
                                      "picturepath, installer, phone, notes from [table]");

// Columns as kWhole selects them.
StoredProduct whole(const QSqlQuery &q) {
    StoredProduct s = brief(q);
    s.product.description = text(q, 5);
    s.product.htmlpath = text(q, 6);
    s.product.picturepath = text(q, 7);
    s.product.installer = text(q, 8);
    s.product.phone = text(q, 9);
    s.product.notes = text(q, 10);
    return s;
}

QVariantList fields(const Product &p) {
    return {storedNumber(p.id),
            storedtext::trimBlanks(p.name),
            p.cost,
            p.msrp,
            storedtext::trimBlanks(p.htmlpath),
            storedtext::trimBlanks(p.picturepath),
            storedtext::trimBlanks(p.installer),
            storedtext::trimBlanks(p.phone),
            storedtext::trimBlanks(p.notes)};
}
const QString kInsert = QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp, htmlpath, picturepath, "
                                       "installer, phone, notes, description) values (?,?,?,?,?,?,?,?,?,?)");

// Values as kInsert takes them; an empty description is stored as none.
QVariantList insertValues(const Product &product) {
    const QString description = storedtext::trimBlanks(product.description);
    QVariantList values = fields(product);
    values << (description.isEmpty() ? QVariant() : QVariant(description));
    return values;
}
} // namespace

QVector<StoredProduct> ProductRepository::listed() const {
    QVector<StoredProduct> rows;
    m_db.select(QStringLiteral("select rowid, id, aftermarketname, cost, msrp, installer, phone, notes, description "
                               "from [table] where id>0") +
                    kOrder,
                {}, [&rows](const QSqlQuery &q) {
                    StoredProduct s = brief(q);
                    s.product.installer = text(q, 5);
                    s.product.phone = text(q, 6);
                    s.product.notes = text(q, 7);
                    s.product.description = text(q, 8);
                    rows.append(std::move(s));
                });
    return rows;
}

QVector<StoredProduct> ProductRepository::catalogue() const {
    QVector<StoredProduct> rows;
    m_db.select(QStringLiteral("select rowid, id, aftermarketname, cost, msrp from [table]") + kOrder, {},
                [&rows](const QSqlQuery &q) { rows.append(brief(q)); });
    return rows;
}

QVector<Product> ProductRepository::all() const {
    QVector<Product> products;
    m_db.select(kWhole + kOrder, {}, [&products](const QSqlQuery &q) { products.append(whole(q).product); });
    return products;
}

QVector<StoredProduct> ProductRepository::withIds(const QVector<qint64> &ids) const {
    QVector<StoredProduct> rows;
    if (ids.isEmpty())
        return rows;
    m_db.select(QStringLiteral("select rowid, id, aftermarketname, cost, msrp from [table] where id in (%1) "
                               "order by rowid")
                    .arg(placeholders(ids.size())),
                bindList(ids), [&rows](const QSqlQuery &q) { rows.append(brief(q)); });
    return rows;
}

QHash<qint64, double> ProductRepository::idsOf(const QVector<qint64> &records) const {
    QHash<qint64, double> ids;
    if (records.isEmpty())
        return ids;
    m_db.select(QStringLiteral("select rowid, id from [table] where rowid in (%1)").arg(placeholders(records.size())),
                bindList(records), [&ids](const QSqlQuery &q) { ids.insert(q.value(0).toLongLong(), number(q, 1)); });
    return ids;
}

QHash<qint64, Product> ProductRepository::firstWithIds(const QVector<qint64> &ids) const {
    QHash<qint64, Product> found;
    if (ids.isEmpty())
        return found;
    m_db.select(kWhole + QStringLiteral(" where id in (%1) order by rowid").arg(placeholders(ids.size())),
                bindList(ids), [&found](const QSqlQuery &q) {
                    const StoredProduct s = whole(q);
                    const auto id = static_cast<qint64>(s.product.id);
                    if (!found.contains(id))
                        found.insert(id, s.product);
                });
    return found;
}

bool ProductRepository::namesIgnoreCase() const { return m_db.ordersNoCase(QStringLiteral("aftermarketname")); }

std::optional<Product> ProductRepository::load(qint64 record) const {
    std::optional<Product> found;
    m_db.select(kWhole + QStringLiteral(" where rowid=?"), {record},
                [&found](const QSqlQuery &q) { found = whole(q).product; });
    return found;
}

StoreOutcome ProductRepository::store(qint64 record, const Product &product, std::optional<Product> &read) {
    QVariantList values = fields(product);
    const QString description = storedtext::trimBlanks(product.description);
    QString sets = QStringLiteral("id=?, aftermarketname=?, cost=?, msrp=?, htmlpath=?, picturepath=?, installer=?, "
                                  "phone=?, notes=?");
    if (!description.isEmpty()) {
        sets += QStringLiteral(", description=?");
        values << description;
    }
    values << record;
    const StoreOutcome outcome = m_db.storeUnchanged<Product>(
        kWhole + QStringLiteral(" where rowid=?"), record, [](const QSqlQuery &q) { return whole(q).product; },
        [&] {
            return m_db.exec(QStringLiteral("update [table] set %1 where rowid=?").arg(sets), values) &&
                   m_db.announce(announced::products);
        },
        read);
    if (outcome == StoreOutcome::Stored)
        emit m_events.productsChanged();
    return outcome;
}

std::optional<qint64> ProductRepository::add(const Product &product) {
    qint64 record = 0;
    if (!m_db.announced(announced::products,
                        [&] { return m_db.exec(kInsert, insertValues(product), nullptr, &record); }))
        return std::nullopt;
    emit m_events.productsChanged();
    return record;
}

bool ProductRepository::addAll(const QVector<Product> &products) {
    if (!m_db.beginImmediate())
        return false;
    if (!m_db.execEach(kInsert, products.size(), [&products](qsizetype i) { return insertValues(products.at(i)); }) ||
        !m_db.announce(announced::products) || !m_db.commit()) {
        m_db.rollback();
        return false;
    }
    emit m_events.productsChanged();
    return true;
}

bool ProductRepository::remove(qint64 record) {
    if (!m_db.announced(announced::products,
                        [&] { return m_db.exec(QStringLiteral("delete from [table] where rowid=?"), {record}); }))
        return false;
    emit m_events.productsChanged();
    return true;
}

std::unique_ptr<RecordWalk<Product>> ProductRepository::walk(QVector<qint64> records, int position) {
    return std::make_unique<RecordWalk<Product>>(*this, std::move(records), position);
}

void takeCatalogueTexts(Deal &deal, const ProductRepository &products) {
    QVector<qint64> ids;
    for (const Package &package : deal.packages)
        for (const SlotProduct &slot : package.products)
            if (slot.offered() && slot.id < 9.0e15)
                ids << static_cast<qint64>(slot.id);
    const QHash<qint64, Product> found = products.firstWithIds(ids);
    for (Package &package : deal.packages) {
        for (SlotProduct &slot : package.products) {
            if (!slot.offered())
                continue;
            const auto it = slot.id < 9.0e15 ? found.constFind(static_cast<qint64>(slot.id)) : found.constEnd();
            if (it == found.constEnd() || it->id != slot.id)
                continue;
            slot.name = it->name;
            slot.description = it->description;
            slot.page = it->htmlpath;
        }
    }
}
