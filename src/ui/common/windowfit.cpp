#include "ui/common/windowfit.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cmath>

namespace {
QFont scaled(QFont font, double factor) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, int(std::lround(font.pixelSize() * factor))));
    return font;
}

int at(int v, double factor) { return int(std::lround(v * factor)); }

// Edges scaled rather than sizes, so controls that touch or stand apart in the window still do.
QRect scaled(const QRect &r, double factor) {
    const int left = at(r.x(), factor), top = at(r.y(), factor);
    return QRect(left, top, at(r.x() + r.width(), factor) - left, at(r.y() + r.height(), factor) - top);
}

QSize scaled(const QSize &s, double factor) { return QSize(at(s.width(), factor), at(s.height(), factor)); }

// A control that only holds other controls; anything else draws its own insides (a text box's scroll bars,
// a list's view) and is scaled as one piece, as is a container that places its own children.
bool holdsControls(const QWidget *w) {
    const bool container = qobject_cast<const QGroupBox *>(w) || w->metaObject() == &QWidget::staticMetaObject ||
                           w->metaObject() == &QFrame::staticMetaObject;
    return container && !w->property("laysOutOwnChildren").toBool();
}

bool ours(const QWidget *w) { return !w->isWindow() && !w->objectName().startsWith(QLatin1String("qt_")); }
} // namespace

WindowFit *WindowFit::install(QWidget *window, const QSize &design) {
    if (WindowFit *fit = of(window)) {
        fit->setDesignSize(design);
        return fit;
    }
    return new WindowFit(window, design);
}

WindowFit *WindowFit::remember(QWidget *window) {
    WindowFit *fit = of(window);
    return fit ? fit : new WindowFit(window, QSize());
}

