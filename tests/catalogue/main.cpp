#include "editor_test.h"
#include "list_test.h"

#include <QApplication>
#include <QTest>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    int failed = 0;
    {
        ListTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        EditorTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    return failed;
}
