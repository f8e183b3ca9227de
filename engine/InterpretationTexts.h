#pragma once
// The catalogue of description texts and the choice of the six texts of a reading.

#include "engine/Records.h"

namespace numerology {

// The six texts of a reading, each with CR LF in front. The texts view the catalogue's constants.
InterpretationTexts describeInterpretation(const Interpretation &reading);

} // namespace numerology
