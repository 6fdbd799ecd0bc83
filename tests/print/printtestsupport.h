#pragma once
// Helpers the printing tests share: answering the next question box, reading a PDF's words back.

#include <QList>
#include <QSizeF>
#include <QString>

namespace printtest {

// Presses OK (accept) or Cancel on the next modal message box that opens.
void answerNextBox(bool accept);

struct PdfWord {
    int page = 0;
    QString text;
    double left = 0, top = 0, right = 0, bottom = 0; // millimetres from the sheet's top-left corner
};

struct PdfText {
    QList<QSizeF> pages; // each page's size in millimetres
    QList<PdfWord> words;
    // The words of the line on `page` whose first word is `first`.
    QList<PdfWord> lineStartingWith(const QString &first, int page = 1) const;
    QList<PdfWord> onPage(int page) const;
};

bool havePdfTools();
// Runs pdftotext -bbox on the file.
PdfText readPdf(const QString &path);
// The font names pdffonts lists for one page.
QStringList pdfFonts(const QString &path, int page);

} // namespace printtest

#include "presentation/dealprintout.h"

namespace printtest {
// A deal as the presentation builder fills the window: four packages of real products.
DealPage sampleDeal();
// A product list grid: heading row and `products` rows.
QList<QStringList> sampleProductGrid(int products);
} // namespace printtest

// MyPrinter computes in single precision, as the layout was written for: positions compare as floats.
#define QCOMPARE_MM(actual, expected) QCOMPARE(float(actual), float(expected))
