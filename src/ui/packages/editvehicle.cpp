#include "editvehicle.h"

#include "core/money/numbers.h"
#include "core/store/schema.h"
#include "ui/app/module1.h"
#include "ui/app/prompts.h"
#include "ui/app/windows.h"
#include "ui/packages/slotgrid.h"
#include "ui/packages/vehiclelist.h"
#include "ui/prefs/preferences.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <cmath>

namespace {

const QString kZeroTotal = QStringLiteral("$0.00");

// Ids and slot values are whole numbers; store them as such so they sort and compare as numbers.
QVariant storedNumber(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9.0e15)
        return static_cast<qlonglong>(value);
    return value;
}

QString packageField(int p) { return QStringLiteral("package%1").arg(p + 1); }

} // namespace

editvehicle::editvehicle() {
    setObjectName(QStringLiteral("editvehicle"));
    setWindowTitle(QStringLiteral("Add/Edit Package"));
    ui::setClientSize(this, 10140, 8595);

    auto frame = [this](const QString &name, const QString &title, double l, double t, double w, double h) {
        auto *f = new QGroupBox(title, this);
        f->setObjectName(name);
        ui::place(f, l, t, w, h);
        return f;
    };
    auto caption = [](QWidget *parent, const QString &name, const QString &text, double l, double t, double w,
                      double h) {
        auto *label = new QLabel(text, parent);
        label->setObjectName(name);
        ui::place(label, l, t, w, h);
        return label;
    };

    QGroupBox *info = frame(QStringLiteral("vehicleframe"), QStringLiteral("Vehicle Information"), 0, 0, 5055, 975);
    caption(info, QStringLiteral("idlabel"), QStringLiteral("ID:"), 120, 270, 735, 255);
    id = new QLineEdit(info);
    id->setObjectName(QStringLiteral("id"));
    id->setEnabled(false);
    ui::place(id, 960, 240, 1215, 300);
    caption(info, QStringLiteral("vehiclelabel"), QStringLiteral("Vehicle:"), 120, 630, 735, 255);
    vehiclename = new QLineEdit(info);
    vehiclename->setObjectName(QStringLiteral("vehiclename"));
    ui::place(vehiclename, 960, 600, 3975, 300);
    ui::selectAllOnFocus(vehiclename);

    QGroupBox *notesFrame = frame(QStringLiteral("notesframe"), QStringLiteral("Notes"), 5160, 0, 4935, 975);
    notes = new QPlainTextEdit(notesFrame);
    notes->setObjectName(QStringLiteral("notes"));
    notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notes->setTabChangesFocus(true);
    ui::place(notes, 120, 240, 4695, 660);

    m_slots = new SlotGrid(this);
    for (int p = 0; p < 4; ++p) {
        const double left = 2520 * p;
        QGroupBox *nameFrame =
            frame(QStringLiteral("packagenameframe(%1)").arg(p), QStringLiteral("Package Name"), left, 960, 2535, 615);
        packagename[p] = new QLineEdit(nameFrame);
        packagename[p]->setObjectName(QStringLiteral("packagename(%1)").arg(p));
        ui::place(packagename[p], 120, 240, 2295, 300);
        ui::selectAllOnFocus(packagename[p]);

        menuframe[p] =
            frame(QStringLiteral("menuframe(%1)").arg(p), QStringLiteral("Aftermarket Items"), left, 1560, 2535, 3975);
        for (int s = 0; s < 10; ++s) {
            const SlotBoxes &b = m_slots->createSlot(p, s, menuframe[p], SlotGrid::Figures::Hidden);
            ui::place(b.product, 120, 240 + 360 * s, 2295, 315);
        }

        const struct {
            const char *name;
            const char *title;
            double top;
            QLabel **label;
        } totals[] = {{"totalcost", "Total Cost", 5520, &totalcost[p]},
                      {"totalmsrp", "Total MSRP", 6120, &totalmsrp[p]},
                      {"totalprofit", "Total Profit", 6720, &totalprofit[p]}};
        for (const auto &t : totals) {
            const QString name = QString::fromLatin1(t.name);
            QGroupBox *f =
                frame(name + QStringLiteral("frame(%1)").arg(p), QString::fromLatin1(t.title), left, t.top, 2535, 615);
            *t.label = caption(f, QStringLiteral("%1(%2)").arg(name).arg(p), kZeroTotal, 120, 270, 2295, 255);
        }
    }

    auto button = [this](const QString &name, const QString &text, double l, double t, double w) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        ui::place(b, l, t, w, 495);
        return b;
    };
    Command1 = button(QStringLiteral("Command1"), QStringLiteral("Save"), 120, 7440, 1335);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("Clear Form"), 1560, 7440, 1335);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("Delete"), 3000, 7440, 1335);
    Command4 = button(QStringLiteral("Command4"), QStringLiteral("|<"), 120, 8040, 255);
    Command5 = button(QStringLiteral("Command5"), QStringLiteral("<"), 375, 8040, 255);
    Command6 = button(QStringLiteral("Command6"), QStringLiteral(">"), 630, 8040, 255);
    Command7 = button(QStringLiteral("Command7"), QStringLiteral(">|"), 885, 8040, 255);
    Command9 = button(QStringLiteral("Command9"), QStringLiteral("Copy Record"), 1560, 8040, 1335);
    Command8 = button(QStringLiteral("Command8"), QStringLiteral("EXIT"), 3000, 8040, 1335);

    connect(m_slots, &SlotGrid::slotChanged, this, [this] { calculatetotals(); });
    connect(Command1, &QPushButton::clicked, this, &editvehicle::save);
    connect(Command2, &QPushButton::clicked, this, &editvehicle::clearform);
    connect(Command3, &QPushButton::clicked, this, &editvehicle::deleteRecord);
    connect(Command4, &QPushButton::clicked, this, &editvehicle::moveFirst);
    connect(Command5, &QPushButton::clicked, this, &editvehicle::movePrevious);
    connect(Command6, &QPushButton::clicked, this, &editvehicle::moveNext);
    connect(Command7, &QPushButton::clicked, this, &editvehicle::moveLast);
    connect(Command9, &QPushButton::clicked, this, &editvehicle::copyRecord);
    connect(Command8, &QPushButton::clicked, this, &editvehicle::exitWindow);

    populatemenu();
    ui::centre(this);
}

