#pragma once
// The Qt implementations of the platform services.

#include "Platform.h"

#include <QLockFile>
#include <QSettings>

#include <memory>
#include <random>

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

// QSettings, per user, under the executable's base name. A written value is kept in memory at
// once and reaches the disk from the event loop, or at the latest when the store is destroyed,
// so that a first start does not wait for the disk before its window appears.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;
    QString read(const QString &section, const QString &entry) override;
    void write(const QString &section, const QString &entry, const QString &value) override;

private:
    QSettings &settings();
    std::unique_ptr<QSettings> m_settings;
};

class SystemClock final : public Clock {
public:
    QDate today() override;
    QLocale locale() override;
};

class StdRandomSource final : public RandomSource {
public:
    void seedFromClock() override;
    int between(int low, int high) override;

private:
    std::mt19937 m_engine;
};

// A lock file in the per-user runtime folder. A lock left by a copy that crashed is taken over
// (its process is gone); a live one never is. Each user has a folder of his own, so one user
// never blocks another.
class LockFileInstance final : public InstanceLock {
public:
    explicit LockFileInstance(QString lockPath = defaultLockPath());
    bool tryAcquire() override;
    static QString defaultLockPath();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
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
