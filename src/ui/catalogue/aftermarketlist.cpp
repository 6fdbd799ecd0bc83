#include "ui/catalogue/aftermarketlist.h"

#include "core/money/numbers.h"
#include "ui/app/form1.h"
#include "ui/app/module1.h"
#include "ui/app/prompts.h"
#include "ui/app/windows.h"
#include "ui/catalogue/editform.h"
#include "ui/catalogue/productgrid.h"
#include "ui/catalogue/productlistprintout.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

QString productListQuery() {
    return QStringLiteral("select * from [table] where id>0 order by aftermarketname, cost, msrp");
}

aftermarketlist::aftermarketlist() {
    setObjectName(QStringLiteral("aftermarketlist"));
    setWindowTitle(QStringLiteral("Aftermarket List"));
    ui::setClientSize(this, 12660, 7650);

    grid1 = new QTableView(this);
    grid1->setObjectName(QStringLiteral("grid1"));
    ui::place(grid1, 120, 120, 12495, 6855);
    m_model = new ProductGridModel(grid1);
    grid1->setModel(m_model);
    grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid1->setWordWrap(false);
    grid1->setSortingEnabled(false);
    grid1->setCornerButtonEnabled(false);
    // No fixed column, and every row one line high: the view never measures its rows, whatever their number.
    grid1->verticalHeader()->hide();
    grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid1->verticalHeader()->setDefaultSectionSize(std::max(ui::tw(240), grid1->fontMetrics().height() + 4));
    QHeaderView *head = grid1->horizontalHeader();
    head->setHighlightSections(false);
    head->setStretchLastSection(false);
    head->setMinimumSectionSize(0);
    head->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    head->setSectionResizeMode(QHeaderView::Interactive);

    Command1 = ui::button(this, QStringLiteral("Command1"), QStringLiteral("Add Item"), 120, 7080, 1335, 495);
    Command2 = ui::button(this, QStringLiteral("Command2"), QStringLiteral("Print List"), 1560, 7080, 1335, 495);
    Command3 = ui::button(this, QStringLiteral("Command3"), QStringLiteral("EXIT"), 3000, 7080, 1335, 495);
    setTabOrder(grid1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);

    connect(grid1, &QTableView::clicked, this, &aftermarketlist::openRow);
    connect(Command1, &QPushButton::clicked, this, &aftermarketlist::addItem);
    connect(Command2, &QPushButton::clicked, this, &aftermarketlist::printList);
    connect(Command3, &QPushButton::clicked, this, &aftermarketlist::exitWindow);

    // Window load.
    using namespace Module1;
    if (productlistfirst) {
        productlistsql = productListQuery();
        productlistfirst = false;
    }
    const QVector<int> widths = ProductGridModel::widthsInTwips();
    for (int c = 0; c < ProductGridModel::ColumnCount; ++c)
        head->resizeSection(c, ui::tw(widths.at(c)));
    // One twip wide: the key column is there but never seen.
    grid1->setColumnHidden(ProductGridModel::IdColumn, ui::tw(widths.at(0)) == 0);
    makelist();
    ui::centre(this);
}

void aftermarketlist::cleargrid() { m_model->cleargrid(); }

// The grid is filled by one read of the list's query. The record set the editor walks is opened from
// the same query when a row is clicked, so opening the list costs one read however large the
// catalogue, and the editor always starts from what is stored at that moment.
void aftermarketlist::makelist() { m_model->makelist(Module1::dbproducts, Module1::productlistsql); }

void aftermarketlist::reload() { makelist(); }

QList<QStringList> aftermarketlist::gridRows() const { return m_model->gridRows(); }

void aftermarketlist::openRow(const QModelIndex &index) {
    if (!index.isValid())
        return;
    const int row = index.row();
    const double wanted = numbers::val(m_model->cellText(row, ProductGridModel::IdColumn));
    if (wanted == 0)
        return;

    // An editor already open stores what it shows before it takes another record.
    if (editform *existing = SingleWindow<editform>::existing())
        existing->release();

    RecordSetPtr rs = RecordSet::openQuery(Module1::dbproducts, Module1::productlistsql);
    Module1::rsproducts = rs;
    // Where the row stood when the list was read; if the catalogue has changed since, look for the id.
    rs->moveTo(m_model->recordPosition(row));
    bool found = rs->hasCurrent() && rs->position() == m_model->recordPosition(row) &&
                 numbers::val(rs->text(QStringLiteral("id"))) == wanted;
    if (!found) {
        for (rs->moveFirst(); rs->hasCurrent(); rs->moveNext()) {
            if (numbers::val(rs->text(QStringLiteral("id"))) == wanted) {
                found = true;
                break;
            }
        }
    }
    if (!found) {
        prompts::notice(QStringLiteral("This product is no longer in the catalogue."), this);
        reload();
        return;
    }

    editform *editor = SingleWindow<editform>::instance();
    editor->show();
    editor->raise();
    editor->activateWindow();
    editor->open(rs);
    m_closing = true;
    SingleWindow<aftermarketlist>::unload();
}

void aftermarketlist::addItem() {
    if (editform *existing = SingleWindow<editform>::existing())
        existing->release();
    // The id is drawn and written before the product that uses it is stored.
    const std::optional<qint32> id = Module1::handoutid(Module1::Counter::Products);
    if (!id)
        return;
    editform *editor = SingleWindow<editform>::instance();
    editor->show();
    editor->raise();
    editor->activateWindow();
    editor->clearform();
    editor->setIdText(QString::number(*id));
    // A set of its own takes the new record, so no set another window relies on changes.
    RecordSetPtr adding =
        RecordSet::openQuery(Module1::dbproducts, QStringLiteral("select * from [table] where id = ?"), {*id});
    adding->addNew();
    editor->formtorec(*adding);
    if (!adding->update())
        return;
    adding->moveTo(adding->lastModified());
    const qint64 added = adding->rowid();
    m_closing = true;
    SingleWindow<aftermarketlist>::unload();
    Module1::rsproducts =
        RecordSet::openQuery(Module1::dbproducts, QStringLiteral("Select * from [table] where id = ") +
                                                      numbers::plain(numbers::val(editor->idText())));
    // An older product may carry the same id (a settings file behind its catalogue): the editor
    // stands on the one just stored, never on the older one.
    RecordSet &set = *Module1::rsproducts;
    while (set.hasCurrent() && set.rowid() != added)
        set.moveNext();
    if (!set.hasCurrent())
        set.moveFirst();
    editor->open(Module1::rsproducts);
}

void aftermarketlist::printList() { printProductListConfirmed(gridRows()); }

void aftermarketlist::exitWindow() {
    m_closing = true;
    Form1 *main = SingleWindow<Form1>::instance();
    SingleWindow<aftermarketlist>::unload();
    main->show();
    main->raise();
    main->activateWindow();
}

void aftermarketlist::closeEvent(QCloseEvent *event) {
    if (!m_closing)
        exitWindow();
    event->accept();
}
