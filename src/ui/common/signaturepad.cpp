#include "ui/common/signaturepad.h"

#include <QBuffer>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
// The PNG is drawn at this many times the box's designed size, so it prints sharp.
constexpr double kPrintScale = 3.0;
const QColor kInk(10, 20, 90);
} // namespace

SignaturePad::SignaturePad(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(tr("The customer signs here with the mouse, a pen or a finger."));
}

void SignaturePad::clear() {
    m_strokes.clear();
    m_drawing = false;
    update();
    emit changed();
}

QPointF SignaturePad::relative(const QPointF &point) const {
    return QPointF(qBound(0.0, point.x() / qMax(1, width()), 1.0), qBound(0.0, point.y() / qMax(1, height()), 1.0));
}

void SignaturePad::drawStrokes(QPainter &painter, const QSizeF &size) const {
    QPen pen(kInk, qMax(1.5, size.height() / 40.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const QPolygonF &stroke : m_strokes) {
        QPolygonF scaled;
        scaled.reserve(stroke.size());
        for (const QPointF &p : stroke)
            scaled << QPointF(p.x() * size.width(), p.y() * size.height());
        if (scaled.size() == 1)
            painter.drawPoint(scaled.first()); // a dot: the pen's round cap
        else
            painter.drawPolyline(scaled);
    }
}

void SignaturePad::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().mid().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // The line to sign on, as on paper.
    const int lineY = height() * 4 / 5;
    painter.setPen(QPen(palette().mid().color(), 1, Qt::DotLine));
    painter.drawLine(width() / 20, lineY, width() - width() / 20, lineY);
    if (m_strokes.isEmpty()) {
        painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
        QFont font = painter.font();
        font.setItalic(true);
        font.setPixelSize(qMax(10, height() / 4));
        painter.setFont(font);
        painter.drawText(rect(), Qt::AlignCenter, tr("Sign here"));
        return;
    }
    drawStrokes(painter, size());
}

void SignaturePad::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_drawing = true;
    m_strokes.append(QPolygonF{relative(event->position())});
    update();
    emit changed();
}

void SignaturePad::mouseMoveEvent(QMouseEvent *event) {
    if (!m_drawing || !(event->buttons() & Qt::LeftButton) || m_strokes.isEmpty())
        return QWidget::mouseMoveEvent(event);
    const QPointF point = relative(event->position());
    if (m_strokes.last().last() != point)
        m_strokes.last().append(point);
    update();
}

void SignaturePad::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && m_drawing) {
        m_drawing = false;
        const QPointF point = relative(event->position());
        if (!m_strokes.isEmpty() && m_strokes.last().last() != point)
            m_strokes.last().append(point);
        update();
        emit changed();
    }
    QWidget::mouseReleaseEvent(event);
}

QByteArray SignaturePad::png(int maxBytes) const {
    if (m_strokes.isEmpty())
        return QByteArray();
    const QSizeF box(qMax(1, width()), qMax(1, height()));
    // A signature of countless strokes is drawn smaller until it fits; a few pixels always do.
    for (double scale = kPrintScale; scale > 0.02; scale *= 0.75) {
        QImage image((box * scale).toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            drawStrokes(painter, image.size());
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG", 9);
        if (bytes.size() <= maxBytes)
            return bytes;
    }
    return QByteArray();
}
