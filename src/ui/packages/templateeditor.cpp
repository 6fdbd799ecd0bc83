#include "ui/packages/templateeditor.h"

#include "core/money/numbers.h"
#include "core/text/storedtext.h"
#include "ui/common/geometry.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/common/slotgrid.h"
#include "ui/common/windowclosing.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using storedtext::trimBlanks;

namespace {
const QString kZeroTotal = QStringLiteral("$0.00");
QLabel *caption(QWidget *parent, const QString &name, const QString &text, double l, double t, double w, double h) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    ui::place(label, l, t, w, h);
    return label;
}
} // namespace

QGroupBox *TemplateEditor::frame(const QString &name, const QString &title, double l, double t, double w, double h) {
    auto *f = new QGroupBox(title, this);
    f->setObjectName(name);
    ui::place(f, l, t, w, h);
    return f;
}

TemplateEditor::TemplateEditor(Program &app)
    : m_app(app),
      m_navigation(app, this, Counter::Templates,
                   {[this] { return shown(); }, [this](const PackageTemplate &t) { show(t); }, [this] { leave(); }}) {
    setObjectName(QStringLiteral("editvehicle"));
    setWindowTitle(tr("Add/Edit Package"));
    ui::setClientSize(this, 10140, 8595);

    QGroupBox *info = frame(QStringLiteral("vehicleframe"), tr("Vehicle Information"), 0, 0, 5055, 975);
    caption(info, QStringLiteral("idlabel"), tr("ID:"), 120, 270, 735, 255);
    m_idBox = new QLineEdit(info);
    m_idBox->setObjectName(QStringLiteral("id"));
    m_idBox->setEnabled(false);
    ui::place(m_idBox, 960, 240, 1215, 300);
    caption(info, QStringLiteral("vehiclelabel"), tr("Vehicle:"), 120, 630, 735, 255);
    m_vehicleBox = new QLineEdit(info);
    m_vehicleBox->setObjectName(QStringLiteral("vehiclename"));
    ui::place(m_vehicleBox, 960, 600, 3975, 300);
    ui::selectAllOnFocus(m_vehicleBox);

    QGroupBox *notesFrame = frame(QStringLiteral("notesframe"), tr("Notes"), 5160, 0, 4935, 975);
    m_notesBox = new QPlainTextEdit(notesFrame);
    m_notesBox->setObjectName(QStringLiteral("notes"));
    m_notesBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notesBox->setTabChangesFocus(true);
    ui::place(m_notesBox, 120, 240, 4695, 660);

    m_slots = new SlotGrid(m_app.store().products(), this);
    makePackages();

    auto button = [this](const QString &name, const QString &text, double l, double t, double w) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        ui::place(b, l, t, w, 495);
        return b;
    };
    m_saveButton = button(QStringLiteral("Command1"), tr("Save"), 120, 7440, 1335);
    m_clearButton = button(QStringLiteral("Command2"), tr("Clear Form"), 1560, 7440, 1335);
    m_deleteButton = button(QStringLiteral("Command3"), tr("Delete"), 3000, 7440, 1335);
    m_firstButton = button(QStringLiteral("Command4"), tr("|<"), 120, 8040, 255);
    m_previousButton = button(QStringLiteral("Command5"), tr("<"), 375, 8040, 255);
    m_nextButton = button(QStringLiteral("Command6"), tr(">"), 630, 8040, 255);
    m_lastButton = button(QStringLiteral("Command7"), tr(">|"), 885, 8040, 255);
    m_copyButton = button(QStringLiteral("Command9"), tr("Copy Record"), 1560, 8040, 1335);
    m_exitButton = button(QStringLiteral("Command8"), tr("EXIT"), 3000, 8040, 1335);

    connect(m_slots, &SlotGrid::slotChanged, this, [this] { calculatetotals(); });
    m_navigation.connectButtons({m_saveButton, m_deleteButton, m_firstButton, m_previousButton, m_nextButton,
                                 m_lastButton, m_copyButton, m_exitButton});
    new WindowClosing(this, WindowClosing::Leaving::Hides, [this] { return m_navigation.exit(); });
    connect(m_clearButton, &QPushButton::clicked, this, &TemplateEditor::clearform);

    for (int p = 0; p < menu::Packages; ++p)
        m_packageNameBoxes[p]->setText(trimBlanks(m_app.settings().packageNames[p]));
    if (m_slots->populate() == 0)
        prompts::notice(tr("No Aftermarket Records"), this);
    // A product this program stores is offered, and priced, at once; the template's own boxes keep what
    // they show.
    connect(&m_app.store().events(), &StoreEvents::productsChanged, m_slots, &SlotGrid::refresh);
    ui::centre(this);
}

