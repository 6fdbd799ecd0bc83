#pragma once

#include <QObject>

// The payment routine and the package figures, without a window.
class PaymentTest : public QObject {
    Q_OBJECT
private slots:
    void workedTable_data();
    void workedTable();
    void adjustmentsFollowTheirSteps();
    void unusableInputsGiveNoInfinity_data();
    void unusableInputsGiveNoInfinity();
    void packageFigures_data();
    void packageFigures();
};
