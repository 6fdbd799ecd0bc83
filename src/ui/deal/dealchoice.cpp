#include "ui/deal/dealchoice.h"

#include "core/deal/dealpage.h"
#include "core/print/acceptanceprintout.h"
#include "core/text/storedtext.h"
#include "ui/common/geometry.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/common/signaturepad.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

DealChoice::DealChoice(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("dealchoice"));
    setWindowTitle(tr("Customer's Choice"));
    setWindowFlag(Qt::Dialog);
    ui::setClientSize(this, 7080, 6855);

    // A round box in a frame, one of the frame's group.
    auto option = [](QGroupBox *frame, QButtonGroup *group, int id, const QString &name, double top, double height) {
        auto *button = new QRadioButton(frame);
        button->setObjectName(name);
        ui::place(button, 180, top, 2355, height);
        group->addButton(button, id);
        return button;
    };
    auto *frame = new QGroupBox(tr("Package"), this);
    frame->setObjectName(QStringLiteral("packageframe"));
    ui::place(frame, 120, 120, 2655, 2640);
    m_choices = new QButtonGroup(this);
    for (int p = 0; p < menu::Packages; ++p)
        m_packageButtons[p] =
            option(frame, m_choices, p, QStringLiteral("choosepackage(%1)").arg(p), 300 + 450 * p, 330);
    m_declineButton = option(frame, m_choices, DealRecord::DeclinedAll, QStringLiteral("declineall"),
                             300 + 450 * menu::Packages, 330);
    m_declineButton->setText(tr("Decline All"));

    // Shown when the presentation offered several terms: the customer takes one of them.
    m_termFrame = new QGroupBox(tr("Term"), this);
    m_termFrame->setObjectName(QStringLiteral("termframe"));
    ui::place(m_termFrame, 120, 2880, 2655, 1140);
    m_terms = new QButtonGroup(this);
    for (int t = 0; t < Deal::Terms; ++t)
        m_termButtons[t] = option(m_termFrame, m_terms, t, QStringLiteral("chooseterm(%1)").arg(t), 285 + 255 * t, 255);

    auto *listCaption = new QLabel(tr("Accepted Products:"), this);
    listCaption->setObjectName(QStringLiteral("acceptedcaption"));
    ui::place(listCaption, 2895, 120, 4065, 255);
    m_acceptedList = new QListWidget(this);
    m_acceptedList->setObjectName(QStringLiteral("acceptedlist"));
    m_acceptedList->setSelectionMode(QAbstractItemView::NoSelection);
    ui::place(m_acceptedList, 2895, 420, 4065, 3600);

    auto *paymentCaption = new QLabel(tr("Final Payment:"), this);
    paymentCaption->setObjectName(QStringLiteral("paymentcaption"));
    paymentCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = paymentCaption->font();
    bold.setBold(true);
    paymentCaption->setFont(bold);
    ui::place(paymentCaption, 120, 4140, 2655, 375);
    m_paymentLabel = new QLabel(this);
    m_paymentLabel->setObjectName(QStringLiteral("finalpayment"));
    m_paymentLabel->setTextFormat(Qt::PlainText);
    QFont big = bold;
    big.setPointSizeF(12);
    m_paymentLabel->setFont(big);
    ui::place(m_paymentLabel, 2895, 4140, 4065, 375);

    // The customer may sign on screen; the signature is stored with the deal and printed on its line.
    auto *signatureCaption = new QLabel(tr("Customer's Signature (optional):"), this);
    signatureCaption->setObjectName(QStringLiteral("signaturecaption"));
    ui::place(signatureCaption, 120, 4620, 6840, 255);
    m_signaturePad = new SignaturePad(this);
    m_signaturePad->setObjectName(QStringLiteral("signaturepad"));
    ui::place(m_signaturePad, 120, 4905, 6840, 1215);

    m_printSaveButton = ui::button(this, QStringLiteral("Command1"), tr("Print and Save"), 120, 6240, 2055, 495);
    m_saveButton = ui::button(this, QStringLiteral("Command2"), tr("Save"), 2295, 6240, 1455, 495);
    m_cancelButton = ui::button(this, QStringLiteral("Command3"), tr("Cancel"), 3870, 6240, 1455, 495);
    m_clearSignatureButton = ui::button(this, QStringLiteral("Command4"), tr("Clear Signature"), 5445, 6240, 1515, 495);

    QWidget *order[] = {m_packageButtons[0],   m_packageButtons[1], m_packageButtons[2], m_packageButtons[3],
                        m_declineButton,       m_termButtons[0],    m_termButtons[1],    m_termButtons[2],
                        m_acceptedList,        m_printSaveButton,   m_saveButton,        m_cancelButton,
                        m_clearSignatureButton};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_choices, &QButtonGroup::idClicked, this, &DealChoice::packageChosen);
    connect(m_acceptedList, &QListWidget::itemChanged, this, &DealChoice::showPayment);
    connect(m_terms, &QButtonGroup::idClicked, this, [this] { showPayment(); });
    connect(m_printSaveButton, &QPushButton::clicked, this, [this] { save(true); });
    connect(m_saveButton, &QPushButton::clicked, this, [this] { save(false); });
    connect(m_cancelButton, &QPushButton::clicked, this, &DealChoice::cancel);
    connect(m_clearSignatureButton, &QPushButton::clicked, m_signaturePad, &SignaturePad::clear);
}

