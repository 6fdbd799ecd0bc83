#include "ui/app/fullscreen.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <cmath>

namespace {
QFont scaled(QFont font, double factor) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, int(std::lround(font.pixelSize() * factor))));
    return font;
}

// Edges scaled rather than sizes, so controls that touch or stand apart in the window still do.
QRect scaled(const QRect &r, double factor) {
    const auto at = [factor](int v) { return int(std::lround(v * factor)); };
    const int left = at(r.x()), top = at(r.y());
    return QRect(left, top, at(r.x() + r.width()) - left, at(r.y() + r.height()) - top);
}

// A control that only holds other controls; anything else draws its own insides (a text box's scroll bars,
// a list's view) and is scaled as one piece.
bool holdsControls(const QWidget *w) {
    return qobject_cast<const QGroupBox *>(w) || w->metaObject() == &QWidget::staticMetaObject ||
           w->metaObject() == &QFrame::staticMetaObject;
}

void restoreFont(QWidget *w, const QFont &font, bool own) {
    // A control that took its font from its parent takes it from there again.
    w->setFont(own ? font : QFont());
}
} // namespace

FullScreen::FullScreen(QWidget *window) : QObject(window), m_window(window) {
    auto *f11 = new QShortcut(QKeySequence(Qt::Key_F11), window, this, &FullScreen::toggle);
    f11->setContext(Qt::WindowShortcut);
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), window, this, &FullScreen::leave);
    m_escape->setContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    window->installEventFilter(this);
}

void FullScreen::toggle() {
    if (m_active)
        leave();
    else
        enter();
}

void FullScreen::record(QWidget *container) {
    for (QObject *child : container->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        m_design.append({w, w->geometry(), w->font(), w->testAttribute(Qt::WA_SetFont)});
        if (holdsControls(w))
            record(w);
    }
}

void FullScreen::enter() {
    if (m_active)
        return;
    // Taken afresh at every switch from the window as designed, so controls added since are included.
    m_design.clear();
    m_windowDesign = {m_window, m_window->geometry(), m_window->font(), m_window->testAttribute(Qt::WA_SetFont)};
    record(m_window);
    m_designSize = m_window->size();
    m_normalGeometry = m_window->geometry();
    m_minimumSize = m_window->minimumSize();
    m_maximumSize = m_window->maximumSize();

    QScreen *screen = m_window->screen();

    m_active = true;
    m_window->setMinimumSize(0, 0);
    m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (screen)
        fit(screen->geometry().size());
    m_window->showFullScreen();
    m_escape->setEnabled(true);
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
    m_fitted = QSize();
    m_escape->setEnabled(false);
    restoreFont(m_window, m_windowDesign.font, m_windowDesign.ownFont);
    for (const Design &d : std::as_const(m_design))
        if (d.widget)
            restoreFont(d.widget, d.font, d.ownFont);
    for (const Design &d : std::as_const(m_design))
        if (d.widget)
            d.widget->setGeometry(d.geometry);
    m_window->showNormal();
    m_window->setMinimumSize(m_minimumSize);
    m_window->setMaximumSize(m_maximumSize);
    m_window->setGeometry(m_normalGeometry);
}

void FullScreen::fit(const QSize &area) {
    if (area == m_fitted || m_designSize.isEmpty() || area.isEmpty())
        return;
    m_fitted = area;
    m_scale = qMin(double(area.width()) / m_designSize.width(), double(area.height()) / m_designSize.height());
    const QPoint offset((area.width() - int(std::lround(m_designSize.width() * m_scale))) / 2,
                        (area.height() - int(std::lround(m_designSize.height() * m_scale))) / 2);
    // Fonts first, so that a control laying out its text when resized measures the new one.
    m_window->setFont(scaled(m_windowDesign.font, m_scale));
    for (const Design &d : std::as_const(m_design))
        if (d.widget)
            d.widget->setFont(scaled(d.font, m_scale));
    for (const Design &d : std::as_const(m_design)) {
        if (!d.widget)
            continue;
        QRect r = scaled(d.geometry, m_scale);
        if (d.widget->parentWidget() == m_window)
            r.translate(offset);
        d.widget->setGeometry(r);
    }
}

bool FullScreen::eventFilter(QObject *watched, QEvent *event) {
    // Whatever size the screen turns out to give (or gives later, on another screen), fill it.
    if (watched == m_window && event->type() == QEvent::Resize && m_active)
        fit(m_window->size());
    return QObject::eventFilter(watched, event);
}
