#include "ui/catalogue/editform.h"

#include "core/money/numbers.h"
#include "ui/app/module1.h"
#include "ui/app/prompts.h"
#include "ui/app/windows.h"
#include "ui/catalogue/aftermarketlist.h"
#include "ui/catalogue/commondialog.h"
#include "ui/prefs/preferences.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

namespace {
QString trimmedField(const RecordSet &rs, const QString &name) { return rs.text(name).trimmed(); }
} // namespace

editform::editform() {
    setObjectName(QStringLiteral("editform"));
    setWindowTitle(QStringLiteral("Add/Edit Item"));
    ui::setClientSize(this, 4770, 6930);

    Frame1 = new QGroupBox(QStringLiteral("Item"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    ui::place(Frame1, 120, 0, 4575, 5655);

    struct LabelSpec {
        const char *text;
        double left, top, width;
    };
    const LabelSpec labels[9] = {
        {"ID:", 960, 240, 495},          {"Name:", 720, 600, 735},          {"Cost: $", 600, 960, 855},
        {"MSRP: $", 480, 1320, 975},     {"Description:", 240, 1680, 1215}, {"HTML Path:", 240, 3360, 1215},
        {"Installer:", 120, 3720, 1335}, {"Phone #:", 120, 4080, 1335},     {"Notes:", 120, 4440, 1335}};
    for (int k = 0; k < 9; ++k) {
        Label1[k] = new QLabel(QString::fromUtf8(labels[k].text), Frame1);
        Label1[k]->setObjectName(QStringLiteral("Label1(%1)").arg(k));
        Label1[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ui::place(Label1[k], labels[k].left, labels[k].top, labels[k].width, 255);
    }

    auto line = [this](const QString &name, double l, double t, double w, double h) {
        auto *b = new QLineEdit(Frame1);
        b->setObjectName(name);
        // A product's texts can be longer than a line box holds by default; nothing is cut off.
        b->setMaxLength(std::numeric_limits<int>::max());
        ui::place(b, l, t, w, h);
        ui::selectAllOnFocus(b);
        return b;
    };
    auto multi = [this](const QString &name, double l, double t, double w, double h) {
        auto *b = new QPlainTextEdit(Frame1);
        b->setObjectName(name);
        b->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        b->setTabChangesFocus(true);
        ui::place(b, l, t, w, h);
        ui::selectAllOnFocus(b);
        return b;
    };
    id = line(QStringLiteral("id"), 1560, 240, 1335, 285);
    id->setEnabled(false);
    aftermarketname = line(QStringLiteral("aftermarketname"), 1560, 600, 2895, 285);
    cost = line(QStringLiteral("cost"), 1560, 960, 1335, 285);
    msrp = line(QStringLiteral("msrp"), 1560, 1320, 1335, 285);
    description = multi(QStringLiteral("description"), 1560, 1680, 2895, 1575);
    htmlpath = line(QStringLiteral("htmlpath"), 1560, 3360, 1455, 285);
    picturepath = line(QStringLiteral("picturepath"), 3480, 1080, 615, 285);
    picturepath->hide();
    installer = line(QStringLiteral("installer"), 1560, 3720, 2895, 285);
    phone = line(QStringLiteral("phone"), 1560, 4080, 2895, 285);
    notes = multi(QStringLiteral("notes"), 1560, 4440, 2895, 1095);

    Command10 = ui::button(Frame1, QStringLiteral("Command10"), QStringLiteral("Choose File"), 3120, 3360, 1335, 375);
    Command1 = ui::button(this, QStringLiteral("Command1"), QStringLiteral("Save"), 120, 5760, 1335, 495);
    Command2 = ui::button(this, QStringLiteral("Command2"), QStringLiteral("Clear Form"), 1680, 5760, 1335, 495);
    Command3 = ui::button(this, QStringLiteral("Command3"), QStringLiteral("Delete"), 3240, 5760, 1335, 495);
    Command4 = ui::button(this, QStringLiteral("Command4"), QStringLiteral("|<"), 120, 6360, 255, 495);
    Command5 = ui::button(this, QStringLiteral("Command5"), QStringLiteral("<"), 480, 6360, 255, 495);
    Command6 = ui::button(this, QStringLiteral("Command6"), QStringLiteral(">"), 840, 6360, 255, 495);
    Command7 = ui::button(this, QStringLiteral("Command7"), QStringLiteral(">|"), 1200, 6360, 255, 495);
    Command9 = ui::button(this, QStringLiteral("Command9"), QStringLiteral("Copy Record"), 1680, 6360, 1335, 495);
    Command8 = ui::button(this, QStringLiteral("Command8"), QStringLiteral("EXIT"), 3240, 6360, 1335, 495);

    dlgCommonDialog = new CommonDialog(this);
    dlgCommonDialog->setObjectName(QStringLiteral("dlgCommonDialog"));

    QWidget *order[] = {aftermarketname, cost,     msrp,     description, htmlpath, picturepath, installer,
                        phone,           notes,    Command1, Command2,    Command3, Command4,    Command5,
                        Command6,        Command7, Command8, Command9,    id,       Command10};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(Command1, &QPushButton::clicked, this, [this] {
        saverecord();
        prompts::notice(QStringLiteral("Record Saved"), this);
    });
    connect(Command2, &QPushButton::clicked, this, &editform::clearform);
    connect(Command3, &QPushButton::clicked, this, &editform::deleteRecord);
    connect(Command4, &QPushButton::clicked, this, &editform::moveFirst);
    connect(Command5, &QPushButton::clicked, this, &editform::movePrevious);
    connect(Command6, &QPushButton::clicked, this, &editform::moveNext);
    connect(Command7, &QPushButton::clicked, this, &editform::moveLast);
    connect(Command9, &QPushButton::clicked, this, &editform::copyRecord);
    connect(Command8, &QPushButton::clicked, this, &editform::exitWindow);
    connect(Command10, &QPushButton::clicked, this, &editform::chooseFile);

    aftermarketname->setFocus();
    ui::centre(this);
}

void editform::open(RecordSetPtr rs) {
    if (m_rs && m_rs != rs)
        release();
    m_rs = std::move(rs);
    rectoform();
}

bool editform::release() {
    if (!m_rs)
        return false;
    const bool stored = m_rs->hasCurrent();
    if (stored)
        saverecord();
    m_rs.reset();
    return stored;
}

QString editform::idText() const { return id->text(); }
void editform::setIdText(const QString &text) { id->setText(text); }

void editform::formtorec(RecordSet &rs) {
    rs.setField(QStringLiteral("id"), numbers::val(id->text()));
    rs.setField(QStringLiteral("aftermarketname"), aftermarketname->text().trimmed());
    rs.setField(QStringLiteral("cost"), numbers::val(cost->text()));
    rs.setField(QStringLiteral("msrp"), numbers::val(msrp->text()));
    // An emptied description box leaves the stored description as it was.
    const QString text = toStoredLines(description->toPlainText()).trimmed();
    if (!text.isEmpty())
        rs.setField(QStringLiteral("description"), text);
    rs.setField(QStringLiteral("htmlpath"), htmlpath->text().trimmed());
    rs.setField(QStringLiteral("picturepath"), picturepath->text().trimmed());
    rs.setField(QStringLiteral("installer"), installer->text().trimmed());
    rs.setField(QStringLiteral("phone"), phone->text().trimmed());
    rs.setField(QStringLiteral("notes"), toStoredLines(notes->toPlainText()).trimmed());
}

void editform::formtorec() {
    if (m_rs)
        formtorec(*m_rs);
}

void editform::rectoform() {
    if (!m_rs)
        return;
    const RecordSet &rs = *m_rs;
    id->setText(numbers::plainField(rs.field(QStringLiteral("id"))));
    aftermarketname->setText(trimmedField(rs, QStringLiteral("aftermarketname")));
    cost->setText(numbers::plainField(rs.field(QStringLiteral("cost"))));
    msrp->setText(numbers::plainField(rs.field(QStringLiteral("msrp"))));
    description->setPlainText(toDisplayLines(trimmedField(rs, QStringLiteral("description"))));
    htmlpath->setText(trimmedField(rs, QStringLiteral("htmlpath")));
    picturepath->setText(trimmedField(rs, QStringLiteral("picturepath")));
    installer->setText(trimmedField(rs, QStringLiteral("installer")));
    phone->setText(trimmedField(rs, QStringLiteral("phone")));
    notes->setPlainText(toDisplayLines(trimmedField(rs, QStringLiteral("notes"))));
    // A long path or name shows its beginning, as it was typed.
    for (QLineEdit *box : {id, aftermarketname, cost, msrp, htmlpath, picturepath, installer, phone})
        box->setCursorPosition(0);
}

void editform::clearform() {
    for (QLineEdit *box : {id, aftermarketname, cost, msrp, htmlpath, picturepath, installer, phone})
        box->setText(QString());
    description->setPlainText(QString());
    notes->setPlainText(QString());
}

void editform::saverecord() {
    if (!m_rs || !m_rs->hasCurrent())
        return;
    m_rs->edit();
    formtorec(*m_rs);
    m_rs->update();
}

void editform::deleteRecord() {
    if (Module1::confirm(QStringLiteral("Delete Current Record?")) != 1)
        return;
    if (m_rs && m_rs->hasCurrent())
        m_rs->deleteRecord();
    m_rs.reset();
    backToList();
}

// At either end of the set the move steps back, so the editor stays on the end record.
void editform::moveFirst() {
    saverecord();
    if (!m_rs)
        return;
    m_rs->moveFirst();
    rectoform();
}

void editform::movePrevious() {
    saverecord();
    if (!m_rs)
        return;
    m_rs->movePrevious();
    if (!m_rs->hasCurrent())
        m_rs->moveNext();
    rectoform();
}

void editform::moveNext() {
    saverecord();
    if (!m_rs)
        return;
    m_rs->moveNext();
    if (!m_rs->hasCurrent())
        m_rs->movePrevious();
    rectoform();
}

void editform::moveLast() {
    saverecord();
    if (!m_rs)
        return;
    m_rs->moveLast();
    rectoform();
}

void editform::copyRecord() {
    if (Module1::confirm(QStringLiteral("Copy Record?")) != 1)
        return;
    if (!m_rs || !m_rs->hasCurrent())
        return;
    saverecord();
    // The id is drawn and written before the copy is stored; nothing is stored when there is none left.
    const std::optional<qint32> newId = Module1::handoutid(Module1::Counter::Products);
    if (!newId)
        return;
    m_rs->addNew();
    setIdText(QString::number(*newId));
    formtorec(*m_rs);
    if (!m_rs->update())
        return;
    // The editor stands on the copy; the navigation buttons walk the same set, the copy at its end.
    m_rs->moveTo(m_rs->lastModified());
    rectoform();
}

void editform::chooseFile() {
    dlgCommonDialog->InitDir = Module1::webpagesFolder();
    dlgCommonDialog->DialogTitle = QStringLiteral("Open");
    dlgCommonDialog->Filter = QStringLiteral("All Files (*.*)");
    if (!dlgCommonDialog->ShowOpen(this)) {
        prompts::error(QStringLiteral("Invalid File"), this);
        return;
    }
    const QString chosen = dlgCommonDialog->FileName.trimmed();
    if (!chosen.isEmpty())
        htmlpath->setText(chosen);
}

void editform::exitWindow() {
    saverecord();
    m_rs.reset();
    backToList();
}

void editform::backToList() {
    m_closing = true;
    SingleWindow<editform>::unload();
    aftermarketlist *list = SingleWindow<aftermarketlist>::existing();
    if (list)
        list->reload(); // shown again while still open: it lists what is stored now
    else
        list = SingleWindow<aftermarketlist>::instance();
    list->show();
    list->raise();
    list->activateWindow();
}

void editform::closeEvent(QCloseEvent *event) {
    if (!m_closing)
        exitWindow();
    event->accept();
}
