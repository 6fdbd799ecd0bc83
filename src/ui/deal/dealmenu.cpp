#include "dealmenu.h"

#include "ui/app/form1.h"
#include "ui/app/shell.h"
#include "ui/app/windows.h"
#include "ui/deal/dealprintout.h"
#include "ui/deal/makedeal.h"
#include "ui/prefs/preferences.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <limits>

namespace {
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

// A group box title shows "&" doubled so that it is no shortcut; the package name itself has one.
QString titleText(const QGroupBox *frame) {
    QString t = frame->title();
    return t.replace(QLatin1String("&&"), QLatin1String("&"));
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
};

template <class W> void bringUp(W *w) {
    w->show();
    w->raise();
    w->activateWindow();
}
} // namespace

dealmenu::dealmenu() {
    setObjectName(QStringLiteral("dealmenu"));
    setWindowTitle(QStringLiteral("Aftermarket Product Presentation"));
    setFont(windowFont());
    ui::setClientSize(this, 13950, 10020);

    dealershipnametext = new QLabel(QStringLiteral("Dealership Name"), this);
    dealershipnametext->setObjectName(QStringLiteral("dealershipnametext"));
    dealershipnametext->setTextFormat(Qt::PlainText); // a name is shown as typed, never as markup
    dealershipnametext->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    dealershipnametext->setFont(windowFont(12, true));
    ui::place(dealershipnametext, 120, 0, 13695, 375);

    const char *captions[4] = {"Salesperson:", "Customer:", "Stock #:", "Vehicle:"};
    const double labelLeft[4] = {120, 120, 7200, 7200};
    const double rowTop[4] = {240, 600, 240, 600};
    for (int i = 0; i < 4; ++i) {
        Label1[i] = new QLabel(QString::fromLatin1(captions[i]), this);
        Label1[i]->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        Label1[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Label1[i]->setFont(windowFont(8.25, true));
        ui::place(Label1[i], labelLeft[i], rowTop[i], 1935, 255);
    }
    auto particular = [this](const QString &name, double left, double top) {
        auto *box = new QLineEdit(this);
        box->setObjectName(name);
        box->setMaxLength(std::numeric_limits<int>::max());
        ui::place(box, left, top, 2175, 285);
        ui::selectAllOnFocus(box);
        return box;
    };
    salespersonnametext = particular(QStringLiteral("salespersonnametext"), 2160, 240);
    customernametext = particular(QStringLiteral("customernametext"), 2160, 600);
    stocknumbertext = particular(QStringLiteral("stocknumbertext"), 9240, 240);
    vehicletext = particular(QStringLiteral("vehicletext"), 9240, 600);

    const double frameLeft[packageCount] = {0, 3480, 6960, 10440};
    const double frameWidth[packageCount] = {3500, 3500, 3495, 3495};
    for (int p = 0; p < packageCount; ++p) {
        menuframe[p] = new QGroupBox(QStringLiteral("Product%1").arg(p), this);
        menuframe[p]->setObjectName(QStringLiteral("menuframe(%1)").arg(p));
        menuframe[p]->setFont(windowFont(8.25, true));
        ui::place(menuframe[p], frameLeft[p], 960, frameWidth[p], 7575);
        for (int k = 0; k < slotCount; ++k) {
            auto *box = new ProductBox(menuframe[p]);
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
            product[p][k] = box;
            webpath[p][k] = hiddenBox(this, QStringLiteral("webpath%1(%2)").arg(p).arg(k));
        }
        producttext[p] = hiddenBox(this, QStringLiteral("producttext(%1)").arg(p));

        pricepayment[p] = new QLabel(QStringLiteral("$0.00"), this);
        pricepayment[p]->setObjectName(QStringLiteral("pricepayment(%1)").arg(p));
        pricepayment[p]->setAlignment(Qt::AlignCenter);
        pricepayment[p]->setFont(windowFont(12, true));
        ui::place(pricepayment[p], frameLeft[p], 8520, 3495, 375);
        pricepayment[p]->hide();
    }

    disclaimertext = new QPlainTextEdit(this);
    disclaimertext->setObjectName(QStringLiteral("disclaimertext"));
    disclaimertext->setTabChangesFocus(true);
    disclaimertext->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    disclaimertext->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    disclaimertext->document()->setDocumentMargin(2);
    ui::place(disclaimertext, 120, 8880, 13695, 375);

    auto button = [this](const QString &name, const QString &caption, double left) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        ui::place(b, left, 9360, 1695, 615);
        return b;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Print"), 120);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("Change Items"), 1920);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("EXIT"), 3720);

    QList<QWidget *> order{salespersonnametext, customernametext, stocknumbertext, vehicletext};
    for (int p = 0; p < packageCount; ++p)
        for (int k = 0; k < slotCount; ++k)
            order << product[p][k];
    order << disclaimertext << Command1 << Command2 << Command3;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The customer sees no box selected when the presentation opens.
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &dealmenu::print);
    connect(Command2, &QPushButton::clicked, this, &dealmenu::changeItems);
    connect(Command3, &QPushButton::clicked, this, &dealmenu::exitDeal);
    ui::centre(this);
}

