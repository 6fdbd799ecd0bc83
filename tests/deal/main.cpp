#include "payment_test.h"
#include "worksheet_test.h"

#include <QApplication>
#include <QTest>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    int failed = 0;
    {
        PaymentTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        WorksheetTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    return failed;
}
