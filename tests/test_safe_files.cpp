// Writing and reading the program's files when the disk fills up halfway or something other than
// a regular file lies in the way.
#include "TestFiles.h"
#include "platform/SafeFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SafeFiles, AWriteThatFailsHalfwayKeepsTheOldFileAndSaysWhy)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("exist.rtf");
    Put(path, "old contents");
    QString failure;
    {
        FileSizeLimit limit(4096);
        failure = safefiles::writeFileAtomically(path, QByteArray(100000, 'x'));
    }
    EXPECT_FALSE(failure.isEmpty());
    EXPECT_EQ(Contents(path), "old contents");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"exist.rtf"}) << "a temporary file was left";

    const QString fresh = folder.filePath("new.rtf");
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(safefiles::writeFileAtomically(fresh, QByteArray(100000, 'x')).isEmpty());
    }
    EXPECT_FALSE(QFile::exists(fresh)) << "an empty new file was left";

    EXPECT_EQ(safefiles::writeFileAtomically(path, "new contents"), "");
    EXPECT_EQ(Contents(path), "new contents");
}

TEST(SafeFiles, SpecialFilesAreNeitherFollowedNorReplacedNorWaitedOn)
{
    QTemporaryDir folder;
    const SpecialFiles special(folder.path());
    const QString directory = folder.filePath("folder.rtf");
    ASSERT_TRUE(QDir().mkpath(directory));

    for (const QString &path : {special.link, special.fifo, directory, QStringLiteral("/dev/null")}) {
        EXPECT_EQ(safefiles::kindOf(path), safefiles::PathKind::Other) << path.toStdString();
        EXPECT_FALSE(safefiles::readRegularFile(path, 1000)) << path.toStdString();
        EXPECT_FALSE(safefiles::writeFileAtomically(path, "written").isEmpty()) << path.toStdString();
    }
    special.expectUnchanged();
    EXPECT_TRUE(QFileInfo(directory).isDir());

    EXPECT_FALSE(safefiles::readRegularFile(special.target, 5)) << "a file larger than the limit is read";
    EXPECT_EQ(safefiles::readRegularFile(special.target, 1000), QByteArray("target contents"));
}

} // namespace
