#include "makedeal.h"

#include "core/deal/dealtotals.h"
#include "core/money/numbers.h"
#include "core/store/recordset.h"
#include "core/store/schema.h"
#include "ui/app/form1.h"
#include "ui/app/module1.h"
#include "ui/app/prompts.h"
#include "ui/app/windows.h"
#include "ui/deal/presentationbuilder.h"
#include "ui/packages/slotgrid.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace {
constexpr double kFrameLeft[4] = {0, 3480, 6960, 10440};
const char *const kMarked = "marked";
const QString kFigureStyle = QStringLiteral("QComboBox { padding-left: 3px; border: 1px solid palette(mid); "
                                            "background: palette(base); }"
                                            "QComboBox::drop-down { width: 0px; border: 0px; }");

// Each template entry carries the record it names, so a choice never depends on the name's text.
constexpr int kTemplateId = Qt::UserRole;
constexpr int kTemplateRowid = Qt::UserRole + 1;
} // namespace

makedeal::makedeal() {
    setObjectName(QStringLiteral("makedeal"));
    setWindowTitle(QStringLiteral("Make Deal"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    ui::setClientSize(this, 13950, 10335);
    // The layout's twips were drawn for an 8-point face; a larger one clips the captions and amounts.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);

    auto frame = [this](const QString &name, const QString &caption, double l, double t, double w, double h) {
        auto *f = new QGroupBox(caption, this);
        f->setObjectName(name);
        ui::place(f, l, t, w, h);
        return f;
    };
    auto caption = [](QWidget *parent, const QString &name, const QString &text, double l, double t, double w, double h,
                      Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
        auto *label = new QLabel(text, parent);
        label->setObjectName(name);
        label->setAlignment(align);
        ui::place(label, l, t, w, h);
        return label;
    };
    auto box = [](QWidget *parent, const QString &name, const QString &text, double l, double t, double w, double h) {
        auto *b = new QLineEdit(text, parent);
        b->setObjectName(name);
        ui::place(b, l, t, w, h);
        return b;
    };

    QGroupBox *Frame1 = frame(QStringLiteral("Frame1"), QStringLiteral("Personal Information"), 0, 0, 4455, 1455);
    const QString personal[] = {QStringLiteral("Customer Name:"), QStringLiteral("Vehicle:"),
                                QStringLiteral("Stock #:"), QStringLiteral("Salesperson:")};
    QLineEdit **personalBoxes[] = {&customername, &customervehicle, &stocknumber, &salesperson};
    const QString personalNames[] = {QStringLiteral("customername"), QStringLiteral("customervehicle"),
                                     QStringLiteral("stocknumber"), QStringLiteral("salesperson")};
    for (int row = 0; row < 4; ++row) {
        const double top = 240 + 285 * row;
        caption(Frame1, QStringLiteral("Label1(%1)").arg(row), personal[row], 60, top, 1380, 270);
        *personalBoxes[row] = box(Frame1, personalNames[row], QString(), 1500, top, 2835, 270);
    }

    QGroupBox *Frame2 = frame(QStringLiteral("Frame2"), QStringLiteral("Finance Information"), 4440, 0, 4575, 1455);
    caption(Frame2, QStringLiteral("Label2(0)"), QStringLiteral("Interest Rate:"), 60, 240, 1860, 270);
    interestrate = box(Frame2, QStringLiteral("interestrate"), QStringLiteral("0"), 1980, 240, 1095, 270);
    caption(Frame2, QStringLiteral("Label2(1)"), QStringLiteral("Finance/Lease Term:"), 60, 570, 1860, 270);
    financeterm = box(Frame2, QStringLiteral("financeterm"), QStringLiteral("60"), 1980, 570, 1095, 270);
    caption(Frame2, QStringLiteral("Label2(2)"), QStringLiteral("Vehicle Default:"), 60, 900, 1860, 315);
    vehicledefault = new QComboBox(Frame2);
    vehicledefault->setObjectName(QStringLiteral("vehicledefault"));
    vehicledefault->setEditable(false);
    vehicledefault->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    vehicledefault->setMaxVisibleItems(20);
    ui::place(vehicledefault, 1980, 900, 2475, 315);

    QGroupBox *Frame3 = frame(QStringLiteral("Frame3"), QStringLiteral("Preferences"), 9000, 0, 4935, 1455);
    auto check = [Frame3](const QString &name, const QString &text, double top) {
        auto *c = new QCheckBox(text, Frame3);
        c->setObjectName(name);
        ui::place(c, 240, top, 3135, 270);
        return c;
    };
    includetax1 = check(QStringLiteral("includetax1"), QStringLiteral("Include Tax in Payments"), 240);
    cashdeal1 = check(QStringLiteral("cashdeal1"), QStringLiteral("Check if Cash Deal"), 525);
    disclosetotals1 = check(QStringLiteral("disclosetotals1"), QStringLiteral("Disclose Total Payment/Price"), 810);
    discloseprices1 = check(QStringLiteral("discloseprices1"), QStringLiteral("Disclose Individual Prices"), 1095);

    m_slots = new SlotGrid(this);
    for (int p = 0; p < 4; ++p) {
        menuframe[p] = frame(QStringLiteral("menuframe(%1)").arg(p), QStringLiteral("Package %1").arg(p + 1),
                             kFrameLeft[p], 1440, 3500, 7455);
        for (int s = 0; s < 10; ++s) {
            // Drawn first, so it lies behind the slot's boxes.
            auto *outline = new QFrame(menuframe[p]);
            outline->setObjectName(QStringLiteral("slotoutline%1(%2)").arg(p).arg(s));
            outline->setFrameShape(QFrame::Box);
            outline->setFrameShadow(QFrame::Sunken);
            ui::place(outline, 60, 210 + 720 * s, 3440, 735);
            const SlotBoxes &b = m_slots->createSlot(p, s, menuframe[p], SlotGrid::Figures::Shown);
            ui::place(b.product, 120, 240 + 720 * s, 3375, 315);
            caption(menuframe[p], QStringLiteral("costcaption%1(%2)").arg(p).arg(s), QStringLiteral("Cost:"), 120,
                    600 + 720 * s, 450, 315);
            ui::place(b.cost, 600, 600 + 720 * s, 1095, 315);
            caption(menuframe[p], QStringLiteral("msrpcaption%1(%2)").arg(p).arg(s), QStringLiteral("MSRP:"), 1740,
                    600 + 720 * s, 615, 315);
            ui::place(b.msrp, 2400, 600 + 720 * s, 1095, 315);
            // Cost and MSRP follow the product and never open: no arrow that promises a list.
            for (QComboBox *figure : {static_cast<QComboBox *>(b.cost), static_cast<QComboBox *>(b.msrp)})
                figure->setStyleSheet(kFigureStyle);
        }
        const QString captions[] = {QStringLiteral("Total MSRP: $"), QStringLiteral("Total Profit: $"),
                                    QStringLiteral("Total Payment: $")};
        const QString labelNames[] = {QStringLiteral("Label5(%1)"), QStringLiteral("Label6(%1)"),
                                      QStringLiteral("Label7(%1)")};
        QLabel **figures[] = {totalmsrp, totalprofit, totalpayment};
        const QString figureNames[] = {QStringLiteral("totalmsrp(%1)"), QStringLiteral("totalprofit(%1)"),
                                       QStringLiteral("totalpayment(%1)")};
        for (int line = 0; line < 3; ++line) {
            const double top = 9000 + 240 * line;
            caption(this, labelNames[line].arg(p), captions[line], kFrameLeft[p] + 120, top, 1620, 240);
            figures[line][p] = caption(this, figureNames[line].arg(p), QStringLiteral("0"), kFrameLeft[p] + 1740, top,
                                       1680, 240, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }

    Command1 = ui::button(this, QStringLiteral("Command1"), QStringLiteral("Create Deal"), 120, 9840, 1575, 495);
    // "Create Deal": the presentation builder fills the customer presentation from this worksheet.
    connect(Command1, &QPushButton::clicked, this, [this] { presentationbuilder::buildpresentation(this); });
    Command1->setEnabled(true);
    Command3 = ui::button(this, QStringLiteral("Command3"), QStringLiteral("EXIT"), 1800, 9840, 1575, 495);

    QList<QWidget *> order{customername,   customervehicle, stocknumber, salesperson,     interestrate,   financeterm,
                           vehicledefault, includetax1,     cashdeal1,   disclosetotals1, discloseprices1};
    for (int p = 0; p < 4; ++p)
        for (int s = 0; s < 10; ++s)
            order << m_slots->boxes(p, s).product;
    order << Command1 << Command3;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_slots, &SlotGrid::slotChanged, this, [this] {
        if (!m_loading)
            calculatetotals();
    });
    for (QCheckBox *option : {includetax1, cashdeal1, disclosetotals1, discloseprices1})
        connect(option, &QCheckBox::clicked, this, [this] { calculatetotals(); });
    interestrate->installEventFilter(this);
    financeterm->installEventFilter(this);
    connect(vehicledefault, &QComboBox::activated, this, &makedeal::loadTemplate);
    connect(Command3, &QPushButton::clicked, this, [this] { exitWindow(); });

    // The dealership's usual rate and term are where a deal starts.
    interestrate->setText(numbers::plainSingle(Module1::interestrate));
    financeterm->setText(numbers::plain(Module1::financeterm));

    populatemenu();
    populatepulldownvehicle();
    ui::centre(this);
}

makedeal::~makedeal() {
    // The boxes outlive this part of the object for a moment; their focus changes must not reach it.
    interestrate->removeEventFilter(this);
    financeterm->removeEventFilter(this);
}

void makedeal::populatemenu() {
    using namespace Module1;
    const QString names[] = {package1, package2, package3, package4};
    for (int p = 0; p < 4; ++p) {
        menuframe[p]->setTitle(ui::literalCaption(names[p].trimmed()));
        menuframe[p]->setProperty("caption", names[p].trimmed());
    }
    salesperson->setText(salespersonname.trimmed());
    discloseprices1->setChecked(discloseprices);
    cashdeal1->setChecked(false);
    disclosetotals1->setChecked(disclosetotals);
    includetax1->setChecked(includetax);
    // The catalogue, in its query's order, into the one model all forty slots show. The model's own
    // re-read takes only the columns the slots show in one pass; walking a record set of the whole
    // catalogue costs far more on a large one, and no window reads the shared product set afterwards.
    if (m_slots->model()->refresh() == 0)
        prompts::notice(QStringLiteral("No Aftermarket Records"), this);
}

void makedeal::populatepulldownvehicle() {
    RecordSetPtr templates = RecordSet::openQuery(
        Module1::dbvehicles, QStringLiteral("select * from [table] where id>0 order by vehiclename"));
    vehicledefault->addItem(QString());
    if (templates->isOpen() && templates->hasRecords()) {
        for (templates->moveFirst(); !templates->eof(); templates->moveNext()) {
            vehicledefault->addItem(templates->text(QStringLiteral("vehiclename")).trimmed());
            const int entry = vehicledefault->count() - 1;
            vehicledefault->setItemData(entry, templates->field(QStringLiteral("id")), kTemplateId);
            vehicledefault->setItemData(entry, templates->rowid(), kTemplateRowid);
        }
    }
    vehicledefault->setCurrentIndex(0);
}

void makedeal::loadTemplate(int entry) {
    if (entry < 0 || vehicledefault->itemText(entry).trimmed().isEmpty())
        return;
    const QVariant id = vehicledefault->itemData(entry, kTemplateId);
    const QVariant rowid = vehicledefault->itemData(entry, kTemplateRowid);
    // The record the entry was made from; if that has gone, another record still carrying its id.
    RecordSetPtr chosen = RecordSet::openQuery(
        Module1::dbvehicles, QStringLiteral("select * from [table] where rowid = ? and id = ?"), {rowid, id});
    if (!chosen->isOpen())
        return;
    if (!chosen->hasRecords())
        chosen = RecordSet::openQuery(Module1::dbvehicles,
                                      QStringLiteral("select * from [table] where id = ? order by rowid"), {id});
    if (!chosen->isOpen())
        return;
    if (!chosen->hasRecords()) {
        prompts::notice(QStringLiteral("This package template no longer exists."), this);
        return;
    }
    chosen->moveFirst();

    // rectoform: package names first (an empty one keeps the caption shown), then the forty slots.
    for (int n = 1; n <= 4; ++n) {
        const QString name = chosen->text(QStringLiteral("package%1").arg(n)).trimmed();
        if (!name.isEmpty()) {
            menuframe[n - 1]->setTitle(ui::literalCaption(name));
            menuframe[n - 1]->setProperty("caption", name);
        }
    }
    std::array<QVariant, SlotGrid::SlotCount> values;
    for (int p = 0; p < 4; ++p)
        for (int s = 0; s < 10; ++s)
            values[SlotGrid::index(p, s)] = chosen->field(schema::slotField(p, s));
    // One recalculation for the whole template rather than one per slot; the result is the same.
    m_loading = true;
    m_slots->loadSlots(values);
    m_loading = false;
    calculatetotals();
}

void makedeal::calculatetotals() {
    const QString term = cashdeal1->isChecked() ? QStringLiteral("1") : financeterm->text().trimmed();
    dealtotals::Problem problem = dealtotals::Problem::None;
    for (int p = 0; p < 4; ++p) {
        dealtotals::Inputs in;
        for (int s = 0; s < 10; ++s) {
            in.msrp << m_slots->msrpText(p, s);
            in.cost << m_slots->costText(p, s);
        }
        in.rate = interestrate->text();
        in.term = term;
        in.includeTax = includetax1->isChecked();
        in.taxrate = Module1::taxrate;
        const dealtotals::Figures f = dealtotals::package(in);
        totalmsrp[p]->setText(f.totalmsrp);
        totalprofit[p]->setText(f.totalprofit);
        totalpayment[p]->setText(f.payment);
        totalpayment[p]->setToolTip(f.problem == dealtotals::Problem::Amount
                                        ? QStringLiteral("This package's payment is too large to be computed.")
                                        : QString());
        if (f.problem != dealtotals::Problem::None && f.problem != dealtotals::Problem::Amount)
            problem = f.problem;
    }
    markBox(financeterm, problem == dealtotals::Problem::Term
                             ? QStringLiteral("Enter a term of more than 0 months; the payments show 0.00 until then.")
                             : QString());
    markBox(interestrate, problem == dealtotals::Problem::Rate
                              ? QStringLiteral("No payment can be computed at this interest rate; the payments "
                                               "show 0.00 until it is changed.")
                              : QString());
}

void makedeal::markBox(QLineEdit *box, const QString &why) {
    const bool mark = !why.isEmpty();
    if (box->property(kMarked).toBool() == mark)
        return;
    box->setProperty(kMarked, mark);
    box->setToolTip(why);
    box->setStyleSheet(mark ? QStringLiteral("QLineEdit { background: #ffd6d6; border: 2px solid #d00000; }")
                            : QString());
}

bool makedeal::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusOut && (watched == interestrate || watched == financeterm))
        calculatetotals();
    return QWidget::eventFilter(watched, event);
}

void makedeal::exitWindow() {
    m_closing = true;
    Form1 *main = SingleWindow<Form1>::instance();
    SingleWindow<makedeal>::unload();
    main->show();
    main->raise();
    main->activateWindow();
}

void makedeal::closeEvent(QCloseEvent *event) {
    // The title bar's close discards the deal as "EXIT" does.
    if (!m_closing)
        exitWindow();
    event->accept();
}
