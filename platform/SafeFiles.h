#pragma once
// Reading and writing the program's own files (the settings file, saved reports) when anything
// may lie at a path: a symbolic link, a FIFO, a device, a directory, a file too large to be ours,
// or a disk that fills up halfway through a write.
//
// Nothing here ever follows a symbolic link, blocks on opening a special file, or replaces a file
// it has not completely written: a failed write leaves the old file byte for byte as it was.

#include <QByteArray>
#include <QString>

#include <optional>

namespace safefiles {

enum class PathKind {
    Missing, // nothing is there
    Regular, // a regular file (not a link to one)
    Other,   // a symbolic link, FIFO, socket, device or directory
};

// What lies at a path, without following a symbolic link.
PathKind kindOf(const QString &path);

// The contents of a regular file of at most maxBytes. Nothing when the file is missing, is not a
// regular file, is larger, or cannot be read. Never blocks on a FIFO or a device.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes);

// Replaces the file at path with bytes, or creates it. Only a regular file or an empty place is
// written to; the bytes go to a temporary file that is flushed and checked before it is renamed
// over the old one. Returns an empty string on success, otherwise the reason for the failure
// (the old file is then untouched).
QString writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace safefiles
