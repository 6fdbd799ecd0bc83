#pragma once
// What the store announces once a write of this run has been committed, so that every window showing
// that data reads it again on its own. Nothing is announced for a write that failed or was rolled back.

#include <QList>
#include <QObject>

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
