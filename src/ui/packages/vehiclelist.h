#pragma once

#include "core/store/recordset.h"

#include <QWidget>

class QPushButton;
class QTableWidget;

// The package template list: every template with an id above 0, by vehicle name and notes.
class vehiclelist : public QWidget {
    Q_OBJECT
public:
    vehiclelist();

    // Opens the list query again and rebuilds the grid (what loading the window does).
    void load();
    void cleargrid();
    void makelist();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void openRow(int row);
    void addItem();
    bool storeShownTemplate();
    void exitWindow();

    RecordSetPtr m_rs; // the set this list opened; the shared one may since have been narrowed
    QTableWidget *grid1;
    QPushButton *Command1, *Command3;
};
