#include "ui/deal/dealpresentation.h"

#include "core/print/dealprintout.h"
#include "core/text/storedtext.h"
#include "ui/common/program.h"
#include "ui/common/fullscreen.h"
#include "ui/common/geometry.h"
#include "ui/common/prompts.h"
#include "ui/common/windowfit.h"
#include "ui/print/printpreview.h"
#include "ui/deal/dealchoice.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QtMath>
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

// A product box shows its whole text whenever its column has room for it (the column sizes it so). Only
// when it cannot, the spare height goes to the margins, so every line shown can be read and the scroll
// bar brings the rest.
class ProductBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

    // The height at which every line of the text shows in `face` in a box `width` wide, laid out as the
    // box lays out its lines.
    int wholeTextHeight(const QFont &face, int width) const {
        const QTextDocument *doc = document();
        const qreal margin = doc->documentMargin();
        const qreal lineWidth = width - 2 * frameWidth() - 2 * margin;
        qreal height = 0;
        for (QTextBlock block = doc->firstBlock(); block.isValid(); block = block.next()) {
            QList<QTextLayout::FormatRange> formats;
            for (auto it = block.begin(); !it.atEnd(); ++it)
                formats.append(
                    {it.fragment().position() - block.position(), it.fragment().length(), it.fragment().charFormat()});
            QTextLayout layout(block.text(), face);
            layout.setTextOption(doc->defaultTextOption());
            layout.setFormats(formats);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLeadingIncluded(true);
                line.setLineWidth(lineWidth);
                height += line.height() + (line.leading() < 0 ? qCeil(line.leading()) : 0);
            }
            layout.endLayout();
        }
        return qCeil(height + 2 * margin) + 2 * frameWidth() + 1;
    }

    void showWholeLines() {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, pal.color(QPalette::Base));
        setPalette(pal);
        setAutoFillBackground(true);
        const int margin = int(document()->documentMargin());
        const int line = QFontMetrics(font()).lineSpacing();
        const int inner = height() - 2 * frameWidth() - 2 * margin;
        if (line <= 0 || inner <= line || wholeTextHeight(font(), width()) <= height()) {
            setViewportMargins(0, 0, 0, 0);
            return;
        }
        const int spare = inner % line;
        setViewportMargins(0, spare / 2, 0, spare - spare / 2);
    }

protected:
    // Sized anew (full screen), it divides its height again.
    void resizeEvent(QResizeEvent *event) override {
        QPlainTextEdit::resizeEvent(event);
        showWholeLines();
    }
};

// A package's column as a menu shows it: the package name as a large heading centred over the products,
// as the printout has it, and every product's whole text. A box whose text does not fit grows, pushing
// the boxes below it down into the column's free space; when the column cannot hold them all, the texts
// shrink until they fit. The column lays out its products itself, from its frame's current size and font,
// so a window that scales the frame as one piece scales the column with it.
class PackageColumn : public QObject {
public:
    PackageColumn(QGroupBox *frame, QPlainTextEdit *const (&boxes)[menu::Slots])
        : QObject(frame), m_frame(frame), m_designSize(frame->size()), m_designPoints(points(frame->font())) {
        frame->setProperty("laysOutOwnChildren", true);
        for (QPlainTextEdit *box : boxes) {
            auto *product = static_cast<ProductBox *>(box);
            m_boxes.append({product, product->geometry(), points(product->font())});
            // Shown to the customer, not typed into: no caret, no selection, no scroll bar unless needed.
            box->setReadOnly(true);
            box->setTextInteractionFlags(Qt::NoTextInteraction);
            box->setFocusPolicy(Qt::NoFocus);
            box->viewport()->setCursor(Qt::ArrowCursor);
            connect(box, &QPlainTextEdit::textChanged, this, &PackageColumn::layOut);
        }
        frame->installEventFilter(this);
        layOut();
    }

