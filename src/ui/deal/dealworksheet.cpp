#include "ui/deal/dealworksheet.h"

#include "core/deal/dealpage.h"
#include "core/money/numbers.h"
#include "core/text/storedtext.h"
#include "ui/common/geometry.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/common/slotgrid.h"
#include "ui/common/windowclosing.h"
#include "ui/deal/dealpresentation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <array>
#include <cmath>
#include <limits>

namespace {
constexpr double kFrameLeft[menu::Packages] = {0, 3480, 6960, 10440};
// The amount financed is a fourth row of the finance frame: the top frames grow by it and everything
// below moves down; the payment without products takes a line above the totals, the further terms
// two lines below them.
constexpr double kFinanceRow = 330, kBaseLine = 240, kFurtherLines = 480;
constexpr double kBelowTop = kFinanceRow, kTotalsTop = 9000 + kFinanceRow + kBaseLine;
const char *const kMarked = "marked";

// Each template entry carries the record it names, so a choice never depends on the name's text.
constexpr int kTemplateId = Qt::UserRole;
constexpr int kTemplateRecord = Qt::UserRole + 1;

using storedtext::trimBlanks;

// A control's object name and caption; where it goes follows from its row.
struct Named {
    const char *name;
    const char *caption;
};

QGroupBox *frame(QWidget *parent, const QString &name, const QString &caption, double l, double t, double w, double h) {
    auto *f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    ui::place(f, l, t, w, h);
    return f;
}

QLabel *caption(QWidget *parent, const QString &name, const QString &text, double l, double t, double w, double h,
                Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(align);
    ui::place(label, l, t, w, h);
    return label;
}

QLineEdit *box(QWidget *parent, const QString &name, const QString &text, double l, double t, double w, double h) {
    auto *b = new QLineEdit(text, parent);
    b->setObjectName(name);
    ui::place(b, l, t, w, h);
    return b;
}
} // namespace

