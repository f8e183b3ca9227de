#pragma once
// The link behaviour of the report box: while the report window is open, web addresses in its
// text are shown as links (on screen only: not in the saved file or the printout), a pointing
// hand shows over them, and a left-button press on one opens exactly that address once.

class BrowserOpener;
class QTextEdit;
class QWidget;

// Sets up the link behaviour for the report box of the report window. At most one is in place.
void HookReportLinks(QTextEdit *reportBox, QWidget *reportWindow, BrowserOpener &browser);

// Removes it. Does nothing when none is in place.
void UnhookReportLinks();

// Whether the link behaviour is in place.
bool ReportLinksHooked();
