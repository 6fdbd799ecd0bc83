#pragma once
// What a desk's server account may not change is shown but not offered: its boxes are read-only and its
// commands disabled, each saying why when the pointer rests on it.

#include <QString>

class QWidget;

namespace serveraccount {
// "Your server account may not change this."
QString mayNotChange();
// A text box becomes read-only (its text can still be selected and copied), any other control disabled.
void keepFromChanging(QWidget *control);
} // namespace serveraccount
