#include "prompts.h"

#include <QApplication>
#include <QMessageBox>

namespace prompts {

namespace {
QWidget *ownerFor(QWidget *parent) { return parent ? parent : QApplication::activeWindow(); }
} // namespace

void notice(const QString &text, QWidget *parent) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Message"), text, QMessageBox::Ok, ownerFor(parent));
    box.setObjectName(QStringLiteral("messagebox"));
    box.exec();
}

void error(const QString &text, QWidget *parent) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, ownerFor(parent));
    box.setObjectName(QStringLiteral("messagebox"));
    box.exec();
}

int confirm(const QString &question, QWidget *parent) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Are You Sure?"), question,
                    QMessageBox::Ok | QMessageBox::Cancel, ownerFor(parent));
    box.setObjectName(QStringLiteral("messagebox"));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? 1 : 2;
}

} // namespace prompts
