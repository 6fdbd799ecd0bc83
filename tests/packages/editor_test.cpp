// The template editor: making, saving, walking, copying, clearing and deleting templates.

#include "editor_test.h"

#include "app/module1.h"
#include "app/windows.h"
#include "packages/editvehicle.h"
#include "packages/vehiclelist.h"
#include "packages_support.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace testsupport;
using namespace packagestest;

namespace {
const QStringList kNames{"Platinum", "Gold", "Silver", "Bronze"};

QList<int> slotsWith(QList<QPair<int, int>> placed) {
    QList<int> values(40, 0);
    for (const auto &[index, id] : placed)
        values[index] = id;
    return values;
}

QString idBox(QWidget *editor) { return text(editor, QStringLiteral("id")); }
} // namespace

void EditorTest::addItemStoresANewTemplateAtOnce() {
    ProgramFolder folder;
    addProduct(QStringLiteral("Tint"), 50, 150);
    setSetting(QStringLiteral("ve_total"), 7);
    for (int p = 0; p < 4; ++p)
        setSetting(QStringLiteral("package%1").arg(p + 1), kNames[p]);
    editvehicle *editor = addItem(openList());
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->windowTitle(), QStringLiteral("Add/Edit Package"));
    QCOMPARE(idBox(editor), QStringLiteral("8"));
    QVERIFY(!control(editor, QStringLiteral("id"))->isEnabled());
    QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), 8);
    QCOMPARE(storedCount(QStringLiteral("id = 8")), 1);
    QCOMPARE(storedField(8, QStringLiteral("vehiclename")).value(0).toString(), QString());
    QCOMPARE(storedField(8, QStringLiteral("notes")).value(0).toString(), QString());
    for (int p = 0; p < 4; ++p) {
        QCOMPARE(storedField(8, QStringLiteral("package%1").arg(p + 1)).value(0).toString(), kNames[p]);
        QCOMPARE(text(editor, QStringLiteral("packagename(%1)").arg(p)), kNames[p]);
        QCOMPARE(totals(editor, p), QStringList({"$0.00", "$0.00", "$0.00"}));
    }
    QCOMPARE(storedSlots(8), QList<int>(40, 0));
    QTRY_VERIFY(!SingleWindow<vehiclelist>::existing());
}

void EditorTest::afterAddItemTheMoveButtonsStayOnIt() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Accord"), QString());
    addTemplate(QStringLiteral("Camry"), QString());
    const int before = Module1::ve_total;
    editvehicle *editor = addItem(openList());
    QVERIFY(editor);
    const QString newId = QString::number(before + 1);
    for (const char *button : {"Command4", "Command5", "Command6", "Command7"}) {
        QVERIFY(click(editor, QString::fromLatin1(button)));
        QCOMPARE(idBox(editor), newId);
    }
}

void EditorTest::saveOnAnUnchangedTemplateStoresTheSameValues() {
    ProgramFolder folder;
    const int tint = addProduct(QStringLiteral("Tint"), 50, 150);
    const int guard = addProduct(QStringLiteral("Guard"), 20, 80);
    const QList<int> placed = slotsWith({{0, tint}, {13, guard}, {39, tint}});
    const int id = addTemplate(QStringLiteral("Camry"), QStringLiteral("V6"), placed, kNames);
    editvehicle *editor = openTemplate(openList(), QStringLiteral("Camry"));
    QVERIFY(editor);
    const QList<BoxSeen> boxes = answeringBoxes([&] { click(editor, QStringLiteral("Command1")); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QStringLiteral("Message"));
    QCOMPARE(boxes[0].text, QStringLiteral("Record Saved"));
    QCOMPARE(storedSlots(id), placed);
    QCOMPARE(storedField(id, QStringLiteral("vehiclename")).value(0).toString(), QStringLiteral("Camry"));
    QCOMPARE(storedField(id, QStringLiteral("notes")).value(0).toString(), QStringLiteral("V6"));
    QCOMPARE(storedField(id, QStringLiteral("package3")).value(0).toString(), QStringLiteral("Silver"));
    QCOMPARE(storedCount(), 1);
}

void EditorTest::moveButtonsSaveAndStopAtTheEnds() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Accord"), QString());
    addTemplate(QStringLiteral("Bronco"), QString());
    addTemplate(QStringLiteral("Camry"), QString());
    editvehicle *editor = openTemplate(openList(), QStringLiteral("Bronco"));
    QVERIFY(editor);
    struct Step {
        const char *button;
        const char *shows;
    };
    const Step steps[] = {{"Command6", "Camry"}, {"Command6", "Camry"},  {"Command4", "Accord"},
                          {"Command5", "Accord"}, {"Command7", "Camry"}, {"Command5", "Bronco"}};
    for (const Step &step : steps) {
        QVERIFY(click(editor, QString::fromLatin1(step.button)));
        QCOMPARE(text(editor, QStringLiteral("vehiclename")), QString::fromLatin1(step.shows));
    }
    // What is shown is stored before every move.
    type(editor, QStringLiteral("vehiclename"), QStringLiteral("Blazer"));
    QVERIFY(click(editor, QStringLiteral("Command4")));
    QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Blazer'")), 1);
    QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Bronco'")), 0);
}

