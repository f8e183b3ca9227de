// File names as bytes: whatever a name's bytes, the text they are kept as gives them back and
// names the same file to the system; a word whose bytes are not UTF-8 is no text.
#include "platform/Arguments.h"
#include "platform/FileNames.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(FileNames, AnyBytesComeBackAndNameTheSameFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const struct {
        QByteArray name;
        bool utf8;
    } rows[] = {
        {"caf\xE9", false},                  // Latin-1
        {"\xED\xA0\x80", false},             // a surrogate written as UTF-8
        {"\xC0\xAF", false},                 // an overlong slash
        {"\xF4\x90\x80\x80", false},         // beyond U+10FFFF
        {"cut\xE2\x82", false},              // a sequence cut off
        {"\xF0\x90\x82\x80\xE9", false},     // U+10080 (its low surrogate is U+DC80), then a stray byte
        {"\xEF\xBB\xBF" "bom\xE2\x82\xAC", true}, // a byte-order mark is part of a name
    };
    for (const auto &row : rows) {
        const std::string shown = row.name.toHex().toStdString();
        const QString kept = filenames::decoded(row.name);
        EXPECT_EQ(filenames::encoded(kept), row.name) << shown;
        EXPECT_EQ(arguments::notText(kept), row.utf8 ? QString() : QStringLiteral("invalid UTF-8")) << shown;
        const QByteArray path = QFile::encodeName(folder.path()) + '/' + row.name;
        std::FILE *made = std::fopen(path.constData(), "w");
        ASSERT_NE(made, nullptr) << shown;
        std::fputs(row.name.constData(), made);
        std::fclose(made);
        QFile read;
        ASSERT_EQ(filenames::openForReading(read, filenames::decoded(path)), QString()) << shown;
        EXPECT_EQ(read.readAll(), row.name) << shown;
    }
    EXPECT_EQ(filenames::decoded("caf\xE9"), QStringLiteral("caf") + QChar(0xDCE9));
    EXPECT_TRUE(filenames::isFolder(filenames::decoded(QFile::encodeName(folder.path()))));
}

} // namespace
