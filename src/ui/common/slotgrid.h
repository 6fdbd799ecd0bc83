#pragma once
// The slot grid: forty product slots (four packages of ten) on one shared catalogue model.
// Written once; used by the template editor and the deal worksheet.
//
// A window owns one SlotGrid, creates the forty slots as children of the widgets that hold them and
// places the four drop-downs itself (the two windows lay them out differently). The boxes are named
// `menuP(S)`, `menuPid(S)`, `menuPcost(S)`, `menuPmsrp(S)`; the id box is always hidden, and the cost
// and MSRP boxes follow their product box and cannot be chosen on their own. `slotChanged(p, s)` is
// emitted after every change of a slot's entry. `populate()` reads the catalogue in and `refresh()` again; slots loaded
// from stored ids run short queries of their own and never touch what an editor stores into. A
// product that no longer exists (or 0) loads as "NONE"; one added after the model was filled is
// fetched into it, where the catalogue's own order puts it.

#include "core/deal/deal.h"
#include "core/store/packagetemplate.h"
#include "core/store/productrepository.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>
#include <array>

class QStyle;

// The catalogue as the slot lists offer it: row 0 "NONE", rows 1..N the products.
class CatalogueModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name = 0, Id = 1, Cost = 2, Msrp = 3, ColumnCount = 4 };

    explicit CatalogueModel(ProductRepository &products, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QString text(int row, int column) const;
    // The product of a row as a slot shows it (an empty slot for row 0 or no row).
    SlotProduct slotProduct(int row) const;
    // Reads the catalogue into the model (again when filled before); products that come while the model
    // is in use are taken in one by one. Returns how many rows were filled.
    int fill();
    // The first row whose id is `id` (row 0 for 0), or -1.
    int rowOfId(qint64 id) const;
    // The row showing the stored record `rowid` while it holds product `id`, or -1. (SQLite may give
    // a deleted record's rowid to a new one, so the rowid alone does not name a product.)
    int rowOfRecord(qint64 rowid, qint64 id) const;
    qint64 rowidAt(int row) const;

    // Inserts these products, each where the catalogue order puts it, without reading the catalogue.
    void takeIn(const QVector<StoredProduct> &products);

private:
    struct Product {
        QString name, id, cost, msrp;
        qint64 rowid = 0;
    };
    static Product fromStored(const StoredProduct &stored);
    void rebuildIndex();
    void indexRow(int row);
    static qint64 idKey(const QString &idText);
    bool before(const Product &a, const Product &b) const;

    ProductRepository &m_products;
    bool m_namesIgnoreCase;
    QVector<Product> m_rows;
    QHash<qint64, int> m_rowOfId;                    // product id -> first row holding it
    QHash<QPair<qint64, qint64>, int> m_rowOfRecord; // (rowid, id) -> row
};

// A drop-down of a slot. A following box (cost or MSRP shown in the worksheet) moves only with its
// product box.
class SlotBox : public QComboBox {
    Q_OBJECT
public:
    SlotBox(bool follower, QStyle *dropDownStyle, QWidget *parent);
    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_follower;
};

struct SlotBoxes {
    SlotBox *product = nullptr; // menuP(S)
    SlotBox *id = nullptr;      // menuPid(S), hidden
    SlotBox *cost = nullptr;    // menuPcost(S)
    SlotBox *msrp = nullptr;    // menuPmsrp(S)
};

class SlotGrid : public QObject {
    Q_OBJECT
public:
    enum class Figures { Hidden, Shown };

    SlotGrid(ProductRepository &products, QObject *parent);

    CatalogueModel *model() const { return m_model; }

    // Creates slot (p, s)'s four boxes as children of `parent`; the caller places them.
    const SlotBoxes &createSlot(int p, int s, QWidget *parent, Figures figures);
    const SlotBoxes &boxes(int p, int s) const { return m_slots[index(p, s)]; }

    // Reads the catalogue in (afresh when called again); every slot then shows its initial texts ("None", "0", "0",
    // "0") with no entry chosen, which counts as empty. Returns the number of products.
    int populate();
    // Reads the catalogue in afresh and keeps every slot on the product it shows (prices as stored now);
    // a slot whose product has gone shows "NONE". Emits slotChanged for each slot that shows a product.
    void refresh();

    // Puts slot (p, s) on entry `row` (its hidden boxes follow), then emits slotChanged.
    void pick(int p, int s, int row);
    void setNone(int p, int s) { pick(p, s, 0); }
    // Loads every slot from a template's stored product ids.
    void loadTemplate(const PackageTemplate &t);

    QString idText(int p, int s) const;
    // The id to store for the slot: the number in its id text, 0 when empty.
    double productId(int p, int s) const;
    // The product a slot shows, and a package of ten slots as they show them.
    SlotProduct slotProduct(int p, int s) const;
    Package package(int p) const;

    static int index(int p, int s) { return p * menu::Slots + s; }

signals:
    void slotChanged(int p, int s);

private:
    // What a box shows: its entry, or its initial text while no entry is chosen.
    static QString shown(const SlotBox *box, const QString &initial);
    // `values` holds menu0_0 .. menu3_9 in that order.
    void loadSlots(const std::array<double, menu::AllSlots> &values);

    ProductRepository &m_products;
    CatalogueModel *m_model;
    QStyle *m_dropDownStyle;
    std::array<SlotBoxes, menu::AllSlots> m_slots{};
};
