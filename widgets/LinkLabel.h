#pragma once

#include "widgets/Theme.h"

#include <QLabel>

// A label that acts as a link: a pointing hand over it, a click (left button released over it)
// emits clicked(). It never takes the keyboard focus; a screen reader finds it as a link whose
// press action clicks it.
class LinkLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinkLabel)

public:
    LinkLabel(const QString &text, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

// A link label at its rectangle of a window's design, with its object name, font and alignment.
LinkLabel *placedLink(QWidget *parent, const char *name, const QString &text, const QFont &font,
                      Qt::Alignment alignment, theme::Twips rect);

// The two promotional offers, each a link to its page, bold and underlined in the given colour on
// an opaque background, lying one on top of the other at one rectangle of a window's design; the
// full-branding offer is in front until the other is raised.
struct Offers {
    LinkLabel *coBrand;
    LinkLabel *fullBrand;
};
Offers placedOffers(QWidget *parent, theme::Twips rect, const QColor &colour, Qt::Alignment alignment);
