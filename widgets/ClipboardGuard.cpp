#include "ClipboardGuard.h"

#include "Platform.h"

#include <QEvent>
#include <QWidget>

ClipboardGuard::ClipboardGuard(QWidget *watched, Clipboard &clipboard)
    : QObject(watched)
    , m_clipboard(clipboard)
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
        m_clipboard.clear();
        break;
    default:
        break;
    }
    return false;
}
