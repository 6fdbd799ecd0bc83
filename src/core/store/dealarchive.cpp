#include "core/store/dealarchive.h"

#include "core/money/numbers.h"
#include "core/store/database.h"
#include "core/store/dealseal.h"
#include "core/store/schema.h"
#include "core/store/storeevents.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {
const QString kSavedFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QVariant text(const QString &s) { return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s); }
QVariant flag(bool on) { return on ? 1 : 0; }

// Every field of `deals` the program writes, in the order it writes them.
QStringList dealNames() {
    return QStringList{QStringLiteral("id")} + schema::dealFields().mid(1) + schema::addedDealFields();
}

// A deal as it is written: the values of dealNames() (its seal empty), the sealed ones in the seal's order,
// and its items' cells in the order of dealseal::itemFields(), which is the file's.
struct Written {
    QVariantList values;
    QVariantList sealed;
    QList<QVariantList> items;       // as the record holds them
    QList<QVariantList> sealedItems; // in package and slot order, whatever order the record holds them in
};

Written written(const DealRecord &r, qint64 id) {
    static const QStringList names = dealNames();
    static const QList<int> sealedOrder = [] {
        QList<int> order;
        for (const QString &f : dealseal::dealFields() + dealseal::leaseFields())
            order << int(names.indexOf(f));
        return order;
    }();
    Written w;
    w.values = QVariantList{id,
                            r.saved.toString(kSavedFormat),
                            text(r.particulars.salesperson),
                            text(r.particulars.customer),
                            text(r.particulars.vehicle),
                            text(r.particulars.stockNumber),
                            r.rate,
                            r.term,
                            flag(r.cashDeal),
                            flag(r.includeTax),
                            double(r.taxRate),
                            flag(r.disclosePrices),
                            flag(r.discloseTotals),
                            text(r.dealership),
                            text(r.disclaimer),
                            text(r.statement),
                            r.chosenPackage,
                            text(r.chosenName),
                            text(r.finalPayment),
                            text(r.packageNames[0]),
                            text(r.packageNames[1]),
                            text(r.packageNames[2]),
                            text(r.packageNames[3]),
                            r.term2,
                            r.term3,
                            r.amountFinanced,
                            r.chosenTerm,
                            flag(r.cashInterest),
                            QString(), // the seal
                            r.signature.isEmpty() ? QVariant() : QVariant(r.signature),
                            flag(r.leaseDeal),
                            r.residual,
                            r.residual2,
                            r.residual3,
                            r.moneyFactor};
    for (int i : sealedOrder)
        w.sealed << w.values.value(i);
    for (const DealItem &item : std::as_const(r.items))
        w.items << QVariantList{
            id,        item.package,           item.slot,          item.productId, text(item.name), item.cost,
            item.msrp, text(item.description), flag(item.accepted)};
    w.sealedItems = w.items;
    std::stable_sort(w.sealedItems.begin(), w.sealedItems.end(), [](const QVariantList &a, const QVariantList &b) {
        return std::pair(a.at(1).toInt(), a.at(2).toInt()) < std::pair(b.at(1).toInt(), b.at(2).toInt());
    });
    return w;
}

// The time a deal is stored with: the record's own, or now; to the second.
QDateTime savedTime(const DealRecord &r) {
    QDateTime saved = r.saved.isValid() ? r.saved : QDateTime::currentDateTime();
    saved.setTime(QTime(saved.time().hour(), saved.time().minute(), saved.time().second()));
    return saved;
}

