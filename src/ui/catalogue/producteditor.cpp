#include "ui/catalogue/producteditor.h"

#include "core/money/numbers.h"
#include "core/text/storedtext.h"
#include "ui/common/filechooser.h"
#include "ui/common/geometry.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/common/windowclosing.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

using storedtext::toDisplayLines;
using storedtext::toStoredLines;
using storedtext::trimBlanks;

ProductEditor::ProductEditor(Program &app)
    : m_app(app),
      m_navigation(app, this, Counter::Products,
                   {[this] { return shown(); }, [this](const Product &p) { show(p); }, [this] { leave(); }}) {
    setObjectName(QStringLiteral("editform"));
    setWindowTitle(tr("Add/Edit Item"));
    ui::setClientSize(this, 4770, 6930);

    auto *frame = new QGroupBox(tr("Item"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    ui::place(frame, 120, 0, 4575, 5655);

    struct LabelSpec {
        const char *text;
        double left, top, width;
    };
    const LabelSpec labels[9] = {{QT_TR_NOOP("ID:"), 960, 240, 495},
                                 {QT_TR_NOOP("Name:"), 720, 600, 735},
                                 {QT_TR_NOOP("Cost: $"), 600, 960, 855},
                                 {QT_TR_NOOP("MSRP: $"), 480, 1320, 975},
                                 {QT_TR_NOOP("Description:"), 240, 1680, 1215},
                                 {QT_TR_NOOP("HTML Path:"), 240, 3360, 1215},
                                 {QT_TR_NOOP("Installer:"), 120, 3720, 1335},
                                 {QT_TR_NOOP("Phone #:"), 120, 4080, 1335},
                                 {QT_TR_NOOP("Notes:"), 120, 4440, 1335}};
    for (int k = 0; k < 9; ++k) {
        auto *label = new QLabel(tr(labels[k].text), frame);
        label->setObjectName(QStringLiteral("Label1(%1)").arg(k));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ui::place(label, labels[k].left, labels[k].top, labels[k].width, 255);
    }

    auto line = [frame](const QString &name, double l, double t, double w, double h) {
        auto *b = new QLineEdit(frame);
        b->setObjectName(name);
        // A product's texts can be longer than a line box holds by default; nothing is cut off.
        b->setMaxLength(std::numeric_limits<int>::max());
        ui::place(b, l, t, w, h);
        ui::selectAllOnFocus(b);
        return b;
    };
    auto multi = [frame](const QString &name, double l, double t, double w, double h) {
        auto *b = new QPlainTextEdit(frame);
        b->setObjectName(name);
        b->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        b->setTabChangesFocus(true);
        ui::place(b, l, t, w, h);
        ui::selectAllOnFocus(b);
        return b;
    };
    m_idBox = line(QStringLiteral("id"), 1560, 240, 1335, 285);
    m_idBox->setEnabled(false);
    m_nameBox = line(QStringLiteral("aftermarketname"), 1560, 600, 2895, 285);
    m_costBox = line(QStringLiteral("cost"), 1560, 960, 1335, 285);
    m_msrpBox = line(QStringLiteral("msrp"), 1560, 1320, 1335, 285);
    m_descriptionBox = multi(QStringLiteral("description"), 1560, 1680, 2895, 1575);
    m_pageBox = line(QStringLiteral("htmlpath"), 1560, 3360, 1455, 285);
    m_pictureBox = line(QStringLiteral("picturepath"), 3480, 1080, 615, 285);
    m_pictureBox->hide();
    m_installerBox = line(QStringLiteral("installer"), 1560, 3720, 2895, 285);
    m_phoneBox = line(QStringLiteral("phone"), 1560, 4080, 2895, 285);
    m_notesBox = multi(QStringLiteral("notes"), 1560, 4440, 2895, 1095);
    m_chooseFileButton = ui::button(frame, QStringLiteral("Command10"), tr("Choose File"), 3120, 3360, 1335, 375);

    makeCommands();

    m_nameBox->setFocus();
    ui::centre(this);
}

void ProductEditor::makeCommands() {
    m_saveButton = ui::button(this, QStringLiteral("Command1"), tr("Save"), 120, 5760, 1335, 495);
    m_clearButton = ui::button(this, QStringLiteral("Command2"), tr("Clear Form"), 1680, 5760, 1335, 495);
    m_deleteButton = ui::button(this, QStringLiteral("Command3"), tr("Delete"), 3240, 5760, 1335, 495);
    m_firstButton = ui::button(this, QStringLiteral("Command4"), tr("|<"), 120, 6360, 255, 495);
    m_previousButton = ui::button(this, QStringLiteral("Command5"), tr("<"), 480, 6360, 255, 495);
    m_nextButton = ui::button(this, QStringLiteral("Command6"), tr(">"), 840, 6360, 255, 495);
    m_lastButton = ui::button(this, QStringLiteral("Command7"), tr(">|"), 1200, 6360, 255, 495);
    m_copyButton = ui::button(this, QStringLiteral("Command9"), tr("Copy Record"), 1680, 6360, 1335, 495);
    m_exitButton = ui::button(this, QStringLiteral("Command8"), tr("EXIT"), 3240, 6360, 1335, 495);

    m_fileChooser = new FileChooser(m_app, this);
    m_fileChooser->setObjectName(QStringLiteral("dlgCommonDialog"));

    QWidget *order[] = {m_nameBox,     m_costBox,      m_msrpBox,     m_descriptionBox, m_pageBox,
                        m_pictureBox,  m_installerBox, m_phoneBox,    m_notesBox,       m_saveButton,
                        m_clearButton, m_deleteButton, m_firstButton, m_previousButton, m_nextButton,
                        m_lastButton,  m_exitButton,   m_copyButton,  m_idBox,          m_chooseFileButton};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_navigation.connectButtons({m_saveButton, m_deleteButton, m_firstButton, m_previousButton, m_nextButton,
                                 m_lastButton, m_copyButton, m_exitButton});
    m_closing = new WindowClosing(this, WindowClosing::Leaving::Unloads, [this] { return m_navigation.exit(); });
    connect(m_clearButton, &QPushButton::clicked, this, &ProductEditor::clearform);
    connect(m_chooseFileButton, &QPushButton::clicked, this, &ProductEditor::chooseFile);
}

void ProductEditor::open(std::unique_ptr<RecordWalk<Product>> walk) { m_navigation.open(std::move(walk)); }

bool ProductEditor::save() { return m_navigation.save(); }

namespace {
// Typed as money ("1,250", "$1,995.00") a price is read as money; anything else as it always was.
double typedAmount(const QString &text) {
    double amount = 0;
    return numbers::readAmount(text, &amount) ? amount : numbers::val(text);
}
} // namespace

Product ProductEditor::shown() const {
    Product p;
    p.id = numbers::val(m_idBox->text());
    p.name = trimBlanks(m_nameBox->text());
    p.cost = typedAmount(m_costBox->text());
    p.msrp = typedAmount(m_msrpBox->text());
    // An emptied description box leaves the stored description as it was.
    p.description = trimBlanks(toStoredLines(m_descriptionBox->toPlainText()));
    p.htmlpath = trimBlanks(m_pageBox->text());
    p.picturepath = trimBlanks(m_pictureBox->text());
    p.installer = trimBlanks(m_installerBox->text());
    p.phone = trimBlanks(m_phoneBox->text());
    p.notes = trimBlanks(toStoredLines(m_notesBox->toPlainText()));
    return p;
}

void ProductEditor::show(const Product &p) {
    m_idBox->setText(numbers::plain(p.id));
    m_nameBox->setText(p.name);
    m_costBox->setText(numbers::plain(p.cost));
    m_msrpBox->setText(numbers::plain(p.msrp));
    m_descriptionBox->setPlainText(toDisplayLines(p.description));
    m_pageBox->setText(p.htmlpath);
    m_pictureBox->setText(p.picturepath);
    m_installerBox->setText(p.installer);
    m_phoneBox->setText(p.phone);
    m_notesBox->setPlainText(toDisplayLines(p.notes));
    // A long path or name shows its beginning, as it was typed.
    for (QLineEdit *box :
         {m_idBox, m_nameBox, m_costBox, m_msrpBox, m_pageBox, m_pictureBox, m_installerBox, m_phoneBox})
        box->setCursorPosition(0);
}

void ProductEditor::clearform() {
    for (QLineEdit *box :
         {m_idBox, m_nameBox, m_costBox, m_msrpBox, m_pageBox, m_pictureBox, m_installerBox, m_phoneBox})
        box->setText(QString());
    m_descriptionBox->setPlainText(QString());
    m_notesBox->setPlainText(QString());
}

void ProductEditor::chooseFile() {
    const FileChoice choice = m_fileChooser->open(this, m_app.webpagesFolder(), tr("Open"), tr("All Files (*.*)"));
    if (choice.failed) {
        prompts::error(tr("Invalid File"), this);
        return;
    }
    const QString chosen = trimBlanks(choice.path);
    if (!chosen.isEmpty())
        m_pageBox->setText(chosen);
}

void ProductEditor::leave() {
    m_closing->left();
    m_app.unload<ProductEditor>();
    emit finished();
}
