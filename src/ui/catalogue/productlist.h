#pragma once

#include <QWidget>

class Program;
class ProductEditor;
class ProductGridModel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;
class WindowClosing;

// The product list: every listed product in a grid, narrowed by a search as the user types; a click
// opens a product in the product editor.
class ProductList : public QWidget {
    Q_OBJECT
public:
    explicit ProductList(Program &app);

    // Reads the products again and rebuilds the grid.
    void reload();
    ProductGridModel *gridModel() const { return m_model; }
    // The grid's rows as shown (the search narrows them), the heading row first: what "Print List" prints.
    QList<QStringList> gridRows() const;

private:
    void openRow(const QModelIndex &index);
    void addItem();
    void printList();
    // "Preview List": the rows "Print List" would print now, in a print preview.
    void previewList();
    void importProducts();
    void exportProducts();
    void exitWindow();
    // The editor, made when first needed; when it closes, the list is shown again.
    ProductEditor *editor();
    void handOver(ProductEditor *editor);

    Program &m_app;
    QLineEdit *m_searchBox;
    QTableView *m_grid;
    QPushButton *m_addButton, *m_printButton, *m_exitButton;
    QPushButton *m_previewButton, *m_importButton, *m_exportButton;
    ProductGridModel *m_model;
    WindowClosing *m_closing;
};
