// The single-instance lock: a live copy is refused, and nothing else ever blocks a start.
#include "TestFiles.h"
#include "platform/InstanceLock.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(InstanceLock, ALiveCopyIsRefusedAndItsEndFreesTheLock)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    auto first = std::make_unique<InstanceLock>(path);
    ASSERT_TRUE(first->tryAcquire());
    InstanceLock second(path);
    EXPECT_FALSE(second.tryAcquire());
    first.reset();
    InstanceLock third(path);
    EXPECT_TRUE(third.tryAcquire());
}

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

} // namespace
