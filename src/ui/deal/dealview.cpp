#include "ui/deal/dealview.h"

#include "core/print/acceptanceprintout.h"
#include "core/print/dealprintout.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/print/printpreview.h"

#include <QCloseEvent>
#include <QPushButton>

DealView::DealView(Program &app) : DealPresentation(app), m_app(app) {
    setObjectName(QStringLiteral("dealview"));
    setWindowTitle(tr("Stored Deal"));
    // The presentation's commands act on a deal being sold; here they print the stored one or leave.
    const Commands c = commands();
    for (QPushButton *button : {c.print, c.exit, c.preview})
        disconnect(button, nullptr, this, nullptr);
    connect(c.print, &QPushButton::clicked, this, &DealView::reprint);
    connect(c.exit, &QPushButton::clicked, this, &DealView::exitView);
    connect(c.preview, &QPushButton::clicked, this, &DealView::previewStored);
    c.changeItems->hide();
    c.choice->hide();
    makeReadOnly();
}

void DealView::showDeal(const DealRecord &deal) {
    m_record = deal;
    present(deal.deal());
    setWindowTitle(tr("Stored Deal %1").arg(deal.id));
}

void DealView::reprint() {
    if (prompts::confirm(tr("Reprint Deal %1?").arg(m_record.id), this) != 1)
        return;
    if (reprintDeal(m_app.printer(), m_record))
        printAcceptance(m_app.printer(), m_record);
}

void DealView::previewStored() {
    const DealRecord stored = m_record;
    auto *window = new PrintPreview(
        m_app, tr("Deal %1").arg(stored.id), QStringLiteral("Deal %1.pdf").arg(stored.id),
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
