#include "app/programlocation.h"

#include "core/store/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace programlocation {

QString packageMarkerName() { return QStringLiteral("installed-as-package"); }

QString decide(const Facts &facts) {
    // Root can write /usr, so only the marker tells a package install apart from a portable one.
    if (facts.installedAsPackage && !facts.userDataFolder.isEmpty())
        return facts.userDataFolder;
    // A catalogue already beside the program stays in use even when its folder became read-only:
    // starting afresh elsewhere would look like lost data.
    if (facts.dataBesideExecutable || facts.executableFolderWritable || facts.userDataFolder.isEmpty())
        return facts.executableFolder;
    return facts.userDataFolder;
}

Facts current() {
    Facts facts;
    facts.executableFolder = QCoreApplication::applicationDirPath();
    const QDir folder(facts.executableFolder);
    facts.executableFolderWritable = QFileInfo(facts.executableFolder).isWritable();
    facts.dataBesideExecutable = QFileInfo(folders::data(facts.executableFolder)).isDir();
    facts.installedAsPackage = QFileInfo::exists(folder.filePath(packageMarkerName()));
    facts.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return facts;
}

} // namespace programlocation
