// Every link label and menu entry of the input form, the viewer and the report window reaches its
// page, once per click; Help, About Software opens the About box over the window that asked.
#include "ApplicationFixture.h"

#include "model/WebPages.h"
#include "report/ReportDialog.h"
#include "widgets/AboutDialog.h"
#include "widgets/LinkLabel.h"
#include "widgets/TabStrip.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

void Click(LinkLabel *label)
{
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
}

TEST(WebPages, EachOpensItsOwnAddressExactlyAsWritten)
{
    OpenedUrls urls;
    webpages::openOnlineHelp();
    webpages::openHomePage();
    webpages::openDownloadPage();
    webpages::openCoBrandPage();
    webpages::openFullBrandPage();
    EXPECT_EQ(urls.opened, (QStringList{"https://www.example.com/larkspire/help.html", "https://www.example.com/",
                                        "https://www.example.com/larkspire/download.html",
                                        "https://help.example.com/co-brand.html",
                                        "https://help.example.com/fully-branded.html"}));
}

using WebLinks = ApplicationTest;

TEST_F(WebLinks, InputFormLabelsAndMenus)
{
    Click(Child<LinkLabel>(form, "forumBanner"));
    Click(Child<LinkLabel>(form, "coBrandOffer"));
    Click(Child<LinkLabel>(form, "fullBrandOffer"));
    Child<QAction>(form, "onlineHelpAction")->trigger();
    Child<QAction>(form, "visitAction")->trigger();
    Child<QAction>(form, "updateAction")->trigger();
    EXPECT_EQ(urls.opened, (QStringList{webpages::kHomePage, webpages::kCoBrandPage, webpages::kFullBrandPage,
                                                webpages::kOnlineHelp, webpages::kHomePage, webpages::kDownloadPage}));
    // Make Money Online is shown greyed and does nothing.
    Child<QAction>(form, "makeMoneyAction")->trigger();
    EXPECT_EQ(urls.opened.size(), 6);
    // Check for Software Update leaves the reminder's date alone.
    EXPECT_EQ(settings.read("Settings", "Duration"), "2026-12-07");
    QCoreApplication::processEvents();
    EXPECT_EQ(storedSettings(), kStoredSettings);
}

TEST_F(WebLinks, ViewerLabelsAndMenus)
{
    Request("ann", "", "lee");
    ResultsWindow *v = viewer();
    urls.opened.clear();
    Click(Child<LinkLabel>(v, "forumBanner"));
    Click(Child<LinkLabel>(v, "coBrandOffer"));
    Click(Child<LinkLabel>(v, "fullBrandOffer"));
    Child<QAction>(v, "onlineHelpAction")->trigger();
    Child<QAction>(v, "visitAction")->trigger();
    Child<QAction>(v, "updateAction")->trigger();
    Click(Child<LinkLabel>(v, "forumBanner"));
    EXPECT_EQ(urls.opened, (QStringList{webpages::kHomePage, webpages::kCoBrandPage, webpages::kFullBrandPage,
                                                webpages::kOnlineHelp, webpages::kHomePage, webpages::kDownloadPage,
                                                webpages::kHomePage}));
}

TEST_F(WebLinks, ReportLabels)
{
    Reading inputs;
    ReportDialog report(inputs, dialogs);
    report.show();
    Click(Child<LinkLabel>(&report, "forumLink"));
    Click(Child<LinkLabel>(&report, "homeLink"));
    Click(Child<LinkLabel>(&report, "coBrandOffer"));
    Click(Child<LinkLabel>(&report, "fullBrandOffer"));
    EXPECT_EQ(urls.opened,
              (QStringList{webpages::kHomePage, webpages::kHomePage, webpages::kCoBrandPage, webpages::kFullBrandPage}));
    report.close();
}

// Opens the About box from a window's Help menu and closes it again; the window it opened over.
QWidget *AboutBoxParent(QWidget *window)
{
    QWidget *parent = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<AboutDialog *>(modal))
            parent = box->parentWidget();
        if (modal)
            modal->close();
    });
    Child<QAction>(window, "aboutAction")->trigger();
    return parent;
}

TEST_F(WebLinks, AboutOpensOverEitherWindowAndReturnsToIt)
{
    Request("ann", "", "lee");
    ResultsWindow *v = viewer();
    Child<TabStrip>(v, "resultTabs")->setCurrentIndex(3);
    const QString caption = Child<QLabel>(v, "captionLabel")->text();
    EXPECT_EQ(AboutBoxParent(v), v);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(Child<QLabel>(v, "captionLabel")->text(), caption);

    Child<QPushButton>(v, "backButton")->click();
    QTest::keyClicks(Child<QLineEdit>(form, "firstNameEdit"), "bo");
    EXPECT_EQ(AboutBoxParent(form), form);
    EXPECT_EQ(Child<QLineEdit>(form, "firstNameEdit")->text(), "BO");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
