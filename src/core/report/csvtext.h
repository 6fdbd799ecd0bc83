#pragma once
// Rows as CSV text (RFC 4180): fields separated by commas, records ended by CR LF, a field holding a
// comma, a quote or a line break quoted, its quotes doubled.

#include <QList>
#include <QString>
#include <QStringList>

namespace csvtext {
QString field(const QString &value);
QString record(const QStringList &fields);
QString table(const QStringList &headings, const QList<QStringList> &rows);
} // namespace csvtext