void EditorTest::copyRecordMakesTheCopyCurrent() {
    ProgramFolder folder;
    const int tint = addProduct(QStringLiteral("Tint"), 50, 150);
    const QList<int> placed = slotsWith({{2, tint}, {25, tint}});
    addTemplate(QStringLiteral("Camry"), QStringLiteral("V6"), placed, kNames, 12);
    setSetting(QStringLiteral("ve_total"), 40);
    editvehicle *editor = openTemplate(openList(), QStringLiteral("Camry"));
    QVERIFY(editor);
    type(editor, QStringLiteral("vehiclename"), QStringLiteral("Camry SE"));
    const QList<BoxSeen> boxes = answeringBoxes([&] { click(editor, QStringLiteral("Command9")); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QStringLiteral("Are You Sure?"));
    QCOMPARE(boxes[0].text, QStringLiteral("Copy Record?"));
    QCOMPARE(idBox(editor), QStringLiteral("41"));
    QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), 41);
    // The shown template was saved first, and the copy carries everything shown.
    QCOMPARE(storedField(12, QStringLiteral("vehiclename")).value(0).toString(), QStringLiteral("Camry SE"));
    QCOMPARE(storedField(41, QStringLiteral("vehiclename")).value(0).toString(), QStringLiteral("Camry SE"));
    QCOMPARE(storedField(41, QStringLiteral("notes")).value(0).toString(), QStringLiteral("V6"));
    QCOMPARE(storedField(41, QStringLiteral("package4")).value(0).toString(), QStringLiteral("Bronze"));
    QCOMPARE(storedSlots(41), placed);
    // Later saves change the copy.
    type(editor, QStringLiteral("vehiclename"), QStringLiteral("Copy"));
    answeringBoxes([&] { click(editor, QStringLiteral("Command1")); });
    QCOMPARE(storedField(41, QStringLiteral("vehiclename")).value(0).toString(), QStringLiteral("Copy"));
    QCOMPARE(storedField(12, QStringLiteral("vehiclename")).value(0).toString(), QStringLiteral("Camry SE"));
}

void EditorTest::copyRecordCancelledChangesNothing() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Camry"), QString(), {}, kNames, 12);
    setSetting(QStringLiteral("ve_total"), 40);
    editvehicle *editor = openTemplate(openList(), QStringLiteral("Camry"));
    QVERIFY(editor);
    answeringBoxes([&] { click(editor, QStringLiteral("Command9")); }, {false});
    QCOMPARE(idBox(editor), QStringLiteral("12"));
    QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), 40);
    QCOMPARE(storedCount(), 1);
}

void EditorTest::deleteRemovesOnlyAfterOk() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Accord"), QString());
    addTemplate(QStringLiteral("Camry"), QString());
    const int counter = Module1::ve_total;
    editvehicle *editor = openTemplate(openList(), QStringLiteral("Camry"));
    QVERIFY(editor);
    const QList<BoxSeen> asked = answeringBoxes([&] { click(editor, QStringLiteral("Command3")); }, {false});
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].text, QStringLiteral("Delete Current Record?"));
    QVERIFY(editor->isVisible());
    QCOMPARE(storedCount(), 2);

    answeringBoxes([&] { click(editor, QStringLiteral("Command3")); }, {true});
    QVERIFY(!editor->isVisible());
    QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Camry'")), 0);
    QCOMPARE(storedSetting(QStringLiteral("ve_total")).toInt(), counter);
    vehiclelist *list = SingleWindow<vehiclelist>::existing();
    QVERIFY(list && list->isVisible());
    QCOMPARE(listed(list), QStringList({"Accord|"}));
}

