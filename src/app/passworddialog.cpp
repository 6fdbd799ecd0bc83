#include "app/passworddialog.h"

#include "core/text/storedtext.h"
#include "ui/common/program.h"
#include "ui/common/geometry.h"
#include "ui/common/prompts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

PasswordDialog::PasswordDialog(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("security"));
    setWindowTitle(tr("Enter Password"));
    ui::setClientSize(this, 3825, 1410);

    m_passwordBox = new QLineEdit(this);
    m_passwordBox->setObjectName(QStringLiteral("enterpassword"));
    m_passwordBox->setEchoMode(QLineEdit::Password);
    m_passwordBox->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 35; }"));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(13.5);
    f.setBold(true);
    m_passwordBox->setFont(f);
    ui::place(m_passwordBox, 120, 120, 3615, 495);

    m_continueButton = ui::button(this, QStringLiteral("Command1"), tr("&Continue"), 120, 720, 1695, 615);
    m_exitButton = ui::button(this, QStringLiteral("Command2"), tr("E&XIT"), 2040, 720, 1695, 615);
    setTabOrder(m_passwordBox, m_continueButton);
    setTabOrder(m_continueButton, m_exitButton);

    connect(m_continueButton, &QPushButton::clicked, this, &PasswordDialog::checkPassword);
    connect(m_passwordBox, &QLineEdit::returnPressed, this, &PasswordDialog::checkPassword);
    connect(m_exitButton, &QPushButton::clicked, this, [] { QCoreApplication::exit(0); });
}

void PasswordDialog::begin() {
    if (!m_app.settings().passwordProtect) {
        passThrough();
        return;
    }
    ui::centre(this);
    show();
    m_passwordBox->setFocus();
}

void PasswordDialog::checkPassword() {
    const QString typed = storedtext::trimBlanks(m_passwordBox->text().toUpper());
    const QString stored = storedtext::trimBlanks(m_app.settings().password.toUpper());
    if (typed == stored) {
        passThrough();
        return;
    }
    prompts::notice(tr("Incorrect Password"), this);
    m_passwordBox->clear();
}

void PasswordDialog::passThrough() {
    m_app.showHome();
    hide();
}

void PasswordDialog::closeEvent(QCloseEvent *event) {
    event->accept();
    QCoreApplication::exit(0);
}
