#pragma once
// The real printer: the system's default printer when there is one, otherwise a PDF file under
// `printouts/` in the program's folder, named after what was printed and when. It can also draw on a
// printer set up elsewhere: a print preview's pages, or a PDF file the user chose.

#include "core/print/printerdevice.h"

#include <QMarginsF>
#include <functional>
#include <memory>

class QPainter;
class QPrinter;

class QtPrinterDevice : public PrinterDevice {
public:
    // Tells the user where a PDF went, or why printing failed. Defaults to the program's message boxes.
    using Reporter = std::function<void(bool failure, const QString &message)>;

    // PDFs go to `printoutsFolder` when there is no printer.
    explicit QtPrinterDevice(QString printoutsFolder);
    // Draws on `target`, which stays as it was set up (sheet, margins, resolution, output file): only its
    // orientation follows the layout, from the document's start, and it keeps the orientation of the
    // document drawn last, as a preview that lays out its pages afterwards needs.
    explicit QtPrinterDevice(QPrinter &target);
    ~QtPrinterDevice() override;

    // Gives `other` this printer's sheet, margins and resolution, so that what is drawn on it lands where
    // it would on paper.
    void copyPageSetup(QPrinter &other) const;

    // True when output goes to a PDF file rather than a printer.
    bool toPdf() const { return m_toPdf; }
    // Sends every later document to this PDF file (overwritten each time) instead of the printer or
    // the `printouts/` folder. An empty path returns to the default choice for the next document.
    void setOutputFile(const QString &path);
    // The margins the PDF backend reports as unprintable (none unless set): lets a PDF stand in for
    // a printer whose printable area does not reach the sheet's edge.
    void setPdfMarginsMm(const QMarginsF &margins);
    void setReporter(Reporter reporter) { m_reporter = std::move(reporter); }
    // The file the last PDF document was written to.

    int physicalOffsetX() const override;
    int physicalOffsetY() const override;
    int logPixelsX() const override;
    int logPixelsY() const override;

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
    void orientationChanged() override;

private:
    void choosePdf();
    void applyLayout();
    void preparePainter();
    double pxPerMmX() const;
    double pxPerMmY() const;
    QString nextPdfPath() const;
    // Moves the PDF drawn beside its place into it once it is whole; false with the reason otherwise.
    bool placePdf(QString *why);
    void report(bool failure, const QString &message);

    QString m_printouts;
    std::unique_ptr<QPrinter> m_ownPrinter;
    QPrinter *m_printer = nullptr; // the own printer, or the target
    bool m_external = false;
    std::unique_ptr<QPainter> m_painter;
    bool m_toPdf = false;
    bool m_failedDuringDocument = false;
    QString m_forcedFile;
    QString m_lastFile;
    QString m_partFile; // where the open PDF is drawn
    QMarginsF m_pdfMargins;
    Reporter m_reporter;
};
