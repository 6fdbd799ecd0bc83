#pragma once

#include "core/report/productreport.h"

#include <QWidget>

class Program;
class HistoryModel;
class QLineEdit;
class QPushButton;
class QTableView;

// Every stored deal, newest first, narrowed as the user types; a deal can be printed again exactly as
// it was saved, the rows shown exported, and every deal checked against its seal.
class DealHistory : public QWidget {
    Q_OBJECT
public:
    explicit DealHistory(Program &app);

    // Reads the deal file again.
    void reload();
    // The rows shown, as their cells read.
    QList<QStringList> shownRows() const;
    // The deal of the selected row; 0 when none is selected.
    qint64 selectedDeal() const;

private:
    void reprint();
    void viewDeal(qint64 id);
    void exportRows();
    void verifySeals();
    void exitWindow();

    Program &m_app;
    QLineEdit *m_searchBox;
    QTableView *m_grid;
    HistoryModel *m_model;
    QPushButton *m_reprintButton, *m_reportButton, *m_exitButton, *m_exportButton, *m_verifyButton;
};
