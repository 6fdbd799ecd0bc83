#include "ui/common/fullscreen.h"

#include "ui/common/windowfit.h"

#include <QCursor>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

namespace {
// How near the bottom edge, in pixels, the pointer brings the staff's controls up.
constexpr int kEdge = 8;

void deselect(QWidget *window) {
    for (QLineEdit *box : window->findChildren<QLineEdit *>())
        box->deselect();
    auto clear = [](auto *box) {
        QTextCursor c = box->textCursor();
        c.clearSelection();
        box->setTextCursor(c);
    };
    for (QPlainTextEdit *box : window->findChildren<QPlainTextEdit *>())
        clear(box);
    for (QTextEdit *box : window->findChildren<QTextEdit *>())
        clear(box);
}
} // namespace

FullScreen::FullScreen(QWidget *window) : QObject(window), m_window(window) {
    m_fit = WindowFit::of(window);
    if (!m_fit)
        m_fit = WindowFit::install(window, window->size());
    auto *f11 = new QShortcut(QKeySequence(Qt::Key_F11), window, this, &FullScreen::toggle);
    f11->setContext(Qt::WindowShortcut);
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), window, this, &FullScreen::leave);
    m_escape->setContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    m_pointer = new QTimer(this);
    m_pointer->setInterval(100);
    connect(m_pointer, &QTimer::timeout, this, &FullScreen::followPointer);
}

double FullScreen::scale() const { return m_fit->scale(); }

void FullScreen::setStaffControls(const QList<QWidget *> &controls) {
    m_staff.clear();
    for (QWidget *w : controls)
        m_staff << w;
}

void FullScreen::toggle() {
    if (m_active)
        leave();
    else
        enter();
}

void FullScreen::enter() {
    if (m_active)
        return;
    m_normalGeometry = m_window->geometry();
    m_active = true;
    // The customer sees the deal, not a box being edited nor a marked text.
    if (QWidget *focus = m_window->focusWidget())
        focus->clearFocus();
    deselect(m_window);
    m_staffHidden.clear();
    for (const QPointer<QWidget> &w : std::as_const(m_staff))
        if (w && !w->isHidden()) {
            m_staffHidden << w;
            w->hide();
        }
    m_window->showFullScreen();
    m_escape->setEnabled(true);
    m_pointer->start();
    // Where no window manager acts on the request (a kiosk's bare X server), the window takes the
    // screen itself once the manager has had time to answer.
    QTimer::singleShot(500, this, [this] {
        QScreen *on = m_window->screen();
        if (m_active && on && m_window->geometry() != on->geometry())
            m_window->setGeometry(on->geometry());
    });
}

void FullScreen::leave() {
    if (!m_active)
        return;
    m_active = false;
    m_pointer->stop();
    m_escape->setEnabled(false);
    showStaff(true);
    m_staffHidden.clear();
    m_window->showNormal();
    m_window->setGeometry(m_normalGeometry);
}

void FullScreen::showStaff(bool shown) {
    for (const QPointer<QWidget> &w : std::as_const(m_staffHidden))
        if (w)
            w->setVisible(shown);
}

void FullScreen::followPointer() {
    if (!m_active || m_staffHidden.isEmpty())
        return;
    // Near the bottom edge, or over the controls once they are up.
    const QPoint at = m_window->mapFromGlobal(QCursor::pos());
    int top = m_window->height() - kEdge;
    bool up = false;
    for (const QPointer<QWidget> &w : std::as_const(m_staffHidden))
        if (w && w->isVisible()) {
            up = true;
            top = qMin(top, w->mapTo(m_window, QPoint()).y() - kEdge);
        }
    const bool near = m_window->rect().contains(at) && at.y() >= top;
    if (near != up)
        showStaff(near);
}
