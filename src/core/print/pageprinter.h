#pragma once
// Page layout in millimetres from the sheet's top-left corner. The printer places things relative to
// its printable area; PagePrinter learns once how far that area is inset and corrects every position.
// Text, paragraph wrapping (left, right, centre, full justification) and rectangles.

#include "core/print/printerdevice.h"

#include <QString>

class PagePrinter {
public:
    // Measures the printable area's offsets (once: they stay as measured for the instance's life),
    // switches the printer to millimetres and moves to the sheet's corner.
    explicit PagePrinter(PrinterDevice &device);

    void FontName(const QString &strFontName);
    QString FontName() const;
    void FontSize(qint32 lngFontSize);
    qint32 FontSize() const; // whole points, halves to even
    void FontBold(bool blnFontBold);
    bool FontBold() const;
    void FontItalic(bool blnFontItalic);
    bool FontItalic() const;
    void FontUnderline(bool blnFontUnderline);
    bool FontUnderline() const;

    void LineSpacing(float sngLineSpacing); // negative stores 1.0
    float LineSpacing() const;
    void Justification(qint32 lngJustification); // 0 left, 1 right, 2 centre, 3 full; others left
    qint32 Justification() const;

    void DrawWidth(qint32 lngDrawWidth); // device pixels; a width beyond 16 bits is refused (the old one stays)
    qint32 DrawWidth() const;

    void CurrentX(float sngCurrentX);
    float CurrentX() const;
    void CurrentY(float sngCurrentY);
    float CurrentY() const;
    float XOffset() const { return m_xOffset; }
    float YOffset() const { return m_yOffset; }

    // A CR (with or without a following LF) starts a new line; each line is placed from (x, y) on its own.
    // A negative x or y keeps the printer's current position on that axis.
    void PrintLeft(float sngXPos, float sngYPos, const QString &txtString, float sngFirstLineIndent);
    void PrintRight(float sngXPos, float sngYPos, const QString &txtString, float sngFirstLineIndent);
    void PrintCentre(float sngXPos, float sngYPos, const QString &txtString, float sngFirstLineIndent);
    // Every line but the last, when it fills more than 70% of the length, stretched to the full length.
    void PrintFull(float sngXPos, float sngYPos, const QString &txtString, float sngLineLength,
                   float sngFirstLineIndent);
    // Wraps the text to the line length and prints it in the stored justification.
    void Paragraph(float sngXPos, float sngYPos, float sngLineLength, const QString &strText, float sngFirstLineIndent);

    void DrawRectangle(float sngStartX, float sngStartY, float sngWidth, float sngHeight, float sngRadius);
    // Height before width. A size of 0 on one side keeps the picture's own size on that side.
    void PaintPicture(float sngStartX, float sngStartY, const QImage &objPicture, float sngHeight, float sngWidth);

    // Sends the document to the printer. False when the printer failed (the user has been told).
    bool EndDoc();
    void NewPage();
    void KillDoc();

    float TextWidth(const QString &strText) const;
    float TextHeight(const QString &strText) const;

    // The text's line breaks (its CR characters) and its line `index`, trimmed of spaces.
    static int lineBreaks(const QString &text);
    static QString lineOf(const QString &text, int index);
    // The lines Paragraph builds for the given allowed widths, before printing (CR LF between them).
    QString wrap(const QString &text, float lineLength, float firstLineIndent) const;
    // How tall Paragraph prints `text` in the font set now.
    float paragraphHeight(const QString &text, float lineLength) const;

    PrinterDevice &device() const { return m_device; }

private:
    enum class Align { Left, Right, Centre };
    void printAligned(Align align, float x, float y, const QString &text, float indent);

    PrinterDevice &m_device;
    float m_xOffset = 0;
    float m_yOffset = 0;
    float m_lineSpacing = 0;
    qint32 m_justification = 0;
};
