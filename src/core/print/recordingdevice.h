#pragma once
// A printer that draws nothing and remembers every operation with its place and font, so layout code
// can be checked without paper. Its text measure is deliberately simple and font-independent:
// every character is 0.2 mm wide per point of font size and a line is 0.4 mm high per point
// (at 10 pt: 2 mm a character, 4 mm a line).

#include "core/print/printerdevice.h"

#include <QList>
#include <QRectF>

class RecordingDevice : public PrinterDevice {
public:
    enum class Kind { Text, Line, Rectangle, Arc, Picture, NewPage, EndDoc, KillDoc };

    struct Operation {
        Kind kind = Kind::Text;
        int page = 1;
        int orientation = Portrait;
        // Millimetres relative to the printable area: the text cell's top-left corner, a line's or
        // rectangle's first point, an arc's centre, a picture's top-left corner.
        double x = 0, y = 0;
        double x2 = 0, y2 = 0; // a line's or rectangle's second point; a picture's bottom-right
        double radius = 0;     // arcs
        double startAngle = 0, endAngle = 0;
        QString text;     // text: one printed line
        double width = 0; // text: its measured width
        FontState font;
        int drawWidth = 1;
        QImage image; // pictures: what was drawn
    };

    RecordingDevice();

    // The printable area's offset from the sheet's corner and the resolution it is reported in.
    void setPhysicalOffset(int pixelsX, int pixelsY) { m_offsetX = pixelsX, m_offsetY = pixelsY; }
    void setResolution(int dpi) { m_dpi = qMax(1, dpi); }
    void setPrintableSizeMm(double width, double height) { m_widthMm = width, m_heightMm = height; }
    // Makes the next document fail to open, as a printer that is off-line would.
    void setFailNextDocument(bool fail) { m_failNext = fail; }

    int physicalOffsetX() const override { return m_offsetX; }
    int physicalOffsetY() const override { return m_offsetY; }
    int logPixelsX() const override { return m_dpi; }
    int logPixelsY() const override { return m_dpi; }

    const QList<Operation> &operations() const { return m_ops; }
    QList<Operation> operations(Kind kind) const;
    QList<Operation> texts() const { return operations(Kind::Text); }
    // The first printed line that equals `text`, or nullptr.
    const Operation *findText(const QString &text) const;
    int documentsEnded() const { return m_documentsEnded; }
    int documentsKilled() const { return m_documentsKilled; }
    void clear() { m_ops.clear(); }

protected:
    double printableWidthMm() const override;
    double printableHeightMm() const override;
    double lineWidthMm(const QString &line) const override;
    double lineHeightMm() const override;
    bool beginDocument() override;
    void drawTextLine(double xMm, double yMm, const QString &line) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawRect(double x1, double y1, double x2, double y2) override;
    void drawArc(double cx, double cy, double radius, double startAngle, double endAngle) override;
    void drawImage(const QImage &image, const QRectF &targetMm) override;
    void startNewPage() override;
    bool finishDocument() override;
    void abandonDocument() override;

private:
    Operation make(Kind kind) const;

    QList<Operation> m_ops;
    int m_offsetX = 0, m_offsetY = 0;
    int m_dpi = 254;
    double m_widthMm = 203.2, m_heightMm = 266.7;
    bool m_failNext = false;
    int m_documentsEnded = 0;
    int m_documentsKilled = 0;
};
