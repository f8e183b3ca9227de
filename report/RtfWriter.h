#pragma once

#include <QByteArray>

class QTextDocument;

// Writes a document as RTF 1.x: a font table, a colour table, one group per run with its font,
// size in half-points (9.75 pt is \fs20), weight and colour, and \par at each paragraph end.
// Backslashes and braces are escaped; every character outside ASCII is written as \uN? (UTF-16,
// so characters beyond the Basic Multilingual Plane become two escapes). The output is plain
// ASCII and its braces always balance, whatever the document holds.
QByteArray writeRtf(const QTextDocument &document);
