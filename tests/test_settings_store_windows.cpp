// The settings file on Windows: where it lies, and a folder in its place.
#include "TestFiles.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SettingsStore, TheFileLiesInTheUsersLocalApplicationData)
{
    QCoreApplication::setApplicationName("larkspire");
    const QString path = SettingsStore::defaultPath();
    EXPECT_TRUE(path.endsWith("/AppData/Local/larkspire/larkspire.conf", Qt::CaseInsensitive)) << path.toStdString();
}

TEST(SettingsStore, AFolderInTheFilesPlaceReadsEmptyAndIsNeverReplaced)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.conf");
    ASSERT_TRUE(QDir().mkpath(path));
    SettingsStore store(path);
    EXPECT_EQ(store.read("Settings", "Duration"), "");
    store.write("Settings", "Duration", "2026-12-07");
    EXPECT_FALSE(store.flush());
    EXPECT_TRUE(QFileInfo(path).isDir());
}

} // namespace
