#pragma once

#include <QObject>
#include <memory>

#include "testsupport.h"

// The product list window: what its grid shows and where its clicks and buttons lead.
class ListTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void emptyCatalogueShowsHeadingsAndOneEmptyRow();
    void headingsAndColumnWidths();
    void productsWithIdZeroAreNotListed();
    void sameNamesOrderByCostThenMsrp();
    void cellsLandInTheirOwnColumns_data();
    void cellsLandInTheirOwnColumns();
    void clickOpensTheProductInsideTheWholeList();
    void clickFindsTheProductAfterAnotherWindowNarrowedTheSharedSet();
    void clickFindsTheProductWhenTheCatalogueChangedMeanwhile();
    void clickOnAProductDeletedMeanwhileSaysSoAndRefreshes();
    void addItemStoresAnEmptyProductUnderANewId();
    void addItemWhenNoIdIsLeftStoresNothing();
    void exitAndTitleBarCloseReturnToTheMainWindow_data();
    void exitAndTitleBarCloseReturnToTheMainWindow();
    void printListAsksFirst();
    void aLargeCatalogueListsEveryProduct();

private:
    std::unique_ptr<testsupport::ProgramFolder> m_folder;
};
