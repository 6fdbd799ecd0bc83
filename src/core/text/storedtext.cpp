#include "core/text/storedtext.h"

namespace storedtext {

QString trimBlanks(const QString &text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    if (first == 0 && last == text.size())
        return text;
    return text.mid(first, last - first);
}

QString toDisplayLines(const QString &stored) {
    QString s = stored;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

QString toStoredLines(const QString &shown) {
    QString s = toDisplayLines(shown);
    s.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return s;
}

} // namespace storedtext
