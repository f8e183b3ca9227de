// The About box: its contents and size, its two links, and the keys that close it.
#include "GuiTestSupport.h"
#include "model/WebPages.h"
#include "widgets/AboutDialog.h"
#include "widgets/LinkLabel.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

void Click(QWidget *label)
{
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

TEST(AboutBox, ContentsAndLinks)
{
    OpenedUrls urls;
    AboutDialog box;
    box.show();
    EXPECT_EQ(box.windowTitle(), "Larkspire v1.45");
    EXPECT_EQ(box.windowRole(), ShownRole("aboutDialog"));
    EXPECT_EQ(box.size(), QSize(405, 239));
    EXPECT_TRUE(Child<QPushButton>(&box, "okButton")->isDefault());
    EXPECT_EQ(Child<QPushButton>(&box, "okButton")->text(), "&OK");
    auto *home = box.findChild<LinkLabel *>("homePageLink");
    auto *cobrand = box.findChild<LinkLabel *>("offerDetailsLink");
    ASSERT_TRUE(home && cobrand);
    EXPECT_EQ(home->text(), "Click here to visit https://www.example.com/");
    EXPECT_EQ(cobrand->text(), " Click here for more details.");
    // The fully-branded offer as the main windows show it, its last sentence the link here.
    EXPECT_EQ(Child<QLabel>(&box, "offerLabel")->text() + cobrand->text(), kFullBrandOffer);
    EXPECT_EQ(home->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(cobrand->cursor().shape(), Qt::PointingHandCursor);
    Click(home);
    Click(home);
    Click(cobrand);
    EXPECT_EQ(urls.opened, (QStringList{webpages::kHomePage, webpages::kHomePage, webpages::kFullBrandPage}));
    EXPECT_TRUE(box.isVisible());
    box.close();
}

TEST(AboutBox, TheOfferWrapsWithinTheBoxAndOkKeepsAMargin)
{
    AboutDialog box;
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
        QWidget beneath;
        beneath.setWindowTitle("beneath");
        beneath.show();
        bool closedByKey = false;
        bool okHadTheFocus = false;
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<AboutDialog *>(modal)) {
                okHadTheFocus = box->focusWidget() == box->findChild<QPushButton *>("okButton");
                QTest::keyClick(box->focusWidget(), key);
                closedByKey = !box->isVisible();
            }
            if (modal && modal->isVisible())
                modal->close();
        });
        AboutDialog::showModal(&beneath);
        EXPECT_TRUE(okHadTheFocus) << key;
        EXPECT_TRUE(closedByKey) << key;
        EXPECT_TRUE(beneath.isVisible());
        EXPECT_EQ(beneath.windowTitle(), "beneath");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

} // namespace