void editvehicle::populatemenu() {
    const QString defaults[4] = {Module1::package1, Module1::package2, Module1::package3, Module1::package4};
    for (int p = 0; p < 4; ++p)
        packagename[p]->setText(defaults[p].trimmed());
    m_slots->populatemenu(this);
}

bool editvehicle::hasRecord() const { return m_rs && m_rs->hasCurrent(); }

void editvehicle::openPicked(RecordSetPtr templates) {
    m_rs = std::move(templates);
    show();
    raise();
    activateWindow();
    rectoform();
}

void editvehicle::openNew() {
    RecordSetPtr templates = Module1::rsvehicles;
    if (!templates)
        return;
    // The id is drawn (and the raised counter stored) before anything else changes; when the counter
    // is exhausted the user has been told and nothing is stored.
    const std::optional<qint32> newId = Module1::handoutid(Module1::Counter::Templates);
    if (!newId)
        return;
    m_rs = templates;
    m_rs->addNew();
    show();
    raise();
    activateWindow();
    clearform();
    const QString defaults[4] = {Module1::package1, Module1::package2, Module1::package3, Module1::package4};
    for (int p = 0; p < 4; ++p)
        packagename[p]->setText(defaults[p]);
    id->setText(QString::number(*newId));
    formtorec();
    if (!m_rs->update()) {
        m_rs->cancelUpdate();
        return;
    }
    SingleWindow<vehiclelist>::unload();
    // From here on the editor walks only the new template.
    Module1::rsvehicles = RecordSet::openQuery(
        Module1::dbvehicles, QStringLiteral("Select * from [table] where id = ") + QString::number(*newId));
    m_rs = Module1::rsvehicles;
    rectoform();
}

void editvehicle::rectoform() {
    if (!m_rs || !(m_rs->hasCurrent() || m_rs->adding()))
        return;
    id->setText(m_rs->text(QStringLiteral("id")).trimmed());
    for (int p = 0; p < 4; ++p) {
        const QString name = m_rs->text(packageField(p)).trimmed();
        if (!name.isEmpty())
            packagename[p]->setText(name);
    }
    vehiclename->setText(m_rs->text(QStringLiteral("vehiclename")).trimmed());
    notes->setPlainText(toDisplayLines(m_rs->text(QStringLiteral("notes")).trimmed()));
    std::array<QVariant, SlotGrid::SlotCount> values;
    for (int p = 0; p < 4; ++p)
        for (int s = 0; s < 10; ++s)
            values[SlotGrid::index(p, s)] = m_rs->field(schema::slotField(p, s));
    m_slots->loadSlots(values);
    calculatetotals();
}

