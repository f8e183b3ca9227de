// File names as bytes: whatever a name's bytes, the text they are kept as gives them back, and a
// word whose bytes are not UTF-8 is no text. (That such a name opens its file is the command
// line's end-to-end road.)
#include "platform/Arguments.h"
#include "platform/FileNames.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNames, AnyBytesComeBack)
{
    const struct {
        QByteArray name;
        bool utf8;
    } rows[] = {
        {"caf\xE9", false},                       // Latin-1
        {"\xED\xA0\x80", false},                  // a surrogate written as UTF-8
        {"\xC0\xAF", false},                      // an overlong slash
        {"\xF4\x90\x80\x80", false},              // beyond U+10FFFF
        {"cut\xE2\x82", false},                   // a sequence cut off
        {"\xF0\x90\x82\x80\xE9", false},          // U+10080 (its low surrogate is U+DC80), then a stray byte
        {"\xEF\xBB\xBF" "bom\xE2\x82\xAC", true}, // a byte-order mark is part of a name
    };
    for (const auto &row : rows) {
        const QString kept = filenames::decoded(row.name);
        EXPECT_EQ(filenames::encoded(kept), row.name) << row.name.toHex().toStdString();
        EXPECT_EQ(arguments::notText(kept), row.utf8 ? QString() : QStringLiteral("invalid UTF-8"))
            << row.name.toHex().toStdString();
    }
    EXPECT_EQ(filenames::decoded("caf\xE9"), QStringLiteral("caf") + QChar(0xDCE9));
}

} // namespace
