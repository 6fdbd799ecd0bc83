#include "packages_support.h"

#include "app/form1.h"
#include "app/windows.h"
#include "data/schema.h"
#include "packages/editvehicle.h"
#include "packages/vehiclelist.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace testsupport;

namespace packagestest {

vehiclelist *openList() {
    Form1 *main = SingleWindow<Form1>::instance();
    main->show();
    auto *action = main->findChild<QAction *>(QStringLiteral("m_default"));
    if (!action || !action->isEnabled()) {
        qWarning("Create/Edit Packages is missing or disabled");
        return nullptr;
    }
    action->trigger();
    vehiclelist *list = SingleWindow<vehiclelist>::existing();
    if (list && !QTest::qWaitForWindowExposed(list))
        qWarning("the template list was not shown");
    return list;
}

QStringList listed(vehiclelist *list) {
    QStringList rows;
    auto *grid = control<QTableWidget>(list, QStringLiteral("grid1"));
    if (!grid)
        return rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
        auto cell = [&](int c) { return grid->item(r, c) ? grid->item(r, c)->text() : QString(); };
        rows << cell(1) + QLatin1Char('|') + cell(2);
    }
    return rows;
}

void clickRow(vehiclelist *list, int row) {
    auto *grid = control<QTableWidget>(list, QStringLiteral("grid1"));
    if (!grid)
        return;
    const QRect rect = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

editvehicle *openTemplate(vehiclelist *list, const QString &vehicle) {
    const QStringList rows = listed(list);
    for (int r = 0; r < rows.size(); ++r) {
        if (rows[r].section(QLatin1Char('|'), 0, 0) == vehicle) {
            answeringBoxes([&] { clickRow(list, r); });
            return SingleWindow<editvehicle>::existing();
        }
    }
    qWarning("no template %s listed", qPrintable(vehicle));
    return nullptr;
}

editvehicle *addItem(vehiclelist *list) {
    answeringBoxes([&] { click(list, QStringLiteral("Command1")); });
    return SingleWindow<editvehicle>::existing();
}

bool chooseRow(QComboBox *box, int row) {
    if (!box || row < 0 || row >= box->count())
        return false;
    box->showPopup();
    QAbstractItemView *view = box->view();
    if (!view || !QTest::qWaitForWindowExposed(view->window()))
        return false;
    const QModelIndex index = view->model()->index(row, box->modelColumn(), view->rootIndex());
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    if (!rect.isValid())
        return false;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    return QTest::qWaitFor([view] { return !view->isVisible(); }) && box->currentIndex() == row;
}

QComboBox *slotBox(QWidget *w, const QString &kind, int p, int s) {
    return control<QComboBox>(w, QStringLiteral("menu%1%2(%3)").arg(p).arg(kind).arg(s));
}

bool chooseProduct(QWidget *w, int p, int s, const QString &name) {
    QComboBox *box = slotBox(w, QString(), p, s);
    const int row = box ? box->findText(name, Qt::MatchExactly) : -1;
    if (row < 0) {
        qWarning("slot %d,%d offers no \"%s\"", p, s, qPrintable(name));
        return false;
    }
    return chooseRow(box, row);
}

QString text(QWidget *w, const QString &name) {
    QWidget *c = control(w, name);
    if (auto *l = qobject_cast<QLabel *>(c))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(c))
        return e->text();
    return QString();
}

QStringList totals(QWidget *w, int p) {
    return {text(w, QStringLiteral("totalcost(%1)").arg(p)), text(w, QStringLiteral("totalmsrp(%1)").arg(p)),
            text(w, QStringLiteral("totalprofit(%1)").arg(p))};
}

QVariantList storedField(int id, const QString &field) {
    return column(schema::vehiclesFile(), QStringLiteral("select [%1] from [table] where id = %2").arg(field).arg(id));
}

QList<int> storedSlots(int id) {
    QList<int> values;
    for (int p = 0; p < 4; ++p)
        for (int s = 0; s < 10; ++s)
            values << storedField(id, schema::slotField(p, s)).value(0).toInt();
    return values;
}

int storedCount(const QString &where) {
    return column(schema::vehiclesFile(), QStringLiteral("select count(*) from [table] where ") + where).value(0).toInt();
}

} // namespace packagestest
