#include "ui/catalogue/productgrid.h"

#include "core/money/numbers.h"
#include "core/store/database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

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

void ProductGridModel::makelist(Database &db, const QString &sql) {
    cleargrid();
    QSqlQuery q(db.handle());
    q.setForwardOnly(true);
    if (!q.prepare(sql) || !q.exec()) {
        reportDatabaseError(QStringLiteral("%1: %2\n%3").arg(db.path(), q.lastError().text(), sql));
        return;
    }
    const QSqlRecord fields = q.record();
    const int id = fields.indexOf(QStringLiteral("id")), name = fields.indexOf(QStringLiteral("aftermarketname")),
              cost = fields.indexOf(QStringLiteral("cost")), msrp = fields.indexOf(QStringLiteral("msrp")),
              installer = fields.indexOf(QStringLiteral("installer")), phone = fields.indexOf(QStringLiteral("phone")),
              notes = fields.indexOf(QStringLiteral("notes"));
    auto value = [&q](int column) { return column >= 0 ? q.value(column) : QVariant(); };
    QVector<Row> rows;
    while (q.next()) {
        Row r;
        r.id = value(id);
        r.name = value(name);
        r.cost = value(cost);
        r.msrp = value(msrp);
        r.installer = value(installer);
        r.phone = value(phone);
        r.notes = value(notes);
        r.position = int(rows.size());
        rows.append(std::move(r));
    }
    // Finished at once, so no lock outlives the read.
    q.finish();
    if (rows.isEmpty())
        return;
    // The empty row cleargrid left goes; the records take its place.
    beginResetModel();
    m_rows = std::move(rows);
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
        return numbers::plainField(r.id);
    case NameColumn:
        return r.name.toString().trimmed();
    case CostColumn:
        return numbers::dollars(numbers::fromField(r.cost));
    case MsrpColumn:
        return numbers::dollars(numbers::fromField(r.msrp));
    case ProfitColumn:
        return numbers::dollars(numbers::fromField(r.msrp) - numbers::fromField(r.cost));
    case InstallerColumn:
        return r.installer.toString().trimmed();
    case PhoneColumn:
        return r.phone.toString().trimmed();
    case NotesColumn:
        return r.notes.toString().trimmed();
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
