#include "editor_test.h"

#include "app/module1.h"
#include "app/windows.h"
#include "catalogue/aftermarketlist.h"
#include "catalogue/commondialog.h"
#include "catalogue/editform.h"
#include "catalogue_helpers.h"
#include "data/schema.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace testsupport;
using namespace cataloguetest;

namespace {
const QStringList kFields{"id", "aftermarketname", "cost", "msrp", "description", "htmlpath",
                          "picturepath", "installer", "phone", "notes"};

void storeFull(int id, const QString &name, double cost, double msrp, const QVariant &description,
               const QString &htmlpath, const QString &picturepath, const QString &installer, const QString &phone,
               const QString &notes) {
    Module1::dbproducts.exec(QStringLiteral("insert into [table] (id, aftermarketname, cost, msrp, description, htmlpath, "
                                            "picturepath, installer, phone, notes) values (?,?,?,?,?,?,?,?,?,?)"),
                             {id, name, cost, msrp, description, htmlpath, picturepath, installer, phone, notes});
}

// Every field of every stored product with that name, one list per product.
QList<QVariantList> storedRecords(const QString &name) {
    QList<QVariantList> out;
    for (const QString &f : kFields) {
        const QVariantList values = stored(f, name);
        for (int i = 0; i < values.size(); ++i) {
            if (out.size() <= i)
                out.append(QVariantList());
            out[i] << values.at(i);
        }
    }
    return out;
}

// Saves with "Save" and answers its notice.
void save(editform *ed) { QCOMPARE(clickAnswering(ed, "Command1"), QStringList{"Message: Record Saved"}); }
} // namespace

void EditorTest::init() {
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->ok());
}

void EditorTest::cleanup() {
    CommonDialog::setChooser({});
    QVERIFY2(m_folder->databaseErrors().isEmpty(), qPrintable(m_folder->databaseErrors().join('\n')));
    m_folder.reset();
}

void EditorTest::controlsCaptionsAndPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("place");
    auto row = [](const char *name, const char *caption, double l, double t, double w, double h) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption) << ui::twRect(l, t, w, h);
    };
    row("Frame1", "Item", 120, 0, 4575, 5655);
    row("Label1(0)", "ID:", 960, 240, 495, 255);
    row("Label1(1)", "Name:", 720, 600, 735, 255);
    row("Label1(2)", "Cost: $", 600, 960, 855, 255);
    row("Label1(3)", "MSRP: $", 480, 1320, 975, 255);
    row("Label1(4)", "Description:", 240, 1680, 1215, 255);
    row("Label1(5)", "HTML Path:", 240, 3360, 1215, 255);
    row("Label1(6)", "Installer:", 120, 3720, 1335, 255);
    row("Label1(7)", "Phone #:", 120, 4080, 1335, 255);
    row("Label1(8)", "Notes:", 120, 4440, 1335, 255);
    row("id", "", 1560, 240, 1335, 285);
    row("aftermarketname", "", 1560, 600, 2895, 285);
    row("cost", "", 1560, 960, 1335, 285);
    row("msrp", "", 1560, 1320, 1335, 285);
    row("description", "", 1560, 1680, 2895, 1575);
    row("htmlpath", "", 1560, 3360, 1455, 285);
    row("picturepath", "", 3480, 1080, 615, 285);
    row("installer", "", 1560, 3720, 2895, 285);
    row("phone", "", 1560, 4080, 2895, 285);
    row("notes", "", 1560, 4440, 2895, 1095);
    row("Command10", "Choose File", 3120, 3360, 1335, 375);
    row("Command1", "Save", 120, 5760, 1335, 495);
    row("Command2", "Clear Form", 1680, 5760, 1335, 495);
    row("Command3", "Delete", 3240, 5760, 1335, 495);
    row("Command4", "|<", 120, 6360, 255, 495);
    row("Command5", "<", 480, 6360, 255, 495);
    row("Command6", ">", 840, 6360, 255, 495);
    row("Command7", ">|", 1200, 6360, 255, 495);
    row("Command9", "Copy Record", 1680, 6360, 1335, 495);
    row("Command8", "EXIT", 3240, 6360, 1335, 495);
}

