#include "ui/common/windowclosing.h"

#include <QEvent>
#include <QWidget>

WindowClosing::WindowClosing(QWidget *window, Leaving leaving, std::function<bool()> leave)
    : QObject(window), m_leaving(leaving), m_leave(std::move(leave)) {
    window->installEventFilter(this);
}

bool WindowClosing::exit() {
    if (m_left)
        return true;
    m_left = true;
    const bool gone = m_leave();
    // A hidden window is left again the next time it is shown.
    m_left = gone && m_leaving == Leaving::Unloads;
    return gone;
}

bool WindowClosing::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::Close || watched != parent() || m_left)
        return false;
    // The leaving routine has already hidden or unloaded the window; a hidden one must not be closed as
    // well, or Qt could take it for the program's last window.
    const bool gone = exit();
    event->setAccepted(gone && m_leaving == Leaving::Unloads);
    return true;
}
