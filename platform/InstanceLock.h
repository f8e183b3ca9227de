#pragma once

#include <QString>
#include <QtGlobal>

// Tells whether another copy of the program runs for the same user: a lock file in the user's
// runtime folder, held for the life of the process with the system's own file locking. The system
// releases the lock when its process ends in any way, so only a live copy is ever refused: what
// the file holds does not matter, and a lock left by a crash, an empty or garbled file, or one
// written on another host is simply taken over. A FIFO, link, device or empty directory in the
// lock's place is removed; where that fails the copy starts without a lock rather than never.
class InstanceLock final {
    Q_DISABLE_COPY_MOVE(InstanceLock)

public:
    explicit InstanceLock(QString path = defaultPath());
    ~InstanceLock();

    // True when this copy is the only one; the lock is then held until this object goes.
    bool tryAcquire();

    static QString defaultPath();

private:
    QString m_path;
    qintptr m_handle = -1;
};
