// Saving the report on Windows: a failure names its cause and leaves what was there as it was.
#include "ReportFixture.h"
#include "TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST_F(Report, EachFailedSaveNamesItsOwnCause)
{
    Open();
    const QString directory = folder.filePath("folder.rtf");
    ASSERT_TRUE(QDir().mkpath(directory));
    const std::pair<QString, QString> failures[] = {
        {directory, "It is a folder."},
        {"NUL", "It is not a regular file."},
    };
    for (const auto &[path, reason] : failures) {
        messages.shown.clear();
        dialogs.savePath = path;
        report->saveAsRtf();
        EXPECT_EQ(messages.texts(), QStringList{SaveFailure(path, reason)});
    }
    messages.shown.clear();
    dialogs.savePath = folder.filePath("gone/reading.rtf");
    report->saveAsRtf();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(SaveFailure(folder.filePath("gone/reading.rtf"), "")));
    EXPECT_GT(messages.shown[0].text.size(), SaveFailure(folder.filePath("gone/reading.rtf"), "").size());
    EXPECT_TRUE(QFileInfo(directory).isDir());
}

// A read-only file is not replaced, and the message names it with Windows' own separators and says
// why.
TEST_F(Report, AReadOnlyFileIsKeptAndNamedWithBackslashes)
{
    Open();
    const QString path = folder.filePath("read-only.rtf");
    Put(path, "old contents");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    dialogs.savePath = path;
    report->saveAsRtf();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QString native = QDir::toNativeSeparators(path);
    ASSERT_TRUE(native.contains(u'\\'));
    EXPECT_EQ(messages.texts(), QStringList{SaveFailure(path, "It is read-only.")});
    EXPECT_FALSE(messages.texts().join("").contains(u'/')) << messages.texts().join("").toStdString();
    EXPECT_EQ(Contents(path), "old contents");
}

TEST_F(Report, ASaveReplacesAnOldFileWhole)
{
    Open();
    const QString path = folder.filePath("exist.rtf");
    Put(path, "old contents");
    dialogs.savePath = path;
    report->saveAsRtf();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(Contents(path).startsWith("{\\rtf1"));
}

} // namespace
