// The settings file, read and changed as text: crafted values, lines the program does not own, a
// byte-order mark, and a value that survives the store.
#include "TestFiles.h"
#include "platform/IniText.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>


namespace {

TEST(IniText, ReadsAndChangesOneEntryAndKeepsEveryOtherLine)
{
    const QByteArray file = "; kept comment\r\n[General]\nDuration=not this one\n\n[Settings]\nOther=@Variant(\\0\\0)\n"
                            "Duration=\"12/7/2026\"\n[Later]\nx=1";
    EXPECT_EQ(initext::value(file, u"Settings", u"Duration"), "12/7/2026");
    EXPECT_TRUE(initext::value(file, u"Settings", u"Other").startsWith("@Variant("));
    EXPECT_EQ(initext::value(file, u"Settings", u"Missing"), "");
    EXPECT_EQ(initext::value(file, u"Nowhere", u"Duration"), "");

    EXPECT_EQ(initext::withValue(file, u"Settings", u"Duration", "2026-12-07"),
              "; kept comment\r\n[General]\nDuration=not this one\n\n[Settings]\nOther=@Variant(\\0\\0)\n"
              "Duration=2026-12-07\n[Later]\nx=1");
    EXPECT_EQ(initext::withValue("[Settings]\nOther=1\n", u"Settings", u"Duration", "2026-12-07"),
              "[Settings]\nDuration=2026-12-07\nOther=1\n");
    EXPECT_EQ(initext::withValue("[A]\nx=1", u"Settings", u"Duration", "2026-12-07"),
              "[A]\nx=1\n\n[Settings]\nDuration=2026-12-07\n");
    EXPECT_EQ(initext::withValue("", u"Settings", u"Duration", "2026-12-07"), "[Settings]\nDuration=2026-12-07\n");
}

TEST(IniText, ValuesQuotedAndEscapedAsQSettingsWritesThemReadBack)
{
    for (const QString &value : {QString("a, b"), QString(" padded "), QString("quote \" and \\ slash"), QString("07.12.2026"),
                                 QString::fromUtf8("2026\xe5\xb9\xb4"), QString("@at"), QString("x=y;z")}) {
        const QByteArray file = initext::withValue({}, u"Settings", u"Duration", value).value();
        EXPECT_EQ(initext::value(file, u"Settings", u"Duration"), value) << file.toStdString();
    }
}

TEST(IniText, AFileThatStartsWithAByteOrderMarkKeepsItsOneSection)
{
    const QByteArray file = "\xEF\xBB\xBF[Settings]\r\nDuration=2026-11-01\r\n";
    EXPECT_EQ(initext::value(file, u"Settings", u"Duration"), "2026-11-01");
    EXPECT_EQ(initext::withValue(file, u"Settings", u"Duration", "2026-12-07"),
              "\xEF\xBB\xBF[Settings]\r\nDuration=2026-12-07\r\n");
    EXPECT_EQ(initext::withValue("\xEF\xBB\xBF[Settings]\n", u"Settings", u"Duration", "2026-12-07"),
              "\xEF\xBB\xBF[Settings]\nDuration=2026-12-07\n");
    EXPECT_EQ(initext::withValue("\xEF\xBB\xBF", u"Settings", u"Duration", "2026-12-07"),
              "\xEF\xBB\xBF[Settings]\nDuration=2026-12-07\n");
}

// A file saved as UTF-16 (Notepad's "Unicode"), either byte order, reads its date and is changed
// in UTF-16 throughout, every other line kept.
TEST(IniText, AUtf16FileReadsAndStaysUtf16)
{
    const QString text = QStringLiteral("; Notizen \u00fcber \u00c4nderungen\r\n[Settings]\r\nDuration=2026-01-31\r\n"
                                        "[Other]\r\nName=J\u00fcrgen\r\n");
    const QString changed = QString(text).replace(QStringLiteral("2026-01-31"), QStringLiteral("2026-12-07"));
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        const auto utf16 = [encoding](const QString &content) {
            QStringEncoder encode(encoding, QStringEncoder::Flag::WriteBom);
            return QByteArray(encode(content));
        };
        const QByteArray file = utf16(text);
        ASSERT_TRUE(file.startsWith("\xFF\xFE") || file.startsWith("\xFE\xFF"));
        EXPECT_EQ(initext::value(file, u"Settings", u"Duration"), "2026-01-31");
        EXPECT_EQ(initext::value(file, u"Other", u"Name"), QStringLiteral("J\u00fcrgen"));
        EXPECT_EQ(initext::withValue(file, u"Settings", u"Duration", "2026-12-07"), utf16(changed));
        // A section that is not there yet is added in UTF-16 too.
        EXPECT_EQ(initext::withValue(utf16("[Other]\r\n"), u"Settings", u"Duration", "2026-12-07"),
                  utf16("[Other]\r\n\n[Settings]\nDuration=2026-12-07\n"));
    }
}

