#pragma once
// What every window shares: geometry in twips, select-on-focus, captions from data.

#include <QRect>
#include <QString>

class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace ui {
// 15 twips to a pixel at 96 dpi, scaled with the screen's logical dpi.
int tw(double twips);
QRect twRect(double left, double top, double width, double height);
// Places a control from twips. The client area's size in twips is the window's designed size: the window
// fits its screen and scales its controls from there (windowfit.h).
void place(QWidget *w, double left, double top, double width, double height);
void setClientSize(QWidget *window, double width, double height);
// A button with its object name and caption, placed in twips.
QPushButton *button(QWidget *parent, const QString &name, const QString &caption, double left, double top, double width,
                    double height);
void centre(QWidget *window);
// The "Search:" box above a list's grid (`searchtext`), with what it searches as its placeholder.
QLineEdit *searchBox(QWidget *window, const QString &searches);

// Selects the whole text of the box on focus, single-line or multi-line, so typing replaces it.
void selectAllOnFocus(QWidget *box);

// A grid of rows to pick one from: whole rows selected, nothing edited, every row one line high (so the
// view never measures its rows, whatever their number), headings left-aligned and no row numbers.
void setUpListGrid(QTableView *grid);

// A caption from data shows "&" as typed, never as a shortcut marker.
QString literalCaption(const QString &text);
} // namespace ui
