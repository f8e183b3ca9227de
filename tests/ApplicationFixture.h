#pragma once
// The application started as the program starts it, with its files in a folder of the test's
// own: its lock, and a settings file whose reminder date is today, so that nothing is asked (the
// date is quoted, as the program itself never writes it, so that a rewrite would show). Message
// boxes are answered and web addresses recorded.

#include "GuiTestSupport.h"
#include "app/Application.h"
#include "platform/InstanceLock.h"
#include "platform/SettingsStore.h"
#include "widgets/DescriptionBox.h"
#include "windows/InputWindow.h"
#include "windows/ResultsWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <array>

inline const QDate kToday(2026, 12, 7);

// The six description boxes of the results window in tab order.
inline std::array<DescriptionBox *, kResultCount> Boxes(const QObject *results)
{
    std::array<DescriptionBox *, kResultCount> boxes{};
    for (const ResultInfo &info : kResults)
        boxes[indexOf(info.result)] = Child<DescriptionBox>(results, info.objectName.data());
    return boxes;
}

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kStoredSettings);
        file.close();
        app = std::make_unique<Application>(instance, settings, dialogs);
        ASSERT_TRUE(app->start(kToday));
        form = app->inputWindow();
        QApplication::setActiveWindow(form);
    }

    ResultsWindow *viewer() const { return app->resultsWindow(); }
    QString settingsPath() const { return folder.filePath("larkspire.conf"); }
    QByteArray storedSettings() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static inline const QByteArray kStoredSettings = "[Settings]\nDuration=\"2026-12-07\"\n";

    void Select(const char *list, const QString &entry)
    {
        auto *combo = Child<QComboBox>(form, list);
        const int index = combo->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        combo->setCurrentIndex(index);
    }

    // Fills the form as a user would and asks for the reading.
    void Request(const QString &first, const QString &middle, const QString &last, const QString &day = "1",
                 const QString &month = "January", const QString &year = "2000", const QString &hour = "10")
    {
        for (const char *name : {"firstNameEdit", "middleNameEdit", "lastNameEdit"})
            Child<QLineEdit>(form, name)->clear();
        QTest::keyClicks(Child<QLineEdit>(form, "firstNameEdit"), first);
        QTest::keyClicks(Child<QLineEdit>(form, "middleNameEdit"), middle);
        QTest::keyClicks(Child<QLineEdit>(form, "lastNameEdit"), last);
        Select("dayCombo", day);
        Select("monthCombo", month);
        Select("yearCombo", year);
        Select("hourCombo", hour);
        form->requestReading();
    }

    QTemporaryDir folder;
    SettingsStore settings{settingsPath()};
    InstanceLock instance{folder.filePath("larkspire.lock")};
    FakeDialogs dialogs;
    MessageBoxAnswerer messages;
    OpenedUrls urls;
    std::unique_ptr<Application> app;
    InputWindow *form = nullptr;
};
