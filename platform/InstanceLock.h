#pragma once

#include <QString>
#include <QtGlobal>

// Tells whether another copy of the program runs for the same user: a lock named by a path in a
// folder only the user can write to, held for the life of the process with the system's own means
// (on Linux a file in the session's runtime folder, or else in the user's cache, held with flock;
// on Windows a named mutex of the user's session). The system releases the lock when its process
// ends in any way, so only a live copy is ever refused: a lock left by a crash, an empty or
// garbled file, or one written on another host is simply taken over. A FIFO, link, device, empty
// directory or another user's file in the lock's place is removed; where that fails the copy
// starts without a lock rather than never.
class InstanceLock final {
    Q_DISABLE_COPY_MOVE(InstanceLock)

public:
    explicit InstanceLock(QString path = defaultPath());
    ~InstanceLock();

    // True when this copy is the only one; the lock is then held until this object goes.
    bool tryAcquire();

    // The lock in the user's private folder; empty where there is none.
    static QString defaultPath();

private:
    QString m_path;
    qintptr m_handle = -1;
};
