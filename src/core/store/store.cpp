#include "core/store/store.h"

#include "core/store/schema.h"

#include <QDir>
#include <QFileInfo>
#include <limits>

namespace {
QString unusable(const QString &path, const QString &reason) {
    return QStringLiteral("The data file %1 cannot be used: %2.").arg(QDir::toNativeSeparators(path), reason);
}

bool openOne(Database &db, const QString &path, const QStringList &fields, QString *why) {
    auto fail = [&](const QString &reason) {
        if (why)
            *why = unusable(path, reason);
        db.close();
        return false;
    };
    if (!db.open(path))
        return fail(db.errorText());
    const QStringList present = db.tableFields();
    if (present.isEmpty())
        return fail(QStringLiteral("it has no table named \"table\""));
    QStringList lower;
    for (const QString &f : present)
        lower << f.toLower();
    for (const QString &f : fields)
        if (!lower.contains(f))
            return fail(QStringLiteral("its table has no field \"%1\"").arg(f));
    return true;
}
// Adds the settings fields an older file lacks, each with its default, in one transaction: the only
// change the program ever makes to the structure of an existing file.
bool addMissingSettingsFields(Database &db, QString *why) {
    QStringList present;
    for (const QString &f : db.tableFields())
        present << f.toLower();
    QStringList statements;
    for (const schema::AddedField &f : schema::addedPreferenceFields())
        if (!present.contains(f.name))
            statements << QStringLiteral("alter table [table] add column %1 %2").arg(f.name, f.declaration);
    if (statements.isEmpty())
        return true;
    bool ok = db.beginImmediate();
    for (const QString &sql : std::as_const(statements))
        ok = ok && db.exec(sql);
    ok = ok && db.commit();
    if (!ok) {
        db.rollback();
        if (why)
            *why = unusable(db.path(), QStringLiteral("its settings could not be given the fields this version adds"));
    }
    return ok;
}

// A link that leads nowhere is not missing: it is refused like any other file that cannot be opened.
bool missing(const QString &path) { return !QFileInfo::exists(path) && !QFileInfo(path).isSymLink(); }

// The deal file came after the first version: a data folder without it gets it, empty. One that is there
// is opened with the same care as the others and refused the same way.
bool openDealFile(Database &db, const DealArchive &archive, const QString &path, QString *why) {
    QString reason;
    if (missing(path) && !DealArchive::createFile(path, &reason)) {
        if (why)
            *why = unusable(path, reason);
        return false;
    }
    if (!db.open(path))
        reason = db.errorText();
    else
        reason = archive.problem();
    if (reason.isEmpty())
        return true;
    if (why)
        *why = unusable(path, reason);
    db.close();
    return false;
}
} // namespace

Store::Store(QString dataFolder) : m_folder(std::move(dataFolder)) {}

Store::~Store() { close(); }

bool Store::open(QString *why) {
    close();
    const QDir dir(m_folder);
    if (!openOne(m_products, dir.filePath(schema::productsFile()), schema::productFields(), why) ||
        !openOne(m_settings, dir.filePath(schema::preferencesFile()), schema::preferenceFields(), why) ||
        !openOne(m_templates, dir.filePath(schema::vehiclesFile()), schema::vehicleFields(), why)) {
        close();
        return false;
    }
    // A deal file that is there is checked before anything is written; a missing one is made last, once
    // everything else has been found usable.
    const QString dealsPath = dir.filePath(DealArchive::fileName());
    const bool dealsMissing = missing(dealsPath);
    if (!dealsMissing && !openDealFile(m_deals, m_dealArchive, dealsPath, why)) {
        close();
        return false;
    }
    if (!addMissingSettingsFields(m_settings, why)) {
        close();
        return false;
    }
    const QString problem = m_settingsRepository.problem();
    if (!problem.isEmpty()) {
        if (why)
            *why = unusable(m_settings.path(), problem);
        close();
        return false;
    }
    if (dealsMissing && !openDealFile(m_deals, m_dealArchive, dealsPath, why)) {
        close();
        return false;
    }
    if (!m_dealArchive.addMissingFields()) {
        if (why)
            *why = unusable(dealsPath, m_deals.errorText());
        close();
        return false;
    }
    return true;
}

void Store::close() {
    m_products.close();
    m_templates.close();
    m_settings.close();
    m_deals.close();
}

void Store::setErrorHandler(ErrorHandler handler) {
    m_products.setErrorHandler(handler);
    m_templates.setErrorHandler(handler);
    m_settings.setErrorHandler(handler);
    m_deals.setErrorHandler(std::move(handler));
}

Store::AddedProducts Store::addProducts(QVector<Product> products) {
    AddedProducts added;
    if (products.isEmpty())
        return added;
    if (products.size() > std::numeric_limits<qint32>::max()) {
        added.exhausted = true;
        return added;
    }
    const SettingsRepository::Drawn drawn = m_settingsRepository.draw(Counter::Products, qint32(products.size()));
    added.exhausted = drawn.exhausted;
    if (!drawn.id)
        return added;
    added.firstId = *drawn.id;
    added.lastId = added.firstId + qint32(products.size() - 1);
    for (qsizetype i = 0; i < products.size(); ++i)
        products[i].id = double(added.firstId) + double(i);
    added.stored = m_productRepository.addAll(products);
    return added;
}
