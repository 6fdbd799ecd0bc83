#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The password window: the first window of the program.
class security : public QWidget {
    Q_OBJECT
public:
    security();
    // Window load: opens the databases, then lets the user through at once or waits for the password.
    // Returns false (with the reason) when the data files cannot be used.
    bool load(QString *why = nullptr);
    void checkPassword();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void passThrough();
    QLineEdit *enterpassword;
    QPushButton *Command1;
    QPushButton *Command2;
};
