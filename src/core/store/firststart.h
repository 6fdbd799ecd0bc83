#pragma once

#include <QString>

namespace firststart {
// Builds data/ (and webpages/ when absent) beside the program with the settings record and a small
// sample catalogue. The folders are made under temporary names and renamed into place, so a crash or a
// full disk halfway never leaves a half-made data/ or webpages/. Returns false with the reason in `why`.
bool createDataFolder(const QString &programFolder, QString *why = nullptr);

// Only the empty files with their tables and the settings record: what tests start from.
bool createEmptyDataFolder(const QString &programFolder, QString *why = nullptr);

// The sample products' web pages alone, for the package to carry. False, with the page and the reason in
// `why`, when a page could not be written.
bool writeSamplePages(const QString &folder, QString *why = nullptr);
} // namespace firststart
