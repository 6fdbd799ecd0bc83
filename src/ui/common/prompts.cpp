#include "prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

namespace prompts {

namespace {
QWidget *ownerFor(QWidget *parent) { return parent ? parent : QApplication::activeWindow(); }

// A message box sizes itself to its text and buttons only, so a short text leaves the window manager too
// little room for the title ("Me…ge"). The title bar's font is the desktop's, usually bold; its buttons
// (up to three) sit on one side while many desktops centre the title, so room for them is kept on both.
void makeRoomForTitle(QMessageBox &box) {
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int buttons = 3 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 2 * buttons;
    // Across the top row, taking no height of its own.
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), 0, 0, 1, grid->columnCount());
}

int run(QMessageBox &box) {
    box.setObjectName(QStringLiteral("messagebox"));
    makeRoomForTitle(box);
    return box.exec();
}
} // namespace

void notice(const QString &text, QWidget *parent) {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::translate("prompts", "Message"), text, QMessageBox::Ok,
                    ownerFor(parent));
    run(box);
}

void error(const QString &text, QWidget *parent) {
    QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("prompts", "Error"), text, QMessageBox::Ok,
                    ownerFor(parent));
    run(box);
}

int confirm(const QString &question, QWidget *parent) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("prompts", "Are You Sure?"), question,
                    QMessageBox::Ok | QMessageBox::Cancel, ownerFor(parent));
    box.setDefaultButton(QMessageBox::Ok);
    return run(box) == QMessageBox::Ok ? 1 : 2;
}

bool choose(const QString &question, const QString &first, const QString &second, QWidget *parent) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("prompts", "Message"), question,
                    QMessageBox::Ok | QMessageBox::Cancel, ownerFor(parent));
    box.button(QMessageBox::Ok)->setText(first);
    box.button(QMessageBox::Cancel)->setText(second);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    return run(box) == QMessageBox::Ok;
}

void about(const QString &title, const QString &text, QWidget *parent) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, ownerFor(parent));
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        box.setIconPixmap(icon.pixmap(64, 64));
    run(box);
}

} // namespace prompts