// The statements that store deals in a file, prepared once for any number of them before the write
// transaction's turn; in it each deal's number is drawn and its seal chained to the last one there, so no
// other copy's deal can come between.
class Inserter {
public:
    Inserter(Database &db, const QVector<DealRecord> &records) : m_db(db), m_deal(db.handle()) {
        const QStringList names = dealNames();
        m_sealAt = int(names.indexOf(QStringLiteral("seal")));
        m_ok = m_deal.prepare(QStringLiteral("insert into deals (%1) values (%2)")
                                  .arg(names.join(QLatin1Char(',')), marks(names.size())));
        if (!m_ok) {
            fail(m_deal);
            return;
        }
        const QStringList fields = schema::dealItemFields();
        const QString row = QLatin1Char('(') + marks(fields.size()) + QLatin1Char(')');
        for (const DealRecord &r : records) {
            const int rows = int(r.items.size());
            if (rows == 0 || m_items.contains(rows))
                continue;
            QSqlQuery q(db.handle());
            if (!q.prepare(QStringLiteral("insert into dealitems (%1) values %2")
                               .arg(fields.join(QLatin1Char(',')), QStringList(rows, row).join(QLatin1Char(','))))) {
                fail(q);
                return;
            }
            m_items.insert(rows, q);
        }
    }
    bool prepared() const { return m_ok; }

    // Inside the turn: where the numbers and the chain of seals stand.
    bool start() {
        if (!m_ok)
            return false;
        // The numbers AUTOINCREMENT hands out: never one a deal had, even one removed since.
        QSqlQuery q(m_db.handle());
        m_ok = q.exec(m_db.sql(QStringLiteral("select max(%1, coalesce((select max(id) from deals), 0), "
                                              "(select coalesce(max(deal), 0) from dealitems)), "
                                              "(select seal from deals where seal <> '' order by id desc limit 1)")
                                   .arg(m_db.highestKeyDrawn(QStringLiteral("deals"))))) &&
               q.next();
        if (!m_ok)
            return fail(q);
        m_lastId = q.value(0).toLongLong();
        m_previousSeal = q.value(1).toString();
        q.finish();
        return true;
    }

    bool insert(DealRecord &r) {
        if (!m_ok)
            return false;
        const qint64 id = m_lastId + 1;
        Written w = written(r, id);
        const QString seal = dealseal::seal(w.sealed, w.sealedItems, m_previousSeal);
        w.values[m_sealAt] = seal;
        for (int i = 0; i < w.values.size(); ++i)
            m_deal.bindValue(i, w.values.at(i));
        if (!m_deal.exec())
            return fail(m_deal);
        m_deal.finish();
        if (!w.items.isEmpty()) {
            QSqlQuery &insertItems = m_items[int(w.items.size())];
            int at = 0;
            for (const QVariantList &cells : std::as_const(w.items))
                for (const QVariant &cell : cells)
                    insertItems.bindValue(at++, cell);
            if (!insertItems.exec())
                return fail(insertItems);
            insertItems.finish();
        }
        m_lastId = id;
        m_previousSeal = seal;
        r.id = id;
        r.seal = seal;
        return true;
    }

private:
    static QString marks(qsizetype n) { return QStringList(n, QStringLiteral("?")).join(QLatin1Char(',')); }
    bool fail(const QSqlQuery &q) {
        m_db.fail(q.lastError());
        m_ok = false;
        return false;
    }

    Database &m_db;
    QSqlQuery m_deal;
    QHash<int, QSqlQuery> m_items; // by the number of items inserted at once
    int m_sealAt = 0;
    qint64 m_lastId = 0;
    QString m_previousSeal;
    bool m_ok = false;
};

bool storeInFile(Database &db, QVector<DealRecord> &records) {
    // Prepared before the turn and let go (when this returns) after it: another copy waits only for the writes.
    std::optional<Inserter> inserter;
    if (!db.beginImmediate(nullptr, [&] { return inserter.emplace(db, records).prepared(); }))
        return false;
    bool ok = inserter->start();
    for (DealRecord &r : records)
        if (!(ok = ok && inserter->insert(r)))
            break;
    if (ok && db.commit())
        return true;
    db.rollback();
    return false;
}

