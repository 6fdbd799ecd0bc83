#include "slotgrid.h"

#include "core/money/numbers.h"
#include "ui/common/geometry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
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
std::optional<qint64> storedId(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    std::optional<qint32> n = numbers::toInt32HalfEven(v);
    if (!n)
        return std::nullopt;
    return *n;
}

// Ids that are not whole numbers are never looked up.
constexpr qint64 kNoId = std::numeric_limits<qint64>::min();

// Names compare as the catalogue file's own order does: byte by byte on their UTF-8 form, and, in a
// file whose names ignore case, with A-Z read as a-z (SQLite's NOCASE).
int compareNames(const QString &a, const QString &b, bool ignoreCase) {
    QByteArray x = a.toUtf8();
    QByteArray y = b.toUtf8();
    if (ignoreCase) {
        x = x.toLower();
        y = y.toLower();
    }
    return x.compare(y);
}

} // namespace

// ---- CatalogueModel ----

CatalogueModel::CatalogueModel(ProductRepository &products, QObject *parent)
    : QAbstractTableModel(parent), m_products(products), m_namesIgnoreCase(products.namesIgnoreCase()) {
    Product none;
    none.name = tr("NONE");
    none.id = none.cost = none.msrp = QStringLiteral("0");
    none.rowid = 0;
    m_rows.append(none);
    rebuildIndex();
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

SlotProduct CatalogueModel::slotProduct(int row) const {
    SlotProduct slot;
    if (row <= 0 || row >= m_rows.size())
        return slot;
    const Product &p = m_rows.at(row);
    slot.id = numbers::val(p.id);
    slot.name = p.name;
    slot.cost = numbers::val(p.cost);
    slot.msrp = numbers::val(p.msrp);
    return slot;
}

CatalogueModel::Product CatalogueModel::fromStored(const StoredProduct &stored) {
    Product p;
    p.name = stored.product.name;
    p.id = numbers::plain(stored.product.id);
    p.cost = numbers::formatMoney(stored.product.cost);
    p.msrp = numbers::formatMoney(stored.product.msrp);
    p.rowid = stored.record;
    return p;
}

int CatalogueModel::fill() {
    // Every product in the catalogue's order, in one insertion.
    const QVector<StoredProduct> catalogue = m_products.catalogue();
    QVector<Product> added;
    added.reserve(catalogue.size());
    for (const StoredProduct &stored : catalogue)
        added.append(fromStored(stored));
    if (m_rows.size() > 1) { // filled before: read afresh, prices and all
        beginResetModel();
        m_rows.resize(1);
        m_rows += added;
        rebuildIndex();
        endResetModel();
    } else if (!added.isEmpty()) {
        beginInsertRows(QModelIndex(), 1, int(added.size()));
        m_rows += added;
        endInsertRows();
        for (int row = 1; row < m_rows.size(); ++row)
            indexRow(row);
    }
    return int(added.size());
}

bool CatalogueModel::before(const Product &a, const Product &b) const {
    // The catalogue's own order: name (as the file compares names), then cost, then MSRP.
    if (const int c = compareNames(a.name, b.name, m_namesIgnoreCase); c != 0)
        return c < 0;
    if (const double ca = numbers::val(a.cost), cb = numbers::val(b.cost); ca != cb)
        return ca < cb;
    return numbers::val(a.msrp) < numbers::val(b.msrp);
}

void CatalogueModel::takeIn(const QVector<StoredProduct> &products) {
    for (const StoredProduct &s : products) {
        const Product p = fromStored(s);
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

// A slot's list, laid out only when it drops down. A font change (the window fitting its screen) lays out
// every box's list again, each row of the catalogue: forty lists and their figures' on a large catalogue.
class SlotList : public QListView {
public:
    using QListView::QListView;
    void doItemsLayout() override {
        if (isVisible()) {
            QListView::doItemsLayout();
            m_stale = false;
        } else {
            m_stale = true;
        }
    }
    // Before the list drops down: it is measured and placed from its layout.
    void layOutStale() {
        if (m_stale)
            QListView::doItemsLayout();
        m_stale = false;
    }

private:
    bool m_stale = true;
};

} // namespace

SlotBox::SlotBox(bool follower, QStyle *dropDownStyle, QWidget *parent) : QComboBox(parent), m_follower(follower) {
    setEditable(false);
    // Never measure every row of a large catalogue.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(4);
    // Every row is as high as the first: a large catalogue's rows are never measured one by one.
    auto *list = new SlotList(this);
    list->setUniformItemSizes(true);
    setView(list);
    if (m_follower) {
        setFocusPolicy(Qt::NoFocus);
    } else {
        setStyle(dropDownStyle);
        // The list may be wider than a narrow slot, so longer names show whole.
        list->setMinimumWidth(ui::tw(3600));
        setMaxVisibleItems(20);
    }
}

void SlotBox::paintEvent(QPaintEvent *event) {
    if (!m_follower) {
        QComboBox::paintEvent(event);
        return;
    }
    // A figure that follows its product and never opens: a plain box with its text, no arrow that
    // promises a list. Drawn by hand, as forty of them repaint whenever a template is chosen.
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(box, palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(box);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const QString shown = currentIndex() < 0 ? placeholderText() : currentText();
    painter.drawText(box.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

void SlotBox::showPopup() {
    if (m_follower)
        return;
    static_cast<SlotList *>(view())->layOutStale();
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

SlotGrid::SlotGrid(ProductRepository &products, QObject *parent)
    : QObject(parent), m_products(products), m_model(new CatalogueModel(products, this)),
      m_dropDownStyle(new DropDownStyle()) {
    m_dropDownStyle->setParent(this);
}

const SlotBoxes &SlotGrid::createSlot(int p, int s, QWidget *parent, Figures figures) {
    SlotBoxes &b = m_slots[index(p, s)];
    const bool shown = figures == Figures::Shown;
    auto make = [&](bool follower, const QString &name, int column, const QString &initial) {
        auto *box = new SlotBox(follower, m_dropDownStyle, parent);
        box->setObjectName(name.arg(p).arg(s));
        box->setModel(m_model);
        box->setModelColumn(column);
        box->setPlaceholderText(initial);
        box->setCurrentIndex(-1);
        return box;
    };
    b.product = make(false, QStringLiteral("menu%1(%2)"), CatalogueModel::Name, tr("None"));
    b.id = make(true, QStringLiteral("menu%1id(%2)"), CatalogueModel::Id, QStringLiteral("0"));
    b.cost = make(true, QStringLiteral("menu%1cost(%2)"), CatalogueModel::Cost, QStringLiteral("0"));
    b.msrp = make(true, QStringLiteral("menu%1msrp(%2)"), CatalogueModel::Msrp, QStringLiteral("0"));
    b.id->hide();
    b.cost->setVisible(shown);
    b.msrp->setVisible(shown);
    connect(b.product, &QComboBox::activated, this, [this, p, s](int row) { pick(p, s, row); });
    return b;
}

int SlotGrid::populate() {
    m_model->fill();
    for (SlotBoxes &b : m_slots) {
        for (SlotBox *box : {b.product, b.id, b.cost, b.msrp})
            if (box)
                box->setCurrentIndex(-1);
    }
    return m_model->rowCount() - 1;
}

void SlotGrid::refresh() {
    // Each slot's product by its record and id: the rows move when the catalogue is read again.
    struct Held {
        int row = -1;
        qint64 record = 0, id = kNoId;
    };
    std::array<Held, menu::AllSlots> held{};
    for (int i = 0; i < menu::AllSlots; ++i) {
        if (!m_slots[i].product)
            continue;
        Held &h = held[i];
        h.row = m_slots[i].product->currentIndex();
        h.record = m_model->rowidAt(h.row);
        h.id = wholeNumber(numbers::val(m_model->text(h.row, CatalogueModel::Id))).value_or(kNoId);
    }
    m_model->fill();
    for (int i = 0; i < menu::AllSlots; ++i) {
        const Held &h = held[i];
        if (!m_slots[i].product)
            continue;
        if (h.row < 0) { // still on its initial texts
            for (SlotBox *box : {m_slots[i].product, m_slots[i].id, m_slots[i].cost, m_slots[i].msrp})
                box->setCurrentIndex(-1);
            continue;
        }
        pick(i / menu::Slots, i % menu::Slots, h.row == 0 ? 0 : qMax(0, m_model->rowOfRecord(h.record, h.id)));
    }
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

void SlotGrid::loadTemplate(const PackageTemplate &t) {
    std::array<double, menu::AllSlots> values{};
    for (int p = 0; p < menu::Packages; ++p)
        for (int s = 0; s < menu::Slots; ++s)
            values[index(p, s)] = t.productIds[p][s];
    loadSlots(values);
}

void SlotGrid::loadSlots(const std::array<double, menu::AllSlots> &values) {
    std::array<qint64, menu::AllSlots> ids{};

    // First the model's own entry for each id, confirmed by one read of those stored records: a
    // product deleted (or emptied to id 0) since the model was filled must load as "NONE".
    QHash<qint64, qint64> candidate; // id -> rowid of its entry
    for (int i = 0; i < menu::AllSlots; ++i) {
        ids[i] = storedId(values[i]).value_or(0);
        if (ids[i] == 0)
            continue;
        const int row = m_model->rowOfId(ids[i]);
        if (row > 0)
            candidate.insert(ids[i], m_model->rowidAt(row));
    }
    QHash<qint64, qint64> confirmed; // id -> rowid of its record
    if (!candidate.isEmpty()) {
        const QHash<qint64, double> now = m_products.idsOf(QVector<qint64>(candidate.cbegin(), candidate.cend()));
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            const std::optional<qint64> id = wholeNumber(it.value());
            if (id && candidate.value(*id, -1) == it.key())
                confirmed.insert(*id, it.key());
        }
    }

    // Then the ids the model cannot vouch for: look them up in the catalogue itself. One that exists
    // but is missing from the model (added after it was filled) is fetched into it.
    // Rows are looked up only now: taking in new products moves the rows below them.
    QHash<qint64, int> found; // id -> row
    QVector<qint64> missing;
    for (int i = 0; i < menu::AllSlots; ++i)
        if (ids[i] != 0 && !confirmed.contains(ids[i]) && !missing.contains(ids[i]))
            missing << ids[i];
    if (!missing.isEmpty()) {
        QHash<qint64, QVector<StoredProduct>> stored; // id -> the records holding it
        for (const StoredProduct &record : m_products.withIds(missing))
            if (const std::optional<qint64> id = wholeNumber(record.product.id))
                stored[*id].append(record);
        QVector<StoredProduct> newcomers;
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            for (const StoredProduct &record : it.value())
                if (m_model->rowOfRecord(record.record, it.key()) < 0)
                    newcomers.append(record);
        if (!newcomers.isEmpty())
            m_model->takeIn(newcomers);
        for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
            int best = -1;
            for (const StoredProduct &record : it.value()) {
                const int row = m_model->rowOfRecord(record.record, it.key());
                if (row > 0 && (best < 0 || row < best))
                    best = row;
            }
            if (best > 0)
                found.insert(it.key(), best);
        }
    }

    for (int i = 0; i < menu::AllSlots; ++i) {
        int row = 0;
        if (const auto c = confirmed.constFind(ids[i]); ids[i] != 0 && c != confirmed.constEnd())
            row = qMax(0, m_model->rowOfRecord(c.value(), ids[i]));
        else if (ids[i] != 0)
            row = found.value(ids[i], 0);
        pick(i / menu::Slots, i % menu::Slots, row);
    }
}

QString SlotGrid::shown(const SlotBox *box, const QString &initial) {
    if (!box || box->currentIndex() < 0)
        return initial;
    return box->currentText();
}

QString SlotGrid::idText(int p, int s) const { return shown(boxes(p, s).id, QStringLiteral("0")); }

double SlotGrid::productId(int p, int s) const { return numbers::val(idText(p, s)); }

SlotProduct SlotGrid::slotProduct(int p, int s) const {
    const SlotBox *box = boxes(p, s).product;
    return box ? m_model->slotProduct(box->currentIndex()) : SlotProduct();
}

Package SlotGrid::package(int p) const {
    Package package;
    for (int s = 0; s < menu::Slots; ++s)
        package.products[s] = slotProduct(p, s);
    return package;
}
