// The CSV reader's edge cases: each input gives its records, each as "LINE:field|field" or
// "LINE!reason", and the reader goes on after a refused record. Then the header row of a file of
// people, and dates as spreadsheets write them.
#include "csv/CsvReader.h"
#include "csv/PeopleColumns.h"
#include "csv/SpreadsheetDates.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::string_view_literals;

const std::string kCodePage = R"x(not UTF-8 but a Windows code page, as Excel's "CSV (Comma delimited)" saves: )x"
                              R"x(save the file as "CSV UTF-8")x";

std::vector<std::string> Records(const QByteArray &bytes, qsizetype maxRecordBytes = CsvReader::kMaxRecordBytes,
                                 char separator = ',')
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer, maxRecordBytes);
    reader.setSeparator(separator);
    std::vector<std::string> records;
    CsvReader::Record record;
    while (reader.next(record)) {
        EXPECT_TRUE(record.error.isEmpty() || record.fields.isEmpty()) << record.line;
        // Built as one QString: GCC 12 for MinGW takes "x" + std::string for an overlapping copy
        // (a false -Wrestrict).
        const QString said = record.error.isEmpty() ? QLatin1Char(':') + record.fields.join('|')
                                                    : QLatin1Char('!') + record.error;
        records.push_back(QString::number(record.line).append(said).toStdString());
    }
    return records;
}

TEST(CsvReader, RecordsAndRefusals)
{
    const struct {
        std::string_view bytes;
        std::vector<std::string> records;
        char separator = ',';
    } rows[] = {
        {"\xEF\xBB\xBF" "a,b\r\n1,2", {"1:a|b", "2:1|2"}},
        {"\xEF\xBB\xBF\xEF\xBB\xBF" "a\n", {"1:\xEF\xBB\xBF" "a"}},
        {"a\rb\r\n\r\n  \t \n\nc,\n", {"1:a", "2:b", "6:c|"}},
        {"\"x \"\"y\"\"\",\"two\r\nlines\",\"\"\nnext", {"1:x \"y\"|two\nlines|", "3:next"}},
        {"a,\"open\nb\n", {"1!a quoted field is not closed"}},
        {"\"a\"b,c\nd\n", {"1!text after the closing quote of a field", "2:d"}},
        {"a\"b\",c\nd\n", {"1!a quote inside a field that does not start with one", "2:d"}},
        {"a,b,c\"\nd,e,f\ng\n", {"1!a quote inside a field that does not start with one", "2:d|e|f", "3:g"}},
        // A byte from 0x80 up standing alone is a Windows code page's character (Ren\xE9 for René).
        {"\xC3\x28,b\n\xED\xA0\x80\nd\ne\xC3\nRen\xE9\n\xC3\xA9\xE9", {"1!" + kCodePage, "2!invalid UTF-8", "3:d", "4!" + kCodePage, "5!" + kCodePage, "6!invalid UTF-8"}},
        {"a;\"b;c\";d,e\n\n;\n", {"1:a|b;c|d,e", "3:|"}, ';'},
        {"a\tb c,d;\t\"e\tf\"\n\t\t\n", {"1:a|b c,d;|e\tf", "2:||"}, '\t'},
        {"a\0b\nc\n"sv, {"1!a NUL byte", "2:c"}},
        // Text in another encoding, with its byte-order mark or told by its NUL bytes, is named, and
        // nothing of it is read.
        {"\xFF\xFE" "f\0,\0\n\0a\0"sv, {"1!the file is in UTF-16LE, not UTF-8: save it as UTF-8"}},
        {"\0f\0i\0\n"sv, {"1!the file is in UTF-16BE, not UTF-8: save it as UTF-8"}},
        {"f\0\0\0i\0\0\0"sv, {"1!the file is in UTF-32LE, not UTF-8: save it as UTF-8"}},
        {"\0\0\xFE\xFF\0\0\0f"sv, {"1!the file is in UTF-32BE, not UTF-8: save it as UTF-8"}},
        {"\xFF\xFE"sv, {"1!the file is in UTF-16LE, not UTF-8: save it as UTF-8"}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Records(QByteArray(row.bytes.data(), qsizetype(row.bytes.size())), CsvReader::kMaxRecordBytes, row.separator),
                  row.records)
            << row.bytes;
    // Runs of kept bytes across the 64 KiB the reader takes at a time: a doubled quote whose first
    // half ends the first 64 KiB, and a line break inside the quotes after it.
    const std::string x(65535, 'x');
    EXPECT_EQ(Records(QByteArray::fromStdString("\"" + x + "\"\"\n" + x + "\",y\n")),
              std::vector<std::string>{"1:" + x + "\"\n" + x + "|y"});
    // Every byte of a record counts, kept or not: commas, quotes, line breaks inside quotes.
    EXPECT_EQ(Records("12345678\n\"1\",\"23\"\n,,,,,,,,,\n\"\"\"\"\"\"\"\"\"\"\n\"1\r\n234\"\n\"12\r\n3456\"\nok\r\n", 8),
              (std::vector<std::string>{"1:12345678", "2:1|23", "3!the row is longer than 8 bytes",
                                        "4!the row is longer than 8 bytes", "5:1\n234",
                                        "7!the row is longer than 8 bytes", "9:ok"}));
}

// The header row read with the separator that finds its columns: "SEPARATOR:first,middle,last,
// born,time" (each column's field, -1 where absent), then the record after it; or "!reason".
std::string Header(const char *bytes, const char *columns, char separator)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    peoplecolumns::Names names;
    const auto quoted = [](const QString &name) { return '\'' + name + '\''; };
    if (*columns) {
        EXPECT_EQ(peoplecolumns::readNames(columns, names, quoted), "") << columns;
    }
    const peoplecolumns::Header header = peoplecolumns::readHeader(reader, names, separator, quoted);
    if (!header.error.isEmpty())
        return "!" + header.error.toStdString();
    std::string read(1, separator ? separator : '?');
    for (const qsizetype column : header.columns)
        read += (read.size() > 1 ? "," : ":") + std::to_string(column);
    CsvReader::Record next;
    return read + (reader.next(next) ? " " + next.fields.join('|').toStdString() : "");
}

