#pragma once
// Every window fits the screen it is shown on. A window's controls, placed by hand at their designed
// size, sit on a canvas inside a scroll area that fills the window. The canvas takes the window's size and
// every control keeps its place in proportion: its geometry and its font scaled by one factor (fonts, not a
// bitmap, so text stays sharp), the whole centred. Below a readable scale the controls stop shrinking and
// scroll bars reach the rest. A container with the property "laysOutOwnChildren" is scaled as one piece and
// lays out its own children when resized.
// A window opens where it was last left when that still fits a screen, otherwise at its designed size,
// scaled down to fit its screen where needed, centred; size and place are remembered per user.

#include <QFont>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QVector>

class QScrollArea;
class QTimer;
class QWidget;

class WindowFit : public QObject {
    Q_OBJECT
public:
    // The windows are drawn for 8-point faces; at three quarters they are 6 points (8 pixels at 96 dpi), the
    // smallest at which their digits still read apart, and the largest window (the worksheet) then fits
    // a 1024 x 600 netbook screen.
    static constexpr double readableScale = 0.75;

    // Makes `window` fit; `design` is its client area as designed. A main window's central widget becomes
    // the canvas; any other window's controls move onto a canvas of their own, those added later too.
    static WindowFit *install(QWidget *window, const QSize &design);
    // Only remembers size and place, for a window that lays itself out.
    static WindowFit *remember(QWidget *window);
    // The helper of `window`, if it has one.
    static WindowFit *of(const QWidget *window);

    QSize designSize() const { return m_designSize; }
    void setDesignSize(const QSize &size);
    // The factor the controls are scaled by.
    double scale() const { return m_scale; }
    // Moves a control at run time: `rect` is in its parent, at the designed size; the scale is applied here.
    void place(QWidget *control, const QRect &rect);
    QRect designGeometry(QWidget *control);
    // Gives a control a font at the designed size.
    void setDesignFont(QWidget *control, const QFont &font);
    QScrollArea *scrollArea() const { return m_scroll; }
    QWidget *canvas() const { return m_canvas; }
    // Scales the controls to the canvas's present size.
    void fit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Design {
        QPointer<QWidget> widget;
        QRect geometry; // in its parent, as designed
        QFont font;
        bool ownFont = false; // set on the control itself rather than taken from its parent
    };
    WindowFit(QWidget *window, const QSize &design);
    void adopt();
    void record(QWidget *container);
    bool known(QWidget *control) const;
    Design &designOf(QWidget *control);
    QSize chrome() const;
    void apply(QWidget *control, const QRect &designed);
    void placeFirst();
    void keepOnScreen();
    void save();
    QString key() const;

    QWidget *m_window;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_canvas = nullptr;
    QSize m_designSize;
    QVector<Design> m_design; // parents before their children
    QHash<QWidget *, int> m_index;
    QPoint m_offset; // of the whole on the canvas
    double m_scale = 1.0, m_fontScale = 1.0;
    bool m_fontsStale = true;
    bool m_placed = false;
    bool m_adoptQueued = false;
    QTimer *m_saveTimer;
};