void EditorTest::controlsCaptionsAndPlaces() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, place);
    addProduct(QStringLiteral("Alarm"), 1, 2);
    editform *ed = openProduct(QStringLiteral("Alarm"));
    QVERIFY(ed);
    QCOMPARE(ed->windowTitle(), QStringLiteral("Add/Edit Item"));
    QWidget *w = control(ed, name);
    QVERIFY(w);
    QCOMPARE(w->geometry(), place);
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        QCOMPARE(b->text(), caption);
    else if (auto *l = qobject_cast<QLabel *>(w))
        QCOMPARE(l->text(), caption);
    else if (auto *g = qobject_cast<QGroupBox *>(w))
        QCOMPARE(g->title(), caption);
    QCOMPARE(w->isEnabled(), name != QLatin1String("id"));
    QCOMPARE(w->isVisibleTo(ed), name != QLatin1String("picturepath"));
}

void EditorTest::tabOrderFollowsTheBoxes() {
    addProduct(QStringLiteral("Alarm"), 1, 2);
    editform *ed = openProduct(QStringLiteral("Alarm"));
    const QStringList expected{"aftermarketname", "cost",     "msrp",     "description", "htmlpath",
                               "installer",       "phone",    "notes",    "Command1",    "Command2",
                               "Command3",        "Command4", "Command5", "Command6",    "Command7",
                               "Command8",        "Command9", "Command10"};
    QStringList seen;
    QWidget *w = control(ed, "aftermarketname");
    for (int i = 0; i < expected.size(); ++i) {
        seen << w->objectName();
        do
            w = w->nextInFocusChain();
        while (w != control(ed, "aftermarketname") &&
               (!w->isVisibleTo(ed) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)));
    }
    QCOMPARE(seen, expected);
}

void EditorTest::everyTextBoxSelectsItsTextOnFocus() {
    storeFull(5, QStringLiteral("Alarm kit"), 12.5, 99, QStringLiteral("Guards the car"), QStringLiteral("alarm.html"),
              QString(), QStringLiteral("Car Audio Pros"), QStringLiteral("555-0122"), QStringLiteral("Two remotes"));
    editform *ed = openProduct(QStringLiteral("Alarm kit"));
    ed->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ed));
    QCOMPARE(boxText(ed, "cost"), QStringLiteral("12.5"));
    for (const char *name : {"aftermarketname", "cost", "msrp", "htmlpath", "installer", "phone"}) {
        auto *box = control<QLineEdit>(ed, name);
        box->setCursorPosition(0);
        control(ed, "Command1")->setFocus();
        box->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(box->selectedText(), box->text());
    }
    for (const char *name : {"description", "notes"}) {
        auto *box = control<QPlainTextEdit>(ed, name);
        control(ed, "Command1")->setFocus();
        box->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(box->textCursor().selectedText(), box->toPlainText());
    }
}

void EditorTest::saveStoresWhatTheBoxesShow() {
    addProduct(QStringLiteral("Alarm"), 1, 2);
    editform *ed = openProduct(QStringLiteral("Alarm"));
    type(ed, "aftermarketname", QStringLiteral("  Alarm Plus  "));
    type(ed, "cost", QStringLiteral("80"));
    type(ed, "msrp", QStringLiteral("249.95"));
    setBox(ed, "description", QStringLiteral("Two remotes\nShock sensor"));
    type(ed, "installer", QStringLiteral("Car Audio Pros"));
    type(ed, "phone", QStringLiteral("555-0122"));
    setBox(ed, "notes", QStringLiteral("Install takes\n2 hours"));
    save(ed);
    const QList<QVariantList> records = storedRecords(QStringLiteral("Alarm Plus"));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).at(2).toDouble(), 80.0);
    QCOMPARE(records.at(0).at(3).toDouble(), 249.95);
    QCOMPARE(records.at(0).at(4).toString(), QStringLiteral("Two remotes\r\nShock sensor"));
    QCOMPARE(records.at(0).at(7).toString(), QStringLiteral("Car Audio Pros"));
    QCOMPARE(records.at(0).at(8).toString(), QStringLiteral("555-0122"));
    QCOMPARE(records.at(0).at(9).toString(), QStringLiteral("Install takes\r\n2 hours"));
    click(ed, "Command8");
    QTRY_VERIFY(list());
    QCOMPARE(cell(list(), 0, 1), QStringLiteral("Alarm Plus"));
    QCOMPARE(cell(list(), 0, 4), QStringLiteral("$169.95"));
}

