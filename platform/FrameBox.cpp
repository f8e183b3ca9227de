#include "FrameBox.h"

#include "WindowLook.h"

#include <QPainter>

FrameBox::FrameBox(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_caption(caption)
    , m_captionFont(look::Verdana(8.25, true))
{
    setAccessibleName(caption);
}

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(m_captionFont);
    const int top = metrics.height() / 2;
    painter.setPen(look::kDarkRed);
    painter.drawRect(0, top, width() - 1, height() - top - 1);
    const QRect text(8, 0, metrics.horizontalAdvance(m_caption) + 6, metrics.height());
    painter.fillRect(text, palette().color(QPalette::Window));
    painter.setFont(m_captionFont);
    painter.setPen(look::kYellow);
    painter.drawText(text, Qt::AlignCenter, m_caption);
}
