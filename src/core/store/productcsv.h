#pragma once
// The product catalogue as a CSV file (RFC 4180, UTF-8), for exchange with spreadsheets and other programs.
//
// Writing: a header row of the column names below, then one record per product, every record ending with
// CR LF. A field is quoted when it holds a comma, a quote, a line break or a blank or tab at either end;
// its quotes are doubled and its line breaks written as they are. Amounts are written as "###0.00", so the
// round trip is exact for amounts in whole cents (19.999 is written, and read back, as 20.00). No byte-order
// mark is written.
//
// Reading is all or nothing: either every product of the file, in file order, or every problem found, each
// naming the line where its record starts (the header is line 1) and the column.
// - Columns come in any order and are matched without regard to case or surrounding blanks; only
//   `aftermarketname` is required. A missing column reads as empty (amounts as 0). An unknown or repeated
//   column is a problem.
// - `id` is accepted and ignored: the caller draws the ids.
// - A record with more or fewer fields than the header is a problem. Lines that hold nothing (or blanks
//   only) are skipped.
// - Texts lose their surrounding blanks (spaces only); every line break inside a field (CR LF, LF or a lone
//   CR) is stored as CR LF. An empty name is a problem.
// - Amounts: see numbers::readAmount.
// - The file must be UTF-8; a byte-order mark at the start is skipped.
// - Quotes must pair up as RFC 4180 says: a quote inside an unquoted field, or a quoted field that is
//   never closed, is a problem rather than a guess (a guess could swallow the rest of the file).

#include "core/store/product.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace productcsv {

// The columns in the order the header of a written file lists them.
const QStringList &columns();

QByteArray write(const QVector<Product> &products);

struct Problem {
    int line = 0;  // where the record starts, 1 for the header; 0 for the file as a whole
    QString field; // the column, or empty
    QString what;  // a sentence: "\"12abc\" is not an amount."
};

struct ReadResult {
    QVector<Product> products; // empty whenever there are problems
    QVector<Problem> problems;
    bool ok() const { return problems.isEmpty(); }
};

ReadResult read(const QByteArray &bytes);

// "Line 7, msrp: \"12abc\" is not an amount."
QString problemText(const Problem &problem);
// The first ten problems, one a line, then "… and N more problems." when there are more.
QString problemsMessage(const QVector<Problem> &problems);

// The file written whole or not at all: an existing file is replaced only once the new one is complete.
bool writeFile(const QString &path, const QVector<Product> &products, QString *why);
// A file that cannot be opened is one problem naming the reason.
ReadResult readFile(const QString &path);

} // namespace productcsv
