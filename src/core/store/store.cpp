#include "core/store/store.h"

#include "core/store/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <limits>

namespace {
QString unusable(const QString &path, const QString &reason) {
    return QCoreApplication::translate("Store", "The data file %1 cannot be used: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString unusable(const Database &db, const QString &reason) {
    if (db.isServer())
        return QCoreApplication::translate("Store", "The dealership server %1 cannot be used: %2.")
            .arg(db.path(), reason);
    return unusable(db.path(), reason);
}

// Checks that an open file can serve, before anything is written to any file: a file of a newer program is
// refused as it is, one without its table or original fields with what it lacks.
bool checkOne(Database &db, schema::File file, QString *why) {
    auto fail = [&](const QString &reason) {
        if (why)
            *why = unusable(db, reason);
        db.close();
        return false;
    };
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
        return fail(QCoreApplication::translate("Store", "it has no table named \"%1\"")
                        .arg(db.isServer() ? schema::serverTable(file) : QStringLiteral("table")));
    QStringList lower;
    for (const QString &f : present)
        lower << f.toLower();
    for (const QString &f : std::as_const(fields))
        if (!lower.contains(f))
            return fail(QCoreApplication::translate("Store", "its table has no field \"%1\"").arg(f));
    return true;
}

bool openOne(Database &db, const QString &path, schema::File file, QString *why) {
    if (db.open(path))
        return checkOne(db, file, why);
    if (why)
        *why = unusable(path, db.errorText());
    db.close();
    return false;
}

bool bringUp(Database &db, schema::File file, QString *why, const std::function<QString()> &check = {}) {
    QString reason;
    if (schema::upgrade(db, file, &reason, check))
        return true;
    if (why)
        *why = unusable(db, reason);
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

Store::Store(QString dataFolder) : m_folder(std::move(dataFolder)) { setErrorHandler({}); }

Store::~Store() { close(); }

void Store::setServer(std::optional<ServerAddress> server) { m_server = std::move(server); }

bool Store::connectionLost() const { return m_lost; }

bool Store::mayChange(What what) const { return m_mayChange[int(what)]; }

bool Store::open(QString *why) {
    close();
    m_lost = false;
    std::fill(std::begin(m_mayChange), std::end(m_mayChange), true);
    if (m_server)
        return openServer(why);
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

bool Store::openServer(QString *why) {
    const std::pair<Database *, schema::File> parts[] = {{&m_settings, schema::File::Settings},
                                                         {&m_products, schema::File::Products},
                                                         {&m_templates, schema::File::Templates},
                                                         {&m_deals, schema::File::Deals}};
    auto fail = [&](const QString &reason) {
        if (why)
            *why = reason;
        close();
        return false;
    };
    for (const auto &[db, file] : parts) {
        if (!db->openServer(*m_server, schema::serverTable(file))) {
            // Out of reach: the reason as the connection gave it, for the caller to word.
            m_lost = db->lost();
            return fail(m_lost ? db->errorText() : unusable(*db, db->errorText()));
        }
        if (db->columns(QStringLiteral("quorvel_layout")).isEmpty())
            return fail(
                unusable(*db, QCoreApplication::translate("Store", "it has not been set up for Quorvel (run "
                                                                   "quorvel --setup-server with its address)")));
        if (!checkOne(*db, file, why))
            return fail(why ? *why : QString());
    }
    if (const QString problem = m_dealArchive.problem(); !problem.isEmpty())
        return fail(unusable(m_deals, problem));
    // As with files: the settings first, undone when the record cannot serve; then the rest.
    if (!bringUp(m_settings, schema::File::Settings, why, [this] { return m_settingsRepository.problem(); }))
        return fail(why ? *why : QString());
    if (const QString problem = m_settingsRepository.problem(); !problem.isEmpty())
        return fail(unusable(m_settings, problem));
    if (!bringUp(m_products, schema::File::Products, why) || !bringUp(m_templates, schema::File::Templates, why) ||
        !bringUp(m_deals, schema::File::Deals, why))
        return fail(why ? *why : QString());
    // A desk's login only reads these; the server would refuse its changes anyway.
    m_settings.select(QStringLiteral("select has_table_privilege(current_user, '%1', 'UPDATE'), "
                                     "has_table_privilege(current_user, '%2', 'UPDATE'), "
                                     "has_table_privilege(current_user, '%3', 'UPDATE')")
                          .arg(schema::serverTable(schema::File::Products),
                               schema::serverTable(schema::File::Templates),
                               schema::serverTable(schema::File::Settings)),
                      {}, [this](const QSqlQuery &q) {
                          for (int i = 0; i < 3; ++i)
                              m_mayChange[i] = q.value(i).toBool();
                      });
    m_dealArchive.rehearse();
    listen();
    return true;
}

void Store::listen() {
    // One connection hears every desk: each listener costs the server a wake-up for every write of any desk.
    // It ignores what this program's four connections announced, marked with one sender for all of them.
    const QString sender = QUuid::createUuid().toString(QUuid::Id128);
    for (Database *db : {&m_products, &m_templates, &m_settings, &m_deals})
        db->setSender(sender);
    // Another connection found the server gone and back: the listening one went too, and is made again
    // (and so reads everything again) at once rather than at its next statement.
    for (Database *db : {&m_products, &m_templates, &m_settings})
        db->whenMadeAfresh([this] { m_deals.select(QStringLiteral("select 1"), {}, [](const QSqlQuery &) {}); });
    // While the signals below run, the events carry the dynamic property "anotherDesk", for a window that tells
    // its user of what changed under it (this desk's own writes the user made himself).
    auto heard = [this](const std::function<void()> &emitting) {
        m_events.setProperty("anotherDesk", true);
        emitting();
        m_events.setProperty("anotherDesk", false);
    };
    m_deals.listen([this, heard](const QString &what) {
        // Made afresh: the server was away. Every other connection is tried (and so made afresh, when it went
        // too), and everything is read again, as announcements were missed meanwhile.
        const bool afresh = what.isNull();
        if (afresh)
            for (Database *db : {&m_products, &m_templates, &m_settings})
                db->select(QStringLiteral("select 1"), {}, [](const QSqlQuery &) {});
        if (afresh || what == announced::products)
            heard([this] { emit m_events.productsChanged(); });
        if (afresh || what == announced::templates)
            emit m_events.templatesChanged();
        if (afresh || what == announced::settings)
            emit m_events.settingsChanged();
        if (afresh)
            emit m_events.dealsAdded({});
        else if (const std::optional<QList<qint64>> ids = announced::dealsIn(what))
            emit m_events.dealsAdded(*ids);
    });
}

void Store::close() {
    m_products.close();
    m_templates.close();
    m_settings.close();
    m_deals.close();
}

void Store::setErrorHandler(ErrorHandler handler) {
    for (Database *db : {&m_products, &m_templates, &m_settings, &m_deals})
        db->setErrorHandler([this, db, handler](const QString &what) {
            m_lost = db->lost();
            // The server is gone for every connection to it: each connects afresh at its next statement.
            if (m_lost)
                for (Database *other : {&m_products, &m_templates, &m_settings, &m_deals})
                    other->markBroken();
            if (handler)
                handler(what);
            else
                std::fprintf(stderr, "Quorvel: %s\n", qPrintable(what));
        });
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
