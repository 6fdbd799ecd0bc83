#include "ui/prefs/preferencesdialog.h"

#include "core/money/numbers.h"
#include "core/text/storedtext.h"
#include "ui/common/geometry.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/common/serveraccount.h"
#include "ui/common/windowclosing.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using storedtext::trimBlanks;

PreferencesDialog::PreferencesDialog(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("preferences"));
    setWindowTitle(tr("Preferences"));
    ui::setClientSize(this, 8670, 8580);

    int labelIndex = 0;
    auto label = [&](const QString &text, double top) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QStringLiteral("Label1(%1)").arg(labelIndex++));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ui::place(l, 120, top, 2895, 255);
    };
    auto box = [&](const QString &name, double l, double t, double w, double h) {
        auto *b = new QLineEdit(this);
        b->setObjectName(name);
        ui::place(b, l, t, w, h);
        ui::selectAllOnFocus(b);
        return b;
    };
    auto check = [&](const QString &name, const QString &text, double l, double t, double w, double h) {
        auto *c = new QCheckBox(text, this);
        c->setObjectName(name);
        ui::place(c, l, t, w, h);
        return c;
    };

    // The rows of the first version keep their order; the further terms follow the default term and
    // the acceptance statement the disclaimer, and the rows below move down to make room.
    label(tr("Tax Rate:"), 120);
    m_taxRateBox = box(QStringLiteral("ptaxrate"), 3120, 120, 855, 285);
    label(tr("Default Interest Rate:"), 480);
    m_interestRateBox = box(QStringLiteral("pinterestrate"), 3120, 480, 855, 285);
    label(tr("Default Finance Term:"), 840);
    m_termBox = box(QStringLiteral("pfinanceterm"), 3120, 840, 855, 285);
    m_disclosePricesBox =
        check(QStringLiteral("pdiscloseprices"), tr("Disclose Individual Prices"), 3120, 1920, 2775, 255);
    m_discloseTotalsBox = check(QStringLiteral("pdisclosetotals"), tr("Disclose Totals"), 3120, 2160, 2775, 255);
    m_includeTaxBox = check(QStringLiteral("pincludetax"), tr("Include Taxes in Totals"), 3120, 2400, 3375, 255);
    m_leaseDealBox = check(QStringLiteral("pleasedeal"), tr("Lease Deal by Default"), 3120, 2655, 3375, 225);
    for (int p = 0; p < menu::Packages; ++p) {
        label(tr("Package %1 Name:").arg(p + 1), 2880 + 360 * p);
        m_packageNameBoxes[p] = box(QStringLiteral("ppackage%1").arg(p + 1), 3120, 2880 + 360 * p, 2295, 285);
    }
    label(tr("Salesperson Name:"), 4440);
    m_salespersonBox = box(QStringLiteral("psalespersonname"), 3120, 4440, 2295, 285);
    label(tr("Dealership Name:"), 4800);
    m_dealershipBox = box(QStringLiteral("pdealershipname"), 3120, 4800, 2295, 285);
    label(tr("Disclaimer:"), 5160);
    auto multi = [this](const QString &name, double top) {
        auto *b = new QPlainTextEdit(this);
        b->setObjectName(name);
        b->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        b->setTabChangesFocus(true);
        ui::place(b, 3120, top, 3975, 855);
        return b;
    };
    m_disclaimerBox = multi(QStringLiteral("pdisclaimer"), 5160);
    label(tr("Password:"), 7080);
    m_passwordProtectBox = check(QStringLiteral("ppasswordprotect"), tr("Password Protect?"), 3120, 7080, 2655, 255);
    m_passwordBox = box(QStringLiteral("ppassword"), 3120, 7320, 2295, 285);
    label(tr("Second Term:"), 1200);
    m_term2Box = box(QStringLiteral("pfinanceterm2"), 3120, 1200, 855, 285);
    label(tr("Third Term:"), 1560);
    m_term3Box = box(QStringLiteral("pfinanceterm3"), 3120, 1560, 855, 285);
    label(tr("Acceptance Statement:"), 6120);
    m_statementBox = multi(QStringLiteral("pstatement"), 6120);

    makeCommands();
    showSettings(m_app.settings());
    // The salesperson is each login's own: a desk that may not change the dealership's preferences still
    // keeps its name here with SAVE.
    if (!m_app.store().mayChange(Store::What::Preferences)) {
        for (QWidget *control : std::initializer_list<QWidget *>{
                 m_taxRateBox, m_interestRateBox, m_termBox, m_term2Box, m_term3Box, m_disclosePricesBox,
                 m_discloseTotalsBox, m_includeTaxBox, m_leaseDealBox, m_dealershipBox, m_disclaimerBox, m_statementBox,
                 m_passwordProtectBox, m_passwordBox})
            serveraccount::keepFromChanging(control);
        for (QLineEdit *nameBox : m_packageNameBoxes)
            serveraccount::keepFromChanging(nameBox);
    }
    ui::centre(this);
}

