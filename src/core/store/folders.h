#pragma once
// The folders kept in the program's folder: the data files, the products' web pages, and what is printed
// to PDF when there is no printer. Their names are said here only.

#include <QString>

namespace folders {
QString data(const QString &programFolder);      // data/
QString webpages(const QString &programFolder);  // webpages/
QString printouts(const QString &programFolder); // printouts/
} // namespace folders
