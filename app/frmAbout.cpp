#include "frmAbout.h"

#include "LinkLabel.h"
#include "WindowLook.h"
#include "modHelp.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

using look::Px;

namespace {

QLabel *TextLabel(QWidget *parent, const QString &text, const QFont &font, const QColor &color, QRect twips)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setGeometry(Px(twips.x()), Px(twips.y()), Px(twips.width()), Px(twips.height()));
    return label;
}

} // namespace

frmAbout::frmAbout(Platform platform, QWidget *parent)
    : QDialog(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmAbout"));

    look::SetUpWindow(this);
    look::FixSize(this, Px(6075), Px(3585));
    auto *picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(QPixmap(QStringLiteral(":/larkspire.png")).scaled(Px(480), Px(480), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picIcon->setGeometry(Px(150), Px(150), Px(480), Px(480));
    picIcon->setAccessibleName(QStringLiteral("Larkspire icon"));

    TextLabel(this, kWindowTitle, look::Verdana(9.75, true), look::kDarkRed, {840, 240, 3450, 240})
        ->setObjectName(QStringLiteral("Label2"));
    TextLabel(this,
              QStringLiteral("Larkspire software is based on the occult significance of Kabala numerology. This "
                             "software derives the lucky number, lucky color, money number and health number for a "
                             "person which can be used positively for one's development."),
              look::Verdana(8.25), Qt::black, {210, 750, 5745, 975})
        ->setObjectName(QStringLiteral("Label1"));

    auto *lblHomePage = new LinkLabel(QStringLiteral("Click here to visit ") + pages::kHomePage, this);
    lblHomePage->setObjectName(QStringLiteral("lblHomePage"));
    lblHomePage->setWordWrap(false);
    lblHomePage->setFont(look::Verdana(8.25, false, true));
    QPalette maroon = lblHomePage->palette();
    maroon.setColor(QPalette::WindowText, look::kMaroon);
    lblHomePage->setPalette(maroon);
    lblHomePage->setGeometry(Px(1920), Px(1800), Px(4050), Px(195));
    connect(lblHomePage, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);

    // The offer wraps within the window's width, with the same margin on either side.
    TextLabel(this,
              QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. Get "
                             "this software fully branded for your website."),
              look::Verdana(8.25, true), Qt::black, {120, 2040, 6075 - 2 * 120, 675})
        ->setObjectName(QStringLiteral("Label3"));

    auto *lblCobrand = new LinkLabel(QStringLiteral(" Click here for more details."), this);
    lblCobrand->setObjectName(QStringLiteral("lblCobrand"));
    lblCobrand->setWordWrap(false);
    lblCobrand->setFont(look::Verdana(8.25, false, true));
    lblCobrand->setPalette(maroon);
    lblCobrand->setGeometry(Px(3600), Px(2760), Px(2415), Px(195));
    connect(lblCobrand, &LinkLabel::clicked, this, &frmAbout::lblCobrand_Click);

    auto *line2 = new QFrame(this);
    line2->setObjectName(QStringLiteral("Line2"));
    line2->setFrameShape(QFrame::HLine);
    line2->setFrameShadow(QFrame::Sunken);
    line2->setGeometry(Px(-60), Px(3120) - 1, Px(6150), 2);

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setFont(look::Verdana(8.25, true));
    look::GreyButton(cmdOK);
    // A few pixels above the bottom edge, between it and the line.
    cmdOK->setGeometry(Px(4680), Px(3180), Px(1260), Px(345));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdOK->setAccessibleName(QStringLiteral("OK"));
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    cmdOK->setFocus();
}

void frmAbout::ShowModal(Platform platform, QWidget *parent)
{
    frmAbout box(platform, parent);
    box.setWindowModality(Qt::ApplicationModal);
    look::Centre(&box);
    box.exec();
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::lblHomePage_Click()
{
    OpenHomePage(m_platform.browser);
}

void frmAbout::lblCobrand_Click()
{
    OpenFullBrandPage(m_platform.browser);
}
