#pragma once
// Driving the catalogue windows as a user does: the main window's menu, the grid's rows, the editor's boxes.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class aftermarketlist;
class editform;
class QWidget;

namespace cataloguetest {

// "Aftermarket List" from the main window's menu; the list it shows.
aftermarketlist *openList();
aftermarketlist *list();
editform *editor();

// Number of product rows below the headings, and a cell's text.
int rows(aftermarketlist *list);
QString cell(aftermarketlist *list, int row, int column);
// The name column of every row, top to bottom.
QStringList names(aftermarketlist *list);
// Clicks a cell of a grid row (row 0 is the first below the headings).
void clickRow(aftermarketlist *list, int row, int column = 1);
// Opens the list and clicks the row whose name is `name`; the editor it opened.
editform *openProduct(const QString &name);

// A box's text, line box or multi-line box alike; multi-line boxes give their text as shown.
QString boxText(QWidget *window, const QString &name);
// Puts text in a box as a paste would: focus, select everything, replace.
void setBox(QWidget *window, const QString &name, const QString &text);
// Clicks a button of the window and answers every message box it raises; returns the boxes' texts.
QStringList clickAnswering(QWidget *window, const QString &button, const QList<bool> &answers = {true});

// A field of every stored product with that name, in file order.
QVariantList stored(const QString &field, const QString &name);
int storedCount();

} // namespace cataloguetest
