#include "core/store/productcsv.h"

#include "core/csv/csv.h"
#include "core/files/files.h"
#include "core/money/numbers.h"
#include "core/text/storedtext.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cmath>

namespace productcsv {

namespace {

// The header order is the export order.
enum Column { Id, Name, Cost, Msrp, Description, Htmlpath, Picturepath, Installer, Phone, Notes, ColumnCount };

const char *const kColumnNames[ColumnCount] = {"id",       "aftermarketname", "cost",      "msrp",  "description",
                                               "htmlpath", "picturepath",     "installer", "phone", "notes"};

// The largest amount that comes back exactly as written ("###0.00" keeps 15 significant digits).
constexpr double kLargestAmount = 9999999999999.99;

// Long enough to recognise a value in a message, short enough that a field read in the wrong column
// (a whole description) does not fill the screen.
QString quoted(const QString &text) {
    const int kShown = 40;
    if (text.size() <= kShown)
        return QLatin1Char('"') + text + QLatin1Char('"');
    return QLatin1Char('"') + text.left(kShown) + QStringLiteral("…\"");
}

// Maps the records the CSV reader hands over onto products, once the header has named the columns.
class Reader {
public:
    ReadResult run(const QByteArray &bytes);

private:
    bool record(int line, const QStringList &fields);
    bool header(int line, const QStringList &fields);
    void product(int line, const QStringList &fields);
    void problem(int line, const QString &field, const QString &what) { m_result.problems.append({line, field, what}); }
    QString columnAt(qsizetype index) const {
        if (!m_haveHeader || index < 0 || index >= m_columns.size() || m_columns[index] < 0)
            return QString();
        return QLatin1String(kColumnNames[m_columns[index]]);
    }