void dealmenu::setDealershipName(const QString &name) { dealershipnametext->setText(name); }

void dealmenu::setParticulars(const QString &salesperson, const QString &customer, const QString &stockNumber,
                              const QString &vehicle) {
    salespersonnametext->setText(salesperson);
    customernametext->setText(customer);
    stocknumbertext->setText(stockNumber);
    vehicletext->setText(vehicle);
    for (QLineEdit *box : {salespersonnametext, customernametext, stocknumbertext, vehicletext})
        box->setCursorPosition(0);
}

void dealmenu::showPriceLines() {
    for (QLabel *line : pricepayment)
        line->show();
}

void dealmenu::setPriceLine(int package, const QString &line) { pricepayment[package]->setText(line); }

void dealmenu::setPackageName(int package, const QString &name) {
    menuframe[package]->setTitle(ui::literalCaption(name));
}

void dealmenu::setDisclaimer(const QString &text) { disclaimertext->setPlainText(toDisplayLines(text)); }

QString dealmenu::productText(int package) const { return producttext[package]->text(); }

void dealmenu::setProductText(int package, const QString &text) { producttext[package]->setText(text); }

void dealmenu::showProduct(int package, int slot, const QString &text, const QString &path) {
    QPlainTextEdit *box = product[package][slot];
    box->setPlainText(toDisplayLines(text));
    // The name line in bold, so each product stands out from its description.
    QTextCursor name(box->document()->firstBlock());
    name.select(QTextCursor::BlockUnderCursor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    name.mergeCharFormat(bold);
    box->moveCursor(QTextCursor::Start);
    box->verticalScrollBar()->setValue(0);
    box->show();
    webpath[package][slot]->setText(path);
}

DealPage dealmenu::page() const {
    DealPage page;
    page.dealershipnametext = dealershipnametext->text().trimmed();
    page.salespersonnametext = salespersonnametext->text().trimmed();
    page.customernametext = customernametext->text().trimmed();
    page.stocknumbertext = stocknumbertext->text().trimmed();
    page.vehicletext = vehicletext->text().trimmed();
    for (int p = 0; p < packageCount; ++p) {
        page.menuframe[p] = titleText(menuframe[p]).trimmed();
        page.producttext[p] = producttext[p]->text().trimmed();
        page.pricepayment[p] = pricepayment[p]->text().trimmed();
    }
    page.disclaimertext = toStoredLines(disclaimertext->toPlainText()).trimmed();
    return page;
}

void dealmenu::openProductPage(int package, int slot) {
    const QString path = webpath[package][slot]->text().trimmed();
    if (path.isEmpty())
        return;
    // As stored; whether the desktop could open it is not reported.
    shell::open(path);
}

bool dealmenu::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int p = 0; p < packageCount; ++p)
            for (int k = 0; k < slotCount; ++k)
                if (product[p][k]->viewport() == watched)
                    openProductPage(p, k);
    }
    return QWidget::eventFilter(watched, event);
}

void dealmenu::print() { printDealConfirmed(page()); }

void dealmenu::changeItems() {
    // The worksheet was only hidden, so it comes back exactly as it was left.
    if (makedeal *worksheet = SingleWindow<makedeal>::existing())
        bringUp(worksheet);
    else
        bringUp(SingleWindow<Form1>::instance());
    SingleWindow<dealmenu>::unload();
}

void dealmenu::exitDeal() {
    bringUp(SingleWindow<Form1>::instance());
    SingleWindow<dealmenu>::unload();
    SingleWindow<makedeal>::unload();
}

void dealmenu::closeEvent(QCloseEvent *event) {
    // Closing from the title bar only unloads the presentation; the worksheet stays hidden with its
    // entries until it is shown again. The program is never left without a window to go on from.
    event->accept();
    if (SingleWindow<dealmenu>::existing() == this)
        SingleWindow<dealmenu>::unload();
    Form1 *main = SingleWindow<Form1>::existing();
    makedeal *worksheet = SingleWindow<makedeal>::existing();
    if (!(main && main->isVisible()) && !(worksheet && worksheet->isVisible()))
        bringUp(SingleWindow<Form1>::instance());
}
