#include "core/report/productreport.h"

#include "core/csv/csv.h"
#include "core/deal/dealpage.h"
#include "core/deal/dealrecord.h"
#include "core/money/numbers.h"
#include "core/text/search.h"

#include <QCoreApplication>
#include <cmath>

namespace {
// Column names as a CSV export writes them, whatever the language: a spreadsheet or a script finds its
// columns by these. The windows and printouts show them translated.
const char *const kProductColumns[] = {
    QT_TRANSLATE_NOOP("report", "Product"),   QT_TRANSLATE_NOOP("report", "Offered"),
    QT_TRANSLATE_NOOP("report", "Accepted"),  QT_TRANSLATE_NOOP("report", "Penetration"),
    QT_TRANSLATE_NOOP("report", "MSRP Sold"), QT_TRANSLATE_NOOP("report", "Profit")};
const char *const kHistoryColumns[] = {
    QT_TRANSLATE_NOOP("history", "Deal #"),   QT_TRANSLATE_NOOP("history", "Date"),
    QT_TRANSLATE_NOOP("history", "Customer"), QT_TRANSLATE_NOOP("history", "Vehicle"),
    QT_TRANSLATE_NOOP("history", "Stock #"),  QT_TRANSLATE_NOOP("history", "Salesperson"),
    QT_TRANSLATE_NOOP("history", "Choice"),   QT_TRANSLATE_NOOP("history", "Accepted"),
    QT_TRANSLATE_NOOP("history", "Payment")};

template <size_t N> QStringList columns(const char *const (&names)[N], const char *context = nullptr) {
    QStringList out;
    for (const char *name : names)
        out << (context ? QCoreApplication::translate(context, name) : QString::fromLatin1(name));
    return out;
}
} // namespace

int ProductReport::productsSold() const {
    int sold = 0;
    for (const ProductLine &line : lines)
        sold += line.accepted;
    return sold;
}

double ProductReport::profit() const {
    double total = 0;
    for (const ProductLine &line : lines)
        total += line.profit;
    return total;
}

namespace report {

QString percent(double value) {
    const double tenths = std::round(value * 10.0);
    return QString::number(tenths / 10.0, 'f', 1) + QStringLiteral(" %");
}

QStringList productHeadings() { return columns(kProductColumns, "report"); }

QStringList exportHeadings() { return columns(kProductColumns); }

QList<QStringList> productRows(const ProductReport &r) {
    QList<QStringList> rows;
    rows.reserve(r.lines.size());
    for (const ProductLine &line : r.lines)
        rows.append({line.product, QString::number(line.offered), QString::number(line.accepted),
                     percent(line.penetration()), numbers::dollars(line.msrpSold), numbers::dollars(line.profit)});
    return rows;
}

QList<QStringList> exportRows(const ProductReport &r) {
    QList<QStringList> rows = productRows(r);
    for (int i = 0; i < rows.size(); ++i) {
        rows[i][4] = numbers::formatMoney(r.lines.at(i).msrpSold);
        rows[i][5] = numbers::formatMoney(r.lines.at(i).profit);
    }
    return rows;
}

QByteArray exportFile(const ProductReport &r) {
    // Offered, Accepted, MSRP Sold and Profit are numbers; the product and its penetration texts.
    return csv::table(exportHeadings(), exportRows(r), {1, 2, 4, 5});
}

QStringList summaryLines(const ProductReport &r) {
    return {
        QCoreApplication::translate("report", "Deals counted: %1").arg(r.deals),
        QCoreApplication::translate("report", "Products per deal: %1").arg(numbers::formatMoney(r.productsPerDeal())),
        QCoreApplication::translate("report", "Profit per deal: %1").arg(numbers::dollars(r.profitPerDeal()))};
}

} // namespace report

namespace history {

QStringList headings() { return columns(kHistoryColumns, "history"); }

QString cell(const DealSummary &d, int column) {
    switch (column) {
    case Number:
        return QString::number(d.id);
    case Date:
        return d.saved.left(16).replace(QLatin1Char('T'), QLatin1Char(' '));
    case Customer:
        return d.particulars.customer;
    case Vehicle:
        return d.particulars.vehicle;
    case StockNumber:
        return d.particulars.stockNumber;
    case Salesperson:
        return d.particulars.salesperson;
    case Choice:
        return d.chosenPackage < 0 ? QCoreApplication::translate("history", "Declined") : d.chosenName;
    case Accepted:
        return QString::number(d.acceptedCount);
    case Payment: {
        Deal terms;
        terms.cashDeal = d.cashDeal;
        terms.leaseDeal = d.leaseDeal;
        terms.amountFinanced = d.amountFinanced;
        terms.term = d.term;
        terms.term2 = d.term2;
        terms.term3 = d.term3;
        return finalPaymentLine(d.finalPayment, d.acceptedCount > 0, terms, d.chosenTerm);
    }
    default:
        return QString();
    }
}

QStringList cells(const DealSummary &d) {
    QStringList out;
    for (int c = 0; c < ColumnCount; ++c)
        out << cell(d, c);
    return out;
}

QStringList exportHeadings() {
    return columns(kHistoryColumns) << QStringLiteral("Payment Amount") << QStringLiteral("Term")
                                    << QStringLiteral("Amount Financed");
}

QStringList exportCells(const DealSummary &d) {
    // The term the payment runs over: the one taken when several were offered, else the deal's.
    const double months = d.chosenTerm != 0 ? d.chosenTerm : d.term;
    return cells(d) << numbers::formatMoney(numbers::val(d.finalPayment))
                    << (d.cashDeal ? QString() : numbers::plain(months)) << numbers::formatMoney(d.amountFinanced);
}

QByteArray exportFile(const QVector<DealSummary> &deals) {
    QList<QStringList> rows;
    rows.reserve(deals.size());
    for (const DealSummary &deal : deals)
        rows.append(exportCells(deal));
    return csv::table(exportHeadings(), rows, {Number, ColumnCount, ColumnCount + 1, ColumnCount + 2});
}

bool matches(const DealSummary &d, const QString &wanted) {
    return search::matches(
        {&d.particulars.customer, &d.particulars.vehicle, &d.particulars.stockNumber, &d.particulars.salesperson},
        wanted);
}

} // namespace history
