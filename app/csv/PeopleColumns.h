#pragma once
// The header row of a file of people, read as a spreadsheet writes it: its columns known by the
// names people give them ("First Name", "Date of Birth", "DOB", ...), compared without regard to
// case, blanks, "_", "-" and "."; other names given with --columns; and the separator between the
// fields found from that row, as the one with which it names the columns. Qt Core only.

#include "csv/CsvReader.h"

#include <QLatin1String>
#include <QString>

#include <array>

namespace peoplecolumns {

enum Column { First, Middle, Last, Born, Time, ColumnCount };

// Each column's own name, as --columns and the messages name it.
inline constexpr std::array<QLatin1String, ColumnCount> kColumnNames = {
    QLatin1String("first"), QLatin1String("middle"), QLatin1String("last"), QLatin1String("born"),
    QLatin1String("time")};

// The separators a header row is tried with, in this order.
inline constexpr std::array<char, 3> kSeparators = {',', ';', '\t'};

// The header's names that --columns gives, empty for a column known by its usual names. A column
// so given is known by that name alone.
using Names = std::array<QString, ColumnCount>;

// Reads the value of --columns, "first=Vorname,last=Nachname,...", into names. Empty when it reads,
// otherwise why not. quoted shows a name as messages show what came from the input.
QString readNames(const QString &given, Names &names, QString (*quoted)(const QString &));

// The separator named "comma", "semicolon" or "tab", or written itself; 0 for any other.
char separatorNamed(const QString &given);

struct Header {
    bool read = false; // false at the input's end or when it cannot be read
    qint64 line = 0;
    QString error;     // why the row read is not the header wanted
    qsizetype fields = 0;
    std::array<qsizetype, ColumnCount> columns{}; // the field of each column; -1 where absent
};

// Reads the header row with separator, or where that is 0 with the first of kSeparators that finds
// the columns first, last and born in it, and leaves reader with that separator after the row.
Header readHeader(CsvReader &reader, const Names &names, char separator, QString (*quoted)(const QString &));

} // namespace peoplecolumns
