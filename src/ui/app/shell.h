#pragma once
// Opening a document or an address with the program the desktop associates with it.

#include <QString>
#include <QUrl>
#include <functional>

namespace shell {
// A local path is opened as a file URL, an address as a URL; the result is ignored.
void open(const QString &target);
// The URL that open() hands to the desktop.
QUrl urlFor(const QString &target);
// Tests watch what would be opened instead of starting a browser.
void setOpener(std::function<void(const QUrl &)> opener);
} // namespace shell