void TemplateEditor::makePackages() {
    for (int p = 0; p < menu::Packages; ++p) {
        const double left = 2520 * p;
        QGroupBox *nameFrame =
            frame(QStringLiteral("packagenameframe(%1)").arg(p), tr("Package Name"), left, 960, 2535, 615);
        m_packageNameBoxes[p] = new QLineEdit(nameFrame);
        m_packageNameBoxes[p]->setObjectName(QStringLiteral("packagename(%1)").arg(p));
        ui::place(m_packageNameBoxes[p], 120, 240, 2295, 300);
        ui::selectAllOnFocus(m_packageNameBoxes[p]);

        QGroupBox *items =
            frame(QStringLiteral("menuframe(%1)").arg(p), tr("Aftermarket Items"), left, 1560, 2535, 3975);
        for (int s = 0; s < menu::Slots; ++s) {
            const SlotBoxes &b = m_slots->createSlot(p, s, items, SlotGrid::Figures::Hidden);
            ui::place(b.product, 120, 240 + 360 * s, 2295, 315);
        }

        const struct {
            const char *name;
            const char *title;
            double top;
            QLabel **label;
        } totals[] = {{"totalcost", QT_TR_NOOP("Total Cost"), 5520, &m_totalCost[p]},
                      {"totalmsrp", QT_TR_NOOP("Total MSRP"), 6120, &m_totalMsrp[p]},
                      {"totalprofit", QT_TR_NOOP("Total Profit"), 6720, &m_totalProfit[p]}};
        for (const auto &t : totals) {
            const QString name = QString::fromLatin1(t.name);
            QGroupBox *f = frame(name + QStringLiteral("frame(%1)").arg(p), tr(t.title), left, t.top, 2535, 615);
            *t.label = caption(f, QStringLiteral("%1(%2)").arg(name).arg(p), kZeroTotal, 120, 270, 2295, 255);
        }
    }
}

void TemplateEditor::readCatalogue() {
    // The window lives through the run; what another copy of the program added, changed or deleted in the
    // catalogue while it was hidden is offered, and priced, when it opens again.
    if (!m_catalogueRead)
        m_slots->populate();
    m_catalogueRead = true;
}

void TemplateEditor::openPicked(std::unique_ptr<RecordWalk<PackageTemplate>> walk) {
    readCatalogue();
    Program::bringUp(this);
    m_navigation.open(std::move(walk));
}

bool TemplateEditor::openNew() {
    // The id is drawn (and the raised counter stored) before anything else changes; when the counter
    // is exhausted the user has been told and nothing is stored.
    const std::optional<qint32> id = m_app.drawId(Counter::Templates, this);
    if (!id)
        return false;
    PackageTemplate added;
    added.id = *id;
    added.packageNames = m_app.settings().packageNames;
    TemplateRepository &templates = m_app.store().templates();
    const std::optional<qint64> record = templates.add(added);
    if (!record)
        return false;
    readCatalogue();
    Program::bringUp(this);
    // From here on the editor walks only the new template.
    m_navigation.open(templates.walk({*record}, 0));
    return true;
}

bool TemplateEditor::save() { return m_navigation.save(); }

PackageTemplate TemplateEditor::shown() const {
    PackageTemplate t;
    t.id = numbers::val(m_idBox->text());
    t.vehiclename = trimBlanks(m_vehicleBox->text());
    t.notes = trimBlanks(storedtext::toStoredLines(m_notesBox->toPlainText()));
    for (int p = 0; p < menu::Packages; ++p)
        t.packageNames[p] = trimBlanks(m_packageNameBoxes[p]->text());
    for (int p = 0; p < menu::Packages; ++p)
        for (int s = 0; s < menu::Slots; ++s)
            t.productIds[p][s] = m_slots->productId(p, s);
    return t;
}

void TemplateEditor::show(const PackageTemplate &t) {
    m_idBox->setText(numbers::plain(t.id));
    // An empty stored name keeps the name the box showed before.
    for (int p = 0; p < menu::Packages; ++p)
        if (!t.packageNames[p].isEmpty())
            m_packageNameBoxes[p]->setText(t.packageNames[p]);
    m_vehicleBox->setText(t.vehiclename);
    m_notesBox->setPlainText(storedtext::toDisplayLines(t.notes));
    m_slots->loadTemplate(t);
    calculatetotals();
}

void TemplateEditor::clearform() {
    m_idBox->clear();
    m_vehicleBox->clear();
    m_notesBox->clear();
    for (int p = 0; p < menu::Packages; ++p) {
        m_packageNameBoxes[p]->clear();
        m_totalCost[p]->setText(kZeroTotal);
        m_totalMsrp[p]->setText(kZeroTotal);
        m_totalProfit[p]->setText(kZeroTotal);
    }
    for (int s = 0; s < menu::Slots; ++s)
        for (int p = 0; p < menu::Packages; ++p)
            m_slots->setNone(p, s);
}

void TemplateEditor::calculatetotals() {
    for (int p = 0; p < menu::Packages; ++p) {
        const PackageTotals t = m_slots->package(p).totals();
        m_totalCost[p]->setText(numbers::dollars(t.cost));
        m_totalMsrp[p]->setText(numbers::dollars(t.msrp));
        m_totalProfit[p]->setText(numbers::dollars(t.profit));
    }
}

void TemplateEditor::leave() {
    m_catalogueRead = false;
    hide();
    emit finished();
}
