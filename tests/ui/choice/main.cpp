// The customer's choice, the deal history and the product report, walked through as a salesperson and a
// manager use them, and the acceptance page read back from a real PDF.

#include <QApplication>

int runChoiceTests(int argc, char **argv);
int runHistoryTests(int argc, char **argv);
int runAcceptancePageTests(int argc, char **argv);

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return runChoiceTests(argc, argv) | runHistoryTests(argc, argv) | runAcceptancePageTests(argc, argv);
}
