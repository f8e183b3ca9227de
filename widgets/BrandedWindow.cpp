#include "widgets/BrandedWindow.h"

#include "model/WebPages.h"
#include "widgets/AboutDialog.h"
#include "widgets/LinkLabel.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLayout>
#include <QMenuBar>

BrandedWindow::BrandedWindow(const QString &objectName, theme::Twips bannerStrip, theme::Twips banner)
{
    setObjectName(objectName);
    theme::setUpWindow(this);
    theme::useFormColours(this);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    QFrame *strip = theme::darkStrip(m_client, bannerStrip);
    strip->setObjectName(QStringLiteral("bannerStrip"));
    auto *forumBanner =
        placedLink(strip, "forumBanner", QStringLiteral("Join our numerology discussion forum: click here to visit our web site!"),
                   theme::font(theme::Bold | theme::Underlined), Qt::AlignCenter, banner);
    theme::paint(forumBanner, QPalette::WindowText, theme::kYellow);
    connect(forumBanner, &LinkLabel::clicked, this, &webpages::openHomePage);
}

void BrandedWindow::addOffers(QFrame *strip, theme::Twips rect, Qt::Alignment alignment)
{
    const Offers offers = placedOffers(strip, rect, theme::kYellow, alignment);
    m_coBrandOffer = offers.coBrand;
    m_fullBrandOffer = offers.fullBrand;
}

void BrandedWindow::bringOfferToFront(Offer offer)
{
    (offer == Offer::CoBrand ? m_coBrandOffer : m_fullBrandOffer)->raise();
}

QMenu *BrandedWindow::addFileMenu()
{
    // The menus keep the standard light colours, so that the unusable entry shows greyed.
    theme::useStandardColours(menuBar());
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    return file;
}

void BrandedWindow::addHelpMenus()
{
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    const auto add = [this](QMenu *menu, const char *name, const QString &text, auto slot) {
        QAction *action = menu->addAction(text, this, slot);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    add(help, "onlineHelpAction", QStringLiteral("&Online Help"), &webpages::openOnlineHelp)
        ->setShortcut(QKeySequence::HelpContents);
    add(help, "visitAction", QStringLiteral("&Visit Us Online"), &webpages::openHomePage);
    help->addSeparator();
    add(help, "updateAction", QStringLiteral("&Check for Software Update"), &webpages::openDownloadPage);
    help->addSeparator();
    add(help, "aboutAction", QStringLiteral("&About Software"), [this] { AboutDialog::showModal(this); });
    QAction *makeMoney = menuBar()->addAction(QStringLiteral("Make Money &Online"), this, &webpages::openFullBrandPage);
    makeMoney->setObjectName(QStringLiteral("makeMoneyAction"));
    // Defined as not usable: shown greyed.
    makeMoney->setEnabled(false);
}

void BrandedWindow::fixClientSize(QSize twips)
{
    // The client area has the design's size, and the window what the menu bar takes above it.
    m_client->setFixedSize(theme::pixels(twips.width()), theme::pixels(twips.height()));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void BrandedWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit quitRequested();
}
