// The presentation on the customer's screen: full screen on a 1920 × 1080 and a 1280 × 720 screen, every
// control scaled in proportion, and back to the window as it was.

#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/geometry.h"
#include "ui/deal/dealpresentation.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTest>

using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {
// Every control a customer can see (not the parts a control draws itself with), its place and font.
struct Seen {
    QWidget *control;
    QRect rect;
    QFont font;
    QString caption;
};
QList<Seen> controls(QWidget *window) {
    QList<Seen> seen;
    for (QWidget *c : window->findChildren<QWidget *>()) {
        auto *frame = qobject_cast<QGroupBox *>(c);
        const bool control = c->parentWidget() == window || qobject_cast<QGroupBox *>(c->parentWidget());
        if (control && c->isVisibleTo(window) && !c->objectName().startsWith(u"qt_"_s))
            seen.append({c, QRect(c->mapTo(window, QPoint(0, 0)), c->size()), c->font(),
                         frame ? frame->title() : c->property("text").toString()});
    }
    return seen;
}
} // namespace

class FullScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::screens().size(), 2); }
    void cleanup() { closeAllWindows(); }

    void fillsTheScreenItIsOn_data() {
        QTest::addColumn<int>("screen");
        QTest::newRow("1920 x 1080") << 0;
        QTest::newRow("1280 x 720") << 1;
    }
    void fillsTheScreenItIsOn() {
        QFETCH(int, screen);
        QScreen *target = QGuiApplication::screens().at(screen);
        ProgramFolder folder;
        DealPresentation *menu = app().window<DealPresentation>();
        // A control the presentation did not have when full screen was written scales as well.
        auto *later = new QLabel(u"$ 31.40 / Month"_s, menu);
        later->setFont(QFont(u"Arial"_s, 12, QFont::Bold));
        ui::place(later, 7320, 8520, 3495, 375);
        Deal deal;
        deal.dealership = u"Riverside Motors of Springfield"_s;
        deal.discloseTotals = true;
        for (Package &package : deal.packages)
            for (int k = 0; k < 10; ++k)
                package.products[k] = {1.0 + k, u"Extended Service Contract"_s, 10, 1895, u"Seven years."_s, {}};
        menu->present(deal);
        menu->move(target->geometry().topLeft() + QPoint(30, 20));
        menu->show();
        QVERIFY(QTest::qWaitForWindowActive(menu));
        const QRect normal = menu->geometry();
        const QList<Seen> design = controls(menu);

        QTest::keyClick(menu, Qt::Key_F11);
        QTRY_COMPARE(menu->geometry(), target->geometry());
        QVERIFY(menu->isFullScreen());
        const QList<Seen> full = controls(menu);
        QCOMPARE(full.size(), design.size());
        const double scale = double(full.first().rect.width()) / design.first().rect.width();
        QVERIFY2(scale > 1.05, qPrintable(QString::number(scale)));
        QRect used;
        for (int i = 0; i < full.size(); ++i) {
            const Seen &now = full.at(i), &was = design.at(i);
            const QByteArray name = now.control->objectName().toUtf8();
            used |= now.rect;
            QVERIFY2(QRect(QPoint(), target->size()).contains(now.rect), name);
            // Text in the same proportion, so nothing is cut: a caption that fitted still fits.
            QVERIFY2(std::abs(now.font.pointSizeF() - was.font.pointSizeF() * scale) < 0.05, name);
            if (QFontMetrics(was.font).horizontalAdvance(was.caption) <= was.rect.width())
                QVERIFY2(QFontMetrics(now.font).horizontalAdvance(now.caption) <= now.rect.width(), name);
            // No two overlap, beyond the slight overlap the window itself is drawn with.
            for (int j = i + 1; j < full.size(); ++j) {
                const QRect overlap = now.rect & full.at(j).rect, designed = was.rect & design.at(j).rect;
                QVERIFY2(designed.isEmpty() ? overlap.isEmpty()
                                            : overlap.width() <= designed.width() * scale + 2 &&
                                                  overlap.height() <= designed.height() * scale + 2,
                         name + " overlaps " + full.at(j).control->objectName().toUtf8());
            }
        }
        // The whole fills the screen one way and is centred the other.
        QVERIFY(used.width() >= target->size().width() * 0.98 || used.height() >= target->size().height() * 0.98);
        QVERIFY(std::abs(used.center().x() - target->size().width() / 2) <= 20);

        // Escape, then F11 and "Full Screen" both ways: the window as it was, fixed size included.
        QTest::keyClick(menu, Qt::Key_Escape);
        for (int round = 0; round < 2; ++round) {
            QTRY_COMPARE(menu->geometry(), normal);
            QCOMPARE(menu->minimumSize(), normal.size());
            const QList<Seen> back = controls(menu);
            for (int i = 0; i < back.size(); ++i) {
                QCOMPARE(back.at(i).rect, design.at(i).rect);
                QCOMPARE(back.at(i).font, design.at(i).font);
            }
            QTest::keyClick(menu, Qt::Key_F11);
            QTRY_VERIFY(menu->isFullScreen());
            QVERIFY(click(menu, u"Command6"_s));
        }
    }
};

// Two screens side by side; the presentation goes full screen on the one it stands on.
int main(int argc, char **argv) {
    QTemporaryDir dir;
    QFile config(QDir(dir.path()).filePath(u"screens.json"_s));
    if (!config.open(QIODevice::WriteOnly) || config.write(R"({"screens": [
            {"name": "1 wide", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96},
            {"name": "2 small", "x": 1920, "y": 0, "width": 1280, "height": 720, "logicalDpi": 96}]})") < 0)
        return 2;
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    FullScreenTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "fullscreen_test.moc"
