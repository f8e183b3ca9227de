// The single-instance lock on POSIX systems: a copy that crashed, a planted or garbled file and
// another user's file never block a start.
#include "PosixTestFiles.h"
#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(InstanceLock, ALockLeftByACrashedCopyIsTakenOver)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock held(path);
        const char answer = held.tryAcquire() ? 'y' : 'n';
        (void)!write(ready[1], &answer, 1);
        for (;;)
            pause();
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    InstanceLock whileAlive(path);
    EXPECT_FALSE(whileAlive.tryAcquire());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    InstanceLock afterCrash(path);
    EXPECT_TRUE(afterCrash.tryAcquire());
    close(ready[0]);
    close(ready[1]);
}

TEST(InstanceLock, ALockThatNoLiveCopyHoldsIsTakenOver)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    const auto takenOver = [&](const char *what) {
        InstanceLock lock(path);
        EXPECT_TRUE(lock.tryAcquire()) << what;
        InstanceLock second(path);
        EXPECT_FALSE(second.tryAcquire()) << what << ": the taken-over lock does not hold";
    };
    Put(path, "");
    takenOver("empty file");
    Put(path, "\x01\xff garbage\n\n\n");
    takenOver("garbage");
    Put(path, "1\nlarkspire\nanother-host\n");
    takenOver("a lock written on another host");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    takenOver("an empty directory");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    takenOver("a FIFO");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::link("/dev/null", path));
    takenOver("a link to a device");
}

TEST(InstanceLock, ALockThatCannotBeMadeLetsTheProgramStart)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    ASSERT_TRUE(QDir().mkpath(path + "/inside"));
    InstanceLock lock(path);
    EXPECT_TRUE(lock.tryAcquire());
}

TEST(InstanceLock, TheLockLiesOnlyWhereTheUserAloneCanWrite)
{
    QCoreApplication::setApplicationName("larkspire-test"); // the folder and the file are named after it
    QTemporaryDir runtime;
    QTemporaryDir cache;
    ASSERT_TRUE(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const ScopedVariable cacheHome("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    {
        const ScopedVariable runtimeDir("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        EXPECT_EQ(InstanceLock::defaultPath(), runtime.filePath("larkspire-test.lock"));
        EXPECT_FALSE(QFileInfo::exists(cache.filePath("larkspire-test"))) << "the cache folder is made though not needed";
    }
    const QString inCache = cache.filePath("larkspire-test/larkspire-test.lock");
    const QString link = cache.filePath("runtime-link");
    ASSERT_TRUE(QFile::link(runtime.path(), link));
    for (const QByteArray &shared : {QByteArray(), QByteArray("/tmp"), link.toLocal8Bit(), QByteArray("relative")}) {
        const ScopedVariable runtimeDir("XDG_RUNTIME_DIR", shared);
        EXPECT_EQ(InstanceLock::defaultPath(), inCache) << shared.constData();
    }
    struct stat info {};
    ASSERT_EQ(lstat(QFile::encodeName(cache.filePath("larkspire-test")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A folder in the cache that others may write to is no place for the lock: none is taken.
    ASSERT_EQ(chmod(QFile::encodeName(cache.filePath("larkspire-test")).constData(), 0777), 0);
    const ScopedVariable noRuntime("XDG_RUNTIME_DIR", {});
    EXPECT_EQ(InstanceLock::defaultPath(), "");
    InstanceLock nowhere(InstanceLock::defaultPath());
    EXPECT_TRUE(nowhere.tryAcquire());
}

TEST(InstanceLock, AnotherUsersLockFileIsNeverThisUsersRunningCopy)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "making a file of another user's needs root";
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    Put(path, "");
    ASSERT_EQ(chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    // The other user holds a lock on the file.
    const int theirs = open(QFile::encodeName(path).constData(), O_RDWR);
    ASSERT_GE(theirs, 0);
    ASSERT_EQ(flock(theirs, LOCK_EX | LOCK_NB), 0);
    InstanceLock mine(path);
    EXPECT_TRUE(mine.tryAcquire());
    struct stat info {};
    ASSERT_EQ(lstat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_uid, geteuid()) << "the other user's file is still the lock";
    InstanceLock second(path);
    EXPECT_FALSE(second.tryAcquire());
    close(theirs);
}

} // namespace
