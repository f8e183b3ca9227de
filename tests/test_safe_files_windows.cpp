// Writing and reading the program's files on Windows when something other than a regular file
// lies in the way: a folder, a device, a symbolic link or a junction (reparse points), which are
// never followed, replaced or read.
#include "TestFiles.h"
#include "platform/SafeFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

namespace {

std::wstring Native(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// A junction (a mount point reparse point) at link to the folder target; false where the system
// (or Wine) cannot make one.
bool MakeJunction(const QString &link, const QString &target)
{
    if (!CreateDirectoryW(Native(link).c_str(), nullptr))
        return false;
    const HANDLE folder = CreateFileW(Native(link).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return false;
    const std::wstring substitute = L"\\??\\" + Native(QDir(target).absolutePath());
    const std::wstring print = Native(QDir(target).absolutePath());
    std::vector<char> buffer(sizeof(DWORD) + 2 * sizeof(WORD) + 4 * sizeof(WORD)
                             + (substitute.size() + print.size() + 2) * sizeof(wchar_t));
    auto *data = reinterpret_cast<DWORD *>(buffer.data());
    data[0] = IO_REPARSE_TAG_MOUNT_POINT;
    auto *words = reinterpret_cast<WORD *>(buffer.data() + sizeof(DWORD));
    words[0] = static_cast<WORD>(buffer.size() - 8); // the length of what follows the header
    words[1] = 0;
    words[2] = 0;                                                          // substitute name offset
    words[3] = static_cast<WORD>(substitute.size() * sizeof(wchar_t));     // and length
    words[4] = static_cast<WORD>((substitute.size() + 1) * sizeof(wchar_t)); // print name offset
    words[5] = static_cast<WORD>(print.size() * sizeof(wchar_t));          // and length
    auto *names = reinterpret_cast<wchar_t *>(words + 6);
    std::copy(substitute.begin(), substitute.end(), names);
    names[substitute.size()] = 0;
    std::copy(print.begin(), print.end(), names + substitute.size() + 1);
    names[substitute.size() + 1 + print.size()] = 0;
    DWORD returned = 0;
    const bool made = DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      nullptr, 0, &returned, nullptr);
    CloseHandle(folder);
    return made;
}

TEST(SafeFiles, AWriteReplacesARegularFileWhole)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("exist.rtf");
    Put(path, "old contents");
    EXPECT_EQ(safefiles::kindOf(path), safefiles::PathKind::Regular);
    EXPECT_EQ(safefiles::writeFileAtomically(path, "new contents"), "");
    EXPECT_EQ(Contents(path), "new contents");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"exist.rtf"}) << "a temporary file was left";
    EXPECT_EQ(safefiles::readRegularFile(path, 1000), QByteArray("new contents"));
    EXPECT_FALSE(safefiles::readRegularFile(path, 5)) << "a file larger than the limit is read";
    EXPECT_EQ(safefiles::kindOf(folder.filePath("missing.rtf")), safefiles::PathKind::Missing);
}

