#pragma once

#include <QObject>

// Empties the clipboard on every mouse press, release, double click and move over the widget it
// watches. The description boxes and the report box use it, so that text copied out of them does
// not stay on the clipboard once the mouse is back over them.
class ClipboardGuard final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClipboardGuard)

public:
    // Watches the widget and lives as long as it does.
    explicit ClipboardGuard(QWidget *watched);

    // Empties the system clipboard, whatever it holds and whichever program put it there.
    static void emptyClipboard();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
