#include "widgets/Theme.h"

#include "model/Product.h"
#include "widgets/ProgramStyle.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

#include <memory>

namespace theme {

QFont font(int styles, double points)
{
    QFont font(kFontFamily);
    font.setPointSizeF(points);
    font.setBold(styles & Bold);
    font.setUnderline(styles & Underlined);
    return font;
}

void place(QWidget *control, Twips rect)
{
    control->setGeometry(pixels(rect));
}

QPalette standardPalette()
{
    // Every colour of every group is set, so that nothing of the desktop's colour scheme shows
    // through where a window leaves a colour alone.
    static const QPalette complete = [] {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        const QPalette light = fusion->standardPalette();
        QPalette palette;
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto g = static_cast<QPalette::ColorGroup>(group);
                const auto r = static_cast<QPalette::ColorRole>(role);
                palette.setColor(g, r, light.color(g, r));
            }
        }
        return palette;
    }();
    return complete;
}

void useProgramStyle()
{
    QApplication::setStyle(new ProgramStyle);
    QApplication::setPalette(standardPalette());
}

void setUpWindow(QWidget *window)
{
    window->setWindowTitle(kWindowTitle);
    window->setWindowIcon(QIcon(QStringLiteral(":/larkspire.png")));
    const Qt::WindowFlags type = window->windowFlags() & Qt::WindowType_Mask;
    window->setWindowFlags((type == Qt::Dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->setFont(font());
    QPalette palette = standardPalette();
    palette.setColor(QPalette::Window, kTurquoise);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void paint(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

void useFormColours(QWidget *window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Base, kTurquoise);
    palette.setColor(QPalette::Text, kDarkRed);
    palette.setColor(QPalette::Button, kTurquoise);
    palette.setColor(QPalette::ButtonText, kDarkRed);
    palette.setColor(QPalette::Highlight, kDarkRed);
    palette.setColor(QPalette::HighlightedText, kTurquoise);
    window->setPalette(palette);
}

void useStandardColours(QWidget *widget)
{
    widget->setPalette(standardPalette());
}

void greyButton(QWidget *button)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, kLightGrey);
    palette.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(palette);
}

void centre(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QFrame *darkStrip(QWidget *parent, Twips rect)
{
    auto *strip = new QFrame(parent);
    strip->setFrameShape(QFrame::NoFrame);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, kDarkGrey);
    strip->setPalette(palette);
    place(strip, rect);
    return strip;
}

} // namespace theme
