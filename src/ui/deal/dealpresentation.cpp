#include "ui/deal/dealpresentation.h"

#include "core/print/dealprintout.h"
#include "core/text/storedtext.h"
#include "ui/app/application.h"
#include "ui/app/fullscreen.h"
#include "ui/app/geometry.h"
#include "ui/app/prompts.h"
#include "ui/app/windowfit.h"
#include "ui/print/printpreview.h"
#include "ui/deal/dealchoice.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <limits>

namespace {
// With several terms each package's price lines stack in rows of this height, at this size at most;
// the payment without products takes a row of its own above the packages.
constexpr double kTermLine = 300, kTermLineSize = 11, kBaseLine = 270;

// The window's face: MS Sans Serif where it exists, otherwise the Arial look-alike, never the wide
// default sans face that would push the descriptions out of their boxes.
QFont windowFont(double points = 8.25, bool bold = false) {
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("Helvetica")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Hidden boxes carry exact text of any length (a package of long descriptions passes the default limit).
QLineEdit *hiddenBox(QWidget *parent, const QString &name) {
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaxLength(std::numeric_limits<int>::max());
    box->hide();
    return box;
}

// A product box this small would show a line cut in half at its foot; the spare height goes to the
// margins instead, so every line shown can be read and the scroll bar brings the rest.
class ProductBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    void showWholeLines() {
        const int margin = int(document()->documentMargin());
        const int line = QFontMetrics(font()).lineSpacing();
        const int inner = height() - 2 * frameWidth() - 2 * margin;
        if (line <= 0 || inner <= line)
            return;
        const int spare = inner % line;
        setViewportMargins(0, spare / 2, 0, spare - spare / 2);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, pal.color(QPalette::Base));
        setPalette(pal);
        setAutoFillBackground(true);
    }

protected:
    // Sized anew (full screen), it divides its height again.
    void resizeEvent(QResizeEvent *event) override {
        QPlainTextEdit::resizeEvent(event);
        showWholeLines();
    }
};

// The bold face at the largest size, up to `largest` and down to 7 points, at which every line fits `width`.
QFont fittingFont(const QStringList &lines, int width, double largest) {
    double points = largest;
    auto fits = [&] {
        const QFontMetrics metrics(windowFont(points, true));
        for (const QString &line : lines)
            if (metrics.horizontalAdvance(line) > width)
                return false;
        return true;
    };
    while (points > 7 && !fits())
        points -= 0.5;
    return windowFont(points, true);
}

} // namespace

