#pragma once
// What every window shares: one instance each, geometry in twips, select-on-focus, captions from data.

#include <QPointer>
#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

// Each window exists at most once: created on first use, destroyed when unloaded.
template <class T> class SingleWindow {
public:
    static T *instance() {
        if (!slot())
            slot() = new T();
        return slot();
    }
    static T *existing() { return slot(); }
    static void unload() {
        if (T *w = slot()) {
            slot().clear();
            w->hide();
            w->deleteLater();
        }
    }

private:
    static QPointer<T> &slot() {
        static QPointer<T> p;
        return p;
    }
};

namespace ui {
// 15 twips to a pixel at 96 dpi, scaled with the screen's logical dpi.
int tw(double twips);
QRect twRect(double left, double top, double width, double height);
// Places a control (or sizes a window's client area) from twips.
void place(QWidget *w, double left, double top, double width, double height);
void setClientSize(QWidget *window, double width, double height);
// A button with its object name and caption, placed in twips.
QPushButton *button(QWidget *parent, const QString &name, const QString &caption, double left, double top, double width,
                    double height);
void centre(QWidget *window);

// Selects on focus as End then Shift+Home does: the whole text of a single-line box, the current
// line of a multi-line box.
void selectAllOnFocus(QWidget *box);
// Does the same to the box that has the focus now.
void selectall();

// A caption from data shows "&" as typed, never as a shortcut marker.
QString literalCaption(const QString &text);
} // namespace ui
