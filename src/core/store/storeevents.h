#pragma once
// What the store announces once a write of this run has been committed, so that every window showing
// that data reads it again on its own. Nothing is announced for a write that failed or was rolled back.

#include <QList>
#include <QObject>
#include <QStringList>
#include <optional>

// What the other desks on a server are told of a committed write: the kind of data, and for deals their numbers.
namespace announced {
inline const QString products = QStringLiteral("products");
inline const QString templates = QStringLiteral("templates");
inline const QString settings = QStringLiteral("settings");
inline QString deals(const QList<qint64> &ids) {
    QStringList numbers;
    for (qint64 id : ids)
        numbers << QString::number(id);
    const QString all = QStringLiteral("deals:") + numbers.join(QLatin1Char(','));
    // The server carries less than 8000 bytes: past that the others read every deal again.
    return all.size() < 7000 ? all : QStringLiteral("deals");
}
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
