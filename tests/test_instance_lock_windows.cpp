// The single-instance lock on Windows: a copy ended hard leaves nothing that blocks the next start,
// and a file at the lock's path plays no part.
#include "TestFiles.h"
#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>


namespace {

const char *const kHoldVariable = "LARKSPIRE_TEST_HOLD_LOCK";

TEST(InstanceLock, AFileAtTheLocksPathBlocksNothing)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    Put(path, "1234\nlarkspire\n");
    InstanceLock lock(path);
    EXPECT_TRUE(lock.tryAcquire());
    EXPECT_TRUE(InstanceLock::defaultPath().endsWith("/larkspire/larkspire.lock"));
}

// Not a test of its own: the copy that the next test starts and ends hard.
TEST(InstanceLock, HolderForTheNextTest)
{
    const QString path = qEnvironmentVariable(kHoldVariable);
    if (path.isEmpty())
        GTEST_SKIP() << "runs only as the next test's other copy";
    InstanceLock lock(path);
    std::fputs(lock.tryAcquire() ? "held\n" : "refused\n", stdout);
    std::fflush(stdout);
    QThread::sleep(60);
}

TEST(InstanceLock, ACopyEndedHardLeavesNothingThatBlocks)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    QProcess other;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kHoldVariable, path);
    other.setProcessEnvironment(environment);
    other.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=InstanceLock.HolderForTheNextTest"});
    ASSERT_TRUE(other.waitForStarted(30000));
    QByteArray said;
    while (!said.contains("held") && !said.contains("refused") && other.waitForReadyRead(30000))
        said += other.readAllStandardOutput();
    EXPECT_TRUE(said.contains("held")) << said.constData();
    InstanceLock whileAlive(path);
    EXPECT_FALSE(whileAlive.tryAcquire());
    other.kill();
    EXPECT_TRUE(other.waitForFinished(30000));
    InstanceLock afterwards(path);
    EXPECT_TRUE(afterwards.tryAcquire());
}

} // namespace
