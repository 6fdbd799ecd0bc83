#pragma once

#include <QObject>

// The presentation's own commands: back to the worksheet, leaving the deal, closing, opening pages.
class PresentationCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void changeItemsReturnsToTheSameDeal();
    void changeItemsAfterWorksheetLeftShowsMainWindow();
    void createDealAgainBuildsAFreshPresentation();
    void exitShowsMainWindowAndDiscardsTheDeal();
    void titleBarCloseKeepsWorksheetHidden();

    void doubleClickOpensThePage_data();
    void doubleClickOpensThePage();
    void emptySlotHasNothingToDoubleClick();
};
