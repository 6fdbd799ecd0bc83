#pragma once

#include "core/store/recordset.h"

#include <QWidget>

class CommonDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The product editor: shows and changes the current record of the record set it was given.
class editform : public QWidget {
    Q_OBJECT
public:
    editform();

    // Takes a record set standing on the product to show (storing first what an earlier one showed).
    void open(RecordSetPtr rs);
    // Stores what the editor shows and lets go of its record set; true when a record was stored.
    bool release();
    RecordSetPtr recordSet() const { return m_rs; }

    // Boxes into the record being added or edited in `rs`.
    void formtorec(RecordSet &rs);
    void formtorec();
    void rectoform();
    void clearform();
    void saverecord();

    QString idText() const;
    void setIdText(const QString &text);

    CommonDialog *dlgCommonDialog;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void deleteRecord();
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();
    void copyRecord();
    void exitWindow();
    void chooseFile();
    void backToList();

    QGroupBox *Frame1;
    QLabel *Label1[9];
    QLineEdit *id, *aftermarketname, *cost, *msrp, *htmlpath, *picturepath, *installer, *phone;
    QPlainTextEdit *description, *notes;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7, *Command8, *Command9,
        *Command10;
    // The editor keeps the set it was given, whatever another window later puts in the shared one.
    RecordSetPtr m_rs;
    bool m_closing = false;
};
