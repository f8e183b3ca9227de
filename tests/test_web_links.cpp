// Every link label and menu entry of the input form, the viewer and the report window reaches its
// page, once per click; Help, About Software opens the About box over the window that asked.
#include "FormTestSupport.h"

#include "LinkLabel.h"
#include "frmAbout.h"
#include "frmSave.h"
#include "DescriptionBox.h"
#include "TabStrip.h"

#include <QLabel>
#include "modHelp.h"

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
    Click(form->Label61);
    Click(form->lblCobrand);
    Click(form->lblFullBrand);
    form->mnuOnline->trigger();
    form->mnuVisit->trigger();
    form->mnuUpdate->trigger();
    EXPECT_EQ(fake.browser.opened, (QStringList{pages::kHomePage, pages::kCoBrandPage, pages::kFullBrandPage,
                                                pages::kOnlineHelp, pages::kHomePage, pages::kDownloadPage}));
    // Make Money Online is shown greyed and does nothing.
    form->mkmoney->trigger();
    EXPECT_EQ(fake.browser.opened.size(), 6);
    // Check for Software Update leaves the reminder's date alone.
    EXPECT_EQ(fake.settings.values.value("Settings/Duration"), "12/7/2026");
}

TEST_F(WebLinks, ViewerLabelsAndMenus)
{
    Request("ann", "", "lee");
    frmDisplay *v = form->viewer();
    fake.browser.opened.clear();
    Click(v->Label61);
    Click(v->lblCobrand);
    Click(v->lblFullBrand);
    v->mnuOnline->trigger();
    v->mnuVisit->trigger();
    v->mnuUpdate->trigger();
    Click(v->Label61);
    EXPECT_EQ(fake.browser.opened, (QStringList{pages::kHomePage, pages::kCoBrandPage, pages::kFullBrandPage,
                                                pages::kOnlineHelp, pages::kHomePage, pages::kDownloadPage,
                                                pages::kHomePage}));
}

TEST_F(WebLinks, ReportLabels)
{
    ReportInputs inputs;
    frmSave report(fake.services(), inputs);
    report.show();
    Click(report.Label14);
    Click(report.Label1);
    Click(report.lblCobrand);
    Click(report.lblFullBrand);
    EXPECT_EQ(fake.browser.opened,
              (QStringList{pages::kHomePage, pages::kHomePage, pages::kCoBrandPage, pages::kFullBrandPage}));
    report.close();
}

TEST_F(WebLinks, AboutOpensOverEitherWindowAndReturnsToIt)
{
    Request("ann", "", "lee");
    frmDisplay *v = form->viewer();
    v->TScript->setCurrentIndex(3);
    const QString caption = v->lblCaption->text();
    QWidget *aboutParent = nullptr;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        aboutParent = box->parentWidget();
        box->cmdOK->click();
    });
    v->mnuAbout->trigger();
    EXPECT_EQ(aboutParent, v);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->lblCaption->text(), caption);

    v->cmdBack_Click();
    QTest::keyClicks(form->txtFirstName, "bo");
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        aboutParent = box->parentWidget();
        box->close();
    });
    form->mnuAbout->trigger();
    EXPECT_EQ(aboutParent, form.data());
    EXPECT_EQ(form->txtFirstName->text(), "BO");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
