// The template editor: its creation (the catalogue into the shared slot model, forty slots) and one
// template load, each beside a bare read of the catalogue in the same run. "late product" loads a
// template naming a product stored after the editor was created, which makes the slot model take it in;
// "reopened" opens a template again after EXIT, which reads the catalogue afresh.

#include "bench.h"
#include "benchsupport.h"

#include "app/application.h"
#include "ui/common/geometry.h"
#include "ui/packages/templateeditor.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <cstdio>

using bench::app;

namespace {
// From the first opening until the editor is on screen with the catalogue in its slots.
qint64 createEditor(TemplateEditor **out) {
    QElapsedTimer t;
    t.start();
    TemplateEditor *w = app().window<TemplateEditor>();
    w->show();
    QApplication::processEvents();
    *out = w;
    return t.nsecsElapsed();
}

// Opening a picked template until every slot and total shows it.
qint64 loadTemplate(TemplateEditor *w, int id) {
    QVector<qint64> records;
    for (const ListedTemplate &t : bench::app().store().templates().listed())
        if (t.id == id)
            records << t.record;
    QElapsedTimer t;
    t.start();
    w->openPicked(bench::app().store().templates().walk(records, 0));
    QApplication::processEvents();
    return t.nsecsElapsed();
}

// Opening one slot's list, as a click on its drop-down does.
qint64 openSlotList(TemplateEditor *w) {
    auto *box = w->findChild<QComboBox *>(QStringLiteral("menu1(4)"));
    QElapsedTimer t;
    t.start();
    box->showPopup();
    QApplication::processEvents();
    const qint64 ns = t.nsecsElapsed();
    box->hidePopup();
    QApplication::processEvents();
    return ns;
}
} // namespace

int bench::packages() {
    using namespace bench;
    failures() = 0;
    std::printf("%9s %13s %13s %7s %17s %17s %14s %12s   (median of 5; goals: ratio <= 3 at 100,000, load < 20 ms)\n",
                "products", "bare read ms", "creation ms", "ratio", "template load ms", "late product ms",
                "slot list ms", "reopened ms");
    for (int n : {1000, 10000, 100000}) {
        Folder folder;
        if (!folder.ok() || !storeProducts(1, n, n))
            return 1;
        const std::vector<int> spread = spreadIds(n, 17);
        storeTemplate(1, QStringLiteral("All Models"), spread);
        std::vector<qint64> bare, create, load, late, popup, reopen;
        int rows = 0;
        bareRead(catalogueQuery(), &rows); // the file into the page cache for both
        for (int run = 0; run < 5; ++run) {
            bare.push_back(bareRead(catalogueQuery(), &rows));
            TemplateEditor *w = nullptr;
            create.push_back(createEditor(&w));
            load.push_back(loadTemplate(w, 1));
            popup.push_back(openSlotList(w));
            auto *slot = w->findChild<QComboBox *>(QStringLiteral("menu3id(9)"));
            if (rows != n + run || !slot || slot->count() != n + run + 1 ||
                slot->currentText() != QString::number(spread[39]))
                fail("the editor did not offer every product or did not load the template");
            // A product stored after the editor was made, named by a template in its first slot.
            const int added = n + 1 + run;
            storeProducts(added, added, n);
            std::vector<int> withLate = spread;
            withLate[0] = added;
            storeTemplate(100 + run, QStringLiteral("Late %1").arg(run), withLate);
            late.push_back(loadTemplate(w, 100 + run));
            auto *first = w->findChild<QComboBox *>(QStringLiteral("menu0id(0)"));
            if (!first || first->currentText() != QString::number(added))
                fail("the late product was not found");
            w->findChild<QPushButton *>(QStringLiteral("Command8"))->click();
            QApplication::processEvents();
            reopen.push_back(loadTemplate(w, 1));
            if (w->findChild<QComboBox *>(QStringLiteral("menu3id(9)"))->count() != n + run + 2)
                fail("the editor opened again did not read the catalogue");
            app().unload<TemplateEditor>();
            settle();
        }
        const qint64 b = median(bare), c = median(create);
        std::printf("%9d %13.1f %13.1f %7.2f %17.2f %17.2f %14.2f %12.1f\n", n, ms(b), ms(c), double(c) / double(b),
                    ms(median(load)), ms(median(late)), ms(median(popup)), ms(median(reopen)));
        std::fflush(stdout);
    }
    return failures() == 0 ? 0 : 1;
}
