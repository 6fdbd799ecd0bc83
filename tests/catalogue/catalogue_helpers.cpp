#include "catalogue_helpers.h"

#include "app/form1.h"
#include "app/windows.h"
#include "catalogue/aftermarketlist.h"
#include "catalogue/editform.h"
#include "catalogue/productgrid.h"
#include "app/module1.h"
#include "data/database.h"
#include "data/schema.h"
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QSqlQuery>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>

using namespace testsupport;

namespace cataloguetest {

aftermarketlist *openList() {
    Form1 *main = SingleWindow<Form1>::instance();
    main->show();
    auto *action = main->findChild<QAction *>(QStringLiteral("m_aftermarket"));
    if (!action || !action->isEnabled()) {
        qWarning("the main window's \"Aftermarket List\" is missing or disabled");
        return nullptr;
    }
    action->trigger();
    aftermarketlist *w = SingleWindow<aftermarketlist>::existing();
    if (w && !QTest::qWaitForWindowExposed(w))
        qWarning("the product list was not shown");
    return w;
}

aftermarketlist *list() { return SingleWindow<aftermarketlist>::existing(); }
editform *editor() { return SingleWindow<editform>::existing(); }

int rows(aftermarketlist *w) { return control<QTableView>(w, QStringLiteral("grid1"))->model()->rowCount(); }

QString cell(aftermarketlist *w, int row, int column) {
    // What the grid holds for the cell, line breaks included.
    return w->gridModel()->cellText(row, column);
}

QStringList names(aftermarketlist *w) {
    QStringList out;
    for (int r = 0; r < rows(w); ++r)
        out << cell(w, r, ProductGridModel::NameColumn);
    return out;
}

void clickRow(aftermarketlist *w, int row, int column) {
    auto *grid = control<QTableView>(w, QStringLiteral("grid1"));
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

editform *openProduct(const QString &name) {
    aftermarketlist *w = openList();
    if (!w)
        return nullptr;
    const int row = names(w).indexOf(name);
    if (row < 0) {
        qWarning("the list has no product named %s", qPrintable(name));
        return nullptr;
    }
    clickRow(w, row);
    return editor();
}

QString boxText(QWidget *window, const QString &name) {
    QWidget *w = control(window, name);
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    if (auto *multi = qobject_cast<QPlainTextEdit *>(w))
        return multi->toPlainText();
    return QString();
}

void setBox(QWidget *window, const QString &name, const QString &text) {
    QWidget *w = control(window, name);
    w->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(w)) {
        line->selectAll();
        line->insert(text);
    } else if (auto *multi = qobject_cast<QPlainTextEdit *>(w)) {
        multi->selectAll();
        multi->insertPlainText(text);
    }
}

QStringList clickAnswering(QWidget *window, const QString &button, const QList<bool> &answers) {
    QStringList texts;
    const QList<BoxSeen> seen = answeringBoxes([&] { click(window, button); }, answers);
    for (const BoxSeen &b : seen)
        texts << b.title + QStringLiteral(": ") + b.text;
    return texts;
}

QVariantList stored(const QString &field, const QString &name) {
    Database db;
    QVariantList out;
    if (!db.open(QDir(Module1::dataFolder()).filePath(schema::productsFile())))
        return out;
    QSqlQuery q(db.handle());
    q.prepare(QStringLiteral("select [%1] from [table] where aftermarketname=? order by rowid").arg(field));
    q.addBindValue(name.isNull() ? QStringLiteral("") : name); // an empty name, not an absent one
    if (q.exec())
        while (q.next())
            out << q.value(0);
    q.finish();
    return out;
}

int storedCount() { return column(schema::productsFile(), QStringLiteral("select count(*) from [table]")).value(0).toInt(); }

} // namespace cataloguetest
