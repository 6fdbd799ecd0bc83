#pragma once
// The product editor's file-open dialog. The dialog itself can be replaced through the application
// object, so tests choose a file without a window that waits for a person.

#include <QObject>
#include <QString>

class Application;
class QWidget;

struct FileChoice {
    bool failed = false; // the dialog failed, or handed back something that is not a file that can be read
    QString path;        // the chosen file's full path; "" when the user cancelled
};

class FileChooser : public QObject {
    Q_OBJECT
public:
    FileChooser(const Application &app, QObject *parent);
    FileChoice open(QWidget *parent, const QString &folder, const QString &title, const QString &filter) const;

private:
    const Application &m_app;
};
