// The printing tests: MyPrinter and paragraphs on the recording printer, the two printouts, real PDF output.

#include <QApplication>

int runMyPrinterTests(int argc, char **argv);
int runParagraphTests(int argc, char **argv);
int runPrintoutTests(int argc, char **argv);
int runPdfTests(int argc, char **argv);

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    int failures = 0;
    failures += runMyPrinterTests(argc, argv);
    failures += runParagraphTests(argc, argv);
    failures += runPrintoutTests(argc, argv);
    failures += runPdfTests(argc, argv);
    return failures;
}
