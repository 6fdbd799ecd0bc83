#pragma once
#include <QObject>

class SlotsTest : public QObject {
    Q_OBJECT
private slots:
    void pickingProductsTotalsThePackage_data();
    void pickingProductsTotalsThePackage();
    void choosingNoneEmptiesTheSlot();
    void aTemplateLoadsItsProductsById();
    void twoProductsWithOneNameAreTwoEntriesCheaperFirst();
    void slotsTakeNoTypingAndHideTheirFigures();
    void aDeletedProductLoadsAsNoneAndSavesAsZero();
    void storedValuesThatNameNoProductLoadAsNone_data();
    void storedValuesThatNameNoProductLoadAsNone();
    void aProductWithIdZeroIsOfferedButStoredAsZero();
    void aLargeCatalogueLoadsAndSavesEveryProduct();
    void aProductAddedAfterTheEditorOpenedIsFound();
    void aProductStoredInADeletedProductsPlaceIsFound();
    void anEmptyCatalogueSaysSoOnce();
};
