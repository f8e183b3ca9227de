#pragma once

// Where the command line's answers (--help, --version, a refused option) go. A Windows program
// built for the desktop has no console of its own: it writes to the console it was started from,
// if there is one. Elsewhere standard output and error are the terminal's already.
void useParentConsole();