void editvehicle::formtorec() {
    m_rs->setField(QStringLiteral("id"), storedNumber(numbers::val(id->text())));
    m_rs->setField(QStringLiteral("vehiclename"), vehiclename->text().trimmed());
    m_rs->setField(QStringLiteral("notes"), toStoredLines(notes->toPlainText()).trimmed());
    for (int p = 0; p < 4; ++p)
        m_rs->setField(packageField(p), packagename[p]->text().trimmed());
    for (int p = 0; p < 4; ++p)
        for (int s = 0; s < 10; ++s)
            m_rs->setField(schema::slotField(p, s), storedNumber(m_slots->productId(p, s)));
}

bool editvehicle::saverecord() {
    if (!hasRecord())
        return false;
    m_rs->edit();
    formtorec();
    if (m_rs->update())
        return true;
    m_rs->cancelUpdate();
    return false;
}

void editvehicle::clearform() {
    id->clear();
    vehiclename->clear();
    notes->clear();
    for (int p = 0; p < 4; ++p) {
        packagename[p]->clear();
        totalcost[p]->setText(kZeroTotal);
        totalmsrp[p]->setText(kZeroTotal);
        totalprofit[p]->setText(kZeroTotal);
    }
    for (int s = 0; s < 10; ++s)
        for (int p = 0; p < 4; ++p)
            m_slots->setNone(p, s);
}

void editvehicle::calculatetotals() {
    for (int p = 0; p < 4; ++p) {
        double c = 0;
        double m = 0;
        for (int s = 0; s < 10; ++s) {
            c += numbers::val(m_slots->costText(p, s));
            m += numbers::val(m_slots->msrpText(p, s));
        }
        totalcost[p]->setText(numbers::dollars(c));
        totalmsrp[p]->setText(numbers::dollars(m));
        totalprofit[p]->setText(numbers::dollars(m - c));
    }
}

void editvehicle::save() {
    if (saverecord())
        prompts::notice(QStringLiteral("Record Saved"), this);
}

void editvehicle::deleteRecord() {
    if (Module1::confirm(QStringLiteral("Delete Current Record?")) != 1)
        return;
    if (hasRecord())
        m_rs->deleteRecord();
    hide();
    backToList();
}

void editvehicle::moveFirst() {
    if (!m_rs)
        return;
    saverecord();
    m_rs->moveFirst();
    rectoform();
}

void editvehicle::movePrevious() {
    if (!m_rs)
        return;
    saverecord();
    m_rs->movePrevious();
    if (m_rs->bof())
        m_rs->moveNext();
    rectoform();
}

void editvehicle::moveNext() {
    if (!m_rs)
        return;
    saverecord();
    m_rs->moveNext();
    if (m_rs->eof())
        m_rs->movePrevious();
    rectoform();
}

void editvehicle::moveLast() {
    if (!m_rs)
        return;
    saverecord();
    m_rs->moveLast();
    rectoform();
}

void editvehicle::copyRecord() {
    if (Module1::confirm(QStringLiteral("Copy Record?")) != 1)
        return;
    if (!saverecord())
        return;
    const std::optional<qint32> newId = Module1::handoutid(Module1::Counter::Templates);
    if (!newId)
        return;
    m_rs->addNew();
    id->setText(QString::number(*newId));
    formtorec();
    rectoform();
    if (!m_rs->update()) {
        m_rs->cancelUpdate();
        rectoform();
        return;
    }
    // Later saves go to the copy, not to the template it was copied from.
    m_rs->moveTo(m_rs->lastModified());
}

void editvehicle::exitWindow() {
    saverecord();
    hide();
    backToList();
}

void editvehicle::backToList() {
    vehiclelist *list = SingleWindow<vehiclelist>::existing();
    if (list)
        list->load();
    else
        list = SingleWindow<vehiclelist>::instance();
    list->show();
    list->raise();
    list->activateWindow();
}

void editvehicle::closeEvent(QCloseEvent *event) {
    // The title bar's close leaves as "EXIT" does: store, hide, back to the list.
    event->ignore();
    exitWindow();
}
