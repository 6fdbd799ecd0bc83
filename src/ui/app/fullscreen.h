#pragma once
// A window of controls placed by hand (in twips) shown on the whole of the screen it is on, and back.
// Every control keeps its place in proportion: its geometry and its font are scaled by one factor (fonts,
// not a bitmap, so text stays sharp) and the whole is centred on the screen. The controls are taken as
// the window holds them when it first goes full screen, and any added since at each later switch, so
// controls this class does not know of scale too. F11 switches; Escape returns to the window as it was.

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QVector>

class QShortcut;
class QWidget;

class FullScreen : public QObject {
    Q_OBJECT
public:
    // Works on `window` (which owns it) and gives it the F11 and Escape keys.
    explicit FullScreen(QWidget *window);

    bool isActive() const { return m_active; }
    void toggle();
    void enter();
    void leave();
    // The factor the controls are scaled by (1 in the normal window).
    double scale() const { return m_active ? m_scale : 1.0; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Design {
        QPointer<QWidget> widget;
        QRect geometry; // in its parent, as designed
        QFont font;
        bool ownFont = false; // set on the control itself rather than taken from its parent
    };
    void record(QWidget *container);
    void fit(const QSize &area);

    QWidget *m_window;
    QShortcut *m_escape;
    QVector<Design> m_design; // parents before their children
    QSize m_designSize;
    Design m_windowDesign;
    QRect m_normalGeometry;
    QSize m_minimumSize, m_maximumSize;
    QSize m_fitted;
    double m_scale = 1.0;
    bool m_active = false;
};
