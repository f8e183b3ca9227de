#pragma once
// What a screen reader learns of the program's own widgets: every LinkLabel is a link it can
// press, and a TabStrip is a list of page tabs of which the current one is selected, and focused
// only while the strip itself has the keyboard focus. A line edit answers every question about its
// text at once, whatever the offset and the boundary asked for; a spin box speaks for its own.

// Makes Qt's accessibility use the program's own descriptions of these widgets. Called once at
// start, before any window is shown.
void installAccessibility();
