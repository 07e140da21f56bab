#include "models/settings/SettingsFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(SettingsFile, ReadsFieldsAndRepairsValues)
{
    struct Case {
        const char* bytes; // nullptr: no file
        int picks, high, forms;
        const char* symbol;
        const char* name;
        bool showName;
    };
    const Case cases[] = {
        {nullptr, 6, 49, 1, "$", "", false},
        {"6,49,1,\"$\",\"Player\"\r\n", 6, 49, 1, "$", "Player", true},
        // Out of range values take their defaults one by one; the name still shows.
        {"12,75,0,\"\",\"Player\"\r\n", 6, 49, 1, "$", "Player", true},
        {"10,60,10,\"Kr\",\"\"", 10, 60, 10, "Kr", "", false},
        // Commas inside quotes belong to the text; blanks around items are dropped; an empty
        // number is 0; anything after the fifth field is ignored.
        {" 5 ,39, 2,\"EU\", \"Smith, John\",x\r\n", 5, 39, 2, "EU", "Smith, John", true},
        {",40,2,$,Bob\r\n", 6, 40, 2, "$", "Bob", true},
        // Too few fields or an unreadable value: every number takes its default, texts read
        // before the failure are kept, and no name is shown.
        {"8,40,3\r\n", 6, 49, 1, "$", "", false},
        {"8,40,3,\"\xA3\"\r\n", 6, 49, 1, "\xA3", "", false},
        {"8,40.5,3,\"Kr\",\"Ann\"\r\n", 6, 49, 1, "$", "", false},
        {"70000,40,3,\"Kr\",\"Ann\"\r\n", 6, 49, 1, "$", "", false},
    };
    TempDir dir;
    const QString path = dir.path(QStringLiteral("Personal.Lot"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes ? c.bytes : "no file");
        QFile::remove(path);
        if (c.bytes) dir.write(QStringLiteral("Personal.Lot"), c.bytes);
        const app::SettingsReadResult r = app::ReadSettingsFile(path);
        EXPECT_EQ(r.settings.DefaultPicks, c.picks);
        EXPECT_EQ(r.settings.DefaultHighNumber, c.high);
        EXPECT_EQ(r.settings.EntryForms, c.forms);
        EXPECT_EQ(r.settings.CurrencySymbol, QString::fromLatin1(c.symbol));
        EXPECT_EQ(r.settings.UserName, QString::fromLatin1(c.name));
        EXPECT_EQ(r.showName, c.showName);
    }
    // A file far larger than any settings line is not read at all.
    dir.write(QStringLiteral("Personal.Lot"),
              "4,40,2,\"Kr\",\"Ann\"\r\n" + QByteArray(app::MaxSettingsBytes, ' '));
    EXPECT_EQ(app::ReadSettingsFile(path).settings.DefaultPicks, 6);
}

TEST(SettingsFile, WritesAndReadsBackByteForByte)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("sub/Personal.Lot")); // folder made as needed
    for (const QByteArray& line :
         {QByteArray("6,49,1,\"$\",\"Player\"\r\n"),
          QByteArray("10,60,10,\"Kr\",\"Smith, John \"\r\n"), QByteArray("1,1,1,\"\xA3\",\"\"\r\n"),
          // Windows-1252: the euro sign and a name with curly quotes.
          QByteArray("6,49,1,\"\x80\",\"\x93Lucky\x94 Zo\xEB\"\r\n")}) {
        const auto r = app::ParseSettings(line);
        ASSERT_TRUE(r.complete) << line.constData();
        ASSERT_TRUE(app::WriteSettingsFile(path, r.settings));
        EXPECT_EQ(dir.read(QStringLiteral("sub/Personal.Lot")), line);
    }
    // The files have no escape: a quote in a name is dropped, never a sixth field.
    core::PersonalSettings s;
    s.UserName = QStringLiteral("Jo \"Ace\", Smith");
    EXPECT_EQ(app::SerializeSettings(s), QByteArray("6,49,1,\"$\",\"Jo Ace, Smith\"\r\n"));
}

TEST(SettingsFile, KeptInTheProgramFolderUnlessItCannotBeWritten)
{
    TempDir program;
    TempDir config;
    const QString name = QStringLiteral("Personal.Lot");
    EXPECT_EQ(app::SettingsFilePath(program.dir(), config.dir()), program.path(name));
    const QString installed = program.path(QStringLiteral("read-only"));
    EXPECT_EQ(app::SettingsFilePath(installed, config.dir()), config.path(name));
    EXPECT_EQ(app::SettingsFilePath(installed, QString()), QDir(installed).filePath(name));
}

TEST(SettingsFile, ReadFromAReadOnlyProgramFolderUntilTheConfigFolderHasItsOwn)
{
    // The folder's writability is given, so the test runs as root too.
    TempDir program;
    TempDir config;
    const QString name = QStringLiteral("Personal.Lot");
    program.write(name, "7,35,2,\"$\",\"Ann\"\r\n");
    EXPECT_EQ(app::SettingsFilePath(program.dir(), config.dir(), false), config.path(name));
    EXPECT_EQ(app::SettingsReadPath(program.dir(), config.dir(), false), program.path(name));
    config.write(name, "6,49,1,\"$\",\"Bo\"\r\n");
    EXPECT_EQ(app::SettingsReadPath(program.dir(), config.dir(), false), config.path(name));
    EXPECT_EQ(app::SettingsReadPath(program.dir(), config.dir(), true), program.path(name));
}

TEST(SettingsFile, FailedWriteLeavesTheOldFileAsItWas)
{
    TempDir dir;
    const QByteArray old = "6,49,1,\"$\",\"Player\"\r\n";
    dir.write(QStringLiteral("Personal.Lot"), old);
    core::PersonalSettings s;
    s.UserName = QString(200, QLatin1Char('n'));
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(app::WriteSettingsFile(dir.path(QStringLiteral("Personal.Lot")), s));
    }
    EXPECT_EQ(dir.read(QStringLiteral("Personal.Lot")), old);
    EXPECT_EQ(QDir(dir.dir()).entryList(QDir::Files), QStringList{QStringLiteral("Personal.Lot")});
}
