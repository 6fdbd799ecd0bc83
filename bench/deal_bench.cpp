// The deal worksheet: opening it (catalogue into the slots, templates into "Vehicle Default:") and
// loading one template, each beside a bare read of the catalogue in the same run.

#include "bench.h"
#include "benchsupport.h"

#include "app/application.h"

#include "ui/common/geometry.h"
#include "ui/deal/dealworksheet.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <cstdio>

using bench::app;

namespace {
// From "Create Deal for Customer" until the worksheet is on screen with the catalogue in its slots.
qint64 openWorksheet(DealWorksheet **out) {
    QElapsedTimer t;
    t.start();
    DealWorksheet *w = app().window<DealWorksheet>();
    w->show();
    QApplication::processEvents();
    *out = w;
    return t.nsecsElapsed();
}

// Notes when the window's widgets were last painted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(const QElapsedTimer &clock) : m_clock(clock) {}
    qint64 last = 0;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            last = m_clock.nsecsElapsed();
        return false;
    }

private:
    const QElapsedTimer &m_clock;
};

// Choosing a template until every slot and total shows it; `painted` is the time until the window has
// also been painted again, as the salesperson sees it.
qint64 chooseTemplate(DealWorksheet *w, const QString &name, qint64 *painted) {
    auto *templates = w->findChild<QComboBox *>(QStringLiteral("vehicledefault"));
    const int entry = templates->findText(name);
    QElapsedTimer t;
    PaintWatch watch(t);
    const QList<QWidget *> widgets = w->findChildren<QWidget *>();
    for (QWidget *c : widgets)
        c->installEventFilter(&watch);
    t.start();
    templates->setCurrentIndex(entry);
    emit templates->activated(entry);
    QApplication::processEvents();
    const qint64 loaded = t.nsecsElapsed();
    // What the event loop has not painted yet is painted now.
    QApplication::processEvents();
    *painted = std::max(loaded, watch.last);
    for (QWidget *c : widgets)
        c->removeEventFilter(&watch);
    return loaded;
}
} // namespace

int bench::deal() {
    using namespace bench;
    failures() = 0;
    std::printf("%9s %14s %14s %8s %16s %18s   (median of 5; goals: ratio <= 3 at 100,000, load < 20 ms, "
                "choice shown < 16 ms)\n",
                "products", "bare read ms", "open ms", "ratio", "template load ms", "choice shown ms");
    for (int n : {1000, 10000, 100000}) {
        Folder folder;
        if (!folder.ok() || !storeProducts(1, n, n))
            return 1;
        // The template to load among a few dozen others.
        for (int t = 1; t <= 30; ++t)
            storeTemplate(t, t == 1 ? QStringLiteral("All New Vehicles") : QStringLiteral("Template %1").arg(t),
                          spreadIds(n, t));
        std::vector<qint64> bare, open, load, choice;
        int rows = 0;
        bareRead(catalogueQuery(), &rows); // the file into the page cache for both
        for (int run = 0; run < 5; ++run) {
            bare.push_back(bareRead(catalogueQuery(), &rows));
            DealWorksheet *w = nullptr;
            open.push_back(openWorksheet(&w));
            // Shown and painted once, as the salesperson first sees it; then two choices, the second measured.
            w->repaint();
            qint64 painted = 0;
            load.push_back(chooseTemplate(w, QStringLiteral("All New Vehicles"), &painted));
            chooseTemplate(w, QStringLiteral("Template 2"), &painted);
            choice.push_back(painted);
            app().unload<DealWorksheet>();
            settle();
        }
        const qint64 b = median(bare), o = median(open), l = median(load), c = median(choice);
        std::printf("%9d %14.1f %14.1f %8.2f %16.2f %18.2f\n", n, ms(b), ms(o), double(o) / double(b), ms(l), ms(c));
        std::fflush(stdout);
    }
    return failures() == 0 ? 0 : 1;
}