void PreferencesDialog::makeCommands() {
    m_saveButton = ui::button(this, QStringLiteral("Command1"), tr("SAVE"), 120, 7800, 1455, 615);
    m_exitButton = ui::button(this, QStringLiteral("Command2"), tr("EXIT"), 1680, 7800, 1455, 615);

    QWidget *order[] = {m_taxRateBox,
                        m_interestRateBox,
                        m_termBox,
                        m_term2Box,
                        m_term3Box,
                        m_disclosePricesBox,
                        m_discloseTotalsBox,
                        m_packageNameBoxes[0],
                        m_packageNameBoxes[1],
                        m_packageNameBoxes[2],
                        m_packageNameBoxes[3],
                        m_salespersonBox,
                        m_dealershipBox,
                        m_disclaimerBox,
                        m_statementBox,
                        m_passwordProtectBox,
                        m_passwordBox,
                        m_saveButton,
                        m_exitButton,
                        m_includeTaxBox,
                        m_leaseDealBox};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_saveButton, &QPushButton::clicked, this, &PreferencesDialog::save);
    auto *closing = new WindowClosing(this, WindowClosing::Leaving::Unloads, [this] { return exitWindow(); });
    connect(m_exitButton, &QPushButton::clicked, closing, &WindowClosing::exit);
}

void PreferencesDialog::showSettings(const Settings &s) {
    for (int p = 0; p < menu::Packages; ++p)
        m_packageNameBoxes[p]->setText(trimBlanks(s.packageNames[p]));
    m_dealershipBox->setText(trimBlanks(s.dealershipName));
    m_salespersonBox->setText(trimBlanks(s.salespersonName));
    m_passwordBox->setText(trimBlanks(s.password));
    m_disclaimerBox->setPlainText(storedtext::toDisplayLines(trimBlanks(s.disclaimer)));
    m_taxRateBox->setText(numbers::plainSingle(s.taxRate));
    m_interestRateBox->setText(numbers::plainSingle(s.interestRate));
    m_termBox->setText(QString::number(s.financeTerm));
    // A further term of 0 is not offered: its box is empty.
    m_term2Box->setText(s.financeTerm2 ? QString::number(s.financeTerm2) : QString());
    m_term3Box->setText(s.financeTerm3 ? QString::number(s.financeTerm3) : QString());
    m_statementBox->setPlainText(storedtext::toDisplayLines(trimBlanks(s.statement)));
    m_disclosePricesBox->setChecked(s.disclosePrices);
    m_discloseTotalsBox->setChecked(s.discloseTotals);
    m_passwordProtectBox->setChecked(s.passwordProtect);
    m_includeTaxBox->setChecked(s.includeTax);
    m_leaseDealBox->setChecked(s.leaseDeal);
}

std::optional<Settings> PreferencesDialog::shown() {
    // Every number is checked before anything is handed back, so a bad one changes nothing.
    Settings s = m_app.settings();
    const auto typed = [&s](const char *field, QLineEdit *box) {
        return setNumber(s, QLatin1String(field), numbers::val(box->text()));
    };
    auto refuse = [this](const QString &what, QLineEdit *box) -> std::optional<Settings> {
        prompts::notice(tr("The %1 is too large to be stored. Please enter a smaller number.").arg(what), this);
        box->setFocus();
        return std::nullopt;
    };
    if (!typed("taxrate", m_taxRateBox))
        return refuse(tr("tax rate"), m_taxRateBox);
    // 7 typed for 7 % would make every taxed payment eight times as large. A rate already stored so (an
    // older file) is left as it is, so the window can still be left without correcting it.
    const float storedTax = m_app.settings().taxRate;
    if (s.taxRate >= 1 && s.taxRate != storedTax) {
        prompts::notice(tr("The tax rate is a fraction: 0.07 means 7 %."), this);
        m_taxRateBox->setText(numbers::plainSingle(storedTax));
        m_taxRateBox->setFocus();
        return std::nullopt;
    }
    if (!typed("interestrate", m_interestRateBox))
        return refuse(tr("default interest rate"), m_interestRateBox);
    if (!typed("financeterm", m_termBox))
        return refuse(tr("default finance term"), m_termBox);
    if (!typed("financeterm2", m_term2Box))
        return refuse(tr("second term"), m_term2Box);
    if (!typed("financeterm3", m_term3Box))
        return refuse(tr("third term"), m_term3Box);

    for (int p = 0; p < menu::Packages; ++p)
        s.packageNames[p] = trimBlanks(m_packageNameBoxes[p]->text());
    s.dealershipName = trimBlanks(m_dealershipBox->text());
    s.disclaimer = trimBlanks(storedtext::toStoredLines(m_disclaimerBox->toPlainText()));
    s.salespersonName = trimBlanks(m_salespersonBox->text());
    s.password = trimBlanks(m_passwordBox->text());
    s.statement = trimBlanks(storedtext::toStoredLines(m_statementBox->toPlainText()));
    s.disclosePrices = m_disclosePricesBox->isChecked();
    s.discloseTotals = m_discloseTotalsBox->isChecked();
    s.passwordProtect = m_passwordProtectBox->isChecked();
    s.includeTax = m_includeTaxBox->isChecked();
    s.leaseDeal = m_leaseDealBox->isChecked();
    return s;
}

bool PreferencesDialog::store() {
    const std::optional<Settings> settings = shown();
    return settings && m_app.saveSettings(*settings);
}

void PreferencesDialog::save() {
    if (store())
        prompts::notice(tr("Preferences Saved"), this);
}

bool PreferencesDialog::exitWindow() {
    if (!store())
        return false;
    m_app.unload<PreferencesDialog>();
    m_app.showHome();
    return true;
}
