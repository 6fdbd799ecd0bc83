#pragma once
// Shared help for the core's tests: a data folder made as the program makes it, with the store open
// on it, and ways to put records straight into its files.

#include "core/store/store.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

namespace coretest {

// Which engine a test's store runs on: a data-driven test's rows named "server ..." run on the test
// program's PostgreSQL cluster, the others on files.
enum class Engine { Files, Server };
Engine currentEngine();
// The rows "files" and "server", for a test that runs the same on both engines.
void bothEngines();

class DataFolder {
public:
    enum class Content { Empty, Samples };
    // On the server, the folder is made as on files and copied into a fresh database, which the store uses.
    explicit DataFolder(Content content = Content::Empty, Engine engine = currentEngine());
    bool ok() const { return m_ok; }
    QString dataFile(const QString &name) const;
    Store &store() { return *m_store; }
    // Database failures reported while the store was open (none expected in most tests).
    QStringList &errors() { return m_errors; }
    // Closes the store and opens it again, as a new start of the program does.
    bool reopen(QString *why = nullptr);
    // The server's database, on the server engine.
    const std::optional<ServerAddress> &server() const { return m_server; }

private:
    QTemporaryDir m_dir;
    std::optional<ServerAddress> m_server;
    std::unique_ptr<Store> m_store;
    QStringList m_errors;
    bool m_ok = false;
};

// Stores a product straight into the catalogue file; its id is drawn from the counter when not given.
int addProduct(Store &store, const QString &name, double cost, double msrp, const QString &description = QString(),
               const QString &htmlpath = QString(), int id = -1);
// Stores a template; `menu` holds up to 40 product ids, package by package. Returns its id.
int addTemplate(Store &store, const QString &name, const QString &notes, const QList<int> &menu = {},
                const QStringList &packageNames = {}, int id = -1);
// A file's bytes; empty when it cannot be read.
QByteArray bytes(const QString &path);
// Writes the file whole, in place of what it held; false when it could not.
bool writeBytes(const QString &path, const QByteArray &bytes);
// Runs a query on one of the store's files and returns the first column of every row.
QVariantList column(Database &file, const QString &sql);
// Runs the statements on the deal file at `path` as a database tool would, on a connection of its own,
// after dropping the triggers that keep stored deals from being changed. False when one failed.
bool changeDealFile(const QString &path, const QStringList &statements);
void setSetting(Store &store, const QString &field, const QVariant &value);
QVariant storedSetting(Store &store, const QString &field);

} // namespace coretest
