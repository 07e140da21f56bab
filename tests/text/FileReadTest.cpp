#include "text/FileRead.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
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
    }
}
