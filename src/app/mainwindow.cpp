#include "app/mainwindow.h"

#include "ui/catalogue/productlist.h"
#include "ui/common/geometry.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"
#include "ui/common/windowfit.h"
#include "ui/deal/dealworksheet.h"
#include "ui/history/dealhistory.h"
#include "ui/packages/templatelist.h"
#include "ui/prefs/preferencesdialog.h"
#include "ui/prefs/serverconnection.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLinearGradient>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace {
// A label that opens the maker's address when clicked.
class LinkLabel : public QLabel {
public:
    explicit LinkLabel(Program &app) : m_app(app) {}

protected:
    void mouseReleaseEvent(QMouseEvent *event) override {
        if (event->button() == Qt::LeftButton)
            m_app.openExternally(MainWindow::makerAddress());
        QLabel::mouseReleaseEvent(event);
    }

private:
    Program &m_app;
};
} // namespace

QPixmap quorvelBanner() {
    QPixmap pm(482, 32);
    pm.fill(Qt::black);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(28);
    f.setBold(true);
    f.setItalic(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setFont(f);
    QLinearGradient g(0, 0, 0, 32);
    g.setColorAt(0, QColor(255, 236, 120));
    g.setColorAt(1, QColor(214, 160, 20));
    p.setPen(QPen(QBrush(g), 1));
    p.drawText(QRect(0, 0, 482, 32), Qt::AlignCenter, QStringLiteral("QUORVEL"));
    p.setPen(QPen(QColor(214, 160, 20), 1));
    p.drawLine(20, 16, 140, 16);
    p.drawLine(342, 16, 462, 16);
    return pm;
}

QString MainWindow::makerAddress() { return QStringLiteral("https://www.quorvel.com"); }

MainWindow::MainWindow(Program &app) : m_app(app) {
    setObjectName(QStringLiteral("Form1"));
    // Where the data lives, so a desk on the dealership's server can tell it from one on its own files.
    if (const std::optional<ServerAddress> &server = m_app.store().server())
        setWindowTitle(tr("Quorvel — server %1").arg(server->label()));
    else
        setWindowTitle(tr("Quorvel"));
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("Form1client"));
    central->setAutoFillBackground(true);
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, Qt::black);
    central->setPalette(pal);
    setCentralWidget(central);

    // Every line spans the client area and no more, so it stays inside the window at any size.
    auto *banner = new QLabel(central);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setPixmap(quorvelBanner());
    banner->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::place(banner, 0, 0, 7200, 480);

    auto yellowLabel = [central](const QString &name, const QString &text, double pt, QLabel *label) {
        label->setParent(central);
        label->setObjectName(name);
        label->setText(text);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setStyleSheet(QStringLiteral("color: yellow; background: transparent;"));
        QFont f = label->font();
        f.setPointSizeF(pt);
        f.setBold(true);
        label->setFont(f);
        return label;
    };
    // A label shows "&" as typed, so the doubled ampersand of the caption becomes one here.
    QLabel *title =
        yellowLabel(QStringLiteral("Label1"), tr("Aftermarket Menu-Selling & Management System"), 12, new QLabel);
    ui::place(title, 0, 600, 7200, 375);
    QLabel *smallPrint =
        yellowLabel(QStringLiteral("Label2(0)"), tr("Menu selling for the finance office. Updates and support:"), 9.75,
                    new LinkLabel(m_app));
    ui::place(smallPrint, 0, 960, 7200, 495);
    QLabel *address =
        yellowLabel(QStringLiteral("Label2(1)"), QStringLiteral("www.quorvel.com"), 13.5, new LinkLabel(m_app));
    address->setStyleSheet(QStringLiteral("color: yellow; background: transparent; text-decoration: underline;"));
    smallPrint->setCursor(Qt::PointingHandCursor);
    address->setCursor(Qt::PointingHandCursor);
    ui::place(address, 0, 1560, 7200, 495);

    m_dealButton =
        ui::button(central, QStringLiteral("Command3"), tr("Create Deal for Customer"), 120, 2760, 2415, 615);
    m_exitButton = ui::button(central, QStringLiteral("Command4"), tr("EXIT"), 4680, 2760, 2415, 615);

    makeMenus();

    connect(m_preferencesItem, &QAction::triggered, this,
            [this] { Program::bringUp(m_app.window<PreferencesDialog>()); });
    connect(m_productsItem, &QAction::triggered, this, [this] { Program::bringUp(m_app.window<ProductList>()); });
    connect(m_templatesItem, &QAction::triggered, this, [this] { Program::bringUp(m_app.window<TemplateList>()); });
    connect(m_historyItem, &QAction::triggered, this, [this] { Program::bringUp(m_app.window<DealHistory>()); });
    connect(m_serverItem, &QAction::triggered, this, [this] { Program::bringUp(m_app.window<ServerConnection>()); });
    connect(m_exitItem, &QAction::triggered, &m_app, &Program::quit);
    connect(m_aboutItem, &QAction::triggered, this, &MainWindow::about);
    connect(m_dealButton, &QPushButton::clicked, this, [this] { Program::bringUp(m_app.window<DealWorksheet>()); });
    connect(m_exitButton, &QPushButton::clicked, &m_app, &Program::quit);
    WindowFit::install(this, QSize(ui::tw(7200), ui::tw(3495)));
    ui::centre(this);
}

void MainWindow::makeMenus() {
    // Mnemonics and shortcuts for the keyboard; Ctrl+P is left to printing, as everywhere.
    m_menu = menuBar()->addMenu(tr("&Menu"));
    m_menu->setObjectName(QStringLiteral("m_file"));
    auto item = [this](QMenu *menu, const QString &name, const QString &caption, const QKeySequence &keys) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        return action;
    };
    m_preferencesItem = item(m_menu, QStringLiteral("m_prefs"), tr("&Preferences"), QKeySequence(Qt::CTRL | Qt::Key_E));
    m_productsItem =
        item(m_menu, QStringLiteral("m_aftermarket"), tr("&Aftermarket List"), QKeySequence(Qt::CTRL | Qt::Key_L));
    m_templatesItem =
        item(m_menu, QStringLiteral("m_default"), tr("Create/Edit &Packages"), QKeySequence(Qt::CTRL | Qt::Key_K));
    m_historyItem = item(m_menu, QStringLiteral("m_history"), tr("Deal &History"), QKeySequence(Qt::CTRL | Qt::Key_H));
    m_serverItem = item(m_menu, QStringLiteral("m_server"), tr("Dealership &Server…"), QKeySequence());
    m_menu->addSeparator();
    m_exitItem = item(m_menu, QStringLiteral("m_exit"), tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_helpMenu = menuBar()->addMenu(tr("&Help"));
    m_helpMenu->setObjectName(QStringLiteral("m_help"));
    m_aboutItem = item(m_helpMenu, QStringLiteral("m_about"), tr("&About Quorvel"), QKeySequence());
}

// The version, the licence the package's copyright file gives, and where the data lives.
void MainWindow::about() {
    const QString text =
        tr("Quorvel %1\n"
           "Aftermarket Menu-Selling & Management System\n\n"
           "Copyright 2026 Quorvel Developers.\n"
           "Licence: proprietary. All rights reserved.\n\n"
           "%2")
            .arg(QStringLiteral(QUORVEL_VERSION),
                 m_app.store().server() ? tr("Data: dealership server %1").arg(m_app.store().server()->label())
                                        : tr("Data folder: %1").arg(QDir::toNativeSeparators(m_app.dataFolder())));
    prompts::about(tr("About Quorvel"), text, this);
}

void MainWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    m_app.quit();
}
