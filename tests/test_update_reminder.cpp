// The update reminder against a real settings file in a folder of the test's own: what it asks,
// what it stores, and what it opens.
#include "GuiTestSupport.h"
#include "TestFiles.h"
#include "app/UpdateReminder.h"
#include "model/WebPages.h"
#include "platform/SettingsStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QDate kToday(2026, 12, 7);
const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);

class Reminder : public ::testing::Test {
protected:
    // A start on kToday with the given stored value (none: no settings file).
    void Start(const std::optional<QString> &stored)
    {
        if (stored) {
            SettingsStore writer(path);
            writer.write("Settings", "Duration", *stored);
        }
        SettingsStore settings(path);
        UpdateReminder(settings).run(kToday, kUnitedStates);
        EXPECT_TRUE(settings.flush());
    }
    QString Stored()
    {
        SettingsStore settings(path);
        return settings.read("Settings", "Duration");
    }

    QTemporaryDir folder;
    QString path = folder.filePath("larkspire.conf");
    MessageBoxAnswerer messages;
    OpenedUrls urls;
};

TEST_F(Reminder, FirstRunStoresTodayAndAsksNothing)
{
    Start(std::nullopt);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Stored(), "2026-12-07");
    EXPECT_TRUE(urls.opened.isEmpty());
}

TEST_F(Reminder, EmptyOrUnreadableValuesBehaveLikeAFirstRun)
{
    for (const QString &value : {QString(""), QString("   "), QString("not a date"), QString("13/45/2026"), QString("\xff")}) {
        Start(value);
        EXPECT_TRUE(messages.shown.empty()) << value.toStdString();
        EXPECT_EQ(Stored(), "2026-12-07") << value.toStdString();
    }
}

TEST_F(Reminder, WithinFourteenDaysNothingIsAskedOrWritten)
{
    for (int days : {-14, -1, 0, 1, 14}) {
        // An older form of the date, which a rewrite would turn into the ISO form.
        const QString stored = kToday.addDays(days).toString("M/d/yyyy");
        Start(stored);
        EXPECT_TRUE(messages.shown.empty()) << days;
        EXPECT_EQ(Stored(), stored) << days;
    }
}

TEST_F(Reminder, FifteenDaysEitherWayAsksAndNoOpensNothing)
{
    for (int days : {-15, 15, -400}) {
        messages.shown.clear();
        messages.answers = {false};
        Start(UpdateReminder::dateText(kToday.addDays(days)));
        ASSERT_EQ(messages.shown.size(), 1u) << days;
        EXPECT_EQ(messages.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(messages.shown[0].icon, QMessageBox::Information);
        EXPECT_EQ(messages.shown[0].caption, "Larkspire");
        EXPECT_EQ(messages.shown[0].text,
                  "There maybe an update to this software available\nDo you want to check for an update?");
        EXPECT_EQ(Stored(), "2026-12-07");
        EXPECT_TRUE(urls.opened.isEmpty());
    }
}

TEST_F(Reminder, YesStoresTheDateBeforeOpeningTheDownloadPageOnce)
{
    SettingsStore settings(path);
    settings.write("Settings", "Duration", UpdateReminder::dateText(kToday.addDays(-20)));
    messages.answers = {true};
    QString storedWhenOpened;
    urls.onOpen = [&](const QUrl &) { storedWhenOpened = settings.read("Settings", "Duration"); };
    UpdateReminder(settings).run(kToday, kUnitedStates);
    EXPECT_EQ(urls.opened, QStringList{webpages::kDownloadPage});
    EXPECT_EQ(storedWhenOpened, "2026-12-07");

    // A second start on the same day asks nothing.
    messages.shown.clear();
    UpdateReminder(settings).run(kToday, kUnitedStates);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(urls.opened.size(), 1);
}

// A question whose date cannot be stored would come back at every start: it is not asked, start
// after start, and the file stays as it was: a read-only file, which is never replaced.
TEST_F(Reminder, ASettingsFileThatCannotBeWrittenAsksNothing)
{
    const QByteArray old = "[Settings]\r\nDuration=2026-01-31\r\n";
    const QString readOnly = folder.filePath("larkspire.conf");
    for (const QString &unwritable : {readOnly}) {
        Put(unwritable, old);
        ASSERT_EQ(Contents(unwritable), old);
        QFile::setPermissions(unwritable, QFileDevice::ReadOwner | QFileDevice::ReadUser);
        for (int start = 0; start < 3; ++start) {
            SettingsStore settings(unwritable);
            UpdateReminder(settings).run(kToday.addDays(start), kUnitedStates);
            EXPECT_FALSE(settings.flush()) << start;
        }
        EXPECT_TRUE(messages.shown.empty()) << unwritable.size();
        EXPECT_TRUE(urls.opened.isEmpty());
        EXPECT_EQ(Contents(unwritable), old);
        QFile::setPermissions(unwritable, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

TEST(ReminderDate, IsWrittenInIsoFormAndReadsBackUnderAnyLocale)
{
    EXPECT_EQ(UpdateReminder::dateText(QDate(2026, 12, 7)), "2026-12-07");
    for (const QDate date : {QDate(2026, 12, 7), QDate(1999, 1, 31), QDate(2024, 2, 29)}) {
        for (const char *reader : {"en_US", "en_GB", "de_DE", "ja_JP"})
            EXPECT_EQ(UpdateReminder::readDate(UpdateReminder::dateText(date), QLocale(reader), kToday), date) << reader;
    }
}

TEST(ReminderDate, ValuesLeftByEarlierVersionsStillRead)
{
    struct Row {
        const char *stored;
        const char *locale;
        QDate today;
        QDate read;
    };
    const Row rows[] = {
        {"12/7/2026", "en_US", kToday, kToday},      {"07/12/2026", "en_GB", kToday, kToday},
        {"07.12.2026", "de_DE", kToday, kToday},     {"2026/12/07", "ja_JP", kToday, kToday},
        // Two-digit years, in the century nearest to today.
        {"12/7/26", "en_US", kToday, kToday},        {"11/1/99", "en_US", kToday, QDate(1999, 11, 1)},
        {"1/1/01", "en_US", QDate(2099, 6, 1), QDate(2101, 1, 1)}, {"07.12.26", "de_DE", kToday, kToday},
    };
    for (const Row &row : rows)
        EXPECT_EQ(UpdateReminder::readDate(row.stored, QLocale(row.locale), row.today), row.read) << row.stored;
}

} // namespace
