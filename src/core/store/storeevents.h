#pragma once
// What the store announces once a write of this run has been committed, so that every window showing
// that data reads it again on its own. Nothing is announced for a write that failed or was rolled back.

#include <QList>
#include <QObject>
#include <QStringList>
#include <optional>

// What the other desks on a server are told of a committed write: the kind of data; for deals, which the server
// announces as it stores them, their numbers.
namespace announced {
inline const QString products = QStringLiteral("products");
inline const QString templates = QStringLiteral("templates");
inline const QString settings = QStringLiteral("settings");
// The deals an announcement names (none named: read them all again); nothing when it is not about deals.
inline std::optional<QList<qint64>> dealsIn(const QString &what) {
    if (what == QLatin1String("deals"))
        return QList<qint64>();
    if (!what.startsWith(QLatin1String("deals:")))
        return std::nullopt;
    QList<qint64> ids;
    for (const QString &number : what.mid(6).split(QLatin1Char(','), Qt::SkipEmptyParts))
        ids << number.toLongLong();
    return ids;
}
} // namespace announced

class StoreEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // A product was stored, added, copied, deleted or imported.
    void productsChanged();
    // A package template was stored, added, copied or deleted.
    void templatesChanged();
    // The settings record was written (preferences saved, or an id drawn from a counter).
    void settingsChanged();
    // Deals were stored, in one transaction; their numbers in the order stored.
    void dealsAdded(const QList<qint64> &ids);
};