TEST(PeopleColumns, TheHeaderRowNamesColumnsAsPeopleDoAndGivesTheSeparator)
{
    const struct {
        const char *bytes;
        const char *columns;
        std::string read;
        char separator = 0;
    } rows[] = {
        {"First Name,Last Name,Date of Birth\nAnn,Lee,05/17/1990\n", "", "?:0,-1,1,2,-1 Ann|Lee|05/17/1990"},
        {"Vorname;Nachname;Geburtsdatum;Uhrzeit\r\nAnn;Lee;17.05.1990;14:30\n",
         "first=Vorname, last = nachname,born=Geburts-Datum,time=Uhrzeit", "?:0,-1,1,2,3 Ann|Lee|17.05.1990|14:30"},
        {"\"Given_Name\"\tMIDDLE-NAMES\tsur.name\tD.O.B.\t\"Time of Birth\"\nA\tB\tC,D\t1\t\n", "",
         "?:0,1,2,3,4 A|B|C,D|1|"},
        // Refused as read with commas, for a quote inside a field.
        {"first;\"Last Name\";born\na;b;c\n", "", "?:0,-1,1,2,-1 a|b|c"},
        {"first,last,DOB,Birthday\n", "",
         "!the header row names the column 'born' twice: 'DOB' and 'Birthday' ('--columns born=NAME' chooses one)"},
        {"first,last,DOB,Birthday\n", "born=dob", "?:0,-1,1,2,-1"},
        {"Name,Surname,first,born\n", "first=Name", "?:0,-1,1,3,-1"},
        {"Vorname,Last Name,Geb\n", "",
         "!the header row has no column 'first' or 'born' ('--columns first=NAME,born=NAME' names them); its columns "
         "are 'Vorname', 'Last Name' (last), 'Geb'"},
        {"first;Nachname;born\n", "",
         "!the header row has no column 'last' ('--columns last=NAME' names it); its columns are 'first' (first), "
         "'Nachname', 'born' (born)"},
        {"first;last;born\n", "", "!the header row has no column 'first', 'last' or 'born' ('--columns "
                                  "first=NAME,last=NAME,born=NAME' names them); its columns are 'first;last;born'", ','},
        {"first\tlast\tborn\n1\t2\t3", "", "\t:0,-1,1,2,-1 1|2|3", '\t'},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Header(row.bytes, row.columns, row.separator), row.read) << row.bytes;
}

