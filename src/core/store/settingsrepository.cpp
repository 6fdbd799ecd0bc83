#include "core/store/settingsrepository.h"

#include "core/money/numbers.h"
#include "core/store/database.h"
#include "core/store/schema.h"
#include "core/store/storeevents.h"
#include "core/text/storedtext.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <limits>

namespace {
const QString kSelect = QStringLiteral("select * from [table] limit 1");

qint32 toInt32(const QVariant &v) { return numbers::toInt32HalfEven(numbers::fromField(v)).value_or(0); }
bool flag(const QVariant &v) { return numbers::fromField(v) != 0; }
QString trimmed(const QVariant &v) { return storedtext::trimBlanks(v.toString()); }

Settings fromRecord(const QSqlQuery &q) {
    Settings s;
    s.productCounter = toInt32(q.value(QStringLiteral("am_total")));
    s.templateCounter = toInt32(q.value(QStringLiteral("ve_total")));
    for (int p = 0; p < menu::Packages; ++p)
        s.packageNames[p] = q.value(QStringLiteral("package%1").arg(p + 1)).toString();
    s.taxRate = float(numbers::fromField(q.value(QStringLiteral("taxrate"))));
    s.disclosePrices = flag(q.value(QStringLiteral("discloseprices")));
    s.discloseTotals = flag(q.value(QStringLiteral("disclosetotals")));
    s.interestRate = float(numbers::fromField(q.value(QStringLiteral("interestrate"))));
    s.financeTerm = toInt32(q.value(QStringLiteral("financeterm")));
    s.dealershipName = trimmed(q.value(QStringLiteral("dealershipname")));
    s.salespersonName = trimmed(q.value(QStringLiteral("salespersonname")));
    s.disclaimer = trimmed(q.value(QStringLiteral("disclaimer")));
    s.password = trimmed(q.value(QStringLiteral("password")));
    s.passwordProtect = flag(q.value(QStringLiteral("passwordprotect")));
    s.includeTax = flag(q.value(QStringLiteral("includetax")));
    s.financeTerm2 = toInt32(q.value(QStringLiteral("financeterm2")));
    s.financeTerm3 = toInt32(q.value(QStringLiteral("financeterm3")));
    s.statement = trimmed(q.value(QStringLiteral("statement")));
    s.leaseDeal = flag(q.value(QStringLiteral("leasedeal")));
    return s;
}

const QString kWrite = QStringLiteral(
    "update [table] set am_total=max(am_total,?), ve_total=max(ve_total,?), package1=?, package2=?, package3=?, "
    "package4=?, taxrate=?, discloseprices=?, disclosetotals=?, interestrate=?, financeterm=?, dealershipname=?, "
    "salespersonname=?, disclaimer=?, password=?, passwordprotect=?, includetax=?, financeterm2=?, financeterm3=?, "
    "statement=?, leasedeal=? "
    "where rowid=(select min(rowid) from [table])");

QVariantList values(const Settings &s) {
    return {s.productCounter,         s.templateCounter,      s.packageNames[0], s.packageNames[1],
            s.packageNames[2],        s.packageNames[3],      double(s.taxRate), s.disclosePrices ? 1 : 0,
            s.discloseTotals ? 1 : 0, double(s.interestRate), s.financeTerm,     s.dealershipName,
            s.salespersonName,        s.disclaimer,           s.password,        s.passwordProtect ? 1 : 0,
            s.includeTax ? 1 : 0,     s.financeTerm2,         s.financeTerm3,    s.statement,
            s.leaseDeal ? 1 : 0};
}
// On a server the salesperson is the login's own (its row alone is visible to it); the shared record's
// salespersonname is left as it stands.
const QString kOwnSalesperson = QStringLiteral("select salesperson from deskpreferences where username = current_user");
const QString kWriteOwnSalesperson = QStringLiteral(
    "insert into deskpreferences (salesperson) values (?) on conflict (username) do update set salesperson = "
    "excluded.salesperson");
} // namespace

QString SettingsRepository::problem() const {
    QString problem = QCoreApplication::translate("SettingsRepository", "it holds no settings record");
    m_db.select(kSelect, {}, [&problem](const QSqlQuery &q) {
        problem.clear();
        const QStringList fields = schema::preferenceFields() + schema::addedPreferenceFields();
        const QStringList limited = settingsNumberFields();
        Settings scratch;
        for (const QString &f : std::as_const(fields)) {
            const QVariant v = q.value(f);
            if (v.isNull()) {
                problem =
                    QCoreApplication::translate("SettingsRepository", "its settings record has no value for %1").arg(f);
                return;
            }
            // A counter read as anything but itself would hand out ids again.
            if (limited.contains(f) && !setNumber(scratch, f, numbers::fromField(v))) {
                problem = QCoreApplication::translate("SettingsRepository",
                                                      "its settings record holds a number out of range for %1")
                              .arg(f);
                return;
            }
        }
    });
    return problem;
}

Settings SettingsRepository::shared() const {
    Settings s;
    m_db.select(kSelect, {}, [&s](const QSqlQuery &q) { s = fromRecord(q); });
    return s;
}

Settings SettingsRepository::read() const {
    Settings s = shared();
    if (m_db.isServer()) {
        s.salespersonName.clear();
        m_db.select(kOwnSalesperson, {}, [&s](const QSqlQuery &q) { s.salespersonName = trimmed(q.value(0)); });
    }
    return s;
}

bool SettingsRepository::write(const Settings &settings) {
    if (m_db.isServer()) {
        const Settings stored = shared();
        Settings dealership = settings;
        dealership.salespersonName = stored.salespersonName;
        // A desk that may not change the dealership's preferences still keeps its own salesperson.
        const QVariantList wanted = values(dealership);
        if (!m_db.announced(announced::settings, [&] {
                return (wanted.mid(2) == values(stored).mid(2) || m_db.exec(kWrite, wanted)) &&
                       m_db.exec(kWriteOwnSalesperson, {settings.salespersonName});
            }))
            return false;
    } else if (!m_db.exec(kWrite, values(settings))) {
        return false;
    }
    emit m_events.settingsChanged();
    return true;
}

SettingsRepository::Drawn SettingsRepository::draw(Counter counter, qint32 count) {
    Drawn drawn;
    if (count < 1 || !m_db.beginImmediate())
        return drawn;
    drawn.settings = shared();
    qint32 &value = counter == Counter::Products ? drawn.settings.productCounter : drawn.settings.templateCounter;
    if (value > std::numeric_limits<qint32>::max() - count) {
        m_db.rollback();
        drawn.exhausted = true;
        return drawn;
    }
    const qint32 first = value + 1;
    value += count;
    if (!m_db.exec(kWrite, values(drawn.settings)) || !m_db.announce(announced::settings) || !m_db.commit()) {
        m_db.rollback();
        return drawn;
    }
    drawn.id = first;
    drawn.settings.salespersonName = read().salespersonName;
    emit m_events.settingsChanged();
    return drawn;
}
