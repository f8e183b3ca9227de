#include "widgets/Theme.h"

#include "model/Product.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace theme {

QFont font(int styles, double points)
{
    QFont font(kFontFamily);
    font.setPointSizeF(points);
    font.setBold(styles & Bold);
    font.setUnderline(styles & Underlined);
    return font;
}

QPixmap pngPixmap(const QString &resource)
{
    // The format is known: reading it so keeps Qt from loading every image plug-in to ask whether
    // it can read the file, as it does for an image of unnamed format.
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QPixmap programIcon()
{
    return pngPixmap(QStringLiteral(":/larkspire.png"));
}

void place(QWidget *control, Twips rect)
{
    control->setGeometry(pixels(rect));
}

QPalette standardPalette()
{
    // Fusion's light colours, fixed: Fusion's own palette turns dark with a dark desktop theme.
    // Every colour of every group is set, so that nothing of the desktop's colour scheme shows
    // through where a window leaves a colour alone.
    static const QPalette complete = [] {
        const QColor window(239, 239, 239);
        const QColor mid = window.darker(130);
        const QColor dark = window.darker(150);
        const QColor shadow = dark.darker(135);
        const QColor disabledText(190, 190, 190);
        QPalette light(Qt::black, window, window.lighter(150), dark, mid, Qt::black, Qt::white);
        light.setColor(QPalette::Midlight, mid.lighter(110));
        light.setColor(QPalette::Button, window);
        light.setColor(QPalette::Shadow, shadow);
        light.setColor(QPalette::HighlightedText, Qt::white);
        light.setColor(QPalette::Disabled, QPalette::Text, disabledText);
        light.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
        light.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
        light.setColor(QPalette::Disabled, QPalette::Base, window);
        light.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
        light.setColor(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
        light.setColor(QPalette::Active, QPalette::Highlight, QColor(48, 140, 198));
        light.setColor(QPalette::Inactive, QPalette::Highlight, QColor(48, 140, 198));
        light.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
        light.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
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

void setUpWindow(QWidget *window)
{
    window->setWindowTitle(kWindowTitle);
    // Every window shares the title; its role, the one name the windowing system shows that tells
    // the windows apart, is its object name.
    window->setWindowRole(window->objectName());
    // Every window shares the application's one icon. An icon made for each window would have
    // pictures of its own, which the windowing system's icon sizes would add to Qt's pixmap cache
    // at every opening of a window.
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(QIcon(programIcon()));
    window->setWindowIcon(QApplication::windowIcon());
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

QPushButton *greyButton(QWidget *parent, const char *name, const QString &caption, const QString &spoken,
                        const QFont &font, Twips rect)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(spoken);
    button->setFont(font);
    button->setAutoDefault(false);
    greyButton(button);
    place(button, rect);
    return button;
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
    paint(strip, QPalette::Window, kDarkGrey);
    place(strip, rect);
    return strip;
}

} // namespace theme
