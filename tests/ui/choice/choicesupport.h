#pragma once
// What the choice tests share: a presented deal, the deal file's rows, and outside readers for the CSV
// and PDF files the program writes.

#include "core/deal/deal.h"

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariant>

class DealPresentation;
class QWidget;

namespace choicetest {
// The presentation of `deal`, shown as "Create Deal" shows it.
DealPresentation *present(const Deal &deal);
// Chooses an option as the user does: a click on its round box, not on the empty space beside its caption.
bool pick(QWidget *window, const QString &option);
// The first column of every row of a query on the deal file.
QVariantList dealRows(const QString &sql);
// A CSV file as Python's csv module reads it; empty when Python is not there.
bool haveCsvReader();
QList<QStringList> readCsv(const QString &path);

// The pages and words of a PDF, read with poppler's pdftotext (millimetres from the sheet's corner).
bool havePdfReader();
struct Word {
    int page;
    QString text;
    double left, top, right;
};
struct Pdf {
    QList<QSizeF> pages;
    QList<Word> words;
    explicit Pdf(const QString &path);
    const Word *find(const QString &text) const;
    // The words of the line whose first word is `first`, left to right.
    QStringList line(const QString &first) const;
};
} // namespace choicetest
