#include "ui/packages/templatelist.h"

#include "core/money/numbers.h"
#include "ui/common/program.h"
#include "ui/common/geometry.h"
#include "ui/common/serveraccount.h"
#include "ui/common/windowclosing.h"
#include "ui/packages/templateeditor.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

TemplateList::TemplateList(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("vehiclelist"));
    setWindowTitle(tr("Aftermarket Packages"));
    ui::setClientSize(this, 12495, 7500);

    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("grid1"));
    m_grid->setColumnCount(3);
    m_grid->setHorizontalHeaderLabels({QString(), tr("Vehicle"), tr("Notes")});
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui::place(m_grid, 0, 0, 12495, 6780);

    m_addButton = ui::button(this, QStringLiteral("Command1"), tr("Add Item"), 120, 6900, 1335, 495);
    m_exitButton = ui::button(this, QStringLiteral("Command3"), tr("EXIT"), 1560, 6900, 1335, 495);

    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int) { openRow(row); });
    connect(m_addButton, &QPushButton::clicked, this, &TemplateList::addItem);
    if (!m_app.store().mayChange(Store::What::Templates))
        serveraccount::keepFromChanging(m_addButton);
    auto *closing = new WindowClosing(this, WindowClosing::Leaving::Hides, [this] {
        exitWindow();
        return true;
    });
    connect(m_exitButton, &QPushButton::clicked, closing, &WindowClosing::exit);

    // The id column is there for the click, not to be seen.
    m_grid->setColumnWidth(0, 1);
    m_grid->setColumnHidden(0, true);
    m_grid->setColumnWidth(1, ui::tw(3000));
    m_grid->setColumnWidth(2, ui::tw(10000));
    load();
    connect(&m_app.store().events(), &StoreEvents::templatesChanged, this, &TemplateList::load);
    ui::centre(this);
}

void TemplateList::load() {
    m_rows = m_app.store().templates().listed();
    m_grid->clearContents();
    // The heading row and one empty row when there is nothing to list.
    m_grid->setRowCount(std::max<int>(1, int(m_rows.size())));
    for (int r = 0; r < m_rows.size(); ++r) {
        const ListedTemplate &t = m_rows.at(r);
        const QString cells[3] = {numbers::plain(t.id), t.vehiclename, t.notes};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_grid->setItem(r, c, item);
        }
    }
}

int TemplateList::rowOf(double id) const {
    for (int r = 0; r < m_rows.size(); ++r)
        if (m_rows.at(r).id == id)
            return r;
    return -1;
}

TemplateEditor *TemplateList::editor() {
    const bool made = !m_app.existing<TemplateEditor>();
    TemplateEditor *editor = m_app.window<TemplateEditor>();
    if (made) {
        Program *app = &m_app;
        connect(editor, &TemplateEditor::finished, app, [app] { Program::bringUp(app->window<TemplateList>()); });
    }
    return editor;
}

void TemplateList::openRow(int row) {
    QTableWidgetItem *cell = m_grid->item(row, 0);
    const double wanted = cell ? numbers::val(cell->text()) : 0;
    if (wanted == 0)
        return;
    // An editor still showing a template stores it before it is handed another one (the list reads the
    // templates again on that, so the stored values are the ones walked through). A template that has
    // gone only refreshes the grid.
    storeShownTemplate();
    int at = rowOf(wanted);
    if (at < 0) {
        load();
        at = rowOf(wanted);
        if (at < 0)
            return;
    }
    QVector<qint64> records;
    for (const ListedTemplate &t : std::as_const(m_rows))
        records << t.record;
    std::unique_ptr<RecordWalk<PackageTemplate>> walk = m_app.store().templates().walk(records, at);
    if (!walk->hasCurrent() || walk->current().id != wanted) {
        load();
        return;
    }
    editor()->openPicked(std::move(walk));
    m_app.unload<TemplateList>();
}

bool TemplateList::storeShownTemplate() {
    TemplateEditor *open = m_app.existing<TemplateEditor>();
    return open && open->isVisible() && open->save();
}

void TemplateList::addItem() {
    storeShownTemplate();
    // The editor stores the new template and shows it; this list closes then.
    if (editor()->openNew())
        m_app.unload<TemplateList>();
}

void TemplateList::exitWindow() {
    hide();
    m_app.showHome();
}