void EditorTest::clearFormThenExitStoresAnEmptyTemplateNoLongerListed() {
    ProgramFolder folder;
    const int tint = addProduct(QStringLiteral("Tint"), 50, 150);
    addTemplate(QStringLiteral("Accord"), QString());
    addTemplate(QStringLiteral("Camry"), QStringLiteral("V6"), slotsWith({{0, tint}, {9, tint}}), kNames);
    editvehicle *editor = openTemplate(openList(), QStringLiteral("Camry"));
    QVERIFY(editor);
    QVERIFY(click(editor, QStringLiteral("Command2")));
    QCOMPARE(idBox(editor), QString());
    QCOMPARE(totals(editor, 0), QStringList({"$0.00", "$0.00", "$0.00"}));
    QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Camry'")), 1); // nothing stored yet
    QVERIFY(click(editor, QStringLiteral("Command8")));
    QCOMPARE(storedCount(QStringLiteral("id = 0")), 1);
    QCOMPARE(storedSlots(0), QList<int>(40, 0));
    QCOMPARE(storedField(0, QStringLiteral("vehiclename")).value(0).toString(), QString());
    QCOMPARE(storedField(0, QStringLiteral("package1")).value(0).toString(), QString());
    QCOMPARE(storedCount(), 2);
    QCOMPARE(listed(SingleWindow<vehiclelist>::existing()), QStringList({"Accord|"}));
}

void EditorTest::anEmptyStoredPackageNameKeepsTheShownName() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Accord"), QString(), {}, kNames);
    const int bare = addTemplate(QStringLiteral("Bronco"), QString(), {}, {"", "", "", ""});
    editvehicle *editor = openTemplate(openList(), QStringLiteral("Accord"));
    QVERIFY(editor);
    QVERIFY(click(editor, QStringLiteral("Command6")));
    QCOMPARE(text(editor, QStringLiteral("vehiclename")), QStringLiteral("Bronco"));
    QCOMPARE(text(editor, QStringLiteral("packagename(1)")), QStringLiteral("Gold"));
    QVERIFY(click(editor, QStringLiteral("Command8")));
    QCOMPARE(storedField(bare, QStringLiteral("package2")).value(0).toString(), QStringLiteral("Gold"));
}

void EditorTest::notesKeepTheirLineBreaks() {
    ProgramFolder folder;
    const int id = addTemplate(QStringLiteral("Camry"), QStringLiteral("Two lines\r\nof notes"));
    editvehicle *editor = openTemplate(openList(), QStringLiteral("Camry"));
    QVERIFY(editor);
    QCOMPARE(control<QPlainTextEdit>(editor, QStringLiteral("notes"))->toPlainText(),
             QStringLiteral("Two lines\nof notes"));
    QVERIFY(click(editor, QStringLiteral("Command8")));
    QCOMPARE(storedField(id, QStringLiteral("notes")).value(0).toString(), QStringLiteral("Two lines\r\nof notes"));
}

void EditorTest::theEditorIsCreatedOnceAndOnlyHidden() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Accord"), QString());
    editvehicle *first = openTemplate(openList(), QStringLiteral("Accord"));
    QVERIFY(first);
    QVERIFY(click(first, QStringLiteral("Command8")));
    QVERIFY(!first->isVisible());
    editvehicle *again = openTemplate(SingleWindow<vehiclelist>::existing(), QStringLiteral("Accord"));
    QCOMPARE(again, first);
    QVERIFY(again->isVisible());
    // The title bar's close leaves as EXIT does.
    type(again, QStringLiteral("vehiclename"), QStringLiteral("Acura"));
    again->close();
    QVERIFY(!again->isVisible());
    QCOMPARE(SingleWindow<editvehicle>::existing(), first);
    QCOMPARE(storedCount(QStringLiteral("vehiclename = 'Acura'")), 1);
}
