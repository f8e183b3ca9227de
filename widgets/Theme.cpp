#include "Theme.h"

#include "Platform.h"
#include "ProgramStyle.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

#include <memory>

// The icon lives in this static library, whose resources must be registered by hand. Each window
// registers them as it is set up; Qt keeps one registration of the same data.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace theme {

QFont verdana(double pointSize, bool bold, bool underline)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
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
    registerResources();
    window->setWindowTitle(kWindowTitle);
    window->setWindowIcon(QIcon(QStringLiteral(":/larkspire.png")));
    const Qt::WindowFlags type = window->windowFlags() & Qt::WindowType_Mask;
    window->setWindowFlags((type == Qt::Dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->setFont(verdana(8.25));
    QPalette palette = standardPalette();
    palette.setColor(QPalette::Window, kTurquoise);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void fixSize(QWidget *window, int width, int height)
{
    window->setFixedSize(width, height);
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

QFrame *darkStrip(QWidget *parent, int x, int y, int width, int height)
{
    auto *strip = new QFrame(parent);
    strip->setFrameShape(QFrame::NoFrame);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, kDarkGrey);
    strip->setPalette(palette);
    strip->setGeometry(x, y, width, height);
    return strip;
}

} // namespace theme
