#pragma once
// Drives the deal worksheet as a salesperson does, up to the presentation it builds.

#include <QString>

class QWidget;
class dealmenu;
class makedeal;

namespace dealdriver {

// What a control shows: a label's or button's caption, a box's text (line breaks as CR LF), a
// frame's caption as its reader sees it, a drop-down's current entry.
QString shownText(const QWidget *control);

// "Create Deal for Customer": the worksheet, loaded and shown (an empty catalogue's notice answered).
makedeal *openWorksheet();
void chooseTemplate(makedeal *worksheet, const QString &name);
// Chooses the entry `name` in slot (package, slot); "NONE" empties it.
void chooseProduct(makedeal *worksheet, int package, int slot, const QString &name);
// Ticks or clears one of the four deal options by clicking it.
void setOption(makedeal *worksheet, const QString &name, bool on);
// Clicks "Create Deal"; the presentation it shows, or nullptr.
dealmenu *createDeal(makedeal *worksheet);
// A deal on the sample template "All New Vehicles" for the given customer.
dealmenu *sampleDeal(const QString &customer = QStringLiteral("Pat Doe"));

} // namespace dealdriver
