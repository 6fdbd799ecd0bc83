#include "benchsupport.h"

#include "app/application.h"
#include "app/mainwindow.h"
#include "core/deal/dealrecord.h"
#include "core/store/database.h"
#include "core/store/firststart.h"
#include "core/store/schema.h"
#include "core/store/serversetup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <algorithm>
#include <cstdio>

namespace bench {

const char *const productLines[10] = {"Paint Protection", "Window Tint",     "Service Contract", "GAP Insurance",
                                      "Tire & Wheel",     "Key Replacement", "Dent Repair",      "Remote Start",
                                      "Anti-Theft Etch",  "Ceramic Coating"};
const char *const installers[5] = {"In-house", "ClearShield Detailing", "Sun Control Tint", "Dealer Warranty Services",
                                   "Car Audio Pros"};

namespace {
const char *const kProducts[] = {"Paint Protection Film",     "Ceramic Coating", "Window Tint",  "Fabric Protection",
                                 "Extended Service Contract", "GAP Insurance",   "Tire & Wheel", "Key Replacement",
                                 "Windshield Protection",     "Dent Repair",     "Remote Start", "Anti-Theft Etch"};
} // namespace

const char *const people[5] = {"Dana Whitfield", "Chris Moreno", "Pat Nguyen", "Sam Lee", "Alex Stone"};

// Deal i: twenty products as eight, six, four and two; any other count spread evenly over the packages.
// The choice varies from deal to deal.
DealRecord dealNumber(int i, int items) {
    Deal d;
    d.particulars = {QStringLiteral("Customer %1").arg(i), QStringLiteral("2024 Model %1").arg(i % 37),
                     QStringLiteral("S%1").arg(i, 6, 10, QLatin1Char('0')), QLatin1String(people[i % 5])};
    d.dealership = QStringLiteral("Riverside Motors");
    d.disclaimer = QStringLiteral("Payments are estimates and subject to credit approval.");
    d.rate = 6.9;
    d.term = 60;
    int sizes[4] = {8, 6, 4, 2};
    if (items != 20)
        for (int p = 0; p < 4; ++p)
            sizes[p] = std::min(menu::Slots, items / 4 + (p < items % 4 ? 1 : 0));
    for (int p = 0; p < 4; ++p) {
        d.packages[p].name = QStringLiteral("Package %1").arg(p + 1);
        for (int s = 0; s < sizes[p]; ++s) {
            const int k = (i + s * 5 + p) % 12;
            SlotProduct &slot = d.packages[p].products[s];
            slot.id = k + 1;
            slot.name = QLatin1String(kProducts[k]);
            slot.cost = 50 + 20 * k;
            slot.msrp = 200 + 75 * k;
            slot.description = QStringLiteral("Covers what the factory warranty does not.");
        }
    }
    std::array<bool, menu::Slots> kept{};
    for (int s = 0; s < menu::Slots; ++s)
        kept[s] = (i + s) % 4 != 0;
    return recordChoice(d, i % 5 - 1, kept, QStringLiteral("I was shown each product above."));
}

bool storeDeals(int count) {
    constexpr int batch = 5000;
    for (int first = 0; first < count; first += batch) {
        QVector<DealRecord> deals;
        for (int i = first; i < std::min(count, first + batch); ++i)
            deals << dealNumber(i);
        if (!app().store().deals().addAll(deals))
            return false;
    }
    return true;
}

namespace {
Folder *&current() {
    static Folder *folder = nullptr;
    return folder;
}
} // namespace

Application &app() { return current()->app(); }

int &failures() {
    static int count = 0;
    return count;
}

void fail(const char *what) {
    std::printf("%s\n", what);
    ++failures();
}

Folder::Folder(const std::optional<ServerAddress> &server) {
    current() = this;
    m_app = std::make_unique<Application>(m_dir.path());
    m_app->store().setServer(server);
    m_app->setHomeWindow<MainWindow>();
    m_app->setDatabaseErrorHandler(
        [](const QString &what) { fail(qPrintable(QStringLiteral("database error: ") + what)); });
    QString why;
    m_ok = firststart::createEmptyDataFolder(m_dir.path(), &why);
    if (m_ok && server) {
        // The empty folder's settings record and counters go with the tables; an emptied server is refused.
        const serversetup::Outcome setUp = serversetup::setUp(*server, QDir(m_dir.path()).filePath("data"));
        m_ok = setUp.status == 0;
        why = setUp.said.join(QLatin1Char(' '));
    }
    m_ok = m_ok && m_app->start(&why);
    if (!m_ok)
        fail(qPrintable(QStringLiteral("no program folder: ") + why));
}

Folder::~Folder() {
    m_app.reset();
    if (current() == this)
        current() = nullptr;
}

bool storeProducts(int first, int last, int catalogueSize) {
    Database &db = app().store().productsFile();
    db.beginImmediate();
    QSqlQuery q(db.handle());
    q.prepare(
        QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp, description, htmlpath, picturepath, "
                       "installer, phone, notes) values (?,?,?,?,?,?,'',?,?,?)"));
    bool ok = true;
    for (int i = first; i <= last && ok; ++i) {
        // A fixed scramble, so every run and every size gets the same kind of catalogue.
        const double cost = 25 + (qint64(i) * 7919 % 90000) / 100.0;
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("%1 %2")
                           .arg(QLatin1String(productLines[i % 10]))
                           .arg((qint64(i) * 104729) % catalogueSize, 6, 10, QLatin1Char('0')));
        q.addBindValue(cost);
        q.addBindValue(cost * 2.5);
        q.addBindValue(QStringLiteral("Covers what the factory warranty does not, for five years or 60,000 miles, "
                                      "with roadside help and a rental car while the vehicle is repaired."));
        q.addBindValue(QStringLiteral("webpages/product%1.html").arg(i));
        q.addBindValue(QLatin1String(installers[i % 5]));
        q.addBindValue(QStringLiteral("555-%1").arg(i % 10000, 4, 10, QLatin1Char('0')));
        q.addBindValue(i % 3 == 0 ? QStringLiteral("Ask for the extended term") : QStringLiteral(""));
        ok = q.exec();
    }
    q.finish();
    db.commit();
    if (!ok)
        fail("could not store the products");
    return ok;
}

