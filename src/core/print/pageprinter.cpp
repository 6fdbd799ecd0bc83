#include "core/print/pageprinter.h"

#include <QtDebug>

#include <cmath>
#include <limits>

namespace {
bool fits16(qint32 v) { return v >= std::numeric_limits<qint16>::min() && v <= std::numeric_limits<qint16>::max(); }

// Only blanks are trimmed: a tab or a line break is part of the text.
QString trimSpaces(const QString &s) {
    int start = 0;
    int end = int(s.size());
    while (start < end && s.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && s.at(end - 1) == QLatin1Char(' '))
        --end;
    return s.mid(start, end - start);
}

bool endsWord(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('/'); }
} // namespace

PagePrinter::PagePrinter(PrinterDevice &device) : m_device(device) {
    const int dpiX = device.logPixelsX();
    const int dpiY = device.logPixelsY();
    m_xOffset = dpiX > 0 ? float(device.physicalOffsetX() * (-25.4) / dpiX) : 0.0f;
    m_yOffset = dpiY > 0 ? float(device.physicalOffsetY() * (-25.4) / dpiY) : 0.0f;
    m_device.setScaleMode(PrinterDevice::ScaleMode::Millimetres);
    m_device.setCurrentX(m_xOffset);
    m_device.setCurrentY(m_yOffset);
}

void PagePrinter::FontName(const QString &strFontName) { m_device.setFontName(strFontName); }
QString PagePrinter::FontName() const { return m_device.fontName(); }
void PagePrinter::FontSize(qint32 lngFontSize) { m_device.setFontSize(lngFontSize); }
qint32 PagePrinter::FontSize() const { return qint32(std::nearbyint(m_device.fontSize())); }
void PagePrinter::FontBold(bool blnFontBold) { m_device.setFontBold(blnFontBold); }
bool PagePrinter::FontBold() const { return m_device.fontBold(); }
void PagePrinter::FontItalic(bool blnFontItalic) { m_device.setFontItalic(blnFontItalic); }
bool PagePrinter::FontItalic() const { return m_device.fontItalic(); }
void PagePrinter::FontUnderline(bool blnFontUnderline) { m_device.setFontUnderline(blnFontUnderline); }
bool PagePrinter::FontUnderline() const { return m_device.fontUnderline(); }

void PagePrinter::LineSpacing(float sngLineSpacing) { m_lineSpacing = sngLineSpacing < 0 ? 1.0f : sngLineSpacing; }
float PagePrinter::LineSpacing() const { return m_lineSpacing; }
void PagePrinter::Justification(qint32 lngJustification) { m_justification = lngJustification; }
qint32 PagePrinter::Justification() const { return m_justification; }

void PagePrinter::DrawWidth(qint32 lngDrawWidth) {
    if (fits16(lngDrawWidth))
        m_device.setDrawWidth(lngDrawWidth);
    else
        qWarning("PagePrinter: line width %d does not fit the printer's setting", lngDrawWidth);
}
qint32 PagePrinter::DrawWidth() const { return m_device.drawWidth(); }

void PagePrinter::CurrentX(float sngCurrentX) { m_device.setCurrentX(m_xOffset + sngCurrentX); }
float PagePrinter::CurrentX() const { return float(m_device.currentX()) - m_xOffset; }
void PagePrinter::CurrentY(float sngCurrentY) { m_device.setCurrentY(m_yOffset + sngCurrentY); }
float PagePrinter::CurrentY() const { return float(m_device.currentY()) - m_yOffset; }

float PagePrinter::TextWidth(const QString &strText) const { return float(m_device.textWidth(strText)); }
float PagePrinter::TextHeight(const QString &strText) const { return float(m_device.textHeight(strText)); }

int PagePrinter::lineBreaks(const QString &text) { return int(text.count(QLatin1Char('\r'))); }

QString PagePrinter::lineOf(const QString &text, int index) {
    int start = 0;
    for (int i = 0; i < index; ++i) {
        const int cr = int(text.indexOf(QLatin1Char('\r'), start));
        if (cr < 0)
            return QString();
        start = cr + 1;
        if (start < text.size() && text.at(start) == QLatin1Char('\n'))
            ++start;
    }
    const int cr = int(text.indexOf(QLatin1Char('\r'), start));
    return trimSpaces(text.mid(start, cr < 0 ? -1 : cr - start));
}

