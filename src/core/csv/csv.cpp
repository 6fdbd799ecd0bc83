#include "core/csv/csv.h"

#include "core/text/storedtext.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <csv.h>

namespace csv {

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

bool dangerous(QChar c) {
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('@') ||
           c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

// Whether the text begins with a dangerous character, after any number of apostrophes.
bool needsApostrophe(const QString &text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('\''))
        ++i;
    return i < text.size() && dangerous(text.at(i));
}

bool needsQuotes(const QByteArray &field) {
    if (field.isEmpty())
        return false;
    const char first = field.front(), last = field.back();
    if (first == ' ' || first == '\t' || last == ' ' || last == '\t')
        return true;
    for (char c : field)
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    return false;
}

int blankOnly(unsigned char c) { return c == ' '; }

// Feeds the parser one physical line at a time, so that every record knows the line it starts on.
class Reader {
public:
    Reader(const std::function<bool(int, const QStringList &)> &onRecord,
           const std::function<void(const Problem &)> &onProblem)
        : m_onRecord(onRecord), m_onProblem(onProblem) {
        csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI);
        // Tabs belong to the value; libcsv would drop them at the ends of an unquoted field.
        csv_set_space_func(&m_parser, blankOnly);
    }
    ~Reader() { csv_free(&m_parser); }
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    void run(const QByteArray &bytes);

private:
    static void onField(void *data, size_t size, void *self) {
        static_cast<Reader *>(self)->field(static_cast<const char *>(data), size);
    }
    static void onRecordEnd(int, void *self) { static_cast<Reader *>(self)->record(); }
    void field(const char *data, size_t size);
    void record();
    void problem(int line, int field, const QString &what) { m_onProblem({line, field, what}); }

    const std::function<bool(int, const QStringList &)> &m_onRecord;
    const std::function<void(const Problem &)> &m_onProblem;
    csv_parser m_parser;
    int m_line = 1;        // the physical line being fed
    int m_recordStart = 0; // the line the open record started on; 0 between records
    bool m_stopped = false;
    bool m_badEncoding = false;
    QStringList m_row;
};

void Reader::field(const char *data, size_t size) {
    if (m_stopped)
        return;
    if (m_recordStart == 0)
        m_recordStart = m_line;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(data, qsizetype(size)));
    if (decoder.hasError() && !m_badEncoding) {
        // One notice is enough: a file in another encoding would otherwise report every accented letter.
        m_badEncoding = true;
        problem(m_recordStart, int(m_row.size()),
                QCoreApplication::translate(
                    "csv", "the text is not UTF-8; save the file as UTF-8 (\"CSV UTF-8\") and import it again."));
    }
    m_row.append(storedtext::toStoredLines(text));
}

void Reader::record() {
    if (m_stopped)
        return;
    const int line = m_recordStart ? m_recordStart : m_line;
    m_recordStart = 0;
    m_stopped = !m_onRecord(line, m_row);
    m_row.clear();
}

void Reader::run(const QByteArray &bytes) {
    const char *data = bytes.constData();
    size_t size = size_t(bytes.size());
    if (bytes.startsWith(kByteOrderMark)) {
        data += 3;
        size -= 3;
    }
    size_t pos = 0;
    while (pos < size && !m_stopped) {
        // One physical line, its line break included: LF, CR LF or a lone CR.
        size_t end = pos;
        while (end < size && data[end] != '\n' && data[end] != '\r')
            ++end;
        const bool lineBreak = end < size;
        if (lineBreak)
            end += (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n') ? 2 : 1;
        if (m_recordStart == 0) {
            // A record starts on the first line holding more than blanks; libcsv skips the others.
            for (size_t i = pos; i < end && m_recordStart == 0; ++i)
                if (data[i] != ' ' && data[i] != '\r' && data[i] != '\n')
                    m_recordStart = m_line;
        }
        const size_t fed = csv_parse(&m_parser, data + pos, end - pos, onField, onRecordEnd, this);
        if (fed != end - pos) {
            const int line = m_recordStart ? m_recordStart : m_line;
            if (csv_error(&m_parser) == CSV_EPARSE)
                problem(line, int(m_row.size()),
                        QCoreApplication::translate(
                            "csv", "a quote is out of place: a field holding quotes must be put in quotes, and "
                                   "each of its quotes doubled."));
            else
                problem(0, -1, QCoreApplication::translate("csv", "The file is too large to read."));
            m_stopped = true;
            return;
        }
        if (lineBreak)
            ++m_line;
        pos = end;
    }
    if (!m_stopped && csv_fini(&m_parser, onField, onRecordEnd, this) != 0)
        problem(m_recordStart ? m_recordStart : m_line, int(m_row.size()),
                QCoreApplication::translate("csv", "a quoted field is never closed (its closing quote is missing)."));
}

} // namespace

Writer::Writer() : m_bytes(kByteOrderMark) {}

Writer &Writer::text(const QString &value) {
    add(defused(value));
    return *this;
}

Writer &Writer::number(const QString &value) {
    add(value);
    return *this;
}

void Writer::add(const QString &value) {
    if (m_recordStarted)
        m_bytes += ',';
    m_recordStarted = true;
    const QByteArray field = value.toUtf8();
    if (!needsQuotes(field)) {
        m_bytes += field;
        return;
    }
    const size_t size = csv_write(nullptr, 0, field.constData(), size_t(field.size()));
    const qsizetype at = m_bytes.size();
    m_bytes.resize(at + qsizetype(size));
    csv_write(m_bytes.data() + at, size, field.constData(), size_t(field.size()));
}

void Writer::endRecord() {
    m_bytes += "\r\n";
    m_recordStarted = false;
}

QByteArray table(const QStringList &headings, const QList<QStringList> &rows, const QList<int> &numberColumns) {
    Writer out;
    for (const QString &heading : headings)
        out.text(heading);
    out.endRecord();
    for (const QStringList &row : rows) {
        for (int i = 0; i < row.size(); ++i) {
            if (numberColumns.contains(i))
                out.number(row.at(i));
            else
                out.text(row.at(i));
        }
        out.endRecord();
    }
    return out.bytes();
}

QString defused(const QString &text) { return needsApostrophe(text) ? QLatin1Char('\'') + text : text; }

QString restored(const QString &field) {
    if (field.startsWith(QLatin1Char('\'')) && needsApostrophe(field))
        return field.mid(1);
    return field;
}

void read(const QByteArray &bytes, const std::function<bool(int line, const QStringList &fields)> &onRecord,
          const std::function<void(const Problem &)> &onProblem) {
    Reader reader(onRecord, onProblem);
    reader.run(bytes);
}

} // namespace csv
