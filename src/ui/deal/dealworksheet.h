#pragma once

#include "core/deal/deal.h"

#include <QWidget>

class Program;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WindowClosing;
class SlotGrid;

// The deal worksheet: one customer's deal, from a template and the catalogue, with each package's
// total MSRP, profit and payment.
class DealWorksheet : public QWidget {
    Q_OBJECT
public:
    explicit DealWorksheet(Program &app);
    ~DealWorksheet() override;

    // The deal as the worksheet shows it.
    Deal deal() const;
    // Recomputes and shows the totals and payments of all four packages.
    void calculatetotals();
    // "Create Deal": the customer presentation of the deal as shown; the worksheet hides, keeping
    // everything as it is for "Change Items".
    void createDeal();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The window's parts, made in the order the first version drew them.
    void makeParticulars();
    void makeFinance();
    void makeOptions();
    // The finance frame's rows: today's, or with a lease's residuals and money factor fitted in.
    void layOutFinance();
    // Ticking one kind of deal unticks the other.
    void chooseKind(QCheckBox *ticked);
    void makePackage(int p);
    void makeBasePayments();
    void orderTabs();
    void connectInputs();

    void populatemenu();
    void populatepulldownvehicle();
    void loadTemplate(int entry);
    void setPackageName(int package, const QString &name);
    // Leaves the deal, asking first when something was typed; false when the user stays.
    bool exitWindow();
    // What the user can change, as it stands: differs from the opening state once a deal is typed.
    QStringList entries() const;
    // Whether a money box is empty or holds an amount of at least 0.
    static bool amountReads(const QLineEdit *box);
    bool amountFinancedReads() const { return amountReads(m_amountBox); }
    // The money factor typed: none when the box is empty, not a number when it holds no usable one.
    std::optional<double> typedMoneyFactor() const;
    QList<QLineEdit *> paymentInputs() const;
    void markBox(QLineEdit *box, const QString &why);
    // The lines of the further terms and the payment without products, shown only when in use.
    QList<QLabel *> furtherLines() const;

    Program &m_app;
    SlotGrid *m_slots = nullptr;
    QLineEdit *m_customerBox, *m_vehicleBox, *m_stockNumberBox, *m_salespersonBox;
    QLineEdit *m_rateBox, *m_termBox, *m_term2Box, *m_term3Box, *m_amountBox;
    QComboBox *m_templateChoice;
    QCheckBox *m_includeTaxBox, *m_cashDealBox, *m_discloseTotalsBox, *m_disclosePricesBox, *m_leaseDealBox;
    QLabel *m_amountCaption, *m_residualCaption, *m_moneyFactorCaption, *m_rateCaption, *m_termCaption,
        *m_templateCaption;
    QLineEdit *m_residualBoxes[Deal::Terms], *m_moneyFactorBox;
    QGroupBox *m_packageFrames[menu::Packages];
    QString m_packageNames[menu::Packages];
    QLabel *m_totalMsrp[menu::Packages], *m_totalProfit[menu::Packages], *m_totalPayment[menu::Packages];
    // The further terms' lines of each package, and the payment without products for each term.
    QLabel *m_furtherCaptions[Deal::Terms - 1][menu::Packages], *m_furtherPayments[Deal::Terms - 1][menu::Packages];
    QLabel *m_baseCaptions[Deal::Terms], *m_basePayments[Deal::Terms];
    QPushButton *m_createButton, *m_exitButton;
    QStringList m_opened; // the entries as the window opened
    bool m_loading = false;
    void tellChangedPicks();
    // Picks the catalogue changed under the deal (a product gone, a price changed), told once the worksheet shows.
    QStringList m_changedPicks;
    WindowClosing *m_closing;
};
