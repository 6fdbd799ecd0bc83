#include "slotgrid.h"

#include "core/money/numbers.h"
#include "core/store/database.h"
#include "core/store/recordset.h"
#include "ui/app/module1.h"
#include "ui/app/prompts.h"
#include "ui/app/windows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMap>
#include <QPointer>
#include <QProxyStyle>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

std::optional<qint64> wholeNumber(double value) {
    if (!std::isfinite(value) || value != std::floor(value) || std::fabs(value) > 9.0e15)
        return std::nullopt;
    return static_cast<qint64>(value);
}

// The stored slot value as the whole number it names; nothing when it cannot be an id.
std::optional<qint64> storedId(const QVariant &value) {
    const double v = numbers::fromField(value);
    if (!std::isfinite(v))
        return std::nullopt;
    std::optional<qint32> n = numbers::toInt32HalfEven(v);
    if (!n)
        return std::nullopt;
    return *n;
}

// Ids that are not whole numbers are never looked up.
constexpr qint64 kNoId = std::numeric_limits<qint64>::min();

QString placeholders(int count) {
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1Char(','));
}

// Runs a short read on the catalogue file and finishes it at once, so no lock stays behind.
bool runQuery(QSqlQuery &q, const QString &sql, const QVariantList &binds) {
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        reportDatabaseError(QStringLiteral("%1: %2\n%3").arg(Module1::dbproducts.path(), q.lastError().text(), sql));
        return false;
    }
    for (const QVariant &b : binds)
        q.addBindValue(b);
    if (!q.exec()) {
        reportDatabaseError(QStringLiteral("%1: %2\n%3").arg(Module1::dbproducts.path(), q.lastError().text(), sql));
        return false;
    }
    return true;
}

} // namespace

// ---- CatalogueModel ----

CatalogueModel::CatalogueModel(QObject *parent) : QAbstractTableModel(parent) {
    Product none;
    none.name = QStringLiteral("NONE");
    none.id = none.cost = none.msrp = QStringLiteral("0");
    none.rowid = 0;
    m_rows.append(none);
    rebuildIndex();
}

QString CatalogueModel::catalogueQuery() {
    return QStringLiteral("Select * from [table] order by aftermarketname, cost, msrp");
}

int CatalogueModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows.size(); }

int CatalogueModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant CatalogueModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return text(index.row(), index.column());
}

Qt::ItemFlags CatalogueModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QString CatalogueModel::text(int row, int column) const {
    if (row < 0 || row >= m_rows.size())
        return QString();
    const Product &p = m_rows.at(row);
    switch (column) {
    case Name:
        return p.name;
    case Id:
        return p.id;
    case Cost:
        return p.cost;
    case Msrp:
        return p.msrp;
    default:
        return QString();
    }
}

CatalogueModel::Product CatalogueModel::fromRecord(const QString &name, const QVariant &id, const QVariant &cost,
                                                   const QVariant &msrp, qint64 rowid) {
    Product p;
    p.name = name.trimmed();
    p.id = id.toString().trimmed();
    p.cost = numbers::formatMoney(numbers::fromField(cost));
    p.msrp = numbers::formatMoney(numbers::fromField(msrp));
    p.rowid = rowid;
    return p;
}

void CatalogueModel::fill(RecordSet &products) {
    if (!products.hasRecords())
        return;
    QVector<Product> added;
    // moveNext steps over deleted records, so the walk ends when no record is current (eof()
    // counts the whole set on every call, too slow for a loop over a large catalogue).
    for (products.moveFirst(); products.hasCurrent(); products.moveNext()) {
        added.append(fromRecord(products.text(QStringLiteral("aftermarketname")), products.field(QStringLiteral("id")),
                                products.field(QStringLiteral("cost")), products.field(QStringLiteral("msrp")),
                                products.rowid()));
    }
    if (added.isEmpty())
        return;
    const int first = m_rows.size();
    beginInsertRows(QModelIndex(), first, first + added.size() - 1);
    m_rows += added;
    endInsertRows();
    for (int row = first; row < m_rows.size(); ++row)
        indexRow(row);
}

