#include "SharedParts.h"

#include "LinkLabel.h"
#include "WindowLook.h"
#include "frmAbout.h"
#include "modHelp.h"

#include <QFrame>
#include <QMainWindow>
#include <QMenuBar>

LinkLabel *AddBanner(QWidget *client, int width, Platform platform)
{
    QFrame *frame2 = look::Strip(client, 0, 0, width, 26);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto *label61 = new LinkLabel(QStringLiteral("Join our numerology discussion forum: click here to visit our web site!"),
                                  frame2);
    label61->setObjectName(QStringLiteral("Label61"));
    label61->setFont(look::Verdana(8.25, true, true));
    look::Paint(label61, QPalette::WindowText, look::kYellow);
    label61->setAlignment(Qt::AlignCenter);
    label61->setGeometry(4, 2, width - 8, 22);
    QObject::connect(label61, &LinkLabel::clicked, label61, [platform] { OpenHomePage(platform.browser); });
    return label61;
}

PromoLabels AddPromoLabels(QFrame *strip, QRect rectangle, Qt::Alignment alignment, Platform platform)
{
    // Created in this order so that lblFullBrand lies in front.
    auto *cobrand = new LinkLabel(kCoBrandOffer, strip);
    auto *fullBrand = new LinkLabel(kFullBrandOffer, strip);
    cobrand->setObjectName(QStringLiteral("lblCobrand"));
    fullBrand->setObjectName(QStringLiteral("lblFullBrand"));
    for (LinkLabel *label : {cobrand, fullBrand}) {
        label->setFont(look::Verdana(8.25, true, true));
        look::Paint(label, QPalette::WindowText, look::kYellow);
        label->setAutoFillBackground(true);
        label->setAlignment(alignment);
        label->setGeometry(rectangle);
    }
    QObject::connect(cobrand, &LinkLabel::clicked, cobrand, [platform] { OpenCoBrandPage(platform.browser); });
    QObject::connect(fullBrand, &LinkLabel::clicked, fullBrand, [platform] { OpenFullBrandPage(platform.browser); });
    return {cobrand, fullBrand};
}

HelpMenus AddHelpMenus(QMainWindow *window, Platform platform)
{
    QMenu *mnuHelp = window->menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    HelpMenus menus{};
    menus.mnuOnline = mnuHelp->addAction(QStringLiteral("&Online Help"), window,
                                         [platform] { OpenOnlineHelp(platform.browser); });
    menus.mnuVisit = mnuHelp->addAction(QStringLiteral("&Visit Us Online"), window,
                                        [platform] { OpenHomePage(platform.browser); });
    mnuHelp->addSeparator();
    menus.mnuUpdate = mnuHelp->addAction(QStringLiteral("&Check for Software Update"), window,
                                         [platform] { OpenDownloadPage(platform.browser); });
    mnuHelp->addSeparator();
    menus.mnuAbout = mnuHelp->addAction(QStringLiteral("&About Software"), window,
                                        [platform, window] { frmAbout::ShowModal(platform, window); });
    // Defined as not usable: shown greyed.
    menus.mkmoney = window->menuBar()->addAction(QStringLiteral("Make Money &Online"), window,
                                                 [platform] { OpenFullBrandPage(platform.browser); });
    menus.mkmoney->setEnabled(false);
    return menus;
}
