#pragma once
// Exports to a CSV file: where it goes (a save dialog, which tests answer through the application's file
// chooser) and writing it whole or not at all.

#include <QByteArray>
#include <QString>

class Program;
class QWidget;

namespace exportfile {
// The file the user chose to save to, "" when cancelled. `.csv` is added to a name without an extension.
QString choose(Program &app, QWidget *parent, const QString &title, const QString &suggestedName);
// Writes the file whole or not at all, and tells the user how it went.
bool write(const QString &path, const QByteArray &bytes, const QString &what, QWidget *parent);
} // namespace exportfile
