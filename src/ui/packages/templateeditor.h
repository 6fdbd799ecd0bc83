#pragma once

#include "core/store/packagetemplate.h"
#include "ui/common/recordnavigation.h"

#include <QWidget>

class Program;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SlotGrid;

// The package template editor: one template at a time, walking the templates its list handed over.
// Created once in a run; leaving it only hides it. Its slot lists follow what this program stores in the
// catalogue and read it afresh when the editor opens again.
class TemplateEditor : public QWidget {
    Q_OBJECT
public:
    explicit TemplateEditor(Program &app);

    // Shows the walk's current template (the one picked in the list).
    void openPicked(std::unique_ptr<RecordWalk<PackageTemplate>> walk);
    // "Add Item": draws an id and stores a new template at once (the default package names, every
    // slot empty), then shows it. False when nothing was stored.
    bool openNew();
    // Stores what is shown into the template stood on; true when it was stored.
    bool save();

    PackageTemplate shown() const;
    void show(const PackageTemplate &value);
    using QWidget::show;
    void clearform();
    void calculatetotals();

signals:
    // The editor has been left (EXIT or Delete): the template list is to be shown again.
    void finished();

private:
    // Per package: its name, its ten slots and its three totals.
    void makePackages();
    QGroupBox *frame(const QString &name, const QString &title, double l, double t, double w, double h);
    void readCatalogue();
    void leave();

    Program &m_app;
    RecordNavigation<PackageTemplate> m_navigation;
    SlotGrid *m_slots;
    bool m_catalogueRead = true; // false once left: the catalogue may change before the next opening
    QLineEdit *m_idBox, *m_vehicleBox;
    QPlainTextEdit *m_notesBox;
    QLineEdit *m_packageNameBoxes[menu::Packages];
    QLabel *m_totalCost[menu::Packages], *m_totalMsrp[menu::Packages], *m_totalProfit[menu::Packages];
    QPushButton *m_saveButton, *m_clearButton, *m_deleteButton, *m_firstButton, *m_previousButton, *m_nextButton,
        *m_lastButton, *m_exitButton, *m_copyButton;
};
