// The single-instance lock, as every system keeps it: a live copy is refused, a lock of another
// path is another lock, and the end of the copy that held it frees it.
#include "platform/InstanceLock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(InstanceLock, ALiveCopyIsRefusedAndItsEndFreesTheLock)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    auto first = std::make_unique<InstanceLock>(path);
    ASSERT_TRUE(first->tryAcquire());
    InstanceLock second(path);
    EXPECT_FALSE(second.tryAcquire());
    InstanceLock elsewhere(folder.filePath("other.lock"));
    EXPECT_TRUE(elsewhere.tryAcquire()) << "a lock of another path is held by this one";
    first.reset();
    InstanceLock third(path);
    EXPECT_TRUE(third.tryAcquire());
}

} // namespace
