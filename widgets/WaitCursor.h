#pragma once

#include <QGuiApplication>

// Shows the wait cursor over the whole program for as long as it lives: for work that may take a
// while on the event loop's own thread, such as writing or printing a long report.
class WaitCursor final {
    Q_DISABLE_COPY_MOVE(WaitCursor)

public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};
