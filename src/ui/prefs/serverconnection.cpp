#include "ui/prefs/serverconnection.h"

#include "ui/common/geometry.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/common/windowclosing.h"
#include "ui/prefs/serverchoice.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUuid>

ServerConnection::ServerConnection(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("serverconnection"));
    setWindowTitle(tr("Dealership Server"));
    ui::setClientSize(this, 6480, 3060);

    int row = 0;
    auto box = [&](const QString &name, const QString &caption) {
        const double top = 120 + 360 * row;
        auto *label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("serverlabel(%1)").arg(row++));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ui::place(label, 120, top, 1620, 285);
        auto *b = new QLineEdit(this);
        b->setObjectName(name);
        ui::place(b, 1860, top, 4500, 285);
        ui::selectAllOnFocus(b);
        label->setBuddy(b);
        return b;
    };
    m_hostBox = box(QStringLiteral("serverhost"), tr("&Server:"));
    m_portBox = box(QStringLiteral("serverport"), tr("P&ort:"));
    ui::place(m_portBox, 1860, 480, 855, 285);
    m_databaseBox = box(QStringLiteral("serverdatabase"), tr("&Database:"));
    m_userBox = box(QStringLiteral("serveruser"), tr("&User:"));
    m_passwordBox = box(QStringLiteral("serverpassword"), tr("Pass&word:"));
    m_passwordBox->setEchoMode(QLineEdit::Password);
    m_rememberPasswordBox = new QCheckBox(tr("Remember the password"), this);
    m_rememberPasswordBox->setObjectName(QStringLiteral("rememberpassword"));
    ui::place(m_rememberPasswordBox, 1860, 1920, 4500, 255);

    m_connectButton = ui::button(this, QStringLiteral("Command1"), tr("Connect"), 120, 2325, 1500, 615);
    m_localButton =
        ui::button(this, QStringLiteral("Command2"), tr("Use This Computer's Files"), 1740, 2325, 2985, 615);
    m_cancelButton = ui::button(this, QStringLiteral("Command3"), tr("Cancel"), 4845, 2325, 1515, 615);
    m_connectButton->setDefault(true);

    connect(m_connectButton, &QPushButton::clicked, this, &ServerConnection::connectToServer);
    connect(m_localButton, &QPushButton::clicked, this, &ServerConnection::useLocalFiles);
    auto *closing = new WindowClosing(this, WindowClosing::Leaving::Unloads, [this] { return leave(); });
    connect(m_cancelButton, &QPushButton::clicked, closing, &WindowClosing::exit);

    showServer(serverchoice::remembered());
    ui::centre(this);
}

void ServerConnection::showServer(const std::optional<ServerAddress> &server) {
    const ServerAddress shown = server.value_or(ServerAddress());
    m_hostBox->setText(shown.host);
    m_portBox->setText(QString::number(shown.port));
    m_databaseBox->setText(shown.database);
    m_userBox->setText(shown.user);
    m_passwordBox->clear();
    m_rememberPasswordBox->setChecked(server && serverchoice::passwordRemembered(*server));
}

std::optional<ServerAddress> ServerConnection::shown() {
    ServerAddress server;
    server.host = m_hostBox->text().trimmed();
    server.database = m_databaseBox->text().trimmed();
    server.user = m_userBox->text().trimmed();
    server.password = m_passwordBox->text();
    bool ok = false;
    server.port = m_portBox->text().toInt(&ok);
    auto refuse = [this](const QString &text, QLineEdit *box) -> std::optional<ServerAddress> {
        prompts::notice(text, this);
        box->setFocus();
        return std::nullopt;
    };
    if (server.host.isEmpty())
        return refuse(tr("Please enter the name or address of the dealership server."), m_hostBox);
    if (!ok || server.port < 1 || server.port > 65535)
        return refuse(tr("The port is a number from 1 to 65535 (the server's usual one is 5432)."), m_portBox);
    if (server.database.isEmpty())
        return refuse(tr("Please enter the name of the database (usually quorvel)."), m_databaseBox);
    if (server.user.isEmpty())
        return refuse(tr("Please enter the user name the server knows you by."), m_userBox);
    return server;
}

bool ServerConnection::tryConnecting(const ServerAddress &server, QString *why) {
    const QString name = QStringLiteral("serverconnection-") + QUuid::createUuid().toString(QUuid::Id128);
    bool connected = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(server.host);
        db.setPort(server.port);
        db.setDatabaseName(server.database);
        db.setUserName(server.user);
        // Without a password typed libpq looks in the password file, as the program will at its start.
        if (!server.password.isEmpty())
            db.setPassword(server.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        connected = db.open();
        if (!connected) {
            *why = db.lastError().databaseText().trimmed();
            if (why->isEmpty())
                *why = db.lastError().text();
        } else if (!db.tables().contains(QStringLiteral("products"))) {
            connected = false;
            *why = tr("it holds no Quorvel data yet; whoever looks after the server sets it up with "
                      "quorvel --setup-server first");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return connected;
}

void ServerConnection::connectToServer() {
    std::optional<ServerAddress> server = shown();
    if (!server)
        return;
    QString why;
    if (!tryConnecting(*server, &why)) {
        prompts::error(tr("Quorvel could not connect to the dealership server %1: %2").arg(server->label(), why), this);
        return;
    }
    // The box unticked forgets a password kept earlier; ticked with none typed keeps it.
    const bool remember = m_rememberPasswordBox->isChecked();
    if (remember ? !server->password.isEmpty() : serverchoice::passwordRemembered(*server)) {
        ServerAddress line = *server;
        if (!remember)
            line.password.clear();
        if (!serverchoice::rememberPassword(line, &why)) {
            prompts::error(tr("The password could not be kept in %1: %2").arg(serverchoice::passwordFile(), why), this);
            return;
        }
    }
    server->password.clear();
    serverchoice::remember(server);
    prompts::notice(tr("Quorvel will use the dealership server from its next start."), this);
    leave();
}

void ServerConnection::useLocalFiles() {
    serverchoice::remember(std::nullopt);
    prompts::notice(tr("Quorvel will use this computer's files from its next start."), this);
    leave();
}

bool ServerConnection::leave() {
    m_app.unload<ServerConnection>();
    m_app.showHome();
    return true;
}
