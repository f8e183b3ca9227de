#pragma once
// The Qt implementations of the platform services.

#include "Platform.h"

#include <QObject>

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

class QtMessageBoxes final : public MessageBoxes {
public:
    void information(const QString &text, const QString &caption) override;
    bool askYesNo(const QString &text, const QString &caption) override;
};

class QtClipboard final : public Clipboard {
public:
    void clear() override;
};

// Hands addresses to QDesktopServices::openUrl.
class QtBrowserOpener final : public BrowserOpener {
public:
    void open(const QString &address) override;
};

// The per-user settings file, $XDG_CONFIG_HOME/<app>/<app>.conf with app the executable's base
// name, in the INI form QSettings uses. Values are read and written as text only, and every line
// the program does not change is kept. A written value is kept in memory at once and reaches the
// disk from the event loop, or at the latest when the store is destroyed, so that a first start
// does not wait for the disk before its window appears. A settings file that is not a regular
// file (a link, FIFO, device or directory) reads as empty and is never written.
class QtSettingsStore final : public SettingsStore {
public:
    explicit QtSettingsStore(QString path = defaultPath());
    ~QtSettingsStore() override;
    QString read(const QString &section, const QString &entry) override;
    void write(const QString &section, const QString &entry, const QString &value) override;

    static QString defaultPath();
    // Writes the pending values now. False when they could not be written; they stay pending.
    bool flush();

private:
    struct Pending {
        QString section;
        QString entry;
        QString value;
    };
    QString m_path;
    std::optional<QByteArray> m_contents; // what the file held when first read
    std::vector<Pending> m_pending;
    QObject m_flushContext;
};

class SystemClock final : public Clock {
public:
    QDate today() override;
    QLocale locale() override;
};

class StdRandomSource final : public RandomSource {
public:
    void seedFromClock() override;
    // Seeds from two clock readings in their finest units, through a seed sequence, so that
    // readings a moment apart give unrelated first draws.
    void seedFromTicks(std::uint64_t wallTicks, std::uint64_t steadyTicks);
    int between(int low, int high) override;

private:
    std::mt19937 m_engine;
};

// A lock file in the per-user runtime folder, held with an advisory lock (flock) for the life of
// the process. The system releases the lock when its process ends in any way, so only a live copy
// is ever refused: what the file holds does not matter, and a lock left by a crash, an empty or
// garbled file, or one written on another host is simply taken over. A FIFO, link, device or
// empty directory in the lock's place is removed; where that fails the copy starts without a lock
// rather than never. Each user has a folder of his own, so one user never blocks another.
class LockFileInstance final : public InstanceLock {
public:
    explicit LockFileInstance(QString lockPath = defaultLockPath());
    ~LockFileInstance() override;
    bool tryAcquire() override;
    static QString defaultLockPath();

private:
    QString m_path;
    int m_fd = -1;
};

// Leaves the event loop; the program entry then returns, which ends the process.
class QtProcessControl final : public ProcessControl {
public:
    void endProcess() override;
};

class QtCommonDialogs final : public CommonDialogs {
public:
    std::optional<QString> askSaveFileName(QWidget *parent, const SaveRequest &request) override;
    bool askPrinter(QWidget *parent, QPrinter &printer, bool hasSelection) override;

private:
    QString m_lastFolder; // of the last file chosen in this run
};

// All the Qt services together, for the program entry.
struct QtPlatform {
    QtMessageBoxes messages;
    QtClipboard clipboard;
    QtBrowserOpener browser;
    QtSettingsStore settings;
    SystemClock clock;
    StdRandomSource random;
    QtProcessControl process;
    QtCommonDialogs dialogs;

    Platform services() { return {messages, clipboard, browser, settings, clock, random, process, dialogs}; }
};