    void layOut();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == m_frame) {
            if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange)
                layOut();
            else if (event->type() == QEvent::Paint) {
                paint();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    struct Slot {
        ProductBox *box;
        QRect design; // within the frame, as designed
        double points;
    };
    static constexpr int kHeadingFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;

    double fontScale() const { return points(m_frame->font()) / m_designPoints; }
    static double points(const QFont &font) {
        return font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    }
    // Lengths as designed (in twips, or in pixels at the design size) at the frame's present size.
    int x(double twips) const { return scaledX(ui::tw(twips)); }
    int y(double twips) const { return scaledY(ui::tw(twips)); }
    int scaledX(int pixels) const { return qRound(double(pixels) * m_frame->width() / m_designSize.width()); }
    int scaledY(int pixels) const { return qRound(double(pixels) * m_frame->height() / m_designSize.height()); }
    // The heading at 14 points (in scale) on one line; a longer name gets smaller, then takes two lines,
    // and more only when even the smallest size needs them.
    QFont headingFont() const {
        const double scale = fontScale(), least = qMax(6.0, 8.25 * scale);
        for (double points = 14 * scale;; points -= 0.5) {
            const QFont font = windowFont(qMax(points, least), true);
            const QFontMetrics metrics(font);
            const int lines = points > 11 * scale ? 1 : 2;
            const QRect room(0, 0, headingWidth(), metrics.lineSpacing() * 10);
            if (points <= least ||
                metrics.boundingRect(room, kHeadingFlags, m_frame->title()).height() <= metrics.lineSpacing() * lines)
                return font;
        }
    }
    int headingWidth() const { return m_frame->width() - 2 * x(120); }
    QRect headingRect(const QFont &font) const {
        const QRect room(x(120), y(45), headingWidth(), m_frame->height());
        const QRect used = QFontMetrics(font).boundingRect(room, kHeadingFlags, m_frame->title());
        return QRect(room.topLeft(), QSize(room.width(), qMax(used.height(), QFontMetrics(font).height())));
    }
    void paint() {
        // A plain box with the heading in a band of its own, as on the printout.
        QPainter painter(m_frame);
        painter.setPen(m_frame->palette().color(QPalette::Mid));
        painter.drawRect(m_frame->rect().adjusted(0, 0, -1, -1));
        const QFont font = headingFont();
        const QRect heading = headingRect(font);
        painter.setFont(font);
        painter.setPen(m_frame->palette().color(QPalette::WindowText));
        painter.drawText(heading, kHeadingFlags, m_frame->title());
        painter.setPen(m_frame->palette().color(QPalette::Mid));
        const int rule = heading.bottom() + y(30);
        painter.drawLine(0, rule, m_frame->width() - 1, rule);
    }

    QGroupBox *m_frame;
    QList<Slot> m_boxes;
    QSize m_designSize;
    double m_designPoints;
    bool m_layingOut = false;
};

void PackageColumn::layOut() {
    if (m_layingOut || m_frame->width() <= 0 || m_frame->height() <= 0)
        return;
    m_layingOut = true;
    QList<Slot *> shown;
    for (Slot &slot : m_boxes)
        if (!slot.box->document()->isEmpty())
            shown << &slot;
    const int left = x(120), width = m_frame->width() - 2 * left;
    const int top = headingRect(headingFont()).bottom() + y(75), bottom = m_frame->height() - y(60);
    const double scale = fontScale();
    QList<QRect> places;
    auto fits = [&] { return places.isEmpty() || places.last().bottom() < bottom; };
    auto designed = [&](const Slot *slot) {
        return QRect(left, scaledY(slot->design.y()), width, scaledY(slot->design.height()));
    };
    const int shift = shown.isEmpty() ? 0 : qMax(0, top - designed(shown.first()).y());

    // Where the texts fit: every box in its designed place (below the heading), grown where its text
    // needs it, the boxes below moved down as far as that takes them.
    QFont face = windowFont(m_boxes.first().points * scale);
    int reach = top;
    for (const Slot *slot : shown) {
        QRect place = designed(slot).translated(0, shift);
        place.moveTop(qMax(place.top(), reach));
        place.setHeight(qMax(place.height(), slot->box->wholeTextHeight(face, width)));
        // Boxes drawn overlapping by their border keep doing so.
        reach = place.bottom() + 1 - qMax(0, designed(slot).height() - y(720));
        places << place;
    }
    // Otherwise packed one under the other, the spare height shared, at the largest size at which all fit.
    const double least = qMax(6.0, 7.0 * scale);
    QList<double> sizes;
    for (double points = m_boxes.first().points * scale; points > least; points -= 0.5)
        sizes << points;
    sizes << least;
    for (int step = 0; step < sizes.size() && !fits(); ++step) {
        face = windowFont(sizes[step]);
        QList<int> needed;
        int total = 0;
        for (const Slot *slot : shown)
            total += needed.emplace_back(slot->box->wholeTextHeight(face, width));
        const int spare = qMax(0, bottom - top - total) / qMax(1, int(shown.size()));
        places.clear();
        reach = top;
        for (int i = 0; i < shown.size(); ++i) {
            const int height = qMax(needed[i], qMin(designed(shown[i]).height(), needed[i] + spare));
            places << QRect(left, reach, width, height);
            reach += height;
        }
        // At the smallest readable size the column shares out what room it has; scroll bars bring the rest.
        if (!fits() && step == sizes.size() - 1) {
            const int shortest = QFontMetrics(face).height() * 2; // the name and a line of the description
            for (double squeeze = double(bottom - top) / qMax(1, total); !fits() && squeeze > 0.05; squeeze *= 0.95) {
                reach = top;
                for (int i = 0; i < shown.size(); ++i) {
                    places[i] = QRect(left, reach, width, qMax(shortest, int(needed[i] * squeeze)));
                    reach += places[i].height();
                }
            }
        }
    }
    for (int i = 0; i < shown.size(); ++i) {
        ProductBox *box = shown[i]->box;
        if (box->font() != face)
            box->setFont(face);
        // A box that holds its text has no scroll bar, not even for a moment, or the narrower text
        // would need it.
        const bool whole = box->wholeTextHeight(face, width) <= places[i].height();
        box->setVerticalScrollBarPolicy(whole ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
        box->setGeometry(places[i]);
    }
    m_layingOut = false;
}

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

DealPresentation::DealPresentation(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("dealmenu"));
    setWindowTitle(tr("Aftermarket Product Presentation"));
    setFont(windowFont());
    ui::setClientSize(this, 13950, 10020);

    makeParticulars();
    for (int p = 0; p < menu::Packages; ++p)
        makePackage(p);
    makeFooter();
    orderTabs();
    connectCommands();
    ui::centre(this);
    rememberDesign();

    // Each package column lays out its own products under its heading.
    for (int p = 0; p < menu::Packages; ++p)
        new PackageColumn(m_packageFrames[p], m_productBoxes[p]);

    // Ctrl+P does what "Print" does (a stored deal's view reprints), also in full screen where the
    // staff's buttons may be hidden.
    new QShortcut(QKeySequence::Print, this, m_printButton, &QPushButton::click);
}

