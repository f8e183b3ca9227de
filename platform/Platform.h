#pragma once
// The platform services the windows use, each behind a small interface.
//
// Windows never call QMessageBox, QClipboard, QDesktopServices, QSettings, QFileDialog,
// QPrintDialog, the clock or the random generator themselves: they receive a Platform, whose
// members the program fills with the Qt implementations (QtPlatform.h) and the tests with fakes
// that record what happened and answer as scripted.

#include <QDate>
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

// The caption of every message box that is given none of its own.
inline const QString kApplicationTitle = QStringLiteral("Larkspire");
// The title bar of every window.
inline const QString kWindowTitle = QStringLiteral("Larkspire v1.45");

// Modal message boxes with the information icon.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // An OK box; returns when the user has closed it.
    virtual void information(const QString &text, const QString &caption = kApplicationTitle) = 0;
    // A Yes/No box; true for Yes.
    virtual bool askYesNo(const QString &text, const QString &caption = kApplicationTitle) = 0;
};

// The system clipboard, which the program only ever empties.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
};

// Opens a web address in the user's default browser; returns at once and reports nothing.
class BrowserOpener {
public:
    virtual ~BrowserOpener() = default;
    virtual void open(const QString &address) = 0;
};

// The per-user settings store of text values, addressed by section and entry.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Empty text for a missing entry.
    virtual QString read(const QString &section, const QString &entry) = 0;
    virtual void write(const QString &section, const QString &entry, const QString &value) = 0;
};

// Today's date and the locale that turns dates into text.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() = 0;
    virtual QLocale locale() = 0;
};

// The random generator, seeded once.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seedFromClock() = 0;
    // A whole number from low to high inclusive, each equally likely.
    virtual int between(int low, int high) = 0;
};

// Tells whether another copy of the program runs for the same user.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // True when this copy is the only one; the indication is held until the process ends.
    virtual bool tryAcquire() = 0;
};

// Ends the process.
class ProcessControl {
public:
    virtual ~ProcessControl() = default;
    virtual void endProcess() = 0;
};

// The common Save As and Print dialogs.
class CommonDialogs {
public:
    virtual ~CommonDialogs() = default;
    struct SaveRequest {
        QString caption;
        QString filter;        // e.g. "Rich Text Format (*.rtf)"
        QString defaultSuffix; // appended when the typed name has none
        QString suggestedName; // the file name offered at first
    };
    // The chosen path, or nothing when the user cancelled. Asks before replacing a file. Opens in
    // the user's Documents folder the first time, then in the folder of the last file chosen.
    virtual std::optional<QString> askSaveFileName(QWidget *parent, const SaveRequest &request) = 0;
    // Lets the user choose and set up the printer; false when cancelled. The page-range choice
    // is disabled; the selection choice is offered and preselected when hasSelection is true.
    virtual bool askPrinter(QWidget *parent, QPrinter &printer, bool hasSelection) = 0;
};

// Every service, as the windows receive it.
struct Platform {
    MessageBoxes &messages;
    Clipboard &clipboard;
    BrowserOpener &browser;
    SettingsStore &settings;
    Clock &clock;
    RandomSource &random;
    ProcessControl &process;
    CommonDialogs &dialogs;
};
