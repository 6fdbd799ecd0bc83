#pragma once
// The product catalogue in `products.mdb`.

#include "core/store/product.h"
#include "core/store/recordwalk.h"

#include <QHash>
#include <QVector>
#include <memory>
#include <optional>

class Database;
struct Deal;
class StoreEvents;

// A stored product and the record that holds it.
struct StoredProduct {
    qint64 record = 0;
    Product product;
};

class ProductRepository : public RecordSource<Product> {
public:
    ProductRepository(Database &db, StoreEvents &events) : m_db(db), m_events(events) {}

    // The product list: products with an id above 0, by name, cost and MSRP. Page and picture paths are
    // left out; the description is read for the list's search.
    QVector<StoredProduct> listed() const;
    // The whole catalogue as the slot lists offer it (id 0 included), by name, cost and MSRP; only the
    // id, name, cost and MSRP are read.
    QVector<StoredProduct> catalogue() const;
    // Every stored product whole (id 0 included), by name, cost and MSRP: the catalogue as it is exported.
    QVector<Product> all() const;
    // The products holding these ids (names, costs and MSRPs only), in record order.
    QVector<StoredProduct> withIds(const QVector<qint64> &ids) const;
    // The id each of these records holds now; a record that no longer exists is missing.
    QHash<qint64, double> idsOf(const QVector<qint64> &records) const;
    // For each id, the first stored product holding it, whole.
    QHash<qint64, Product> firstWithIds(const QVector<qint64> &ids) const;
    // Whether names sort without regard to case in this file (new files do; older ones may not).
    bool namesIgnoreCase() const;

    std::optional<Product> load(qint64 record) const override;
    // An empty description leaves the stored one as it was.
    StoreOutcome store(qint64 record, const Product &product, std::optional<Product> &read) override;
    std::optional<qint64> add(const Product &product) override;
    bool remove(qint64 record) override;
    // Stores every product, each with the id it holds, in one transaction: all of them or, when any
    // insert fails, none.
    bool addAll(const QVector<Product> &products);

    // A walk through these records (the list's rows), standing on `position`.
    std::unique_ptr<RecordWalk<Product>> walk(QVector<qint64> records, int position);

private:
    Database &m_db;
    StoreEvents &m_events;
};

// Gives every slot of the deal that offers a product the name, description and page the catalogue holds now
// (the price stays the one the slot shows). A product deleted meanwhile keeps what the slot showed.
void takeCatalogueTexts(Deal &deal, const ProductRepository &products);
