// The checked write as every system does it: a file kept when there already is never replaced,
// however late the other writer came.
#include "TestFiles.h"
#include "platform/SafeFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Of two writers of one new file, the one that puts it in place second fails and changes nothing,
// however late the first one came.
TEST(SafeFiles, AFileKeptWhenThereAlreadyIsNeverReplacedEvenIfItCameMeanwhile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("ANN-LEE-2.json");
    safefiles::AtomicFileWriter late(path, safefiles::WriteOption::KeepExisting);
    EXPECT_EQ(late.write("late"), "");
    EXPECT_EQ(safefiles::writeFileAtomically(path, "first"), "");
    EXPECT_EQ(late.commit(), "It is there already.");
    EXPECT_TRUE(late.existing());
    EXPECT_EQ(Contents(path), "first");

    safefiles::AtomicFileWriter again(path, safefiles::WriteOption::KeepExisting);
    EXPECT_EQ(again.commit(), "It is there already.");
    safefiles::AtomicFileWriter fresh(folder.filePath("BOB-RAY-3.json"), safefiles::WriteOption::KeepExisting);
    EXPECT_EQ(fresh.write("fresh"), "");
    EXPECT_EQ(fresh.commit(), "");
    EXPECT_FALSE(fresh.existing());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"ANN-LEE-2.json", "BOB-RAY-3.json"}))
        << "a temporary file was left";
}

} // namespace
