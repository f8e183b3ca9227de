#pragma once

#include <QtGlobal>

// Where the command line's answers (--help, --version, a refused option, a start that failed) go.
// A Windows program built for the desktop has no console of its own: while a ParentConsole lives,
// standard output and error that the program was not given go to the console it was started
// from, if there is one, and the console is let go again when it ends. A program that holds on to
// its parent's console ends with it when that window is closed, so one is taken only for as long
// as there is something to print, never on a plain start. Elsewhere standard output and error are
// the terminal's already and nothing changes.
class ParentConsole final {
    Q_DISABLE_COPY_MOVE(ParentConsole)

public:
    ParentConsole();
    ~ParentConsole();

private:
    bool m_attached = false;
    bool m_reopenedOutput = false;
    bool m_reopenedError = false;
};
