// The worksheet and the presentation, each walked through as a salesperson uses them.

#include <QApplication>

int runWorksheetTests(int argc, char **argv);
int runPresentationTests(int argc, char **argv);

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return runWorksheetTests(argc, argv) | runPresentationTests(argc, argv);
}
