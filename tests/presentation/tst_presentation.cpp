// The customer presentation: what "Create Deal" builds, and the presentation's own commands.
#include "app/form1.h"
#include "app/module1.h"
#include "app/shell.h"
#include "app/windows.h"
#include "deal/makedeal.h"
#include "presentation/dealmenu.h"
#include "presentation/dealprintout.h"
#include "print/printer.h"
#include "print/recordingdevice.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTest>

using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {
// What a control shows; a box's line breaks as CR LF, a frame's caption as its reader sees it.
QString shown(QWidget *c) {
    if (auto *box = qobject_cast<QPlainTextEdit *>(c))
        return box->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (auto *frame = qobject_cast<QGroupBox *>(c))
        return frame->title().replace(QLatin1String("&&"), QLatin1String("&"));
    if (auto *list = qobject_cast<QComboBox *>(c))
        return list->currentText();
    return c->property("text").toString() + c->property("checked").toString(); // labels, line boxes, options
}
QString shown(QWidget *window, const QString &name) { return shown(control(window, name)); }
bool visible(QWidget *window, const QString &name) { return control(window, name)->isVisible(); }
QString at(const char *name, int p) { return u"%1(%2)"_s.arg(QLatin1String(name)).arg(p); }
QString product(int p, int k) { return u"product%1(%2)"_s.arg(p).arg(k); }

makedeal *openWorksheet() {
    makedeal *worksheet = nullptr;
    answeringBoxes([&] { worksheet = SingleWindow<makedeal>::instance(); }); // an empty catalogue says so
    worksheet->show();
    return worksheet;
}
void choose(makedeal *worksheet, const QString &list, const QString &entry) {
    auto *box = control<QComboBox>(worksheet, list);
    const int i = box->findText(entry);
    QVERIFY2(i >= 0, qPrintable(list + u" offers no "_s + entry));
    box->setCurrentIndex(i);
    emit box->activated(i);
}
void chooseProduct(makedeal *w, int p, int s, const QString &name) {
    choose(w, u"menu%1(%2)"_s.arg(p).arg(s), name);
}
void setOption(makedeal *worksheet, const QString &name, bool on) {
    auto *box = control<QAbstractButton>(worksheet, name);
    if (box->isChecked() != on)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}
dealmenu *createDeal(makedeal *worksheet) {
    return click(worksheet, u"Command1"_s) ? SingleWindow<dealmenu>::existing() : nullptr;
}

// Every named control of the worksheet (boxes, lists, options, slots, totals) as it shows it.
QStringList worksheetState(QWidget *w) {
    QStringList state;
    for (QWidget *c : w->findChildren<QWidget *>())
        if (!c->objectName().startsWith(QLatin1String("qt_")))
            state << c->objectName() + QLatin1Char('=') + shown(c);
    return state;
}
} // namespace

class PresentationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() {
        shell::setOpener(nullptr);
        printer::install(nullptr);
        closeAllWindows();
    }

    void createDealBuildsThePresentation_data() {
        QTest::addColumn<bool>("prices");
        QTest::addColumn<bool>("cash");
        QTest::addColumn<bool>("totals");
        QTest::newRow("financed, all disclosed") << true << false << true;
        QTest::newRow("financed, totals hidden") << true << false << false;
        QTest::newRow("cash, nothing disclosed") << false << true << false;
        QTest::newRow("cash, totals disclosed") << false << true << true;
    }
    void createDealBuildsThePresentation() {
        QFETCH(bool, prices);
        QFETCH(bool, cash);
        QFETCH(bool, totals);
        const QString alpha = QLatin1String(prices ? "Alpha Guard $1250.00\r\nLine one\r\nLine two"
                                                   : "Alpha Guard\r\nLine one\r\nLine two");
        const QString bravo = QLatin1String(prices ? "Bravo Tint $499.00" : "Bravo Tint"); // no description
        ProgramFolder folder;
        setSetting(u"dealershipname"_s, u"  Smith & Sons Motors  "_s);
        setSetting(u"disclaimer"_s, u"  Estimates only.\r\nSubject to credit.  "_s);
        setSetting(u"package3"_s, u"Package 3"_s);
        setSetting(u"package4"_s, u" Basic "_s);
        addTemplate(u"Trucks"_s, QString(), {}, {u"Tow & Haul"_s, u"Work"_s});
        const QString page = QDir(folder.path()).filePath(u"webpages/alpha guard.html"_s);
        QDir().mkpath(QFileInfo(page).path());
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        addProduct(u"Alpha Guard"_s, 300, 1250, u"  Line one\r\nLine two  "_s, page);
        addProduct(u"Bravo Tint"_s, 120, 499);
        addProduct(u"Service Contract"_s, 900, 1500, QString(), u"    "_s);
        makedeal *worksheet = openWorksheet();
        choose(worksheet, u"vehicledefault"_s, u"Trucks"_s);
        const QStringList typed{"customername", "  Pat Doe ", "customervehicle", " 2024 Pickup", "stocknumber", "A123 ",
                                "salesperson", " Lee ", "interestrate", "6", "financeterm", "60"};
        for (int i = 0; i < typed.size(); i += 2)
            type(worksheet, typed[i], typed[i + 1]);
        const QStringList options{"includetax1", "cashdeal1", "disclosetotals1", "discloseprices1"};
        for (int i = 0; i < 4; ++i)
            setOption(worksheet, options[i], QList<bool>{false, cash, totals, prices}[i]);
        chooseProduct(worksheet, 0, 0, u"Alpha Guard"_s);
        chooseProduct(worksheet, 0, 1, u"Bravo Tint"_s);
        chooseProduct(worksheet, 1, 4, u"Service Contract"_s);
        chooseProduct(worksheet, 2, 0, u"Alpha Guard"_s); // chosen, then emptied again
        chooseProduct(worksheet, 2, 0, u"NONE"_s);
        chooseProduct(worksheet, 3, 6, u"Alpha Guard"_s); // after a gap in the column
        dealmenu *menu = createDeal(worksheet);
        QVERIFY(menu);
        QVERIFY(menu->isVisible());
        QVERIFY(!worksheet->isVisible());

        const QStringList header{"dealershipnametext", "Smith & Sons Motors", "customernametext", "Pat Doe",
                                 "vehicletext", "2024 Pickup", "stocknumbertext", "A123", "salespersonnametext", "Lee",
                                 "disclaimertext", "Estimates only.\r\nSubject to credit."};
        for (int i = 0; i < header.size(); i += 2)
            QCOMPARE(shown(menu, header[i]), header[i + 1]);
        const QStringList captions{"Tow & Haul", "Work", "Package 3", "Basic"};
        for (int p = 0; p < 4; ++p)
            QCOMPARE(shown(menu, at("menuframe", p)), captions[p]);
        // Shown as typed, never as a keyboard shortcut.
        QCOMPARE(control<QGroupBox>(menu, at("menuframe", 0))->title(), u"Tow && Haul"_s);

        QCOMPARE(shown(menu, product(0, 0)), alpha);
        QCOMPARE(shown(menu, product(0, 1)), bravo);
        QCOMPARE(shown(menu, product(3, 6)), alpha);
        const QString printable = alpha + u"\r\n\r\n"_s + bravo + u"\r\n\r\n\r\n"_s;
        QCOMPARE(shown(menu, at("producttext", 0)), printable);
        QCOMPARE(shown(menu, at("producttext", 2)), QString());
        QCOMPARE(shown(menu, at("producttext", 3)), alpha + u"\r\n\r\n"_s);
        QCOMPARE(menu->page().producttext[0], printable.trimmed());
        QCOMPARE(shown(menu, u"webpath0(0)"_s), page);
        QCOMPARE(shown(menu, u"webpath0(1)"_s), QString());
        QCOMPARE(shown(menu, u"webpath3(6)"_s), page);
        for (int p = 0; p < 4; ++p)
            for (int k = 0; k < 10; ++k)
                QCOMPARE(visible(menu, product(p, k)), (p == 0 && k < 2) || (p == 1 && k == 4) || (p == 3 && k == 6));
        QVERIFY(!visible(menu, at("producttext", 0)));
        QVERIFY(!visible(menu, u"webpath0(0)"_s));

        QCOMPARE(shown(menu, at("pricepayment", 1)), QLatin1String(cash ? "$ 1507.50" : "$ 29.00 / Month"));
        QCOMPARE(shown(menu, at("pricepayment", 2)), QLatin1String(cash ? "$ 0.00" : "$ 0.00 / Month"));
        for (int p = 0; p < 4; ++p)
            QCOMPARE(visible(menu, at("pricepayment", p)), totals);

        QList<QUrl> opened;
        shell::setOpener([&](const QUrl &url) { opened << url; });
        QVERIFY(answeringBoxes([&] {
                    for (const QString &box : {product(0, 1), product(1, 4), product(0, 0)}) {
                        auto *text = control<QPlainTextEdit>(menu, box);
                        QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, QPoint(10, 8));
                    }
                }).isEmpty());
        QCOMPARE(opened, QList<QUrl>{shell::urlFor(page)}); // empty and all-space paths open nothing
        QVERIFY(menu->isVisible());
    }

    // Another window edits the catalogue while the worksheet stays open.
    void catalogueChangedAfterWorksheetOpened() {
        ProgramFolder folder;
        const int tint = addProduct(u"Window Tint"_s, 120, 395, u"Old words"_s);
        const int dent = addProduct(u"Dent Repair"_s, 60, 349, u"Paintless"_s, u"/pages/dent.html"_s);
        addProduct(u"Key Replacement"_s, 40, 249, u"Lost keys"_s);
        makedeal *worksheet = openWorksheet();
        setOption(worksheet, u"discloseprices1"_s, true);
        chooseProduct(worksheet, 2, 0, u"Window Tint"_s);
        chooseProduct(worksheet, 0, 0, u"Dent Repair"_s);
        chooseProduct(worksheet, 0, 1, u"Key Replacement"_s);
        QVERIFY(Module1::dbproducts.exec(u"update [table] set aftermarketname=?, msrp=?, description=? where id=?"_s,
                                         {u"Ceramic Window Tint"_s, 450.0, u"New words"_s, tint}));
        QVERIFY(Module1::dbproducts.exec(u"delete from [table] where id=?"_s, {dent}));
        dealmenu *menu = createDeal(worksheet);
        QVERIFY(menu);
        QVERIFY(folder.databaseErrors().isEmpty());
        QCOMPARE(shown(menu, product(2, 0)), u"Ceramic Window Tint $395.00\r\nNew words"_s);
        QCOMPARE(shown(menu, at("producttext", 2)), u"Ceramic Window Tint $395.00\r\nNew words\r\n\r\n"_s);
        QVERIFY(visible(menu, product(0, 0)));
        QCOMPARE(shown(menu, product(0, 0)), u"Dent Repair $349.00"_s);
        QCOMPARE(shown(menu, u"webpath0(0)"_s), QString());
        QCOMPARE(shown(menu, at("producttext", 0)),
                 u"Dent Repair $349.00\r\n\r\n\r\nKey Replacement $249.00\r\nLost keys\r\n\r\n"_s);
    }

    // Print cancelled, back to the worksheet, a smaller deal built again, then EXIT.
    void presentationCommands() {
        ProgramFolder folder(ProgramFolder::Content::Samples);
        auto device = std::make_unique<RecordingDevice>();
        RecordingDevice *printed = device.get();
        printer::install(std::move(device));
        makedeal *worksheet = openWorksheet();
        type(worksheet, u"customername"_s, u"Pat Doe"_s);
        choose(worksheet, u"vehicledefault"_s, u"All New Vehicles"_s);
        setOption(worksheet, u"cashdeal1"_s, true);
        setOption(worksheet, u"disclosetotals1"_s, true);
        chooseProduct(worksheet, 3, 9, u"Remote Start"_s);
        const QStringList before = worksheetState(worksheet);
        dealmenu *menu = createDeal(worksheet);
        QVERIFY(menu);
        QVERIFY(visible(menu, product(0, 9)));

        const QList<BoxSeen> boxes = answeringBoxes([&] { QVERIFY(click(menu, u"Command1"_s)); }, {false});
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].title, u"Are You Sure?"_s);
        QCOMPARE(boxes[0].text, u"Print Deal?"_s);
        QCOMPARE(printed->documentsEnded(), 0);
        QVERIFY(printed->operations().isEmpty());

        QVERIFY(click(menu, u"Command2"_s));
        QCOMPARE(SingleWindow<dealmenu>::existing(), nullptr);
        QCOMPARE(SingleWindow<makedeal>::existing(), worksheet);
        QVERIFY(worksheet->isVisible());
        QCOMPARE(worksheetState(worksheet), before);

        for (int s = 3; s < 10; ++s)
            chooseProduct(worksheet, 0, s, u"NONE"_s);
        setOption(worksheet, u"disclosetotals1"_s, false);
        menu = createDeal(worksheet);
        QVERIFY(menu);
        for (int s = 0; s < 10; ++s) {
            QCOMPARE(visible(menu, product(0, s)), s < 3);
            if (s >= 3)
                QCOMPARE(shown(menu, product(0, s)) + shown(menu, u"webpath0(%1)"_s.arg(s)), QString());
        }
        QCOMPARE(shown(menu, at("producttext", 0)).count(u"\r\n\r\n\r\n"_s), 0);
        QCOMPARE(shown(menu, at("producttext", 0)).split(u"\r\n\r\n"_s).size(), 4);
        for (int p = 0; p < 4; ++p)
            QVERIFY(!visible(menu, at("pricepayment", p)));

        QPointer<QWidget> presentation = menu, sheet = worksheet;
        QVERIFY(click(menu, u"Command3"_s));
        QVERIFY(SingleWindow<Form1>::existing()->isVisible());
        QTRY_VERIFY(!presentation && !sheet);
    }
};

QTEST_MAIN(PresentationTest)
#include "tst_presentation.moc"
