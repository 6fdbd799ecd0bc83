#include "dealdriver.h"

#include "app/windows.h"
#include "deal/makedeal.h"
#include "presentation/dealmenu.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace testsupport;

namespace dealdriver {

QString shownText(const QWidget *control) {
    if (auto *line = qobject_cast<const QLineEdit *>(control))
        return line->text();
    if (auto *box = qobject_cast<const QPlainTextEdit *>(control))
        return box->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title().replace(QLatin1String("&&"), QLatin1String("&"));
    if (auto *list = qobject_cast<const QComboBox *>(control))
        return list->currentText();
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return QString();
}

makedeal *openWorksheet() {
    makedeal *worksheet = nullptr;
    // An empty catalogue says so while the worksheet loads.
    answeringBoxes([&] { worksheet = SingleWindow<makedeal>::instance(); });
    worksheet->show();
    return worksheet;
}

void chooseTemplate(makedeal *worksheet, const QString &name) {
    auto *list = control<QComboBox>(worksheet, QStringLiteral("vehicledefault"));
    const int entry = list->findText(name);
    if (entry < 0) {
        qWarning("no template named %s", qPrintable(name));
        return;
    }
    list->setCurrentIndex(entry);
    emit list->activated(entry);
}

void chooseProduct(makedeal *worksheet, int package, int slot, const QString &name) {
    auto *list = control<QComboBox>(worksheet, QStringLiteral("menu%1(%2)").arg(package).arg(slot));
    const int entry = list->findText(name);
    if (entry < 0) {
        qWarning("slot %d,%d offers no %s", package, slot, qPrintable(name));
        return;
    }
    list->setCurrentIndex(entry);
    emit list->activated(entry);
}

void setOption(makedeal *worksheet, const QString &name, bool on) {
    auto *box = control<QAbstractButton>(worksheet, name);
    if (box->isChecked() != on)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

dealmenu *createDeal(makedeal *worksheet) {
    if (!click(worksheet, QStringLiteral("Command1")))
        return nullptr;
    return SingleWindow<dealmenu>::existing();
}

dealmenu *sampleDeal(const QString &customer) {
    makedeal *worksheet = openWorksheet();
    type(worksheet, QStringLiteral("customername"), customer);
    chooseTemplate(worksheet, QStringLiteral("All New Vehicles"));
    return createDeal(worksheet);
}

} // namespace dealdriver
