#include "ui/history/exportfile.h"

#include "core/files/files.h"
#include "ui/common/program.h"
#include "ui/common/prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace exportfile {

QString choose(Program &app, QWidget *parent, const QString &title, const QString &suggestedName) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const QString filter = QCoreApplication::translate("exportfile", "CSV files (*.csv)");
    QString path;
    if (app.fileChooser()) {
        path = app.fileChooser()(parent, QDir(folder).filePath(suggestedName), title, filter);
    } else {
        QFileDialog dialog(parent, title, QDir(folder).filePath(suggestedName), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        if (dialog.exec() == QDialog::Accepted)
            path = dialog.selectedFiles().value(0);
    }
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    return path;
}

bool write(const QString &path, const QByteArray &bytes, const QString &what, QWidget *parent) {
    QString why;
    if (!files::write(path, bytes, &why)) {
        prompts::error(
            QCoreApplication::translate("exportfile", "The %1 was not exported: %2 could not be written (%3).")
                .arg(what, QDir::toNativeSeparators(path), why),
            parent);
        return false;
    }
    prompts::notice(QCoreApplication::translate("exportfile", "The %1 was exported to:\n%2")
                        .arg(what, QDir::toNativeSeparators(path)),
                    parent);
    return true;
}

} // namespace exportfile
