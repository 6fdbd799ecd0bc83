#pragma once

#include <QObject>

// The presentation window as it opens, and its printing.
class PresentationWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void opensInDesignState_data();
    void opensInDesignState();
    void everySlotHasAHiddenBoxAndPath();
    void hiddenBoxesKeepLineBreaksExactly();

    void printAsksFirstAndCancelPrintsNothing();
    void printReadsTheBoxesAsTheyStand();
};
