#pragma once
// How each result of a reading is reached, told step by step so that a reader can redo it by hand.

#include "engine/Records.h"

#include <string>
#include <string_view>

namespace numerology {

// The working of one result: the steps that lead to its value, each a sentence a reader can check
// by hand, one a line ("\n" between them). The last step states the value reached. A step never
// holds a line break of its own, nor any other control character, a quotation mark or a
// backslash, whatever the person's details: it can be quoted as it is (the command line's JSON
// takes it so).
struct Working {
    std::string lines;
};

// The working of the six results of a reading, and the results those steps arrive at.
struct Explanation {
    // The reading the steps tell of: computeInterpretation's, read off the same reckoning.
    Interpretation interpretation;
    Working luckyNumber, luckyColor, moneyNumber, firstHealthIndication, firstHealthInfluence, secondHealthIndication;
};

// The working of a person's reading: the figures of reckonInterpretation, in English with numbers
// in plain decimal. The names and the month are never quoted (only their capitals A to Z, one by
// one, and the month when it is one of the twelve), so any bytes in them give steps of UTF-8 text,
// whose only character outside ASCII is the multiplication sign.
Explanation explainInterpretation(const PersonDetails &person);
// The same, told into explanation, whose workings' memory is used again: a file of many people is
// told into one explanation.
void explainInterpretation(const PersonDetails &person, Explanation &explanation);

} // namespace numerology
