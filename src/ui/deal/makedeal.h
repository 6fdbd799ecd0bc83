#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SlotGrid;

// The deal worksheet: one customer's deal, from a template and the catalogue, with each package's
// total MSRP, profit and payment. Other windows read its controls by object name.
class makedeal : public QWidget {
    Q_OBJECT
public:
    makedeal();
    ~makedeal() override;

    // Recomputes and shows the totals and payments of all four packages.
    void calculatetotals();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void populatemenu();
    void populatepulldownvehicle();
    void loadTemplate(int entry);
    void exitWindow();
    void markBox(QLineEdit *box, const QString &why);

    SlotGrid *m_slots = nullptr;
    QLineEdit *customername, *customervehicle, *stocknumber, *salesperson;
    QLineEdit *interestrate, *financeterm;
    QComboBox *vehicledefault;
    QCheckBox *includetax1, *cashdeal1, *disclosetotals1, *discloseprices1;
    QGroupBox *menuframe[4];
    QLabel *totalmsrp[4], *totalprofit[4], *totalpayment[4];
    QPushButton *Command1, *Command3;
    bool m_loading = false;
    bool m_closing = false;
};
