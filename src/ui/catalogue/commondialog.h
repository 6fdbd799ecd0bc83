#pragma once
// The product editor's file-open dialog. Which dialog runs can be replaced, so tests choose a file
// without a window that waits for a person.

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

class CommonDialog : public QObject {
    Q_OBJECT
public:
    explicit CommonDialog(QObject *parent = nullptr);

    // Returns the chosen file's full path, or "" when the user cancelled.
    using Chooser =
        std::function<QString(QWidget *parent, const QString &initDir, const QString &title, const QString &filter)>;
    // Replaces the dialog for every CommonDialog; an empty function restores the file dialog.
    static void setChooser(Chooser chooser);

    QString InitDir;
    QString DialogTitle;
    QString Filter;
    QString FileName;

    // Shows the open dialog and puts the chosen name in FileName ("" when cancelled). False when the
    // dialog failed or handed back something that is not a file that can be read.
    bool ShowOpen(QWidget *parent);
};
