#pragma once

#include <QObject>
#include <memory>

#include "testsupport.h"

// The product editor, opened from the product list as a user opens it.
class EditorTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsCaptionsAndPlaces_data();
    void controlsCaptionsAndPlaces();
    void tabOrderFollowsTheBoxes();
    void everyTextBoxSelectsItsTextOnFocus();
    void saveStoresWhatTheBoxesShow();
    void amountsAreReadAsTheirLeadingNumber_data();
    void amountsAreReadAsTheirLeadingNumber();
    void navigationSavesAndStaysOnTheEndRecords();
    void emptiedDescriptionLeavesTheStoredOne();
    void productWithoutDescriptionShowsAnEmptyBox();
    void clearFormThenLeavingStoresIdZero_data();
    void clearFormThenLeavingStoresIdZero();
    void deleteAsksAndRemovesTheProduct();
    void copyRecordMakesANewProductUnderTheNextId();
    void copyRecordCancelledChangesNothing();
    void chooseFilePutsTheFullPathInTheBox();
    void chooseFileCancelledOrFailingKeepsTheBox_data();
    void chooseFileCancelledOrFailingKeepsTheBox();
    void textsComeBackUnchanged_data();
    void textsComeBackUnchanged();
    void hiddenPicturePathIsCarriedAlong();
    void editorKeepsItsSetWhenAnotherWindowReplacesTheShared();
    void anOpenEditorStoresItsRecordBeforeTakingAnother();
    void titleBarCloseSavesLikeExit();

private:
    std::unique_ptr<testsupport::ProgramFolder> m_folder;
};
