#include "form1.h"

#include "ui/app/shell.h"
#include "ui/app/windows.h"
#include "ui/catalogue/aftermarketlist.h"
#include "ui/deal/makedeal.h"
#include "ui/packages/vehiclelist.h"
#include "ui/prefs/preferences.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
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
    using QLabel::QLabel;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override {
        if (event->button() == Qt::LeftButton)
            shell::open(Form1::makerAddress());
        QLabel::mouseReleaseEvent(event);
    }
};

template <class W> void showWindow(W *w) {
    w->show();
    w->raise();
    w->activateWindow();
}
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

QString Form1::makerAddress() { return QStringLiteral("https://www.quorvel.com"); }

Form1::Form1() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvel"));
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("Form1client"));
    central->setAutoFillBackground(true);
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, Qt::black);
    central->setPalette(pal);
    central->setFixedSize(ui::tw(7200), ui::tw(3495));
    setCentralWidget(central);

    Image1 = new QLabel(central);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(quorvelBanner());
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::place(Image1, 0, 0, 7230, 480);

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
    Label1 = yellowLabel(QStringLiteral("Label1"), QStringLiteral("Aftermarket Menu-Selling & Management System"), 12,
                         new QLabel);
    ui::place(Label1, 0, 600, 7215, 375);
    Label2_0 =
        yellowLabel(QStringLiteral("Label2(0)"),
                    QStringLiteral("Menu selling for the finance office. Updates and support:"), 9.75, new LinkLabel);
    ui::place(Label2_0, 0, 960, 7335, 495);
    Label2_1 = yellowLabel(QStringLiteral("Label2(1)"), QStringLiteral("www.quorvel.com"), 13.5, new LinkLabel);
    Label2_1->setStyleSheet(QStringLiteral("color: yellow; background: transparent; text-decoration: underline;"));
    Label2_0->setCursor(Qt::PointingHandCursor);
    Label2_1->setCursor(Qt::PointingHandCursor);
    ui::place(Label2_1, 0, 1560, 7335, 495);

    Command3 = ui::button(central, QStringLiteral("Command3"), QStringLiteral("Create Deal for Customer"), 120, 2760,
                          2415, 615);
    Command4 = ui::button(central, QStringLiteral("Command4"), QStringLiteral("EXIT"), 4680, 2760, 2415, 615);

    m_file = menuBar()->addMenu(QStringLiteral("Menu"));
    m_file->setObjectName(QStringLiteral("m_file"));
    m_prefs = m_file->addAction(QStringLiteral("Preferences"));
    m_prefs->setObjectName(QStringLiteral("m_prefs"));
    m_aftermarket = m_file->addAction(QStringLiteral("Aftermarket List"));
    m_aftermarket->setObjectName(QStringLiteral("m_aftermarket"));
    m_default = m_file->addAction(QStringLiteral("Create/Edit Packages"));
    m_default->setObjectName(QStringLiteral("m_default"));

    connect(m_prefs, &QAction::triggered, this, [] { showWindow(SingleWindow<preferences>::instance()); });
    connect(m_aftermarket, &QAction::triggered, this, [] { showWindow(SingleWindow<aftermarketlist>::instance()); });
    connect(m_default, &QAction::triggered, this, [] { showWindow(SingleWindow<vehiclelist>::instance()); });
    connect(Command3, &QPushButton::clicked, this, [] { showWindow(SingleWindow<makedeal>::instance()); });
    connect(Command4, &QPushButton::clicked, this, [] { QCoreApplication::exit(0); });
    adjustSize();
    setFixedSize(sizeHint());
}

void Form1::closeEvent(QCloseEvent *event) {
    event->accept();
    QCoreApplication::exit(0);
}