DealPresentation::DealPresentation(Application &app) : m_app(app) {
    setObjectName(QStringLiteral("dealmenu"));
    setWindowTitle(QStringLiteral("Aftermarket Product Presentation"));
    setFont(windowFont());
    ui::setClientSize(this, 13950, 10020);

    m_dealershipLabel = new QLabel(QStringLiteral("Dealership Name"), this);
    m_dealershipLabel->setObjectName(QStringLiteral("dealershipnametext"));
    m_dealershipLabel->setTextFormat(Qt::PlainText); // a name is shown as typed, never as markup
    m_dealershipLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_dealershipLabel->setFont(windowFont(12, true));
    ui::place(m_dealershipLabel, 120, 0, 13695, 375);

    const char *captions[4] = {"Salesperson:", "Customer:", "Stock #:", "Vehicle:"};
    const double labelLeft[4] = {120, 120, 7200, 7200};
    // The particulars below the dealership's name rather than behind it.
    const double rowTop[4] = {375, 675, 375, 675};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(QString::fromLatin1(captions[i]), this);
        label->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFont(windowFont(8.25, true));
        ui::place(label, labelLeft[i], rowTop[i], 1935, 255);
    }
    auto particular = [this](const QString &name, double left, double top) {
        auto *box = new QLineEdit(this);
        box->setObjectName(name);
        box->setMaxLength(std::numeric_limits<int>::max());
        ui::place(box, left, top, 2175, 285);
        ui::selectAllOnFocus(box);
        return box;
    };
    m_salespersonBox = particular(QStringLiteral("salespersonnametext"), 2160, 375);
    m_customerBox = particular(QStringLiteral("customernametext"), 2160, 675);
    m_stockNumberBox = particular(QStringLiteral("stocknumbertext"), 9240, 375);
    m_vehicleBox = particular(QStringLiteral("vehicletext"), 9240, 675);

    const double frameLeft[packageCount] = {0, 3480, 6960, 10440};
    const double frameWidth[packageCount] = {3500, 3500, 3495, 3495};
    for (int p = 0; p < packageCount; ++p) {
        m_packageFrames[p] = new QGroupBox(QStringLiteral("Product%1").arg(p), this);
        m_packageFrames[p]->setObjectName(QStringLiteral("menuframe(%1)").arg(p));
        m_packageFrames[p]->setFont(windowFont(8.25, true));
        ui::place(m_packageFrames[p], frameLeft[p], 960, frameWidth[p], 7575);
        for (int k = 0; k < slotCount; ++k) {
            auto *box = new ProductBox(m_packageFrames[p]);
            box->setObjectName(QStringLiteral("product%1(%2)").arg(p).arg(k));
            box->setFont(windowFont());
            box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box->setTabChangesFocus(true);
            box->document()->setDocumentMargin(2);
            box->viewport()->installEventFilter(this);
            ui::place(box, 120, 240 + 720 * k, 3255, p == 0 ? 720 : 735);
            box->showWholeLines();
            box->hide();
            m_productBoxes[p][k] = box;
            m_pageBoxes[p][k] = hiddenBox(this, QStringLiteral("webpath%1(%2)").arg(p).arg(k));
        }
        m_packageTextBoxes[p] = hiddenBox(this, QStringLiteral("producttext(%1)").arg(p));

        m_priceLines[p] = new QLabel(QStringLiteral("$0.00"), this);
        m_priceLines[p]->setObjectName(QStringLiteral("pricepayment(%1)").arg(p));
        m_priceLines[p]->setAlignment(Qt::AlignCenter);
        m_priceLines[p]->setFont(windowFont(12, true));
        ui::place(m_priceLines[p], frameLeft[p], 8520, 3495, 375);
        m_priceLines[p]->hide();
        for (int t = 1; t < Deal::Terms; ++t) {
            QLabel *line = new QLabel(this);
            line->setObjectName(QStringLiteral("pricepayment%1(%2)").arg(t + 1).arg(p));
            line->setAlignment(Qt::AlignCenter);
            line->setFont(windowFont(kTermLineSize, true));
            ui::place(line, frameLeft[p], 8520 + kTermLine * t, 3495, kTermLine);
            line->hide();
            m_furtherPriceLines[t - 1][p] = line;
        }
    }
    m_basePaymentLine = new QLabel(this);
    m_basePaymentLine->setObjectName(QStringLiteral("basepaymentline"));
    m_basePaymentLine->setTextFormat(Qt::PlainText);
    m_basePaymentLine->setAlignment(Qt::AlignCenter);
    m_basePaymentLine->setFont(windowFont(10, true));
    ui::place(m_basePaymentLine, 120, 945, 13695, kBaseLine);
    m_basePaymentLine->hide();

    m_disclaimerBox = new QPlainTextEdit(this);
    m_disclaimerBox->setObjectName(QStringLiteral("disclaimertext"));
    m_disclaimerBox->setTabChangesFocus(true);
    m_disclaimerBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_disclaimerBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_disclaimerBox->document()->setDocumentMargin(2);
    ui::place(m_disclaimerBox, 120, 8880, 13695, 375);

    auto button = [this](const QString &name, const QString &caption, double left) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        ui::place(b, left, 9360, 1695, 615);
        return b;
    };
    m_printButton = button(QStringLiteral("Command1"), QStringLiteral("Print"), 120);
    m_changeButton = button(QStringLiteral("Command2"), QStringLiteral("Change Items"), 1920);
    m_exitButton = button(QStringLiteral("Command3"), QStringLiteral("EXIT"), 3720);
    // The commands beyond the first version follow EXIT.
    m_choiceButton = button(QStringLiteral("Command4"), QStringLiteral("Customer Choice"), 5520);
    m_previewButton = button(QStringLiteral("Command5"), QStringLiteral("Preview"), 7320);
    m_fullScreenButton = button(QStringLiteral("Command6"), QStringLiteral("Full Screen"), 9120);

    QList<QWidget *> order{m_salespersonBox, m_customerBox, m_stockNumberBox, m_vehicleBox};
    for (int p = 0; p < packageCount; ++p)
        for (int k = 0; k < slotCount; ++k)
            order << m_productBoxes[p][k];
    order << m_disclaimerBox << m_printButton << m_changeButton << m_exitButton << m_choiceButton << m_previewButton
          << m_fullScreenButton;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The customer sees no box selected when the presentation opens.
    m_printButton->setFocus();
    connect(m_printButton, &QPushButton::clicked, this, &DealPresentation::print);
    connect(m_changeButton, &QPushButton::clicked, this, &DealPresentation::backToWorksheet);
    connect(m_exitButton, &QPushButton::clicked, this, &DealPresentation::exitDeal);
    connect(m_previewButton, &QPushButton::clicked, this, &DealPresentation::preview);
    m_fullScreen = new FullScreen(this);
    connect(m_fullScreenButton, &QPushButton::clicked, m_fullScreen, &FullScreen::toggle);
    // The choice is recorded on the deal as the customer sees it, particulars and disclaimer as edited here.
    connect(m_choiceButton, &QPushButton::clicked, this, [this] {
        const DealPage shown = page();
        Deal deal = m_deal;
        deal.particulars = {shown.customer, shown.vehicle, shown.stockNumber, shown.salesperson};
        deal.disclaimer = shown.disclaimer;
        m_app.window<DealChoice>()->choose(deal, this);
    });
    ui::centre(this);

    // Where the packages and what follows them sit when the deal offers one term and nothing financed;
    // more terms or a payment without products move them down to make room.
    m_designSize = WindowFit::of(this)->designSize();
    for (int p = 0; p < packageCount; ++p)
        m_design << Placed{m_packageFrames[p], m_packageFrames[p]->geometry(), false}
                 << Placed{m_priceLines[p], m_priceLines[p]->geometry(), false};
    for (QWidget *below : {static_cast<QWidget *>(m_disclaimerBox), static_cast<QWidget *>(m_printButton),
                           static_cast<QWidget *>(m_changeButton), static_cast<QWidget *>(m_exitButton),
                           static_cast<QWidget *>(m_choiceButton), static_cast<QWidget *>(m_previewButton),
                           static_cast<QWidget *>(m_fullScreenButton)})
        m_design << Placed{below, below->geometry(), true};
    // In full screen the customer sees only the deal; the staff's buttons come up at the bottom edge.
    m_fullScreen->setStaffControls({m_printButton, m_changeButton, m_exitButton, m_choiceButton, m_previewButton,
                                    m_fullScreenButton});
}