TEST(SpreadsheetDates, EachDateIsWrittenInItsIsoForm)
{
    using spreadsheetdates::Order;
    const std::string form = "!not a date D/M/YYYY, M/D/YYYY or YYYY/M/D (with '/', '.' or '-'), then optionally a "
                             "time H:MM or H:MM:SS (with AM or PM or without)";
    const std::string both = "!a time is given both with the date and in the time column";
    const struct {
        const char *date;
        const char *time;
        Order order;
        std::string iso;
    } rows[] = {
        {"05/17/1990", "", Order::None, "1990-05-17"},
        {"17.05.1990", "", Order::None, "1990-05-17"},
        {"17.05.1990", "", Order::Mdy, "1990-17-05"},
        {"05/06/1990", "", Order::Ymd, "!the day and the month could be either way round: give '--date-order dmy' "
                                       "(day first) or '--date-order mdy' (month first)"},
        {"05/06/1990", "", Order::Dmy, "1990-06-05"},
        {"5-6-1990", "", Order::Mdy, "1990-05-06"},
        {"05/05/1990", "", Order::None, "1990-05-05"},
        {" 5/17/1990  2:30 PM ", "", Order::Mdy, "1990-05-17T14:30:00"},
        {"17-05-1990 12:05:09 am", "", Order::Dmy, "1990-05-17T00:05:09"},
        {"1990/5/17", "", Order::Dmy, "1990-05-17"},
        {"17.05.1990", "14:30", Order::Dmy, "1990-05-17T14:30:00"},
        {"1990-05-17", "2 PM", Order::None, "1990-05-17T14:00:00"},
        {"1990-5-17", "", Order::None, "1990-5-17"},
        {"1990-05-17T03", "14:30", Order::None, both},
        {"17.05.1990 10:00", "14:30", Order::Dmy, both},
        {"05/17/90", "", Order::Mdy, "!the year '90 could be 1990 or 2090: show years with four digits"},
        {"17/05/1990", "13:00 PM", Order::Dmy, "!an hour with AM or PM must be from 1 to 12"},
        {"17.05/1990", "", Order::Dmy, form},
        {"17.05.1990T10:00", "", Order::Dmy, form},
        {"17.05.19900", "", Order::Dmy, form},
        {"17.05.1990", "2.30", Order::Dmy, "!not a time H, H:MM or H:MM:SS (with AM or PM or without)"},
    };
    for (const auto &row : rows) {
        QString iso;
        const QString why = spreadsheetdates::toIso(row.date, row.time, row.order, iso);
        EXPECT_EQ(why.isEmpty() ? iso.toStdString() : "!" + why.toStdString(), row.iso) << row.date;
    }
    const std::pair<const char *, Order> formats[] = {{"M/d/yy", Order::Mdy},     {"dd.MM.yy", Order::Dmy},
                                                      {"yyyy-MM-dd", Order::Ymd}, {"d MMM yyyy", Order::None},
                                                      {"ddd d/M/yyyy", Order::Dmy}, {"'y' M/yyyy", Order::None}};
    for (const auto &[format, order] : formats)
        EXPECT_EQ(spreadsheetdates::orderOf(format), order) << format;
}

} // namespace
