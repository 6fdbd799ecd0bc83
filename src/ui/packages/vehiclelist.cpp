#include "vehiclelist.h"

#include "core/money/numbers.h"
#include "ui/app/form1.h"
#include "ui/app/module1.h"
#include "ui/app/windows.h"
#include "ui/packages/editvehicle.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

// Steps to the record whose id is `wanted`; false when the set has none.
bool seek(RecordSet &rs, double wanted) {
    for (rs.moveFirst(); rs.hasCurrent(); rs.moveNext())
        if (numbers::val(rs.text(QStringLiteral("id"))) == wanted)
            return true;
    return false;
}

} // namespace

vehiclelist::vehiclelist() {
    setObjectName(QStringLiteral("vehiclelist"));
    setWindowTitle(QStringLiteral("Aftermarket Packages"));
    ui::setClientSize(this, 12495, 7500);

    grid1 = new QTableWidget(this);
    grid1->setObjectName(QStringLiteral("grid1"));
    grid1->setColumnCount(3);
    grid1->setHorizontalHeaderLabels({QString(), QStringLiteral("Vehicle"), QStringLiteral("Notes")});
    grid1->verticalHeader()->hide();
    grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    grid1->setWordWrap(false);
    grid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui::place(grid1, 0, 0, 12495, 6780);

    Command1 = ui::button(this, QStringLiteral("Command1"), QStringLiteral("Add Item"), 120, 6900, 1335, 495);
    Command3 = ui::button(this, QStringLiteral("Command3"), QStringLiteral("EXIT"), 1560, 6900, 1335, 495);

    connect(grid1, &QTableWidget::cellClicked, this, [this](int row, int) { openRow(row); });
    connect(Command1, &QPushButton::clicked, this, &vehiclelist::addItem);
    connect(Command3, &QPushButton::clicked, this, &vehiclelist::exitWindow);

    load();
    ui::centre(this);
}

void vehiclelist::load() {
    if (Module1::packagelistfirst) {
        Module1::packagelistsql = QStringLiteral("select * from [table] where id>0 order by vehiclename, notes");
        Module1::packagelistfirst = false;
    }
    Module1::rsvehicles = RecordSet::openQuery(Module1::dbvehicles, Module1::packagelistsql);
    m_rs = Module1::rsvehicles;
    // The id column is there for the click, not to be seen.
    grid1->setColumnWidth(0, 1);
    grid1->setColumnHidden(0, true);
    grid1->setColumnWidth(1, ui::tw(3000));
    grid1->setColumnWidth(2, ui::tw(10000));
    makelist();
}

void vehiclelist::cleargrid() {
    grid1->clearContents();
    grid1->setRowCount(1);
}

void vehiclelist::makelist() {
    cleargrid();
    if (!m_rs || !m_rs->hasRecords())
        return;
    QVector<QStringList> rows;
    for (m_rs->moveFirst(); m_rs->hasCurrent(); m_rs->moveNext()) {
        rows.append({m_rs->text(QStringLiteral("id")).trimmed(), m_rs->text(QStringLiteral("vehiclename")).trimmed(),
                     m_rs->text(QStringLiteral("notes")).trimmed()});
    }
    if (rows.isEmpty())
        return;
    grid1->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(rows[r][c]);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            grid1->setItem(r, c, item);
        }
    }
}

void vehiclelist::openRow(int row) {
    QTableWidgetItem *cell = grid1->item(row, 0);
    const double wanted = cell ? numbers::val(cell->text()) : 0;
    if (wanted == 0)
        return;
    // An editor still showing a template stores it before it is handed another one, and the list
    // reads the templates again so the stored values are the ones walked through.
    if (storeShownTemplate())
        load();
    // The list walks the set it opened itself; if the template has gone from it, the list query is
    // run again, and a template that no longer exists only refreshes the grid.
    if (!m_rs || !seek(*m_rs, wanted)) {
        load();
        if (!seek(*m_rs, wanted))
            return;
    }
    Module1::rsvehicles = m_rs;
    SingleWindow<editvehicle>::instance()->openPicked(m_rs);
    SingleWindow<vehiclelist>::unload();
}

bool vehiclelist::storeShownTemplate() {
    editvehicle *editor = SingleWindow<editvehicle>::existing();
    return editor && editor->isVisible() && editor->saverecord();
}

void vehiclelist::addItem() {
    storeShownTemplate();
    // The editor stores the new template, closes this list and shows the template.
    Module1::rsvehicles = m_rs;
    SingleWindow<editvehicle>::instance()->openNew();
}

void vehiclelist::exitWindow() {
    hide();
    Form1 *main = SingleWindow<Form1>::instance();
    main->show();
    main->raise();
    main->activateWindow();
}

void vehiclelist::closeEvent(QCloseEvent *event) {
    event->ignore();
    exitWindow();
}