void DealPresentation::layOutPayments() {
    const bool base = m_page.priceLinesShown && !m_page.basePaymentLine.isEmpty();
    int lines = 1;
    for (int p = 0; p < packageCount; ++p)
        lines = qMax(lines, int(m_page.priceLinesOf(p).size()));
    if (!m_page.priceLinesShown)
        lines = 1;
    const int top = base ? ui::tw(kBaseLine + 60) : 0;
    const int band = lines > 1 ? ui::tw(kTermLine * lines - 360) : 0;
    // Placed at the designed size; the window's fit scales them.
    WindowFit *fit = WindowFit::of(this);
    for (const Placed &placed : m_design)
        fit->place(placed.widget, placed.geometry.translated(0, top + (placed.belowBand ? band : 0)));

    // Several lines share one size, the largest at which the longest of them fits its column.
    QFont font = windowFont(12, true);
    if (lines > 1) {
        QStringList all;
        for (int p = 0; p < packageCount; ++p)
            all << m_page.priceLinesOf(p);
        font = fittingFont(all, fit->designGeometry(m_priceLines[0]).width() - ui::tw(300), kTermLineSize);
    }
    fit->setDesignFont(m_basePaymentLine, fittingFont({m_page.basePaymentLine},
                                                      fit->designGeometry(m_basePaymentLine).width(), 10));
    for (int p = 0; p < packageCount; ++p) {
        fit->setDesignFont(m_priceLines[p], font);
        QRect price = fit->designGeometry(m_priceLines[p]);
        if (lines > 1) {
            price.setHeight(ui::tw(kTermLine));
            fit->place(m_priceLines[p], price);
        }
        // The lines offered follow one another: a third term without a second takes the second row.
        int row = 1;
        for (int t = 1; t < Deal::Terms; ++t) {
            QLabel *line = m_furtherPriceLines[t - 1][p];
            fit->setDesignFont(line, font);
            QRect placed = fit->designGeometry(line);
            placed.moveTop(price.y() + ui::tw(kTermLine) * row);
            fit->place(line, placed);
            row += line->text().isEmpty() ? 0 : 1;
        }
    }
    fit->setDesignSize(m_designSize + QSize(0, top + band));
}