// A text as a JSON string. Every save at every desk writes hundreds of them, so they are written straight
// into the statement rather than through a document.
void appendJsonString(QString &out, QStringView s) {
    static const char hex[] = "0123456789abcdef";
    out += QLatin1Char('"');
    qsizetype from = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c >= 0x20 && c != u'"' && c != u'\\')
            continue;
        out += s.mid(from, i - from);
        from = i + 1;
        const char *named = c == u'"'    ? "\\\""
                            : c == u'\\' ? "\\\\"
                            : c == u'\n' ? "\\n"
                            : c == u'\r' ? "\\r"
                            : c == u'\t' ? "\\t"
                                         : nullptr;
        if (named) {
            out += QLatin1String(named);
        } else {
            out += QLatin1String("\\u00");
            out += QLatin1Char(hex[c >> 4]);
            out += QLatin1Char(hex[c & 0xf]);
        }
    }
    out += s.mid(from);
    out += QLatin1Char('"');
}

// A value as the server reads it from JSON into its column.
void appendJson(QString &out, const QVariant &v) {
    switch (v.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        out += QLatin1String("null");
        return;
    case QMetaType::Bool:
        out += v.toBool() ? QLatin1String("true") : QLatin1String("false");
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        out += QString::number(v.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        // JSON has no such numbers; the column reads them from their names.
        if (!std::isfinite(d))
            out += std::isnan(d) ? QLatin1String("\"NaN\"")
                   : d > 0       ? QLatin1String("\"Infinity\"")
                                 : QLatin1String("\"-Infinity\"");
        else
            out += QString::number(d, 'g', QLocale::FloatingPointShortest);
        return;
    }
    case QMetaType::QByteArray:
        out += QLatin1String("\"\\\\x") + QLatin1String(v.toByteArray().toHex()) + QLatin1Char('"');
        return;
    default:
        appendJsonString(out, v.toString());
    }
}

// One JSON object of `names` (but the first, the deal's number) and `values`.
void appendJsonObject(QString &out, const QStringList &names, const QVariantList &values) {
    out += QLatin1Char('{');
    for (qsizetype i = 1; i < names.size(); ++i) {
        if (i > 1)
            out += QLatin1Char(',');
        appendJsonString(out, names.at(i));
        out += QLatin1Char(':');
        appendJson(out, values.at(i));
    }
    out += QLatin1Char('}');
}

// The statement that numbers, seals and stores one deal on the server, its values written in: `alone`, it
// commits itself and waits for the disk; otherwise it is one of the writes of a transaction.
QString serverStatement(Database &db, const DealRecord &r, bool alone) {
    static const QStringList names = dealNames();
    static const QStringList itemNames = schema::dealItemFields();
    const Written w = written(r, 0);
    QString fields;
    appendJsonObject(fields, names, w.values);
    QString items;
    items.reserve(qsizetype(w.items.size()) * 256);
    items += QLatin1Char('[');
    for (const QVariantList &cells : w.items) {
        if (items.size() > 1)
            items += QLatin1Char(',');
        appendJsonObject(items, itemNames, cells);
    }
    items += QLatin1Char(']');
    QStringList pieces;
    for (const QByteArray &piece : dealseal::openText(w.sealed, w.sealedItems))
        pieces << db.literal(QString::fromUtf8(piece));
    return (alone
                ? QStringLiteral("call quorvel_save_deal(%1::jsonb, %2::jsonb, array[%3]::text[], null, null)")
                : QStringLiteral("select drawn, sealed from quorvel_add_deal(%1::jsonb, %2::jsonb, array[%3]::text[])"))
        .arg(db.literal(fields), db.literal(items), pieces.join(QStringLiteral(", ")));
}

// Each deal is numbered, chained and written on the server by one call, which takes the turn every desk's
// save waits for, commits, and returns once the deal is on the disk: the turn holds no trip between the desk
// and the server, and a save is one trip. Several deals are written in one transaction instead.
bool storeOnServer(Database &db, QVector<DealRecord> &records) {
    QStringList statements;
    for (const DealRecord &r : std::as_const(records))
        statements << serverStatement(db, r, records.size() == 1);
    if (records.size() == 1)
        db.beginSelfCommitting();
    else if (!db.beginImmediate())
        return false;
    for (qsizetype i = 0; i < records.size(); ++i) {
        DealRecord &r = records[i];
        r.id = 0;
        if (!db.write(statements.at(i),
                      [&r](const QSqlQuery &q) {
                          r.id = q.value(0).toLongLong();
                          r.seal = q.value(1).toString();
                      }) ||
            r.id == 0) {
            db.rollback();
            return false;
        }
    }
    if (db.commit())
        return true;
    db.rollback();
    return false;
}

