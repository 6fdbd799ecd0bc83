#pragma once

#include "core/store/settings.h"

#include <QWidget>
#include <optional>

class Program;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The preferences window: shows the settings held for the run and hands back what the user changed,
// which is written to the settings record.
class PreferencesDialog : public QWidget {
    Q_OBJECT
public:
    explicit PreferencesDialog(Program &app);
    void showSettings(const Settings &settings);
    // The settings as the window shows them; nothing (with a message) when a number is out of range.
    std::optional<Settings> shown();

private:
    // SAVE and EXIT, the tab order of the first version, and what the buttons do.
    void makeCommands();
    bool store();
    void save();
    bool exitWindow();

    Program &m_app;
    QLineEdit *m_taxRateBox, *m_interestRateBox, *m_termBox, *m_term2Box, *m_term3Box;
    QCheckBox *m_disclosePricesBox, *m_discloseTotalsBox, *m_includeTaxBox, *m_leaseDealBox, *m_passwordProtectBox;
    QLineEdit *m_packageNameBoxes[menu::Packages];
    QLineEdit *m_salespersonBox, *m_dealershipBox, *m_passwordBox;
    QPlainTextEdit *m_disclaimerBox, *m_statementBox;
    QPushButton *m_saveButton, *m_exitButton;
};