// A replaced file keeps its attributes, as a POSIX file keeps its mode; a read-only one is never
// replaced, and is told as read-only rather than as there; a name as long as a name may be is
// written again.
TEST(SafeFiles, AReplacedFileKeepsItsAttributesAndAReadOnlyOneIsKept)
{
    QTemporaryDir folder;
    const QString hidden = folder.filePath(QString(251, 'n') + ".rtf");
    Put(hidden, "old contents");
    ASSERT_TRUE(SetFileAttributesW(Native(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(safefiles::writeFileAtomically(hidden, "new contents"), "");
    EXPECT_EQ(Contents(hidden), "new contents");
    EXPECT_TRUE(GetFileAttributesW(Native(hidden).c_str()) & FILE_ATTRIBUTE_HIDDEN);

    const QString readOnly = folder.filePath("read-only.rtf");
    Put(readOnly, "old contents");
    ASSERT_TRUE(SetFileAttributesW(Native(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
    safefiles::AtomicFileWriter kept(readOnly, safefiles::WriteOption::KeepExisting);
    EXPECT_EQ(kept.commit(), "It is read-only.");
    EXPECT_TRUE(kept.readOnly() && !kept.existing());
    SetFileAttributesW(Native(readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A folder opened once can be neither renamed nor removed while its files are made in it.
TEST(SafeFiles, AnOpenFolderStaysWhereItIs)
{
    QTemporaryDir root;
    safefiles::Folder folder;
    ASSERT_EQ(safefiles::makeFolder(root.filePath("out"), &folder), "");
    EXPECT_FALSE(MoveFileW(Native(root.filePath("out")).c_str(), Native(root.filePath("moved")).c_str()));
    safefiles::AtomicFileWriter file(folder, "ANN-LEE.txt", safefiles::WriteOption::KeepExisting);
    EXPECT_EQ(file.write("reading"), "");
    EXPECT_EQ(file.commit(), "");
    EXPECT_EQ(Contents(root.filePath("out/ANN-LEE.txt")), "reading");
}

TEST(SafeFiles, AFolderAndADeviceAreNeitherReadNorReplaced)
{
    QTemporaryDir folder;
    const QString directory = folder.filePath("folder.rtf");
    ASSERT_TRUE(QDir().mkpath(directory));
    const std::pair<QString, QString> refused[] = {
        {directory, "It is a folder."},
        {"NUL", "It is not a regular file."},
    };
    for (const auto &[path, reason] : refused) {
        EXPECT_EQ(safefiles::kindOf(path), safefiles::PathKind::Other) << path.toStdString();
        EXPECT_FALSE(safefiles::readRegularFile(path, 1000)) << path.toStdString();
        EXPECT_EQ(safefiles::writeFileAtomically(path, "written"), reason) << path.toStdString();
    }
    EXPECT_TRUE(QFileInfo(directory).isDir());

    // Where the caller allows a device (the command line's --output), NUL is written into.
    safefiles::AtomicFileWriter nul("NUL", safefiles::WriteOption::WriteDevices);
    EXPECT_EQ(nul.write("written"), "");
    EXPECT_EQ(nul.commit(), "");
}

// QSaveFile refuses a \\?\ path ("without direct write fallback"); the system takes it whole.
TEST(SafeFiles, APathInTheLongFormIsWrittenLikeAnyOther)
{
    QTemporaryDir folder;
    Put(folder.filePath("long.rtf"), "old contents");
    const QString path = "\\\\?\\" + QDir::toNativeSeparators(QDir(folder.path()).absoluteFilePath("long.rtf"));
    EXPECT_EQ(safefiles::writeFileAtomically(path, "new contents"), "");
    EXPECT_EQ(Contents(folder.filePath("long.rtf")), "new contents");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"long.rtf"}) << "a temporary file was left";
}

TEST(SafeFiles, AFileInAMissingFolderFailsWithTheSystemsReason)
{
    QTemporaryDir folder;
    const QString failure = safefiles::writeFileAtomically(folder.filePath("gone/report.rtf"), "written");
    EXPECT_FALSE(failure.isEmpty());
    EXPECT_NE(failure, "Unknown error");
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("gone")));
}

TEST(SafeFiles, ASymbolicLinkIsNeitherFollowedNorReplaced)
{
    QTemporaryDir folder;
    const QString target = folder.filePath("target.rtf");
    const QString link = folder.filePath("link.rtf");
    Put(target, "target contents");
    if (!CreateSymbolicLinkW(Native(link).c_str(), Native(target).c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        GTEST_SKIP() << "this system cannot make a symbolic link here (error " << GetLastError() << ")";
    // Wine answers yes and makes nothing.
    if (GetFileAttributesW(Native(link).c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "this system says it made a symbolic link, but there is none";
    EXPECT_EQ(safefiles::kindOf(link), safefiles::PathKind::Other);
    EXPECT_FALSE(safefiles::readRegularFile(link, 1000));
    EXPECT_EQ(safefiles::writeFileAtomically(link, "written"),
              "It is a symbolic link or junction, which is never written through.");
    EXPECT_EQ(Contents(target), "target contents");
}

TEST(SafeFiles, AJunctionIsNeverWrittenThrough)
{
    QTemporaryDir folder;
    const QString target = folder.filePath("target");
    ASSERT_TRUE(QDir().mkpath(target));
    const QString junction = folder.filePath("junction.rtf");
    if (!MakeJunction(junction, target))
        GTEST_SKIP() << "this system cannot make a junction here (error " << GetLastError() << ")";
    EXPECT_EQ(safefiles::kindOf(junction), safefiles::PathKind::Other);
    EXPECT_EQ(safefiles::writeFileAtomically(junction, "written"),
              "It is a symbolic link or junction, which is never written through.");
    EXPECT_TRUE(QDir(target).entryList(QDir::Files).isEmpty());
}

} // namespace
