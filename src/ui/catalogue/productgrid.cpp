#include "ui/catalogue/productgrid.h"

#include "core/money/numbers.h"
#include "core/text/search.h"

namespace {
// A grid row is one line high; line breaks inside a cell show as spaces there.
QString oneLine(const QString &text) {
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return s;
}
} // namespace

ProductGridModel::ProductGridModel(QObject *parent) : QAbstractTableModel(parent) { cleargrid(); }

QStringList ProductGridModel::headings() {
    return {QString(), tr("Name"), tr("Cost"), tr("MSRP"), tr("Profit"), tr("Installer"), tr("Phone #"), tr("Notes")};
}

QVector<int> ProductGridModel::widthsInTwips() { return {1, 3000, 1100, 1100, 1100, 2000, 2000, 10000}; }

void ProductGridModel::cleargrid() {
    beginResetModel();
    m_rows.clear();
    m_rows.append(StoredProduct{});
    m_empty = true;
    narrowRows();
    endResetModel();
}

void ProductGridModel::fill(QVector<StoredProduct> products) {
    if (products.isEmpty()) {
        cleargrid();
        return;
    }
    beginResetModel();
    m_rows = std::move(products);
    m_empty = false;
    narrowRows();
    endResetModel();
}

void ProductGridModel::narrow(const QString &search) {
    beginResetModel();
    m_search = search;
    narrowRows();
    endResetModel();
}

bool ProductGridModel::shows(const Product &p) const {
    return search::matches({&p.name, &p.installer, &p.description}, m_search);
}

void ProductGridModel::narrowRows() {
    m_shown.clear();
    m_shown.reserve(m_rows.size());
    for (int i = 0; i < m_rows.size(); ++i)
        if (shows(m_rows.at(i).product))
            m_shown << i;
}

const StoredProduct *ProductGridModel::shownRow(int row) const {
    return !m_empty && row >= 0 && row < m_shown.size() ? &m_rows.at(m_shown.at(row)) : nullptr;
}

QString ProductGridModel::cellText(int row, int column) const {
    const StoredProduct *shown = shownRow(row);
    if (!shown)
        return QString();
    const Product &p = shown->product;
    switch (column) {
    case IdColumn:
        return numbers::plain(p.id);
    case NameColumn:
        return p.name;
    case CostColumn:
        return numbers::dollars(p.cost);
    case MsrpColumn:
        return numbers::dollars(p.msrp);
    case ProfitColumn:
        return numbers::dollars(p.msrp - p.cost);
    case InstallerColumn:
        return p.installer;
    case PhoneColumn:
        return p.phone;
    case NotesColumn:
        return p.notes;
    default:
        return QString();
    }
}

qint64 ProductGridModel::recordAt(int row) const {
    const StoredProduct *shown = shownRow(row);
    return shown ? shown->record : 0;
}

QList<QStringList> ProductGridModel::gridRows() const {
    QList<QStringList> out;
    out.reserve(m_shown.size() + 1);
    out.append(headings());
    for (int r = 0; r < m_shown.size(); ++r) {
        QStringList cells;
        cells.reserve(ColumnCount);
        for (int c = 0; c < ColumnCount; ++c)
            cells << cellText(r, c);
        out.append(cells);
    }
    return out;
}

int ProductGridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_shown.size()); }

int ProductGridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ProductGridModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return oneLine(cellText(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole) {
        const bool money =
            index.column() == CostColumn || index.column() == MsrpColumn || index.column() == ProfitColumn;
        return int((money ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return {};
}

QVariant ProductGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return headings().value(section);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}
