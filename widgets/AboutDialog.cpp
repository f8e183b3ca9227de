#include "AboutDialog.h"

#include "LinkLabel.h"
#include "Theme.h"
#include "WebPages.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>

using theme::px;

namespace {

QLabel *textLabel(QWidget *parent, const QString &text, const QFont &font, const QColor &color, QRect twips)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setGeometry(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    return label;
}

} // namespace

AboutDialog::AboutDialog(Platform platform, QWidget *parent)
    : QDialog(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("aboutDialog"));
    theme::setUpWindow(this);
    theme::fixSize(this, px(6075), px(3585));
    createControls();
    m_okButton->setFocus();
}

void AboutDialog::createControls()
{
    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setPixmap(QPixmap(QStringLiteral(":/larkspire.png")).scaled(px(480), px(480), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon->setGeometry(px(150), px(150), px(480), px(480));
    icon->setAccessibleName(QStringLiteral("Larkspire icon"));

    textLabel(this, kWindowTitle, theme::verdana(9.75, true), theme::kDarkRed, {840, 240, 3450, 240})
        ->setObjectName(QStringLiteral("versionLabel"));
    textLabel(this,
              QStringLiteral("Larkspire software is based on the occult significance of Kabala numerology. This "
                             "software derives the lucky number, lucky color, money number and health number for a "
                             "person which can be used positively for one's development."),
              theme::verdana(8.25), Qt::black, {210, 750, 5745, 975})
        ->setObjectName(QStringLiteral("descriptionLabel"));

    auto *homePageLink = new LinkLabel(QStringLiteral("Click here to visit ") + pages::kHomePage, this);
    homePageLink->setObjectName(QStringLiteral("homePageLink"));
    homePageLink->setWordWrap(false);
    homePageLink->setFont(theme::verdana(8.25, false, true));
    QPalette maroon = homePageLink->palette();
    maroon.setColor(QPalette::WindowText, theme::kMaroon);
    homePageLink->setPalette(maroon);
    homePageLink->setGeometry(px(1920), px(1800), px(4050), px(195));
    connect(homePageLink, &LinkLabel::clicked, this, [this] { WebPages(m_platform.browser).openHomePage(); });

    // The offer wraps within the window's width, with the same margin on either side.
    textLabel(this,
              QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. Get "
                             "this software fully branded for your website."),
              theme::verdana(8.25, true), Qt::black, {120, 2040, 6075 - 2 * 120, 675})
        ->setObjectName(QStringLiteral("offerLabel"));

    auto *detailsLink = new LinkLabel(QStringLiteral(" Click here for more details."), this);
    detailsLink->setObjectName(QStringLiteral("offerDetailsLink"));
    detailsLink->setWordWrap(false);
    detailsLink->setFont(theme::verdana(8.25, false, true));
    detailsLink->setPalette(maroon);
    detailsLink->setGeometry(px(3600), px(2760), px(2415), px(195));
    connect(detailsLink, &LinkLabel::clicked, this, [this] { WebPages(m_platform.browser).openFullBrandPage(); });

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("separatorLine"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(px(-60), px(3120) - 1, px(6150), 2);

    m_okButton = new QPushButton(QStringLiteral("&OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setFont(theme::verdana(8.25, true));
    theme::greyButton(m_okButton);
    // A few pixels above the bottom edge, between it and the line.
    m_okButton->setGeometry(px(4680), px(3180), px(1260), px(345));
    // The default and the cancel button at once: Enter and Escape close the box too.
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    m_okButton->setAccessibleName(QStringLiteral("OK"));
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    new QShortcut(QKeySequence::HelpContents, this, this, [this] { WebPages(m_platform.browser).openOnlineHelp(); });
}

void AboutDialog::showModal(Platform platform, QWidget *parent)
{
    AboutDialog box(platform, parent);
    box.setWindowModality(Qt::ApplicationModal);
    theme::centre(&box);
    box.exec();
}
