#include "EndProgram.h"

#include "Platform.h"

#include <QApplication>
#include <QWidget>

void EndProgram(ProcessControl &process)
{
    // Windows are hidden and released rather than closed, so that unloading the input form or
    // the viewer here does not start the shutdown again.
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        window->hide();
        window->deleteLater();
    }
    process.endProcess();
}
