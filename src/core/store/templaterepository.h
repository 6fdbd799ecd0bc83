#pragma once
// The package templates in `vehicles.mdb`.

#include "core/store/packagetemplate.h"
#include "core/store/recordwalk.h"

#include <QVector>
#include <memory>
#include <optional>

class Database;
class StoreEvents;

// A template as the lists show it: its record, id, vehicle name and notes.
struct ListedTemplate {
    qint64 record = 0;
    double id = 0;
    QString vehiclename;
    QString notes;
};

class TemplateRepository : public RecordSource<PackageTemplate> {
public:
    TemplateRepository(Database &db, StoreEvents &events) : m_db(db), m_events(events) {}

    // The template list: templates with an id above 0, by vehicle name and notes.
    QVector<ListedTemplate> listed() const;
    // The worksheet's choice of templates: id above 0, by vehicle name.
    QVector<ListedTemplate> choices() const;
    // The template a choice was made from; when that record has gone or holds another id, the first
    // record still holding the id.
    std::optional<PackageTemplate> chosen(qint64 record, double id) const;

    std::optional<PackageTemplate> load(qint64 record) const override;
    StoreOutcome store(qint64 record, const PackageTemplate &value, std::optional<PackageTemplate> &read) override;
    std::optional<qint64> add(const PackageTemplate &value) override;
    bool remove(qint64 record) override;

    std::unique_ptr<RecordWalk<PackageTemplate>> walk(QVector<qint64> records, int position);

private:
    QVector<ListedTemplate> list(const QString &sql) const;
    Database &m_db;
    StoreEvents &m_events;
};