void storeTemplate(int id, const QString &name, const std::vector<int> &products) {
    QStringList fields{QStringLiteral("id"), QStringLiteral("vehiclename"), QStringLiteral("notes")};
    QStringList marks{QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("?")};
    QVariantList values{id, name, QStringLiteral("")};
    for (int k = 0; k < 40; ++k) {
        fields << schema::slotField(k / 10, k % 10);
        marks << QStringLiteral("?");
        values << products[size_t(k)];
    }
    app().store().templatesFile().exec(
        QStringLiteral("insert into [table] (%1) values (%2)").arg(fields.join(','), marks.join(',')), values);
}

std::vector<int> spreadIds(int n, int shift) {
    std::vector<int> ids;
    for (int k = 0; k < 40; ++k)
        ids.push_back(1 + int((qint64(k) * n / 40 + shift) % n));
    return ids;
}

QString catalogueQuery() { return QStringLiteral("Select * from [table] order by aftermarketname, cost, msrp"); }

qint64 bareRead(const QString &sql, int *rows) { return bareRead(app().store().productsFile(), sql, rows); }

qint64 bareRead(Database &file, const QString &sql, int *rows) {
    QElapsedTimer t;
    t.start();
    QSqlQuery q(file.handle());
    q.setForwardOnly(true);
    q.exec(sql);
    const int columns = q.record().count();
    std::vector<QVariant> values;
    int n = 0;
    while (q.next()) {
        for (int c = 0; c < columns; ++c)
            values.push_back(q.value(c));
        ++n;
    }
    q.finish();
    *rows = n;
    return t.nsecsElapsed();
}

qint64 median(std::vector<qint64> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(qint64 ns) { return double(ns) / 1e6; }

void settle() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

} // namespace bench
