#include "Fakes.h"
#include "LinkLabel.h"
#include "QtPlatform.h"
#include "Startup.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QPointer>
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
    EXPECT_EQ(StartProgram(fake.services(), busy), nullptr);
    EXPECT_EQ(fake.messages.texts(), QStringList{"Application is already running"});
    EXPECT_EQ(fake.messages.shown[0].caption, "Larkspire");
    EXPECT_EQ(fake.process.ends, 1);
    EXPECT_EQ(fake.settings.reads + fake.settings.writes, 0);
    EXPECT_EQ(fake.random.seeds, 0);
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible());
}

TEST(Startup, TheFirstCopySeedsLoadsShowsAndPicksALabel)
{
    for (int drawn = 1; drawn <= 6; ++drawn) {
        FakePlatform fake;
        fake.random.next = drawn;
        FakeInstanceLock free;
        QPointer<frmMain> form = StartProgram(fake.services(), free);
        ASSERT_FALSE(form.isNull());
        EXPECT_EQ(fake.random.seeds, 1);
        EXPECT_EQ(fake.random.lastRange, std::make_pair(1, 6));
        EXPECT_EQ(intCoBrandRandomNumber, drawn);
        EXPECT_TRUE(form->isVisible());
        const auto siblings = form->lblCobrand->parentWidget()->children();
        const bool cobrandInFront = siblings.indexOf(form->lblCobrand) > siblings.indexOf(form->lblFullBrand);
        EXPECT_EQ(cobrandInFront, drawn % 2 == 1) << drawn;
        // Hiding and showing again keeps the choice.
        form->hide();
        form->show();
        EXPECT_EQ(form->lblCobrand->parentWidget()->children().indexOf(form->lblCobrand) >
                      form->lblCobrand->parentWidget()->children().indexOf(form->lblFullBrand),
                  drawn % 2 == 1);
        delete form;
    }
}

TEST(Startup, TheReminderRunsBeforeTheListsAreFilled)
{
    FakePlatform fake;
    fake.settings.values["Settings/Duration"] = "1/1/2000";
    int listEntriesWhenAsked = -1;
    QWidget *visibleWhenAsked = nullptr;
    fake.messages.onShow = [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *form = qobject_cast<frmMain *>(w))
                listEntriesWhenAsked = form->cmbDate->count();
            if (w->isVisible())
                visibleWhenAsked = w;
        }
    };
    FakeInstanceLock free;
    QPointer<frmMain> form = StartProgram(fake.services(), free);
    EXPECT_EQ(listEntriesWhenAsked, 0);
    EXPECT_EQ(visibleWhenAsked, nullptr);
    delete form;
}

TEST(StdRandomSource, DrawsEveryValueRoughlyEvenly)
{
    StdRandomSource random;
    random.seedFromClock();
    int counts[7] = {};
    for (int i = 0; i < 6000; ++i) {
        const int v = random.between(1, 6);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 6);
        ++counts[v];
    }
    for (int v = 1; v <= 6; ++v)
        EXPECT_GT(counts[v], 800) << v;
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