void DealChoice::choose(const Deal &deal, QWidget *over, qint64 savedAs) {
    m_deal = deal;
    m_savedAs = savedAs;
    if (over) {
        setParent(over, windowFlags() | Qt::Dialog);
        // Over every window: from the main window "Create Deal" would close the presentation, and the
        // unsaved choice with it.
        setWindowModality(Qt::ApplicationModal);
    }
    for (int p = 0; p < menu::Packages; ++p)
        m_packageButtons[p]->setText(ui::literalCaption(storedtext::trimBlanks(deal.packages[p].name)));
    // Nothing chosen: the group lets go of its checked button only while it is not exclusive.
    m_choices->setExclusive(false);
    for (QAbstractButton *b : m_choices->buttons())
        b->setChecked(false);
    m_choices->setExclusive(true);
    m_acceptedList->clear();
    m_paymentLabel->clear();
    m_signaturePad->clear();
    // The first term is taken unless the customer takes another.
    const QVector<int> offered = deal.offeredTerms();
    for (int t = 0; t < Deal::Terms; ++t) {
        m_termButtons[t]->setText(monthsText(deal.months(t)));
        m_termButtons[t]->setVisible(offered.contains(t));
    }
    m_termButtons[0]->setChecked(true);
    m_termFrame->setVisible(offered.size() > 1);
    ui::centre(this);
    Program::bringUp(this);
}

int DealChoice::chosen() const {
    QAbstractButton *checked = m_choices->checkedButton();
    return checked ? m_choices->id(checked) : NothingChosen;
}

void DealChoice::packageChosen(int package) {
    const QSignalBlocker quiet(m_acceptedList);
    m_acceptedList->clear();
    if (package >= 0) {
        const Package &chosenPackage = m_deal.packages[package];
        for (int s = 0; s < menu::Slots; ++s) {
            const SlotProduct &slot = chosenPackage.products[s];
            if (!slot.offered())
                continue;
            auto *item = new QListWidgetItem(storedtext::trimBlanks(slot.name), m_acceptedList);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
            item->setData(Qt::UserRole, s);
        }
    }
    showPayment();
}

DealRecord DealChoice::record() const {
    std::array<bool, menu::Slots> kept{};
    for (int i = 0; i < m_acceptedList->count(); ++i) {
        const QListWidgetItem *item = m_acceptedList->item(i);
        const int slot = item->data(Qt::UserRole).toInt();
        if (slot >= 0 && slot < menu::Slots)
            kept[slot] = item->checkState() == Qt::Checked;
    }
    const int package = chosen();
    return recordChoice(m_deal, package == NothingChosen ? DealRecord::DeclinedAll : package, kept,
                        m_app.settings().statement, qMax(0, m_terms->checkedId()));
}

void DealChoice::showPayment() {
    // A long line (a large figure with its term) is shown smaller rather than cut off.
    const QString line = finalPaymentLine(record());
    QFont font = m_paymentLabel->font();
    font.setPointSizeF(12);
    while (font.pointSizeF() > 7 && QFontMetrics(font).horizontalAdvance(line) > m_paymentLabel->width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    m_paymentLabel->setFont(font);
    m_paymentLabel->setText(line);
}

void DealChoice::save(bool print) {
    if (chosen() == NothingChosen) {
        prompts::notice(tr("Please choose a package or Decline All."), this);
        return;
    }
    // A stored deal is never changed: one without its customer could never be told apart or put right.
    if (storedtext::trimBlanks(m_deal.particulars.customer).isEmpty()) {
        prompts::notice(tr("Please enter the customer's name before saving the deal."), this);
        return;
    }
    // Each save is a new permanent deal, counted in the report: a second one only when meant.
    if (m_savedAs > 0 && prompts::confirm(tr("This deal was already saved as Deal %1. Save it again as a "
                                             "new deal?")
                                              .arg(m_savedAs),
                                          this) != 1)
        return;
    if (print && prompts::confirm(tr("Print Customer Choice?"), this) != 1)
        return;
    DealRecord deal = record();
    deal.signature = m_signaturePad->png();
    const int told = m_app.failuresTold();
    if (!m_app.store().deals().add(deal)) {
        // A failure of the store (the server away) was told already; the choice stays shown for another try.
        if (m_app.failuresTold() == told)
            prompts::error(tr("The customer's choice could not be saved."), this);
        return;
    }
    m_savedAs = deal.id;
    emit saved(deal.id);
    // Stored first: the page carries the deal number and the time it was saved.
    if (print)
        printAcceptance(m_app.printer(), deal);
    prompts::notice(tr("Deal %1 saved.").arg(deal.id), this);
    cancel();
}

void DealChoice::cancel() {
    m_closing = true;
    m_app.unload<DealChoice>();
}

void DealChoice::closeEvent(QCloseEvent *event) {
    event->accept();
    if (!m_closing)
        cancel();
}
