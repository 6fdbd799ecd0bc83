#pragma once
// The product list's grid: one fixed heading row and eight columns, filled from the list's query.
// Rows keep the record's values and make their cells' texts only when asked, so a catalogue of any
// size loads in one read and the view draws only what it shows.

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <QVector>

class Database;

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
    // One row per record the query gives, in its order; the heading row and one empty row when it
    // gives none.
    void makelist(Database &db, const QString &sql);

    // The text of a cell as the grid holds it (row 0 is the first row below the headings).
    QString cellText(int row, int column) const;
    // Where the row's record stands in the query's order (-1 for the empty row).
    int recordPosition(int row) const;
    // Every row as its cells read, the heading row first.
    QList<QStringList> gridRows() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // The record's values as read; a cell's text is made when the cell is shown or asked for.
    struct Row {
        QVariant id, name, cost, msrp, installer, phone, notes;
        int position = -1;
    };
    QVector<Row> m_rows;
};