// The part of a query that narrows the deals to a report's filter, with its bound values.
struct Narrowing {
    QString where;
    QVariantList binds;
};
// The names as stored, in binary order; SQLite's own case rule knows only the English letters, so the
// callers fold case here, for every alphabet, as the history's search does.
QStringList storedSalespeople(Database &db) {
    QStringList names;
    db.select(QStringLiteral("select distinct salesperson from deals where salesperson <> '' order by salesperson"), {},
              [&names](const QSqlQuery &q) { names << q.value(0).toString(); });
    return names;
}

// `spellings`: every stored way of writing the filter's salesperson. `saved` and `salesperson` name the fields
// that hold them: a deal's saving time (or its day) and its salesperson.
Narrowing narrowing(const ReportFilter &f, const QStringList &spellings,
                    const QString &saved = QStringLiteral("d.saved"),
                    const QString &salesperson = QStringLiteral("d.salesperson")) {
    Narrowing n;
    QStringList terms;
    if (f.from.isValid()) {
        terms << saved + QStringLiteral(" >= ?");
        n.binds << f.from.toString(Qt::ISODate);
    }
    if (f.to.isValid()) {
        // Saved texts of that day sort before the next day's date.
        terms << saved + QStringLiteral(" < ?");
        n.binds << f.to.addDays(1).toString(Qt::ISODate);
    }
    if (!f.salesperson.isEmpty()) {
        if (spellings.isEmpty())
            terms << QStringLiteral("1 = 0");
        else
            terms << QStringLiteral("%1 in (%2)")
                         .arg(salesperson, QStringList(spellings.size(), QStringLiteral("?")).join(QLatin1Char(',')));
        for (const QString &spelling : spellings)
            n.binds << spelling;
    }
    n.where = terms.join(QStringLiteral(" and "));
    return n;
}
} // namespace

QString DealArchive::fileName() { return schema::dealsFile(); }

bool DealArchive::createFile(const QString &path, QString *why) {
    const QFileInfo target(path);
    const QString temp = target.dir().filePath(
        QStringLiteral(".%1.%2.new").arg(target.fileName(), QUuid::createUuid().toString(QUuid::Id128)));
    QString reason;
    bool made = schema::createFile(temp, schema::File::Deals, &reason);
    // Never over a file another copy of the program made meanwhile: that one may hold deals already.
    if (made && !QFile::rename(temp, path)) {
        made = target.exists();
        if (!made)
            reason = QCoreApplication::translate("DealArchive", "it could not be created in %1")
                         .arg(QDir::toNativeSeparators(target.path()));
    }
    QFile::remove(temp);
    if (!made && why)
        *why = reason.isEmpty() ? QCoreApplication::translate("DealArchive", "it could not be created") : reason;
    return made;
}

QString DealArchive::problem() const {
    const QList<std::pair<QString, QStringList>> tables{{QStringLiteral("deals"), schema::dealFields()},
                                                        {QStringLiteral("dealitems"), schema::dealItemFields()}};
    for (const auto &[table, fields] : tables) {
        const QStringList present = m_db.columns(table);
        if (present.isEmpty())
            return QCoreApplication::translate("DealArchive", "it has no table named \"%1\"").arg(table);
        for (const QString &f : fields)
            if (!present.contains(f))
                return QCoreApplication::translate("DealArchive", "its table \"%1\" has no field \"%2\"").arg(table, f);
    }
    return QString();
}

bool DealArchive::add(DealRecord &record) {
    QVector<DealRecord> one{record};
    if (!addAll(one))
        return false;
    record = one.first();
    return true;
}

