// The CSV reader's edge cases: each input gives its records, each as "LINE:field|field" or
// "LINE!reason", and the reader goes on after a refused record.
#include "csv/CsvReader.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::string_view_literals;

std::vector<std::string> Records(const QByteArray &bytes, qsizetype maxRecordBytes = CsvReader::kMaxRecordBytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer, maxRecordBytes);
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
    } rows[] = {
        {"\xEF\xBB\xBF" "a,b\r\n1,2", {"1:a|b", "2:1|2"}},
        {"\xEF\xBB\xBF\xEF\xBB\xBF" "a\n", {"1:\xEF\xBB\xBF" "a"}},
        {"a\rb\r\n\r\n  \t \n\nc,\n", {"1:a", "2:b", "6:c|"}},
        {"\"x \"\"y\"\"\",\"two\r\nlines\",\"\"\nnext", {"1:x \"y\"|two\nlines|", "3:next"}},
        {"a,\"open\nb\n", {"1!a quoted field is not closed"}},
        {"\"a\"b,c\nd\n", {"1!text after the closing quote of a field", "2:d"}},
        {"a\"b\",c\nd\n", {"1!a quote inside a field that does not start with one", "2:d"}},
        {"a,b,c\"\nd,e,f\ng\n", {"1!a quote inside a field that does not start with one", "2:d|e|f", "3:g"}},
        {"\xC3\x28,b\n\xED\xA0\x80\nd\ne\xC3", {"1!invalid UTF-8", "2!invalid UTF-8", "3:d", "4!invalid UTF-8"}},
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
        EXPECT_EQ(Records(QByteArray(row.bytes.data(), qsizetype(row.bytes.size()))), row.records) << row.bytes;
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

} // namespace
