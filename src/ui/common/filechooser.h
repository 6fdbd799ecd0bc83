#pragma once
// The program's file dialogs: open (the product editor, the catalogue import) and save (the catalogue
// export, a PDF of a printout). Each dialog can be replaced through the application object, so tests
// choose a file without a window that waits for a person.

#include <QObject>
#include <QString>

class Program;
class QWidget;

struct FileChoice {
    bool failed = false; // the dialog failed, or handed back something that is not a file that can be read
    QString path;        // the chosen file's full path; "" when the user cancelled
};

class FileChooser : public QObject {
    Q_OBJECT
public:
    FileChooser(const Program &app, QObject *parent);
    // Where the dialogs start: the user's documents folder (the home folder when there is none).
    static QString documentsFolder();
    FileChoice open(QWidget *parent, const QString &folder, const QString &title, const QString &filter) const;
    // The path to write, "" when the user cancelled. `suggested` is the file offered (its folder and
    // name); the real dialog adds `suffix` to a name typed without one and asks before replacing a file.
    QString save(QWidget *parent, const QString &suggested, const QString &title, const QString &filter,
                 const QString &suffix) const;

private:
    const Program &m_app;
};
