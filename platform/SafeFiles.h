#pragma once
// The platform layer: what Qt lacks and what differs by operating system.
//
// The program keeps two kinds of files, its settings and the reports the user saves, and both go
// through this file: nothing here ever follows a symbolic link, blocks on opening a special file,
// or replaces a file it has not completely written; a failed write leaves the old file byte for
// byte as it was. SettingsStore keeps the one setting on top of it, and InstanceLock tells
// whether another copy of the program runs for the same user.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QSaveFile;

namespace safefiles {

enum class PathKind {
    Missing, // nothing is there
    Regular, // a regular file (not a link to one)
    Other,   // a symbolic link, FIFO, socket, device or directory
};

// What lies at a path, without following a symbolic link.
PathKind kindOf(const QString &path);

// Why a file may not be written at a path, in words for the user: the system's reason when the
// path cannot even be looked at (a name too long, a folder that may not be searched, a parent that
// is a file), or what lies there when it is not a regular file (a symbolic link, a folder, a
// FIFO, device or socket). Empty when a regular file or nothing is there.
QString refusalOf(const QString &path);

// Makes a folder whose parent folder exists; a folder already there will do. Empty on success,
// otherwise the system's reason (or what lies there instead).
QString makeFolder(const QString &path);

// The contents of a regular file of at most maxBytes. Nothing when the file is missing, is not a
// regular file, is larger, or cannot be read. Never blocks on a FIFO or a device.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 maxBytes);

// While alive, a write beyond the process's file size limit fails with the system's reason ("File
// too large") instead of ending the process, as the signal POSIX raises for it would; how that
// signal was handled before is restored after.
class FileSizeSignalGuard {
    Q_DISABLE_COPY_MOVE(FileSizeSignalGuard)

public:
    FileSizeSignalGuard();
    ~FileSizeSignalGuard();

private:
    std::function<void()> m_restore;
};

// Gives the open file at handle, which is to replace the file at path, that file's permission
// bits exactly, and its owner and group where the process may (on POSIX systems; on Windows the
// file keeps what the system gives it). Nothing when no regular file is at path. Empty on
// success, otherwise the system's reason. Called once the file is written, since a write clears
// the set-user and set-group bits.
QString keepModeOf(const QString &path, int handle);

// A file written in parts and put in place whole, by the same road as writeFileAtomically: only a
// regular file or an empty place is written to; the parts go to a temporary file that commit()
// flushes and checks before it is renamed over the old one. Until the commit, after any failure,
// and when the writer is destroyed without a commit, the file at path is as it was. Each step
// returns an empty string on success, otherwise the reason (in the system's words where it gives
// some); after a failure every later step returns the same reason. A writer commits once.
class AtomicFileWriter {
    Q_DISABLE_COPY_MOVE(AtomicFileWriter)

public:
    explicit AtomicFileWriter(const QString &path);
    ~AtomicFileWriter();

    QString write(QByteArrayView bytes);
    QString commit();

private:
    // Gives up the temporary file; every later step returns reason (EIO's words when it is empty).
    QString fail(const QString &reason);
    // fail() with the file's own error.
    QString failedWrite();

    QString m_path;
    FileSizeSignalGuard m_sizeLimitFailsTheWrite;
    std::unique_ptr<QSaveFile> m_file;
    QString m_failure;
};

// Replaces the file at path with bytes, or creates it. Only a regular file or an empty place is
// written to; the bytes go to a temporary file that is flushed and checked, and given the old
// file's mode, before it is renamed over the old one. Returns an empty string on success,
// otherwise the reason for the failure, in the system's words where it gives some (the old file
// is then untouched).
QString writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace safefiles