void DealArchive::rehearse() {
    DealRecord r;
    r.saved = QDateTime::currentDateTime();
    DealItem kept;
    kept.productId = 1;
    kept.accepted = true;
    r.items << kept;
    // A login that may not save deals is refused here and learns so when it saves.
    QSqlQuery q(m_db.handle());
    q.exec(QStringLiteral("call quorvel_save_deal(null, null, null, null, null)"));
    if (q.exec(QStringLiteral("begin"))) {
        q.exec(serverStatement(m_db, r, false));
        q.exec(QStringLiteral("rollback"));
    }
}

bool DealArchive::addAll(QVector<DealRecord> &records) {
    QVector<DealRecord> stored = records;
    for (DealRecord &r : stored)
        r.saved = savedTime(r);
    if (!(m_db.isServer() ? storeOnServer(m_db, stored) : storeInFile(m_db, stored)))
        return false;
    QList<qint64> ids;
    ids.reserve(stored.size());
    for (const DealRecord &r : std::as_const(stored))
        ids << r.id;
    records = std::move(stored);
    emit m_events.dealsAdded(ids);
    return true;
}

std::optional<DealRecord> DealArchive::load(qint64 id) const {
    std::optional<DealRecord> found;
    m_db.select(QStringLiteral("select * from deals where id = ?"), {id}, [&found](const QSqlQuery &q) {
        DealRecord r;
        auto value = [&q](const char *field) { return q.value(QLatin1String(field)); };
        auto number = [&value](const char *field) { return numbers::fromField(value(field)); };
        r.id = value("id").toLongLong();
        r.saved = QDateTime::fromString(value("saved").toString(), kSavedFormat);
        r.particulars.salesperson = value("salesperson").toString();
        r.particulars.customer = value("customer").toString();
        r.particulars.vehicle = value("vehicle").toString();
        r.particulars.stockNumber = value("stocknumber").toString();
        r.rate = number("interestrate");
        r.term = number("financeterm");
        r.term2 = number("financeterm2");
        r.term3 = number("financeterm3");
        r.amountFinanced = number("amountfinanced");
        r.chosenTerm = number("chosenterm");
        r.cashDeal = number("cashdeal") != 0;
        r.cashInterest = number("cashinterest") != 0;
        r.leaseDeal = number("leasedeal") != 0;
        r.residual = number("residualvalue");
        r.residual2 = number("residualvalue2");
        r.residual3 = number("residualvalue3");
        r.moneyFactor = number("moneyfactor");
        r.includeTax = number("includetax") != 0;
        r.taxRate = float(number("taxrate"));
        r.disclosePrices = number("discloseprices") != 0;
        r.discloseTotals = number("disclosetotals") != 0;
        r.dealership = value("dealership").toString();
        r.disclaimer = value("disclaimer").toString();
        r.statement = value("statement").toString();
        r.chosenPackage = int(number("chosenpackage"));
        r.chosenName = value("chosenname").toString();
        r.finalPayment = value("finalpayment").toString();
        for (int p = 0; p < menu::Packages; ++p)
            r.packageNames[p] = q.value(QStringLiteral("package%1").arg(p + 1)).toString();
        r.signature = value("signature").toByteArray();
        r.seal = value("seal").toString();
        found = r;
    });
    if (!found)
        return found;
    m_db.select(QStringLiteral("select package, slot, productid, name, cost, msrp, description, accepted "
                               "from dealitems where deal = ? order by package, slot"),
                {id}, [&found](const QSqlQuery &q) {
                    DealItem item;
                    item.package = q.value(0).toInt();
                    item.slot = q.value(1).toInt();
                    item.productId = numbers::fromField(q.value(2));
                    item.name = q.value(3).toString();
                    item.cost = numbers::fromField(q.value(4));
                    item.msrp = numbers::fromField(q.value(5));
                    item.description = q.value(6).toString();
                    item.accepted = q.value(7).toInt() != 0;
                    found->items << item;
                });
    return found;
}

