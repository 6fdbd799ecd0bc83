#pragma once
#include <QObject>

class EditorTest : public QObject {
    Q_OBJECT
private slots:
    void addItemStoresANewTemplateAtOnce();
    void afterAddItemTheMoveButtonsStayOnIt();
    void saveOnAnUnchangedTemplateStoresTheSameValues();
    void moveButtonsSaveAndStopAtTheEnds();
    void copyRecordMakesTheCopyCurrent();
    void copyRecordCancelledChangesNothing();
    void deleteRemovesOnlyAfterOk();
    void clearFormThenExitStoresAnEmptyTemplateNoLongerListed();
    void anEmptyStoredPackageNameKeepsTheShownName();
    void notesKeepTheirLineBreaks();
    void theEditorIsCreatedOnceAndOnlyHidden();
};
