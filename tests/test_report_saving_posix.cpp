// Saving the report on Linux: each failure names its real cause and leaves the old file as it was.
#include "PosixTestFiles.h"
#include "ReportFixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST_F(Report, AFailedSaveKeepsTheOldFileAndSaysWhy)
{
    Open();
    const QString locked = folder.filePath("locked");
    ASSERT_TRUE(QDir().mkpath(locked));
    const QString path = locked + "/old.rtf";
    Put(path, "old contents");
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ReadOther | QFile::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    dialogs.savePath = path;
    {
        const AsOrdinaryUser ordinary;
        report->saveAsRtf();
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(Contents(path), "old contents");
    EXPECT_EQ(messages.texts(), QStringList{SaveFailure(path, "Permission denied")});
    EXPECT_EQ(messages.shown.at(0).caption, "Larkspire");
    EXPECT_EQ(messages.shown.at(0).icon, QMessageBox::Warning);
}

TEST_F(Report, EachFailedSaveNamesItsOwnCause)
{
    Open();
    Put(folder.filePath("plain.txt"), "a file");
    const SpecialFiles special(folder.path());
    const std::pair<QString, QString> failures[] = {
        {folder.filePath("gone/reading.rtf"), "No such file or directory"},
        {folder.filePath(QString(256, 'n') + ".rtf"), "File name too long"},
        {folder.filePath("plain.txt/reading.rtf"), "Not a directory"},
        {special.link, "It is a symbolic link, which is never written through."},
        {special.fifo, "It is not a regular file."},
        {"/dev/null", "It is not a regular file."},
    };
    for (const auto &[path, reason] : failures) {
        messages.shown.clear();
        dialogs.savePath = path;
        report->saveAsRtf();
        EXPECT_EQ(messages.texts(), QStringList{SaveFailure(path, reason)});
    }
    special.expectUnchanged();
    EXPECT_FALSE(QFile::exists(folder.filePath("gone/reading.rtf")));
}

TEST_F(Report, ASaveThatRunsOutOfSpaceKeepsTheOldFileAndSaysSo)
{
    Open();
    const QString path = folder.filePath("exist.rtf");
    Put(path, "old contents");
    dialogs.savePath = path;
    for (const rlim_t limit : {0, 64}) {
        messages.shown.clear();
        FileSizeLimit full(limit);
        report->saveAsRtf();
        EXPECT_EQ(messages.texts(), QStringList{SaveFailure(path, "File too large")}) << "after " << limit << " bytes";
    }
    EXPECT_EQ(Contents(path), "old contents");
}

} // namespace