DealWorksheet::DealWorksheet(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("makedeal"));
    setWindowTitle(tr("Make Deal"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    ui::setClientSize(this, 13950, 10335 + kFinanceRow + kBaseLine + kFurtherLines);
    // The layout's twips were drawn for an 8-point face; a larger one clips the captions and amounts.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);

    makeParticulars();
    makeFinance();
    makeOptions();
    m_slots = new SlotGrid(m_app.store().products(), this);
    for (int p = 0; p < menu::Packages; ++p)
        makePackage(p);
    makeBasePayments();
    m_createButton = ui::button(this, QStringLiteral("Command1"), tr("Create Deal"), 120,
                                9840 + kBelowTop + kBaseLine + kFurtherLines, 1575, 495);
    m_exitButton = ui::button(this, QStringLiteral("Command3"), tr("EXIT"), 1800,
                              9840 + kBelowTop + kBaseLine + kFurtherLines, 1575, 495);
    orderTabs();
    connectInputs();

    // The dealership's usual rate and term are where a deal starts.
    m_rateBox->setText(numbers::plainSingle(m_app.settings().interestRate));
    m_termBox->setText(numbers::plain(m_app.settings().financeTerm));
    // A further term of 0 is not offered: its box starts empty.
    const qint32 further[] = {m_app.settings().financeTerm2, m_app.settings().financeTerm3};
    m_term2Box->setText(further[0] ? numbers::plain(further[0]) : QString());
    m_term3Box->setText(further[1] ? numbers::plain(further[1]) : QString());

    populatemenu();
    populatepulldownvehicle();
    layOutFinance();
    m_opened = entries();
    ui::centre(this);
}

void DealWorksheet::makeParticulars() {
    QGroupBox *personalFrame =
        frame(this, QStringLiteral("Frame1"), tr("Personal Information"), 0, 0, 4455, 1455 + kFinanceRow);
    static const Named rows[] = {{"customername", QT_TR_NOOP("Customer Name:")},
                                 {"customervehicle", QT_TR_NOOP("Vehicle:")},
                                 {"stocknumber", QT_TR_NOOP("Stock #:")},
                                 {"salesperson", QT_TR_NOOP("Salesperson:")}};
    QLineEdit **boxes[] = {&m_customerBox, &m_vehicleBox, &m_stockNumberBox, &m_salespersonBox};
    for (int row = 0; row < 4; ++row) {
        const double top = 240 + 285 * row;
        caption(personalFrame, QStringLiteral("Label1(%1)").arg(row), tr(rows[row].caption), 60, top, 1380, 270);
        *boxes[row] = box(personalFrame, QLatin1String(rows[row].name), QString(), 1500, top, 2835, 270);
    }
}

void DealWorksheet::makeFinance() {
    QGroupBox *financeFrame =
        frame(this, QStringLiteral("Frame2"), tr("Finance Information"), 4440, 0, 4575, 1455 + kFinanceRow);
    const auto label = [financeFrame](int k, const QString &text, double top, double height) {
        return caption(financeFrame, QStringLiteral("Label2(%1)").arg(k), text, 60, top, 1860, height);
    };
    m_rateCaption = label(0, tr("Interest Rate:"), 240, 270);
    m_rateBox = box(financeFrame, QStringLiteral("interestrate"), QStringLiteral("0"), 1980, 240, 1095, 270);
    m_termCaption = label(1, tr("Finance/Lease Term:"), 570, 270);
    m_termBox = box(financeFrame, QStringLiteral("financeterm"), QStringLiteral("60"), 1980, 570, 1095, 270);
    m_templateCaption = label(2, tr("Vehicle Default:"), 900, 315);
    m_templateChoice = new QComboBox(financeFrame);
    m_templateChoice->setObjectName(QStringLiteral("vehicledefault"));
    m_templateChoice->setEditable(false);
    m_templateChoice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_templateChoice->setMaxVisibleItems(20);
    ui::place(m_templateChoice, 1980, 900, 2475, 315);
    // The further terms beside the term, the amount financed below the template.
    m_term2Box = box(financeFrame, QStringLiteral("financeterm2"), QString(), 3135, 570, 600, 270);
    m_term3Box = box(financeFrame, QStringLiteral("financeterm3"), QString(), 3795, 570, 600, 270);
    m_amountCaption = label(3, tr("Amount Financed:"), 1275, 270);
    m_amountBox = box(financeFrame, QStringLiteral("amountfinanced"), QString(), 1980, 1275, 1095, 270);
    // A lease's inputs, shown only while the deal is a lease: each term's residual under it, the money
    // factor beside the rate it defaults from.
    m_residualCaption = label(4, tr("Residual:"), 0, 270);
    const char *residualNames[] = {"residualvalue", "residualvalue2", "residualvalue3"};
    for (int t = 0; t < Deal::Terms; ++t)
        m_residualBoxes[t] = box(financeFrame, QLatin1String(residualNames[t]), QString(), 0, 0, 0, 0);
    m_moneyFactorCaption = caption(financeFrame, QStringLiteral("Label2(5)"), tr("Money Factor:"), 0, 0, 0, 0);
    m_moneyFactorBox = box(financeFrame, QStringLiteral("moneyfactor"), QString(), 0, 0, 0, 0);
}

void DealWorksheet::layOutFinance() {
    const bool lease = m_leaseDealBox->isChecked();
    // A lease needs a fifth row in the same frame: the rows draw closer together.
    const double pitch = lease ? 300 : 330, top = lease ? 210 : 240;
    const double rateTop = top, termTop = top + pitch, residualTop = termTop + pitch;
    const double templateTop = lease ? residualTop + pitch : 900, amountTop = lease ? templateTop + 345 : 1275;
    ui::place(m_rateCaption, 60, rateTop, 1860, 270);
    ui::place(m_rateBox, 1980, rateTop, lease ? 450 : 1095, 270);
    ui::place(m_termCaption, 60, termTop, 1860, 270);
    ui::place(m_termBox, 1980, termTop, 1095, 270);
    ui::place(m_term2Box, 3135, termTop, 600, 270);
    ui::place(m_term3Box, 3795, termTop, 600, 270);
    ui::place(m_templateCaption, 60, templateTop, 1860, 315);
    ui::place(m_templateChoice, 1980, templateTop, 2475, 315);
    ui::place(m_amountCaption, 60, amountTop, 1860, 270);
    ui::place(m_amountBox, 1980, amountTop, 1095, 270);
    m_amountCaption->setText(lease ? tr("Cap Cost:") : tr("Amount Financed:"));
    ui::place(m_residualCaption, 60, residualTop, 1860, 270);
    ui::place(m_residualBoxes[0], 1980, residualTop, 1095, 270);
    ui::place(m_residualBoxes[1], 3135, residualTop, 600, 270);
    ui::place(m_residualBoxes[2], 3795, residualTop, 600, 270);
    ui::place(m_moneyFactorCaption, 2460, rateTop, 1200, 270);
    ui::place(m_moneyFactorBox, 3690, rateTop, 765, 270);
    for (QWidget *w : {static_cast<QWidget *>(m_residualCaption), static_cast<QWidget *>(m_moneyFactorCaption),
                       static_cast<QWidget *>(m_moneyFactorBox), static_cast<QWidget *>(m_residualBoxes[0]),
                       static_cast<QWidget *>(m_residualBoxes[1]), static_cast<QWidget *>(m_residualBoxes[2])})
        w->setVisible(lease);
}

void DealWorksheet::makeOptions() {
    QGroupBox *optionsFrame =
        frame(this, QStringLiteral("Frame3"), tr("Preferences"), 9000, 0, 4935, 1455 + kFinanceRow);
    static const Named options[] = {{"includetax1", QT_TR_NOOP("Include Tax in Payments")},
                                    {"cashdeal1", QT_TR_NOOP("Check if Cash Deal")},
                                    {"disclosetotals1", QT_TR_NOOP("Disclose Total Payment/Price")},
                                    {"discloseprices1", QT_TR_NOOP("Disclose Individual Prices")}};
    QCheckBox **boxes[] = {&m_includeTaxBox, &m_cashDealBox, &m_discloseTotalsBox, &m_disclosePricesBox};
    for (int row = 0; row < 4; ++row) {
        *boxes[row] = new QCheckBox(tr(options[row].caption), optionsFrame);
        (*boxes[row])->setObjectName(QLatin1String(options[row].name));
        ui::place(*boxes[row], 240, 240 + 285 * row, 3135, 270);
    }
    m_leaseDealBox = new QCheckBox(tr("Lease Deal"), optionsFrame);
    m_leaseDealBox->setObjectName(QStringLiteral("leasedeal1"));
    ui::place(m_leaseDealBox, 3375, 240 + 285, 1500, 270);
}

void DealWorksheet::makePackage(int p) {
    m_packageFrames[p] = frame(this, QStringLiteral("menuframe(%1)").arg(p), tr("Package %1").arg(p + 1), kFrameLeft[p],
                               1440 + kBelowTop, 3500, 7455);
    for (int s = 0; s < menu::Slots; ++s) {
        // Drawn first, so it lies behind the slot's boxes.
        auto *outline = new QFrame(m_packageFrames[p]);
        outline->setObjectName(QStringLiteral("slotoutline%1(%2)").arg(p).arg(s));
        outline->setFrameShape(QFrame::Box);
        outline->setFrameShadow(QFrame::Sunken);
        ui::place(outline, 60, 210 + 720 * s, 3440, 735);
        const SlotBoxes &b = m_slots->createSlot(p, s, m_packageFrames[p], SlotGrid::Figures::Shown);
        ui::place(b.product, 120, 240 + 720 * s, 3375, 315);
        caption(m_packageFrames[p], QStringLiteral("costcaption%1(%2)").arg(p).arg(s), tr("Cost:"), 120, 600 + 720 * s,
                450, 315);
        ui::place(b.cost, 600, 600 + 720 * s, 1095, 315);
        caption(m_packageFrames[p], QStringLiteral("msrpcaption%1(%2)").arg(p).arg(s), tr("MSRP:"), 1740, 600 + 720 * s,
                615, 315);
        ui::place(b.msrp, 2400, 600 + 720 * s, 1095, 315);
    }
    // The three totals under the package: caption, then figure.
    static const Named totals[] = {{"Label5(%1)", QT_TR_NOOP("Total MSRP: $")},
                                   {"Label6(%1)", QT_TR_NOOP("Total Profit: $")},
                                   {"Label7(%1)", QT_TR_NOOP("Total Payment: $")}};
    const char *figureNames[] = {"totalmsrp(%1)", "totalprofit(%1)", "totalpayment(%1)"};
    QLabel **figures[] = {m_totalMsrp, m_totalProfit, m_totalPayment};
    for (int line = 0; line < 3; ++line) {
        const double top = kTotalsTop + 240 * line;
        caption(this, QString::fromLatin1(totals[line].name).arg(p), tr(totals[line].caption), kFrameLeft[p] + 120, top,
                1620, 240);
        figures[line][p] = caption(this, QString::fromLatin1(figureNames[line]).arg(p), QStringLiteral("0"),
                                   kFrameLeft[p] + 1740, top, 1680, 240, Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (int t = 1; t < Deal::Terms; ++t) {
        const double top = kTotalsTop + 240 * (2 + t);
        m_furtherCaptions[t - 1][p] = caption(this, QStringLiteral("totalpaymentcaption%1(%2)").arg(t + 1).arg(p),
                                              QString(), kFrameLeft[p] + 120, top, 1620, 240);
        m_furtherPayments[t - 1][p] =
            caption(this, QStringLiteral("totalpayment%1(%2)").arg(t + 1).arg(p), QStringLiteral("0"),
                    kFrameLeft[p] + 1740, top, 1680, 240, Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void DealWorksheet::makeBasePayments() {
    // The payment without products, one figure per term offered, side by side on one line and kept to
    // the left, so no figure reads as one package's.
    for (int t = 0; t < Deal::Terms; ++t) {
        const QString suffix = t ? QString::number(t + 1) : QString();
        const double left = t ? 1740 + 2040 * t - 1080 : 120, width = t ? 1080 : 1620;
        m_baseCaptions[t] = caption(this, QStringLiteral("basepaymentcaption") + suffix, tr("Without products: $"),
                                    left, kTotalsTop - kBaseLine, width, 240);
        m_basePayments[t] = caption(this, QStringLiteral("basepayment") + suffix, QStringLiteral("0"), left + width,
                                    kTotalsTop - kBaseLine, 960, 240, Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (QLabel *line : furtherLines())
        line->hide();
}

void DealWorksheet::orderTabs() {
    QList<QWidget *> order{m_customerBox, m_vehicleBox,        m_stockNumberBox,   m_salespersonBox,
                           m_rateBox,     m_termBox,           m_templateChoice,   m_includeTaxBox,
                           m_cashDealBox, m_discloseTotalsBox, m_disclosePricesBox};
    for (int p = 0; p < menu::Packages; ++p)
        for (int s = 0; s < menu::Slots; ++s)
            order << m_slots->boxes(p, s).product;
    order << m_createButton << m_exitButton << m_term2Box << m_term3Box << m_amountBox << m_leaseDealBox
          << m_moneyFactorBox << m_residualBoxes[0] << m_residualBoxes[1] << m_residualBoxes[2];
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void DealWorksheet::connectInputs() {
    connect(m_slots, &SlotGrid::slotChanged, this, [this] {
        if (!m_loading)
            calculatetotals();
    });
    for (QCheckBox *option : {m_includeTaxBox, m_discloseTotalsBox, m_disclosePricesBox})
        connect(option, &QCheckBox::clicked, this, [this] { calculatetotals(); });
    for (QCheckBox *kind : {m_cashDealBox, m_leaseDealBox})
        connect(kind, &QCheckBox::clicked, this, [this, kind] { chooseKind(kind); });
    for (QLineEdit *input : paymentInputs())
        input->installEventFilter(this);
    connect(m_templateChoice, &QComboBox::activated, this, &DealWorksheet::loadTemplate);
    connect(m_createButton, &QPushButton::clicked, this, &DealWorksheet::createDeal);
    m_closing = new WindowClosing(this, WindowClosing::Leaving::Unloads, [this] { return exitWindow(); });
    connect(m_exitButton, &QPushButton::clicked, m_closing, &WindowClosing::exit);
    // What the deal is built from follows the store; what the user typed or chose stays.
    StoreEvents &events = m_app.store().events();
    connect(&events, &StoreEvents::productsChanged, this, [this] {
        std::array<SlotProduct, menu::AllSlots> was;
        for (int i = 0; i < menu::AllSlots; ++i)
            if (m_slots->boxes(i / menu::Slots, i % menu::Slots).product->currentIndex() > 0)
                was[i] = m_slots->slotProduct(i / menu::Slots, i % menu::Slots);
        m_loading = true;
        m_slots->refresh();
        m_loading = false;
        calculatetotals();
        // What another desk changed moves the deal's figures under the salesperson: said, not hidden.
        for (int i = 0; i < menu::AllSlots && m_app.store().events().property("anotherDesk").toBool(); ++i) {
            const int p = i / menu::Slots;
            const SlotProduct now = m_slots->slotProduct(p, i % menu::Slots);
            if (was[i].name.isNull() || (now.name == was[i].name && now.cost == was[i].cost && now.msrp == was[i].msrp))
                continue;
            m_changedPicks << (m_slots->boxes(p, i % menu::Slots).product->currentIndex() > 0
                                   ? tr("%1 in package %2 now shows %3 at cost %4, MSRP %5.")
                                         .arg(was[i].name)
                                         .arg(p + 1)
                                         .arg(now.name, numbers::formatMoney(now.cost), numbers::formatMoney(now.msrp))
                                   : tr("%1 in package %2 is no longer in the catalogue; its slot shows NONE.")
                                         .arg(was[i].name)
                                         .arg(p + 1));
        }
        if (isVisible())
            QMetaObject::invokeMethod(this, &DealWorksheet::tellChangedPicks, Qt::QueuedConnection);
    });
    connect(&events, &StoreEvents::templatesChanged, this, &DealWorksheet::populatepulldownvehicle);
}

void DealWorksheet::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!m_changedPicks.isEmpty())
        QMetaObject::invokeMethod(this, &DealWorksheet::tellChangedPicks, Qt::QueuedConnection);
}

void DealWorksheet::tellChangedPicks() {
    if (m_changedPicks.isEmpty() || !isVisible())
        return;
    const QString changes = m_changedPicks.join(QLatin1Char('\n'));
    m_changedPicks.clear();
    prompts::notice(tr("The catalogue changed while this deal was open:") + QLatin1Char('\n') + changes, this);
}

DealWorksheet::~DealWorksheet() {
    // The boxes outlive this part of the object for a moment; their focus changes must not reach it.
    for (QLineEdit *box : paymentInputs())
        box->removeEventFilter(this);
}

QList<QLineEdit *> DealWorksheet::paymentInputs() const {
    return {m_rateBox,          m_termBox,          m_term2Box,         m_term3Box,      m_amountBox,
            m_residualBoxes[0], m_residualBoxes[1], m_residualBoxes[2], m_moneyFactorBox};
}

void DealWorksheet::chooseKind(QCheckBox *ticked) {
    if (ticked->isChecked())
        (ticked == m_cashDealBox ? m_leaseDealBox : m_cashDealBox)->setChecked(false);
    layOutFinance();
    calculatetotals();
}

QList<QLabel *> DealWorksheet::furtherLines() const {
    QList<QLabel *> lines;
    for (int t = 0; t < Deal::Terms; ++t) {
        lines << m_baseCaptions[t] << m_basePayments[t];
        for (int p = 0; t > 0 && p < menu::Packages; ++p)
            lines << m_furtherCaptions[t - 1][p] << m_furtherPayments[t - 1][p];
    }
    return lines;
}

void DealWorksheet::setPackageName(int package, const QString &name) {
    m_packageNames[package] = name;
    m_packageFrames[package]->setTitle(ui::literalCaption(name));
}

void DealWorksheet::populatemenu() {
    const Settings &settings = m_app.settings();
    for (int p = 0; p < menu::Packages; ++p)
        setPackageName(p, trimBlanks(settings.packageNames[p]));
    m_salespersonBox->setText(trimBlanks(settings.salespersonName));
    m_disclosePricesBox->setChecked(settings.disclosePrices);
    m_cashDealBox->setChecked(false);
    m_discloseTotalsBox->setChecked(settings.discloseTotals);
    m_includeTaxBox->setChecked(settings.includeTax);
    m_leaseDealBox->setChecked(settings.leaseDeal);
    // The catalogue, in its order, into the one model all forty slots show.
    if (m_slots->populate() == 0)
        prompts::notice(tr("No Aftermarket Records"), this);
}

void DealWorksheet::populatepulldownvehicle() {
    // Read again, the choice stays on the template it showed while that is still offered.
    const int was = m_templateChoice->currentIndex();
    const QVariant record = m_templateChoice->itemData(was, kTemplateRecord);
    const QVariant id = m_templateChoice->itemData(was, kTemplateId);
    m_templateChoice->clear();
    m_templateChoice->addItem(QString());
    for (const ListedTemplate &t : m_app.store().templates().choices()) {
        m_templateChoice->addItem(t.vehiclename);
        const int entry = m_templateChoice->count() - 1;
        m_templateChoice->setItemData(entry, t.id, kTemplateId);
        m_templateChoice->setItemData(entry, t.record, kTemplateRecord);
        if (was > 0 && record.toLongLong() == t.record && id.toDouble() == t.id)
            m_templateChoice->setCurrentIndex(entry);
    }
    if (m_templateChoice->currentIndex() < 0)
        m_templateChoice->setCurrentIndex(0);
}

void DealWorksheet::loadTemplate(int entry) {
    if (entry < 0 || trimBlanks(m_templateChoice->itemText(entry)).isEmpty())
        return;
    const std::optional<PackageTemplate> chosen =
        m_app.store().templates().chosen(m_templateChoice->itemData(entry, kTemplateRecord).toLongLong(),
                                         m_templateChoice->itemData(entry, kTemplateId).toDouble());
    if (!chosen) {
        prompts::notice(tr("This package template no longer exists."), this);
        return;
    }
    // Package names first (an empty one keeps the caption shown), then the forty slots.
    for (int p = 0; p < menu::Packages; ++p)
        if (!chosen->packageNames[p].isEmpty())
            setPackageName(p, chosen->packageNames[p]);
    // One recalculation for the whole template rather than one per slot; the result is the same.
    m_loading = true;
    m_slots->loadTemplate(*chosen);
    m_loading = false;
    calculatetotals();
}

Deal DealWorksheet::deal() const {
    Deal d;
    d.particulars.customer = trimBlanks(m_customerBox->text());
    d.particulars.vehicle = trimBlanks(m_vehicleBox->text());
    d.particulars.stockNumber = trimBlanks(m_stockNumberBox->text());
    d.particulars.salesperson = trimBlanks(m_salespersonBox->text());
    d.dealership = trimBlanks(m_app.settings().dealershipName);
    d.disclaimer = trimBlanks(m_app.settings().disclaimer);
    d.rate = numbers::val(m_rateBox->text());
    d.term = numbers::val(trimBlanks(m_termBox->text()));
    d.term2 = numbers::val(trimBlanks(m_term2Box->text()));
    d.term3 = numbers::val(trimBlanks(m_term3Box->text()));
    // Typed as money ("25,000", "$25,000.00"); anything else, a negative amount included, is marked and
    // counts for nothing rather than being read as some other figure.
    if (!amountFinancedReads())
        d.amountFinanced = 0;
    else
        numbers::readAmount(m_amountBox->text(), &d.amountFinanced);
    d.includeTax = m_includeTaxBox->isChecked();
    d.cashDeal = m_cashDealBox->isChecked();
    d.leaseDeal = m_leaseDealBox->isChecked();
    if (d.leaseDeal) {
        // A residual that is not an amount counts as none; its box is marked.
        double *residuals[] = {&d.residual, &d.residual2, &d.residual3};
        for (int t = 0; t < Deal::Terms; ++t)
            if (amountReads(m_residualBoxes[t]))
                numbers::readAmount(m_residualBoxes[t]->text(), residuals[t]);
        d.moneyFactor = typedMoneyFactor();
    }
    d.discloseTotals = m_discloseTotalsBox->isChecked();
    d.disclosePrices = m_disclosePricesBox->isChecked();
    d.taxRate = m_app.settings().taxRate;
    for (int p = 0; p < menu::Packages; ++p) {
        d.packages[p] = m_slots->package(p);
        d.packages[p].name = trimBlanks(m_packageNames[p]);
    }
    return d;
}

void DealWorksheet::calculatetotals() {
    const Deal d = deal();
    for (int p = 0; p < menu::Packages; ++p) {
        const PackageFigures f = d.figures(p);
        m_totalMsrp[p]->setText(numbers::formatMoney(f.totalMsrp));
        m_totalProfit[p]->setText(numbers::formatMoney(f.totalProfit));
        m_totalPayment[p]->setText(f.payment);
        m_totalPayment[p]->setToolTip(f.problem == PaymentProblem::Amount
                                          ? tr("This package's payment is too large to be computed.")
                                          : QString());
    }
    const QString tooLarge = tr("This payment is too large to be computed.");
    for (int t = 1; t < Deal::Terms; ++t) {
        const bool offered = d.termOffered(t);
        for (int p = 0; p < menu::Packages; ++p) {
            const TermPayment payment = d.payment(p, t);
            m_furtherCaptions[t - 1][p]->setText(tr("%1: $").arg(monthsText(d.termMonths(t))));
            m_furtherPayments[t - 1][p]->setText(payment.payment);
            m_furtherPayments[t - 1][p]->setToolTip(payment.problem == PaymentProblem::Amount ? tooLarge : QString());
            m_furtherCaptions[t - 1][p]->setVisible(offered);
            m_furtherPayments[t - 1][p]->setVisible(offered);
        }
    }
    for (int t = 0; t < Deal::Terms; ++t) {
        const bool shown = d.amountFinanced != 0 && d.termOffered(t);
        const TermPayment payment = d.basePayment(t);
        if (t > 0)
            m_baseCaptions[t]->setText(tr("%1: $").arg(monthsText(d.termMonths(t))));
        m_basePayments[t]->setText(payment.payment);
        m_basePayments[t]->setToolTip(payment.problem == PaymentProblem::Amount ? tooLarge : QString());
        m_baseCaptions[t]->setVisible(shown);
        m_basePayments[t]->setVisible(shown);
    }

    const PaymentProblem problem = d.termOrRateProblem();
    const QString noTerm = tr("Enter a term of more than 0 months; the payments show 0.00 until then.");
    markBox(m_termBox, problem == PaymentProblem::Term ? noTerm : QString());
    QLineEdit *furtherBoxes[] = {m_term2Box, m_term3Box};
    bool rateProblem = problem == PaymentProblem::Rate;
    PaymentProblem termProblems[Deal::Terms] = {problem, PaymentProblem::None, PaymentProblem::None};
    for (int t = 1; t < Deal::Terms; ++t) {
        const PaymentProblem further = d.termOffered(t) ? d.termOrRateProblem(t) : PaymentProblem::None;
        termProblems[t] = further;
        markBox(furtherBoxes[t - 1], further == PaymentProblem::Term ? noTerm : QString());
        rateProblem = rateProblem || further == PaymentProblem::Rate;
    }
    markBox(m_amountBox, amountFinancedReads() ? QString()
                         : d.leaseDeal
                             ? tr("Enter the cap cost in dollars and cents, as 25,000.00; no payment includes it until "
                                  "then.")
                             : tr("Enter the amount financed in dollars and cents, as 25,000.00; no "
                                  "payment includes it until then."));
    // A lease's rent comes from the money factor when one is typed, else from the rate.
    const bool factorTyped = d.leaseDeal && !trimBlanks(m_moneyFactorBox->text()).isEmpty();
    markBox(m_rateBox, rateProblem && !factorTyped ? tr("No payment can be computed at this interest rate; the "
                                                        "payments show 0.00 until it is changed.")
                                                   : QString());
    markBox(m_moneyFactorBox, rateProblem && factorTyped
                                  ? tr("Enter the money factor as a decimal, as 0.00125, or leave it empty to use the "
                                       "interest rate \u00F7 2400; the payments show 0.00 until then.")
                                  : QString());
    m_moneyFactorBox->setPlaceholderText(QString::number(d.rate / 2400.0, 'f', 5));
    for (int t = 0; t < Deal::Terms; ++t) {
        QString why;
        if (d.leaseDeal && !amountReads(m_residualBoxes[t]))
            why = tr("Enter the residual in dollars and cents, as 13,110.00.");
        else if (d.leaseDeal && termProblems[t] == PaymentProblem::Residual)
            why = tr("The residual cannot be more than the cap cost and the package together; the payments show "
                     "0.00 until it is changed.");
        markBox(m_residualBoxes[t], why);
    }
}

std::optional<double> DealWorksheet::typedMoneyFactor() const {
    const QString typed = trimBlanks(m_moneyFactorBox->text());
    if (typed.isEmpty())
        return std::nullopt;
    // A plain decimal ("0.00125", ".00125"); anything else would be read as some other factor.
    static const QRegularExpression plainDecimal(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    return plainDecimal.match(typed).hasMatch() ? numbers::val(typed) : std::numeric_limits<double>::quiet_NaN();
}

void DealWorksheet::createDeal() {
    // The marks as the boxes stand now, also when the button was reached without leaving a box; a marked
    // box would show the customer a payment of 0.00.
    calculatetotals();
    for (QLineEdit *box : {m_termBox, m_term2Box, m_term3Box, m_rateBox, m_amountBox, m_moneyFactorBox,
                           m_residualBoxes[0], m_residualBoxes[1], m_residualBoxes[2]}) {
        if (box->property(kMarked).toBool()) {
            prompts::notice(tr("Correct the marked boxes before presenting the deal."), this);
            box->setFocus();
            return;
        }
    }
    Deal d = deal();
    // The names, descriptions and pages the catalogue holds now; the prices the worksheet shows.
    takeCatalogueTexts(d, m_app.store().products());
    // Every deal starts from a freshly opened presentation, so nothing of an earlier one is left.
    m_app.unload<DealPresentation>();
    DealPresentation *presentation = m_app.window<DealPresentation>();
    connect(presentation, &DealPresentation::changeItems, this, [this] { Program::bringUp(this); });
    connect(presentation, &DealPresentation::dealClosed, this, [this] {
        m_closing->left();
        m_app.unload<DealWorksheet>();
    });
    Program::bringUp(presentation);
    presentation->present(d);
    hide();
}

bool DealWorksheet::amountReads(const QLineEdit *box) {
    double amount = 0;
    return numbers::readAmount(box->text(), &amount) && amount >= 0;
}

void DealWorksheet::markBox(QLineEdit *box, const QString &why) {
    const bool mark = !why.isEmpty();
    if (box->property(kMarked).toBool() == mark)
        return;
    box->setProperty(kMarked, mark);
    box->setToolTip(why);
    box->setStyleSheet(mark ? QStringLiteral("QLineEdit { background: #ffd6d6; border: 2px solid #d00000; }")
                            : QString());
}

bool DealWorksheet::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusOut && paymentInputs().contains(qobject_cast<QLineEdit *>(watched))) {
        // A money factor reads as five decimals (0.00125) when that shows all of it.
        if (const std::optional<double> factor = typedMoneyFactor();
            watched == m_moneyFactorBox && factor && std::isfinite(*factor) &&
            QString::number(*factor, 'f', 5).toDouble() == *factor)
            m_moneyFactorBox->setText(QString::number(*factor, 'f', 5));
        calculatetotals();
    }
    return QWidget::eventFilter(watched, event);
}

QStringList DealWorksheet::entries() const {
    QStringList all;
    for (const QLineEdit *box :
         {m_customerBox, m_vehicleBox, m_stockNumberBox, m_salespersonBox, m_rateBox, m_termBox, m_term2Box, m_term3Box,
          m_amountBox, m_residualBoxes[0], m_residualBoxes[1], m_residualBoxes[2], m_moneyFactorBox})
        all << box->text();
    all << QString::number(m_templateChoice->currentIndex());
    for (int p = 0; p < menu::Packages; ++p)
        for (int s = 0; s < menu::Slots; ++s)
            all << QString::number(m_slots->boxes(p, s).product->currentIndex());
    for (const QCheckBox *option :
         {m_includeTaxBox, m_cashDealBox, m_discloseTotalsBox, m_disclosePricesBox, m_leaseDealBox})
        all << QString::number(option->isChecked());
    for (const QString &name : m_packageNames)
        all << name;
    return all;
}

bool DealWorksheet::exitWindow() {
    if (entries() != m_opened && prompts::confirm(tr("Leave this deal? What was typed will be lost."), this) != 1)
        return false;
    m_app.unload<DealWorksheet>();
    m_app.showHome();
    return true;
}
