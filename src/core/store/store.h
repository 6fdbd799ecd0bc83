#pragma once
// The program's data files, opened once for the run, and the repositories over them.

#include "core/store/database.h"
#include "core/store/dealarchive.h"
#include "core/store/productrepository.h"
#include "core/store/serveraddress.h"
#include "core/store/settingsrepository.h"
#include "core/store/storeevents.h"
#include "core/store/templaterepository.h"

#include <QString>
#include <functional>
#include <optional>

class Store {
public:
    using ErrorHandler = std::function<void(const QString &what)>;

    explicit Store(QString dataFolder);
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // Opens the three files (never creating one) and checks that each is a database with its table,
    // fields and, for the settings, a usable record; then the deal file, made empty when it is missing.
    // A file of an earlier layout is brought up to the current one; a file a newer Quorvel made is refused.
    // On failure returns false with a message naming the file and the reason in `why`; a file found
    // unusable has not been written. On a server the same checks and steps run on its tables; a server out
    // of reach gives connectionLost() and, in `why`, only the reason as the connection gave it.
    bool open(QString *why = nullptr);
    void close();
    QString dataFolder() const { return m_folder; }

    // Where the next open() finds the data: the dealership server, or with none this computer's data folder.
    // With a server, no local data file is read or created.
    void setServer(std::optional<ServerAddress> server);
    const std::optional<ServerAddress> &server() const { return m_server; }
    // Whether the last failure (of open() or during the run) was the server not being reachable. The next
    // action after such a failure connects again.
    bool connectionLost() const;

    // What a login may change on the server, as its privileges say when the store opens; on this computer's
    // files, everything. The windows offer no change the server would refuse.
    enum class What { Catalogue, Templates, Preferences };
    bool mayChange(What what) const;

    // What happens when a file fails during the run (after it opened). The store itself tells no one.
    void setErrorHandler(ErrorHandler handler);

    struct AddedProducts {
        bool stored = false;    // every product was stored
        bool exhausted = false; // fewer ids than products were left: nothing was drawn or stored
        qint32 firstId = 0;     // the ids drawn, firstId .. lastId, in the products' order
        qint32 lastId = 0;
    };
    // Adds the products as new ones with ids drawn from the product counter, all or nothing. The block of
    // ids is drawn first (one short transaction on the settings file), then every product is inserted in
    // one transaction on the catalogue. Should the insert fail, nothing is stored and the drawn ids stay
    // unused: ids are never handed out twice.
    AddedProducts addProducts(QVector<Product> products);

    ProductRepository &products() { return m_productRepository; }
    TemplateRepository &templates() { return m_templateRepository; }
    SettingsRepository &settings() { return m_settingsRepository; }
    DealArchive &deals() { return m_dealArchive; }
    // Announces every committed write made through the repositories above.
    StoreEvents &events() { return m_events; }

    // The open files, for what the repositories do not cover (tests, benchmarks).
    Database &productsFile() { return m_products; }
    Database &templatesFile() { return m_templates; }
    Database &settingsFile() { return m_settings; }
    Database &dealsFile() { return m_deals; }

private:
    bool openServer(QString *why);
    // Hears the other desks' writes and announces them as this program's own.
    void listen();
    QString m_folder;
    std::optional<ServerAddress> m_server;
    bool m_lost = false;
    bool m_mayChange[3] = {true, true, true};
    Database m_products;
    Database m_templates;
    Database m_settings;
    Database m_deals;
    StoreEvents m_events;
    ProductRepository m_productRepository{m_products, m_events};
    TemplateRepository m_templateRepository{m_templates, m_events};
    SettingsRepository m_settingsRepository{m_settings, m_events};
    DealArchive m_dealArchive{m_deals, m_events};
};