void EditorTest::amountsAreReadAsTheirLeadingNumber_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("trailing zero") << "12.50" << 12.5 << "12.5";
    QTest::newRow("letters after") << "12abc" << 12.0 << "12";
    QTest::newRow("dollar sign first") << "$5" << 0.0 << "0";
    QTest::newRow("blanks inside") << " 1 000.5" << 1000.5 << "1000.5";
    QTest::newRow("negative") << "-3.25" << -3.25 << "-3.25";
    QTest::newRow("empty") << "" << 0.0 << "0";
    QTest::newRow("large") << "1234567.89" << 1234567.89 << "1234567.89";
}

void EditorTest::amountsAreReadAsTheirLeadingNumber() {
    QFETCH(QString, typed);
    QFETCH(double, value);
    QFETCH(QString, shown);
    addProduct(QStringLiteral("Alarm"), 1, 2);
    editform *ed = openProduct(QStringLiteral("Alarm"));
    type(ed, "cost", typed);
    // The only product: ">" saves it and shows it again.
    click(ed, "Command6");
    QCOMPARE(boxText(ed, "cost"), shown);
    QCOMPARE(stored("cost", QStringLiteral("Alarm")).value(0).toDouble(), value);
}

void EditorTest::navigationSavesAndStaysOnTheEndRecords() {
    addProduct(QStringLiteral("Aa"), 1, 10);
    addProduct(QStringLiteral("Bb"), 2, 20);
    addProduct(QStringLiteral("Cc"), 3, 30);
    editform *ed = openProduct(QStringLiteral("Bb"));
    type(ed, "cost", QStringLiteral("22"));
    click(ed, "Command6");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Cc"));
    QCOMPARE(stored("cost", QStringLiteral("Bb")).value(0).toDouble(), 22.0);
    // ">" on the last record saves it and shows it again.
    type(ed, "phone", QStringLiteral("555-0001"));
    click(ed, "Command6");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Cc"));
    QCOMPARE(boxText(ed, "phone"), QStringLiteral("555-0001"));
    QCOMPARE(stored("phone", QStringLiteral("Cc")).value(0).toString(), QStringLiteral("555-0001"));
    click(ed, "Command4");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Aa"));
    type(ed, "installer", QStringLiteral("In-house"));
    click(ed, "Command5");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Aa"));
    QCOMPARE(stored("installer", QStringLiteral("Aa")).value(0).toString(), QStringLiteral("In-house"));
    click(ed, "Command7");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Cc"));
    click(ed, "Command5");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Bb"));
    QCOMPARE(boxText(ed, "cost"), QStringLiteral("22"));
}

void EditorTest::emptiedDescriptionLeavesTheStoredOne() {
    addProduct(QStringLiteral("Alarm"), 1, 2, QStringLiteral("Guards the car"));
    editform *ed = openProduct(QStringLiteral("Alarm"));
    QCOMPARE(boxText(ed, "description"), QStringLiteral("Guards the car"));
    setBox(ed, "description", QString());
    save(ed);
    QCOMPARE(stored("description", QStringLiteral("Alarm")), QVariantList{QStringLiteral("Guards the car")});
}

void EditorTest::productWithoutDescriptionShowsAnEmptyBox() {
    addProduct(QStringLiteral("Aa"), 1, 2, QStringLiteral("Has one"));
    addProduct(QStringLiteral("Bb"), 1, 2);
    editform *ed = openProduct(QStringLiteral("Aa"));
    QCOMPARE(boxText(ed, "description"), QStringLiteral("Has one"));
    click(ed, "Command6");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Bb"));
    QCOMPARE(boxText(ed, "description"), QString());
    QVERIFY(stored("description", QStringLiteral("Bb")).value(0).isNull());
}

