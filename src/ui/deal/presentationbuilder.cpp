#include "presentationbuilder.h"

#include "core/money/numbers.h"
#include "core/store/recordset.h"
#include "ui/app/module1.h"
#include "ui/app/windows.h"
#include "ui/deal/dealmenu.h"
#include "ui/prefs/preferences.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace presentationbuilder {

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// The text a worksheet control shows, whatever kind of control carries it.
QString shown(const QWidget *worksheet, const QString &name) {
    const QWidget *w = worksheet->findChild<QWidget *>(name);
    if (!w)
        return QString();
    if (auto *line = qobject_cast<const QLineEdit *>(w))
        return line->text();
    if (auto *list = qobject_cast<const QComboBox *>(w))
        return list->currentText();
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (auto *frame = qobject_cast<const QGroupBox *>(w)) {
        // Captions from data carry "&" doubled so that it is no shortcut.
        QString title = frame->title();
        return title.replace(QLatin1String("&&"), QLatin1String("&"));
    }
    if (auto *box = qobject_cast<const QPlainTextEdit *>(w))
        return toStoredLines(box->toPlainText());
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    return QString();
}

bool checked(const QWidget *worksheet, const QString &name) {
    const auto *box = worksheet->findChild<QAbstractButton *>(name);
    return box && box->isChecked();
}

QString slotBox(const char *kind, int package, int slot) {
    return QStringLiteral("menu%1%2(%3)").arg(package).arg(QLatin1String(kind)).arg(slot);
}
} // namespace

QString priceLine(const QString &payment, bool cashDeal) {
    QString line = QStringLiteral("$ ") + payment.trimmed();
    if (!cashDeal)
        line += QStringLiteral(" / Month");
    return line;
}

QString productText(const QString &name, const QString &msrp, bool disclosePrices, const QString &description) {
    QString text = name.trimmed();
    if (disclosePrices)
        text += QStringLiteral(" $") + msrp.trimmed();
    return text + kCrLf + description.trimmed();
}

dealmenu *buildpresentation(QWidget *worksheet) {
    if (!worksheet)
        return nullptr;
    using namespace Module1;
    // Every deal starts from a freshly opened presentation, so nothing of an earlier one is left.
    if (SingleWindow<dealmenu>::existing())
        SingleWindow<dealmenu>::unload();
    dealmenu *menu = SingleWindow<dealmenu>::instance();
    menu->show();
    menu->raise();
    menu->activateWindow();

    menu->setDealershipName(dealershipname.trimmed());
    menu->setParticulars(shown(worksheet, QStringLiteral("salesperson")).trimmed(),
                         shown(worksheet, QStringLiteral("customername")).trimmed(),
                         shown(worksheet, QStringLiteral("stocknumber")).trimmed(),
                         shown(worksheet, QStringLiteral("customervehicle")).trimmed());

    if (checked(worksheet, QStringLiteral("disclosetotals1")))
        menu->showPriceLines();
    const bool cashDeal = checked(worksheet, QStringLiteral("cashdeal1"));
    for (int p = 0; p < dealmenu::packageCount; ++p)
        menu->setPriceLine(p, priceLine(shown(worksheet, QStringLiteral("totalpayment(%1)").arg(p)), cashDeal));
    for (int p = 0; p < dealmenu::packageCount; ++p)
        menu->setPackageName(p, shown(worksheet, QStringLiteral("menuframe(%1)").arg(p)).trimmed());
    menu->setDisclaimer(disclaimer.trimmed());
    for (int p = 0; p < dealmenu::packageCount; ++p)
        menu->setProductText(p, QString());

    const bool disclosePrices = checked(worksheet, QStringLiteral("discloseprices1"));
    for (int p = 0; p < dealmenu::packageCount; ++p) {
        for (int s = 0; s < dealmenu::slotCount; ++s) {
            const double id = numbers::val(shown(worksheet, slotBox("id", p, s)).trimmed());
            if (!(id > 0))
                continue;
            // A query of its own: the record set an open editor saves into is never moved.
            RecordSetPtr found =
                RecordSet::openQuery(dbproducts, QStringLiteral("Select * from [table] where id = ?"), {QVariant(id)});
            QString name, description, path;
            if (found && found->hasRecords()) {
                found->moveFirst();
                name = found->text(QStringLiteral("aftermarketname"));
                description = found->text(QStringLiteral("description"));
                path = found->text(QStringLiteral("htmlpath")).trimmed();
            } else {
                // Deleted since the worksheet opened: the product as the worksheet still shows it.
                name = shown(worksheet, slotBox("", p, s));
            }
            const QString text =
                productText(name, shown(worksheet, slotBox("msrp", p, s)), disclosePrices, description);
            menu->showProduct(p, s, text.trimmed(), path);
            menu->setProductText(p, menu->productText(p) + text + kCrLf + kCrLf);
        }
    }

    worksheet->hide();
    return menu;
}

} // namespace presentationbuilder
