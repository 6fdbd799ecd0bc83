#include "core/print/recordingdevice.h"

RecordingDevice::RecordingDevice() = default;

QList<RecordingDevice::Operation> RecordingDevice::operations(Kind kind) const {
    QList<Operation> out;
    for (const Operation &op : m_ops)
        if (op.kind == kind)
            out.append(op);
    return out;
}

const RecordingDevice::Operation *RecordingDevice::findText(const QString &text) const {
    for (const Operation &op : m_ops)
        if (op.kind == Kind::Text && op.text == text)
            return &op;
    return nullptr;
}

// The printable size follows the orientation, as a sheet turned on its side does.
double RecordingDevice::printableWidthMm() const { return orientation() == Landscape ? m_heightMm : m_widthMm; }
double RecordingDevice::printableHeightMm() const { return orientation() == Landscape ? m_widthMm : m_heightMm; }

double RecordingDevice::lineWidthMm(const QString &line) const { return double(line.size()) * fontSize() / 5.0; }
double RecordingDevice::lineHeightMm() const { return fontSize() * 2.0 / 5.0; }

bool RecordingDevice::beginDocument() {
    if (m_failNext) {
        m_failNext = false;
        return false;
    }
    return true;
}

RecordingDevice::Operation RecordingDevice::make(Kind kind) const {
    Operation op;
    op.kind = kind;
    op.page = page();
    op.orientation = orientation();
    op.font = fontState();
    op.drawWidth = drawWidth();
    return op;
}

void RecordingDevice::drawTextLine(double xMm, double yMm, const QString &line) {
    Operation op = make(Kind::Text);
    op.x = xMm;
    op.y = yMm;
    op.text = line;
    op.width = lineWidthMm(line);
    m_ops.append(op);
}

void RecordingDevice::drawLine(double x1, double y1, double x2, double y2) {
    Operation op = make(Kind::Line);
    op.x = x1, op.y = y1, op.x2 = x2, op.y2 = y2;
    m_ops.append(op);
}

void RecordingDevice::drawRect(double x1, double y1, double x2, double y2) {
    Operation op = make(Kind::Rectangle);
    op.x = x1, op.y = y1, op.x2 = x2, op.y2 = y2;
    m_ops.append(op);
}

void RecordingDevice::drawArc(double cx, double cy, double radius, double startAngle, double endAngle) {
    Operation op = make(Kind::Arc);
    op.x = cx, op.y = cy, op.radius = radius, op.startAngle = startAngle, op.endAngle = endAngle;
    m_ops.append(op);
}

void RecordingDevice::drawImage(const QImage &image, const QRectF &targetMm) {
    Operation op = make(Kind::Picture);
    op.image = image;
    op.x = targetMm.left(), op.y = targetMm.top(), op.x2 = targetMm.right(), op.y2 = targetMm.bottom();
    m_ops.append(op);
}

void RecordingDevice::startNewPage() { m_ops.append(make(Kind::NewPage)); }

bool RecordingDevice::finishDocument() {
    m_ops.append(make(Kind::EndDoc));
    ++m_documentsEnded;
    return true;
}

void RecordingDevice::abandonDocument() {
    m_ops.append(make(Kind::KillDoc));
    ++m_documentsKilled;
}
