#include "ui/history/dealreport.h"

#include "core/print/printer.h"
#include "core/print/reportprintout.h"
#include "core/store/store.h"
#include "ui/common/geometry.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/common/windowclosing.h"
#include "ui/history/exportfile.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
}

DealReport::DealReport(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("dealreport"));
    setWindowTitle(tr("Product Report"));
    ui::setClientSize(this, 10920, 7650);

    auto caption = [this](const QString &name, const QString &text, double left, double width) {
        auto *label = new QLabel(text, this);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ui::place(label, left, 120, width, 315);
    };
    auto dateBox = [this](const QString &name, double left) {
        auto *box = new QDateEdit(this);
        box->setObjectName(name);
        box->setDisplayFormat(kDateFormat);
        box->setCalendarPopup(true);
        ui::place(box, left, 120, 1695, 315);
        return box;
    };
    caption(QStringLiteral("fromcaption"), tr("From:"), 120, 615);
    m_fromBox = dateBox(QStringLiteral("fromdate"), 840);
    caption(QStringLiteral("tocaption"), tr("To:"), 2640, 495);
    m_toBox = dateBox(QStringLiteral("todate"), 3240);
    caption(QStringLiteral("salespersoncaption"), tr("Salesperson:"), 5040, 1215);
    m_salespersonBox = new QComboBox(this);
    m_salespersonBox->setObjectName(QStringLiteral("salespersonfilter"));
    m_salespersonBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ui::place(m_salespersonBox, 6360, 120, 2775, 315);

    makeGrid();

    m_printButton = ui::button(this, QStringLiteral("Command1"), tr("Print"), 120, 7020, 1335, 495);
    m_exportButton = ui::button(this, QStringLiteral("Command2"), tr("Export…"), 1560, 7020, 1335, 495);
    m_exitButton = ui::button(this, QStringLiteral("Command3"), tr("EXIT"), 3000, 7020, 1335, 495);
    QWidget *order[] = {m_fromBox, m_toBox, m_salespersonBox, m_grid, m_printButton, m_exportButton, m_exitButton};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Every deal by default: from the first deal's day to the last one's.
    DealArchive &deals = m_app.store().deals();
    const auto span = deals.dateSpan();
    const QDate today = QDate::currentDate();
    m_lastDay = span ? span->second : today;
    m_fromBox->setDate(span ? span->first : today);
    m_toBox->setDate(m_lastDay);
    m_salespersonBox->addItem(tr("All"));
    m_salespersonBox->addItems(deals.salespeople());

    connect(m_fromBox, &QDateEdit::dateChanged, this, &DealReport::refresh);
    connect(m_toBox, &QDateEdit::dateChanged, this, &DealReport::refresh);
    connect(m_salespersonBox, &QComboBox::currentIndexChanged, this, &DealReport::refresh);
    connect(m_printButton, &QPushButton::clicked, this, &DealReport::print);
    connect(m_exportButton, &QPushButton::clicked, this, &DealReport::exportReport);
    auto *closing = new WindowClosing(this, WindowClosing::Leaving::Unloads, [this] {
        exitWindow();
        return true;
    });
    connect(m_exitButton, &QPushButton::clicked, closing, &WindowClosing::exit);
    connect(&m_app.store().events(), &StoreEvents::dealsAdded, this, &DealReport::reload);
    refresh();
    ui::centre(this);
}

void DealReport::makeGrid() {
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grid1"));
    ui::place(m_grid, 120, 555, 10680, 5535);
    m_model = new QStandardItemModel(0, 6, m_grid);
    m_model->setHorizontalHeaderLabels(report::productHeadings());
    m_grid->setModel(m_model);
    ui::setUpListGrid(m_grid);
    QHeaderView *head = m_grid->horizontalHeader();
    const int widths[6] = {3615, 1215, 1215, 1335, 1575, 1575};
    for (int c = 0; c < 6; ++c)
        head->resizeSection(c, ui::tw(widths[c]));
    head->setStretchLastSection(true);

    auto figure = [this](const QString &name, double left) {
        auto *label = new QLabel(this);
        label->setObjectName(name);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        ui::place(label, left, 6210, 3480, 315);
        return label;
    };
    m_dealsLabel = figure(QStringLiteral("dealscounted"), 120);
    m_productsPerDealLabel = figure(QStringLiteral("productsperdeal"), 3720);
    m_profitPerDealLabel = figure(QStringLiteral("profitperdeal"), 7320);
}

ReportFilter DealReport::filter() const {
    ReportFilter f;
    f.from = m_fromBox->date();
    f.to = m_toBox->date();
    if (m_salespersonBox->currentIndex() > 0)
        f.salesperson = m_salespersonBox->currentText();
    return f;
}

QString DealReport::scope() const {
    const ReportFilter f = filter();
    return tr("Deals saved from %1 to %2, %3")
        .arg(f.from.toString(kDateFormat), f.to.toString(kDateFormat),
             f.salesperson.isEmpty() ? tr("all salespeople") : tr("salesperson %1").arg(f.salesperson));
}

void DealReport::refresh() {
    m_report = m_app.store().deals().report(filter());
    const QList<QStringList> rows = report::productRows(m_report);
    m_model->setRowCount(0);
    for (const QStringList &row : rows) {
        QList<QStandardItem *> items;
        for (int c = 0; c < row.size(); ++c) {
            auto *item = new QStandardItem(row[c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            items << item;
        }
        m_model->appendRow(items);
    }
    const QStringList summary = report::summaryLines(m_report);
    m_dealsLabel->setText(summary.value(0));
    m_productsPerDealLabel->setText(summary.value(1));
    m_profitPerDealLabel->setText(summary.value(2));
}

void DealReport::reload() {
    DealArchive &deals = m_app.store().deals();
    const QSignalBlocker fromBlocker(m_fromBox), toBlocker(m_toBox), salespersonBlocker(m_salespersonBox);
    if (const auto span = deals.dateSpan()) {
        if (m_toBox->date() == m_lastDay)
            m_toBox->setDate(span->second);
        m_lastDay = span->second;
    }
    const QString chosen = m_salespersonBox->currentIndex() > 0 ? m_salespersonBox->currentText() : QString();
    m_salespersonBox->clear();
    m_salespersonBox->addItem(tr("All"));
    m_salespersonBox->addItems(deals.salespeople());
    m_salespersonBox->setCurrentIndex(qMax(0, m_salespersonBox->findText(chosen)));
    refresh();
}

void DealReport::print() {
    if (prompts::confirm(tr("Print Report?"), this) != 1)
        return;
    printProductReport(m_app.printer(), m_report, scope());
}

void DealReport::exportReport() {
    const QString path =
        exportfile::choose(m_app, this, tr("Export Product Report"), QStringLiteral("Product Report.csv"));
    if (path.isEmpty())
        return;
    exportfile::write(path, report::exportFile(m_report), tr("product report"), this);
}

void DealReport::exitWindow() {
    m_app.unload<DealReport>();
    if (!m_app.anyWindowShown())
        m_app.showHome();
}
