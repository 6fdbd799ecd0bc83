#pragma once

#include "core/deal/deal.h"
#include "core/deal/dealpage.h"

#include <QWidget>

class Program;
class FullScreen;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The customer presentation: one column per package of the deal it is given. The particulars and the
// disclaimer can be edited here before printing; the rest comes from the deal's page.
class DealPresentation : public QWidget {
    Q_OBJECT
public:
    explicit DealPresentation(Program &app);

    // Shows the deal (a copy: the worksheet keeps its own).
    void present(const Deal &deal);
    const Deal &deal() const { return m_deal; }
    // What "Print" prints: the deal's page with the particulars and disclaimer as the boxes show them.
    DealPage page() const;
    // The double-click of a product box: opens the page behind it, if it has one.
    void openProductPage(int package, int slot);

signals:
    // "Change Items": back to the worksheet as it was left.
    void changeItems();
    // "EXIT": the deal is over; the worksheet is discarded.
    void dealClosed();

protected:
    // For a window that shows a deal another way: the staff's commands, and the boxes made read-only.
    struct Commands {
        QPushButton *print, *changeItems, *exit, *choice, *preview, *fullScreen;
    };
    Commands commands() const {
        return {m_printButton, m_changeButton, m_exitButton, m_choiceButton, m_previewButton, m_fullScreenButton};
    }
    void makeReadOnly();
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window's parts, made in the order the first version drew them.
    void makeParticulars();
    void makePackage(int p);
    void makeFooter();
    void orderTabs();
    void connectCommands();
    // Where everything sits before the payments' rows move what lies below them.
    void rememberDesign();

    void print();
    // "Preview": the page "Print" would print now, in a print preview.
    void preview();
    void backToWorksheet();
    void exitDeal();
    // The customer's choice stored this deal as `number`: leaving no longer loses it.
    void rememberSaved(qint64 number);
    // Places the price lines for the terms offered and the payment without products, moving the rest down.
    void layOutPayments();

    Program &m_app;
    Deal m_deal;
    DealPage m_page;
    QLabel *m_dealershipLabel;
    QLineEdit *m_salespersonBox, *m_customerBox, *m_stockNumberBox, *m_vehicleBox;
    QGroupBox *m_packageFrames[menu::Packages];
    QPlainTextEdit *m_productBoxes[menu::Packages][menu::Slots];
    // Hidden copies of the page paths and printable texts, kept for outside tools that read them.
    QLineEdit *m_pageBoxes[menu::Packages][menu::Slots];
    QLineEdit *m_packageTextBoxes[menu::Packages];
    QLabel *m_priceLines[menu::Packages];
    QLabel *m_furtherPriceLines[Deal::Terms - 1][menu::Packages];
    QLabel *m_basePaymentLine;
    struct Placed {
        QWidget *widget;
        QRect geometry;
        bool belowBand; // below the price lines: moves down when they take more rows
    };
    QList<Placed> m_design;
    QSize m_designSize;
    QPlainTextEdit *m_disclaimerBox;
    QPushButton *m_printButton, *m_changeButton, *m_exitButton;
    QPushButton *m_choiceButton, *m_previewButton, *m_fullScreenButton;
    // "Full Screen" and F11: the presentation on the whole of the customer's screen.
    FullScreen *m_fullScreen;
    bool m_closing = false;
    qint64 m_savedAs = 0; // the deal number the customer's choice stored this presentation under; 0: not stored
};
