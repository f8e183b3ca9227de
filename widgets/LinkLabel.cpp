#include "widgets/LinkLabel.h"

#include "model/Product.h"
#include "model/WebPages.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAccessibleName(text);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

LinkLabel *placedLink(QWidget *parent, const char *name, const QString &text, const QFont &font,
                      Qt::Alignment alignment, theme::Twips rect)
{
    auto *link = new LinkLabel(text, parent);
    link->setObjectName(QLatin1String(name));
    link->setFont(font);
    link->setAlignment(alignment);
    theme::place(link, rect);
    return link;
}

Offers placedOffers(QWidget *parent, theme::Twips rect, const QColor &colour, Qt::Alignment alignment)
{
    // Made in this order so that the full-branding offer lies in front.
    const QFont font = theme::font(theme::Bold | theme::Underlined);
    const Offers offers{placedLink(parent, "coBrandOffer", kCoBrandOffer, font, alignment, rect),
                        placedLink(parent, "fullBrandOffer", kFullBrandOffer, font, alignment, rect)};
    for (LinkLabel *offer : {offers.coBrand, offers.fullBrand}) {
        theme::paint(offer, QPalette::WindowText, colour);
        offer->setAutoFillBackground(true);
    }
    QObject::connect(offers.coBrand, &LinkLabel::clicked, offers.coBrand, &webpages::openCoBrandPage);
    QObject::connect(offers.fullBrand, &LinkLabel::clicked, offers.fullBrand, &webpages::openFullBrandPage);
    return offers;
}
