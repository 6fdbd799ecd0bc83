#include "catalogue/productgrid.h"

#include "app/numbers.h"
#include "data/recordset.h"

namespace {
bool isNumber(const QVariant &v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

// A stored amount; a text that found its way into a number field reads as its leading number.
double amount(const QVariant &v) { return isNumber(v) ? v.toDouble() : numbers::val(v.toString()); }

QString idText(const QVariant &v) {
    if (v.isNull())
        return QString();
    return isNumber(v) ? numbers::plain(v.toDouble()) : v.toString().trimmed();
}

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
    static const QStringList h{QString(),
            QStringLiteral("Name"),
            QStringLiteral("Cost"),
            QStringLiteral("MSRP"),
            QStringLiteral("Profit"),
            QStringLiteral("Installer"),
            QStringLiteral("Phone #"),
            QStringLiteral("Notes")};
    return h;
}

QVector<int> ProductGridModel::widthsInTwips() { return {1, 3000, 1100, 1100, 1100, 2000, 2000, 10000}; }

void ProductGridModel::cleargrid() {
    beginResetModel();
    m_rows.clear();
    m_rows.append(Row{});
    endResetModel();
}

void ProductGridModel::makelist(RecordSet &rs) {
    cleargrid();
    if (!rs.hasRecords())
        return;
    QVector<Row> rows;
    rows.reserve(rs.liveCount());
    const QString id = QStringLiteral("id"), name = QStringLiteral("aftermarketname"), cost = QStringLiteral("cost"),
                  msrp = QStringLiteral("msrp"), installer = QStringLiteral("installer"),
                  phone = QStringLiteral("phone"), notes = QStringLiteral("notes");
    // hasCurrent() rather than eof(): it stays constant-time however large the set is.
    for (rs.moveFirst(); rs.hasCurrent(); rs.moveNext()) {
        Row r;
        r.id = rs.field(id);
        r.name = rs.text(name).trimmed();
        r.cost = amount(rs.field(cost));
        r.msrp = amount(rs.field(msrp));
        r.installer = rs.text(installer).trimmed();
        r.phone = rs.text(phone).trimmed();
        r.notes = rs.text(notes).trimmed();
        r.position = rs.position();
        rows.append(std::move(r));
    }
    // The empty row cleargrid left goes; the records take its place.
    beginResetModel();
    m_rows = std::move(rows);
    if (m_rows.isEmpty())
        m_rows.append(Row{});
    endResetModel();
}

QString ProductGridModel::cellText(int row, int column) const {
    if (row < 0 || row >= m_rows.size())
        return QString();
    const Row &r = m_rows.at(row);
    if (r.position < 0)
        return QString();
    switch (column) {
    case IdColumn:
        return idText(r.id);
    case NameColumn:
        return r.name;
    case CostColumn:
        return numbers::dollars(r.cost);
    case MsrpColumn:
        return numbers::dollars(r.msrp);
    case ProfitColumn:
        return numbers::dollars(r.msrp - r.cost);
    case InstallerColumn:
        return r.installer;
    case PhoneColumn:
        return r.phone;
    case NotesColumn:
        return r.notes;
    default:
        return QString();
    }
}

int ProductGridModel::recordPosition(int row) const {
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).position : -1;
}

QList<QStringList> ProductGridModel::gridRows() const {
    QList<QStringList> out;
    out.reserve(m_rows.size() + 1);
    out.append(headings());
    for (int r = 0; r < m_rows.size(); ++r) {
        QStringList cells;
        cells.reserve(ColumnCount);
        for (int c = 0; c < ColumnCount; ++c)
            cells << cellText(r, c);
        out.append(cells);
    }
    return out;
}

int ProductGridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int ProductGridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ProductGridModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return oneLine(cellText(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
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
