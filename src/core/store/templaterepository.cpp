#include "core/store/templaterepository.h"

#include "core/money/numbers.h"
#include "core/store/database.h"
#include "core/store/schema.h"
#include "core/store/storeevents.h"
#include "core/text/storedtext.h"

#include <QSqlQuery>
#include <QStringList>
#include <cmath>

namespace {
QString allFields() { return schema::vehicleFields().join(QStringLiteral(", ")); }

QString selectWhole() { return QStringLiteral("select ") + allFields() + QStringLiteral(" from [table]"); }

// Columns in the order of schema::vehicleFields().
PackageTemplate fromRow(const QSqlQuery &q) {
    PackageTemplate t;
    t.id = numbers::fromField(q.value(0));
    t.vehiclename = storedtext::trimBlanks(q.value(1).toString());
    t.notes = storedtext::trimBlanks(q.value(2).toString());
    for (int p = 0; p < menu::Packages; ++p)
        t.packageNames[p] = storedtext::trimBlanks(q.value(3 + p).toString());
    for (int p = 0; p < menu::Packages; ++p)
        for (int s = 0; s < menu::Slots; ++s)
            t.productIds[p][s] = numbers::fromField(q.value(7 + p * menu::Slots + s));
    return t;
}

QVariantList values(const PackageTemplate &t) {
    QVariantList v{storedNumber(t.id), storedtext::trimBlanks(t.vehiclename), storedtext::trimBlanks(t.notes)};
    for (const QString &name : t.packageNames)
        v << storedtext::trimBlanks(name);
    for (const auto &package : t.productIds)
        for (double id : package)
            v << storedNumber(id);
    return v;
}
} // namespace

QVector<ListedTemplate> TemplateRepository::list(const QString &sql) const {
    QVector<ListedTemplate> rows;
    m_db.select(sql, {}, [&rows](const QSqlQuery &q) {
        rows.append({q.value(0).toLongLong(), numbers::fromField(q.value(1)),
                     storedtext::trimBlanks(q.value(2).toString()), storedtext::trimBlanks(q.value(3).toString())});
    });
    return rows;
}

QVector<ListedTemplate> TemplateRepository::listed() const {
    return list(
        QStringLiteral("select rowid, id, vehiclename, notes from [table] where id>0 order by vehiclename, notes"));
}

QVector<ListedTemplate> TemplateRepository::choices() const {
    return list(QStringLiteral("select rowid, id, vehiclename, notes from [table] where id>0 order by vehiclename"));
}

std::optional<PackageTemplate> TemplateRepository::chosen(qint64 record, double id) const {
    std::optional<PackageTemplate> found;
    m_db.select(selectWhole() + QStringLiteral(" where rowid = ? and id = ?"), {record, storedNumber(id)},
                [&found](const QSqlQuery &q) { found = fromRow(q); });
    if (!found)
        m_db.select(selectWhole() + QStringLiteral(" where id = ? order by rowid limit 1"), {storedNumber(id)},
                    [&found](const QSqlQuery &q) { found = fromRow(q); });
    return found;
}

std::optional<PackageTemplate> TemplateRepository::load(qint64 record) const {
    std::optional<PackageTemplate> found;
    m_db.select(selectWhole() + QStringLiteral(" where rowid = ?"), {record},
                [&found](const QSqlQuery &q) { found = fromRow(q); });
    return found;
}

StoreOutcome TemplateRepository::store(qint64 record, const PackageTemplate &value,
                                       std::optional<PackageTemplate> &read) {
    QStringList sets;
    for (const QString &f : schema::vehicleFields())
        sets << f + QStringLiteral("=?");
    QVariantList binds = values(value);
    binds << record;
    const QString update = QStringLiteral("update [table] set %1 where rowid=?").arg(sets.join(QStringLiteral(", ")));
    const StoreOutcome outcome = m_db.storeUnchanged<PackageTemplate>(
        selectWhole() + QStringLiteral(" where rowid = ?"), record, fromRow, [&] { return m_db.exec(update, binds) && m_db.announce(announced::templates); },
        read);
    if (outcome == StoreOutcome::Stored)
        emit m_events.templatesChanged();
    return outcome;
}

std::optional<qint64> TemplateRepository::add(const PackageTemplate &value) {
    QStringList marks;
    for (int i = 0; i < schema::vehicleFields().size(); ++i)
        marks << QStringLiteral("?");
    qint64 record = 0;
    if (!m_db.announced(announced::templates, [&] {
            return m_db.exec(
                QStringLiteral("insert into [table] (%1) values (%2)").arg(allFields(), marks.join(QLatin1Char(','))),
                values(value), nullptr, &record);
        }))
        return std::nullopt;
    emit m_events.templatesChanged();
    return record;
}

bool TemplateRepository::remove(qint64 record) {
    if (!m_db.announced(announced::templates,
                        [&] { return m_db.exec(QStringLiteral("delete from [table] where rowid=?"), {record}); }))
        return false;
    emit m_events.templatesChanged();
    return true;
}

std::unique_ptr<RecordWalk<PackageTemplate>> TemplateRepository::walk(QVector<qint64> records, int position) {
    return std::make_unique<RecordWalk<PackageTemplate>>(*this, std::move(records), position);
}