QString DealArchive::historyQuery() {
    return QStringLiteral("select d.id, d.saved, d.customer, d.vehicle, d.stocknumber, d.salesperson, "
                          "d.chosenpackage, d.chosenname, d.finalpayment, d.cashdeal, "
                          "(select count(*) from dealitems i where i.deal = d.id and i.accepted = 1), "
                          "d.amountfinanced, d.financeterm, d.financeterm2, d.financeterm3, d.chosenterm, d.leasedeal "
                          "from deals d order by d.id desc");
}

QVector<DealSummary> DealArchive::history() const {
    QVector<DealSummary> rows;
    m_db.select(historyQuery(), {}, [&rows](const QSqlQuery &q) {
        DealSummary s;
        s.id = q.value(0).toLongLong();
        s.saved = q.value(1).toString();
        s.particulars.customer = q.value(2).toString();
        s.particulars.vehicle = q.value(3).toString();
        s.particulars.stockNumber = q.value(4).toString();
        s.particulars.salesperson = q.value(5).toString();
        s.chosenPackage = q.value(6).toInt();
        s.chosenName = q.value(7).toString();
        s.finalPayment = q.value(8).toString();
        s.cashDeal = q.value(9).toInt() != 0;
        s.acceptedCount = q.value(10).toInt();
        s.amountFinanced = q.value(11).toDouble();
        s.term = q.value(12).toDouble();
        s.term2 = q.value(13).toDouble();
        s.term3 = q.value(14).toDouble();
        s.chosenTerm = q.value(15).toDouble();
        s.leaseDeal = q.value(16).toInt() != 0;
        rows.append(std::move(s));
    });
    return rows;
}

QStringList DealArchive::salespeople() const {
    // Each person once, under the spelling that sorts first.
    QStringList names;
    QSet<QString> seen;
    for (const QString &name : storedSalespeople(m_db))
        if (!seen.contains(name.toCaseFolded())) {
            seen.insert(name.toCaseFolded());
            names << name;
        }
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return a.toCaseFolded() < b.toCaseFolded(); });
    return names;
}

std::optional<std::pair<QDate, QDate>> DealArchive::dateSpan() const {
    std::optional<std::pair<QDate, QDate>> span;
    m_db.select(QStringLiteral("select min(saved), max(saved) from deals"), {}, [&span](const QSqlQuery &q) {
        if (q.value(0).isNull())
            return;
        span = std::make_pair(QDate::fromString(q.value(0).toString().left(10), Qt::ISODate),
                              QDate::fromString(q.value(1).toString().left(10), Qt::ISODate));
    });
    return span;
}

ProductReport DealArchive::report(const ReportFilter &filter) const {
    ProductReport out;
    QStringList spellings;
    if (!filter.salesperson.isEmpty())
        for (const QString &name : storedSalespeople(m_db))
            if (name.toCaseFolded() == filter.salesperson.toCaseFolded())
                spellings << name;
    // Each product's counts as its items were stored, summed over the days and salespeople the filter takes.
    const Narrowing counts = narrowing(filter, spellings, QStringLiteral("r.day"), QStringLiteral("r.salesperson"));
    m_db.select(QStringLiteral("select r.name, sum(r.offered), sum(r.accepted), sum(r.sold), sum(r.profit) "
                               "from reportcounts r%1 group by r.name order by r.name collate nocase, r.name")
                    .arg(counts.where.isEmpty() ? QString() : QStringLiteral(" where ") + counts.where),
                counts.binds, [&out](const QSqlQuery &q) {
                    ProductLine line;
                    line.product = q.value(0).toString();
                    line.offered = q.value(1).toInt();
                    line.accepted = q.value(2).toInt();
                    line.msrpSold = q.value(3).toDouble();
                    line.profit = q.value(4).toDouble();
                    out.lines.append(line);
                });
    // A filter that leaves out no deal needs no look at the deals' dates.
    ReportFilter f = filter;
    if (const auto span = dateSpan()) {
        if (f.from.isValid() && f.from <= span->first)
            f.from = QDate();
        if (f.to.isValid() && f.to >= span->second)
            f.to = QDate();
    }
    const Narrowing n = narrowing(f, spellings);
    m_db.select(QStringLiteral("select count(*) from deals d%1")
                    .arg(n.where.isEmpty() ? QString() : QStringLiteral(" where ") + n.where),
                n.binds, [&out](const QSqlQuery &q) { out.deals = q.value(0).toInt(); });
    return out;
}

