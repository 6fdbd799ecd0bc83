#pragma once

#include "core/store/templaterepository.h"

#include <QWidget>

class Program;
class QPushButton;
class QTableWidget;
class TemplateEditor;

// The package template list: every template with an id above 0, by vehicle name and notes.
class TemplateList : public QWidget {
    Q_OBJECT
public:
    explicit TemplateList(Program &app);

    // Reads the templates again and rebuilds the grid (what loading the window does).
    void load();

private:
    void openRow(int row);
    void addItem();
    bool storeShownTemplate();
    void exitWindow();
    // The row of the first template with this id, or -1.
    int rowOf(double id) const;
    // The editor, made when first needed; when it is left, the list is shown again.
    TemplateEditor *editor();

    Program &m_app;
    QVector<ListedTemplate> m_rows; // what the grid shows, in its order
    QTableWidget *m_grid;
    QPushButton *m_addButton, *m_exitButton;
};
