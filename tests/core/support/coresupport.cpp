#include "coresupport.h"

#include "core/store/firststart.h"
#include "core/store/schema.h"
#include "core/store/serversetup.h"
#include "pgcluster.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace coretest {

Engine currentEngine() {
    return QByteArray(QTest::currentDataTag()).startsWith("server") ? Engine::Server : Engine::Files;
}

void bothEngines() {
    QTest::addColumn<bool>("unused");
    QTest::newRow("files") << false;
    QTest::newRow("server") << true;
}

DataFolder::DataFolder(Content content, Engine engine) {
    QString why;
    bool made = content == Content::Samples ? firststart::createDataFolder(m_dir.path(), &why)
                                            : firststart::createEmptyDataFolder(m_dir.path(), &why);
    if (made && engine == Engine::Server) {
        PgCluster &cluster = PgCluster::shared();
        m_server = cluster.freshDatabase();
        const serversetup::Outcome setUp = m_server
                                               ? serversetup::setUp(*m_server, QDir(m_dir.path()).filePath(u"data"_s))
                                               : serversetup::Outcome{1, {cluster.why()}};
        made = setUp.status == 0;
        why = setUp.said.join(QLatin1Char('\n'));
    }
    m_ok = made && reopen(&why);
    if (!m_ok && engine == Engine::Server) {
        // A server that cannot be had fails the test, never skips it.
        m_store = std::make_unique<Store>(QString());
        QTest::qFail(qPrintable(u"no store on the test server: "_s + why), __FILE__, __LINE__);
    } else if (!m_ok) {
        qWarning("data folder not ready: %s", qPrintable(why));
    }
}

bool DataFolder::reopen(QString *why) {
    m_store.reset();
    m_store = std::make_unique<Store>(QDir(m_dir.path()).filePath(u"data"_s));
    m_store->setServer(m_server);
    if (!m_store->open(why))
        return false;
    m_store->setErrorHandler([this](const QString &what) {
        qWarning("database error: %s", qPrintable(what));
        m_errors << what;
    });
    return true;
}

QString DataFolder::dataFile(const QString &name) const { return QDir(m_dir.path()).filePath(u"data/"_s + name); }

int addProduct(Store &store, const QString &name, double cost, double msrp, const QString &description,
               const QString &htmlpath, int id) {
    if (id < 0)
        id = store.settings().draw(Counter::Products).id.value_or(0);
    store.productsFile().exec(
        QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp, description, htmlpath, picturepath, "
                       "installer, phone, notes) values (?,?,?,?,?,?,'','','','')"),
        {id, name, cost, msrp, description.isEmpty() ? QVariant() : QVariant(description), htmlpath});
    return id;
}

int addTemplate(Store &store, const QString &name, const QString &notes, const QList<int> &menu,
                const QStringList &packageNames, int id) {
    if (id < 0)
        id = store.settings().draw(Counter::Templates).id.value_or(0);
    QStringList names{u"id"_s, u"vehiclename"_s, u"notes"_s};
    QVariantList values{id, name, notes};
    for (int p = 0; p < 4; ++p) {
        names << u"package%1"_s.arg(p + 1);
        values << packageNames.value(p);
    }
    for (int i = 0; i < 40; ++i) {
        names << schema::slotField(i / 10, i % 10);
        values << menu.value(i, 0);
    }
    const QStringList marks(names.size(), u"?"_s);
    store.templatesFile().exec(u"insert into [table] (%1) values (%2)"_s.arg(names.join(','), marks.join(',')), values);
    return id;
}

QByteArray bytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QVariantList column(Database &file, const QString &sql) {
    QVariantList out;
    file.select(sql, {}, [&out](const QSqlQuery &q) { out << q.value(0); });
    return out;
}

bool changeDealFile(const QString &path, const QStringList &statements) {
    const QString name = u"database tool"_s;
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        for (const char *trigger :
             {"deals_kept_changed", "deals_kept_deleted", "dealitems_kept_changed", "dealitems_kept_deleted"})
            ok = ok && q.exec(u"drop trigger if exists %1"_s.arg(QLatin1String(trigger)));
        for (const QString &sql : statements)
            if (ok && !(ok = q.exec(sql)))
                qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

void setSetting(Store &store, const QString &field, const QVariant &value) {
    store.settingsFile().exec(u"update [table] set [%1]=?"_s.arg(field), {value});
}

QVariant storedSetting(Store &store, const QString &field) {
    return column(store.settingsFile(), u"select [%1] from [table]"_s.arg(field)).value(0);
}

} // namespace coretest
