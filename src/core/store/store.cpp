#include "core/store/store.h"

#include "core/store/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <limits>

namespace {
QString unusable(const QString &path, const QString &reason) {
    return QCoreApplication::translate("Store", "The data file %1 cannot be used: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Opens an existing file and checks it can serve, before anything is written to any file: a file of a
// newer program is refused as it is, one without its table or original fields with what it lacks.
bool openOne(Database &db, const QString &path, schema::File file, QString *why) {
    auto fail = [&](const QString &reason) {
        if (why)
            *why = unusable(path, reason);
        db.close();
        return false;
    };
    if (!db.open(path))
        return fail(db.errorText());
    if (schema::madeByNewer(db, file))
        return fail(schema::madeByNewerReason());
    QStringList fields;
    switch (file) {
    case schema::File::Products:
        fields = schema::productFields();
        break;
    case schema::File::Templates:
        fields = schema::vehicleFields();
        break;
    case schema::File::Settings:
        fields = schema::preferenceFields();
        break;
    case schema::File::Deals:
        return true;
    }
    const QStringList present = db.tableFields();
    if (present.isEmpty())
        return fail(QCoreApplication::translate("Store", "it has no table named \"table\""));
    QStringList lower;
    for (const QString &f : present)
        lower << f.toLower();
    for (const QString &f : std::as_const(fields))
        if (!lower.contains(f))
            return fail(QCoreApplication::translate("Store", "its table has no field \"%1\"").arg(f));
    return true;
}

bool bringUp(Database &db, schema::File file, QString *why, const std::function<QString()> &check = {}) {
    QString reason;
    if (schema::upgrade(db, file, &reason, check))
        return true;
    if (why)
        *why = unusable(db.path(), reason);
    return false;
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
    if (!openOne(db, path, schema::File::Deals, why))
        return false;
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

void Store::setServer(std::optional<ServerAddress> server) { m_server = std::move(server); }

bool Store::connectionLost() const { return m_lost; }

bool Store::open(QString *why) {
    close();
    m_lost = false;
    if (m_server) {
        if (why)
            *why = QCoreApplication::translate("Store", "Quorvel cannot use a dealership server yet.");
        return false;
    }
    const QDir dir(m_folder);
    if (!openOne(m_products, dir.filePath(schema::productsFile()), schema::File::Products, why) ||
        !openOne(m_settings, dir.filePath(schema::preferencesFile()), schema::File::Settings, why) ||
        !openOne(m_templates, dir.filePath(schema::vehiclesFile()), schema::File::Templates, why)) {
        close();
        return false;
    }
    // A deal file that is there is checked before anything is written; a missing one is made last, once
    // everything else has been found usable.
    const QString dealsPath = dir.filePath(schema::dealsFile());
    const bool dealsMissing = missing(dealsPath);
    if (!dealsMissing && !openDealFile(m_deals, m_dealArchive, dealsPath, why)) {
        close();
        return false;
    }
    // Every file is usable: now each is brought up to this version's layout, the settings first, whose
    // record is checked with every field it now has.
    // A record that cannot serve undoes the upgrade: a refused file is left as it was.
    if (!bringUp(m_settings, schema::File::Settings, why, [this] { return m_settingsRepository.problem(); })) {
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
    if (!bringUp(m_products, schema::File::Products, why) || !bringUp(m_templates, schema::File::Templates, why)) {
        close();
        return false;
    }
    if (dealsMissing && !openDealFile(m_deals, m_dealArchive, dealsPath, why)) {
        close();
        return false;
    }
    if (!bringUp(m_deals, schema::File::Deals, why)) {
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
