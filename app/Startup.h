#pragma once
// The program's start: refuse a second copy, seed the random generator, load and show the input
// form, and pick which of its two promotional labels is in front.

#include "Platform.h"

#include <cstdint>

class frmMain;

// The number CoBrand_Randomize drew, 1 to 6; kept for the rest of the run.
extern std::int16_t intCoBrandRandomNumber;

// Brings lblCobrand to the front for 1, 3 or 5 and lblFullBrand for 2, 4 or 6.
void CoBrand_Randomize(frmMain &form, RandomSource &random);

// Runs the start-up steps. Returns the input form, or nothing when another copy is running (the
// user has then been told, and the program should end without showing a window).
frmMain *StartProgram(Platform platform, InstanceLock &instance);
