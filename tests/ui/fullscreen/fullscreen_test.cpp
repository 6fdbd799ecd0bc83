// The presentation on the customer's screen: full screen on a 1920 × 1080 and a 1280 × 720 screen, every
// control scaled in proportion, and back to the window as it was.

#include "core/print/printer.h"
#include "core/print/recordingdevice.h"
#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/app/geometry.h"
#include "ui/deal/dealpresentation.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTest>

using namespace testsupport;

namespace {
Deal fullDeal() {
    Deal deal;
    deal.dealership = QStringLiteral("Riverside Motors of Springfield");
    deal.disclaimer = QStringLiteral("Payments are estimates based on approved credit.");
    deal.particulars = {QStringLiteral("Jordan Castellano"), QStringLiteral("2024 Meridian Touring AWD"),
                        QStringLiteral("R24-1187"), QStringLiteral("Dana Whitfield")};
    deal.rate = 6.9;
    deal.term = 72;
    deal.discloseTotals = true;
    deal.disclosePrices = true;
    for (int p = 0; p < 4; ++p) {
        deal.packages[p].name = QStringLiteral("Package Number %1").arg(p + 1);
        for (int k = 0; k < 10; ++k) {
            SlotProduct &slot = deal.packages[p].products[k];
            slot.id = 1 + k;
            slot.name = QStringLiteral("Extended Service Contract %1").arg(k);
            slot.msrp = 1895;
            slot.description = QStringLiteral("Engine, transmission and electrical parts for seven years.");
        }
    }
    return deal;
}

// Every control a customer could see, with where it is in the window and its font.
struct Seen {
    QWidget *control;
    QRect rect;
    QFont font;
};
QList<Seen> controls(QWidget *window) {
    QList<Seen> seen;
    for (QWidget *c : window->findChildren<QWidget *>()) {
        QWidget *holder = c->parentWidget();
        // Controls, not the parts a control draws itself with (a box's scroll bars).
        if (c->objectName().startsWith(QLatin1String("qt_")) ||
            (holder != window && !qobject_cast<QGroupBox *>(holder)))
            continue;
        if (c->isVisibleTo(window))
            seen.append({c, QRect(c->mapTo(window, QPoint(0, 0)), c->size()), c->font()});
    }
    return seen;
}

QString caption(QWidget *c) {
    if (auto *frame = qobject_cast<QGroupBox *>(c))
        return frame->title();
    if (qobject_cast<QLabel *>(c) || qobject_cast<QAbstractButton *>(c))
        return c->property("text").toString();
    return QString();
}

QStringList printedPage(DealPresentation *menu, RecordingDevice *device) {
    device->clear();
    answeringBoxes([&] { QVERIFY(click(menu, QStringLiteral("Command1"))); });
    // The offscreen platform leaves no window active once the question has gone.
    menu->activateWindow();
    [&] { QVERIFY(QTest::qWaitForWindowActive(menu)); }();
    QStringList ops;
    for (const RecordingDevice::Operation &op : device->operations())
        ops << QStringLiteral("%1 %2 %3 %4 %5").arg(int(op.kind)).arg(op.x).arg(op.y).arg(op.font.size).arg(op.text);
    return ops;
}
} // namespace

class FullScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        QCOMPARE(QGuiApplication::screens().size(), 2);
    }
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
        QVERIFY(folder.ok());
        auto *device = new RecordingDevice;
        app().installPrinterDevice(std::unique_ptr<PrinterDevice>(device));
        DealPresentation *menu = app().window<DealPresentation>();
        // A control the presentation did not have when full screen was written scales as well.
        auto *later = new QLabel(QStringLiteral("$ 31.40 / Month"), menu);
        later->setObjectName(QStringLiteral("latercontrol"));
        later->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
        ui::place(later, 7320, 8520, 3495, 375);
        menu->present(fullDeal());
        menu->move(target->geometry().topLeft() + QPoint(30, 20));
        menu->show();
        QVERIFY(QTest::qWaitForWindowActive(menu));
        const QRect normal = menu->geometry();
        const QList<Seen> design = controls(menu);
        const QStringList printed = printedPage(menu, device);

        QTest::keyClick(menu, Qt::Key_F11);
        QTRY_COMPARE(menu->geometry(), target->geometry());
        QVERIFY(menu->isFullScreen());
        const QRect screenArea(QPoint(0, 0), target->size());
        const QList<Seen> full = controls(menu);
        QCOMPARE(full.size(), design.size());
        const double scale = double(full.first().rect.width()) / design.first().rect.width();
        QVERIFY2(scale > 1.05, qPrintable(QString::number(scale)));
        QRect used;
        for (int i = 0; i < full.size(); ++i) {
            const Seen &now = full.at(i), &was = design.at(i);
            const QString name = now.control->objectName();
            used |= now.rect;
            QVERIFY2(screenArea.contains(now.rect), qPrintable(name));
            // Size and text in the same proportion, so nothing is cut: a caption that fitted still fits.
            QVERIFY2(std::abs(now.rect.width() - was.rect.width() * scale) <= 2, qPrintable(name));
            QVERIFY2(std::abs(now.rect.height() - was.rect.height() * scale) <= 2, qPrintable(name));
            QVERIFY2(std::abs(now.font.pointSizeF() - was.font.pointSizeF() * scale) < 0.05, qPrintable(name));
            const QString text = caption(now.control);
            if (QFontMetrics(was.font).horizontalAdvance(text) <= was.rect.width())
                QVERIFY2(QFontMetrics(now.font).horizontalAdvance(text) <= now.rect.width(), qPrintable(name));
            // No two overlap, beyond the slight overlap the window itself was drawn with.
            for (int j = i + 1; j < full.size(); ++j) {
                const QRect overlap = now.rect & full.at(j).rect, designed = was.rect & design.at(j).rect;
                if (designed.isEmpty())
                    QVERIFY2(overlap.isEmpty(),
                             qPrintable(name + QStringLiteral(" overlaps ") + full.at(j).control->objectName()));
                else
                    QVERIFY2(overlap.width() <= designed.width() * scale + 2 &&
                                 overlap.height() <= designed.height() * scale + 2,
                             qPrintable(name + QStringLiteral(" overlaps ") + full.at(j).control->objectName()));
            }
        }
        // The whole layout fills the screen in one direction and is centred in the other.
        QVERIFY2(used.width() >= target->size().width() * 0.98 || used.height() >= target->size().height() * 0.98,
                 qPrintable(QStringLiteral("%1 x %2").arg(used.width()).arg(used.height())));
        QVERIFY(std::abs(used.center().x() - screenArea.center().x()) <= 20);
        QCOMPARE(printedPage(menu, device), printed);

        // Escape brings the window back as it was; F11 switches both ways.
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_COMPARE(menu->geometry(), normal);
        QVERIFY(!menu->isFullScreen());
        QCOMPARE(menu->size(), menu->minimumSize()); // fixed size again
        for (int round = 0; round < 2; ++round) {
            const QList<Seen> back = controls(menu);
            QCOMPARE(back.size(), design.size());
            for (int i = 0; i < back.size(); ++i) {
                QCOMPARE(back.at(i).rect, design.at(i).rect);
                QCOMPARE(back.at(i).font, design.at(i).font);
            }
            QTest::keyClick(menu, Qt::Key_F11);
            QTRY_VERIFY(menu->isFullScreen());
            QVERIFY(click(menu, QStringLiteral("Command6")));
            QTRY_COMPARE(menu->geometry(), normal);
        }
    }
};

// Two screens side by side, so the presentation goes full screen on the one it stands on.
int main(int argc, char **argv) {
    QTemporaryDir dir;
    const QString config = QDir(dir.path()).filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(R"({"screens": [
            {"name": "1 wide", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96},
            {"name": "2 small", "x": 1920, "y": 0, "width": 1280, "height": 720, "logicalDpi": 96}]})") < 0)
        return 2;
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication application(argc, argv);
    FullScreenTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "fullscreen_test.moc"
