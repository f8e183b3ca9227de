// The settings file, read and changed as text: crafted values, lines the program does not own,
// failed writes and files that are not regular files.
#include "TestFiles.h"
#include "platform/IniText.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
        const QByteArray file = initext::withValue({}, u"Settings", u"Duration", value);
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

// How far the peak memory of a child process grows while it runs work, in KiB.
long PeakGrowthKiB(const std::function<void()> &work)
{
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        rusage before {};
        getrusage(RUSAGE_SELF, &before);
        work();
        rusage after {};
        getrusage(RUSAGE_SELF, &after);
        const long growth = after.ru_maxrss - before.ru_maxrss;
        (void)!write(channel[1], &growth, sizeof growth);
        _exit(0);
    }
    long growth = -1;
    (void)!read(channel[0], &growth, sizeof growth);
    waitpid(child, nullptr, 0);
    close(channel[0]);
    close(channel[1]);
    return growth;
}

TEST(IniText, ALargeFileOfEmptyLinesIsReadInMemoryProportionalToIt)
{
    const QByteArray lines(16 * 1024 * 1024, '\n');
    const long growth = PeakGrowthKiB([&] {
        volatile bool empty = initext::value(lines, u"Settings", u"Duration").isEmpty();
        const QByteArray changed = initext::withValue(lines, u"Settings", u"Duration", "2026-12-07");
        empty = empty && changed.size() > lines.size();
    });
    ASSERT_GE(growth, 0);
    // The changed copy of the file is all it takes: no copy of a line, no list of lines.
    EXPECT_LT(growth, 24 * 1024) << "KiB";
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

TEST_F(SettingsFile, AFailedWriteKeepsTheGoodFile)
{
    ASSERT_TRUE(QDir().mkpath(folder.filePath("larkspire")));
    const QByteArray good = "[Settings]\nDuration=2026-11-01\nPadding=" + QByteArray(3000, 'p') + "\n";
    Put(path, good);
    SettingsStore store(path);
    store.write("Settings", "Duration", "2026-12-07");
    {
        FileSizeLimit limit(1024);
        EXPECT_FALSE(store.flush());
    }
    EXPECT_EQ(Contents(path), good);
}

TEST_F(SettingsFile, AFileThatIsNotRegularReadsEmptyAndIsNeverReplaced)
{
    ASSERT_TRUE(QDir().mkpath(folder.filePath("larkspire")));
    const QString target = folder.filePath("target");
    Put(target, "[Settings]\nDuration=2026-01-01\n");
    const auto check = [&](const char *what) {
        SettingsStore store(path);
        EXPECT_EQ(store.read("Settings", "Duration"), "") << what;
        store.write("Settings", "Duration", "2026-12-07");
        EXPECT_FALSE(store.flush()) << what;
    };
    ASSERT_TRUE(QFile::link(target, path));
    check("link");
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_EQ(Contents(target), "[Settings]\nDuration=2026-01-01\n");
    ASSERT_TRUE(QFile::remove(path));

    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    check("FIFO");
    struct stat info {};
    ASSERT_EQ(lstat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(SettingsStore, AWrittenDateSurvivesTheStoreAndComesBack)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QCoreApplication::setApplicationName("larkspire-test");
    {
        SettingsStore store;
        EXPECT_EQ(store.read("Settings", "Duration"), "");
        store.write("Settings", "Duration", "2026-12-07");
        EXPECT_EQ(store.read("Settings", "Duration"), "2026-12-07");
    }
    EXPECT_EQ(Contents(home.filePath("larkspire-test/larkspire-test.conf")), "[Settings]\nDuration=2026-12-07\n");
    SettingsStore again;
    EXPECT_EQ(again.read("Settings", "Duration"), "2026-12-07");
}

} // namespace
