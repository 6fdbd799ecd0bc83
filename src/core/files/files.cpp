#include "core/files/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace files {

namespace {

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool fail(QFile &file, const QString &reason, QString *why) {
    if (why)
        *why = reason;
    file.close();
    file.remove();
    return false;
}

// The rename is only as lasting as the folder's own record of it.
void syncFolder(const QString &folder) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

} // namespace

bool write(const QString &path, const QByteArray &bytes, QString *why, QFileDevice::Permissions permissions) {
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    // Hidden and unique: another copy writing the same file at the same moment writes beside it.
    QFile file(QDir(folder).filePath(
        QStringLiteral(".%1.%2.part").arg(target.fileName(), QUuid::createUuid().toString(QUuid::Id128))));
    // Unbuffered, so that each write reaches the system and its failure is seen here.
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered;
    if (!(permissions ? file.open(mode, permissions) : file.open(mode))) {
        if (why)
            *why = file.errorString();
        return false;
    }
    qint64 done = 0;
    while (done < bytes.size()) {
        // A short write is followed by another, which names the reason when the disk is full.
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fail(file, file.errorString(), why);
        done += written;
    }
    if (!file.flush())
        return fail(file, file.errorString(), why);
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return fail(file, systemReason(errno), why);
#endif
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fail(file, file.errorString(), why);
    // What the disk holds, not what was handed over.
    if (QFileInfo(file.fileName()).size() != bytes.size())
        return fail(file, QCoreApplication::translate("files", "the file came out shorter than its contents"), why);
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return fail(file, systemReason(errno), why);
    syncFolder(folder);
    return true;
}

} // namespace files
