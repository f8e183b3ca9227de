#pragma once
// Dates of birth as spreadsheets write them in a CSV file: day, month and year, or month, day and
// year (or the year first), separated by "/", "." or "-", then optionally a time, H:MM or H:MM:SS,
// 24-hour or with AM or PM; or the time in a column of its own. Each is written in the one form the
// program judges dates by, YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS, so that a date reads as its ISO form
// reads. Qt Core only.

#include <QString>

#include <optional>

namespace spreadsheetdates {

// The order of a date whose year comes last; a date whose year comes first is read year, month,
// day whatever the order. None: the order is not known, and a date that reads both ways is refused
// (05/06/1990), while one that reads one way only (17/05/1990) is read so. Ymd says no more of a
// date whose year comes last than None does.
enum class Order { None, Dmy, Mdy, Ymd };

// The order --date-order names: "dmy", "mdy" or "ymd", in any case.
std::optional<Order> orderNamed(const QString &given);

// The order of a QLocale date format ("M/d/yy" is Mdy); None where it names the month in words
// ("d MMM yyyy", the C locale's) or lacks a part.
Order orderOf(const QString &format);

// Writes date, and time (the cell of a time column, empty where there is none), into iso: a date
// that already starts as YYYY- is left as it is, for the reader of the ISO forms to judge. Empty
// when it reads, otherwise why not. The numbers are not judged here, but by that reader.
QString toIso(const QString &date, const QString &time, Order order, QString &iso);

} // namespace spreadsheetdates
