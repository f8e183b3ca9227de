#pragma once

#include <QObject>
#include <QString>

#include <optional>
#include <vector>

// The per-user settings file, <config>/<app>/<app>.conf with app the application's name (on
// Linux under $XDG_CONFIG_HOME, or the home folder's .config, on Windows under the user's
// local application data), in the INI form QSettings uses, addressed by section and entry. Values
// are read and written as text only, and every line the program does not change is kept byte for
// byte. A written value is kept in memory at once and reaches the disk from the event loop, or at
// the latest when the store is destroyed, so that a first start does not wait for the disk before
// its window appears. A settings file that is not a regular file (a link, FIFO, device or
// directory) reads as empty and is never written; nor is one whose other bytes could not all be
// written back as they were (see IniText.h).
class SettingsStore final {
    Q_DISABLE_COPY_MOVE(SettingsStore)

public:
    explicit SettingsStore(QString path = defaultPath());
    ~SettingsStore();

    // Empty text for a missing entry.
    QString read(const QString &section, const QString &entry);
    void write(const QString &section, const QString &entry, const QString &value);

    // Writes the pending values now. False when they could not be written; they stay pending.
    bool flush();

    // Empty where the user has no folder for settings.
    static QString defaultPath();

private:
    // The folder in which the user's programs keep their settings, each in a folder of its own;
    // each system's own.
    static QString configFolder();

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
