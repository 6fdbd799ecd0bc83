#pragma once

#include <QWidget>

class ProductGridModel;
class QModelIndex;
class QPushButton;
class QTableView;

// The product list: every listed product in a grid; a click opens it in the product editor.
class aftermarketlist : public QWidget {
    Q_OBJECT
public:
    aftermarketlist();

    void cleargrid();
    void makelist();
    // Reads the products again with the list's query and rebuilds the grid.
    void reload();

    ProductGridModel *gridModel() const { return m_model; }
    // The grid's rows as its cells read, the heading row first (what "Print List" prints).
    QList<QStringList> gridRows() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void openRow(const QModelIndex &index);
    void addItem();
    void printList();
    void exitWindow();

    QTableView *grid1;
    QPushButton *Command1, *Command2, *Command3;
    ProductGridModel *m_model;
    bool m_closing = false;
};

// Every product the list shows, in its order.
QString productListQuery();
