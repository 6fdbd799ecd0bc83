#pragma once

#include "core/deal/dealrecord.h"

#include <QWidget>
#include <array>

class Program;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class SignaturePad;

// The customer's choice on a presented deal: one package (some of its products unticked) or Decline
// All, over one of the terms offered, with the payment that results, and the customer's signature when
// they sign on screen. Saving stores the deal with the choice (and the signature) in the deal file.
class DealChoice : public QWidget {
    Q_OBJECT
public:
    explicit DealChoice(Program &app);

    // Shows the deal's packages, nothing chosen, modal over `over` (the presentation). `savedAs` is the
    // number this deal was already stored under from there (0: not yet), so saving it again is asked first.
    void choose(const Deal &deal, QWidget *over, qint64 savedAs = 0);
    // The choice as the window shows it, not yet stored (no number, no time).
    DealRecord record() const;
    // The package chosen, DealRecord::DeclinedAll, or nothing chosen yet (-2).
    int chosen() const;

signals:
    // The choice was stored as deal `number`.
    void saved(qint64 number);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    static constexpr int NothingChosen = -2;
    void packageChosen(int package);
    void showPayment();
    void save(bool print);
    void cancel();

    Program &m_app;
    Deal m_deal;
    qint64 m_savedAs = 0;
    QButtonGroup *m_choices;
    std::array<QRadioButton *, menu::Packages> m_packageButtons;
    QRadioButton *m_declineButton;
    QGroupBox *m_termFrame;
    QButtonGroup *m_terms;
    std::array<QRadioButton *, Deal::Terms> m_termButtons;
    QListWidget *m_acceptedList;
    QLabel *m_paymentLabel;
    SignaturePad *m_signaturePad;
    QPushButton *m_printSaveButton, *m_saveButton, *m_cancelButton, *m_clearSignatureButton;
    bool m_closing = false;
};
