#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct DealPage;

// The customer presentation: one column per package, filled by the deal worksheet's "Create Deal".
// It keeps no data beyond its controls; the hidden boxes carry the page paths and the printable text.
class dealmenu : public QWidget {
    Q_OBJECT
public:
    static constexpr int packageCount = 4;
    static constexpr int slotCount = 10;

    dealmenu();

    // What the builder writes.
    void setDealershipName(const QString &name);
    void setParticulars(const QString &salesperson, const QString &customer, const QString &stockNumber,
                        const QString &vehicle);
    void showPriceLines();
    void setPriceLine(int package, const QString &line);
    void setPackageName(int package, const QString &name);
    void setDisclaimer(const QString &text);
    // The printable text of a package, CR LF kept exactly.
    QString productText(int package) const;
    void setProductText(int package, const QString &text);
    // Shows the box of one slot with its text and remembers the page behind it.
    void showProduct(int package, int slot, const QString &text, const QString &webpath);

    // What the printout reads, each value trimmed.
    DealPage page() const;
    // The double-click of a product box: opens the page behind it, if it has one.
    void openProductPage(int package, int slot);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void print();
    void changeItems();
    void exitDeal();

    QLabel *dealershipnametext;
    QLabel *Label1[4];
    QLineEdit *salespersonnametext, *customernametext, *stocknumbertext, *vehicletext;
    QGroupBox *menuframe[packageCount];
    QPlainTextEdit *product[packageCount][slotCount];
    QLineEdit *webpath[packageCount][slotCount];
    QLineEdit *producttext[packageCount];
    QLabel *pricepayment[packageCount];
    QPlainTextEdit *disclaimertext;
    QPushButton *Command1, *Command2, *Command3;
};
