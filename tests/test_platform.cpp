// The platform layer against a hostile environment: a full disk, files that are not regular files,
// crafted settings and lock files; and the real print dialog's page range.
#include "IniText.h"
#include "QtPlatform.h"
#include "SafeFiles.h"
#include "TestFiles.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ---- Writing files ----

TEST(SafeFiles, AWriteThatFailsHalfwayKeepsTheOldFileAndSaysWhy)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("exist.rtf");
    Put(path, "old contents");
    QString failure;
    {
        FileSizeLimit limit(4096);
        failure = safefiles::writeFileAtomically(path, QByteArray(100000, 'x'));
    }
    EXPECT_FALSE(failure.isEmpty());
    EXPECT_EQ(Contents(path), "old contents");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"exist.rtf"}) << "a temporary file was left";

    const QString fresh = folder.filePath("new.rtf");
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(safefiles::writeFileAtomically(fresh, QByteArray(100000, 'x')).isEmpty());
    }
    EXPECT_FALSE(QFile::exists(fresh)) << "an empty new file was left";

    EXPECT_EQ(safefiles::writeFileAtomically(path, "new contents"), "");
    EXPECT_EQ(Contents(path), "new contents");
}

TEST(SafeFiles, SpecialFilesAreNeitherFollowedNorReplacedNorWaitedOn)
{
    QTemporaryDir folder;
    const SpecialFiles special(folder.path());
    const QString directory = folder.filePath("folder.rtf");
    ASSERT_TRUE(QDir().mkpath(directory));

    for (const QString &path : {special.link, special.fifo, directory, QStringLiteral("/dev/null")}) {
        EXPECT_EQ(safefiles::kindOf(path), safefiles::PathKind::Other) << path.toStdString();
        EXPECT_FALSE(safefiles::readRegularFile(path, 1000)) << path.toStdString();
        EXPECT_FALSE(safefiles::writeFileAtomically(path, "written").isEmpty()) << path.toStdString();
    }
    special.expectUnchanged();
    EXPECT_TRUE(QFileInfo(directory).isDir());

    EXPECT_FALSE(safefiles::readRegularFile(special.target, 5)) << "a file larger than the limit is read";
    EXPECT_EQ(safefiles::readRegularFile(special.target, 1000), QByteArray("target contents"));
}

// ---- The settings file ----

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
        QtSettingsStore store(path);
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
    QtSettingsStore store(path);
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
        QtSettingsStore store(path);
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

// ---- The single-instance lock ----

TEST(LockFileInstance, ALockThatNoLiveCopyHoldsIsTakenOver)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    const auto takenOver = [&](const char *what) {
        LockFileInstance lock(path);
        EXPECT_TRUE(lock.tryAcquire()) << what;
        LockFileInstance second(path);
        EXPECT_FALSE(second.tryAcquire()) << what << ": the taken-over lock does not hold";
    };
    Put(path, "");
    takenOver("empty file");
    Put(path, "\x01\xff garbage\n\n\n");
    takenOver("garbage");
    Put(path, "1\nlarkspire\nanother-host\n");
    takenOver("a lock written on another host");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    takenOver("an empty directory");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    takenOver("a FIFO");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::link("/dev/null", path));
    takenOver("a link to a device");
}

TEST(LockFileInstance, ALockThatCannotBeMadeLetsTheProgramStart)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("larkspire.lock");
    ASSERT_TRUE(QDir().mkpath(path + "/inside"));
    LockFileInstance lock(path);
    EXPECT_TRUE(lock.tryAcquire());
}

// ---- Random draws ----

TEST(StdRandomSource, StartsASecondApartDrawUnrelatedFirstNumbers)
{
    // The promotional label in front is the first draw's parity; over starts one second apart it
    // must change about half the time, never stick for long.
    int changes = 0;
    int longestRun = 0;
    int run = 0;
    int previous = -1;
    const std::uint64_t start = 1796601600ull * 1000000000ull;
    for (std::uint64_t second = 0; second < 1000; ++second) {
        StdRandomSource random;
        random.seedFromTicks(start + second * 1000000000ull, 5000000000ull + second * 1000000000ull);
        const int parity = random.between(1, 6) % 2;
        run = parity == previous ? run + 1 : 1;
        changes += parity != previous && previous >= 0;
        longestRun = std::max(longestRun, run);
        previous = parity;
    }
    EXPECT_GT(changes, 420);
    EXPECT_LT(changes, 580);
    EXPECT_LE(longestRun, 14);
}

// ---- The real file dialog ----

TEST(QtCommonDialogs, SaveStartsInDocumentsThenWhereTheLastFileWent)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    ASSERT_TRUE(QDir().mkpath(home.filePath("Documents")));
    ASSERT_TRUE(QDir().mkpath(home.filePath("elsewhere")));
    QtCommonDialogs dialogs;
    const CommonDialogs::SaveRequest request{"Larkspire", "Rich Text Format (*.rtf)", "rtf", "Larkspire Interpretation.rtf"};
    const auto answer = [](const std::function<void(QFileDialog *)> &act) {
        QTimer::singleShot(0, [act] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(dialog);
        });
    };
    QString firstFolder;
    QString suggested;
    answer([&](QFileDialog *dialog) {
        firstFolder = dialog->directory().absolutePath();
        suggested = dialog->findChild<QLineEdit *>("fileNameEdit")->text();
        dialog->selectFile(home.filePath("elsewhere/reading.rtf"));
        static_cast<QDialog *>(dialog)->accept();
    });
    EXPECT_EQ(dialogs.askSaveFileName(nullptr, request), home.filePath("elsewhere/reading.rtf"));
    EXPECT_EQ(firstFolder, home.filePath("Documents"));
    EXPECT_EQ(suggested, "Larkspire Interpretation.rtf");
    QString secondFolder;
    answer([&](QFileDialog *dialog) {
        secondFolder = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_EQ(dialogs.askSaveFileName(nullptr, request), std::nullopt);
    EXPECT_EQ(secondFolder, home.filePath("elsewhere"));
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

// ---- The real print dialog ----

TEST(QtCommonDialogs, ThePrintDialogOffersNoPageRange)
{
    for (const bool hasSelection : {false, true}) {
        QtCommonDialogs dialogs;
        QPrinter printer(QPrinter::HighResolution);
        bool pagesFromEnabled = true;
        bool selectionChosen = false;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            auto *pagesFrom = dialog->findChild<QRadioButton *>("printRange");
            auto *selection = dialog->findChild<QRadioButton *>("printSelection");
            ASSERT_TRUE(pagesFrom && selection);
            seen = true;
            // The dialog switches its controls on again when the printer changes.
            pagesFrom->setEnabled(true);
            pagesFromEnabled = pagesFrom->isEnabled();
            selectionChosen = selection->isChecked();
            dialog->close();
        });
        EXPECT_FALSE(dialogs.askPrinter(nullptr, printer, hasSelection));
        EXPECT_TRUE(seen);
        EXPECT_FALSE(pagesFromEnabled) << hasSelection;
        EXPECT_EQ(selectionChosen, hasSelection);
    }
}

} // namespace
