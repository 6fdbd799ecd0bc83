#include "preferences.h"

#include "core/money/numbers.h"
#include "ui/app/form1.h"
#include "ui/app/module1.h"
#include "ui/app/prompts.h"
#include "ui/app/windows.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

QString toDisplayLines(const QString &stored) {
    QString s = stored;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

QString toStoredLines(const QString &shown) {
    QString s = toDisplayLines(shown);
    s.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return s;
}

preferences::preferences() {
    setObjectName(QStringLiteral("preferences"));
    setWindowTitle(QStringLiteral("Preferences"));
    ui::setClientSize(this, 8670, 6900);

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

    label(QStringLiteral("Tax Rate:"), 120);
    ptaxrate = box(QStringLiteral("ptaxrate"), 3120, 120, 855, 285);
    label(QStringLiteral("Default Interest Rate:"), 480);
    pinterestrate = box(QStringLiteral("pinterestrate"), 3120, 480, 855, 285);
    label(QStringLiteral("Default Finance Term:"), 840);
    pfinanceterm = box(QStringLiteral("pfinanceterm"), 3120, 840, 855, 285);
    pdiscloseprices =
        check(QStringLiteral("pdiscloseprices"), QStringLiteral("Disclose Individual Prices"), 3120, 1200, 2775, 255);
    pdisclosetotals =
        check(QStringLiteral("pdisclosetotals"), QStringLiteral("Disclose Totals"), 3120, 1440, 2775, 255);
    pincludetax =
        check(QStringLiteral("pincludetax"), QStringLiteral("Include Taxes in Totals"), 3120, 1680, 3375, 255);
    label(QStringLiteral("Package 1 Name:"), 2160);
    ppackage1 = box(QStringLiteral("ppackage1"), 3120, 2160, 2295, 285);
    label(QStringLiteral("Package 2 Name:"), 2520);
    ppackage2 = box(QStringLiteral("ppackage2"), 3120, 2520, 2295, 285);
    label(QStringLiteral("Package 3 Name:"), 2880);
    ppackage3 = box(QStringLiteral("ppackage3"), 3120, 2880, 2295, 285);
    label(QStringLiteral("Package 4 Name:"), 3240);
    ppackage4 = box(QStringLiteral("ppackage4"), 3120, 3240, 2295, 285);
    label(QStringLiteral("Salesperson Name:"), 3720);
    psalespersonname = box(QStringLiteral("psalespersonname"), 3120, 3720, 2295, 285);
    label(QStringLiteral("Dealership Name:"), 4080);
    pdealershipname = box(QStringLiteral("pdealershipname"), 3120, 4080, 2295, 285);
    label(QStringLiteral("Disclaimer:"), 4440);
    pdisclaimer = new QPlainTextEdit(this);
    pdisclaimer->setObjectName(QStringLiteral("pdisclaimer"));
    pdisclaimer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pdisclaimer->setTabChangesFocus(true);
    ui::place(pdisclaimer, 3120, 4440, 3975, 855);
    label(QStringLiteral("Password:"), 5520);
    ppasswordprotect =
        check(QStringLiteral("ppasswordprotect"), QStringLiteral("Password Protect?"), 3120, 5520, 2655, 255);
    ppassword = box(QStringLiteral("ppassword"), 3120, 5760, 2295, 285);

    Command1 = ui::button(this, QStringLiteral("Command1"), QStringLiteral("SAVE"), 120, 6240, 1455, 615);
    Command2 = ui::button(this, QStringLiteral("Command2"), QStringLiteral("EXIT"), 1680, 6240, 1455, 615);

    QWidget *order[] = {ptaxrate,         pinterestrate, pfinanceterm, pdiscloseprices,  pdisclosetotals, ppackage1,
                        ppackage2,        ppackage3,     ppackage4,    psalespersonname, pdealershipname, pdisclaimer,
                        ppasswordprotect, ppassword,     Command1,     Command2,         pincludetax};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(Command1, &QPushButton::clicked, this, &preferences::save);
    connect(Command2, &QPushButton::clicked, this, [this] { exitWindow(); });
    rectoform();
    ui::centre(this);
}

void preferences::rectoform() {
    using namespace Module1;
    ppackage1->setText(package1.trimmed());
    ppackage2->setText(package2.trimmed());
    ppackage3->setText(package3.trimmed());
    ppackage4->setText(package4.trimmed());
    pdealershipname->setText(dealershipname.trimmed());
    psalespersonname->setText(salespersonname.trimmed());
    ppassword->setText(password.trimmed());
    pdisclaimer->setPlainText(toDisplayLines(disclaimer.trimmed()));
    ptaxrate->setText(numbers::plainSingle(taxrate));
    pinterestrate->setText(numbers::plainSingle(interestrate));
    pfinanceterm->setText(QString::number(financeterm));
    pdiscloseprices->setChecked(discloseprices);
    pdisclosetotals->setChecked(disclosetotals);
    ppasswordprotect->setChecked(passwordprotect);
    pincludetax->setChecked(includetax);
}

bool preferences::formtorec() {
    // Check every number before changing anything, so a bad one leaves the settings as they were.
    const auto tax = numbers::toSingle(numbers::val(ptaxrate->text()));
    const auto rate = numbers::toSingle(numbers::val(pinterestrate->text()));
    const auto term = numbers::toInt32HalfEven(numbers::val(pfinanceterm->text()));
    auto refuse = [this](const QString &what, QLineEdit *box) {
        prompts::notice(QStringLiteral("The %1 is too large to be stored. Please enter a smaller number.").arg(what),
                        this);
        box->setFocus();
        return false;
    };
    if (!tax)
        return refuse(QStringLiteral("tax rate"), ptaxrate);
    if (!rate)
        return refuse(QStringLiteral("default interest rate"), pinterestrate);
    if (!term)
        return refuse(QStringLiteral("default finance term"), pfinanceterm);

    using namespace Module1;
    package1 = ppackage1->text().trimmed();
    package2 = ppackage2->text().trimmed();
    package3 = ppackage3->text().trimmed();
    package4 = ppackage4->text().trimmed();
    dealershipname = pdealershipname->text().trimmed();
    disclaimer = toStoredLines(pdisclaimer->toPlainText()).trimmed();
    salespersonname = psalespersonname->text().trimmed();
    password = ppassword->text().trimmed();
    taxrate = *tax;
    interestrate = *rate;
    financeterm = *term;
    discloseprices = pdiscloseprices->isChecked();
    disclosetotals = pdisclosetotals->isChecked();
    passwordprotect = ppasswordprotect->isChecked();
    includetax = pincludetax->isChecked();
    return true;
}

void preferences::save() {
    if (!formtorec())
        return;
    Module1::writepreferences();
    prompts::notice(QStringLiteral("Preferences Saved"), this);
}

bool preferences::exitWindow() {
    if (!formtorec())
        return false;
    Module1::writepreferences();
    m_closing = true;
    Form1 *main = SingleWindow<Form1>::instance();
    SingleWindow<preferences>::unload();
    main->show();
    main->raise();
    return true;
}

void preferences::closeEvent(QCloseEvent *event) {
    // Closing from the title bar stores like "EXIT" does; a refused number keeps the window open.
    if (m_closing || exitWindow())
        event->accept();
    else
        event->ignore();
}