namespace {
// Reads every deal and its items in number order, each against its seal and the chain. Deals saved before
// sealing all come before the first sealed one: a deal without a seal after it has lost its seal. Read a
// few thousand deals at a time, each a short read of its own, so another copy saving meanwhile never waits
// long.
// `present`: the deals table's fields.
SealCheck checkSeals(const QSqlDatabase &db, const QStringList &present) {
    SealCheck c;
    auto unreadable = [&c](const QString &why) {
        c.result = SealCheck::Unreadable;
        c.why = why;
        return c;
    };
    if (present.isEmpty())
        return unreadable(QCoreApplication::translate("DealArchive", "it has no table named \"deals\""));
    // A file of a layout before sealing holds only deals saved before it, and may lack later fields too.
    const bool sealing = present.contains(QStringLiteral("seal"));
    const QStringList dealFields = dealseal::dealFields();
    const int sealColumn = int(dealFields.size());
    // A file not yet brought up to date has no lease fields: its deals are none.
    QStringList leaseColumns;
    for (const QString &f : dealseal::leaseFields())
        leaseColumns << (present.contains(f) ? f : QStringLiteral("0"));
    const int columns = sealColumn + 1 + int(leaseColumns.size());
    QSqlQuery deals(db), items(db);
    deals.setForwardOnly(true);
    items.setForwardOnly(true);
    const bool prepared =
        deals.prepare(
            QStringLiteral("select %1 from deals where id > ? order by id limit 2000")
                .arg(sealing ? (dealFields + QStringList{QStringLiteral("seal")} + leaseColumns).join(QLatin1Char(','))
                             : QStringLiteral("id"))) &&
        items.prepare(
            QStringLiteral("select %1 from dealitems where deal > ? and deal <= ? order by deal, package, slot")
                .arg(dealseal::itemFields().join(QLatin1Char(','))));
    if (!prepared)
        return unreadable(deals.lastError().isValid() ? deals.lastError().text() : items.lastError().text());

    QString previous;
    bool sealed = false; // a sealed deal came before
    qint64 last = std::numeric_limits<qint64>::min();
    for (bool more = true; more && c.broken == 0;) {
        deals.addBindValue(last);
        if (!deals.exec())
            return unreadable(deals.lastError().text());
        QList<QVariantList> chunk;
        while (deals.next()) {
            QVariantList row;
            row.reserve(columns);
            for (int i = 0; i < (sealing ? columns : 1); ++i)
                row << deals.value(i);
            chunk << row;
        }
        deals.finish();
        more = chunk.size() == 2000;
        const qint64 from = last;
        if (!chunk.isEmpty())
            last = chunk.last().at(0).toLongLong();
        // The items of these deals, and any of no deal among them or after the last (slipped in: named by the
        // number they carry).
        QHash<qint64, QList<QVariantList>> owned;
        items.addBindValue(from);
        items.addBindValue(more ? last : std::numeric_limits<qint64>::max());
        if (!items.exec())
            return unreadable(items.lastError().text());
        while (items.next()) {
            QVariantList cells;
            cells.reserve(9);
            for (int i = 0; i < 9; ++i)
                cells << items.value(i);
            owned[cells.at(0).toLongLong()] << cells;
        }
        items.finish();
        QSet<qint64> ids;
        for (const QVariantList &deal : std::as_const(chunk))
            ids.insert(deal.at(0).toLongLong());
        qint64 orphan = std::numeric_limits<qint64>::max();
        for (auto it = owned.cbegin(); it != owned.cend(); ++it)
            if (!ids.contains(it.key()))
                orphan = std::min(orphan, it.key());
        for (const QVariantList &deal : std::as_const(chunk)) {
            const qint64 id = deal.at(0).toLongLong();
            if (orphan < id) {
                c.broken = orphan;
                break;
            }
            ++c.deals;
            const QString seal = sealing ? deal.at(sealColumn).toString() : QString();
            if (seal.isEmpty() && !sealed) {
                if (c.unsealed++ == 0)
                    c.firstUnsealed = id;
                c.lastUnsealed = id;
                owned.remove(id);
                continue;
            }
            if (seal != dealseal::seal(deal.mid(0, sealColumn) + deal.mid(sealColumn + 1), owned.take(id), previous)) {
                c.broken = id;
                break;
            }
            previous = seal;
            sealed = true;
        }
        if (c.broken == 0 && orphan != std::numeric_limits<qint64>::max())
            c.broken = orphan;
    }
    c.result = c.broken != 0 ? SealCheck::Broken : SealCheck::Intact;
    return c;
}
} // namespace