    ReadResult m_result;
    bool m_haveHeader = false;
    QVector<int> m_columns; // header position -> Column
    int m_products = 0;
};

bool Reader::record(int line, const QStringList &fields) {
    QStringList row;
    row.reserve(fields.size());
    for (const QString &field : fields)
        row << storedtext::trimBlanks(field);
    if (!m_haveHeader)
        return header(line, row);
    product(line, row);
    return true;
}

bool Reader::header(int line, const QStringList &row) {
    m_haveHeader = true;
    bool seen[ColumnCount] = {};
    const int before = m_result.problems.size();
    for (qsizetype i = 0; i < row.size(); ++i) {
        const QString &name = row.at(i);
        int column = -1;
        for (int c = 0; c < ColumnCount && column < 0; ++c)
            if (name.compare(QLatin1String(kColumnNames[c]), Qt::CaseInsensitive) == 0)
                column = c;
        if (name.isEmpty()) {
            problem(line, QString(),
                    QCoreApplication::translate("productcsv", "column %1 of the header has no name.").arg(i + 1));
        } else if (column < 0) {
            problem(line, name,
                    QCoreApplication::translate("productcsv", "there is no such column (the columns are %1).")
                        .arg(columns().join(QStringLiteral(", "))));
        } else if (seen[column]) {
            problem(line, QLatin1String(kColumnNames[column]),
                    QCoreApplication::translate("productcsv", "the column appears more than once."));
        } else {
            seen[column] = true;
        }
        m_columns.append(column);
    }
    if (!seen[Name])
        problem(line, QLatin1String(kColumnNames[Name]),
                QCoreApplication::translate("productcsv", "the column is missing; every product needs a name."));
    // Without a sound header no record can be read as meant.
    return m_result.problems.size() == before;
}

void Reader::product(int line, const QStringList &row) {
    // A spreadsheet's rows left empty (",,,") hold no product.
    if (std::all_of(row.cbegin(), row.cend(), [](const QString &field) { return field.isEmpty(); }))
        return;
    ++m_products;
    if (row.size() != m_columns.size()) {
        problem(line, QString(),
                QCoreApplication::translate("productcsv", "the line has %1 fields where the header has %2.")
                    .arg(row.size())
                    .arg(m_columns.size()));
        return;
    }
    Product p;
    for (qsizetype i = 0; i < row.size(); ++i) {
        // Texts lose the apostrophe an export put before a character a spreadsheet would run as a formula.
        const QString text = csv::restored(row.at(i));
        switch (m_columns.at(i)) {
        case Id:
            break;
        case Name:
            p.name = text;
            if (text.isEmpty())
                problem(line, QLatin1String(kColumnNames[Name]),
                        QCoreApplication::translate("productcsv", "the name is empty."));
            break;
        case Cost:
        case Msrp: {
            double &amount = m_columns.at(i) == Cost ? p.cost : p.msrp;
            const QString column = QLatin1String(kColumnNames[m_columns.at(i)]);
            if (!numbers::readAmount(row.at(i), &amount))
                problem(line, column,
                        QCoreApplication::translate("productcsv", "%1 is not an amount.").arg(quoted(row.at(i))));
            else if (amount < 0)
                problem(line, column,
                        QCoreApplication::translate("productcsv", "%1 is below zero; a cost or MSRP cannot be.")
                            .arg(quoted(row.at(i))));
            else if (amount > kLargestAmount)
                problem(line, column,
                        QCoreApplication::translate(
                            "productcsv", "%1 has more digits than an amount keeps (at most 9,999,999,999,999.99).")
                            .arg(quoted(row.at(i))));
            break;
        }
        case Description:
            p.description = text;
            break;
        case Htmlpath:
            p.htmlpath = text;
            break;
        case Picturepath:
            p.picturepath = text;
            break;
        case Installer:
            p.installer = text;
            break;
        case Phone:
            p.phone = text;
            break;
        case Notes:
            p.notes = text;
            break;
        }
    }
    if (m_result.problems.isEmpty())
        m_result.products.append(p);
}

ReadResult Reader::run(const QByteArray &bytes) {
    csv::read(
        bytes, [this](int line, const QStringList &fields) { return record(line, fields); },
        [this](const csv::Problem &p) { problem(p.line, columnAt(p.field), p.what); });
    if (m_result.problems.isEmpty()) {
        if (!m_haveHeader)
            problem(0, QString(), QCoreApplication::translate("productcsv", "The file is empty."));
        else if (m_products == 0)
            problem(0, QString(), QCoreApplication::translate("productcsv", "The file holds no products."));
    }
    if (!m_result.problems.isEmpty())
        m_result.products.clear();
    return std::move(m_result);
}

} // namespace

const QStringList &columns() {
    static const QStringList names = [] {
        QStringList l;
        for (const char *name : kColumnNames)
            l << QLatin1String(name);
        return l;
    }();
    return names;
}

QByteArray write(const QVector<Product> &products) {
    csv::Writer out;
    for (const QString &column : columns())
        out.text(column);
    out.endRecord();
    for (const Product &p : products) {
        out.number(numbers::plain(std::round(p.id)))
            .text(p.name)
            .number(numbers::formatMoney(p.cost))
            .number(numbers::formatMoney(p.msrp));
        for (const QString *text : {&p.description, &p.htmlpath, &p.picturepath, &p.installer, &p.phone, &p.notes})
            out.text(*text);
        out.endRecord();
    }
    return out.bytes();
}

ReadResult read(const QByteArray &bytes) {
    Reader reader;
    return reader.run(bytes);
}

QString problemText(const Problem &problem) {
    if (problem.line <= 0)
        return problem.what;
    if (problem.field.isEmpty())
        return QCoreApplication::translate("productcsv", "Line %1: %2").arg(problem.line).arg(problem.what);
    return QCoreApplication::translate("productcsv", "Line %1, %2: %3")
        .arg(problem.line)
        .arg(problem.field, problem.what);
}

QString problemsMessage(const QVector<Problem> &problems) {
    const int kShown = 10;
    QStringList lines;
    for (int i = 0; i < problems.size() && i < kShown; ++i)
        lines << problemText(problems.at(i));
    const int more = problems.size() - kShown;
    if (more == 1)
        lines << QCoreApplication::translate("productcsv", "… and 1 more problem.");
    else if (more > 1)
        lines << QCoreApplication::translate("productcsv", "… and %1 more problems.").arg(more);
    return lines.join(QLatin1Char('\n'));
}

bool writeFile(const QString &path, const QVector<Product> &products, QString *why) {
    return files::write(path, write(products), why);
}

ReadResult readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReadResult r;
        r.problems.append(
            {0, QString(),
             QCoreApplication::translate("productcsv", "The file cannot be read: %1.").arg(file.errorString())});
        return r;
    }
    return read(file.readAll());
}

} // namespace productcsv