void PagePrinter::printAligned(Align align, float x, float y, const QString &text, float indent) {
    const int n = lineBreaks(text);
    for (int i = 0; i <= n; ++i) {
        // One line is printed whole, untrimmed; several are taken apart and trimmed.
        const QString line = n == 0 ? text : lineOf(text, i);
        if (x >= 0) {
            const float start = i == 0 ? x + indent : x;
            float px = m_xOffset + start;
            if (align == Align::Right)
                px -= TextWidth(line);
            else if (align == Align::Centre)
                px -= TextWidth(line) / 2;
            m_device.setCurrentX(px);
        }
        if (y >= 0) {
            const float fi = float(i);
            m_device.setCurrentY(m_yOffset + y + fi * TextHeight(line) + fi * m_lineSpacing);
        }
        m_device.print(line, true);
    }
}

void PagePrinter::PrintLeft(float sngXPos, float sngYPos, const QString &txtString, float sngFirstLineIndent) {
    printAligned(Align::Left, sngXPos, sngYPos, txtString, sngFirstLineIndent);
}

void PagePrinter::PrintRight(float sngXPos, float sngYPos, const QString &txtString, float sngFirstLineIndent) {
    printAligned(Align::Right, sngXPos, sngYPos, txtString, sngFirstLineIndent);
}

void PagePrinter::PrintCentre(float sngXPos, float sngYPos, const QString &txtString, float sngFirstLineIndent) {
    printAligned(Align::Centre, sngXPos, sngYPos, txtString, sngFirstLineIndent);
}

void PagePrinter::PrintFull(float sngXPos, float sngYPos, const QString &txtString, float sngLineLength,
                            float sngFirstLineIndent) {
    const int n = lineBreaks(txtString);
    if (n == 0) {
        PrintLeft(sngXPos, sngYPos, txtString, sngFirstLineIndent);
        return;
    }
    const float whole = TextWidth(txtString);
    for (int i = 0; i <= n; ++i) {
        const QString line = lineOf(txtString, i);
        const float start = i == 0 ? sngXPos + sngFirstLineIndent : sngXPos;
        const float target = sngLineLength == 0 ? whole : (i == 0 ? sngLineLength - sngFirstLineIndent : sngLineLength);
        const float width = TextWidth(line);
        const float fill = target > 0 ? width / target : 0.0f;
        const int spaces = int(line.count(QLatin1Char(' ')));
        const float fi = float(i);
        const float lineY = sngYPos >= 0 ? m_yOffset + sngYPos + fi * TextHeight(line) + fi * m_lineSpacing
                                         : float(m_device.currentY());
        // A line without a gap has nothing to stretch; it stays as written.
        if (i == n || !(fill > 0.7f) || spaces == 0) {
            if (sngXPos >= 0)
                m_device.setCurrentX(m_xOffset + start);
            m_device.setCurrentY(lineY);
            m_device.print(line, true);
            continue;
        }
        const float spaceWidth = TextWidth(QStringLiteral(" ")) + (target - width) / float(spaces);
        const float run = sngXPos >= 0 ? m_xOffset + start : float(m_device.currentX());
        float advance = 0;
        int j = 0;
        while (j < line.size()) {
            if (line.at(j) == QLatin1Char(' ')) {
                advance += spaceWidth;
                ++j;
                continue;
            }
            int end = int(line.indexOf(QLatin1Char(' '), j));
            if (end < 0)
                end = int(line.size());
            const QString word = line.mid(j, end - j);
            m_device.setCurrentX(run + advance);
            m_device.setCurrentY(lineY);
            m_device.print(word, false);
            advance += TextWidth(word);
            j = end;
        }
        // Leave the position where a printed line would, so a following line without a y follows on.
        m_device.setCurrentX(0);
        m_device.setCurrentY(lineY + TextHeight(line));
    }
}

