#include "ui/deal/dealview.h"

#include "core/print/acceptanceprintout.h"
#include "core/print/dealprintout.h"
#include "ui/app/application.h"
#include "ui/app/prompts.h"
#include "ui/print/printpreview.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

DealView::DealView(Application &app) : DealPresentation(app), m_app(app) {
    setObjectName(QStringLiteral("dealview"));
    setWindowTitle(QStringLiteral("Stored Deal"));
    // The presentation's commands act on a deal being sold; here they print the stored one or leave.
    auto command = [this](const char *name) {
        auto *button = findChild<QPushButton *>(QString::fromLatin1(name));
        if (button)
            disconnect(button, nullptr, this, nullptr);
        return button;
    };
    if (QPushButton *print = command("Command1"))
        connect(print, &QPushButton::clicked, this, &DealView::reprint);
    if (QPushButton *exit = command("Command3"))
        connect(exit, &QPushButton::clicked, this, &DealView::exitView);
    if (QPushButton *preview = command("Command5"))
        connect(preview, &QPushButton::clicked, this, &DealView::previewStored);
    for (const char *name : {"Command2", "Command4"}) // "Change Items", "Customer Choice"
        if (QPushButton *button = command(name))
            button->hide();
    for (QLineEdit *box : findChildren<QLineEdit *>())
        box->setReadOnly(true);
    for (QPlainTextEdit *box : findChildren<QPlainTextEdit *>())
        box->setReadOnly(true);
    for (QTextEdit *box : findChildren<QTextEdit *>())
        box->setReadOnly(true);
}

void DealView::showDeal(const DealRecord &deal) {
    m_record = deal;
    present(deal.deal());
    setWindowTitle(QStringLiteral("Stored Deal %1").arg(deal.id));
}

void DealView::reprint() {
    if (prompts::confirm(QStringLiteral("Reprint Deal %1?").arg(m_record.id), this) != 1)
        return;
    if (reprintDeal(m_app.printer(), m_record))
        printAcceptance(m_app.printer(), m_record);
}

void DealView::previewStored() {
    const DealRecord stored = m_record;
    auto *window = new PrintPreview(
        m_app, QStringLiteral("Deal %1").arg(stored.id), QStringLiteral("Deal %1.pdf").arg(stored.id),
        [stored](Printer &printer) { return reprintDeal(printer, stored); }, this);
    window->show();
}

void DealView::exitView() {
    m_closing = true;
    m_app.unload<DealView>();
    if (!m_app.anyWindowShown())
        m_app.showHome();
}

void DealView::closeEvent(QCloseEvent *event) {
    // Not the presentation's close: the deal being sold, if any, stays as it is.
    event->accept();
    if (!m_closing)
        exitView();
}
