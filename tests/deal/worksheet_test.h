#pragma once

#include "testsupport.h"

#include <QObject>
#include <memory>

// The deal worksheet driven through its window.
class WorksheetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    // Opening
    void opensFromSettings();
    void presetsRateAndTermFromSettings();
    void emptyCatalogueSaysSoAndStillOpens();
    void tabOrderStartsWithTheParticulars();

    // Totals and payments
    void workedTableThroughTheWindow_data();
    void workedTableThroughTheWindow();
    void typedRateAndTermReadAsNumbers();
    void taxRateIsAFraction();
    void everyOptionRecalculatesAllPackages_data();
    void everyOptionRecalculatesAllPackages();
    void costAboveMsrpGivesNegativeProfit();
    void choosingNoneEmptiesTheSlot();
    void typingAloneDoesNotRecalculate();
    void unusableTermMarksTheBox_data();
    void unusableTermMarksTheBox();

    // Templates
    void templateLoadKeepsParticularsAndOptions();
    void emptyPackageNamesKeepEarlierCaptions();
    void deletedProductLoadsAsNone();
    void goldLoadsGoldNotGoldPlus_data();
    void goldLoadsGoldNotGoldPlus();
    void sameEntryAgainReloads();
    void namesWithQuotesAndPatternsLoadTheChosenOne_data();
    void namesWithQuotesAndPatternsLoadTheChosenOne();
    void emptyEntryChangesNothing();
    void productAddedAfterOpeningIsFound();
    void largeCatalogueLoadsEverySlot();

    // Leaving
    void exitDiscardsTheDeal();
    void titleBarCloseDoesWhatExitDoes();

private:
    std::unique_ptr<testsupport::ProgramFolder> m_folder;
};
