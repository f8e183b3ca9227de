#pragma once
// The platform layer: what Qt lacks and what differs by operating system.
//
// The program writes three kinds of files, its settings, the reports the user saves and the
// readings of the command line, and all go through this file: nothing here ever follows a symbolic
// link, blocks on opening a special file, or replaces a file it has not completely written; a
// failed write leaves the old file byte for byte as it was. Only a device or FIFO that the user
// names on the command line is written into as it is, by that caller's explicit choice.
// SettingsStore keeps the one setting on top of it, and InstanceLock tells whether another copy of
// the program runs for the same user.

#include <QByteArray>
#include <QByteArrayView>
#include <QFlags>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace safefiles {

struct FileIdentity;

enum class PathKind {
    Missing, // nothing is there
    Regular, // a regular file (not a link to one)
    Other,   // a symbolic link, FIFO, socket, device or directory
};

// What lies at a path, without following a symbolic link.
PathKind kindOf(const QString &path);

// A folder opened once: every file an AtomicFileWriter makes in it goes into that folder, whatever
// its name leads to later (the folder renamed, or its name given to a link, while a run writes).
// On Windows the folder can be neither renamed nor removed while it is open.
class Folder {
    Q_DISABLE_COPY(Folder)

public:
    Folder() = default;
    Folder(Folder &&other) noexcept;
    Folder &operator=(Folder &&other) noexcept;
    ~Folder();

    // Opens the folder at path, a link to one followed. Empty on success, otherwise the reason.
    QString open(const QString &path);
    bool isOpen() const { return m_handle != -1; }
    // The path of the file name in the folder, as the folder was named.
    QString filePath(const QString &name) const;

private:
    friend class AtomicFileWriter;
    friend std::optional<FileIdentity> identityIn(const Folder &folder, const QString &name);
    void close();

    QString m_path;           // as it was named
    qintptr m_handle = -1;    // the system's handle of the open folder
    std::wstring m_resolved;  // Windows: the folder's whole path as the system resolved it at the opening
};

// Makes a folder whose parent folder exists; a folder already there will do. Where opened is
// given, the folder is then opened into it. Empty on success, otherwise the system's reason (or
// what lies there instead).
QString makeFolder(const QString &path, Folder *opened = nullptr);

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

enum class WriteOption {
    // A file already at the path is kept, and the write fails as existing(): the check and the
    // putting in place are one step of the system's, so that of two writers of one new file
    // exactly one makes it.
    KeepExisting = 0x1,
    // A character device, FIFO or pipe at the path (or a symbolic link to one: /dev/stdout) is
    // written straight into, with no temporary file and no rename; a symbolic link to anything
    // else is still refused. For what the user names on the command line alone: the program's
    // own files never go to a device.
    WriteDevices = 0x2,
};
Q_DECLARE_FLAGS(WriteOptions, WriteOption)

// A file written in parts and put in place whole: only a regular file or an empty place is written
// to (or a device, with WriteDevices); the parts go, 64 KiB at a time, to a temporary file that
// commit() writes out, syncs, checks and gives the old file's mode before it takes the old file's
// place. Until the commit, after any failure, and when the writer is destroyed without a commit,
// the file at path is as it was. Each step returns an empty string on success, otherwise the
// reason (in the system's words where it gives some); after a failure every later step returns
// the same reason. A writer commits once.
//
// A FIFO, pipe or terminal is given each part at once, for a reader that waits on it; a pipe
// whose reader has gone ends the program quietly, as it ends standard output
// (standardstreams::endAtClosedPipe).
class AtomicFileWriter {
    Q_DISABLE_COPY_MOVE(AtomicFileWriter)

public:
    explicit AtomicFileWriter(const QString &path, WriteOptions options = {});
    // The file name in an open folder, which must outlive the writer.
    AtomicFileWriter(const Folder &folder, const QString &name, WriteOptions options = {});
    ~AtomicFileWriter();

    QString write(QByteArrayView bytes);
    QString commit();

    // Why the writer can write no more, as its steps say it; empty while it can.
    QString failure() const { return m_failure; }
    // Whether the write failed because, with KeepExisting, something was at the path already.
    bool existing() const { return m_existing; }
    // Whether the write failed because the file there is read-only (by its mode bits on Linux, its
    // attribute on Windows), which is never replaced, whoever runs the program.
    bool readOnly() const { return m_readOnly; }
    // Whether the bytes go straight into a device (WriteDevices), where nothing waits to be put in
    // place: what was written is there whatever comes after.
    bool isDevice() const { return m_device; }

private:
    // The system's side, in linux/ and win/: each returns an empty string or the reason.
    QString openTarget();                  // the temporary file, or the device
    QString writeTarget(QByteArrayView bytes);
    QString commitTarget();                // puts the file in place, or closes the device
    void discardTarget();                  // closes it and removes a temporary file

    void open();
    QString writeBuffer();
    // Gives up the target; every later step returns reason.
    QString fail(const QString &reason);

    QString m_path;              // as it is shown
    Folder m_ownFolder;          // the path's folder, for a writer made from a path
    const Folder *m_folder;      // the folder the file is made in
    QString m_name;              // the file's name in it
    WriteOptions m_options;
    FileSizeSignalGuard m_sizeLimitFailsTheWrite;
    qintptr m_handle = -1;       // the system's handle of the target; -1 when none is open
    QByteArray m_temporary;      // the temporary file's name in the folder, where it has one (on Windows
                                 // its whole path in UTF-16)
    int m_pending = -1;          // Linux: where the temporary name waits to be removed by a signal
    bool m_device = false;       // written straight into
    bool m_stream = false;       // each part is written at once
    bool m_existing = false;
    bool m_readOnly = false;
    QByteArray m_buffer;
    QString m_failure;
};

// The roads a writer takes on Linux to put its file in place, the first that the file system
// offers: a file of no name given its name (O_TMPFILE), else a named temporary file in the
// target's folder, renamed over the old file, or where nothing may be replaced renamed so that it
// replaces nothing (renameat2), else hard-linked, else (SMB, some FUSE mounts) renamed over an
// empty file that claimed the name first, in one step of the system's (O_CREAT|O_EXCL). Many file
// systems lack the first roads; tests choose the first road tried to run each. A temporary file's
// name is short whatever the target's, and is removed when the process ends by TERM, INT or HUP.
// (Built on Linux only.)
enum class Road { Unnamed, Renamed, Linked, Claimed };
void setFirstRoad(Road road);

// Replaces the file at path with bytes, or creates it, through an AtomicFileWriter (no device, a
// file already there replaced). Returns an empty string on success, otherwise the reason for the
// failure, in the system's words where it gives some (the old file is then untouched).
QString writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace safefiles

Q_DECLARE_OPERATORS_FOR_FLAGS(safefiles::WriteOptions)
