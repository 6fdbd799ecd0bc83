// Every window on the screens dealerships have, each at 150 %: inside the screen with no control on another,
// resized, scrolled below its readable size, reopened where it was left; the presentation in full screen.

#include "testsupport.h"

using namespace testsupport;

namespace {
// Every control a user can see (not the parts a control draws itself with), its place and font.
struct Seen {
    QWidget *control;
    QRect rect; // in the window
    QFont font;
    QString caption;
    bool operator==(const Seen &o) const {
        return control == o.control && rect == o.rect && font == o.font && caption == o.caption;
    }
};
QList<Seen> controls(QWidget *window) {
    const WindowFit *fit = WindowFit::of(window);
    const QWidget *canvas = fit && fit->canvas() ? fit->canvas() : window;
    QList<Seen> seen;
    for (QWidget *c : window->findChildren<QWidget *>()) {
        QWidget *parent = c->parentWidget();
        const bool control =
            parent == canvas || qobject_cast<QGroupBox *>(parent) || parent->metaObject() == &QFrame::staticMetaObject;
        auto *frame = qobject_cast<QGroupBox *>(c);
        if (control && c->isVisibleTo(window) && !c->isWindow() && !c->objectName().startsWith(u"qt_"_s))
            seen.append({c, QRect(c->mapTo(window, QPoint(0, 0)), c->size()), c->font(),
                         frame ? frame->title() : c->property("text").toString()});
    }
    return seen;
}

// Every control inside `area` (in screen coordinates; anywhere when null), and no two side by side in one
// container overlapping (a frame's edge shared with its neighbour's aside, two pixels at the designed size; the
// plain frames drawn behind a row of controls are not controls).
void checkLaidOut(QWidget *window, const QRect &area = QRect()) {
    const QList<Seen> seen = controls(window);
    const double edge = 2 * qMax(1.0, WindowFit::of(window)->scale());
    for (int i = 0; i < seen.size(); ++i) {
        const Seen &a = seen.at(i);
        QVERIFY2(area.isNull() || area.contains(QRect(window->mapToGlobal(a.rect.topLeft()), a.rect.size())),
                 qPrintable(a.control->objectName()));
        for (int j = i + 1; j < seen.size(); ++j) {
            const Seen &b = seen.at(j);
            if (a.control->parentWidget() != b.control->parentWidget() ||
                a.control->metaObject() == &QFrame::staticMetaObject ||
                b.control->metaObject() == &QFrame::staticMetaObject)
                continue;
            const QRect overlap = a.rect & b.rect;
            QVERIFY2(overlap.width() <= edge || overlap.height() <= edge,
                     qPrintable(a.control->objectName() + u" overlaps "_s + b.control->objectName()));
        }
    }
}

// A deal that takes the most room: ten products a package, three terms and a payment without products.
Deal fullDeal() {
    Deal deal = coretest::sampleDeal();
    deal.dealership = u"Riverside Motors of Springfield"_s;
    deal.term2 = 72;
    deal.term3 = 84;
    deal.amountFinanced = 20000;
    for (Package &package : deal.packages)
        for (int k = 0; k < 10; ++k)
            package.products[k] = {1.0 + k, u"Extended Service Contract"_s, 10, 1895, u"Seven years."_s, {}};
    return deal;
}

// Every window by its name, opened as the program opens it; the presentation and the preview on the fullest deal.
QMap<QString, std::function<QWidget *()>> windows() {
    return {{u"Form1"_s, [] { return app().window<MainWindow>(); }},
            {u"security"_s, [] { return app().window<PasswordDialog>(); }},
            {u"aftermarketlist"_s, [] { return app().window<ProductList>(); }},
            {u"editform"_s, [] { return app().window<ProductEditor>(); }},
            {u"vehiclelist"_s, [] { return app().window<TemplateList>(); }},
            {u"editvehicle"_s, [] { return app().window<TemplateEditor>(); }},
            {u"makedeal"_s, [] { return app().window<DealWorksheet>(); }},
            {u"preferences"_s, [] { return app().window<PreferencesDialog>(); }},
            {u"dealchoice"_s, [] { return app().window<DealChoice>(); }},
            {u"dealhistory"_s, [] { return app().window<DealHistory>(); }},
            {u"dealreport"_s, [] { return app().window<DealReport>(); }},
            {u"dealmenu"_s,
             [] {
                 DealPresentation *menu = app().window<DealPresentation>();
                 menu->present(fullDeal());
                 return menu;
             }},
            {u"printpreview"_s, [] {
                 return new PrintPreview(
                     app(), u"Deal"_s, u"Deal.pdf"_s,
                     [](Printer &printer) { return printDeal(printer, dealPage(fullDeal())); }, nullptr);
             }}};
}

QWidget *showOn(QScreen *screen, const QString &name) {
    QWidget *window = windows().value(name)();
    window->move(screen->geometry().center() - QPoint(window->width() / 2, window->height() / 2));
    window->show();
    return QTest::qWaitForWindowExposed(window) ? window : nullptr;
}
} // namespace

class WindowFitTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::screens().size(), 3);
        QCOMPARE(QGuiApplication::screens().at(0)->devicePixelRatio(), 1.5);
    }

    void everyWindowFitsEveryScreen_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("window");
        for (int s = 0; s < 3; ++s)
            for (const QString &name : windows().keys())
                QTest::addRow("%s %s", qPrintable(QGuiApplication::screens().at(s)->name()), qPrintable(name))
                    << s << name;
    }
    void everyWindowFitsEveryScreen() {
        QFETCH(int, screen);
        QFETCH(QString, window);
        QScreen *target = QGuiApplication::screens().at(screen);
        const QRect area = target->availableGeometry();
        ProgramFolder folder(ProgramFolder::Content::Samples);
        QWidget *shown = showOn(target, window);
        QVERIFY(shown);
        QCOMPARE(shown->objectName(), window);
        QVERIFY(area.contains(shown->frameGeometry()));
        // As it opens, made as large as the screen allows, and smaller again: inside, every control apart.
        const QRect client = area.marginsRemoved(shown->windowHandle()->frameMargins());
        for (const QRect &to :
             {shown->geometry(), client, QRect(client.topLeft() + QPoint(40, 30), client.size() * 0.8)}) {
            shown->setGeometry(to);
            QTRY_COMPARE(shown->geometry(), to);
            checkLaidOut(shown, area);
        }

        // Below the readable size, the controls stop shrinking and every one is reached by scrolling.
        WindowFit *fit = WindowFit::of(shown);
        QVERIFY(fit);
        QScrollArea *scroll = fit->scrollArea();
        if (!scroll) // a window laid out by its own layout (the print preview) shrinks as that allows
            return;
        shown->resize(fit->designSize() / 2);
        QTRY_COMPARE(fit->scale(), WindowFit::readableScale);
        QTRY_VERIFY(scroll->horizontalScrollBar()->isVisible() && scroll->verticalScrollBar()->isVisible());
        checkLaidOut(shown);
        const QRect view = scroll->viewport()->rect();
        for (const Seen &s : controls(shown)) {
            // Scrolled to bring its corner to the view's, or as far as the bars go.
            const QPoint corner = s.control->mapTo(fit->canvas(), QPoint());
            scroll->horizontalScrollBar()->setValue(corner.x());
            scroll->verticalScrollBar()->setValue(corner.y());
            const QRect at(s.control->mapTo(scroll->viewport(), QPoint()), s.control->size());
            QVERIFY2(view.contains(at) || (at.width() > view.width() || at.height() > view.height()),
                     qPrintable(s.control->objectName()));
        }
    }

    void remembersWhereItWasLeft() {
        ProgramFolder folder;
        QScreen *screen = QGuiApplication::screens().at(1);
        const QRect left = QRect(screen->availableGeometry().topLeft() + QPoint(50, 40), QSize(700, 400));
        QWidget *list = showOn(screen, u"aftermarketlist"_s);
        QVERIFY(list);
        list->setGeometry(left);
        app().unload<ProductList>();
        QTRY_VERIFY(!app().existing<ProductList>());
        QCOMPARE(showOn(QGuiApplication::screens().at(0), u"aftermarketlist"_s)->geometry(), left);

        // A place that no longer fits a screen (one taken away, or made smaller) is not used.
        app().unload<ProductList>();
        QSettings(u"Quorvel"_s, u"Quorvel"_s).setValue(u"windows/aftermarketlist/geometry"_s, QRect(4300, 0, 700, 400));
        QTRY_VERIFY(!app().existing<ProductList>());
        QWidget *again = showOn(screen, u"aftermarketlist"_s);
        QVERIFY(screen->availableGeometry().contains(again->frameGeometry()));
    }

    void fillsTheScreenItIsOn() {
        for (const int screen : {2, 0}) { // 1920 x 1080, then 1280 x 690
            QScreen *target = QGuiApplication::screens().at(screen);
            ProgramFolder folder;
            DealPresentation *menu = app().window<DealPresentation>();
            // A control the presentation did not have when full screen was written scales as well.
            auto *later = new QLabel(u"$ 31.40 / Month"_s, menu);
            later->setFont(QFont(u"Arial"_s, 12, QFont::Bold));
            ui::place(later, 7320, 8520, 3495, 375);
            Deal deal = fullDeal(); // one term: the window as full screen was first written for
            deal.term2 = deal.term3 = 0;
            deal.amountFinanced = 0;
            menu->present(deal);
            menu->move(target->geometry().topLeft() + QPoint(30, 20));
            menu->show();
            QVERIFY(QTest::qWaitForWindowActive(menu));
            const QRect normal = menu->geometry();
            const QList<Seen> design = controls(menu);
            auto *disclaimer = control<QPlainTextEdit>(menu, u"disclaimertext"_s);
            disclaimer->setFocus();
            disclaimer->selectAll();
            QVERIFY(disclaimer->textCursor().hasSelection());

            QTest::keyClick(menu, Qt::Key_F11);
            QTRY_COMPARE(menu->geometry(), target->geometry());
            QVERIFY(menu->isFullScreen());
            // Only the customer's content: the staff's buttons away, no text marked.
            for (int b = 1; b <= 6; ++b)
                QVERIFY2(!control(menu, u"Command%1"_s.arg(b))->isVisible(), qPrintable(QString::number(b)));
            QVERIFY(!disclaimer->textCursor().hasSelection());
            // The pointer at the bottom edge brings them up.
            QCursor::setPos(target->geometry().center().x(), target->geometry().bottom() - 2);
            QTRY_VERIFY(control(menu, u"Command1"_s)->isVisible());

            const QList<Seen> full = controls(menu);
            QCOMPARE(full.size(), design.size());
            const double scale = double(full.first().rect.width()) / design.first().rect.width();
            const QSize designSize = WindowFit::of(menu)->designSize();
            const double fills = qMin(double(target->size().width()) / designSize.width(),
                                      double(target->size().height()) / designSize.height());
            QVERIFY2(std::abs(scale - fills) < 0.01, qPrintable(QString::number(scale)));
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
            // The pointer gone from the edge takes them away again.
            QCursor::setPos(target->geometry().center());
            QTRY_VERIFY(!control(menu, u"Command1"_s)->isVisible());

            // Escape, then F11 and "Full Screen" both ways: the window as it was.
            QTest::keyClick(menu, Qt::Key_Escape);
            for (int round = 0; round < 2; ++round) {
                QTRY_COMPARE(menu->geometry(), normal);
                QCOMPARE(controls(menu), design);
                QTest::keyClick(menu, Qt::Key_F11);
                QTRY_VERIFY(menu->isFullScreen());
                QCursor::setPos(target->geometry().center().x(), target->geometry().bottom());
                QTRY_VERIFY(control(menu, u"Command6"_s)->isVisible());
                QVERIFY(click(menu, u"Command6"_s));
            }
        }
    }
};

// The three screens side by side, each at 150 %; a window opens on the one it stands on.
int main(int argc, char **argv) {
    QTemporaryDir dir;
    const QString config = QDir(dir.path()).filePath(u"screens.json"_s);
    if (!coretest::writeBytes(config, R"({"screens": [
            {"name": "1280x690", "x": 0, "y": 0, "width": 1280, "height": 690, "logicalDpi": 96,
             "logicalBaseDpi": 96, "dpr": 1.5},
            {"name": "1366x768", "x": 1280, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96,
             "logicalBaseDpi": 96, "dpr": 1.5},
            {"name": "1920x1080", "x": 2646, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96,
             "logicalBaseDpi": 96, "dpr": 1.5}]})"))
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toUtf8());
    QApplication application(argc, argv);
    WindowFitTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "windowfit_test.moc"