void EditorTest::clearFormThenLeavingStoresIdZero_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("Save") << "Command1";
    QTest::newRow("next") << "Command6";
    QTest::newRow("EXIT") << "Command8";
}

void EditorTest::clearFormThenLeavingStoresIdZero() {
    QFETCH(QString, button);
    addProduct(QStringLiteral("Alarm"), 1, 2);
    addProduct(QStringLiteral("Tint"), 1, 2);
    editform *ed = openProduct(QStringLiteral("Tint"));
    click(ed, "Command2");
    QCOMPARE(boxText(ed, "id"), QString());
    QCOMPARE(boxText(ed, "aftermarketname"), QString());
    QCOMPARE(stored("id", QStringLiteral("Tint")), QVariantList{2}); // nothing stored yet
    clickAnswering(ed, button);
    QCOMPARE(stored("id", QString()), QVariantList{0});
    QCOMPARE(storedCount(), 2);
    if (editor())
        click(editor(), "Command8");
    QTRY_VERIFY(list());
    QCOMPARE(names(list()), QStringList{QStringLiteral("Alarm")});
}

void EditorTest::deleteAsksAndRemovesTheProduct() {
    addProduct(QStringLiteral("Aa"), 1, 2);
    addProduct(QStringLiteral("Bb"), 1, 2);
    const int counter = storedSetting("am_total").toInt();
    editform *ed = openProduct(QStringLiteral("Bb"));
    QCOMPARE(clickAnswering(ed, "Command3", {false}), QStringList{"Are You Sure?: Delete Current Record?"});
    QCOMPARE(editor(), ed);
    QCOMPARE(storedCount(), 2);
    QCOMPARE(clickAnswering(ed, "Command3", {true}), QStringList{"Are You Sure?: Delete Current Record?"});
    QTRY_VERIFY(!editor());
    QVERIFY(list());
    QVERIFY(list()->isVisible());
    QCOMPARE(names(list()), QStringList{QStringLiteral("Aa")});
    QCOMPARE(storedCount(), 1);
    QCOMPARE(storedSetting("am_total").toInt(), counter);
}

void EditorTest::copyRecordMakesANewProductUnderTheNextId() {
    storeFull(7, QStringLiteral("Remote Start"), 150, 499, QStringLiteral("From 1,000 feet"),
              QStringLiteral("remote-start.html"), QStringLiteral("remote.jpg"), QStringLiteral("Car Audio Pros"),
              QStringLiteral("555-0122"), QStringLiteral("Two-way remote"));
    setSetting(QStringLiteral("am_total"), 20);
    editform *ed = openProduct(QStringLiteral("Remote Start"));
    QCOMPARE(clickAnswering(ed, "Command9"), QStringList{"Are You Sure?: Copy Record?"});
    QCOMPARE(boxText(ed, "id"), QStringLiteral("21"));
    QCOMPARE(storedSetting("am_total").toInt(), 21);
    const QList<QVariantList> records = storedRecords(QStringLiteral("Remote Start"));
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(0).at(0).toInt(), 7);
    QCOMPARE(records.at(1).at(0).toInt(), 21);
    QCOMPARE(records.at(1).mid(1), records.at(0).mid(1));
    // The editor now stands on the copy.
    type(ed, "aftermarketname", QStringLiteral("Remote Start Plus"));
    save(ed);
    QCOMPARE(stored("id", QStringLiteral("Remote Start Plus")), QVariantList{21});
    QCOMPARE(stored("id", QStringLiteral("Remote Start")), QVariantList{7});
}

void EditorTest::copyRecordCancelledChangesNothing() {
    addProduct(QStringLiteral("Alarm"), 1, 2);
    const int counter = storedSetting("am_total").toInt();
    editform *ed = openProduct(QStringLiteral("Alarm"));
    type(ed, "cost", QStringLiteral("9"));
    QCOMPARE(clickAnswering(ed, "Command9", {false}), QStringList{"Are You Sure?: Copy Record?"});
    QCOMPARE(storedCount(), 1);
    QCOMPARE(storedSetting("am_total").toInt(), counter);
    QCOMPARE(stored("cost", QStringLiteral("Alarm")).value(0).toDouble(), 1.0);
}

