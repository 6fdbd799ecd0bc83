#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

// The main window: the hub every task is opened from.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1();
    static QString makerAddress();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *Image1;
    QLabel *Label1;
    QLabel *Label2_0;
    QLabel *Label2_1;
    QPushButton *Command3;
    QPushButton *Command4;
    QMenu *m_file;
    QAction *m_prefs;
    QAction *m_aftermarket;
    QAction *m_default;
};

// The banner picture: the name Quorvel at 482 x 32 pixels.
QPixmap quorvelBanner();
