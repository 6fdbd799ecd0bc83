#pragma once
// Driving the deal worksheet as a user does: open it from the main window, choose entries from its
// drop-downs, type into its boxes and leave them.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

class makedeal;

namespace dealtest {

// Clicks "Create Deal for Customer" in the main window, answers any box the opening shows with OK
// and returns the worksheet (or nullptr). `boxes` receives the texts of the boxes answered.
makedeal *openWorksheet(QStringList *boxes = nullptr);

// Opens a drop-down's list and clicks the entry at `row`, as a user picks it.
bool chooseRow(QComboBox *box, int row);
// The same for the first entry showing `text`.
bool chooseText(QComboBox *box, const QString &text);

// The slot boxes of package p, slot s.
QComboBox *slotBox(QWidget *w, const QString &kind, int p, int s); // kind: "", "id", "cost", "msrp"
// Picks a product by name in slot (p, s).
bool chooseProduct(QWidget *w, int p, int s, const QString &name);
// Chooses a template by its entry number in "Vehicle Default:".
bool chooseTemplateRow(QWidget *w, int row);
bool chooseTemplate(QWidget *w, const QString &name);

// Types into a box and leaves it (the focus moves to the customer name box).
void typeAndLeave(QWidget *w, const QString &name, const QString &text);

QString label(QWidget *w, const QString &name);
// Each package's caption as shown (an escaped "&" counted once).
QString frameCaption(QWidget *w, int p);

} // namespace dealtest
