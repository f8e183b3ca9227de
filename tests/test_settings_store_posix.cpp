// The settings file on Linux: its memory, a disk that fills up, a read-only file, and links and
// FIFOs in its place.
#include "PosixTestFiles.h"
#include "platform/IniText.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

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
        const auto changed = initext::withValue(lines, u"Settings", u"Duration", "2026-12-07");
        empty = empty && changed->size() > lines.size();
    });
    ASSERT_GE(growth, 0);
    // The changed copy of the file is all it takes: no copy of a line, no list of lines.
    EXPECT_LT(growth, 24 * 1024) << "KiB";
}

// XDG_CONFIG_HOME counts only as an absolute path, the home folder only as one too; the user's
// entry in the password database stands in for a home folder that is not set or relative.
TEST(SettingsStore, TheFileLiesInTheConfigFolderTheXdgRulesName)
{
    QCoreApplication::setApplicationName("larkspire");
    const QString database = QFile::decodeName(getpwuid(geteuid())->pw_dir);
    QTemporaryDir temporary;
    const QByteArray latin1Home = QFile::encodeName(temporary.path()) + "/J\xfcrgen"; // not UTF-8
    const std::tuple<const char *, const char *, QString> rows[] = {
        {"/xdg/config", "/home/ann", "/xdg/config"},
        {"relative/config", "/home/ann", "/home/ann/.config"},
        {"", "/", "/.config"},
        {"", "", database + "/.config"},
        {"", "relative", database + "/.config"},
        {"", latin1Home.constData(), temporary.path() + "/J" + QChar(0xDCFC) + "rgen/.config"},
    };
    for (const auto &[config, home, folder] : rows) {
        const ScopedVariable configHome("XDG_CONFIG_HOME", config), homeFolder("HOME", home);
        EXPECT_EQ(SettingsStore::defaultPath(), folder + "/larkspire/larkspire.conf") << config << ", " << home;
    }
    // The settings are written there, under the home folder's own bytes.
    const ScopedVariable configHome("XDG_CONFIG_HOME", {}), homeFolder("HOME", latin1Home);
    SettingsStore(SettingsStore::defaultPath()).write("Settings", "Duration", "2026-12-07");
    EXPECT_EQ(access((latin1Home + "/.config/larkspire/larkspire.conf").constData(), R_OK), 0);
    std::filesystem::remove_all(latin1Home.constData()); // which Qt cannot name
}

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString path = folder.filePath("larkspire/larkspire.conf");
};

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

// The exit status of work run in a child process that is an ordinary user through and through:
// the system (and Qt, which asks access()) judges a file's permissions by the real user, which
// AsOrdinaryUser leaves as it was.
int StatusAsOrdinaryUser(const std::function<int()> &work)
{
    const pid_t child = fork();
    if (child == 0) {
        if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(100);
        _exit(work());
    }
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(SettingsFile, AReadOnlyFileReadsButIsNotWritten)
{
    ASSERT_TRUE(QDir().mkpath(folder.filePath("larkspire")));
    const QByteArray old = "[Settings]\nDuration=2026-01-31\n";
    Put(path, old);
    const auto readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(folder.path(), readable));
    // The folder may be written: only the file is read-only.
    ASSERT_TRUE(QFile::setPermissions(folder.filePath("larkspire"), readable | QFile::WriteOwner | QFile::WriteOther));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther));
    const int status = StatusAsOrdinaryUser([this] {
        SettingsStore store(path);
        if (store.read("Settings", "Duration") != "2026-01-31")
            return 1;
        store.write("Settings", "Duration", "2026-12-07");
        return store.flush() ? 2 : 0;
    });
    QFile::setPermissions(folder.path(), readable | QFile::WriteOwner);
    EXPECT_EQ(status, 0) << "1: not read, 2: written";
    EXPECT_EQ(Contents(path), old);
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

} // namespace
