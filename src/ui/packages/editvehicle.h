#pragma once

#include "core/store/recordset.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SlotGrid;

// The package template editor: one template at a time, moving through the record set its list
// handed over. Created once in a run; leaving it only hides it.
class editvehicle : public QWidget {
    Q_OBJECT
public:
    editvehicle();

    // The list has made the picked template the current record of `templates`.
    void openPicked(RecordSetPtr templates);
    // "Add Item": stores a new template at once and shows it.
    void openNew();

    void rectoform();
    void formtorec();
    bool saverecord();
    void clearform();
    void calculatetotals();

    SlotGrid *slotGrid() const { return m_slots; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void populatemenu();
    void save();
    void deleteRecord();
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();
    void copyRecord();
    void exitWindow();
    void backToList();
    bool hasRecord() const;

    RecordSetPtr m_rs; // the record set this editor was given; nobody else moves it
    SlotGrid *m_slots;
    QLineEdit *id, *vehiclename;
    QPlainTextEdit *notes;
    QLineEdit *packagename[4];
    QLabel *totalcost[4], *totalmsrp[4], *totalprofit[4];
    QGroupBox *menuframe[4];
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7, *Command8, *Command9;
};
