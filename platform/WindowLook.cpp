#include "WindowLook.h"

#include "Platform.h"

#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

// The icon lives in this static library; its resources must be registered by hand.
static void RegisterResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)registered;
}

namespace look {

QFont Verdana(double pointSize, bool bold, bool underline)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

void SetUpWindow(QWidget *window)
{
    RegisterResources();
    window->setWindowTitle(kWindowTitle);
    window->setWindowIcon(QIcon(QStringLiteral(":/larkspire.png")));
    const Qt::WindowFlags type = window->windowFlags() & Qt::WindowType_Mask;
    window->setWindowFlags((type == Qt::Dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->setFont(Verdana(8.25));
    Paint(window, QPalette::Window, kTurquoise);
    window->setAutoFillBackground(true);
}

void FixSize(QWidget *window, int width, int height)
{
    window->setFixedSize(width, height);
}

void Paint(QWidget *widget, QPalette::ColorRole role, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

void UseFormColours(QWidget *window)
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

void UseSystemColours(QWidget *widget)
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

void GreyButton(QWidget *button)
{
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, kLightGrey);
    palette.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(palette);
}

void Centre(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QFrame *Strip(QWidget *parent, int x, int y, int width, int height)
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

} // namespace look
