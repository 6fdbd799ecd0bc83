#pragma once

#include <QObject>

// "Create Deal": what the presentation shows for the deal on the worksheet.
class PresentationBuilderTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void headerComesFromWorksheetAndSettings();
    void packageCaptionsComeFromWorksheet();

    void priceLines_data();
    void priceLines();

    void productTexts_data();
    void productTexts();
    void emptyPackageShowsOnlyCaptionAndPriceLine();

    void renamedProductShowsNewNameWithWorksheetPrice();
    void deletedProductShowsWhatWorksheetShows();
    void sharedProductSetIsNotMoved();
    void sampleDealFillsEveryColumn();
};
