#pragma once
// The six results of a reading from a person's details.

#include "engine/Records.h"

namespace numerology {

// The lucky colour of a first name's number; every number outside 1 to 21 gives "Greenish Blue".
std::string_view colorOfNumber(std::int16_t number);

// The reading of one person. Minute and second of birth take no part in it.
Interpretation computeInterpretation(const PersonDetails &person);

} // namespace numerology
