#include "Theme.h"

#include "Platform.h"

#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

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
    paint(window, QPalette::Window, kTurquoise);
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

void useSystemColours(QWidget *widget)
{
    const QPalette system = QGuiApplication::palette();
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setColor(g, r, system.color(g, r));
        }
    }
    widget->setPalette(palette);
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