void EditorTest::chooseFilePutsTheFullPathInTheBox() {
    QDir(m_folder->path()).mkpath(QStringLiteral("webpages"));
    const QString page = QDir(Module1::webpagesFolder()).filePath(QStringLiteral("alarm 50% off.html"));
    QFile f(page);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QStringList asked;
    CommonDialog::setChooser([&](QWidget *, const QString &dir, const QString &title, const QString &filter) {
        asked << dir << title << filter;
        return page;
    });
    addProduct(QStringLiteral("Alarm"), 1, 2);
    editform *ed = openProduct(QStringLiteral("Alarm"));
    QCOMPARE(clickAnswering(ed, "Command10"), QStringList());
    QCOMPARE(asked, (QStringList{Module1::webpagesFolder(), "Open", "All Files (*.*)"}));
    QCOMPARE(boxText(ed, "htmlpath"), page);
    QCOMPARE(stored("htmlpath", QStringLiteral("Alarm")), QVariantList{QString()}); // not before a save
    save(ed);
    QCOMPARE(stored("htmlpath", QStringLiteral("Alarm")), QVariantList{page});
}

void EditorTest::chooseFileCancelledOrFailingKeepsTheBox_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("cancelled") << "" << QStringList();
    QTest::newRow("no such file") << "/no/such/folder/page.html" << QStringList{"Error: Invalid File"};
    QTest::newRow("a folder") << "/" << QStringList{"Error: Invalid File"};
}

void EditorTest::chooseFileCancelledOrFailingKeepsTheBox() {
    QFETCH(QString, answer);
    QFETCH(QStringList, boxes);
    CommonDialog::setChooser([answer](QWidget *, const QString &, const QString &, const QString &) { return answer; });
    addProduct(QStringLiteral("Alarm"), 1, 2, QString(), QStringLiteral("http://example.com/alarm"));
    editform *ed = openProduct(QStringLiteral("Alarm"));
    QCOMPARE(clickAnswering(ed, "Command10"), boxes);
    QCOMPARE(boxText(ed, "htmlpath"), QStringLiteral("http://example.com/alarm"));
}

void EditorTest::textsComeBackUnchanged_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("kept");
    const QString mixed = QStringLiteral("He said \"fit it\"; it's 50% off \\ C:\\Pages\\ Müller Ærø Škoda 日本 ☺");
    QTest::newRow("name") << "aftermarketname" << mixed << mixed;
    QTest::newRow("html path") << "htmlpath" << QStringLiteral("C:\\Web Pages\\50%_off's \"best\".htm")
                               << QStringLiteral("C:\\Web Pages\\50%_off's \"best\".htm");
    QTest::newRow("installer") << "installer" << QStringLiteral("O'Brien & Sons_%") << QStringLiteral("O'Brien & Sons_%");
    QTest::newRow("phone") << "phone" << QStringLiteral("+49 (0)30 \\ 555") << QStringLiteral("+49 (0)30 \\ 555");
    QTest::newRow("notes on lines") << "notes" << mixed + QStringLiteral("\nsecond line\n\nfourth")
                                    << mixed + QStringLiteral("\r\nsecond line\r\n\r\nfourth");
    QString big, bigStored;
    while (big.size() < 100 * 1024) {
        big += mixed + QLatin1Char('\n');
        bigStored += mixed + QStringLiteral("\r\n");
    }
    big += QStringLiteral("end");
    bigStored += QStringLiteral("end");
    QTest::newRow("100 KB description") << "description" << big << bigStored;
    QTest::newRow("100 KB notes") << "notes" << big << bigStored;
    const QString longLine(100 * 1024, QChar(0x00E9));
    QTest::newRow("100 KB in a line box") << "installer" << longLine << longLine;
}

