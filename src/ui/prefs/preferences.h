#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The preferences window: edits the settings held in memory and writes the settings record.
class preferences : public QWidget {
    Q_OBJECT
public:
    preferences();
    void rectoform();
    // Controls to settings; false (with a message, nothing changed) when a number is out of range.
    bool formtorec();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void save();
    bool exitWindow();

    QLineEdit *ptaxrate, *pinterestrate, *pfinanceterm;
    QCheckBox *pdiscloseprices, *pdisclosetotals, *pincludetax, *ppasswordprotect;
    QLineEdit *ppackage1, *ppackage2, *ppackage3, *ppackage4;
    QLineEdit *psalespersonname, *pdealershipname, *ppassword;
    QPlainTextEdit *pdisclaimer;
    QPushButton *Command1, *Command2;
    bool m_closing = false;
};

// Multi-line boxes show stored CR LF as line breaks and hand their text back with CR LF.
QString toDisplayLines(const QString &stored);
QString toStoredLines(const QString &shown);
