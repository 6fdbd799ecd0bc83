#pragma once

#include "core/store/serveraddress.h"

#include <QWidget>
#include <optional>

class Program;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The dealership server window: names the server this user's Quorvel starts on (or this computer's files),
// tries it before remembering it, and keeps a password only in the PostgreSQL password file when asked to.
// The choice takes effect at the next start.
class ServerConnection : public QWidget {
    Q_OBJECT
public:
    explicit ServerConnection(Program &app);

private:
    void showServer(const std::optional<ServerAddress> &server);
    // The server as the boxes name it; nothing (with a message) when a box lacks what a connection needs.
    std::optional<ServerAddress> shown();
    // Connects with the boxes' values; false with the server's own reason.
    static bool tryConnecting(const ServerAddress &server, QString *why);
    void connectToServer();
    void useLocalFiles();
    bool leave();

    Program &m_app;
    QLineEdit *m_hostBox, *m_portBox, *m_databaseBox, *m_userBox, *m_passwordBox;
    QCheckBox *m_rememberPasswordBox;
    QPushButton *m_connectButton, *m_localButton, *m_cancelButton;
};
