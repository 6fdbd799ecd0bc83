#pragma once

#include "core/deal/dealrecord.h"
#include "ui/deal/dealpresentation.h"

// A stored deal on screen as it was presented: the presentation's own page, filled from the deal file,
// with nothing that can be changed or saved. "Print" reprints it as the history's "Reprint" does.
class DealView : public DealPresentation {
    Q_OBJECT
public:
    explicit DealView(Program &app);

    void showDeal(const DealRecord &deal);
    qint64 dealNumber() const { return m_record.id; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void reprint();
    void previewStored();
    void exitView();

    Program &m_app;
    DealRecord m_record;
    bool m_closing = false;
};
