#include "BrandedWindow.h"

#include "AboutDialog.h"
#include "LinkLabel.h"
#include "Theme.h"
#include "WebPages.h"

#include <QCloseEvent>
#include <QFrame>
#include <QMenuBar>

BrandedWindow::BrandedWindow(Platform platform, const QString &objectName, int clientWidth)
    : m_platform(platform)
{
    setObjectName(objectName);
    theme::setUpWindow(this);
    theme::useFormColours(this);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    QFrame *strip = theme::darkStrip(m_client, 0, 0, clientWidth, 26);
    strip->setObjectName(QStringLiteral("bannerStrip"));
    m_forumBanner = new LinkLabel(QStringLiteral("Join our numerology discussion forum: click here to visit our web site!"), strip);
    m_forumBanner->setObjectName(QStringLiteral("forumBanner"));
    m_forumBanner->setFont(theme::verdana(8.25, true, true));
    theme::paint(m_forumBanner, QPalette::WindowText, theme::kYellow);
    m_forumBanner->setAlignment(Qt::AlignCenter);
    m_forumBanner->setGeometry(4, 2, clientWidth - 8, 22);
    connect(m_forumBanner, &LinkLabel::clicked, this, [this] { WebPages(m_platform.browser).openHomePage(); });
}

void BrandedWindow::addOffers(QFrame *strip, QRect rectangle, Qt::Alignment alignment)
{
    // Made in this order so that the full-branding offer lies in front.
    m_coBrandOffer = new LinkLabel(kCoBrandOffer, strip);
    m_fullBrandOffer = new LinkLabel(kFullBrandOffer, strip);
    m_coBrandOffer->setObjectName(QStringLiteral("coBrandOffer"));
    m_fullBrandOffer->setObjectName(QStringLiteral("fullBrandOffer"));
    for (LinkLabel *offer : {m_coBrandOffer, m_fullBrandOffer}) {
        offer->setFont(theme::verdana(8.25, true, true));
        theme::paint(offer, QPalette::WindowText, theme::kYellow);
        offer->setAutoFillBackground(true);
        offer->setAlignment(alignment);
        offer->setGeometry(rectangle);
    }
    connect(m_coBrandOffer, &LinkLabel::clicked, this, [this] { WebPages(m_platform.browser).openCoBrandPage(); });
    connect(m_fullBrandOffer, &LinkLabel::clicked, this, [this] { WebPages(m_platform.browser).openFullBrandPage(); });
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
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    add(help, "onlineHelpAction", QStringLiteral("&Online Help"), [this] { WebPages(m_platform.browser).openOnlineHelp(); })
        ->setShortcut(QKeySequence::HelpContents);
    add(help, "visitAction", QStringLiteral("&Visit Us Online"), [this] { WebPages(m_platform.browser).openHomePage(); });
    help->addSeparator();
    add(help, "updateAction", QStringLiteral("&Check for Software Update"),
        [this] { WebPages(m_platform.browser).openDownloadPage(); });
    help->addSeparator();
    add(help, "aboutAction", QStringLiteral("&About Software"), [this] { AboutDialog::showModal(m_platform, this); });
    QAction *makeMoney = menuBar()->addAction(QStringLiteral("Make Money &Online"), this,
                                              [this] { WebPages(m_platform.browser).openFullBrandPage(); });
    makeMoney->setObjectName(QStringLiteral("makeMoneyAction"));
    // Defined as not usable: shown greyed.
    makeMoney->setEnabled(false);
}

void BrandedWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit quitRequested();
}
