#pragma once
// The printer as page layout code sees it: a current position relative to the printable area in the
// chosen unit, a current font, and drawing operations that act at once on the open document.
// The base class keeps the state every printer has and the text-line rules; a backend only draws.

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

class PrinterDevice {
public:
    enum class ScaleMode { Twips, Millimetres };
    enum Orientation { Portrait = 1, Landscape = 2 };

    static constexpr double twipsPerMm = 1440.0 / 25.4;

    PrinterDevice();
    virtual ~PrinterDevice();
    PrinterDevice(const PrinterDevice &) = delete;
    PrinterDevice &operator=(const PrinterDevice &) = delete;

    // --- units and position (in the current unit, relative to the printable area's corner)
    ScaleMode scaleMode() const { return m_scaleMode; }
    void setScaleMode(ScaleMode mode) { m_scaleMode = mode; }
    double currentX() const { return fromMm(m_xMm); }
    double currentY() const { return fromMm(m_yMm); }
    void setCurrentX(double x);
    void setCurrentY(double y);
    double printableWidth() const { return fromMm(printableWidthMm()); }
    double printableHeight() const { return fromMm(printableHeightMm()); }
    int page() const { return m_page; }

    // --- the device-context queries: printable-area offset in device pixels, pixels per inch
    virtual int physicalOffsetX() const = 0;
    virtual int physicalOffsetY() const = 0;
    virtual int logPixelsX() const = 0;
    virtual int logPixelsY() const = 0;

    // --- font
    QString fontName() const { return m_font.family; }
    void setFontName(const QString &name) { m_font.family = name; }
    double fontSize() const { return m_font.size; }
    void setFontSize(double points);
    bool fontBold() const { return m_font.bold; }
    void setFontBold(bool on) { m_font.bold = on; }
    bool fontItalic() const { return m_font.italic; }
    void setFontItalic(bool on) { m_font.italic = on; }
    bool fontUnderline() const { return m_font.underline; }
    void setFontUnderline(bool on) { m_font.underline = on; }
    bool fontStrikeThru() const { return m_font.strikeThru; }
    void setFontStrikeThru(bool on) { m_font.strikeThru = on; }
    virtual int fontCount() const;
    virtual QString fonts(int index) const;

    // --- job settings
    int orientation() const { return m_orientation; }
    void setOrientation(int orientation);
    int copies() const { return m_copies; }
    void setCopies(int copies) { m_copies = qMax(1, copies); }
    int paperSize() const { return m_paperSize; }
    void setPaperSize(int code) { m_paperSize = code; }
    int paperBin() const { return m_paperBin; }
    void setPaperBin(int code) { m_paperBin = code; }
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int pixels) { m_drawWidth = qMax(1, pixels); }
    int drawStyle() const { return m_drawStyle; }
    void setDrawStyle(int style) { m_drawStyle = style; }
    // What is being printed: names the saved file when the output is a PDF.
    QString documentName() const { return m_documentName; }
    void setDocumentName(const QString &name) { m_documentName = name; }

    // --- text. A line break (CR LF, CR or LF) inside the text starts the next part at the printable
    // area's left edge one line lower, as the printer does with a text it is handed whole.
    void print(const QString &text, bool newLine = true);
    double textWidth(const QString &text) const { return fromMm(textWidthMm(text)); }
    double textHeight(const QString &text) const { return fromMm(textHeightMm(text)); }

    // --- drawing, in the current unit; each leaves the position as the printer does
    void line(double x1, double y1, double x2, double y2);      // position at (x2, y2)
    void rectangle(double x1, double y1, double x2, double y2); // position at (x2, y2)
    // Angles in radians, 0 pointing right, pi/2 up the page; runs anticlockwise; position at the centre.
    void arc(double cx, double cy, double radius, double startAngle, double endAngle);
    // width or height <= 0: the picture's own size along that side.
    void picture(const QImage &image, double x, double y, double width = 0, double height = 0);

    // --- document
    void newPage();
    // Finishes the document and hands it on. False when the printer failed; the backend has told the user.
    bool endDoc();
    void killDoc();
    bool documentOpen() const { return m_documentOpen; }

    double toMm(double value) const { return m_scaleMode == ScaleMode::Twips ? value / twipsPerMm : value; }
    double fromMm(double mm) const { return m_scaleMode == ScaleMode::Twips ? mm * twipsPerMm : mm; }

    // The picture's own size, from its stored resolution (96 dpi when it carries none).
    static QSizeF imageSizeMm(const QImage &image);
    // Splits at CR LF, CR or LF.
    static QStringList textLines(const QString &text);

    struct FontState {
        QString family = QStringLiteral("Arial");
        double size = 10.0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeThru = false;
    };
    const FontState &fontState() const { return m_font; }
    QFont qfont() const;

protected:
    // In millimetres, relative to the printable area.
    virtual double printableWidthMm() const = 0;
    virtual double printableHeightMm() const = 0;
    virtual double lineWidthMm(const QString &line) const = 0; // one line, no breaks
    virtual double lineHeightMm() const = 0;                   // one line of the current font

    // Called with a document open (beginDocument has succeeded).
    virtual bool beginDocument() = 0;
    virtual void drawTextLine(double xMm, double yMm, const QString &line) = 0; // top-left of the cell
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void drawRect(double x1, double y1, double x2, double y2) = 0;
    virtual void drawArc(double cx, double cy, double radius, double startAngle, double endAngle) = 0;
    virtual void drawImage(const QImage &image, const QRectF &targetMm) = 0;
    virtual void startNewPage() = 0;
    virtual bool finishDocument() = 0;
    virtual void abandonDocument() = 0;
    virtual void orientationChanged() {}

    double textWidthMm(const QString &text) const;
    double textHeightMm(const QString &text) const;

private:
    // Opens the document on the first output, as the printer does. False when it could not open.
    bool ensureDocument();

    ScaleMode m_scaleMode = ScaleMode::Twips;
    double m_xMm = 0;
    double m_yMm = 0;
    int m_page = 1;
    FontState m_font;
    int m_orientation = Portrait;
    int m_copies = 1;
    int m_paperSize = 1;
    int m_paperBin = 7;
    int m_drawWidth = 1;
    int m_drawStyle = 0;
    QString m_documentName = QStringLiteral("Printout");
    bool m_documentOpen = false;
    bool m_documentFailed = false;
};
