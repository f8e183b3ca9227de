#include "widgets/ProgramStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

ProgramStyle::ProgramStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                            QStyleHintReturn *returnData) const
{
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                      const QWidget *widget) const
{
    const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option);
    if (control != CC_ComboBox || !combo || combo->editable) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->save();
    const QRect frame = option->rect.adjusted(0, 0, -1, -1);
    painter->fillRect(option->rect, option->palette.color(QPalette::Button));
    painter->setPen(option->palette.color(QPalette::ButtonText));
    painter->drawRect(frame);
    QStyleOption arrow(*option);
    arrow.rect = subControlRect(CC_ComboBox, combo, SC_ComboBoxArrow, widget);
    proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
    if (option->state & State_HasFocus) {
        painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter->drawRect(frame.adjusted(2, 2, -2, -2));
    }
    painter->restore();
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && (option->state & State_HasFocus)) {
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter->drawRect(option->rect.adjusted(4, 4, -5, -5));
        painter->restore();
    }
}
