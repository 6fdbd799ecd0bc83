#include "ui/common/serveraccount.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace serveraccount {

QString mayNotChange() {
    return QCoreApplication::translate("serveraccount", "Your server account may not change this.");
}

void keepFromChanging(QWidget *control) {
    if (auto *line = qobject_cast<QLineEdit *>(control))
        line->setReadOnly(true);
    else if (auto *text = qobject_cast<QPlainTextEdit *>(control))
        text->setReadOnly(true);
    else
        control->setEnabled(false);
    control->setToolTip(mayNotChange());
}

} // namespace serveraccount
