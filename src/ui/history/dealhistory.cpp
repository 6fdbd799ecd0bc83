#include "ui/history/dealhistory.h"

#include "core/print/acceptanceprintout.h"
#include "ui/common/geometry.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/common/windowclosing.h"
#include "ui/deal/dealview.h"
#include "ui/history/dealreport.h"
#include "ui/history/exportfile.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

// The stored deals as read, and which of them the search leaves: cells are made only when shown, so a
// history of any length opens in one read.
class HistoryModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void fill(QVector<DealSummary> deals) {
        beginResetModel();
        m_deals = std::move(deals);
        narrowRows();
        endResetModel();
    }
    void narrow(const QString &search) {
        beginResetModel();
        m_search = search;
        narrowRows();
        endResetModel();
    }
    const DealSummary &deal(int row) const { return m_deals.at(m_shown.at(row)); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : int(m_shown.size());
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : history::ColumnCount;
    }
    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid() || index.row() >= m_shown.size())
            return QVariant();
        if (role == Qt::DisplayRole)
            return history::cell(deal(index.row()), index.column());
        // Numbers and money read from the right.
        if (role == Qt::TextAlignmentRole &&
            (index.column() == history::Number || index.column() == history::Accepted ||
             index.column() == history::Payment))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return history::headings().value(section);
        return QVariant();
    }

private:
    void narrowRows() {
        m_shown.clear();
        m_shown.reserve(m_deals.size());
        const QString search = m_search.trimmed();
        for (int i = 0; i < m_deals.size(); ++i)
            if (history::matches(m_deals.at(i), search))
                m_shown << i;
    }

    QVector<DealSummary> m_deals;
    QVector<int> m_shown;
    QString m_search;
};

DealHistory::DealHistory(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("dealhistory"));
    setWindowTitle(tr("Deal History"));
    ui::setClientSize(this, 14640, 7650);

    m_searchBox = ui::searchBox(this, tr("Customer, vehicle, stock # or salesperson"));

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grid1"));
    ui::place(m_grid, 120, 525, 14400, 6435);
    m_model = new HistoryModel(m_grid);
    m_grid->setModel(m_model);
    ui::setUpListGrid(m_grid);
    QHeaderView *head = m_grid->horizontalHeader();
    // The payment is wide enough for a line that names its term.
    const int widths[history::ColumnCount] = {765, 1815, 2055, 2055, 1095, 1575, 1095, 915, 2835};
    for (int c = 0; c < history::ColumnCount; ++c)
        head->resizeSection(c, ui::tw(widths[c]));
    head->setStretchLastSection(true);

    m_reprintButton = ui::button(this, QStringLiteral("Command1"), tr("Reprint"), 120, 7080, 1335, 495);
    m_reportButton = ui::button(this, QStringLiteral("Command2"), tr("Report"), 1560, 7080, 1335, 495);
    m_exitButton = ui::button(this, QStringLiteral("Command3"), tr("EXIT"), 3000, 7080, 1335, 495);
    m_exportButton = ui::button(this, QStringLiteral("Command4"), tr("Export…"), 4440, 7080, 1335, 495);
    m_verifyButton = ui::button(this, QStringLiteral("Command5"), tr("Verify"), 5880, 7080, 1335, 495);
    m_verifyButton->setToolTip(tr("Checks every stored deal against the seal it was saved with."));
    QWidget *order[] = {m_searchBox,  m_grid,         m_reprintButton, m_reportButton,
                        m_exitButton, m_exportButton, m_verifyButton};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_searchBox, &QLineEdit::textChanged, m_model, &HistoryModel::narrow);
    connect(m_reprintButton, &QPushButton::clicked, this, &DealHistory::reprint);
    // A double-click (or Enter) on a row shows that deal as the customer saw it.
    connect(m_grid, &QTableView::activated, this,
            [this](const QModelIndex &index) { viewDeal(m_model->deal(index.row()).id); });
    connect(m_reportButton, &QPushButton::clicked, this, [this] { Program::bringUp(m_app.window<DealReport>()); });
    auto *closing = new WindowClosing(this, WindowClosing::Leaving::Unloads, [this] {
        exitWindow();
        return true;
    });
    connect(m_exitButton, &QPushButton::clicked, closing, &WindowClosing::exit);
    connect(m_exportButton, &QPushButton::clicked, this, &DealHistory::exportRows);
    connect(m_verifyButton, &QPushButton::clicked, this, &DealHistory::verifySeals);
    connect(&m_app.store().events(), &StoreEvents::dealsAdded, this, &DealHistory::reload);
    reload();
    ui::centre(this);
}

void DealHistory::reload() { m_model->fill(m_app.store().deals().history()); }

QList<QStringList> DealHistory::shownRows() const {
    QList<QStringList> rows;
    rows.reserve(m_model->rowCount());
    for (int r = 0; r < m_model->rowCount(); ++r)
        rows.append(history::cells(m_model->deal(r)));
    return rows;
}

qint64 DealHistory::selectedDeal() const {
    const QModelIndexList rows = m_grid->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() >= m_model->rowCount())
        return 0;
    return m_model->deal(rows.first().row()).id;
}

void DealHistory::reprint() {
    const qint64 id = selectedDeal();
    if (id == 0) {
        prompts::notice(tr("Please choose a deal to reprint."), this);
        return;
    }
    const std::optional<DealRecord> deal = m_app.store().deals().load(id);
    if (!deal) {
        prompts::notice(tr("Deal %1 could not be read.").arg(id), this);
        return;
    }
    if (prompts::confirm(tr("Reprint Deal %1?").arg(id), this) != 1)
        return;
    if (reprintDeal(m_app.printer(), *deal))
        printAcceptance(m_app.printer(), *deal);
}

void DealHistory::viewDeal(qint64 id) {
    const std::optional<DealRecord> deal = m_app.store().deals().load(id);
    if (!deal) {
        prompts::notice(tr("Deal %1 could not be read.").arg(id), this);
        return;
    }
    DealView *view = m_app.window<DealView>();
    view->showDeal(*deal);
    Program::bringUp(view);
}

void DealHistory::exportRows() {
    const QString path = exportfile::choose(m_app, this, tr("Export Deal History"), QStringLiteral("Deal History.csv"));
    if (path.isEmpty())
        return;
    QVector<DealSummary> shown;
    for (int r = 0; r < m_model->rowCount(); ++r)
        shown.append(m_model->deal(r));
    exportfile::write(path, history::exportFile(shown), tr("deal history"), this);
}

void DealHistory::verifySeals() {
    const SealCheck check = m_app.store().deals().verify();
    if (check.result == SealCheck::Intact)
        prompts::notice(check.message(), this);
    else
        prompts::error(check.message(), this);
}

void DealHistory::exitWindow() {
    m_app.unload<DealReport>();
    m_app.unload<DealView>();
    m_app.unload<DealHistory>();
    m_app.showHome();
}
