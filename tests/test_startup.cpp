#include "Controls.h"
#include "Fakes.h"
#include "LinkLabel.h"
#include "QtPlatform.h"
#include "Application.h"
#include "InputWindow.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(Startup, ASecondCopyIsToldAndEndsWithoutAWindow)
{
    FakePlatform fake;
    fake.settings.values.clear();
    FakeInstanceLock busy;
    busy.free = false;
    Application app(fake.services(), busy);
    EXPECT_FALSE(app.start());
    EXPECT_EQ(fake.messages.texts(), QStringList{"Application is already running"});
    EXPECT_EQ(fake.messages.shown[0].caption, "Larkspire");
    EXPECT_EQ(fake.process.ends, 1);
    EXPECT_EQ(fake.settings.reads + fake.settings.writes, 0);
    EXPECT_EQ(fake.random.seeds, 0);
    EXPECT_EQ(app.inputWindow(), nullptr);
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible());
}

TEST(Startup, TheFirstCopySeedsLoadsShowsAndPicksAnOffer)
{
    for (int drawn = 1; drawn <= 6; ++drawn) {
        FakePlatform fake;
        fake.random.next = drawn;
        FakeInstanceLock free;
        Application app(fake.services(), free);
        ASSERT_TRUE(app.start());
        InputWindow *form = app.inputWindow();
        EXPECT_EQ(fake.random.seeds, 1);
        EXPECT_EQ(fake.random.lastRange, std::make_pair(1, 6));
        EXPECT_TRUE(form->isVisible());
        const auto coBrandInFront = [&] {
            auto *coBrand = Child<LinkLabel>(form, "coBrandOffer");
            const auto siblings = coBrand->parentWidget()->children();
            return siblings.indexOf(coBrand) > siblings.indexOf(Child<LinkLabel>(form, "fullBrandOffer"));
        };
        EXPECT_EQ(coBrandInFront(), drawn % 2 == 1) << drawn;
        // Hiding and showing again keeps the choice.
        form->hide();
        form->show();
        EXPECT_EQ(coBrandInFront(), drawn % 2 == 1) << drawn;
    }
}

TEST(Startup, TheReminderAsksBeforeAnyWindowExists)
{
    FakePlatform fake;
    fake.settings.values["Settings/Duration"] = "1/1/2000";
    bool windowWhenAsked = true;
    fake.messages.onShow = [&] { windowWhenAsked = !QApplication::topLevelWidgets().isEmpty(); };
    FakeInstanceLock free;
    Application app(fake.services(), free);
    ASSERT_TRUE(app.start());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_FALSE(windowWhenAsked);
}

TEST(LockFileInstance, ALiveCopyIsRefusedAndItsEndFreesTheLock)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    auto first = std::make_unique<LockFileInstance>(path);
    ASSERT_TRUE(first->tryAcquire());
    LockFileInstance second(path);
    EXPECT_FALSE(second.tryAcquire());
    first.reset();
    LockFileInstance third(path);
    EXPECT_TRUE(third.tryAcquire());
}

TEST(LockFileInstance, ALockLeftByACrashedCopyIsTakenOver)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        LockFileInstance held(path);
        const char answer = held.tryAcquire() ? 'y' : 'n';
        (void)!write(ready[1], &answer, 1);
        for (;;)
            pause();
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    LockFileInstance whileAlive(path);
    EXPECT_FALSE(whileAlive.tryAcquire());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    LockFileInstance afterCrash(path);
    EXPECT_TRUE(afterCrash.tryAcquire());
    close(ready[0]);
    close(ready[1]);
}

} // namespace
