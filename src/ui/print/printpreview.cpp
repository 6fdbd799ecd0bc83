#include "ui/print/printpreview.h"

#include "core/print/printer.h"
#include "ui/common/program.h"
#include "ui/common/windowfit.h"
#include "ui/common/filechooser.h"
#include "ui/print/qtprinterdevice.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

PrintPreview::PrintPreview(Program &app, const QString &title, const QString &fileName, Layout layout,
                           QWidget *parent)
    : QDialog(parent), m_app(app), m_fileName(fileName), m_layout(std::move(layout)) {
    setObjectName(QStringLiteral("printpreview"));
    setWindowTitle(tr("Print Preview – %1").arg(title));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinMaxButtonsHint);

    // The sheet, margins and resolution of the program's printer, so every line lands where it will on paper.
    m_sheet = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_sheet->setOutputFormat(QPrinter::PdfFormat);
    if (const auto *printer = dynamic_cast<const QtPrinterDevice *>(&m_app.printer().device())) {
        printer->copyPageSetup(*m_sheet);
    } else {
        m_sheet->setFullPage(false);
        m_sheet->setResolution(600);
        m_sheet->setPageSize(QPageSize(QPageSize::Letter));
        m_sheet->setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    }
    m_view = new QPrintPreviewWidget(m_sheet.get(), this);
    m_view->setObjectName(QStringLiteral("previewpages"));
    m_view->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &PrintPreview::drawPages);

    auto *tools = new QToolBar(this);
    tools->setObjectName(QStringLiteral("previewtools"));
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto action = [this, tools](const QString &name, const QString &caption, const QKeySequence &key, auto slot) {
        QAction *a = tools->addAction(caption);
        a->setObjectName(name);
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_firstAction =
        action(QStringLiteral("firstpage"), tr("First"), QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { goTo(1); });
    m_previousAction = action(QStringLiteral("previouspage"), tr("Previous"), QKeySequence(Qt::Key_PageUp),
                              [this] { goTo(m_view->currentPage() - 1); });
    m_pageBox = new QSpinBox(this);
    m_pageBox->setObjectName(QStringLiteral("pagenumber"));
    m_pageBox->setAlignment(Qt::AlignRight);
    m_pageBox->setKeyboardTracking(false);
    tools->addWidget(m_pageBox);
    m_pageCountLabel = new QLabel(this);
    m_pageCountLabel->setObjectName(QStringLiteral("pagecount"));
    tools->addWidget(m_pageCountLabel);
    m_nextAction = action(QStringLiteral("nextpage"), tr("Next"), QKeySequence(Qt::Key_PageDown),
                          [this] { goTo(m_view->currentPage() + 1); });
    m_lastAction = action(QStringLiteral("lastpage"), tr("Last"), QKeySequence(Qt::CTRL | Qt::Key_End),
                          [this] { goTo(m_view->pageCount()); });
    tools->addSeparator();
    action(QStringLiteral("zoomout"), tr("Zoom Out"), QKeySequence::ZoomOut, [this] { m_view->zoomOut(); });
    action(QStringLiteral("zoomin"), tr("Zoom In"), QKeySequence::ZoomIn, [this] { m_view->zoomIn(); });
    action(QStringLiteral("fitwidth"), tr("Fit Width"), QKeySequence(), [this] { m_view->fitToWidth(); });
    action(QStringLiteral("fitpage"), tr("Whole Page"), QKeySequence(), [this] { m_view->fitInView(); });
    tools->addSeparator();
    action(QStringLiteral("singlepage"), tr("One Page"), QKeySequence(), [this] { m_view->setSinglePageViewMode(); });
    action(QStringLiteral("facingpages"), tr("Two Pages"), QKeySequence(),
           [this] { m_view->setFacingPagesViewMode(); });
    action(QStringLiteral("allpages"), tr("All Pages"), QKeySequence(), [this] { m_view->setAllPagesViewMode(); });
    tools->addSeparator();
    action(QStringLiteral("previewprint"), tr("Print"), QKeySequence::Print, &PrintPreview::print);
    action(QStringLiteral("savepdf"), tr("Save PDF…"), QKeySequence::Save, &PrintPreview::savePdf);
    action(QStringLiteral("closepreview"), tr("Close"), QKeySequence(), &PrintPreview::reject);

    connect(m_pageBox, &QSpinBox::valueChanged, this, &PrintPreview::goTo);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &PrintPreview::showPageNumber);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(tools);
    column->addWidget(m_view, 1);

    QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 900);
    resize(qMin(1100, area.width() * 9 / 10), qMin(850, area.height() * 9 / 10));
    // The pages now, so the window opens on them and their count is known before it is shown.
    m_view->updatePreview();
    WindowFit::remember(this);
}

PrintPreview::~PrintPreview() = default;

bool PrintPreview::drawOn(Printer &printer) const { return m_layout(printer); }

int PrintPreview::pageCount() const { return m_view->pageCount(); }

bool PrintPreview::landscape() const { return m_view->orientation() == QPageLayout::Landscape; }

void PrintPreview::drawPages(QPrinter *target) {
    Printer printer(std::make_unique<QtPrinterDevice>(*target));
    drawOn(printer);
}

void PrintPreview::goTo(int page) {
    // The view tells of a new page only when it was scrolled there.
    m_view->setCurrentPage(page);
    showPageNumber();
}

void PrintPreview::showPageNumber() {
    const int count = m_view->pageCount(), current = m_view->currentPage();
    const QSignalBlocker quiet(m_pageBox);
    m_pageBox->setRange(count > 0 ? 1 : 0, count);
    m_pageBox->setValue(current);
    m_pageCountLabel->setText(tr(" of %1 ").arg(count));
    m_firstAction->setEnabled(current > 1);
    m_previousAction->setEnabled(current > 1);
    m_nextAction->setEnabled(current < count);
    m_lastAction->setEnabled(current < count);
}

void PrintPreview::print() {
    if (drawOn(m_app.printer()))
        accept();
}

void PrintPreview::savePdf() {
    const QString path = FileChooser(m_app, nullptr)
                             .save(this, QDir(FileChooser::documentsFolder()).filePath(m_fileName), tr("Save PDF"),
                                   tr("PDF files (*.pdf);;All files (*)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    QPrinter file(QPrinter::HighResolution);
    file.setOutputFormat(QPrinter::PdfFormat);
    file.setFullPage(false);
    file.setResolution(m_sheet->resolution());
    file.setPageLayout(m_sheet->pageLayout());
    file.setOutputFileName(path);
    // The device says where the file went, or why it could not be written.
    Printer printer(std::make_unique<QtPrinterDevice>(file));
    drawOn(printer);
}
