// Writing and reading the program's files when the disk fills up halfway (the process keeps the
// system's default handling of the file size signal, so a write that kills it fails the test) or something other than
// a regular file lies in the way.
#include "PosixTestFiles.h"
#include "platform/FileIdentity.h"
#include "platform/SafeFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>

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
    EXPECT_EQ(failure, "File too large") << "a write that stops part-way gives the system's reason";
    struct sigaction after {};
    ASSERT_EQ(sigaction(SIGXFSZ, nullptr, &after), 0);
    EXPECT_EQ(after.sa_handler, SIG_DFL) << "the process's own handling of the size signal was not restored";
    EXPECT_EQ(Contents(path), "old contents");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"exist.rtf"}) << "a temporary file was left";

    // Parts kept in the writer's buffer fail when it is written out, at the commit at the latest.
    {
        FileSizeLimit limit(4096);
        safefiles::AtomicFileWriter writer(path);
        for (int part = 0; part < 10; ++part)
            EXPECT_EQ(writer.write(QByteArray(1000, 'x')), "");
        EXPECT_EQ(writer.commit(), "File too large");
        EXPECT_EQ(writer.write("more"), "File too large") << "a failed writer went on";
    }
    EXPECT_EQ(Contents(path), "old contents");

    const QString fresh = folder.filePath("new.rtf");
    {
        FileSizeLimit limit(4096);
        EXPECT_EQ(safefiles::writeFileAtomically(fresh, QByteArray(100000, 'x')), "File too large");
    }
    {
        FileSizeLimit full(0);
        EXPECT_EQ(safefiles::writeFileAtomically(fresh, "x"), "File too large");
    }
    EXPECT_FALSE(QFile::exists(fresh)) << "an empty new file was left";

    EXPECT_EQ(safefiles::writeFileAtomically(path, "new contents"), "");
    EXPECT_EQ(Contents(path), "new contents");
}

// Each road to put a file in place, the later ones as a file system without the earlier takes
// them: a new file is made, an old one replaced, and one that came meanwhile kept; a name as long
// as a name may be is written again.
TEST(SafeFiles, EveryRoadMakesReplacesAndKeepsAFileThatCameMeanwhile)
{
    for (const auto road : {safefiles::Road::Unnamed, safefiles::Road::Renamed, safefiles::Road::Linked,
                            safefiles::Road::Claimed}) {
        safefiles::setFirstRoad(road);
        QTemporaryDir folder;
        const QString path = folder.filePath("report.rtf");
        safefiles::AtomicFileWriter late(path, safefiles::WriteOption::KeepExisting);
        EXPECT_EQ(late.write("late"), "");
        // Only the named roads show their file before the commit.
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), road == safefiles::Road::Unnamed ? 0 : 1);
        safefiles::AtomicFileWriter fresh(folder.filePath("fresh.rtf"), safefiles::WriteOption::KeepExisting);
        EXPECT_EQ(fresh.write("fresh"), "");
        EXPECT_EQ(fresh.commit(), "") << int(road);
        EXPECT_EQ(safefiles::writeFileAtomically(path, "first"), "") << int(road);
        EXPECT_EQ(safefiles::writeFileAtomically(path, "replaced"), "") << int(road);
        EXPECT_EQ(late.commit(), "It is there already.") << int(road);
        EXPECT_EQ(Contents(path), "replaced") << int(road);
        EXPECT_EQ(Contents(folder.filePath("fresh.rtf")), "fresh") << int(road);
        const QString longest = folder.filePath(QString(251, 'n') + ".rtf");
        EXPECT_EQ(safefiles::writeFileAtomically(longest, "first") + safefiles::writeFileAtomically(longest, "again"), "");
        ASSERT_TRUE(QFile::remove(longest));
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"fresh.rtf", "report.rtf"})) << int(road);
    }
    safefiles::setFirstRoad(safefiles::Road::Unnamed);
}

// Qt judges the permissions it copies by access(): run as root, a read-only file came back writable.
// A read-only file is judged by its mode, which access() ignores for root: it is never replaced.
TEST(SafeFiles, AReplacedFileKeepsItsModeBitsAndOwnerAndAReadOnlyOneIsKept)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "a file of another user's needs root";
    QTemporaryDir folder;
    const QString path = folder.filePath("kept.conf");
    const QByteArray name = QFile::encodeName(path);
    for (const mode_t mode : {0444, 0640, 04751}) {
        Put(path, "old contents");
        ASSERT_EQ(chown(name.constData(), 65534, 65534), 0); // before the mode: it clears set-user bits
        ASSERT_EQ(chmod(name.constData(), mode), 0);
        EXPECT_EQ(safefiles::writeFileAtomically(path, "new contents"), mode == 0444 ? "It is read-only." : "");
        EXPECT_EQ(safefiles::AtomicFileWriter(path, safefiles::WriteOption::KeepExisting).readOnly(), mode == 0444);
        EXPECT_EQ(Contents(path), mode == 0444 ? "old contents" : "new contents");
        struct stat info {};
        ASSERT_EQ(lstat(name.constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(info.st_uid, 65534u) << std::oct << mode;
    }
}

// A folder opened once keeps its files when its name is given to a link meanwhile.
TEST(SafeFiles, AnOpenFolderGetsItsFilesWhereverItsNameLeadsLater)
{
    QTemporaryDir root;
    safefiles::Folder folder;
    ASSERT_EQ(safefiles::makeFolder(root.filePath("out"), &folder), "");
    ASSERT_TRUE(QDir(root.path()).rename("out", "moved") && QDir(root.path()).mkdir("elsewhere"));
    ASSERT_TRUE(QFile::link(root.filePath("elsewhere"), root.filePath("out")));
    safefiles::AtomicFileWriter file(folder, "ANN-LEE.txt", safefiles::WriteOption::KeepExisting);
    EXPECT_EQ(file.write("reading"), "");
    EXPECT_EQ(file.commit(), "");
    EXPECT_EQ(Contents(root.filePath("moved/ANN-LEE.txt")), "reading");
    EXPECT_TRUE(safefiles::identityIn(folder, "ANN-LEE.txt").has_value());
    EXPECT_TRUE(QDir(root.filePath("elsewhere")).isEmpty());
}

// Where the file system has no file of no name, a run ended by TERM, INT or HUP while it writes
// removes its temporary file, and ends by that signal.
TEST(SafeFiles, ARunEndedByASignalLeavesNoTemporaryFile)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        QTemporaryDir folder;
        const pid_t child = fork();
        if (child == 0) {
            safefiles::setFirstRoad(safefiles::Road::Renamed);
            safefiles::AtomicFileWriter file(folder.filePath("big.jsonl"));
            (void)file.write(QByteArray(1 << 20, 'x'));
            raise(signal);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal << " " << status;
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList()) << signal;
    }
}

