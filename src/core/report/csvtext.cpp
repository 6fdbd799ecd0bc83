#include "core/report/csvtext.h"

namespace csvtext {

QString field(const QString &value) {
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (QChar c : value)
        quote = quote || special.contains(c);
    if (!quote)
        return value;
    QString out = value;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString record(const QStringList &fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &f : fields)
        quoted << field(f);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString table(const QStringList &headings, const QList<QStringList> &rows) {
    QString out = record(headings);
    for (const QStringList &row : rows)
        out += record(row);
    return out;
}

} // namespace csvtext
