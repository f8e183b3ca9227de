// The CSV reader's edge cases: each input gives its records, each as "LINE:field|field" or
// "LINE!reason", and the reader goes on after a refused record.
#include "csv/CsvReader.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Records(const QByteArray &bytes, qsizetype maxRecordBytes = CsvReader::kMaxRecordBytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer, maxRecordBytes);
    std::vector<std::string> records;
    CsvReader::Record record;
    while (reader.next(record)) {
        records.push_back(std::to_string(record.line)
                          + (record.error.isEmpty() ? ":" + record.fields.join('|').toStdString()
                                                    : "!" + record.error.toStdString()));
    }
    return records;
}

TEST(CsvReader, RecordsAndRefusals)
{
    const struct {
        QByteArray bytes;
        std::vector<std::string> records;
    } rows[] = {
        {"\xEF\xBB\xBF" "a,b\r\n1,2", {"1:a|b", "2:1|2"}},
        {"\xEF\xBB\xBF\xEF\xBB\xBF" "a\n", {"1:\xEF\xBB\xBF" "a"}},
        {"a\rb\r\n\r\n  \t \n\nc,\n", {"1:a", "2:b", "6:c|"}},
        {"\"x \"\"y\"\"\",\"two\r\nlines\",\"\"\nnext", {"1:x \"y\"|two\nlines|", "3:next"}},
        {"a,\"open\nb\n", {"1!a quoted field is not closed"}},
        {"\"a\"b,c\nd\n", {"1!text after the closing quote of a field", "2:d"}},
        {"a\"b\",c\nd\n", {"1!a quote inside a field that does not start with one", "2:d"}},
        {"\xC3\x28,b\n\xED\xA0\x80\nd\ne\xC3", {"1!invalid UTF-8", "2!invalid UTF-8", "3:d", "4!invalid UTF-8"}},
        {QByteArray("a\0b\nc\n", 6), {"1!a NUL byte", "2:c"}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Records(row.bytes), row.records) << row.bytes.toStdString();
    EXPECT_EQ(Records("12345678\n\"1234\",\"5678\"\n\"12\n3456789\"\nok\n", 8),
              (std::vector<std::string>{"1:12345678", "2:1234|5678", "3!the row is longer than 8 bytes", "5:ok"}));
}

} // namespace
