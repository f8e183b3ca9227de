#include "widgets/ProgramStyle.h"

#include "widgets/Theme.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace {

// The palette a control of these colours is drawn with: the same one of palettes, and so the same
// cache key, for equal colours, whichever widget the colours come from.
QPalette sharedPalette(std::vector<QPalette> &palettes, const QPalette &palette)
{
    // The program's windows use a handful of palettes; past this many, a palette is used as it is.
    constexpr std::size_t kMostPalettes = 64;
    auto found = std::find(palettes.cbegin(), palettes.cend(), palette);
    if (found == palettes.cend()) {
        if (palettes.size() == kMostPalettes)
            return palette;
        palettes.push_back(palette);
        found = palettes.cend() - 1;
    }
    QPalette shared = *found;
    // Which group is current (active, inactive, disabled) is the widget's own and no part of the
    // palette's cache key.
    shared.setCurrentColorGroup(palette.currentColorGroup());
    return shared;
}

// Calls draw with a copy of the option drawn with the shared palette of its colours when the
// option is of the kind Kind, exactly (a copy of a later version would lose its extra fields).
template <class Kind, class Draw>
bool drawnShared(std::vector<QPalette> &palettes, const QStyleOption *option, const Draw &draw)
{
    if (!option || option->type != Kind::Type || option->version != Kind::Version)
        return false;
    Kind shared(*static_cast<const Kind *>(option));
    shared.palette = sharedPalette(palettes, option->palette);
    draw(&shared);
    return true;
}

// Draws with the shared palette for the kinds of option whose pictures Fusion caches by palette
// in the program's windows (buttons, scroll bars, and the plain options of arrows), with the
// option as it is for any other.
template <class Draw>
void drawWithSharedPalette(std::vector<QPalette> &palettes, const QStyleOption *option, const Draw &draw)
{
    if (!drawnShared<QStyleOptionButton>(palettes, option, draw)
        && !drawnShared<QStyleOptionSlider>(palettes, option, draw)
        && !drawnShared<QStyleOption>(palettes, option, draw))
        draw(option);
}

// The menu bar extension button's pictures, read when they are first asked for. Every menu bar
// makes the button at once, and it shows only when the bar is too narrow for its menus, which in
// the program's fixed windows it never is.
class ExtensionIconEngine final : public QIconEngine {
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        pictures().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return pictures().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return pictures().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return pictures().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new ExtensionIconEngine; }

private:
    const QIcon &pictures()
    {
        if (m_pictures.isNull()) {
            for (const char *size : {"8", "16", "32"})
                m_pictures.addPixmap(
                    theme::pngPixmap(QStringLiteral(":/menubar-extension-%1.png").arg(QLatin1String(size))));
        }
        return m_pictures;
    }

    QIcon m_pictures;
};

} // namespace

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

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    drawWithSharedPalette(m_palettes, option, [&](const QStyleOption *shared) {
        QProxyStyle::drawPrimitive(element, shared, painter, widget);
    });
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                      const QWidget *widget) const
{
    const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option);
    if (control != CC_ComboBox || !combo || combo->editable) {
        drawWithSharedPalette(m_palettes, option, [&](const QStyleOption *shared) {
            QProxyStyle::drawComplexControl(control, static_cast<const QStyleOptionComplex *>(shared), painter, widget);
        });
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

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    return QIcon(new ExtensionIconEngine);
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    drawWithSharedPalette(m_palettes, option, [&](const QStyleOption *shared) {
        QProxyStyle::drawControl(element, shared, painter, widget);
    });
    if (element == CE_PushButton && (option->state & State_HasFocus)) {
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter->drawRect(option->rect.adjusted(4, 4, -5, -5));
        painter->restore();
    }
}

void theme::useProgramStyle()
{
    QApplication::setStyle(new ProgramStyle);
    QApplication::setPalette(standardPalette());
}
