#include "worksheet_support.h"

#include "app/form1.h"
#include "app/windows.h"
#include "deal/makedeal.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

namespace dealtest {

makedeal *openWorksheet(QStringList *boxes) {
    Form1 *main = SingleWindow<Form1>::instance();
    main->show();
    const QList<testsupport::BoxSeen> seen =
        testsupport::answeringBoxes([main] { testsupport::click(main, QStringLiteral("Command3")); });
    if (boxes)
        for (const testsupport::BoxSeen &b : seen)
            *boxes << b.text;
    makedeal *w = SingleWindow<makedeal>::existing();
    if (!w || !w->isVisible())
        return nullptr;
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w))
        qWarning("the worksheet did not become the active window");
    return w;
}

bool chooseRow(QComboBox *box, int row) {
    if (!box || row < 0 || row >= box->count())
        return false;
    box->showPopup();
    QAbstractItemView *view = box->view();
    if (!view || !QTest::qWaitForWindowExposed(view->window()))
        return false;
    const QModelIndex index = view->model()->index(row, box->modelColumn(), view->rootIndex());
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    if (!rect.isValid())
        return false;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    return QTest::qWaitFor([view] { return !view->isVisible(); }) && box->currentIndex() == row;
}

bool chooseText(QComboBox *box, const QString &text) {
    if (!box)
        return false;
    const int row = box->findText(text, Qt::MatchExactly);
    if (row < 0) {
        qWarning("%s offers no entry \"%s\"", qPrintable(box->objectName()), qPrintable(text));
        return false;
    }
    return chooseRow(box, row);
}

QComboBox *slotBox(QWidget *w, const QString &kind, int p, int s) {
    return testsupport::control<QComboBox>(w, QStringLiteral("menu%1%2(%3)").arg(p).arg(kind).arg(s));
}

bool chooseProduct(QWidget *w, int p, int s, const QString &name) { return chooseText(slotBox(w, QString(), p, s), name); }

bool chooseTemplateRow(QWidget *w, int row) {
    return chooseRow(testsupport::control<QComboBox>(w, QStringLiteral("vehicledefault")), row);
}

bool chooseTemplate(QWidget *w, const QString &name) {
    return chooseText(testsupport::control<QComboBox>(w, QStringLiteral("vehicledefault")), name);
}

void typeAndLeave(QWidget *w, const QString &name, const QString &text) {
    testsupport::type(w, name, text);
    auto *elsewhere = testsupport::control<QLineEdit>(w, name == QLatin1String("customername")
                                                             ? QStringLiteral("stocknumber")
                                                             : QStringLiteral("customername"));
    QTest::mouseClick(elsewhere, Qt::LeftButton);
    if (!elsewhere->hasFocus())
        qWarning("the focus did not leave %s", qPrintable(name));
}

QString label(QWidget *w, const QString &name) {
    auto *l = testsupport::control<QLabel>(w, name);
    return l ? l->text() : QString();
}

QString frameCaption(QWidget *w, int p) {
    auto *f = testsupport::control<QGroupBox>(w, QStringLiteral("menuframe(%1)").arg(p));
    return f ? QString(f->title()).replace(QLatin1String("&&"), QLatin1String("&")) : QString();
}

} // namespace dealtest
