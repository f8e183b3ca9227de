#include "widgets/ClipboardGuard.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

void ClipboardGuard::emptyClipboard()
{
    // Emptying the clipboard can fail while another program holds it; that is harmless here.
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

ClipboardGuard::ClipboardGuard(QWidget *watched)
    : QObject(watched)
{
    watched->setMouseTracking(true);
    watched->installEventFilter(this);
}

bool ClipboardGuard::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        emptyClipboard();
        break;
    default:
        break;
    }
    return false;
}
