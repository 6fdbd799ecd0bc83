#pragma once
// The product list's grid: one fixed heading row and eight columns, filled from the list's query.
// Rows keep the record's values and make their cells' texts only when asked, so a catalogue of any
// size loads in one read and the view draws only what it shows.

#include "core/store/productrepository.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <QVector>

class ProductGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        IdColumn,
        NameColumn,
        CostColumn,
        MsrpColumn,
        ProfitColumn,
        InstallerColumn,
        PhoneColumn,
        NotesColumn
    };
    static constexpr int ColumnCount = 8;

    explicit ProductGridModel(QObject *parent = nullptr);

    static QStringList headings(); // column 0 has none
    static QVector<int> widthsInTwips();

    // The heading row and one empty row.
    void cleargrid();
    // One row per product, in the order given; the heading row and one empty row when there are none.
    // The search in force still narrows the rows.
    void fill(QVector<StoredProduct> products);
    // Shows only the products whose name, installer or description holds `search` (the rule of every
    // list's search); an empty search shows them all.
    void narrow(const QString &search);
    // Whether the search in force shows `product`.
    bool shows(const Product &product) const;

    // The text of a cell as the grid shows it (row 0 is the first row shown below the headings).
    QString cellText(int row, int column) const;
    // The record a row shows (0 for the empty row).
    qint64 recordAt(int row) const;
    // Every row shown as its cells read, the heading row first.
    QList<QStringList> gridRows() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // The products as read; a cell's text is made when the cell is shown or asked for. Empty for the
    // empty row of an empty list.
    QVector<StoredProduct> m_rows;
    bool m_empty = true;
    // The rows the search leaves, as positions in m_rows.
    QVector<int> m_shown;
    QString m_search;

    void narrowRows();
    const StoredProduct *shownRow(int row) const;
};
