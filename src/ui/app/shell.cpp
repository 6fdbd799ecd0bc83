#include "shell.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace shell {

namespace {
std::function<void(const QUrl &)> &openerSlot() {
    static std::function<void(const QUrl &)> opener;
    return opener;
}
} // namespace

void setOpener(std::function<void(const QUrl &)> opener) { openerSlot() = std::move(opener); }

QUrl urlFor(const QString &target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    // "C:\..." style paths have a one-letter "scheme"; the pattern above needs two letters.
    if (scheme.match(target).hasMatch())
        return QUrl(target, QUrl::TolerantMode);
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + target, QUrl::TolerantMode);
    return QUrl::fromLocalFile(target);
}

void open(const QString &target) {
    const QUrl url = urlFor(target);
    if (openerSlot()) {
        openerSlot()(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

} // namespace shell
