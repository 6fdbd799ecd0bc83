#include "ui/common/filechooser.h"

#include "ui/common/program.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString fileDialog(QWidget *parent, const QString &folder, const QString &title, const QString &filter) {
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString saveDialog(QWidget *parent, const QString &suggested, const QString &title, const QString &filter,
                   const QString &suffix) {
    QFileDialog dialog(parent, title, QFileInfo(suggested).absolutePath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(QFileInfo(suggested).fileName());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
} // namespace

FileChooser::FileChooser(const Program &app, QObject *parent) : QObject(parent), m_app(app) {}

QString FileChooser::documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

FileChoice FileChooser::open(QWidget *parent, const QString &folder, const QString &title,
                             const QString &filter) const {
    FileChoice choice;
    const QString name = m_app.fileChooser() ? m_app.fileChooser()(parent, folder, title, filter)
                                             : fileDialog(parent, folder, title, filter);
    if (name.isEmpty())
        return choice;
    const QFileInfo info(name);
    if (!info.isFile() || !info.isReadable()) {
        choice.failed = true;
        return choice;
    }
    choice.path = name;
    return choice;
}

QString FileChooser::save(QWidget *parent, const QString &suggested, const QString &title, const QString &filter,
                          const QString &suffix) const {
    if (m_app.saveChooser())
        return m_app.saveChooser()(parent, suggested, title, filter);
    return saveDialog(parent, suggested, title, filter, suffix);
}
