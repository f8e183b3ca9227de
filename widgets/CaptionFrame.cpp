#include "widgets/CaptionFrame.h"

#include "widgets/Theme.h"

#include <QPainter>

CaptionFrame::CaptionFrame(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_caption(caption)
    , m_captionFont(theme::font(theme::Bold))
{
    setAccessibleName(caption);
}

void CaptionFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(m_captionFont);
    const int top = metrics.height() / 2;
    painter.setPen(theme::kDarkRed);
    painter.drawRect(0, top, width() - 1, height() - top - 1);
    const QRect text(8, 0, metrics.horizontalAdvance(m_caption) + 6, metrics.height());
    painter.fillRect(text, palette().color(QPalette::Window));
    painter.setFont(m_captionFont);
    painter.setPen(theme::kYellow);
    painter.drawText(text, Qt::AlignCenter, m_caption);
}
