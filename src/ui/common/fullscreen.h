#pragma once
// A window shown on the whole of the screen it is on, and back. Its controls keep their places in
// proportion through the window's fit (geometry and font by one factor, the whole centred), so they fill
// the screen. The staff's controls hide while full screen and appear while the pointer is near the bottom
// edge; no text stays selected in front of the customer. F11 switches; Escape returns to the window as it was.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

class QShortcut;
class QTimer;
class QWidget;
class WindowFit;

class FullScreen : public QObject {
    Q_OBJECT
public:
    // Works on `window` (which owns it) and gives it the F11 and Escape keys.
    explicit FullScreen(QWidget *window);

    bool isActive() const { return m_active; }
    void toggle();
    void enter();
    void leave();
    // The factor the controls are scaled by.
    double scale() const;
    // Controls only the staff use: hidden in full screen until the pointer nears the bottom edge.
    void setStaffControls(const QList<QWidget *> &controls);

private:
    void followPointer();
    void showStaff(bool shown);

    QWidget *m_window;
    WindowFit *m_fit;
    QShortcut *m_escape;
    QTimer *m_pointer;
    QRect m_normalGeometry;
    QList<QPointer<QWidget>> m_staff;
    QList<QPointer<QWidget>> m_staffHidden; // the staff's controls taken away for full screen
    bool m_active = false;
};
