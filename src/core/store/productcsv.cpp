#include "core/store/productcsv.h"

#include "core/money/numbers.h"
#include "core/text/storedtext.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <csv.h>

namespace productcsv {

namespace {

// The header order is the export order.
enum Column { Id, Name, Cost, Msrp, Description, Htmlpath, Picturepath, Installer, Phone, Notes, ColumnCount };

const char *const kColumnNames[ColumnCount] = {"id",       "aftermarketname", "cost",      "msrp",  "description",
                                               "htmlpath", "picturepath",     "installer", "phone", "notes"};

// Long enough to recognise a value in a message, short enough that a field read in the wrong column
// (a whole description) does not fill the screen.
QString quoted(const QString &text) {
    const int kShown = 40;
    if (text.size() <= kShown)
        return QLatin1Char('"') + text + QLatin1Char('"');
    return QLatin1Char('"') + text.left(kShown) + QStringLiteral("…\"");
}

// Every line break (CR LF, LF, or a lone CR) as CR LF, as stored texts keep them.
QString withStoredLineBreaks(const QString &text) {
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            out += QLatin1String("\r\n");
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1String("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

bool needsQuotes(const QByteArray &field) {
    if (field.isEmpty())
        return false;
    // A reader may drop blanks and tabs at either end of an unquoted field.
    const char first = field.front(), last = field.back();
    if (first == ' ' || first == '\t' || last == ' ' || last == '\t')
        return true;
    for (char c : field)
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    return false;
}

void appendField(QByteArray &out, const QByteArray &field) {
    if (!needsQuotes(field)) {
        out += field;
        return;
    }
    const size_t size = csv_write(nullptr, 0, field.constData(), size_t(field.size()));
    const qsizetype at = out.size();
    out.resize(at + qsizetype(size));
    csv_write(out.data() + at, size, field.constData(), size_t(field.size()));
}

int blankOnly(unsigned char c) { return c == ' '; }

// Feeds the parser one physical line at a time, so that every record knows the line it starts on.
class Reader {
public:
    Reader() {
        csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI);
        // Tabs belong to the value; libcsv would drop them at the ends of an unquoted field.
        csv_set_space_func(&m_parser, blankOnly);
    }
    ~Reader() { csv_free(&m_parser); }
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    ReadResult run(const QByteArray &bytes);

private:
    static void onField(void *data, size_t size, void *self) {
        static_cast<Reader *>(self)->field(static_cast<const char *>(data), size);
    }
    static void onRecord(int, void *self) { static_cast<Reader *>(self)->record(); }

    void field(const char *data, size_t size);
    void record();
    void header(int line);
    void product(int line);
    void problem(int line, const QString &field, const QString &what) { m_result.problems.append({line, field, what}); }
    QString columnAt(qsizetype index) const {
        if (!m_haveHeader || index >= m_columns.size() || m_columns[index] < 0)
            return QString();
        return QLatin1String(kColumnNames[m_columns[index]]);
    }

    csv_parser m_parser;
    ReadResult m_result;
    int m_line = 1;        // the physical line being fed
    int m_recordStart = 0; // the line the open record started on; 0 between records
    bool m_stopped = false;
    bool m_haveHeader = false;
    bool m_badEncoding = false;
    QVector<int> m_columns; // header position -> Column
    QVector<QString> m_row;
    int m_products = 0;
};

void Reader::field(const char *data, size_t size) {
    if (m_stopped)
        return;
    if (m_recordStart == 0)
        m_recordStart = m_line;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(QByteArrayView(data, qsizetype(size)));
    if (decoder.hasError() && !m_badEncoding) {
        // One notice is enough: a file in another encoding would otherwise report every accented letter.
        m_badEncoding = true;
        problem(
            m_recordStart, columnAt(m_row.size()),
            QCoreApplication::translate(
                "productcsv", "the text is not UTF-8; save the file as UTF-8 (\"CSV UTF-8\") and import it again."));
    }
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        text = withStoredLineBreaks(text);
    m_row.append(storedtext::trimBlanks(text));
}

void Reader::record() {
    if (m_stopped)
        return;
    const int line = m_recordStart ? m_recordStart : m_line;
    m_recordStart = 0;
    if (!m_haveHeader)
        header(line);
    else
        product(line);
    m_row.clear();
}

void Reader::header(int line) {
    m_haveHeader = true;
    bool seen[ColumnCount] = {};
    const int before = m_result.problems.size();
    for (qsizetype i = 0; i < m_row.size(); ++i) {
        const QString &name = m_row.at(i);
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
    if (m_result.problems.size() > before)
        m_stopped = true;
}

void Reader::product(int line) {
    // A spreadsheet's rows left empty (",,,") hold no product.
    if (std::all_of(m_row.cbegin(), m_row.cend(), [](const QString &field) { return field.isEmpty(); }))
        return;
    ++m_products;
    if (m_row.size() != m_columns.size()) {
        problem(line, QString(),
                QCoreApplication::translate("productcsv", "the line has %1 fields where the header has %2.")
                    .arg(m_row.size())
                    .arg(m_columns.size()));
        return;
    }
    Product p;
    for (qsizetype i = 0; i < m_row.size(); ++i) {
        const QString &text = m_row.at(i);
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
            if (!numbers::readAmount(text, &amount))
                problem(line, QLatin1String(kColumnNames[m_columns.at(i)]),
                        QCoreApplication::translate("productcsv", "%1 is not an amount.").arg(quoted(text)));
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
    const char *data = bytes.constData();
    size_t size = size_t(bytes.size());
    if (bytes.startsWith("\xEF\xBB\xBF")) {
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
        const size_t fed = csv_parse(&m_parser, data + pos, end - pos, onField, onRecord, this);
        if (fed != end - pos) {
            const int line = m_recordStart ? m_recordStart : m_line;
            if (csv_error(&m_parser) == CSV_EPARSE)
                problem(line, columnAt(m_row.size()),
                        QCoreApplication::translate(
                            "productcsv",
                            "a quote is out of place: a field holding quotes must be put in quotes, and each "
                            "of its quotes doubled."));
            else
                problem(0, QString(), QCoreApplication::translate("productcsv", "The file is too large to read."));
            m_stopped = true;
            break;
        }
        if (lineBreak)
            ++m_line;
        pos = end;
    }
    if (!m_stopped && csv_fini(&m_parser, onField, onRecord, this) != 0)
        problem(m_recordStart ? m_recordStart : m_line, columnAt(m_row.size()),
                QCoreApplication::translate("productcsv",
                                            "a quoted field is never closed (its closing quote is missing)."));
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
    QByteArray out;
    out.reserve(128 + products.size() * 320);
    out += columns().join(QLatin1Char(',')).toUtf8();
    out += "\r\n";
    for (const Product &p : products) {
        out += numbers::plain(std::round(p.id)).toUtf8();
        out += ',';
        appendField(out, p.name.toUtf8());
        out += ',';
        out += numbers::formatMoney(p.cost).toUtf8();
        out += ',';
        out += numbers::formatMoney(p.msrp).toUtf8();
        for (const QString *text : {&p.description, &p.htmlpath, &p.picturepath, &p.installer, &p.phone, &p.notes}) {
            out += ',';
            appendField(out, text->toUtf8());
        }
        out += "\r\n";
    }
    return out;
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
    QSaveFile file(path);
    const QByteArray bytes = write(products);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (why)
            *why = file.errorString();
        return false;
    }
    return true;
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
