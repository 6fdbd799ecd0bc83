#include "builder_test.h"
#include "commands_test.h"
#include "window_test.h"

#include <QApplication>
#include <QTest>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    int failed = 0;
    {
        PresentationWindowTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        PresentationBuilderTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    {
        PresentationCommandsTest t;
        failed += QTest::qExec(&t, argc, argv);
    }
    return failed;
}
