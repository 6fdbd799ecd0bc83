#pragma once
// Texts as the data files keep them: line breaks as CR LF, surrounding blanks removed.

#include <QString>

namespace storedtext {

// Removes leading and trailing blanks (spaces) only: line breaks and tabs are part of the value.
QString trimBlanks(const QString &text);

// Multi-line boxes show stored CR LF as line breaks and hand their text back with CR LF. Every line break
// (CR LF, LF or a lone CR) is stored as CR LF.
QString toDisplayLines(const QString &stored);
QString toStoredLines(const QString &shown);

} // namespace storedtext
