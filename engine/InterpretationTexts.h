#pragma once
// The catalogue of description texts and the choice of the six texts of a reading.

#include "engine/Records.h"

namespace numerology {

// The two sentences that every reading gets, whatever its numbers.
extern const std::string_view kLuckyNumberSentence;
extern const std::string_view kLuckyColorSentence;

// The money text of a key 1 to 22; none for any other number. One paragraph, no line break.
std::optional<std::string_view> moneyText(std::int16_t key);

// The health text of a key 1 to 22 (15 shares the text of 12, 18 that of 8); none otherwise.
std::optional<std::string_view> healthText(std::int16_t key);

// The six texts of a reading, each with CR LF in front. The texts view the catalogue's constants.
InterpretationTexts describeInterpretation(const Interpretation &reading);

} // namespace numerology
