// The package templates: template list, template editor and the slots with their totals.

#include "editor_test.h"
#include "list_test.h"
#include "slots_test.h"

#include <QApplication>
#include <QtTest>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        ListTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        EditorTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        SlotsTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
