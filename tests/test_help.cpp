#include "Controls.h"
#include "Fakes.h"
#include "LinkLabel.h"
#include "QtPlatform.h"
#include "AboutDialog.h"
#include "ProgramStyle.h"
#include "UpdateReminder.h"
#include "WebPages.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kDuration = "Settings/Duration";

class Reminder : public ::testing::Test {
protected:
    QString Stored(QDate date) { return UpdateReminder::dateText(date); }
    FakePlatform fake;
    QDate today{2026, 12, 7};

    void SetUp() override
    {
        fake.clock.todayIs = today;
        fake.settings.values.clear();
    }
};

TEST_F(Reminder, FirstRunStoresTodayAndAsksNothing)
{
    UpdateReminder(fake.services()).run();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fake.settings.values.value(kDuration), "2026-12-07");
    EXPECT_TRUE(fake.browser.opened.isEmpty());
}

TEST_F(Reminder, EmptyOrUnreadableValuesBehaveLikeAFirstRun)
{
    for (const QString &value : {QString(""), QString("   "), QString("not a date"), QString("13/45/2026"), QString("\xff")}) {
        fake.settings.values[kDuration] = value;
        fake.messages.shown.clear();
        Platform platform = fake.services();
        UpdateReminder(platform).run();
        EXPECT_TRUE(fake.messages.shown.empty()) << value.toStdString();
        EXPECT_EQ(fake.settings.values.value(kDuration), "2026-12-07") << value.toStdString();
    }
}

TEST_F(Reminder, WithinFourteenDaysNothingIsAskedOrWritten)
{
    for (int days : {-14, -1, 0, 1, 14}) {
        fake.settings.values[kDuration] = Stored(today.addDays(days));
        const int writes = fake.settings.writes;
        Platform platform = fake.services();
        UpdateReminder(platform).run();
        EXPECT_TRUE(fake.messages.shown.empty()) << days;
        EXPECT_EQ(fake.settings.writes, writes) << days;
    }
}

TEST_F(Reminder, FifteenDaysEitherWayAsksAndNoOpensNothing)
{
    for (int days : {-15, 15, -400}) {
        fake.messages.shown.clear();
        fake.settings.values[kDuration] = Stored(today.addDays(days));
        fake.messages.answers = {false};
        Platform platform = fake.services();
        UpdateReminder(platform).run();
        ASSERT_EQ(fake.messages.shown.size(), 1u) << days;
        EXPECT_TRUE(fake.messages.shown[0].question);
        EXPECT_EQ(fake.messages.shown[0].caption, "Larkspire");
        EXPECT_EQ(fake.messages.shown[0].text,
                  "There maybe an update to this software available\rDo you want to check for an update?");
        EXPECT_EQ(fake.settings.values.value(kDuration), "2026-12-07");
        EXPECT_TRUE(fake.browser.opened.isEmpty());
    }
}

TEST_F(Reminder, YesWritesTheDateBeforeOpeningTheDownloadPageOnce)
{
    fake.settings.values[kDuration] = Stored(today.addDays(-20));
    fake.messages.answers = {true};
    QString storedWhenOpened;
    fake.browser.onOpen = [&](const QString &) { storedWhenOpened = fake.settings.values.value(kDuration); };
    Platform platform = fake.services();
    UpdateReminder(platform).run();
    EXPECT_EQ(fake.browser.opened, QStringList{pages::kDownloadPage});
    EXPECT_EQ(storedWhenOpened, "2026-12-07");

    // A second start on the same day asks nothing.
    fake.messages.shown.clear();
    UpdateReminder(platform).run();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fake.browser.opened.size(), 1);
}

TEST(ReminderDate, IsWrittenInIsoFormAndReadsBackUnderAnyLocale)
{
    const QDate today(2026, 12, 7);
    const QList<QLocale> locales{QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::English, QLocale::UnitedKingdom),
                                 QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Japanese, QLocale::Japan)};
    EXPECT_EQ(UpdateReminder::dateText(QDate(2026, 12, 7)), "2026-12-07");
    for (const QDate date : {QDate(2026, 12, 7), QDate(1999, 1, 31), QDate(2024, 2, 29)}) {
        for (const QLocale &reader : locales)
            EXPECT_EQ(UpdateReminder::readDate(UpdateReminder::dateText(date), reader, today), date) << reader.name().toStdString();
    }
}

TEST(ReminderDate, ValuesLeftByEarlierVersionsStillRead)
{
    const QDate today(2026, 12, 7);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(UpdateReminder::readDate("12/7/2026", us, today), QDate(2026, 12, 7));
    EXPECT_EQ(UpdateReminder::readDate("07/12/2026", QLocale(QLocale::English, QLocale::UnitedKingdom), today), QDate(2026, 12, 7));
    EXPECT_EQ(UpdateReminder::readDate("07.12.2026", QLocale(QLocale::German, QLocale::Germany), today), QDate(2026, 12, 7));
    EXPECT_EQ(UpdateReminder::readDate("2026/12/07", QLocale(QLocale::Japanese, QLocale::Japan), today), QDate(2026, 12, 7));
}

TEST(ReminderDate, AnOlderTwoDigitYearReadsInTheNearestCentury)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(UpdateReminder::readDate("12/7/26", us, QDate(2026, 12, 7)), QDate(2026, 12, 7));
    EXPECT_EQ(UpdateReminder::readDate("11/1/99", us, QDate(2026, 12, 7)), QDate(1999, 11, 1));
    EXPECT_EQ(UpdateReminder::readDate("1/1/01", us, QDate(2099, 6, 1)), QDate(2101, 1, 1));
    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(UpdateReminder::readDate("07.12.26", de, QDate(2026, 12, 7)), QDate(2026, 12, 7));
}