// A value nested as deep as this made QSettings recurse until the stack ran out.
QByteArray DeeplyNestedVariant()
{
    QByteArray value = "@Variant(";
    for (int i = 0; i < 50000; ++i)
        value += "\\0\\0\\0\\t\\0\\0\\0\\x1\\0\\0\\0\\b@Variant(";
    return value + ")";
}

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString path = folder.filePath("larkspire/larkspire.conf");
};

TEST_F(SettingsFile, ACraftedValueReadsAsTextAndOtherEntriesSurviveAWrite)
{
    ASSERT_TRUE(QDir().mkpath(folder.filePath("larkspire")));
    const QByteArray crafted = DeeplyNestedVariant();
    Put(path, "[Settings]\nDuration=" + crafted + "\nOther=" + crafted + "\n[Elsewhere]\nkept=yes\n");
    {
        SettingsStore store(path);
        EXPECT_TRUE(store.read("Settings", "Duration").startsWith("@Variant("));
        store.write("Settings", "Duration", "2026-12-07");
        EXPECT_TRUE(store.flush());
    }
    EXPECT_EQ(Contents(path), "[Settings]\nDuration=2026-12-07\nOther=" + crafted + "\n[Elsewhere]\nkept=yes\n");
}

TEST_F(SettingsFile, AUtf16FileKeepsItsDateAndItsOneEncoding)
{
    ASSERT_TRUE(QDir().mkpath(folder.filePath("larkspire")));
    QStringEncoder encode(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
    Put(path, encode(u"[Settings]\r\nDuration=2026-01-31\r\n"));
    {
        SettingsStore store(path);
        EXPECT_EQ(store.read("Settings", "Duration"), "2026-01-31");
        store.write("Settings", "Duration", "2026-12-07");
        EXPECT_TRUE(store.flush());
    }
    QStringEncoder again(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
    EXPECT_EQ(Contents(path), QByteArray(again(u"[Settings]\r\nDuration=2026-12-07\r\n")));
    EXPECT_EQ(SettingsStore(path).read("Settings", "Duration"), "2026-12-07");
}

// Rewritten only where every byte but the changed line's comes back exactly; otherwise the file is
// left as it is and the store says the value could not be kept.
TEST_F(SettingsFile, AFileWhoseOtherBytesCannotAllComeBackIsLeftAlone)
{
    const auto encoded = [](QStringConverter::Encoding encoding, QStringEncoder::Flags flags, const QString &text) {
        QStringEncoder encode(encoding, flags);
        return QByteArray(encode(text));
    };
    const QString text = QStringLiteral("[Settings]\r\nDuration=2026-01-31\r\nOther=x\r\n");
    const auto mark = QStringEncoder::Flag::WriteBom;
    const std::pair<const char *, QByteArray> files[] = {
        {"UTF-16 without its mark", encoded(QStringConverter::Utf16LE, {}, text)},
        {"UTF-32 with its mark", encoded(QStringConverter::Utf32LE, mark, text)},
        {"UTF-32 big-endian with its mark", encoded(QStringConverter::Utf32BE, mark, text)},
        {"UTF-16 with an odd last byte", encoded(QStringConverter::Utf16BE, mark, text) + 'x'},
        {"UTF-16 with a lone surrogate", encoded(QStringConverter::Utf16LE, mark, QString(text).replace('x', QChar(0xDC00)))},
    };
    ASSERT_TRUE(QDir().mkpath(folder.filePath("larkspire")));
    for (const auto &[what, file] : files) {
        Put(path, file);
        SettingsStore store(path);
        store.write("Settings", "Duration", "2026-12-07");
        EXPECT_FALSE(store.flush()) << what;
        EXPECT_EQ(Contents(path), file) << what;
    }
}

TEST(SettingsStore, AWrittenDateSurvivesTheStoreAndComesBack)
{
    // Where the test's settings lie: in test mode on Windows, under XDG_CONFIG_HOME elsewhere.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir config;
    const ScopedVariable configHome("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QCoreApplication::setApplicationName("larkspire-test");
    const QString path = SettingsStore::defaultPath();
    EXPECT_TRUE(path.endsWith("/larkspire-test/larkspire-test.conf")) << path.toStdString();
    QFile::remove(path);
    {
        SettingsStore store;
        EXPECT_EQ(store.read("Settings", "Duration"), "");
        store.write("Settings", "Duration", "2026-12-07");
        EXPECT_EQ(store.read("Settings", "Duration"), "2026-12-07");
    }
    EXPECT_EQ(Contents(path), "[Settings]\nDuration=2026-12-07\n");
    SettingsStore again;
    EXPECT_EQ(again.read("Settings", "Duration"), "2026-12-07");
    QFile::remove(path);
    QStandardPaths::setTestModeEnabled(false);
}

} // namespace
