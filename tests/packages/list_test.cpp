// The template list: what it lists, in which order, and where its buttons and clicks lead.

#include "list_test.h"

#include "app/form1.h"
#include "app/module1.h"
#include "app/windows.h"
#include "packages/editvehicle.h"
#include "packages/vehiclelist.h"
#include "packages_support.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QtTest>

using namespace testsupport;
using namespace packagestest;

void ListTest::listsByVehicleThenNotes() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Camry"), QStringLiteral("V6"));
    addTemplate(QStringLiteral("Accord"), QString());
    addTemplate(QStringLiteral("Accord"), QStringLiteral("LX"));
    vehiclelist *list = openList();
    QVERIFY(list);
    QCOMPARE(list->windowTitle(), QStringLiteral("Aftermarket Packages"));
    QCOMPARE(listed(list), QStringList({"Accord|", "Accord|LX", "Camry|V6"}));
    auto *grid = control<QTableWidget>(list, QStringLiteral("grid1"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Vehicle"));
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("Notes"));
    QVERIFY(grid->isColumnHidden(0));
}

void ListTest::templatesWithIdZeroAreNotListedAndTheEmptyRowDoesNothing() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Cleared"), QString(), {}, {}, 0);
    vehiclelist *list = openList();
    QVERIFY(list);
    QCOMPARE(listed(list), QStringList({"|"}));
    clickRow(list, 0);
    QVERIFY(!SingleWindow<editvehicle>::existing());
    QVERIFY(list->isVisible());
}

void ListTest::clickOpensTheTemplateAndClosesTheList() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Accord"), QStringLiteral("LX"));
    addTemplate(QStringLiteral("Camry"), QStringLiteral("V6"));
    vehiclelist *list = openList();
    editvehicle *editor = openTemplate(list, QStringLiteral("Camry"));
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    QCOMPARE(text(editor, QStringLiteral("vehiclename")), QStringLiteral("Camry"));
    QCOMPARE(control<QPlainTextEdit>(editor, QStringLiteral("notes"))->toPlainText(), QStringLiteral("V6"));
    QTRY_VERIFY(!SingleWindow<vehiclelist>::existing());
}

void ListTest::leavingTheEditorShowsTheChangedTemplate() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Camry"), QStringLiteral("V6"));
    editvehicle *editor = openTemplate(openList(), QStringLiteral("Camry"));
    QVERIFY(editor);
    type(editor, QStringLiteral("vehiclename"), QStringLiteral("Corolla"));
    auto *notes = control<QPlainTextEdit>(editor, QStringLiteral("notes"));
    notes->setFocus();
    notes->selectAll();
    QTest::keyClicks(notes, QStringLiteral("Hybrid"));
    QVERIFY(click(editor, QStringLiteral("Command8")));
    QVERIFY(!editor->isVisible());
    vehiclelist *list = SingleWindow<vehiclelist>::existing();
    QVERIFY(list && list->isVisible());
    QCOMPARE(listed(list), QStringList({"Corolla|Hybrid"}));
}

void ListTest::exitOnlyHidesTheList() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Camry"), QString());
    vehiclelist *list = openList();
    QVERIFY(list);
    QVERIFY(click(list, QStringLiteral("Command3")));
    QVERIFY(!list->isVisible());
    QVERIFY(SingleWindow<Form1>::existing()->isVisible());
    // Shown again from the menu, it is the same list with the same grid, not reloaded.
    addTemplate(QStringLiteral("Accord"), QString());
    QCOMPARE(openList(), list);
    QVERIFY(list->isVisible());
    QCOMPARE(listed(list), QStringList({"Camry|"}));
}

void ListTest::aTemplateGoneFromTheSharedSetIsStillOpened() {
    ProgramFolder folder;
    addTemplate(QStringLiteral("Accord"), QString());
    addTemplate(QStringLiteral("Camry"), QString());
    vehiclelist *list = openList();
    // Another window narrows the shared template set while the list is only hidden.
    Module1::rsvehicles = RecordSet::openQuery(Module1::dbvehicles,
                                               QStringLiteral("select * from [table] where vehiclename = 'Accord'"));
    editvehicle *editor = openTemplate(list, QStringLiteral("Camry"));
    QVERIFY(editor);
    QCOMPARE(text(editor, QStringLiteral("vehiclename")), QStringLiteral("Camry"));
    QVERIFY(click(editor, QStringLiteral("Command4")));
    QCOMPARE(text(editor, QStringLiteral("vehiclename")), QStringLiteral("Accord"));
}
