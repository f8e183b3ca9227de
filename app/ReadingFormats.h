#pragma once
// One reading in each of the command line's formats. Each is made from the report's own
// composition (report/ReportDocument), as the report window makes what it shows, saves and prints,
// so that every road gives the same reading.

#include "model/Reading.h"
#include "model/ReadingRequest.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>

#include <optional>
#include <string>

namespace readingformats {

// The report's words as UTF-8 text, "\n" line ends; with explain, each result's description is
// followed by a line "How it is reached:" and the steps of its working, each on a line of its own
// indented by two blanks.
QByteArray text(const Reading &reading, bool explain);

// Appends the reading as one line of JSON to out: the input as judged and the six results in the
// order of the tabs, each with its working; line, for a row of a file of people, where the row
// starts. Appended where the readings gather, a reading's bytes (mostly the catalogue's texts) are
// copied once.
void appendJson(std::string &out, const ReadingRequest &request, const Reading &reading, std::optional<qint64> line);

// The bytes the report window's Save writes. Needs a QGuiApplication.
QByteArray rtf(const Reading &reading);

// The report as the report window's Print lays it out (printableReport and printReport), as a
// PDF of pages of the given size, made in memory, dated by SOURCE_DATE_EPOCH where it is set.
// Needs a QGuiApplication.
QByteArray pdf(const Reading &reading, const QPageSize &paper);

} // namespace readingformats
