#pragma once
// The product catalogue as a CSV file (RFC 4180, UTF-8), for exchange with spreadsheets and other programs.
//
// Writing: as every CSV the program writes (core/csv: a byte-order mark, texts a spreadsheet would run as a
// formula behind an apostrophe), a header row of the column names below, then one record per product.
// Amounts are written as "###0.00", so the round trip is exact for amounts in whole cents (19.999 is written,
// and read back, as 20.00).
//
// Reading is all or nothing: either every product of the file, in file order, or every problem found, each
// naming the line where its record starts (the header is line 1) and the column.
// - Columns come in any order and are matched without regard to case or surrounding blanks; only
//   `aftermarketname` is required. A missing column reads as empty (amounts as 0). An unknown or repeated
//   column is a problem.
// - `id` is accepted and ignored: the caller draws the ids.
// - A record with more or fewer fields than the header is a problem. Lines that hold nothing (or blanks
//   only) are skipped.
// - Texts lose their surrounding blanks (spaces only) and the apostrophe an export puts before a formula's
//   first character; every line break inside a field (CR LF, LF or a lone CR) is stored as CR LF. An empty
//   name is a problem.
// - Amounts: see numbers::readAmount. A negative amount, or one above 9,999,999,999,999.99 (which would not
//   come back exactly as written), is a problem.
// - The file must be UTF-8, with or without a byte-order mark; quotes must pair up (see core/csv).

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

// The file written whole or not at all (see files::write).
bool writeFile(const QString &path, const QVector<Product> &products, QString *why);
// A file that cannot be opened is one problem naming the reason.
ReadResult readFile(const QString &path);

} // namespace productcsv