void EditorTest::textsComeBackUnchanged() {
    QFETCH(QString, box);
    QFETCH(QString, shown);
    QFETCH(QString, kept);
    addProduct(QStringLiteral("Probe"), 1, 2);
    editform *ed = openProduct(QStringLiteral("Probe"));
    setBox(ed, box, shown);
    click(ed, "Command8");
    QTRY_VERIFY(list());
    const QString name = box == QLatin1String("aftermarketname") ? kept : QStringLiteral("Probe");
    QCOMPARE(stored(box, name), QVariantList{kept});
    QCOMPARE(names(list()), QStringList{name});
    if (box == QLatin1String("installer"))
        QCOMPARE(cell(list(), 0, 5), kept);
    if (box == QLatin1String("notes"))
        QCOMPARE(cell(list(), 0, 7), kept);
    clickRow(list(), 0);
    QTRY_VERIFY(editor());
    QCOMPARE(boxText(editor(), box), shown);
}

void EditorTest::hiddenPicturePathIsCarriedAlong() {
    const QString picture = QStringLiteral("C:\\Pictures\\kit\r\nsecond 50%.jpg");
    storeFull(3, QStringLiteral("Alarm"), 1, 2, QVariant(), QString(), picture, QString(), QString(), QString());
    setSetting(QStringLiteral("am_total"), 3);
    editform *ed = openProduct(QStringLiteral("Alarm"));
    type(ed, "cost", QStringLiteral("5"));
    save(ed);
    QCOMPARE(stored("picturepath", QStringLiteral("Alarm")), QVariantList{picture});
    clickAnswering(ed, "Command9");
    QCOMPARE(stored("picturepath", QStringLiteral("Alarm")), (QVariantList{picture, picture}));
}

void EditorTest::editorKeepsItsSetWhenAnotherWindowReplacesTheShared() {
    addProduct(QStringLiteral("Aa"), 1, 10);
    addProduct(QStringLiteral("Bb"), 2, 20);
    addProduct(QStringLiteral("Cc"), 3, 30);
    editform *ed = openProduct(QStringLiteral("Aa"));
    // The deal worksheet, say, reads the catalogue with its own query.
    Module1::rsproducts = RecordSet::openQuery(Module1::dbproducts, QStringLiteral("select * from [table] where id = 3"));
    Module1::rsproducts->moveFirst();
    type(ed, "phone", QStringLiteral("555-0100"));
    click(ed, "Command6");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Bb"));
    QCOMPARE(stored("phone", QStringLiteral("Aa")).value(0).toString(), QStringLiteral("555-0100"));
    QCOMPARE(stored("phone", QStringLiteral("Cc")).value(0).toString(), QString());
}

void EditorTest::anOpenEditorStoresItsRecordBeforeTakingAnother() {
    addProduct(QStringLiteral("Aa"), 1, 10);
    addProduct(QStringLiteral("Bb"), 2, 20);
    editform *ed = openProduct(QStringLiteral("Aa"));
    type(ed, "aftermarketname", QStringLiteral("Ab"));
    // The list opened again from the main window while the editor is still open.
    aftermarketlist *w = openList();
    QCOMPARE(names(w), (QStringList{"Aa", "Bb"}));
    clickRow(w, 1);
    QTRY_VERIFY(!list());
    QCOMPARE(editor(), ed);
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Bb"));
    QCOMPARE(stored("id", QStringLiteral("Ab")), QVariantList{1});
    click(ed, "Command4");
    QCOMPARE(boxText(ed, "aftermarketname"), QStringLiteral("Ab"));
}

void EditorTest::titleBarCloseSavesLikeExit() {
    addProduct(QStringLiteral("Alarm"), 1, 2);
    editform *ed = openProduct(QStringLiteral("Alarm"));
    type(ed, "msrp", QStringLiteral("7.5"));
    ed->close();
    QTRY_VERIFY(!editor());
    QVERIFY(list());
    QCOMPARE(stored("msrp", QStringLiteral("Alarm")).value(0).toDouble(), 7.5);
    QCOMPARE(cell(list(), 0, 3), QStringLiteral("$7.50"));
}