void DealPresentation::makeParticulars() {
    m_dealershipLabel = new QLabel(tr("Dealership Name"), this);
    m_dealershipLabel->setObjectName(QStringLiteral("dealershipnametext"));
    m_dealershipLabel->setTextFormat(Qt::PlainText); // a name is shown as typed, never as markup
    m_dealershipLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_dealershipLabel->setFont(windowFont(12, true));
    ui::place(m_dealershipLabel, 120, 0, 13695, 375);

    // The particulars below the dealership's name rather than behind it: each a caption and its box.
    struct Particular {
        const char *caption;
        double captionLeft, top;
        const char *boxName;
        double boxLeft;
    };
    static const Particular particulars[] = {{QT_TR_NOOP("Salesperson:"), 120, 375, "salespersonnametext", 2160},
                                             {QT_TR_NOOP("Customer:"), 120, 675, "customernametext", 2160},
                                             {QT_TR_NOOP("Stock #:"), 7200, 375, "stocknumbertext", 9240},
                                             {QT_TR_NOOP("Vehicle:"), 7200, 675, "vehicletext", 9240}};
    QLineEdit **boxes[] = {&m_salespersonBox, &m_customerBox, &m_stockNumberBox, &m_vehicleBox};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(tr(particulars[i].caption), this);
        label->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFont(windowFont(8.25, true));
        ui::place(label, particulars[i].captionLeft, particulars[i].top, 1935, 255);
    }
    for (int i = 0; i < 4; ++i) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QLatin1String(particulars[i].boxName));
        box->setMaxLength(std::numeric_limits<int>::max());
        ui::place(box, particulars[i].boxLeft, particulars[i].top, 2175, 285);
        ui::selectAllOnFocus(box);
        *boxes[i] = box;
    }
}