TEST(QtSettingsStore, AWrittenDateSurvivesTheStoreAndComesBack)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QCoreApplication::setApplicationName("larkspire-test");
    {
        QtSettingsStore store;
        EXPECT_EQ(store.read("Settings", "Duration"), "");
        store.write("Settings", "Duration", "2026-12-07");
        EXPECT_EQ(store.read("Settings", "Duration"), "2026-12-07");
    }
    QFile file(home.filePath("larkspire-test/larkspire-test.conf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString contents = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(contents.contains("[Settings]"));
    EXPECT_TRUE(contents.contains("Duration=2026-12-07"));
    QtSettingsStore again;
    EXPECT_EQ(again.read("Settings", "Duration"), "2026-12-07");
}

// ---- The pages ----

TEST(Pages, EachProcedureOpensItsOwnAddress)
{
    FakeBrowser browser;
    WebPages(browser).openOnlineHelp();
    WebPages(browser).openHomePage();
    WebPages(browser).openDownloadPage();
    WebPages(browser).openCoBrandPage();
    WebPages(browser).openFullBrandPage();
    EXPECT_EQ(browser.opened, (QStringList{"https://www.example.com/larkspire/help.html", "https://www.example.com/",
                                           "https://www.example.com/larkspire/download.html",
                                           "https://help.example.com/co-brand.html",
                                           "https://help.example.com/fully-branded.html"}));
}

// ---- The About box ----

void Click(QWidget *label)
{
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

TEST(AboutBox, ContentsAndLinks)
{
    FakePlatform fake;
    AboutDialog box(fake.services());
    box.show();
    EXPECT_EQ(box.windowTitle(), "Larkspire v1.45");
    EXPECT_EQ(box.size(), QSize(405, 239));
    EXPECT_TRUE(Child<QPushButton>(&box, "okButton")->isDefault());
    EXPECT_EQ(Child<QPushButton>(&box, "okButton")->text(), "&OK");
    auto *home = box.findChild<LinkLabel *>("homePageLink");
    auto *cobrand = box.findChild<LinkLabel *>("offerDetailsLink");
    ASSERT_TRUE(home && cobrand);
    EXPECT_EQ(home->text(), "Click here to visit https://www.example.com/");
    EXPECT_EQ(cobrand->text(), " Click here for more details.");
    EXPECT_EQ(home->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(cobrand->cursor().shape(), Qt::PointingHandCursor);
    Click(home);
    Click(home);
    Click(cobrand);
    EXPECT_EQ(fake.browser.opened, (QStringList{pages::kHomePage, pages::kHomePage, pages::kFullBrandPage}));
    EXPECT_TRUE(box.isVisible());
    box.close();
}

TEST(AboutBox, TheOfferWrapsWithinTheBoxAndOkKeepsAMargin)
{
    FakePlatform fake;
    AboutDialog box(fake.services());
    box.show();
    auto *offer = box.findChild<QLabel *>("offerLabel");
    ASSERT_NE(offer, nullptr);
    EXPECT_TRUE(offer->text().endsWith("Get this software fully branded for your website."));
    EXPECT_TRUE(box.rect().contains(offer->geometry())) << "the offer reaches past the box's edge";
    EXPECT_LE(offer->heightForWidth(offer->width()), offer->height()) << "the offer's last line is cut off";
    EXPECT_EQ(box.size(), QSize(405, 239));
    EXPECT_LT(Child<QPushButton>(&box, "okButton")->geometry().bottom() + 1, box.height());
    box.close();
}

TEST(AboutBox, EnterAndEscapeCloseIt)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        FakePlatform fake;
        QWidget beneath;
        beneath.setWindowTitle("beneath");
        beneath.show();
        bool closedByKey = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<AboutDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->focusWidget(), Child<QPushButton>(box, "okButton"));
            QTest::keyClick(Child<QPushButton>(box, "okButton"), key);
            closedByKey = !box->isVisible();
            if (!closedByKey)
                box->reject();
        });
        AboutDialog::showModal(fake.services(), &beneath);
        EXPECT_TRUE(closedByKey) << key;
        EXPECT_TRUE(beneath.isVisible());
        EXPECT_EQ(beneath.windowTitle(), "beneath");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// ---- The program's own style ----

TEST(ProgramStyle, AListOpensAsAShortScrollingList)
{
    ProgramStyle style;
    QWidget window;
    auto *years = new QComboBox(&window);
    years->setStyle(&style);
    years->setMaxVisibleItems(12);
    for (int year = 1900; year <= 2999; ++year)
        years->addItem(QString::number(year));
    window.show();
    years->showPopup();
    QWidget *popup = years->view()->window();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_LE(popup->height(), 14 * years->view()->sizeHintForRow(0)) << "the list opens the height of the screen";
    years->hidePopup();
}

TEST(ProgramStyle, AFocusedButtonCarriesAMarkOfItsOwn)
{
    ProgramStyle style;
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QPushButton button("&OK");
    button.resize(84, 23);
    const auto drawn = [&](const QStyle &with) {
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        option.state |= QStyle::State_HasFocus;
        QImage image(button.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        with.drawControl(QStyle::CE_PushButton, &option, &painter, &button);
        return image;
    };
    EXPECT_NE(drawn(style), drawn(*fusion));
}

} // namespace
