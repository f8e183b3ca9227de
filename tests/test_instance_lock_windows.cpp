// The single-instance lock on Windows: a path named in other capitals is the same lock, as it is
// the same file, and a copy ended hard leaves nothing that blocks the next start.
#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

const char *const kHoldVariable = "LARKSPIRE_TEST_HOLD_LOCK";

// The other copy that a test starts and ends hard: started with kHoldVariable naming a lock, this
// executable takes that lock, says whether it got it, and waits to be killed before any test runs.
class LockHolder final : public ::testing::Environment {
public:
    void SetUp() override
    {
        const QString path = qEnvironmentVariable(kHoldVariable);
        if (path.isEmpty())
            return;
        InstanceLock lock(path);
        std::fputs(lock.tryAcquire() ? "held\n" : "refused\n", stdout);
        std::fflush(stdout);
        QThread::sleep(60);
        std::_Exit(1);
    }
};

[[maybe_unused]] ::testing::Environment *const kLockHolder = ::testing::AddGlobalTestEnvironment(new LockHolder);

TEST(InstanceLock, APathInOtherCapitalsIsTheSameLock)
{
    QTemporaryDir folder;
    InstanceLock lock(folder.filePath("larkspire.lock"));
    ASSERT_TRUE(lock.tryAcquire());
    InstanceLock shouted(folder.filePath("LARKSPIRE.LOCK"));
    EXPECT_FALSE(shouted.tryAcquire());
    QCoreApplication::setApplicationName("larkspire-test");
    EXPECT_TRUE(InstanceLock::defaultPath().endsWith("/larkspire-test/larkspire-test.lock")) << InstanceLock::defaultPath().toStdString();
}

TEST(InstanceLock, ACopyEndedHardLeavesNothingThatBlocks)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    QProcess other;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kHoldVariable, path);
    other.setProcessEnvironment(environment);
    other.start(QCoreApplication::applicationFilePath(), {});
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