TEST(SafeFiles, SpecialFilesAreNeitherFollowedNorReplacedNorWaitedOn)
{
    QTemporaryDir folder;
    const SpecialFiles special(folder.path());
    const QString directory = folder.filePath("folder.rtf");
    ASSERT_TRUE(QDir().mkpath(directory));

    const std::pair<QString, QString> refused[] = {
        {special.link, "It is a symbolic link, which is never written through."},
        {special.fifo, "It is not a regular file."},
        {directory, "It is a folder."},
        {"/dev/null", "It is not a regular file."},
    };
    for (const auto &[path, reason] : refused) {
        EXPECT_EQ(safefiles::kindOf(path), safefiles::PathKind::Other) << path.toStdString();
        EXPECT_FALSE(safefiles::readRegularFile(path, 1000)) << path.toStdString();
        EXPECT_EQ(safefiles::writeFileAtomically(path, "written"), reason) << path.toStdString();
    }
    special.expectUnchanged();
    EXPECT_TRUE(QFileInfo(directory).isDir());

    EXPECT_FALSE(safefiles::readRegularFile(special.target, 5)) << "a file larger than the limit is read";
    EXPECT_EQ(safefiles::readRegularFile(special.target, 1000), QByteArray("target contents"));
}

TEST(SafeFiles, APathThatCannotBeWrittenSaysWhyInTheSystemsWords)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ReadOther | QFile::ExeOther));
    Put(folder.filePath("plain.txt"), "a file");
    ASSERT_TRUE(QDir().mkpath(folder.filePath("unsearchable")));
    ASSERT_TRUE(QFile::setPermissions(folder.filePath("unsearchable"), QFile::ReadOwner | QFile::ReadOther));
    const std::pair<QString, QString> failures[] = {
        {folder.filePath(QString(256, 'n') + ".rtf"), "File name too long"},
        {folder.filePath("unsearchable/report.rtf"), "Permission denied"},
        {folder.filePath("plain.txt/report.rtf"), "Not a directory"},
        {folder.filePath("missing/report.rtf"), "No such file or directory"},
    };
    const AsOrdinaryUser ordinary;
    for (const auto &[path, reason] : failures)
        EXPECT_EQ(safefiles::writeFileAtomically(path, "written"), reason) << path.toStdString();
}

// What the user names on the command line may be a device or a FIFO, written straight into; a
// link to a regular file is still never written through.
TEST(SafeFiles, ADeviceOrFifoIsWrittenIntoOnlyWhenTheCallerAllowsIt)
{
    QTemporaryDir folder;
    const SpecialFiles special(folder.path());
    const QString deviceLink = folder.filePath("null.txt");
    ASSERT_TRUE(QFile::link("/dev/null", deviceLink));
    for (const QString &device : {QStringLiteral("/dev/null"), deviceLink}) {
        safefiles::AtomicFileWriter writer(device, safefiles::WriteOption::WriteDevices);
        EXPECT_EQ(writer.write("written"), "") << device.toStdString();
        EXPECT_EQ(writer.commit(), "") << device.toStdString();
        EXPECT_EQ(safefiles::writeFileAtomically(device, "written"), device == deviceLink
                  ? "It is a symbolic link, which is never written through." : "It is not a regular file.");
    }
    {
        safefiles::AtomicFileWriter full("/dev/full", safefiles::WriteOption::WriteDevices);
        EXPECT_EQ(full.write("x"), "");
        EXPECT_EQ(full.commit(), "No space left on device");
    }
    safefiles::AtomicFileWriter link(special.link, safefiles::WriteOption::WriteDevices);
    EXPECT_EQ(link.commit(), "It is a symbolic link, which is never written through.");

    // The FIFO's reader sees each part as it is written, not at the commit.
    const int readEnd = open(QFile::encodeName(special.fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    safefiles::AtomicFileWriter fifo(special.fifo, safefiles::WriteOption::WriteDevices);
    EXPECT_EQ(fifo.write("first reading\n"), "");
    char got[64] = {};
    EXPECT_EQ(read(readEnd, got, sizeof got), 14);
    EXPECT_STREQ(got, "first reading\n");
    EXPECT_EQ(fifo.commit(), "");
    close(readEnd);
    special.expectUnchanged();
}

} // namespace
