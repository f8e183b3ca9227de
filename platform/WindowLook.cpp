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

void SetUpWindow(QWidget *window, int clientWidth, int clientHeight)
{
    RegisterResources();
    window->setWindowTitle(kWindowTitle);
    window->setWindowIcon(QIcon(QStringLiteral(":/larkspire.png")));
    const Qt::WindowFlags type = window->windowFlags() & Qt::WindowType_Mask;
    window->setWindowFlags((type == Qt::Dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->setFont(Verdana(8.25));
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kTurquoise);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFixedSize(clientWidth, clientHeight);
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

QString FormStyleSheet()
{
    return QStringLiteral(
        "QWidget#client, QGroupBox, QFrame#Frame1 { background-color: rgb(48,194,191); }"
        "QLineEdit, QComboBox, QPlainTextEdit { background-color: rgb(48,194,191); color: rgb(64,0,0); }"
        "QComboBox QAbstractItemView { background-color: rgb(48,194,191); color: rgb(64,0,0);"
        " selection-background-color: rgb(64,0,0); selection-color: rgb(48,194,191); }"
        "QGroupBox { font-weight: bold; border: 1px solid rgb(64,0,0); margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: rgb(255,255,0); }"
        "QPushButton { background-color: rgb(192,192,192); font-weight: bold; padding: 2px; }");
}

} // namespace look
