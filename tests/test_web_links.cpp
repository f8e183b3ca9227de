// Every link label and menu entry of the input form, the viewer and the report window reaches its
// page, once per click; Help, About Software opens the About box over the window that asked.
#include "FormTestSupport.h"

#include "LinkLabel.h"
#include "AboutDialog.h"
#include "ReportDialog.h"
#include "DescriptionBox.h"
#include "TabStrip.h"

#include <QLabel>
#include "WebPages.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>

namespace {

void Click(LinkLabel *label)
{
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
}

using WebLinks = FormTest;

TEST_F(WebLinks, InputFormLabelsAndMenus)
{
    Click(Child<LinkLabel>(form, "forumBanner"));
    Click(Child<LinkLabel>(form, "coBrandOffer"));
    Click(Child<LinkLabel>(form, "fullBrandOffer"));
    Child<QAction>(form, "onlineHelpAction")->trigger();
    Child<QAction>(form, "visitAction")->trigger();
    Child<QAction>(form, "updateAction")->trigger();
    EXPECT_EQ(fake.browser.opened, (QStringList{pages::kHomePage, pages::kCoBrandPage, pages::kFullBrandPage,
                                                pages::kOnlineHelp, pages::kHomePage, pages::kDownloadPage}));
    // Make Money Online is shown greyed and does nothing.
    Child<QAction>(form, "makeMoneyAction")->trigger();
    EXPECT_EQ(fake.browser.opened.size(), 6);
    // Check for Software Update leaves the reminder's date alone.
    EXPECT_EQ(fake.settings.values.value("Settings/Duration"), "12/7/2026");
}

TEST_F(WebLinks, ViewerLabelsAndMenus)
{
    Request("ann", "", "lee");
    ResultsWindow *v = viewer();
    fake.browser.opened.clear();
    Click(Child<LinkLabel>(v, "forumBanner"));
    Click(Child<LinkLabel>(v, "coBrandOffer"));
    Click(Child<LinkLabel>(v, "fullBrandOffer"));
    Child<QAction>(v, "onlineHelpAction")->trigger();
    Child<QAction>(v, "visitAction")->trigger();
    Child<QAction>(v, "updateAction")->trigger();
    Click(Child<LinkLabel>(v, "forumBanner"));
    EXPECT_EQ(fake.browser.opened, (QStringList{pages::kHomePage, pages::kCoBrandPage, pages::kFullBrandPage,
                                                pages::kOnlineHelp, pages::kHomePage, pages::kDownloadPage,
                                                pages::kHomePage}));
}

TEST_F(WebLinks, ReportLabels)
{
    Reading inputs;
    ReportDialog report(fake.services(), inputs);
    report.show();
    Click(Child<LinkLabel>(&report, "forumLink"));
    Click(Child<LinkLabel>(&report, "homeLink"));
    Click(Child<LinkLabel>(&report, "coBrandOffer"));
    Click(Child<LinkLabel>(&report, "fullBrandOffer"));
    EXPECT_EQ(fake.browser.opened,
              (QStringList{pages::kHomePage, pages::kHomePage, pages::kCoBrandPage, pages::kFullBrandPage}));
    report.close();
}

TEST_F(WebLinks, AboutOpensOverEitherWindowAndReturnsToIt)
{
    Request("ann", "", "lee");
    ResultsWindow *v = viewer();
    Child<TabStrip>(v, "resultTabs")->setCurrentIndex(3);
    const QString caption = Child<QLabel>(v, "captionLabel")->text();
    QWidget *aboutParent = nullptr;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<AboutDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        aboutParent = box->parentWidget();
        Child<QPushButton>(box, "okButton")->click();
    });
    Child<QAction>(v, "aboutAction")->trigger();
    EXPECT_EQ(aboutParent, v);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(Child<QLabel>(v, "captionLabel")->text(), caption);

    Child<QPushButton>(v, "backButton")->click();
    QTest::keyClicks(Child<QLineEdit>(form, "firstNameEdit"), "bo");
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<AboutDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        aboutParent = box->parentWidget();
        box->close();
    });
    Child<QAction>(form, "aboutAction")->trigger();
    EXPECT_EQ(aboutParent, form.data());
    EXPECT_EQ(Child<QLineEdit>(form, "firstNameEdit")->text(), "BO");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
