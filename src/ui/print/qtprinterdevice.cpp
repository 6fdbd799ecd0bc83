#include "ui/print/qtprinterdevice.h"

#include "core/files/files.h"
#include "ui/common/prompts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QUuid>

#include <cmath>

namespace {
constexpr double pi = 3.14159265358979323846;

Qt::PenStyle penStyle(int drawStyle) {
    switch (drawStyle) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

// The printer's paper size codes for the sheets a dealership meets; anything else keeps the sheet.
QPageSize pageSizeFor(int code, const QPageSize &current) {
    switch (code) {
    case 1:
        return QPageSize(QPageSize::Letter);
    case 5:
        return QPageSize(QPageSize::Legal);
    case 8:
        return QPageSize(QPageSize::A3);
    case 9:
        return QPageSize(QPageSize::A4);
    case 11:
        return QPageSize(QPageSize::A5);
    default:
        return current;
    }
}
} // namespace

QtPrinterDevice::QtPrinterDevice(QString printoutsFolder) : m_printouts(std::move(printoutsFolder)) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        choosePdf();
    } else {
        m_ownPrinter = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        m_printer = m_ownPrinter.get();
        m_printer->setFullPage(false);
    }
    applyLayout();
}

QtPrinterDevice::QtPrinterDevice(QPrinter &target) : m_printer(&target), m_external(true) {
    if (target.outputFormat() == QPrinter::PdfFormat && !target.outputFileName().isEmpty()) {
        m_toPdf = true;
        m_forcedFile = target.outputFileName();
    }
}

void QtPrinterDevice::copyPageSetup(QPrinter &other) const {
    other.setFullPage(false);
    other.setResolution(m_printer->resolution());
    other.setPageLayout(m_printer->pageLayout());
}

QtPrinterDevice::~QtPrinterDevice() {
    if (m_painter && m_painter->isActive()) {
        m_printer->abort();
        m_painter->end();
    }
}

void QtPrinterDevice::choosePdf() {
    m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer = m_ownPrinter.get();
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    // A printer's resolution, so line widths given in device pixels look as they would on paper.
    m_printer->setResolution(600);
    m_printer->setFullPage(false);
    m_toPdf = true;
}

void QtPrinterDevice::setOutputFile(const QString &path) {
    if (m_external || (m_painter && m_painter->isActive()))
        return; // a target keeps its destination, and so does the open document
    m_forcedFile = path;
    if (!path.isEmpty() && !m_toPdf) {
        choosePdf();
        applyLayout();
    } else if (path.isEmpty() && m_toPdf && !QPrinterInfo::defaultPrinter().isNull()) {
        m_ownPrinter = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        m_printer = m_ownPrinter.get();
        m_printer->setFullPage(false);
        m_toPdf = false;
        applyLayout();
    }
}

void QtPrinterDevice::setPdfMarginsMm(const QMarginsF &margins) {
    m_pdfMargins = margins;
    applyLayout();
}

void QtPrinterDevice::applyLayout() {
    if (m_toPdf && !m_external) {
        m_printer->setPageSize(pageSizeFor(paperSize(), m_printer->pageLayout().pageSize()));
        m_printer->setPageMargins(m_pdfMargins, QPageLayout::Millimeter);
    }
    m_printer->setPageOrientation(orientation() == Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void QtPrinterDevice::orientationChanged() {
    // A target keeps the orientation its last document was drawn in.
    if (m_external && !documentOpen())
        return;
    // During a document the new orientation applies from the next page on, as on the printer.
    applyLayout();
}

double QtPrinterDevice::pxPerMmX() const { return m_printer->resolution() / 25.4; }
double QtPrinterDevice::pxPerMmY() const { return m_printer->resolution() / 25.4; }

int QtPrinterDevice::physicalOffsetX() const {
    return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).left();
}

int QtPrinterDevice::physicalOffsetY() const {
    return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).top();
}

