#pragma once

#include <QWidget>

class Program;
class QLineEdit;
class QPushButton;

// The password window: the first window of the program. It lets the user through at once when the
// settings ask for no password, otherwise when the stored password is typed.
class PasswordDialog : public QWidget {
    Q_OBJECT
public:
    explicit PasswordDialog(Program &app);
    // Lets the user through at once or waits for the password.
    void begin();
    void checkPassword();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void passThrough();

    Program &m_app;
    QLineEdit *m_passwordBox;
    QPushButton *m_continueButton;
    QPushButton *m_exitButton;
};