QString PagePrinter::wrap(const QString &text, float lineLength, float firstLineIndent) const {
    QString rest = text;
    QString result;
    while (!rest.isEmpty()) {
        // Lines of blanks before the first word are dropped: the first line kept is the one printed indented.
        const float allowed = std::nearbyint(result.isEmpty() ? lineLength - firstLineIndent : lineLength);
        QString line;
        int read = 0;
        int words = 0;
        int lastWord = 0;
        while (read < rest.size()) {
            // The first word is always taken, so every line consumes text even when nothing fits.
            if (words > 0 && TextWidth(line) > allowed)
                break;
            int end = read;
            while (end < rest.size() && !endsWord(rest.at(end)))
                ++end;
            if (end < rest.size())
                ++end; // the separator belongs to the word it ends
            lastWord = end - read;
            line += rest.mid(read, lastWord);
            read = end;
            ++words;
        }
        // A word that does not fit starts the next line; a word too wide for any line gets one of its own.
        if (words > 1 && TextWidth(line) > allowed)
            line.chop(lastWord);
        const QString trimmed = trimSpaces(line);
        if (result.isEmpty())
            result = trimmed;
        else
            result += QStringLiteral("\r\n") + trimmed;
        rest.remove(0, line.size());
    }
    return result;
}

float PagePrinter::paragraphHeight(const QString &text, float lineLength) const {
    return float(lineBreaks(wrap(text, lineLength, 0)) + 1) * (TextHeight(QStringLiteral("X")) + m_lineSpacing);
}

void PagePrinter::Paragraph(float sngXPos, float sngYPos, float sngLineLength, const QString &strText,
                            float sngFirstLineIndent) {
    const QString result = wrap(strText, sngLineLength, sngFirstLineIndent);
    switch (m_justification) {
    case 1:
        PrintRight(sngXPos, sngYPos, result, sngFirstLineIndent);
        break;
    case 2:
        PrintCentre(sngXPos, sngYPos, result, sngFirstLineIndent);
        break;
    case 3:
        PrintFull(sngXPos, sngYPos, result, sngLineLength, sngFirstLineIndent);
        break;
    default:
        PrintLeft(sngXPos, sngYPos, result, sngFirstLineIndent);
        break;
    }
}

void PagePrinter::DrawRectangle(float sngStartX, float sngStartY, float sngWidth, float sngHeight, float sngRadius) {
    const float x = m_xOffset + sngStartX;
    const float y = m_yOffset + sngStartY;
    const float w = sngWidth;
    const float h = sngHeight;
    const float r = sngRadius;
    if (!(r > 0)) {
        m_device.rectangle(x, y, x + w, y + h);
    } else {
        const float quarter = float(3.14159265 / 2);
        const float half = float(3.14159265);
        const float threeQuarters = float(9.42477795 / 2);
        m_device.setCurrentX(x + r);
        m_device.setCurrentY(y);
        m_device.line(x + r, y, x + w - r, y);
        m_device.arc(x + w - r, y + r, r, 0, quarter);
        m_device.line(x + w, y + r, x + w, y + h - r);
        m_device.arc(x + w - r, y + h - r, r, threeQuarters, 0);
        m_device.line(x + w - r, y + h, x + r, y + h);
        m_device.arc(x + r, y + h - r, r, half, threeQuarters);
        m_device.line(x, y + h - r, x, y + r);
        m_device.arc(x + r, y + r, r, quarter, half);
    }
    m_device.setCurrentX(m_xOffset + sngStartX + sngWidth);
    m_device.setCurrentY(m_yOffset + sngStartY + sngHeight);
}

void PagePrinter::PaintPicture(float sngStartX, float sngStartY, const QImage &objPicture, float sngHeight,
                               float sngWidth) {
    float width = 0;
    float height = 0;
    if (sngWidth > 0 && sngHeight > 0) {
        width = sngWidth;
        height = sngHeight;
    } else if (sngWidth > 0 && sngHeight == 0) {
        width = sngWidth;
    } else if (sngWidth == 0 && sngHeight > 0) {
        height = sngHeight;
    }
    m_device.picture(objPicture, m_xOffset + sngStartX, m_yOffset + sngStartY, width, height);
}

bool PagePrinter::EndDoc() { return m_device.endDoc(); }

void PagePrinter::NewPage() {
    m_device.newPage();
    m_device.setCurrentX(m_xOffset);
    m_device.setCurrentY(m_yOffset);
}

void PagePrinter::KillDoc() { m_device.killDoc(); }
