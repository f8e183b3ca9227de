// The program's own style: short drop-down lists and a visible focus mark on buttons.
#include "widgets/ProgramStyle.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <memory>

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

} // namespace
