#pragma once
// Driving the template list and editor as a user does.

#include <QComboBox>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class editvehicle;
class vehiclelist;

namespace packagestest {

// "Create/Edit Packages" in the main window's menu.
vehiclelist *openList();
// What the grid lists, row by row: "vehicle|notes".
QStringList listed(vehiclelist *list);
// Clicks the row showing `vehicle` (the first such row); returns the editor it opened.
editvehicle *openTemplate(vehiclelist *list, const QString &vehicle);
// Clicks the grid's row `row`.
void clickRow(vehiclelist *list, int row);
// "Add Item", answering any box the editor's first opening shows.
editvehicle *addItem(vehiclelist *list);

// Opens a drop-down's list and clicks an entry, as a user picks it.
bool chooseRow(QComboBox *box, int row);
bool chooseProduct(QWidget *w, int p, int s, const QString &name);
QComboBox *slotBox(QWidget *w, const QString &kind, int p, int s); // kind: "", "id", "cost", "msrp"

QString text(QWidget *w, const QString &name); // a label's or line box's text
// Package p's totals: cost, MSRP, profit.
QStringList totals(QWidget *w, int p);

// The stored template with this id: its 40 slot values, package by package.
QList<int> storedSlots(int id);
QVariantList storedField(int id, const QString &field);
int storedCount(const QString &where = QStringLiteral("1=1"));

} // namespace packagestest
