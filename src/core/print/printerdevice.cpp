#include "core/print/printerdevice.h"

#include <QFontDatabase>

#include <cmath>

namespace {
// A position that is not a number would poison every later one; the printer keeps what it had.
bool usable(double v) { return std::isfinite(v); }
} // namespace

PrinterDevice::PrinterDevice() = default;
PrinterDevice::~PrinterDevice() = default;

void PrinterDevice::setCurrentX(double x) {
    if (usable(x))
        m_xMm = toMm(x);
}

void PrinterDevice::setCurrentY(double y) {
    if (usable(y))
        m_yMm = toMm(y);
}

void PrinterDevice::setFontSize(double points) {
    if (usable(points) && points > 0 && points <= 1638)
        m_font.size = points;
}

int PrinterDevice::fontCount() const { return int(QFontDatabase::families().size()); }

QString PrinterDevice::fonts(int index) const {
    const QStringList all = QFontDatabase::families();
    return index >= 0 && index < all.size() ? all.at(index) : QString();
}

void PrinterDevice::setOrientation(int orientation) {
    if (orientation != Portrait && orientation != Landscape)
        return;
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    orientationChanged();
}

QFont PrinterDevice::qfont() const {
    QFont f(m_font.family);
    f.setPointSizeF(m_font.size);
    f.setBold(m_font.bold);
    f.setItalic(m_font.italic);
    f.setUnderline(m_font.underline);
    f.setStrikeOut(m_font.strikeThru);
    // Printed widths must match measured widths exactly, whatever the device's resolution.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

QStringList PrinterDevice::textLines(const QString &text) {
    // Split by hand: a pattern finds nothing at all in a text that holds half a surrogate pair.
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

double PrinterDevice::textWidthMm(const QString &text) const {
    double widest = 0;
    for (const QString &part : textLines(text))
        widest = qMax(widest, lineWidthMm(part));
    return widest;
}

double PrinterDevice::textHeightMm(const QString &text) const {
    return lineHeightMm() * double(textLines(text).size());
}

QSizeF PrinterDevice::imageSizeMm(const QImage &image) {
    const double dpmX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() : 96.0 / 0.0254;
    const double dpmY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() : 96.0 / 0.0254;
    return QSizeF(image.width() / dpmX * 1000.0, image.height() / dpmY * 1000.0);
}

bool PrinterDevice::ensureDocument() {
    if (m_documentFailed)
        return false;
    if (m_documentOpen)
        return true;
    if (!beginDocument()) {
        m_documentFailed = true;
        return false;
    }
    m_documentOpen = true;
    m_page = 1;
    return true;
}

void PrinterDevice::print(const QString &text, bool newLine) {
    const QStringList parts = textLines(text);
    const bool open = ensureDocument();
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            m_xMm = 0;
            m_yMm += lineHeightMm();
        }
        if (open && !parts.at(i).isEmpty())
            drawTextLine(m_xMm, m_yMm, parts.at(i));
        m_xMm += lineWidthMm(parts.at(i));
    }
    if (newLine) {
        m_xMm = 0;
        m_yMm += lineHeightMm();
    }
}

void PrinterDevice::line(double x1, double y1, double x2, double y2) {
    if (!usable(x1) || !usable(y1) || !usable(x2) || !usable(y2))
        return;
    if (ensureDocument())
        drawLine(toMm(x1), toMm(y1), toMm(x2), toMm(y2));
    m_xMm = toMm(x2);
    m_yMm = toMm(y2);
}

void PrinterDevice::rectangle(double x1, double y1, double x2, double y2) {
    if (!usable(x1) || !usable(y1) || !usable(x2) || !usable(y2))
        return;
    if (ensureDocument())
        drawRect(toMm(x1), toMm(y1), toMm(x2), toMm(y2));
    m_xMm = toMm(x2);
    m_yMm = toMm(y2);
}

void PrinterDevice::arc(double cx, double cy, double radius, double startAngle, double endAngle) {
    if (!usable(cx) || !usable(cy) || !usable(radius) || !usable(startAngle) || !usable(endAngle))
        return;
    if (ensureDocument() && radius > 0)
        drawArc(toMm(cx), toMm(cy), toMm(radius), startAngle, endAngle);
    m_xMm = toMm(cx);
    m_yMm = toMm(cy);
}

void PrinterDevice::picture(const QImage &image, double x, double y, double width, double height) {
    if (!usable(x) || !usable(y) || !usable(width) || !usable(height) || image.isNull())
        return;
    const QSizeF own = imageSizeMm(image);
    const QRectF target(toMm(x), toMm(y), width > 0 ? toMm(width) : own.width(),
                        height > 0 ? toMm(height) : own.height());
    if (ensureDocument())
        drawImage(image, target);
}

void PrinterDevice::newPage() {
    if (ensureDocument()) {
        startNewPage();
        ++m_page;
    }
    m_xMm = 0;
    m_yMm = 0;
}

bool PrinterDevice::endDoc() {
    bool ok = !m_documentFailed;
    if (m_documentOpen)
        ok = finishDocument() && ok;
    m_documentOpen = false;
    m_documentFailed = false;
    m_page = 1;
    m_xMm = 0;
    m_yMm = 0;
    return ok;
}

void PrinterDevice::killDoc() {
    if (m_documentOpen)
        abandonDocument();
    m_documentOpen = false;
    m_documentFailed = false;
    m_page = 1;
    m_xMm = 0;
    m_yMm = 0;
}
