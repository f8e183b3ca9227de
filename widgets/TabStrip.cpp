#include "widgets/TabStrip.h"

#include <QStyleOptionTab>
#include <QStylePainter>

TabStrip::TabStrip(QWidget *parent)
    : QTabBar(parent)
{
    setDrawBase(true);
    setExpanding(true);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    // Qt tells a screen reader of the tab that takes the selection (and the focus, with the strip's);
    // the tab that loses the selection is told here. Qt 6.4.2's QTabBar::setCurrentIndex tells of
    // the new tab alone; no released Qt is known to tell of the other, and no report of it was found
    // in Qt's tracker (the AT-SPI walk's tab-events, tests/e2e/accessibility.sh, fails without this).
    connect(this, &QTabBar::currentChanged, this, [this](int index) {
        tellScreenReaders(m_current, QAccessible::SelectionRemove);
        m_current = index;
    });
}

void TabStrip::tellScreenReaders(int index, QAccessible::Event type)
{
    if (index < 0 || index >= count() || !QAccessible::isActive())
        return;
    QAccessibleEvent event(this, type);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

void TabStrip::focusInEvent(QFocusEvent *event)
{
    QTabBar::focusInEvent(event);
    // The focus lies with the current tab.
    tellScreenReaders(currentIndex(), QAccessible::Focus);
}

QString TabStrip::wrapped(const QString &caption)
{
    const qsizetype middle = caption.size() / 2;
    qsizetype best = -1;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char(' ') && (best < 0 || qAbs(i - middle) < qAbs(best - middle)))
            best = i;
    }
    if (best < 0)
        return caption;
    QString wrapped = caption;
    wrapped[best] = QLatin1Char('\n');
    return wrapped;
}

QSize TabStrip::tabSizeHint(int index) const
{
    const QSize text = fontMetrics().size(0, wrapped(tabText(index)));
    return {text.width() + 10, text.height() + 8};
}

void TabStrip::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    const auto drawTab = [&](int i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        QRect text = option.rect.adjusted(2, 2, -2, -1);
        if (i == currentIndex())
            text.translate(0, -1);
        painter.setPen(palette().color(isTabEnabled(i) ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        painter.drawText(text, Qt::AlignCenter, wrapped(tabText(i)));
        if ((option.state & QStyle::State_HasFocus) && i == currentIndex()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = text.adjusted(2, 1, -2, -1);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    };
    for (int i = 0; i < count(); ++i) {
        if (i != currentIndex())
            drawTab(i);
    }
    if (currentIndex() >= 0)
        drawTab(currentIndex());
}
