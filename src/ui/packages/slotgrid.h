#pragma once
// The slot grid: forty product slots (four packages of ten) on one shared catalogue model.
// Written once; used by the template editor (`editvehicle`) and the deal worksheet (`makedeal`).
//
// How a window uses it
// --------------------
//   1. Own one SlotGrid (as a child QObject of the window):
//          m_slots = new SlotGrid(this);
//   2. Create the forty slots, each as children of the widget that should hold them, and place
//      the four drop-downs yourself (the two windows lay them out differently):
//          const SlotBoxes &b = m_slots->createSlot(p, s, frame, SlotGrid::Figures::Hidden);
//          ui::place(b.product, 120, 240 + 360 * s, 2295, 315);
//      The boxes are named `menuP(S)`, `menuPid(S)`, `menuPcost(S)`, `menuPmsrp(S)`. The id box is
//      always hidden. Figures::Hidden hides the cost and MSRP boxes too (template editor);
//      Figures::Shown leaves them visible (worksheet): they then follow their product box and
//      cannot be chosen on their own (no popup, no keys, no wheel, no focus).
//   3. Connect `slotChanged(p, s)` to the window's `calculatetotals`. It is emitted after every
//      change of a slot's entry: a user's pick, `pick`, `loadSlot(s)`, `setNone`.
//   4. `populatemenu(window)` once at creation: reopens the shared `rsproducts` on
//      "Select * from [table] order by aftermarketname, cost, msrp", fills the model from it
//      (row 0 "NONE"/"0"/"0"/"0", then every product: name trimmed, id text, cost and MSRP
//      "###0.00") and says "No Aftermarket Records" when the catalogue is empty. All slots then
//      show their initial texts ("None", "0", "0", "0") with no entry chosen; that counts as empty.
//   5. Load a template's slots with `loadSlots(values)` (forty stored values, package by package:
//      menu0_0 .. menu0_9, menu1_0 .. menu3_9) or one slot with `loadSlot(p, s, value)`. The lookup
//      runs its own short queries: it never touches `rsproducts`, `rsvehicles` or any record set an
//      editor holds. A product that no longer exists (or 0) loads as "NONE". A product that exists
//      but was added after the model was filled is fetched into the model first, so it is found.
//   6. Read a slot with `idText`/`costText`/`msrpText` (what its boxes show) or `productId`
//      (the id to store: 0 for "NONE" or no entry).
//
// Nothing here recomputes totals: each window has its own `calculatetotals`.

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>
#include <array>

class RecordSet;

// The catalogue as the slot lists offer it: row 0 "NONE", rows 1..N the products.
class CatalogueModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name = 0, Id = 1, Cost = 2, Msrp = 3, ColumnCount = 4 };

    explicit CatalogueModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QString text(int row, int column) const;
    // Appends every record of `products` (from its first record) as rows; the set's position moves.
    void fill(RecordSet &products);
    // Re-reads the catalogue and inserts the products not yet in the model, each after the product
    // that precedes it in the catalogue order. Rows already there are never removed or reset, so the
    // slots keep their entries. Returns how many rows were inserted.
    int refresh();
    // The first row whose id is `id` (row 0 for 0), or -1.
    int rowOfId(qint64 id) const;
    // The row showing the stored record `rowid` while it holds product `id`, or -1. (SQLite may give
    // a deleted record's rowid to a new one, so the rowid alone does not name a product.)
    int rowOfRecord(qint64 rowid, qint64 id) const;
    qint64 rowidAt(int row) const;

    // A product as stored, for taking single products into the model.
    struct Stored {
        qint64 rowid = 0;
        QString name;
        QVariant id, cost, msrp;
    };
    // Inserts these products, each where the catalogue order puts it, without reading the catalogue.
    void takeIn(const QVector<Stored> &products);

    static QString catalogueQuery();

private:
    struct Product {
        QString name, id, cost, msrp;
        qint64 rowid = 0;
    };
    static Product fromRecord(const QString &name, const QVariant &id, const QVariant &cost, const QVariant &msrp,
                              qint64 rowid);
    void rebuildIndex();
    void indexRow(int row);
    static qint64 idKey(const QString &idText);
    bool before(const Product &a, const Product &b) const;

    QVector<Product> m_rows;
    QHash<qint64, int> m_rowOfId;                    // product id -> first row holding it
    QHash<QPair<qint64, qint64>, int> m_rowOfRecord; // (rowid, id) -> row
};

// A drop-down of a slot. A following box (cost or MSRP shown in the worksheet) moves only with its
// product box.
class SlotBox : public QComboBox {
    Q_OBJECT
public:
    explicit SlotBox(bool follower, QWidget *parent = nullptr);
    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

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
    static constexpr int Packages = 4;
    static constexpr int SlotsPerPackage = 10;
    static constexpr int SlotCount = Packages * SlotsPerPackage;
    enum class Figures { Hidden, Shown };

    explicit SlotGrid(QObject *parent = nullptr);

    CatalogueModel *model() const { return m_model; }

    // Creates slot (p, s)'s four boxes as children of `parent`; the caller places them.
    const SlotBoxes &createSlot(int p, int s, QWidget *parent, Figures figures);
    const SlotBoxes &boxes(int p, int s) const { return m_slots[index(p, s)]; }

    // Fills the catalogue (see the top of this file). Returns the number of products.
    int populatemenu(QWidget *noticeParent);

    // Puts slot (p, s) on entry `row` (its hidden boxes follow), then emits slotChanged.
    void pick(int p, int s, int row);
    void setNone(int p, int s) { pick(p, s, 0); }
    // Loads slots from stored product ids; `values` holds menu0_0 .. menu3_9 in that order.
    void loadSlots(const std::array<QVariant, SlotCount> &values);
    void loadSlot(int p, int s, const QVariant &value);

    QString nameText(int p, int s) const;
    QString idText(int p, int s) const;
    QString costText(int p, int s) const;
    QString msrpText(int p, int s) const;
    // The id to store for the slot: the number in its id text, 0 when empty.
    double productId(int p, int s) const;

    static int index(int p, int s) { return p * SlotsPerPackage + s; }

signals:
    void slotChanged(int p, int s);

private:
    // What a box shows: its entry, or its initial text while no entry is chosen.
    static QString shown(const SlotBox *box, const QString &initial);
    void loadSlots(const std::array<QVariant, SlotCount> &values, const std::array<bool, SlotCount> &wanted);

    CatalogueModel *m_model;
    std::array<SlotBoxes, SlotCount> m_slots{};
};
