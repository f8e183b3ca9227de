#pragma once
// Files for tests on Linux: a disk that fills up, an ordinary user's permissions, and links and
// FIFOs where the program writes.

#include "TestFiles.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// While alive, every write past maxBytes into a file goes beyond the process's file size limit, as
// on a full disk. The signal the system raises for it is handled as the program handles it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t maxBytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit limit{maxBytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

// While alive, the process acts as an ordinary user (when it runs as root, which may write
// anywhere), so that permissions hold.
class AsOrdinaryUser {
public:
    AsOrdinaryUser()
        : m_root(geteuid() == 0)
    {
        if (m_root) {
            EXPECT_EQ(setegid(65534), 0);
            EXPECT_EQ(seteuid(65534), 0);
        }
    }
    ~AsOrdinaryUser()
    {
        if (m_root) {
            EXPECT_EQ(seteuid(0), 0);
            EXPECT_EQ(setegid(0), 0);
        }
    }

private:
    bool m_root;
};

// What may lie where the program writes: a regular file, a symbolic link to it and a FIFO, made in
// a folder. None of them may be followed, replaced or waited on.
struct SpecialFiles {
    explicit SpecialFiles(const QString &folder)
        : target(folder + "/target.rtf")
        , link(folder + "/link.rtf")
        , fifo(folder + "/fifo.rtf")
    {
        Put(target, "target contents");
        EXPECT_TRUE(QFile::link(target, link));
        EXPECT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    }

    // The link is still a link, its target untouched, the FIFO still a FIFO.
    void expectUnchanged() const
    {
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(Contents(target), "target contents");
        struct stat info {};
        ASSERT_EQ(lstat(QFile::encodeName(fifo).constData(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode));
    }

    QString target;
    QString link;
    QString fifo;
};
