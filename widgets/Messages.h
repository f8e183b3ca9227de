#pragma once
// The program's message boxes: modal, with the program's title as caption, and plain text whose
// "\n" breaks the line. A failure is told with the warning icon, everything else with the
// information icon.

class QString;

// An OK box; returns when the user has closed it.
void showMessage(const QString &text);

// An OK box that tells of a failure; returns when the user has closed it.
void showWarning(const QString &text);

// A Yes/No box; true for Yes.
bool askYesNo(const QString &text);
