#include "core/store/folders.h"

#include <QDir>

namespace folders {
QString data(const QString &programFolder) { return QDir(programFolder).filePath(QStringLiteral("data")); }
QString webpages(const QString &programFolder) { return QDir(programFolder).filePath(QStringLiteral("webpages")); }
QString printouts(const QString &programFolder) { return QDir(programFolder).filePath(QStringLiteral("printouts")); }
} // namespace folders
