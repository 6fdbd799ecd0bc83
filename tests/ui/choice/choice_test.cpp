// "Customer Choice" on the presentation: choosing a package or declining all, and what is stored.

#include "choicesupport.h"
#include "core/money/payment.h"
#include "core/print/printer.h"
#include "core/print/recordingdevice.h"
#include "dealfixture.h"
#include "testsupport.h"
#include "ui/app/application.h"
#include "ui/deal/dealchoice.h"
#include "ui/deal/dealpresentation.h"

#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

using namespace testsupport;
using namespace choicetest;
using namespace Qt::StringLiterals;

namespace {
DealChoice *openChoice(DealPresentation *menu) {
    return click(menu, u"Command4"_s) ? app().existing<DealChoice>() : nullptr;
}

QStringList listed(DealChoice *choice) {
    QStringList out;
    auto *list = control<QListWidget>(choice, u"acceptedlist"_s);
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? u" [x]"_s : u" [ ]"_s);
    return out;
}

// Unticks a product as the user does: onto it, then the space bar.
void untick(DealChoice *choice, const QString &product) {
    auto *list = control<QListWidget>(choice, u"acceptedlist"_s);
    const QList<QListWidgetItem *> found = list->findItems(product, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(product));
    list->setFocus();
    list->setCurrentItem(found.first());
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(found.first()->checkState(), Qt::Unchecked);
}

QString shownPayment(DealChoice *choice) { return control(choice, u"finalpayment"_s)->property("text").toString(); }

// The payment routine's figure for an amount at 6 % over 60 months (one month for cash).
QString routine(double amount, bool cash) {
    using numbers::Currency;
    Currency a = *Currency::fromDouble(amount), n = *Currency::fromDouble(cash ? 1 : 60), r = *Currency::fromDouble(6),
             adjustA, days = Currency::fromRaw(300000), adjustB;
    return numbers::formatMoney(numbers::val(payment::calculate(a, n, r, adjustA, days, adjustB)));
}
} // namespace

class ChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeAllWindows(); }

    // Gold with its Tint unticked, in one walk with everything that must store nothing.
    void goldWithOneProductUntickedStoresOneDeal() {
        ProgramFolder folder;
        DealPresentation *menu = present(coretest::sampleDeal());
        type(menu, u"customernametext"_s, u"Jordan Castellano"_s); // edited on the presentation
        DealChoice *choice = openChoice(menu);
        QVERIFY(choice && choice->isVisible());
        QVERIFY(choice->isModal());
        QCOMPARE(choice->windowTitle(), u"Customer's Choice"_s);
        const QStringList captions{"Platinum", "Gold", "Silver", "Basic"};
        for (int p = 0; p < 4; ++p) {
            auto *radio = control<QRadioButton>(choice, u"choosepackage(%1)"_s.arg(p));
            QCOMPARE(radio->text(), captions[p]);
            QVERIFY(!radio->isChecked());
        }
        QVERIFY(!control<QRadioButton>(choice, u"declineall"_s)->isChecked());

        QList<BoxSeen> boxes = answeringBoxes([&] { click(choice, u"Command2"_s); });
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title, u"Message"_s);
        QCOMPARE(boxes[0].text, u"Please choose a package or Decline All."_s);

        QVERIFY(pick(choice, u"choosepackage(1)"_s));
        QCOMPARE(listed(choice), QStringList({"Service Contract [x]", "GAP [x]", "Tint [x]"}));
        untick(choice, u"Tint"_s);
        QCOMPARE(shownPayment(choice), u"$ 29.00 / Month"_s);

        boxes = answeringBoxes([&] { click(choice, u"Command1"_s); }, {false});
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title, u"Are You Sure?"_s);
        QCOMPARE(boxes[0].text, u"Print Customer Choice?"_s);
        QCOMPARE(dealRows(u"select count(*) from deals"_s), QVariantList{0});
        QVERIFY(choice->isVisible());

        QVERIFY(click(choice, u"Command2"_s));
        QTRY_VERIFY(!app().existing<DealChoice>());
        QCOMPARE(dealRows(u"select count(*) from deals"_s), QVariantList{1});
        QCOMPARE(dealRows(u"select chosenpackage || '|' || chosenname || '|' || customer from deals"_s),
                 QVariantList{u"1|Gold|Jordan Castellano"_s});
        QCOMPARE(dealRows(u"select package || ':' || slot || '=' || accepted from dealitems order by package, slot"_s),
                 QVariantList({"0:0=0", "0:1=0", "0:2=0", "0:3=0", "1:0=1", "1:1=1", "1:2=0", "1:5=0", "2:0=0", "2:1=0",
                               "3:0=0"}));
        const double kept = dealRows(u"select sum(msrp) from dealitems where accepted = 1"_s).value(0).toDouble();
        QCOMPARE(dealRows(u"select finalpayment from deals"_s), QVariantList{routine(kept, false)});
        QVERIFY(menu->isVisible());
        QVERIFY(folder.databaseErrors().isEmpty());
    }

    void eachWayOfLeavingTheChoice_data() {
        QTest::addColumn<bool>("cash");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QVariantList>("stored"); // chosenpackage, finalpayment; empty when nothing is stored
        QTest::addColumn<bool>("printed");
        QTest::newRow("Decline All") << false << "declineall"
                                     << "Command2"
                                     << "$ 0.00" << QVariantList{-1, "0.00"} << false;
        QTest::newRow("cash deal, printed") << true << "choosepackage(1)"
                                            << "Command1"
                                            << "$ 1507.50" << QVariantList{1, routine(1500, true)} << true;
        QTest::newRow("Cancel") << false << "choosepackage(1)"
                                << "Command3"
                                << "$ 29.00 / Month" << QVariantList{} << false;
    }
    void eachWayOfLeavingTheChoice() {
        QFETCH(bool, cash);
        QFETCH(QString, choice);
        QFETCH(QString, button);
        QFETCH(QString, shown);
        QFETCH(QVariantList, stored);
        QFETCH(bool, printed);
        ProgramFolder folder;
        auto owned = std::make_unique<RecordingDevice>();
        RecordingDevice *device = owned.get();
        app().installPrinterDevice(std::move(owned));
        DealChoice *window = openChoice(present(coretest::sampleDeal(cash)));
        QVERIFY(window);
        QVERIFY(pick(window, choice));
        if (choice != "declineall"_L1)
            untick(window, u"Tint"_s);
        QCOMPARE(shownPayment(window), shown);
        answeringBoxes([&] { click(window, button); });
        QTRY_VERIFY(!app().existing<DealChoice>());
        QCOMPARE(dealRows(u"select chosenpackage from deals"_s) + dealRows(u"select finalpayment from deals"_s),
                 stored);
        QCOMPARE(device->documentsEnded(), printed ? 1 : 0);
        if (printed) {
            QCOMPARE(device->documentName(), u"Choice"_s);
            QVERIFY(device->findText(u"Final Payment: "_s + shown));
        }
    }
};

int runChoiceTests(int argc, char **argv) {
    ChoiceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "choice_test.moc"
