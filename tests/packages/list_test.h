#pragma once
#include <QObject>

class ListTest : public QObject {
    Q_OBJECT
private slots:
    void listsByVehicleThenNotes();
    void templatesWithIdZeroAreNotListedAndTheEmptyRowDoesNothing();
    void clickOpensTheTemplateAndClosesTheList();
    void leavingTheEditorShowsTheChangedTemplate();
    void exitOnlyHidesTheList();
    void aTemplateGoneFromTheSharedSetIsStillOpened();
};