WindowFit *WindowFit::of(const QWidget *window) {
    return window ? window->findChild<WindowFit *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

WindowFit::WindowFit(QWidget *window, const QSize &design) : QObject(window), m_window(window), m_designSize(design) {
    m_saveTimer = new QTimer(this);
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(500);
    connect(m_saveTimer, &QTimer::timeout, this, &WindowFit::save);
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window->installEventFilter(this);
    if (design.isEmpty())
        return;

    m_scroll = new QScrollArea(window);
    m_scroll->setObjectName(QStringLiteral("windowscroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignCenter);
    if (auto *main = qobject_cast<QMainWindow *>(window)) {
        m_canvas = main->takeCentralWidget();
        main->setCentralWidget(m_scroll);
    } else {
        m_scroll->setGeometry(window->rect());
        m_scroll->lower();
    }
    if (!m_canvas) {
        m_canvas = new QWidget;
        m_canvas->setObjectName(QStringLiteral("windowcanvas"));
    }
    m_canvas->setMinimumSize(0, 0);
    m_canvas->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const bool painted = m_canvas->autoFillBackground();
    m_scroll->setWidget(m_canvas);
    // The canvas paints only where the window painted before.
    m_canvas->setAutoFillBackground(painted);
    m_scroll->installEventFilter(this);
    window->resize(design + chrome());
}

QSize WindowFit::chrome() const {
    if (auto *main = qobject_cast<QMainWindow *>(m_window))
        if (QWidget *menu = main->menuWidget())
            return QSize(0, menu->sizeHint().height());
    return QSize();
}

void WindowFit::adopt() {
    m_adoptQueued = false;
    if (!m_canvas)
        return;
    if (!qobject_cast<QMainWindow *>(m_window)) {
        const QObjectList children = m_window->children();
        for (QObject *child : children) {
            auto *w = qobject_cast<QWidget *>(child);
            if (!w || w == m_scroll || !ours(w))
                continue;
            const bool hidden = w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden();
            const bool shown = w->isVisible() || !m_window->isVisible();
            w->setParent(m_canvas);
            if (hidden)
                w->hide();
            else if (shown)
                w->show();
            m_fontsStale = true;
        }
    }
    record(m_canvas);
}

void WindowFit::record(QWidget *container) {
    for (QObject *child : container->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || !ours(w))
            continue;
        if (!known(w)) {
            m_index.insert(w, int(m_design.size()));
            m_design.append({w, w->geometry(), w->font(), w->testAttribute(Qt::WA_SetFont)});
            m_fontsStale = true;
        }
        if (holdsControls(w))
            record(w);
    }
}

bool WindowFit::known(QWidget *control) const {
    // A control made where a deleted one was is a new control.
    const auto at = m_index.constFind(control);
    return at != m_index.constEnd() && m_design.at(*at).widget == control;
}

WindowFit::Design &WindowFit::designOf(QWidget *control) {
    if (!known(control))
        adopt();
    if (!known(control)) {
        m_index.insert(control, int(m_design.size()));
        m_design.append({control, control->geometry(), control->font(), control->testAttribute(Qt::WA_SetFont)});
    }
    return m_design[m_index.value(control)];
}

void WindowFit::setDesignSize(const QSize &size) {
    if (size == m_designSize)
        return;
    m_designSize = size;
    if (m_placed)
        fit();
    else if (m_scroll)
        m_window->resize(size + chrome());
}

QRect WindowFit::designGeometry(QWidget *control) { return designOf(control).geometry; }

void WindowFit::place(QWidget *control, const QRect &rect) {
    designOf(control).geometry = rect;
    apply(control, rect);
}

void WindowFit::apply(QWidget *control, const QRect &rect) {
    QRect r = scaled(rect, m_scale);
    if (control->parentWidget() == m_canvas)
        r.translate(m_offset);
    control->setGeometry(r);
}

void WindowFit::setDesignFont(QWidget *control, const QFont &font) {
    Design &d = designOf(control);
    d.font = font;
    d.ownFont = true;
    control->setFont(m_scale == 1.0 ? font : scaled(font, m_scale));
}

void WindowFit::fit() {
    if (!m_canvas || m_designSize.isEmpty())
        return;
    adopt();
    const QSize area = m_scroll->size();
    if (area.isEmpty())
        return;
    double fitted = qMin(double(area.width()) / m_designSize.width(), double(area.height()) / m_designSize.height());
    // A window a pixel short of its design (rounding at a fractional screen scale) shows the design as drawn.
    if (fitted < 1.0 && area.width() >= m_designSize.width() - 1 && area.height() >= m_designSize.height() - 1)
        fitted = 1.0;
    m_scale = qMax(fitted, readableScale);
    const QSize used = scaled(m_designSize, m_scale);
    // Below the readable scale the canvas keeps that size and the scroll bars reach the rest.
    const QSize canvas = fitted >= readableScale ? area : used;
    m_offset = QPoint((canvas.width() - used.width()) / 2, (canvas.height() - used.height()) / 2);
    m_canvas->resize(canvas);

    // Fonts first, so that a control laying out its text when resized measures the new one.
    if (m_fontsStale || m_scale != m_fontScale) {
        m_canvas->setFont(m_scale == 1.0 ? QFont() : scaled(m_window->font(), m_scale));
        for (const Design &d : std::as_const(m_design))
            if (d.widget && d.ownFont)
                d.widget->setFont(m_scale == 1.0 ? d.font : scaled(d.font, m_scale));
        m_fontScale = m_scale;
        m_fontsStale = false;
    }
    for (const Design &d : std::as_const(m_design))
        if (d.widget)
            apply(d.widget, d.geometry);
}

void WindowFit::placeFirst() {
    m_placed = true;
    const QRect remembered = QSettings(QStringLiteral("Quorvel"), QStringLiteral("Quorvel")).value(key()).toRect();
    if (remembered.isValid())
        for (QScreen *screen : QGuiApplication::screens())
            if (screen->availableGeometry().contains(remembered)) {
                m_window->setGeometry(remembered);
                fit();
                return;
            }
    QScreen *screen = QGuiApplication::screenAt(m_window->geometry().center());
    if (!screen)
        screen = m_window->screen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    if (const QWindow *handle = m_window->windowHandle())
        area = area.marginsRemoved(handle->frameMargins());
    QSize size = m_window->size();
    if (!m_designSize.isEmpty()) {
        const QSize room = area.size() - chrome();
        const double fitted =
            qMin(1.0, qMin(double(room.width()) / m_designSize.width(), double(room.height()) / m_designSize.height()));
        size = scaled(m_designSize, qMax(fitted, readableScale)).boundedTo(room) + chrome();
    }
    size = size.boundedTo(area.size());
    // On a whole pixel of the screen (at 150 % every other one), so the window keeps the size it is given.
    const double ratio = screen->devicePixelRatio();
    const auto whole = [ratio](int v) {
        for (int k = 0; k < 4; ++k)
            if (std::abs(std::remainder((v + k) * ratio, 1.0)) < 1e-6)
                return v + k;
        return v;
    };
    m_window->resize(size);
    m_window->move(whole(area.left() + (area.width() - size.width()) / 2),
                   whole(area.top() + (area.height() - size.height()) / 2));
    fit();
    // The frame the window is given is known only once it is shown: then it is kept inside the screen too.
    QTimer::singleShot(0, this, &WindowFit::keepOnScreen);
    QTimer::singleShot(250, this, &WindowFit::keepOnScreen);
}

void WindowFit::keepOnScreen() {
    if (!m_window->isVisible() || m_window->windowState() != Qt::WindowNoState)
        return;
    const QRect frame = m_window->frameGeometry(), client = m_window->geometry();
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = m_window->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (area.isEmpty() || area.contains(frame))
        return;
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                           frame.bottom() - client.bottom());
    const QRect room = area.marginsRemoved(margins);
    const QSize size = client.size().boundedTo(room.size());
    QPoint at = client.topLeft();
    at.setX(qBound(room.left(), at.x(), room.right() + 1 - size.width()));
    at.setY(qBound(room.top(), at.y(), room.bottom() + 1 - size.height()));
    m_window->setGeometry(QRect(at, size));
}

QString WindowFit::key() const { return QStringLiteral("windows/%1/geometry").arg(m_window->objectName()); }

void WindowFit::save() {
    m_saveTimer->stop();
    // Only the window as placed by hand: full screen or maximised, the size to come back to is the earlier one.
    if (!m_placed || m_window->windowState() != Qt::WindowNoState)
        return;
    QSettings(QStringLiteral("Quorvel"), QStringLiteral("Quorvel")).setValue(key(), m_window->geometry());
}

bool WindowFit::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_scroll) {
        if (event->type() == QEvent::Resize)
            fit();
        return false;
    }
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::ChildAdded:
        // A control added after the window was built joins the canvas once it is made.
        if (m_canvas && !m_adoptQueued && !qobject_cast<QMainWindow *>(m_window) &&
            static_cast<QChildEvent *>(event)->child()->isWidgetType()) {
            m_adoptQueued = true;
            QTimer::singleShot(0, this, &WindowFit::fit);
        }
        break;
    case QEvent::Show:
        if (!m_placed)
            placeFirst();
        else
            fit();
        break;
    case QEvent::Resize:
        if (m_scroll && !qobject_cast<QMainWindow *>(m_window))
            m_scroll->setGeometry(m_window->rect());
        [[fallthrough]];
    case QEvent::Move:
        if (m_placed && m_window->isVisible())
            m_saveTimer->start();
        break;
    case QEvent::Hide:
    case QEvent::Close:
        save();
        break;
    default:
        break;
    }
    return false;
}
