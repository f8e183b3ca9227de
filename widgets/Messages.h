#pragma once
// The program's message boxes: modal, with the information icon and the program's title as
// caption, and plain text whose "\n" breaks the line.

class QString;

// An OK box; returns when the user has closed it.
void showMessage(const QString &text);

// A Yes/No box; true for Yes.
bool askYesNo(const QString &text);
