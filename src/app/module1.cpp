#include "module1.h"

#include "app/numbers.h"
#include "app/programlocation.h"
#include "app/prompts.h"
#include "app/windows.h"
#include "data/schema.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>

namespace Module1 {

Database dbproducts;
Database dbvehicles;
Database dbpreferences;
RecordSetPtr rsproducts;
RecordSetPtr rsvehicles;
RecordSetPtr rspreferences;
QString productlistsql;
bool productlistfirst = true;
QString packagelistsql;
bool packagelistfirst = true;
const QString tabchar = QStringLiteral("\t");

qint32 am_total = 0;
qint32 ve_total = 0;
QString package1, package2, package3, package4;
float taxrate = 0;
bool discloseprices = false;
bool disclosetotals = false;
float interestrate = 0;
qint32 financeterm = 0;
QString dealershipname;
QString salespersonname;
QString disclaimer;
QString password;
bool passwordprotect = false;
bool includetax = false;

namespace {
QString &folderSlot() {
    static QString folder;
    return folder;
}

bool openOne(Database &db, const QString &file, const QStringList &fields, QString *why) {
    const QString path = QDir(dataFolder()).filePath(file);
    auto fail = [&](const QString &reason) {
        if (why)
            *why = QStringLiteral("The data file %1 cannot be used: %2.").arg(QDir::toNativeSeparators(path), reason);
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

qint32 toInt32(const QVariant &v) { return numbers::toInt32HalfEven(v.toDouble()).value_or(0); }
QString trimmed(const QVariant &v) { return v.toString().trimmed(); }

void readFrom(RecordSet &rs) {
    am_total = toInt32(rs.field(QStringLiteral("am_total")));
    ve_total = toInt32(rs.field(QStringLiteral("ve_total")));
    package1 = rs.text(QStringLiteral("package1"));
    package2 = rs.text(QStringLiteral("package2"));
    package3 = rs.text(QStringLiteral("package3"));
    package4 = rs.text(QStringLiteral("package4"));
    taxrate = float(rs.field(QStringLiteral("taxrate")).toDouble());
    discloseprices = rs.field(QStringLiteral("discloseprices")).toDouble() != 0;
    disclosetotals = rs.field(QStringLiteral("disclosetotals")).toDouble() != 0;
    interestrate = float(rs.field(QStringLiteral("interestrate")).toDouble());
    financeterm = toInt32(rs.field(QStringLiteral("financeterm")));
    dealershipname = trimmed(rs.field(QStringLiteral("dealershipname")));
    salespersonname = trimmed(rs.field(QStringLiteral("salespersonname")));
    disclaimer = trimmed(rs.field(QStringLiteral("disclaimer")));
    password = trimmed(rs.field(QStringLiteral("password")));
    passwordprotect = rs.field(QStringLiteral("passwordprotect")).toDouble() != 0;
    includetax = rs.field(QStringLiteral("includetax")).toDouble() != 0;
}

// The settings record's values; counters never go below what another copy has already stored.
QString writeSql() {
    return QStringLiteral(
        "update [table] set am_total=max(am_total,?), ve_total=max(ve_total,?), package1=?, package2=?, package3=?, "
        "package4=?, taxrate=?, discloseprices=?, disclosetotals=?, interestrate=?, financeterm=?, dealershipname=?, "
        "salespersonname=?, disclaimer=?, password=?, passwordprotect=?, includetax=? "
        "where rowid=(select min(rowid) from [table])");
}

QVariantList writeValues() {
    return {am_total,
            ve_total,
            package1,
            package2,
            package3,
            package4,
            double(taxrate),
            discloseprices ? 1 : 0,
            disclosetotals ? 1 : 0,
            double(interestrate),
            financeterm,
            dealershipname,
            salespersonname,
            disclaimer,
            password,
            passwordprotect ? 1 : 0,
            includetax ? 1 : 0};
}
} // namespace

QString programFolder() {
    if (folderSlot().isEmpty())
        return programlocation::decide(programlocation::current());
    return folderSlot();
}
void setProgramFolder(const QString &folder) { folderSlot() = folder; }
QString dataFolder() { return QDir(programFolder()).filePath(QStringLiteral("data")); }
QString webpagesFolder() { return QDir(programFolder()).filePath(QStringLiteral("webpages")); }

bool opendatabases(QString *why) {
    closedatabases();
    if (!openOne(dbproducts, schema::productsFile(), schema::productFields(), why) ||
        !openOne(dbpreferences, schema::preferencesFile(), schema::preferenceFields(), why) ||
        !openOne(dbvehicles, schema::vehiclesFile(), schema::vehicleFields(), why)) {
        closedatabases();
        return false;
    }
    {
        QSqlQuery q(dbpreferences.handle());
        const bool found = q.exec(QStringLiteral("select * from [table] limit 1")) && q.next();
        QString problem = found ? QString() : QStringLiteral("it holds no settings record");
        for (const QString &f : schema::preferenceFields()) {
            if (!problem.isEmpty())
                break;
            const QVariant v = q.value(f);
            if (v.isNull())
                problem = QStringLiteral("its settings record has no value for %1").arg(f);
            // A counter read as anything but itself would hand out ids again.
            else if ((f == QLatin1String("am_total") || f == QLatin1String("ve_total") ||
                      f == QLatin1String("financeterm")) &&
                     !numbers::toInt32HalfEven(numbers::fromField(v)))
                problem = QStringLiteral("its settings record holds a number out of range for %1").arg(f);
            else if ((f == QLatin1String("taxrate") || f == QLatin1String("interestrate")) &&
                     !numbers::toSingle(numbers::fromField(v)))
                problem = QStringLiteral("its settings record holds a number out of range for %1").arg(f);
        }
        q.finish();
        if (!problem.isEmpty()) {
            if (why)
                *why = QStringLiteral("The data file %1 cannot be used: %2.")
                           .arg(QDir::toNativeSeparators(dbpreferences.path()), problem);
            closedatabases();
            return false;
        }
    }
    productlistfirst = true;
    packagelistfirst = true;
    readpreferences();
    return true;
}

void closedatabases() {
    rsproducts.reset();
    rsvehicles.reset();
    rspreferences.reset();
    dbproducts.close();
    dbvehicles.close();
    dbpreferences.close();
}

void readpreferences() {
    rspreferences = RecordSet::openTable(dbpreferences);
    rspreferences->moveFirst();
    if (rspreferences->hasCurrent())
        readFrom(*rspreferences);
}

void writepreferences() {
    dbpreferences.exec(writeSql(), writeValues());
    rspreferences = RecordSet::openTable(dbpreferences);
    rspreferences->moveFirst();
}

std::optional<qint32> handoutid(Counter counter) {
    if (!dbpreferences.beginImmediate())
        return std::nullopt;
    readpreferences();
    qint32 &value = counter == Counter::Products ? am_total : ve_total;
    if (value == std::numeric_limits<qint32>::max()) {
        dbpreferences.rollback();
        prompts::notice(
            counter == Counter::Products
                ? QStringLiteral("No new product can be added: every product number has been used.")
                : QStringLiteral("No new package template can be added: every template number has been used."));
        return std::nullopt;
    }
    ++value;
    const qint32 id = value;
    if (!dbpreferences.exec(writeSql(), writeValues()) || !dbpreferences.commit()) {
        dbpreferences.rollback();
        return std::nullopt;
    }
    rspreferences = RecordSet::openTable(dbpreferences);
    rspreferences->moveFirst();
    return id;
}

int confirm(const QString &question) { return prompts::confirm(question); }
void selectall() { ui::selectall(); }

} // namespace Module1
