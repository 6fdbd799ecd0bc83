#pragma once
// What managers read from the deal file: for each product (by name), in how many deals it was offered
// and in how many it was bought, with the money it brought; and the deal history's rows.

#include "core/deal/deal.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// Which deals a report counts. An invalid date leaves that end open; an empty salesperson means all.
struct ReportFilter {
    QDate from;
    QDate to; // inclusive: deals saved on this day count
    QString salesperson;
};

struct ProductLine {
    QString product;
    int offered = 0;  // deals in which it appeared in any package
    int accepted = 0; // deals in which the customer kept it
    double msrpSold = 0;
    double profit = 0;
    // accepted / offered, in per cent; 0 when never offered.
    double penetration() const { return offered > 0 ? 100.0 * accepted / offered : 0.0; }
};

struct ProductReport {
    QVector<ProductLine> lines; // by product name, without regard to case
    int deals = 0;              // the deals counted, those where everything was declined included
    // Summed over the lines: products bought (each product once per deal) and their profit.
    int productsSold() const;
    double profit() const;
    double productsPerDeal() const { return deals > 0 ? double(productsSold()) / deals : 0.0; }
    double profitPerDeal() const { return deals > 0 ? profit() / deals : 0.0; }
};

namespace report {
// "0.0 %": one decimal, halves away from zero.
QString percent(double value);
QStringList productHeadings(); // in the user's language
QStringList exportHeadings();  // the same in English, as a CSV export names its columns
// The report's rows as the grid shows them.
QList<QStringList> productRows(const ProductReport &report);
// The rows as a CSV export carries them: the money as plain numbers ("412.50"), for a spreadsheet to add up.
QList<QStringList> exportRows(const ProductReport &report);
// The CSV file of the export: the headings, then those rows.
QByteArray exportFile(const ProductReport &report);
// "Deals counted: 12", "Products per deal: 1.25", "Profit per deal: $412.50".
QStringList summaryLines(const ProductReport &report);
} // namespace report

// A stored deal as the history lists it.
struct DealSummary {
    qint64 id = 0;
    QString saved; // as stored: local time, "yyyy-MM-ddTHH:mm:ss"
    Particulars particulars;
    int chosenPackage = -1;
    QString chosenName;
    int acceptedCount = 0;
    QString finalPayment;
    bool cashDeal = false;
    bool leaseDeal = false;
    double amountFinanced = 0;
    double term = 0, term2 = 0, term3 = 0;
    double chosenTerm = 0;
};

namespace history {
QStringList
headings(); // in the user's language: Deal #, Date, Customer, Vehicle, Stock #, Salesperson, Choice, Accepted, Payment
enum Column { Number, Date, Customer, Vehicle, StockNumber, Salesperson, Choice, Accepted, Payment, ColumnCount };
QString cell(const DealSummary &deal, int column);
QStringList cells(const DealSummary &deal);
// An export's columns, in English: those of the grid, then the payment, its term in months (none for a cash deal) and
// the amount financed as plain numbers.
QStringList exportHeadings();
QStringList exportCells(const DealSummary &deal);
// The CSV file of the export: the headings, then a row for each deal.
QByteArray exportFile(const QVector<DealSummary> &deals);
// Whether the deal's customer, vehicle, stock number or salesperson holds `search` (any part, without
// regard to case). An empty search matches every deal.
bool matches(const DealSummary &deal, const QString &search);
} // namespace history