int CatalogueModel::refresh() {
    QSqlQuery q(Module1::dbproducts.handle());
    if (!runQuery(q,
                  QStringLiteral("select rowid, aftermarketname, id, cost, msrp from [table] "
                                 "order by aftermarketname, cost, msrp"),
                  {}))
        return 0;
    // New products go after the product that precedes them in the catalogue order.
    QMap<int, QVector<Product>> after;
    int anchor = 0;
    while (q.next()) {
        Product p = fromRecord(q.value(1).toString(), q.value(2), q.value(3), q.value(4), q.value(0).toLongLong());
        const auto known = m_rowOfRecord.constFind(qMakePair(p.rowid, idKey(p.id)));
        if (known != m_rowOfRecord.constEnd()) {
            anchor = known.value();
            continue;
        }
        after[anchor].append(p);
    }
    q.finish();
    int inserted = 0;
    // From the bottom up, so the rows still to be used as anchors do not move.
    for (auto it = after.end(); it != after.begin();) {
        --it;
        const int at = it.key() + 1;
        const QVector<Product> &group = it.value();
        beginInsertRows(QModelIndex(), at, at + group.size() - 1);
        m_rows.insert(at, group.size(), Product());
        std::copy(group.cbegin(), group.cend(), m_rows.begin() + at);
        endInsertRows();
        inserted += group.size();
    }
    if (inserted)
        rebuildIndex();
    return inserted;
}

bool CatalogueModel::before(const Product &a, const Product &b) const {
    // The catalogue query's order: name, then cost, then MSRP.
    if (const int c = a.name.compare(b.name); c != 0)
        return c < 0;
    if (const double ca = numbers::val(a.cost), cb = numbers::val(b.cost); ca != cb)
        return ca < cb;
    return numbers::val(a.msrp) < numbers::val(b.msrp);
}

void CatalogueModel::takeIn(const QVector<Stored> &products) {
    for (const Stored &s : products) {
        const Product p = fromRecord(s.name, s.id, s.cost, s.msrp, s.rowid);
        if (m_rowOfRecord.contains(qMakePair(p.rowid, idKey(p.id))))
            continue;
        const auto at = std::upper_bound(m_rows.cbegin() + 1, m_rows.cend(), p,
                                         [this](const Product &a, const Product &b) { return before(a, b); });
        const int row = int(at - m_rows.cbegin());
        beginInsertRows(QModelIndex(), row, row);
        m_rows.insert(row, p);
        endInsertRows();
        // Every row from `row` on moved down by one.
        for (auto it = m_rowOfId.begin(); it != m_rowOfId.end(); ++it)
            if (it.value() >= row)
                ++it.value();
        for (auto it = m_rowOfRecord.begin(); it != m_rowOfRecord.end(); ++it)
            if (it.value() >= row)
                ++it.value();
        const qint64 id = idKey(p.id);
        m_rowOfRecord.insert(qMakePair(p.rowid, id), row);
        if (id != kNoId && m_rowOfId.value(id, row + 1) > row)
            m_rowOfId.insert(id, row);
    }
}

qint64 CatalogueModel::idKey(const QString &idText) { return wholeNumber(numbers::val(idText)).value_or(kNoId); }

void CatalogueModel::indexRow(int row) {
    const Product &p = m_rows.at(row);
    const qint64 id = idKey(p.id);
    if (row > 0)
        m_rowOfRecord.insert(qMakePair(p.rowid, id), row);
    if (id != kNoId && !m_rowOfId.contains(id))
        m_rowOfId.insert(id, row);
}

void CatalogueModel::rebuildIndex() {
    m_rowOfId.clear();
    m_rowOfRecord.clear();
    m_rowOfId.reserve(m_rows.size());
    m_rowOfRecord.reserve(m_rows.size());
    for (int row = 0; row < m_rows.size(); ++row)
        indexRow(row);
}

int CatalogueModel::rowOfId(qint64 id) const { return m_rowOfId.value(id, -1); }

qint64 CatalogueModel::rowidAt(int row) const { return row > 0 && row < m_rows.size() ? m_rows.at(row).rowid : 0; }

int CatalogueModel::rowOfRecord(qint64 rowid, qint64 id) const { return m_rowOfRecord.value(qMakePair(rowid, id), -1); }

// ---- SlotBox ----

