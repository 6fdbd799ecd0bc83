#pragma once

#include <QMainWindow>

class Program;
class QAction;
class QLabel;
class QMenu;
class QPushButton;

// The main window: the hub every task is opened from.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Program &app);
    static QString makerAddress();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The menu bar: its menus and their items.
    void makeMenus();
    void about();

    Program &m_app;
    QPushButton *m_dealButton;
    QPushButton *m_exitButton;
    QMenu *m_menu;
    QAction *m_preferencesItem;
    QAction *m_productsItem;
    QAction *m_templatesItem;
    QAction *m_historyItem;
    QAction *m_serverItem;
    QAction *m_exitItem;
    QMenu *m_helpMenu;
    QAction *m_aboutItem;
};

// The banner picture: the name Quorvel at 482 x 32 pixels.
QPixmap quorvelBanner();
