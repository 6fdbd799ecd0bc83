#pragma once
// "EXIT" and the title bar's close leave a window the same way. The window's own leaving routine does the
// work: it asks or stores first where something could be lost (returning false when the user stays), then
// unloads or hides the window and goes back to where the user came from. A close that comes while the
// window is leaving, or after it was unloaded, only closes it.

#include <QObject>
#include <functional>

class QWidget;

class WindowClosing : public QObject {
    Q_OBJECT
public:
    // What leaving does with the window: unloads it (it is gone), or only hides it (it is shown again later).
    enum class Leaving { Unloads, Hides };

    WindowClosing(QWidget *window, Leaving leaving, std::function<bool()> leave);

    // "EXIT": leaves the window; false when the user chose to stay.
    bool exit();
    // The window was unloaded another way (an editor's "Delete"): a later close only closes it.
    void left() { m_left = true; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Leaving m_leaving;
    std::function<bool()> m_leave;
    bool m_left = false;
};