int QtPrinterDevice::logPixelsX() const { return m_printer->resolution(); }
int QtPrinterDevice::logPixelsY() const { return m_printer->resolution(); }

double QtPrinterDevice::printableWidthMm() const {
    return m_printer->pageLayout().paintRect(QPageLayout::Millimeter).width();
}

double QtPrinterDevice::printableHeightMm() const {
    return m_printer->pageLayout().paintRect(QPageLayout::Millimeter).height();
}

double QtPrinterDevice::lineWidthMm(const QString &line) const {
    return QFontMetricsF(qfont(), m_printer).horizontalAdvance(line) / pxPerMmX();
}

double QtPrinterDevice::lineHeightMm() const { return QFontMetricsF(qfont(), m_printer).height() / pxPerMmY(); }

QString QtPrinterDevice::nextPdfPath() const {
    QString name = documentName().trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    if (name.isEmpty())
        name = QStringLiteral("Printout");
    const QDir folder(m_printouts);
    const QString stem =
        name + QLatin1Char(' ') + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString path = folder.filePath(stem + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(stem + QStringLiteral(" (%1).pdf").arg(n));
    return path;
}

void QtPrinterDevice::report(bool failure, const QString &message) {
    if (m_reporter)
        m_reporter(failure, message);
    else if (failure)
        prompts::error(message);
    else
        prompts::notice(message);
}

bool QtPrinterDevice::beginDocument() {
    applyLayout();
    m_printer->setDocName(documentName());
    m_printer->setCopyCount(copies());
    if (m_toPdf) {
        const QString path = m_forcedFile.isEmpty() ? nextPdfPath() : m_forcedFile;
        const QString folder = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(folder)) {
            report(true, QCoreApplication::translate("QtPrinterDevice",
                                                     "The %1 was not printed: the folder %2 could not be created.")
                             .arg(documentName().toLower(), QDir::toNativeSeparators(folder)));
            return false;
        }
        // The PDF is drawn beside its place and takes it only once it has reached the disk whole.
        m_lastFile = path;
        m_partFile = QDir(folder).filePath(
            QStringLiteral(".%1.%2.pdf").arg(QFileInfo(path).fileName(), QUuid::createUuid().toString(QUuid::Id128)));
        m_printer->setOutputFileName(m_partFile);
    }
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer)) {
        m_painter.reset();
        const QString where = m_toPdf ? QDir::toNativeSeparators(m_lastFile) : m_printer->printerName();
        report(true, QCoreApplication::translate("QtPrinterDevice",
                                                 "The %1 was not printed: %2 could not be opened for printing.")
                         .arg(documentName().toLower(), where));
        return false;
    }
    return true;
}

void QtPrinterDevice::preparePainter() {
    QPen pen(Qt::black);
    pen.setWidthF(drawWidth());
    pen.setStyle(penStyle(drawStyle()));
    pen.setCapStyle(Qt::SquareCap);
    m_painter->setPen(pen);
    m_painter->setBrush(Qt::NoBrush);
}

void QtPrinterDevice::drawTextLine(double xMm, double yMm, const QString &line) {
    const QFont font = qfont();
    m_painter->setFont(font);
    m_painter->setPen(Qt::black);
    const QFontMetricsF metrics(font, m_printer);
    m_painter->drawText(QPointF(xMm * pxPerMmX(), yMm * pxPerMmY() + metrics.ascent()), line);
}

void QtPrinterDevice::drawLine(double x1, double y1, double x2, double y2) {
    preparePainter();
    m_painter->drawLine(QPointF(x1 * pxPerMmX(), y1 * pxPerMmY()), QPointF(x2 * pxPerMmX(), y2 * pxPerMmY()));
}

void QtPrinterDevice::drawRect(double x1, double y1, double x2, double y2) {
    preparePainter();
    m_painter->drawRect(
        QRectF(QPointF(x1 * pxPerMmX(), y1 * pxPerMmY()), QPointF(x2 * pxPerMmX(), y2 * pxPerMmY())).normalized());
}

