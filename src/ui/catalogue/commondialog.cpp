#include "ui/catalogue/commondialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {
CommonDialog::Chooser &chooserSlot() {
    static CommonDialog::Chooser chooser;
    return chooser;
}

QString fileDialog(QWidget *parent, const QString &initDir, const QString &title, const QString &filter) {
    QFileDialog dialog(parent, title, initDir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
} // namespace

CommonDialog::CommonDialog(QObject *parent) : QObject(parent) {}

void CommonDialog::setChooser(Chooser chooser) { chooserSlot() = std::move(chooser); }

bool CommonDialog::ShowOpen(QWidget *parent) {
    FileName.clear();
    const Chooser &chooser = chooserSlot();
    const QString name =
        chooser ? chooser(parent, InitDir, DialogTitle, Filter) : fileDialog(parent, InitDir, DialogTitle, Filter);
    if (name.isEmpty())
        return true;
    const QFileInfo info(name);
    if (!info.isFile() || !info.isReadable())
        return false;
    FileName = name;
    return true;
}
