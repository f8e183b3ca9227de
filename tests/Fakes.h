#pragma once
// Fakes of the platform services: they record what the windows asked for and answer as scripted,
// so that no test ever blocks on a modal box, a dialog or a browser.

#include "Platform.h"

#include <QLocale>
#include <QMap>
#include <QPrinter>
#include <QStringList>

#include <deque>
#include <functional>

struct ShownMessage {
    QString text;
    QString caption;
    bool question;
};

class FakeMessages final : public MessageBoxes {
public:
    void information(const QString &text, const QString &caption) override
    {
        shown.push_back({text, caption, false});
        if (onShow)
            onShow();
    }
    bool askYesNo(const QString &text, const QString &caption) override
    {
        shown.push_back({text, caption, true});
        if (onShow)
            onShow();
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QStringList texts() const
    {
        QStringList all;
        for (const ShownMessage &m : shown)
            all << m.text;
        return all;
    }

    std::vector<ShownMessage> shown;
    std::deque<bool> answers;
    std::function<void()> onShow;
};

class FakeClipboard final : public Clipboard {
public:
    void clear() override { ++clears; }
    int clears = 0;
};

class FakeBrowser final : public BrowserOpener {
public:
    void open(const QString &address) override
    {
        opened << address;
        if (onOpen)
            onOpen(address);
    }
    QStringList opened;
    std::function<void(const QString &)> onOpen;
};

class FakeSettings final : public SettingsStore {
public:
    QString read(const QString &section, const QString &entry) override
    {
        ++reads;
        return values.value(section + QLatin1Char('/') + entry);
    }
    void write(const QString &section, const QString &entry, const QString &value) override
    {
        ++writes;
        values[section + QLatin1Char('/') + entry] = value;
    }
    QMap<QString, QString> values;
    int reads = 0;
    int writes = 0;
};

class FakeClock final : public Clock {
public:
    QDate today() override { return todayIs; }
    QLocale locale() override { return localeIs; }
    QDate todayIs{2026, 12, 7};
    QLocale localeIs{QLocale::English, QLocale::UnitedStates};
};

class FakeRandom final : public RandomSource {
public:
    void seedFromClock() override { ++seeds; }
    int between(int low, int high) override
    {
        lastRange = {low, high};
        return next;
    }
    int seeds = 0;
    int next = 2;
    std::pair<int, int> lastRange{0, 0};
};

class FakeProcess final : public ProcessControl {
public:
    void endProcess() override { ++ends; }
    int ends = 0;
};

class FakeDialogs final : public CommonDialogs {
public:
    std::optional<QString> askSaveFileName(QWidget *, const SaveRequest &request) override
    {
        saveRequests.push_back(request);
        return savePath;
    }
    bool askPrinter(QWidget *, QPrinter &printer, bool hasSelection) override
    {
        printSelections.push_back(hasSelection);
        if (!printToPdf)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*printToPdf);
        if (chooseRange)
            printer.setPrintRange(*chooseRange);
        return true;
    }
    std::optional<QString> savePath;
    std::vector<SaveRequest> saveRequests;
    std::optional<QString> printToPdf;
    std::optional<QPrinter::PrintRange> chooseRange;
    std::vector<bool> printSelections;
};

class FakeInstanceLock final : public InstanceLock {
public:
    bool tryAcquire() override { return free; }
    bool free = true;
};

struct FakePlatform {
    FakeMessages messages;
    FakeClipboard clipboard;
    FakeBrowser browser;
    FakeSettings settings;
    FakeClock clock;
    FakeRandom random;
    FakeProcess process;
    FakeDialogs dialogs;

    FakePlatform()
    {
        // A reminder date of today: the input form's load asks nothing.
        settings.values[QStringLiteral("Settings/Duration")] = QStringLiteral("12/7/2026");
    }
    Platform services() { return {messages, clipboard, browser, settings, clock, random, process, dialogs}; }
};