QString SealCheck::message() const {
    switch (result) {
    case Broken:
        return QCoreApplication::translate("DealArchive",
                                           "Deal %1 does not match its seal: it was changed after it was saved.")
            .arg(broken);
    case Unreadable:
        return QCoreApplication::translate("DealArchive", "The deal file cannot be read: %1.").arg(why);
    case Intact:
        break;
    }
    const int sealedDeals = deals - unsealed;
    QStringList said;
    if (unsealed == 0)
        said << (deals == 0   ? QCoreApplication::translate("DealArchive", "There are no deals to verify.")
                 : deals == 1 ? QCoreApplication::translate("DealArchive", "The one deal is intact.")
                              : QCoreApplication::translate("DealArchive", "All %1 deals are intact.").arg(deals));
    else if (sealedDeals > 0)
        said << (sealedDeals == 1
                     ? QCoreApplication::translate("DealArchive", "The one sealed deal is intact.")
                     : QCoreApplication::translate("DealArchive", "All %1 sealed deals are intact.").arg(sealedDeals));
    if (unsealed == 1)
        said << QCoreApplication::translate("DealArchive", "Deal %1 was saved before sealing and carries no seal.")
                    .arg(firstUnsealed);
    else if (unsealed > 1)
        said << QCoreApplication::translate("DealArchive",
                                            "The %1 deals from Deal %2 to Deal %3 were saved before sealing and "
                                            "carry no seal.")
                    .arg(unsealed)
                    .arg(firstUnsealed)
                    .arg(lastUnsealed);
    return said.join(QLatin1Char(' '));
}

SealCheck DealArchive::verify() const { return checkSeals(m_db.handle(), m_db.columns(QStringLiteral("deals"))); }

SealCheck DealArchive::verifyFile(const QString &path) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        SealCheck c;
        c.result = SealCheck::Unreadable;
        c.why =
            info.exists()
                ? QCoreApplication::translate("DealArchive", "%1 is not a file").arg(QDir::toNativeSeparators(path))
                : QCoreApplication::translate("DealArchive", "%1 does not exist").arg(QDir::toNativeSeparators(path));
        return c;
    }
    const QString connection = QStringLiteral("quorvel-verify-") + QUuid::createUuid().toString(QUuid::Id128);
    SealCheck c;
    {
        // Read only: verifying changes nothing, and works on a copy that cannot be written.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=ro"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=10000"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("select count(*) from sqlite_master"))) {
                q.finish();
                QStringList present;
                if (q.exec(QStringLiteral("select lower(name) from pragma_table_info('deals')")))
                    while (q.next())
                        present << q.value(0).toString();
                q.finish();
                c = checkSeals(db, present);
            } else {
                c.result = SealCheck::Unreadable;
                c.why = QCoreApplication::translate("DealArchive", "it is not a database file");
            }
        } else {
            c.result = SealCheck::Unreadable;
            c.why = db.lastError().text();
        }
        if (c.result == SealCheck::Unreadable)
            c.why = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), c.why);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return c;
}
