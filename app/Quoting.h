#pragma once
// How a message shows what came from the input (an option's value, a file name, a field of a file
// of people): between single quotes, with each character that a terminal would act on or would not
// show written as its code in angle brackets, so that nothing of the input reaches the terminal as
// a command: '1990-05-17<U+000A>', '<U+001B>[31mRED'. Such are the control characters, format
// characters (bidirectional marks and overrides among them), line and paragraph separators,
// surrogates, private-use and unassigned code points. A byte of a file name that is not UTF-8 is
// written as its value: 'caf<0xE9>.txt'.

#include <QString>

namespace quoting {

// The text so written, without the quotes: a file's name before ":LINE:".
QString escaped(const QString &text);

// The text so written with its line breaks and tabs kept, which lay out a message of several lines
// and do nothing else on a terminal.
QString escapedLines(const QString &text);

// The text so written, between single quotes.
QString quoted(const QString &text);

// One character a rule refuses: itself when it is printable ASCII ('3'), its code alone where it
// is not shown (U+0009), both otherwise ('é' (U+00E9)).
QString character(char32_t c);

} // namespace quoting
