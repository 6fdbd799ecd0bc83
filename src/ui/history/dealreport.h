#pragma once

#include "core/report/productreport.h"

#include <QDate>
#include <QWidget>

class Program;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

// The product report: for the deals saved in a date range (by one salesperson or all), each product's
// penetration and the money it brought, and the figures per deal.
class DealReport : public QWidget {
    Q_OBJECT
public:
    explicit DealReport(Program &app);

    // Reads the deal file again for the filter as shown.
    void refresh();
    // Takes in deals saved since the window opened (on every deal the store announces): salespeople new to the list
    // join it, and a range that ends on the last deal's day, as it opens, ends on the new last day.
    void reload();
    ReportFilter filter() const;
    const ProductReport &report() const { return m_report; }
    // Which deals are counted, in words.
    QString scope() const;

private:
    // The grid of products sold, and the figures under it.
    void makeGrid();
    void print();
    void exportReport();
    void exitWindow();

    Program &m_app;
    ProductReport m_report;
    QDateEdit *m_fromBox, *m_toBox;
    QComboBox *m_salespersonBox;
    QTableView *m_grid;
    QStandardItemModel *m_model;
    QLabel *m_dealsLabel, *m_productsPerDealLabel, *m_profitPerDealLabel;
    QPushButton *m_printButton, *m_exportButton, *m_exitButton;
    QDate m_lastDay; // the last deal's day when the window opened or was last reloaded
};
