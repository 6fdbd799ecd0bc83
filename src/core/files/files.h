#pragma once
// Every file the program writes (exports, pages, PDFs) goes through here, so that a full disk or a failing
// drive is reported instead of leaving an empty or cut-short file where a good one was.

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace files {

// Puts `bytes` at `path`, whole or not at all: they go to a new file in the same folder, every write
// checked, flushed and synced to the disk and the file's size checked, and only then does it take the name,
// replacing any earlier file in one step. On failure the earlier file is untouched, nothing is left behind,
// and `why` holds the system's reason ("No space left on device"). With `permissions` the file has those from
// its first byte (a file of secrets is never readable by others, not even while it is written).
bool write(const QString &path, const QByteArray &bytes, QString *why, QFileDevice::Permissions permissions = {});

} // namespace files
