#pragma once

#include <QtGlobal>

#include <optional>

class QString;

// What tells one file from another, for the safe files and the standard streams alike: a write
// must never destroy the file it reads from, whichever names lead to it. The system's side is in
// linux/SafeFiles.cpp and win/SafeFiles.cpp.
namespace safefiles {

// The device (volume) a file lies on and its number there. Two names with the same identity are
// one file, whatever names, links or hard links lead to it.
struct FileIdentity {
    quint64 device = 0;
    quint64 file = 0;

    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// The identity of the regular file at path, links followed; nothing when no regular file is there
// (a device, a FIFO or a folder is no file that a write could destroy).
std::optional<FileIdentity> identityOf(const QString &path);
// The same of a file open at handle (a descriptor on Linux, a HANDLE on Windows).
std::optional<FileIdentity> identityOfHandle(qintptr handle);
// The same of the file name in an open folder (SafeFiles.h), where a writer would make it.
class Folder;
std::optional<FileIdentity> identityIn(const Folder &folder, const QString &name);

} // namespace safefiles
