// Start-up: a second copy is told and ends without a window; the first seeds, runs the reminder
// before any window, shows the input window and picks the offer in front.
#include "GuiTestSupport.h"
#include "app/Application.h"
#include "platform/InstanceLock.h"
#include "platform/SettingsStore.h"
#include "widgets/LinkLabel.h"
#include "windows/InputWindow.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QDate kToday(2026, 12, 7);

class Startup : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString settingsPath = folder.filePath("larkspire.conf");
    QString lockPath = folder.filePath("larkspire.lock");
    SettingsStore settings{settingsPath};
    FakeDialogs dialogs;
    MessageBoxAnswerer messages;
};

bool CoBrandInFront(InputWindow *form)
{
    auto *coBrand = Child<LinkLabel>(form, "coBrandOffer");
    const auto siblings = coBrand->parentWidget()->children();
    return siblings.indexOf(coBrand) > siblings.indexOf(Child<LinkLabel>(form, "fullBrandOffer"));
}

TEST_F(Startup, ASecondCopyIsToldAndEndsWithoutAWindow)
{
    InstanceLock first(lockPath);
    ASSERT_TRUE(first.tryAcquire());
    InstanceLock second(lockPath);
    Application app(second, settings, dialogs);
    EXPECT_FALSE(app.start(kToday));
    EXPECT_EQ(messages.texts(), QStringList{"Application is already running"});
    EXPECT_EQ(messages.shown[0].caption, "Larkspire");
    EXPECT_EQ(messages.shown[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(messages.shown[0].otherWindows, 0);
    EXPECT_EQ(app.inputWindow(), nullptr);
    EXPECT_TRUE(settings.flush());
    EXPECT_FALSE(QFile::exists(settingsPath)) << "a setting was written";
}

TEST_F(Startup, TheFirstCopyShowsTheInputWindowWithOneOfferInFrontForTheRun)
{
    InstanceLock instance(lockPath);
    Application app(instance, settings, dialogs);
    ASSERT_TRUE(app.start(kToday));
    InputWindow *form = app.inputWindow();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->windowIcon().isNull());
    const bool coBrand = CoBrandInFront(form);
    // Hiding and showing again keeps the choice.
    form->hide();
    form->show();
    EXPECT_EQ(CoBrandInFront(form), coBrand);
    form->hide();
    // Another copy is now refused.
    InstanceLock second(lockPath);
    EXPECT_FALSE(second.tryAcquire());
}

TEST(OfferOfDraw, OddDrawsBringTheCoBrandingOfferInFront)
{
    for (int draw = 1; draw <= 6; ++draw)
        EXPECT_EQ(Application::offerOfDraw(draw),
                  draw % 2 == 1 ? BrandedWindow::Offer::CoBrand : BrandedWindow::Offer::FullBrand)
            << draw;
}

TEST_F(Startup, TheReminderAsksBeforeAnyWindowShows)
{
    {
        SettingsStore old(settingsPath);
        old.write("Settings", "Duration", "2000-01-01");
    }
    InstanceLock instance(lockPath);
    Application app(instance, settings, dialogs);
    ASSERT_TRUE(app.start(kToday));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].otherWindows, 0);
    app.inputWindow()->hide();
}

TEST(SeededGenerator, StartsASecondApartDrawUnrelatedOffers)
{
    // The offer in front is the first draw's parity; over starts one second apart it must change
    // about half the time, never stick for long.
    int changes = 0;
    int longestRun = 0;
    int run = 0;
    int previous = -1;
    const std::uint64_t start = 1796601600ull * 1000000000ull;
    for (std::uint64_t second = 0; second < 1000; ++second) {
        QRandomGenerator random = Application::seededGenerator(start + second * 1000000000ull,
                                                               5000000000ull + second * 1000000000ull);
        const int parity = static_cast<int>(random.bounded(1, 7)) % 2;
        run = parity == previous ? run + 1 : 1;
        changes += parity != previous && previous >= 0;
        longestRun = std::max(longestRun, run);
        previous = parity;
    }
    EXPECT_GT(changes, 420);
    EXPECT_LT(changes, 580);
    EXPECT_LE(longestRun, 14);
}

} // namespace
