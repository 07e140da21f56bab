#include "text/FileRead.h"
#include "support/TempDir.h"
#include "text/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

using text::FileReadError;

TEST(FileRead, ReadsWholeFilesUpToTheCapAndRefusesTheRestUnread)
{
    constexpr qint64 cap = 8;
    TempDir dir;
    dir.write(QStringLiteral("at-cap"), "12345678");
    dir.write(QStringLiteral("past-cap"), "123456789");
    dir.write(QStringLiteral("empty"), "");
    dir.write(QStringLiteral("locked"), "1234");
    QFile::setPermissions(dir.path(QStringLiteral("locked")), QFileDevice::WriteOwner);
    QDir(dir.dir()).mkdir(QStringLiteral("folder"));
    // Root reads a file whatever its permissions say.
    const bool lockedOpens = geteuid() == 0;

    const struct {
        QString path;
        FileReadError error;
        QByteArray bytes;
    } cases[] = {
        {dir.path(QStringLiteral("at-cap")), FileReadError::None, "12345678"},
        {dir.path(QStringLiteral("empty")), FileReadError::None, ""},
        {dir.path(QStringLiteral("past-cap")), FileReadError::TooLarge, ""},
        {dir.path(QStringLiteral("missing")), FileReadError::CannotOpen, ""},
        {dir.path(QStringLiteral("folder")), FileReadError::CannotOpen, ""},
        {dir.path(QStringLiteral("locked")),
         lockedOpens ? FileReadError::None : FileReadError::CannotOpen, lockedOpens ? "1234" : ""},
        // A device reports no size: the read itself finds it larger than the cap.
        {QStringLiteral("/dev/zero"), FileReadError::TooLarge, ""},
        // Opens, but reading its first bytes (an unmapped address) fails.
        {QStringLiteral("/proc/self/mem"), FileReadError::ReadFailed, ""},
    };
    for (const auto& c : cases) {
        const text::FileRead read = text::ReadCapped(c.path, cap);
        EXPECT_EQ(read.error, c.error) << c.path.toStdString();
        EXPECT_EQ(read.bytes, c.bytes) << c.path.toStdString();
        // Every failure says why, for the command line and the logs.
        EXPECT_EQ(read.reason.isEmpty(), c.error == FileReadError::None) << c.path.toStdString();
    }
    EXPECT_TRUE(text::ReadCapped(dir.path(QStringLiteral("missing")), cap)
                    .reason.contains(QStringLiteral("No such file")));
}

TEST(FileRead, AFailedWriteLeavesTheOldFileAndSaysWhy)
{
    TempDir dir;
    dir.write(QStringLiteral("old"), "old bytes");
    QDir(dir.dir()).mkdir(QStringLiteral("folder"));

    const text::WriteResult written =
        text::WriteFileAtomically(dir.path(QStringLiteral("old")), "new");
    EXPECT_TRUE(written);
    EXPECT_TRUE(written.reason().isEmpty());
    EXPECT_EQ(dir.read(QStringLiteral("old")), QByteArray("new"));

    const text::WriteResult intoMissing =
        text::WriteFileAtomically(dir.path(QStringLiteral("none/file")), "x");
    EXPECT_FALSE(intoMissing);
    EXPECT_TRUE(intoMissing.reason().contains(QStringLiteral("No such file")))
        << intoMissing.reason().toStdString();
    // A folder in the file's place cannot be replaced: the folder stays.
    const text::WriteResult overFolder =
        text::WriteFileAtomically(dir.path(QStringLiteral("folder")), "x");
    EXPECT_FALSE(overFolder);
    EXPECT_FALSE(overFolder.reason().isEmpty());
    EXPECT_TRUE(QFileInfo(dir.path(QStringLiteral("folder"))).isDir());
}
