#pragma once
// CSV as every file the program writes and reads it (RFC 4180, UTF-8).
//
// Writing: a UTF-8 byte-order mark, so spreadsheets on every desktop read accents right; fields separated by
// commas, records ended by CR LF. A field is quoted when it holds a comma, a quote, a line break or a blank or
// tab at either end (a reader may drop those), its quotes doubled and its line breaks written as they are.
// A text beginning with = + - @, a tab or a carriage return would run as a formula in a spreadsheet: it is
// written behind an apostrophe, which spreadsheets hide; so is a text that already begins with apostrophes
// before such a character, so that reading removes exactly one again (see `restored`). Numbers are written
// as they are.
//
// Reading: a byte-order mark at the start is skipped; quotes must pair up as RFC 4180 says (a quote inside
// an unquoted field, or a quoted field never closed, is a problem rather than a guess that could swallow the
// rest of the file); every line break inside a field (CR LF, LF or a lone CR) comes back as CR LF.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace csv {

// Builds a file record by record.
class Writer {
public:
    Writer();
    Writer &text(const QString &value);
    Writer &number(const QString &value);
    void endRecord();
    const QByteArray &bytes() const { return m_bytes; }

private:
    void add(const QString &value);
    QByteArray m_bytes;
    bool m_recordStarted = false;
};

// A header of texts, then the rows; the cells of `numberColumns` are numbers, every other cell a text.
QByteArray table(const QStringList &headings, const QList<QStringList> &rows, const QList<int> &numberColumns);

// The text as written (with the apostrophe when it needs one), before quoting.
QString defused(const QString &text);
// The text as it was before `defused`: one apostrophe fewer when the field begins with apostrophes before
// a dangerous character, as it is otherwise.
QString restored(const QString &field);

struct Problem {
    int line = 0;   // where the record starts (the first line is 1); 0 for the file as a whole
    int field = -1; // the field's place in its record, -1 for none
    QString what;   // a sentence: "a quoted field is never closed (its closing quote is missing)."
};

// Reads the records in turn, each with the line it starts on. Lines that hold nothing (or blanks only) are
// skipped. `onRecord` returns false to stop reading. A problem with the file's form
// stops reading; one with its encoding is told once and reading goes on.
void read(const QByteArray &bytes, const std::function<bool(int line, const QStringList &fields)> &onRecord,
          const std::function<void(const Problem &)> &onProblem);

} // namespace csv
