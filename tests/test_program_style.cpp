// The program's own style: short drop-down lists, a visible focus mark on buttons, one palette for
// each set of colours whichever widget is drawn, and its own pictures; and one icon for all windows.
#include "widgets/ProgramStyle.h"
#include "widgets/Theme.h"

#include <QAbstractItemView>
#include <QCommonStyle>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

TEST(ProgramStyle, AListOpensAsAShortScrollingList)
{
    ProgramStyle style;
    QWidget window;
    auto *years = new QComboBox(&window);
    years->setStyle(&style);
    years->setMaxVisibleItems(12);
    for (int year = 1900; year <= 2999; ++year)
        years->addItem(QString::number(year));
    window.show();
    years->showPopup();
    QWidget *popup = years->view()->window();
    EXPECT_TRUE(popup->isVisible());
    EXPECT_LE(popup->height(), 14 * years->view()->sizeHintForRow(0)) << "the list opens the height of the screen";
    years->hidePopup();
}

TEST(ProgramStyle, AFocusedButtonCarriesAMarkOfItsOwn)
{
    ProgramStyle style;
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QPushButton button("&OK");
    button.resize(84, 23);
    const auto drawn = [&](const QStyle &with) {
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        option.state |= QStyle::State_HasFocus;
        QImage image(button.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        with.drawControl(QStyle::CE_PushButton, &option, &painter, &button);
        return image;
    };
    EXPECT_NE(drawn(style), drawn(*fusion));
}

// A base style that records the palette of every control it is asked to draw, in order.
class PaletteRecorder final : public QCommonStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        drawn.push_back(option->palette);
        QCommonStyle::drawPrimitive(element, option, painter, widget);
    }
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        drawn.push_back(option->palette);
        QCommonStyle::drawControl(element, option, painter, widget);
    }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override
    {
        drawn.push_back(option->palette);
        QCommonStyle::drawComplexControl(control, option, painter, widget);
    }

    mutable std::vector<QPalette> drawn;
};

// A window made as the report is made (its own look, a grey button, a pale box with a scroll bar)
// and drawn once: the palettes the base style was handed.
std::vector<QPalette> DrawnPalettes(ProgramStyle &style, PaletteRecorder &recorder, const QColor &buttonColour)
{
    QWidget window;
    theme::setUpWindow(&window);
    auto *button = new QPushButton(QStringLiteral("&Save"), &window);
    theme::greyButton(button);
    theme::paint(button, QPalette::Button, buttonColour);
    button->resize(75, 23);
    auto *box = new QTextEdit(&window);
    theme::paint(box, QPalette::Base, theme::kPaleCyan);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->resize(200, 100);
    button->setStyle(&style);
    box->verticalScrollBar()->setStyle(&style);
    recorder.drawn.clear();
    button->grab();
    box->verticalScrollBar()->grab();
    return recorder.drawn;
}

TEST(ProgramStyle, ControlsOfTheSameColoursInWindowsMadeOneAfterAnotherAreDrawnWithOnePalette)
{
    // Fusion names its cached pictures after the palette's cache key: a window opened again must
    // hand it the same palettes, not a new one per widget, or every opening adds pictures.
    ProgramStyle style;
    auto *recorder = new PaletteRecorder;
    style.setBaseStyle(recorder);
    const std::vector<QPalette> first = DrawnPalettes(style, *recorder, theme::kLightGrey);
    const std::vector<QPalette> second = DrawnPalettes(style, *recorder, theme::kLightGrey);
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].cacheKey(), second[i].cacheKey()) << "control drawn " << i;
        EXPECT_EQ(first[i], second[i]);
    }
    EXPECT_EQ(first.front().color(QPalette::Button), theme::kLightGrey);

    // Other colours are another palette, drawn as they are.
    const std::vector<QPalette> other = DrawnPalettes(style, *recorder, theme::kTurquoise);
    ASSERT_FALSE(other.empty());
    EXPECT_NE(other.front().cacheKey(), first.front().cacheKey());
    EXPECT_EQ(other.front().color(QPalette::Button), theme::kTurquoise);
}

// A value as Fusion writes it into the names of its cached pictures (Qt 6.4's HexString): each
// byte, low digit first.
template <class T>
QString Hex(T value)
{
    static const char digits[] = "0123456789abcdef";
    QString hex;
    const auto *bytes = reinterpret_cast<const unsigned char *>(&value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        hex += QLatin1Char(digits[bytes[i] & 0xf]);
        hex += QLatin1Char(digits[bytes[i] >> 4]);
    }
    return hex;
}

TEST(ProgramStyle, FusionNamesItsPicturesAfterThePalettesCacheKey)
{
    // What the one palette for each set of colours answers: when this fails, Fusion no longer names
    // its pictures so, and the shared palettes may go.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QStyleOption arrow;
    arrow.rect = QRect(0, 0, 14, 8);
    arrow.state = QStyle::State_Enabled;
    arrow.palette = theme::standardPalette();
    const auto name = [&arrow] {
        QColor colour = arrow.palette.windowText().color();
        colour.setAlpha(160);
        return QStringLiteral("fusion-arrow") + Hex<uint>(arrow.state) + Hex<uint>(arrow.direction) + Hex<uint>(0)
            + Hex<quint64>(arrow.palette.cacheKey()) + Hex<uint>(14) + Hex<uint>(8) + Hex<uint>(Qt::DownArrow)
            + Hex<uint>(colour.rgba());
    };
    QImage image(14, 8, QImage::Format_ARGB32);
    QPainter painter(&image);
    QPixmapCache::clear();
    QPixmap cached;
    fusion->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter);
    EXPECT_TRUE(QPixmapCache::find(name(), &cached));

    // The same colours set again are a palette of another key, whose pictures Fusion keeps apart.
    const QPalette first = arrow.palette;
    arrow.palette.setColor(QPalette::Window, Qt::red);
    arrow.palette.setColor(QPalette::Window, first.color(QPalette::Window));
    ASSERT_EQ(arrow.palette, first);
    ASSERT_NE(arrow.palette.cacheKey(), first.cacheKey());
    EXPECT_FALSE(QPixmapCache::find(name(), &cached));
    fusion->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter);
    EXPECT_TRUE(QPixmapCache::find(name(), &cached));
}

TEST(ProgramStyle, TheMenuBarsExtensionButtonHasTheProgramsOwnPictures)
{
    ProgramStyle style;
    const QIcon icon = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{8, 8}, {16, 16}, {32, 32}}));
}

TEST(Theme, WindowsMadeOneAfterAnotherShareOneIconAndItsPictures)
{
    // The windowing system asks each new window's icon for its pictures, which Qt caches under the
    // icon's own pictures: a new icon per window would add pictures at every opening.
    theme::useProgramIcon();
    QWidget first;
    theme::setUpWindow(&first);
    QWidget second;
    theme::setUpWindow(&second);
    ASSERT_FALSE(first.windowIcon().isNull());
    EXPECT_EQ(first.windowIcon().cacheKey(), second.windowIcon().cacheKey());
    const QPixmap picture = first.windowIcon().pixmap(QSize(32, 32));
    EXPECT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(picture.cacheKey(), second.windowIcon().pixmap(QSize(32, 32)).cacheKey());
}

} // namespace