void DealPresentation::present(const Deal &deal) {
    m_deal = deal;
    m_page = dealPage(deal);
    m_dealershipLabel->setText(m_page.dealership);
    m_salespersonBox->setText(m_page.salesperson);
    m_customerBox->setText(m_page.customer);
    m_stockNumberBox->setText(m_page.stockNumber);
    m_vehicleBox->setText(m_page.vehicle);
    for (QLineEdit *box : {m_salespersonBox, m_customerBox, m_stockNumberBox, m_vehicleBox})
        box->setCursorPosition(0);
    m_basePaymentLine->setText(m_page.basePaymentLine);
    m_basePaymentLine->setVisible(m_page.priceLinesShown && !m_page.basePaymentLine.isEmpty());
    for (int p = 0; p < packageCount; ++p) {
        m_priceLines[p]->setText(m_page.priceLines[p]);
        m_priceLines[p]->setVisible(m_page.priceLinesShown);
        const QString *further[] = {&m_page.priceLines2[p], &m_page.priceLines3[p]};
        for (int t = 1; t < Deal::Terms; ++t) {
            m_furtherPriceLines[t - 1][p]->setText(*further[t - 1]);
            m_furtherPriceLines[t - 1][p]->setVisible(m_page.priceLinesShown && !further[t - 1]->isEmpty());
        }
        m_packageFrames[p]->setTitle(ui::literalCaption(m_page.headings[p]));
        m_packageTextBoxes[p]->setText(m_page.packageTexts[p]);
        for (int k = 0; k < slotCount; ++k) {
            QPlainTextEdit *box = m_productBoxes[p][k];
            const QString &text = m_page.productTexts[p][k];
            m_pageBoxes[p][k]->setText(m_page.pages[p][k]);
            if (text.isEmpty()) {
                box->clear();
                box->hide();
                continue;
            }
            box->setPlainText(storedtext::toDisplayLines(text));
            // The name line in bold, so each product stands out from its description.
            QTextCursor name(box->document()->firstBlock());
            name.select(QTextCursor::BlockUnderCursor);
            QTextCharFormat bold;
            bold.setFontWeight(QFont::Bold);
            name.mergeCharFormat(bold);
            box->moveCursor(QTextCursor::Start);
            box->verticalScrollBar()->setValue(0);
            box->show();
        }
    }
    m_disclaimerBox->setPlainText(storedtext::toDisplayLines(m_page.disclaimer));
    layOutPayments();
}

DealPage DealPresentation::page() const {
    DealPage page = m_page;
    using storedtext::trimBlanks;
    page.salesperson = trimBlanks(m_salespersonBox->text());
    page.customer = trimBlanks(m_customerBox->text());
    page.stockNumber = trimBlanks(m_stockNumberBox->text());
    page.vehicle = trimBlanks(m_vehicleBox->text());
    page.disclaimer = trimBlanks(storedtext::toStoredLines(m_disclaimerBox->toPlainText()));
    return page;
}

void DealPresentation::openProductPage(int package, int slot) {
    if (package < 0 || package >= packageCount || slot < 0 || slot >= slotCount)
        return;
    if (m_page.productTexts[package][slot].isEmpty())
        return;
    const QString path = storedtext::trimBlanks(m_page.pages[package][slot]);
    if (path.isEmpty())
        return;
    // As stored; whether the desktop could open it is not reported.
    m_app.openExternally(path);
}

bool DealPresentation::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int p = 0; p < packageCount; ++p)
            for (int k = 0; k < slotCount; ++k)
                if (m_productBoxes[p][k]->viewport() == watched)
                    openProductPage(p, k);
    }
    return QWidget::eventFilter(watched, event);
}

void DealPresentation::print() {
    if (prompts::confirm(QStringLiteral("Print Deal?"), this) != 1)
        return;
    printDeal(m_app.printer(), page());
}

void DealPresentation::preview() {
    const DealPage shown = page();
    QString fileName = shown.customer.isEmpty() ? QStringLiteral("Deal") : QStringLiteral("Deal ") + shown.customer;
    fileName.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    auto *window = new PrintPreview(
        m_app, QStringLiteral("Deal"), fileName + QStringLiteral(".pdf"),
        [shown](Printer &printer) { return printDeal(printer, shown); }, this);
    window->show();
}

void DealPresentation::backToWorksheet() {
    // The worksheet was only hidden, so it comes back exactly as it was left.
    m_closing = true;
    if (isSignalConnected(QMetaMethod::fromSignal(&DealPresentation::changeItems)))
        emit changeItems();
    else
        m_app.showHome();
    m_app.unload<DealPresentation>();
}

void DealPresentation::exitDeal() {
    m_closing = true;
    m_app.showHome();
    m_app.unload<DealPresentation>();
    emit dealClosed();
}

void DealPresentation::closeEvent(QCloseEvent *event) {
    // Closing from the title bar only unloads the presentation; the worksheet stays hidden with its
    // entries until it is shown again. The program is never left without a window to go on from.
    event->accept();
    if (m_closing)
        return;
    m_closing = true;
    m_app.unload<DealPresentation>();
    if (!m_app.anyWindowShown())
        m_app.showHome();
}