void DealPresentation::makePackage(int p) {
    const double frameLeft[menu::Packages] = {0, 3480, 6960, 10440};
    const double frameWidth[menu::Packages] = {3500, 3500, 3495, 3495};
    m_packageFrames[p] = new QGroupBox(QStringLiteral("Product%1").arg(p), this);
    m_packageFrames[p]->setObjectName(QStringLiteral("menuframe(%1)").arg(p));
    m_packageFrames[p]->setFont(windowFont(8.25, true));
    ui::place(m_packageFrames[p], frameLeft[p], 960, frameWidth[p], 7575);
    for (int k = 0; k < menu::Slots; ++k) {
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

void DealPresentation::makeFooter() {
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

    // The commands beyond the first version follow EXIT.
    struct Command {
        const char *name;
        const char *caption;
        double left;
    };
    static const Command commands[] = {{"Command1", QT_TR_NOOP("Print"), 120},
                                       {"Command2", QT_TR_NOOP("Change Items"), 1920},
                                       {"Command3", QT_TR_NOOP("EXIT"), 3720},
                                       {"Command4", QT_TR_NOOP("Customer Choice"), 5520},
                                       {"Command5", QT_TR_NOOP("Preview"), 7320},
                                       {"Command6", QT_TR_NOOP("Full Screen"), 9120}};
    QPushButton **buttons[] = {&m_printButton,  &m_changeButton,  &m_exitButton,
                               &m_choiceButton, &m_previewButton, &m_fullScreenButton};
    for (int i = 0; i < 6; ++i) {
        auto *b = new QPushButton(tr(commands[i].caption), this);
        b->setObjectName(QLatin1String(commands[i].name));
        ui::place(b, commands[i].left, 9360, 1695, 615);
        *buttons[i] = b;
    }
}

void DealPresentation::orderTabs() {
    QList<QWidget *> order{m_salespersonBox, m_customerBox, m_stockNumberBox, m_vehicleBox};
    for (int p = 0; p < menu::Packages; ++p)
        for (int k = 0; k < menu::Slots; ++k)
            order << m_productBoxes[p][k];
    order << m_disclaimerBox << m_printButton << m_changeButton << m_exitButton << m_choiceButton << m_previewButton
          << m_fullScreenButton;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void DealPresentation::connectCommands() {
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
        DealChoice *choice = m_app.window<DealChoice>();
        connect(choice, &DealChoice::saved, this, &DealPresentation::rememberSaved, Qt::UniqueConnection);
        choice->choose(deal, this, m_savedAs);
    });
}

void DealPresentation::rememberDesign() {
    // Where the packages and what follows them sit when the deal offers one term and nothing financed;
    // more terms or a payment without products move them down to make room.
    m_designSize = WindowFit::of(this)->designSize();
    for (int p = 0; p < menu::Packages; ++p)
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
    for (int p = 0; p < menu::Packages; ++p)
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
    // A lease's line names its term: even one may need a smaller size to fit its column.
    if (lines > 1 || m_page.lease) {
        QStringList all;
        for (int p = 0; p < menu::Packages; ++p)
            all << m_page.priceLinesOf(p);
        font = fittingFont(all, fit->designGeometry(m_priceLines[0]).width() - ui::tw(300),
                           lines > 1 ? kTermLineSize : 12);
    }
    fit->setDesignFont(m_basePaymentLine, fittingFont({m_page.basePaymentLine},
                                                      fit->designGeometry(m_basePaymentLine).width(), 10));
    for (int p = 0; p < menu::Packages; ++p) {
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
    for (int p = 0; p < menu::Packages; ++p) {
        m_priceLines[p]->setText(m_page.priceLines[p]);
        m_priceLines[p]->setVisible(m_page.priceLinesShown);
        const QString *further[] = {&m_page.priceLines2[p], &m_page.priceLines3[p]};
        for (int t = 1; t < Deal::Terms; ++t) {
            m_furtherPriceLines[t - 1][p]->setText(*further[t - 1]);
            m_furtherPriceLines[t - 1][p]->setVisible(m_page.priceLinesShown && !further[t - 1]->isEmpty());
        }
        m_packageFrames[p]->setTitle(ui::literalCaption(m_page.headings[p]));
        m_packageTextBoxes[p]->setText(m_page.packageTexts[p]);
        for (int k = 0; k < menu::Slots; ++k) {
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
    // The customer sees no box selected, whichever box the window would give the focus to first.
    m_printButton->setFocus();
}

void DealPresentation::makeReadOnly() {
    for (QLineEdit *box : {m_salespersonBox, m_customerBox, m_stockNumberBox, m_vehicleBox})
        box->setReadOnly(true);
    m_disclaimerBox->setReadOnly(true);
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
    if (package < 0 || package >= menu::Packages || slot < 0 || slot >= menu::Slots)
        return;
    if (m_page.productTexts[package][slot].isEmpty())
        return;
    // The path as stored. A customer who asks to see more is never left wondering why nothing came.
    const QString path = storedtext::trimBlanks(m_page.pages[package][slot]);
    const QUrl url = externalUrl(path);
    if (path.isEmpty())
        prompts::notice(tr("This product has no page to show."), this);
    else if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        prompts::notice(tr("This product's page was not found: %1").arg(path), this);
    else if (!m_app.openExternally(path))
        prompts::notice(tr("No program on this computer can open this product's page."), this);
}

bool DealPresentation::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int p = 0; p < menu::Packages; ++p)
            for (int k = 0; k < menu::Slots; ++k)
                if (m_productBoxes[p][k]->viewport() == watched)
                    openProductPage(p, k);
    }
    return QWidget::eventFilter(watched, event);
}

void DealPresentation::print() {
    if (prompts::confirm(tr("Print Deal?"), this) != 1)
        return;
    printDeal(m_app.printer(), page());
}

void DealPresentation::preview() {
    const DealPage shown = page();
    QString fileName = shown.customer.isEmpty() ? tr("Deal") : tr("Deal %1").arg(shown.customer);
    fileName.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    auto *window = new PrintPreview(
        m_app, tr("Deal"), fileName + QStringLiteral(".pdf"),
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

void DealPresentation::rememberSaved(qint64 number) { m_savedAs = number; }

void DealPresentation::exitDeal() {
    if (m_savedAs == 0 && prompts::confirm(tr("Leave this deal? What was typed will be lost."), this) != 1)
        return;
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
