#include "model/WebPages.h"

#include <QDesktopServices>
#include <QUrl>

void webpages::open(const QString &address)
{
    // Parsed strictly, never corrected: the address is used exactly as written.
    QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
}
