#pragma once
// The options of a reading without windows, all spelled long. The command line's one reader of
// words (CommandWords.h) knows them by this table, for the command line (CommandLine.cpp) and, on
// Windows, for the console entry (larkspire.com), which has no Qt and waits for a reading.

#include <cstddef>
#include <iterator>
#include <string_view>

namespace CommandLine {

// What an option's value is: none; text (a name, a date, a format), which must be UTF-8 (or on
// Windows whole UTF-16); or a path, which is taken whatever its bytes.
enum class Value { None, Text, Path };

struct ReadingOption {
    std::string_view name;
    Value value;
};

enum class Option { First, Middle, Last, Born, Format, Output, Explain, Batch, Overwrite, Paper, Columns, Separator, DateOrder };

// In the order of Option.
inline constexpr ReadingOption kReadingOptions[] = {
    {"first", Value::Text},   {"middle", Value::Text}, {"last", Value::Text},     {"born", Value::Text},
    {"format", Value::Text},  {"output", Value::Path}, {"explain", Value::None},  {"batch", Value::Path},
    {"overwrite", Value::None}, {"paper", Value::Text},   {"columns", Value::Text},  {"separator", Value::Text},
    {"date-order", Value::Text},
};
static_assert(std::size(kReadingOptions) == static_cast<std::size_t>(Option::DateOrder) + 1);

} // namespace CommandLine
