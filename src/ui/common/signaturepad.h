#pragma once

#include <QByteArray>
#include <QList>
#include <QPolygonF>
#include <QWidget>

// A box the customer signs in with a mouse, a pen or a finger (pen and touch arrive as mouse events).
// Strokes are kept relative to the box, so they follow it when the window is scaled; empty, it shows
// "Sign here". Its dotted line, four fifths down, is the printed signature line.
class SignaturePad : public QWidget {
    Q_OBJECT
public:
    explicit SignaturePad(QWidget *parent = nullptr);

    bool isEmpty() const { return m_strokes.isEmpty(); }
    void clear();
    // The signature as a PNG of at most `maxBytes` (drawn smaller until it fits), transparent around the
    // strokes; empty when nothing is drawn.
    QByteArray png(int maxBytes = 64 * 1024) const;

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPointF relative(const QPointF &point) const;
    void drawStrokes(QPainter &painter, const QSizeF &size) const;

    QList<QPolygonF> m_strokes; // points from (0, 0) to (1, 1) of the box
    bool m_drawing = false;
};
