#include "core/store/serversetup.h"

#include <QCoreApplication>

namespace serversetup {

Outcome setUp(const ServerAddress &server, const QString &copyFromDataFolder) {
    Q_UNUSED(server);
    Q_UNUSED(copyFromDataFolder);
    return {1, {QCoreApplication::translate("serversetup", "Setting up a server is not built yet.")}};
}

} // namespace serversetup