void QtPrinterDevice::drawArc(double cx, double cy, double radius, double startAngle, double endAngle) {
    preparePainter();
    const QRectF box((cx - radius) * pxPerMmX(), (cy - radius) * pxPerMmY(), 2 * radius * pxPerMmX(),
                     2 * radius * pxPerMmY());
    const double start = std::fmod(startAngle * 180.0 / pi, 360.0);
    double span = (endAngle - startAngle) * 180.0 / pi;
    span = std::fmod(span, 360.0);
    if (span <= 0)
        span += 360.0;
    m_painter->drawArc(box, int(std::lround(start * 16)), int(std::lround(span * 16)));
}

void QtPrinterDevice::drawImage(const QImage &image, const QRectF &targetMm) {
    const QRectF target(targetMm.left() * pxPerMmX(), targetMm.top() * pxPerMmY(), targetMm.width() * pxPerMmX(),
                        targetMm.height() * pxPerMmY());
    m_painter->drawImage(target, image);
}

void QtPrinterDevice::startNewPage() {
    if (!m_printer->newPage())
        m_failedDuringDocument = true;
}

bool QtPrinterDevice::finishDocument() {
    const bool ended = m_painter->end();
    m_painter.reset();
    const bool ok = ended && !m_failedDuringDocument && m_printer->printerState() != QPrinter::Error;
    m_failedDuringDocument = false;
    if (!ok) {
        if (m_toPdf)
            QFile::remove(m_partFile);
        report(true, QCoreApplication::translate("QtPrinterDevice",
                                                 "The %1 was not printed: the printer %2 reported an error.")
                         .arg(documentName().toLower(),
                              m_toPdf ? QDir::toNativeSeparators(m_lastFile) : m_printer->printerName()));
        return false;
    }
    if (m_toPdf) {
        QString why;
        if (!placePdf(&why)) {
            report(true, QCoreApplication::translate(
                             "QtPrinterDevice", "The %1 was not saved as a PDF file: %2 could not be written (%3).")
                             .arg(documentName().toLower(), QDir::toNativeSeparators(m_lastFile), why));
            return false;
        }
        const QString text =
            m_forcedFile.isEmpty()
                ? QCoreApplication::translate("QtPrinterDevice",
                                              "No printer is set up, so the %1 was saved as a PDF file:\n%2")
                : QCoreApplication::translate("QtPrinterDevice", "The %1 was saved as a PDF file:\n%2");
        report(false,
               text.arg(documentName().toLower(), QDir::toNativeSeparators(QFileInfo(m_lastFile).absoluteFilePath())));
    }
    return true;
}

bool QtPrinterDevice::placePdf(QString *why) {
    QFile drawn(m_partFile);
    if (!drawn.open(QIODevice::ReadOnly)) {
        *why = drawn.errorString();
        drawn.remove();
        return false;
    }
    const QByteArray bytes = drawn.readAll();
    drawn.close();
    // The PDF engine reports no failed write: a PDF that did not reach the disk whole lacks its end marker,
    // and writing to it once more brings out the system's reason.
    if (!bytes.trimmed().endsWith("%%EOF")) {
        *why = QStringLiteral("the file came out incomplete");
        const QByteArray block(4096, '\0');
        if (drawn.open(QIODevice::Append | QIODevice::Unbuffered))
            for (int i = 0; i < 16; ++i)
                if (drawn.write(block) <= 0) {
                    *why = drawn.errorString();
                    break;
                }
        drawn.close();
        drawn.remove();
        return false;
    }
    drawn.remove();
    return files::write(m_lastFile, bytes, why);
}

void QtPrinterDevice::abandonDocument() {
    m_printer->abort();
    m_painter->end();
    m_painter.reset();
    m_failedDuringDocument = false;
    if (m_toPdf)
        QFile::remove(m_partFile);
}
