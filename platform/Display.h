#pragma once

#include <functional>
#include <string>

// The display the program's windows go to, as far as the command line can tell before Qt starts.
namespace display {

// Why no window can be shown, for a start that chose no Qt platform of its own: the variables
// that name the system's displays are all unset; in words that follow the program's name, which
// the caller puts before them ("... needs a graphical display: ..."). Empty when there is a
// display to try.
std::string missingReason();

// The display a start would use, for the one line that says it could not be reached: the value
// of a -display option when one was given, otherwise the system's display variables; or, when a
// Qt platform plug-in other than the system's own was chosen (by -platform or QT_QPA_PLATFORM),
// the display of that plug-in. A display whose variable is not set is named by that
// ("the X display (DISPLAY is not set)").
std::string describe(const std::string &displayOption, const std::string &platform);

// Why the Qt platform plug-in chosen (by -platform or QT_QPA_PLATFORM: names separated by ";",
// each with its options after a ":") cannot be had, found before Qt starts, in lines that follow
// the one describe() names the display in. Empty when one of the plug-ins named may be there (and
// Qt is left to load it and say what fails), and wherever Qt says it all itself.
std::string missingPlatform(const std::string &platform);

// The Qt platform plug-in a reading without windows lays its report out on: one that needs no
// display and draws with the system's fonts.
const char *readingPlatform();

// Calls start, which makes the QGuiApplication of a reading on readingPlatform(), so that the
// application touches no runtime folder of the user's (see the system's implementation); the
// environment is as it was when start returns.
void startReadingPlatform(const std::function<void()> &start);

} // namespace display