namespace {
// A style whose combo lists drop down below the box with a fixed number of rows. Styles that show the
// list as a popup over the box (Fusion among them) measure the height and text width of every row
// each time the list opens, which takes a noticeable moment on a large catalogue.
class DropDownStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override {
        if (hint == QStyle::SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle *dropDownStyle() {
    static QPointer<DropDownStyle> style;
    if (!style) {
        style = new DropDownStyle();
        style->setParent(qApp);
    }
    return style;
}
} // namespace

SlotBox::SlotBox(bool follower, QWidget *parent) : QComboBox(parent), m_follower(follower) {
    setEditable(false);
    // Never measure every row of a large catalogue.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(4);
    if (m_follower) {
        setFocusPolicy(Qt::NoFocus);
    } else {
        setStyle(dropDownStyle());
        auto *list = new QListView(this);
        list->setUniformItemSizes(true);
        // The list may be wider than a narrow slot, so longer names show whole.
        list->setMinimumWidth(ui::tw(3600));
        setView(list);
        setMaxVisibleItems(20);
    }
}

void SlotBox::showPopup() {
    if (!m_follower)
        QComboBox::showPopup();
}

void SlotBox::keyPressEvent(QKeyEvent *event) {
    if (m_follower)
        event->ignore();
    else
        QComboBox::keyPressEvent(event);
}

void SlotBox::wheelEvent(QWheelEvent *event) {
    if (m_follower)
        event->ignore();
    else
        QComboBox::wheelEvent(event);
}

// ---- SlotGrid ----

SlotGrid::SlotGrid(QObject *parent) : QObject(parent), m_model(new CatalogueModel(this)) {}

const SlotBoxes &SlotGrid::createSlot(int p, int s, QWidget *parent, Figures figures) {
    SlotBoxes &b = m_slots[index(p, s)];
    const bool shown = figures == Figures::Shown;
    auto make = [&](bool follower, const QString &name, int column, const QString &initial) {
        auto *box = new SlotBox(follower, parent);
        box->setObjectName(name.arg(p).arg(s));
        box->setModel(m_model);
        box->setModelColumn(column);
        box->setPlaceholderText(initial);
        box->setCurrentIndex(-1);
        return box;
    };
    b.product = make(false, QStringLiteral("menu%1(%2)"), CatalogueModel::Name, QStringLiteral("None"));
    b.id = make(true, QStringLiteral("menu%1id(%2)"), CatalogueModel::Id, QStringLiteral("0"));
    b.cost = make(true, QStringLiteral("menu%1cost(%2)"), CatalogueModel::Cost, QStringLiteral("0"));
    b.msrp = make(true, QStringLiteral("menu%1msrp(%2)"), CatalogueModel::Msrp, QStringLiteral("0"));
    b.id->hide();
    b.cost->setVisible(shown);
    b.msrp->setVisible(shown);
    connect(b.product, &QComboBox::activated, this, [this, p, s](int row) { pick(p, s, row); });
    return b;
}

int SlotGrid::populatemenu(QWidget *noticeParent) {
    Module1::rsproducts = RecordSet::openQuery(Module1::dbproducts, CatalogueModel::catalogueQuery());
    RecordSet &products = *Module1::rsproducts;
    if (products.isOpen())
        m_model->fill(products);
    for (SlotBoxes &b : m_slots) {
        for (SlotBox *box : {b.product, b.id, b.cost, b.msrp})
            if (box)
                box->setCurrentIndex(-1);
    }
    const int count = m_model->rowCount() - 1;
    if (count == 0)
        prompts::notice(QStringLiteral("No Aftermarket Records"), noticeParent);
    return count;
}

void SlotGrid::pick(int p, int s, int row) {
    SlotBoxes &b = m_slots[index(p, s)];
    if (!b.product || row < 0 || row >= m_model->rowCount())
        return;
    b.product->setCurrentIndex(row);
    b.id->setCurrentIndex(row);
    b.cost->setCurrentIndex(row);
    b.msrp->setCurrentIndex(row);
    emit slotChanged(p, s);
}

void SlotGrid::loadSlot(int p, int s, const QVariant &value) {
    // One slot goes the same way as a whole template; the others are left alone.
    std::array<QVariant, SlotCount> values;
    std::array<bool, SlotCount> wanted{};
    values[index(p, s)] = value;
    wanted[index(p, s)] = true;
    loadSlots(values, wanted);
}

void SlotGrid::loadSlots(const std::array<QVariant, SlotCount> &values) {
    std::array<bool, SlotCount> wanted;
    wanted.fill(true);
    loadSlots(values, wanted);
}

void SlotGrid::loadSlots(const std::array<QVariant, SlotCount> &values, const std::array<bool, SlotCount> &wanted) {
    std::array<qint64, SlotCount> ids{};

    // First the model's own entry for each id, confirmed by one read of those stored records: a
    // product deleted (or emptied to id 0) since the model was filled must load as "NONE".
    QHash<qint64, qint64> candidate; // id -> rowid of its entry
    for (int i = 0; i < SlotCount; ++i) {
        if (!wanted[i])
            continue;
        std::optional<qint64> id = storedId(values[i]);
        ids[i] = id.value_or(0);
        if (ids[i] == 0)
            continue;
        const int row = m_model->rowOfId(ids[i]);
        if (row > 0)
            candidate.insert(ids[i], m_model->rowidAt(row));
    }
    QHash<qint64, qint64> confirmed; // id -> rowid of its record
    if (!candidate.isEmpty()) {
        QVariantList binds;
        for (qint64 rowid : std::as_const(candidate))
            binds << rowid;
        QSqlQuery q(Module1::dbproducts.handle());
        if (runQuery(
                q, QStringLiteral("select rowid, id from [table] where rowid in (%1)").arg(placeholders(binds.size())),
                binds)) {
            while (q.next()) {
                const std::optional<qint64> id = wholeNumber(numbers::fromField(q.value(1)));
                if (id && candidate.value(*id, -1) == q.value(0).toLongLong())
                    confirmed.insert(*id, q.value(0).toLongLong());
            }
        }
        q.finish();
    }

    // Then the ids the model cannot vouch for: look them up in the catalogue itself. One that exists
    // but is missing from the model (added after it was filled) is fetched into it.
    // Rows are looked up only now: taking in new products moves the rows below them.
    QHash<qint64, int> found; // id -> row
    QVariantList missing;
    for (int i = 0; i < SlotCount; ++i)
        if (wanted[i] && ids[i] != 0 && !confirmed.contains(ids[i]) && !missing.contains(ids[i]))
            missing << ids[i];
    if (!missing.isEmpty()) {
        QHash<qint64, QVector<CatalogueModel::Stored>> stored; // id -> the records holding it
        QSqlQuery q(Module1::dbproducts.handle());
        if (runQuery(q,
                     QStringLiteral("select rowid, id, aftermarketname, cost, msrp from [table] where id in (%1)")
                         .arg(placeholders(missing.size())),
                     missing)) {
            while (q.next()) {
                if (const std::optional<qint64> id = wholeNumber(numbers::fromField(q.value(1))))
                    stored[*id].append(
                        {q.value(0).toLongLong(), q.value(2).toString(), q.value(1), q.value(3), q.value(4)});
            }
        }
        q.finish();
        QVector<CatalogueModel::Stored> newcomers;
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            for (const CatalogueModel::Stored &record : it.value())
                if (m_model->rowOfRecord(record.rowid, it.key()) < 0)
                    newcomers.append(record);
        if (!newcomers.isEmpty())
            m_model->takeIn(newcomers);
        for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
            int best = -1;
            for (const CatalogueModel::Stored &record : it.value()) {
                const int row = m_model->rowOfRecord(record.rowid, it.key());
                if (row > 0 && (best < 0 || row < best))
                    best = row;
            }
            if (best > 0)
                found.insert(it.key(), best);
        }
    }

    for (int i = 0; i < SlotCount; ++i) {
        if (!wanted[i])
            continue;
        int row = 0;
        if (const auto c = confirmed.constFind(ids[i]); ids[i] != 0 && c != confirmed.constEnd())
            row = qMax(0, m_model->rowOfRecord(c.value(), ids[i]));
        else if (ids[i] != 0)
            row = found.value(ids[i], 0);
        pick(i / SlotsPerPackage, i % SlotsPerPackage, row);
    }
}

QString SlotGrid::shown(const SlotBox *box, const QString &initial) {
    if (!box || box->currentIndex() < 0)
        return initial;
    return box->currentText();
}

QString SlotGrid::nameText(int p, int s) const { return shown(boxes(p, s).product, QStringLiteral("None")); }
QString SlotGrid::idText(int p, int s) const { return shown(boxes(p, s).id, QStringLiteral("0")); }
QString SlotGrid::costText(int p, int s) const { return shown(boxes(p, s).cost, QStringLiteral("0")); }
QString SlotGrid::msrpText(int p, int s) const { return shown(boxes(p, s).msrp, QStringLiteral("0")); }

double SlotGrid::productId(int p, int s) const { return numbers::val(idText(p, s)); }
