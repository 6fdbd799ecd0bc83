#include "security.h"

#include "ui/app/form1.h"
#include "ui/app/module1.h"
#include "ui/app/prompts.h"
#include "ui/app/windows.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

security::security() {
    setObjectName(QStringLiteral("security"));
    setWindowTitle(QStringLiteral("Enter Password"));
    ui::setClientSize(this, 3825, 1410);

    enterpassword = new QLineEdit(this);
    enterpassword->setObjectName(QStringLiteral("enterpassword"));
    enterpassword->setEchoMode(QLineEdit::Password);
    enterpassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 35; }"));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(13.5);
    f.setBold(true);
    enterpassword->setFont(f);
    ui::place(enterpassword, 120, 120, 3615, 495);

    Command1 = ui::button(this, QStringLiteral("Command1"), QStringLiteral("&Continue"), 120, 720, 1695, 615);
    Command2 = ui::button(this, QStringLiteral("Command2"), QStringLiteral("E&XIT"), 2040, 720, 1695, 615);
    setTabOrder(enterpassword, Command1);
    setTabOrder(Command1, Command2);

    connect(Command1, &QPushButton::clicked, this, &security::checkPassword);
    connect(enterpassword, &QLineEdit::returnPressed, this, &security::checkPassword);
    connect(Command2, &QPushButton::clicked, this, [] { QCoreApplication::exit(0); });
}

bool security::load(QString *why) {
    if (!Module1::opendatabases(why))
        return false;
    if (!Module1::passwordprotect) {
        passThrough();
    } else {
        ui::centre(this);
        show();
        enterpassword->setFocus();
    }
    return true;
}

void security::checkPassword() {
    const QString typed = enterpassword->text().toUpper().trimmed();
    const QString stored = Module1::password.toUpper().trimmed();
    if (typed == stored) {
        passThrough();
        return;
    }
    prompts::notice(QStringLiteral("Incorrect Password"), this);
    enterpassword->clear();
}

void security::passThrough() {
    Form1 *main = SingleWindow<Form1>::instance();
    main->show();
    ui::centre(main);
    main->raise();
    main->activateWindow();
    hide();
}

void security::closeEvent(QCloseEvent *event) {
    event->accept();
    QCoreApplication::exit(0);
}
