#include "widgets/AboutDialog.h"

#include "model/Product.h"
#include "model/WebPages.h"
#include "widgets/LinkLabel.h"
#include "widgets/Theme.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>

using theme::Twips;

namespace {

// The box's design, in twips. The offer wraps within the box's width, with the same margin on
// either side; OK stands a few pixels above the bottom edge, between it and the line.
constexpr struct {
    QSize client{6075, 3585};
    Twips icon{150, 150, 480, 480};
    Twips version{840, 240, 3450, 240};
    Twips description{210, 750, 5745, 975};
    Twips homePageLink{1920, 1800, 4050, 195};
    Twips offer{120, 2040, 5835, 675};
    Twips offerDetailsLink{3600, 2760, 2415, 195};
    Twips line{-60, 3105, 6150, 30};
    Twips okButton{4680, 3180, 1260, 345};
} kLayout;

QLabel *textLabel(QWidget *parent, const char *name, const QString &text, const QFont &font, const QColor &color,
                  Twips rect)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    theme::paint(label, QPalette::WindowText, color);
    theme::place(label, rect);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    theme::setUpWindow(this);
    // The title is the program's, as on every window: this tells a listener which window it is.
    setAccessibleDescription(QStringLiteral("About ") + kProductName);
    setFixedSize(theme::pixels(kLayout.client.width()), theme::pixels(kLayout.client.height()));
    createControls();
    m_okButton->setFocus();
}

void AboutDialog::createControls()
{
    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    const QRect iconRect = theme::pixels(kLayout.icon);
    icon->setPixmap(theme::programIcon().scaled(iconRect.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon->setGeometry(iconRect);
    icon->setAccessibleName(kProductName + QStringLiteral(" icon"));

    textLabel(this, "versionLabel", kWindowTitle, theme::font(theme::Bold, theme::kLargePoints), theme::kDarkRed,
              kLayout.version);
    textLabel(this, "descriptionLabel",
              kProductName
                  + QStringLiteral(" software is based on the occult significance of Kabala numerology. This "
                                   "software derives the lucky number, lucky color, money number and health number for a "
                                   "person which can be used positively for one's development."),
              theme::font(), Qt::black, kLayout.description);
    const QFont linkFont = theme::font(theme::Underlined);
    const Qt::Alignment linkAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    auto *homePageLink = placedLink(this, "homePageLink", QStringLiteral("Click here to visit ") + webpages::kHomePage,
                                    linkFont, linkAlignment, kLayout.homePageLink);
    connect(homePageLink, &LinkLabel::clicked, this, &webpages::openHomePage);
    textLabel(this, "offerLabel", kFullBrandPitch, theme::font(theme::Bold), Qt::black, kLayout.offer);
    auto *detailsLink = placedLink(this, "offerDetailsLink", QLatin1Char(' ') + kMoreDetails, linkFont, linkAlignment,
                                   kLayout.offerDetailsLink);
    connect(detailsLink, &LinkLabel::clicked, this, &webpages::openFullBrandPage);
    for (LinkLabel *link : {homePageLink, detailsLink}) {
        link->setWordWrap(false);
        theme::paint(link, QPalette::WindowText, theme::kMaroon);
    }

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("separatorLine"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    theme::place(line, kLayout.line);

    m_okButton = new QPushButton(QStringLiteral("&OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setFont(theme::font(theme::Bold));
    theme::greyButton(m_okButton);
    theme::place(m_okButton, kLayout.okButton);
    // The default and the cancel button at once: Enter and Escape close the box too.
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    m_okButton->setAccessibleName(QStringLiteral("OK"));
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    new QShortcut(QKeySequence::HelpContents, this, this, &webpages::openOnlineHelp);
}

void AboutDialog::showModal(QWidget *parent)
{
    AboutDialog box(parent);
    box.setWindowModality(Qt::ApplicationModal);
    theme::centre(&box);
    box.exec();
}
