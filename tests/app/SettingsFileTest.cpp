#include "app/SettingsFile.h"
#include "FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using app::ParseSettings;
using app::ReadSettingsFile;

namespace {

struct Expected {
    int picks, high, forms;
    const char* symbol;
    const char* name;
    bool showName;
};

void ExpectSettings(const app::SettingsReadResult& r, const Expected& e, const char* what)
{
    EXPECT_EQ(r.settings.DefaultPicks, e.picks) << what;
    EXPECT_EQ(r.settings.DefaultHighNumber, e.high) << what;
    EXPECT_EQ(r.settings.EntryForms, e.forms) << what;
    EXPECT_EQ(r.settings.CurrencySymbol, QString::fromLatin1(e.symbol)) << what;
    EXPECT_EQ(r.settings.UserName, QString::fromLatin1(e.name)) << what;
    EXPECT_EQ(r.showName, e.showName) << what;
}

} // namespace

TEST(SettingsFile, MissingFileGivesTheDefaultsAndNoName)
{
    TempDir dir;
    const auto r = ReadSettingsFile(dir.path(QStringLiteral("Personal.Lot")));
    EXPECT_FALSE(r.complete);
    ExpectSettings(r, {6, 49, 1, "$", "", false}, "missing");
}

TEST(SettingsFile, ReadsFieldsAndRepairsEachValueOnItsOwn)
{
    struct Case {
        const char* bytes;
        Expected expected;
    };
    const Case cases[] = {
        {"6,49,1,\"$\",\"Player\"\r\n", {6, 49, 1, "$", "Player", true}},
        // Out of range values take their defaults one by one; the name still shows.
        {"12,75,0,\"\",\"Player\"\r\n", {6, 49, 1, "$", "Player", true}},
        {"10,60,10,\"Kr\",\"Ann\"", {10, 60, 10, "Kr", "Ann", true}},
        {"1,1,1,\"$\",\"\"\r\n", {1, 1, 1, "$", "", false}},
        {"0,61,11,\"$\",\"x\"\r\n", {6, 49, 1, "$", "x", true}},
        // Commas inside quotes belong to the text; blanks around numbers are dropped.
        {"5,39,2,\"EU\",\"Smith, John, Jr.\"\r\n", {5, 39, 2, "EU", "Smith, John, Jr.", true}},
        {"  7 , 45 ,3 ,\"Fr\", \"Ana\"\r\n", {7, 45, 3, "Fr", "Ana", true}},
        // An unquoted text is taken up to the comma; anything after the fifth field is ignored.
        {"8,40,2,$,Bob,extra,\"more\"\r\n", {8, 40, 2, "$", "Bob", true}},
        // An empty number field reads as 0 and so takes its default alone.
        {",40,2,\"$\",\"Eve\"\r\n", {6, 40, 2, "$", "Eve", true}},
        // Too few fields: all numbers take their defaults even where they were valid; texts
        // read before the end are kept, and no name is shown.
        {"8,40,3\r\n", {6, 49, 1, "$", "", false}},
        {"8,40,3,\"\xA3\"\r\n", {6, 49, 1, "\xA3", "", false}},
        // An unreadable value ends the read the same way.
        {"x,40,3,\"Kr\",\"Ann\"\r\n", {6, 49, 1, "$", "", false}},
        {"8,40.5,3,\"Kr\",\"Ann\"\r\n", {6, 49, 1, "$", "", false}},
        {"8,40,#2001-01-01#,\"Kr\",\"Ann\"\r\n", {6, 49, 1, "$", "", false}},
        {"70000,40,3,\"Kr\",\"Ann\"\r\n", {6, 49, 1, "$", "", false}},
        {"", {6, 49, 1, "$", "", false}},
        {"\r\n\r\n", {6, 49, 1, "$", "", false}},
    };
    for (const Case& c : cases)
        ExpectSettings(ParseSettings(QByteArray(c.bytes)), c.expected, c.bytes);
}

TEST(SettingsFile, FailedReadKeepsTextsHeldBefore)
{
    PersonalSettings before;
    before.CurrencySymbol = QStringLiteral("Kr");
    before.UserName = QStringLiteral("Earlier");
    const auto r = ParseSettings("3,30,2", before);
    EXPECT_FALSE(r.complete);
    EXPECT_FALSE(r.showName);
    EXPECT_EQ(r.settings.CurrencySymbol, QStringLiteral("Kr"));
    EXPECT_EQ(r.settings.UserName, QStringLiteral("Earlier"));
    EXPECT_EQ(r.settings.DefaultPicks, 6);
}

TEST(SettingsFile, WritesAndReadsBackByteForByte)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("Personal.Lot"));
    const QByteArray lines[] = {
        "6,49,1,\"$\",\"Player\"\r\n",
        "10,60,10,\"Kr\",\"Smith, John\"\r\n",
        "1,1,1,\"\xA3\",\"\"\r\n",
        "5,42,3,\"EU\",\"  two  blanks \"\r\n",
    };
    for (const QByteArray& line : lines) {
        dir.write(QStringLiteral("Personal.Lot"), line);
        const auto r = ReadSettingsFile(path);
        ASSERT_TRUE(r.complete) << line.constData();
        QFile::remove(path);
        ASSERT_TRUE(app::WriteSettingsFile(path, r.settings));
        EXPECT_EQ(dir.read(QStringLiteral("Personal.Lot")), line);
    }
}

TEST(SettingsFile, QuoteInATextNeverAddsAField)
{
    PersonalSettings s;
    s.UserName = QStringLiteral("Jo \"Ace\", Smith");
    const QByteArray bytes = app::SerializeSettings(s);
    EXPECT_EQ(bytes, QByteArray("6,49,1,\"$\",\"Jo Ace, Smith\"\r\n"));
    EXPECT_EQ(ParseSettings(bytes).settings.UserName, QStringLiteral("Jo Ace, Smith"));
}

TEST(SettingsFile, OversizedFileIsNotRead)
{
    TempDir dir;
    QByteArray bytes = "4,40,2,\"Kr\",\"Ann\"\r\n";
    bytes.append(QByteArray(app::MaxSettingsBytes, ' '));
    dir.write(QStringLiteral("Personal.Lot"), bytes);
    const auto r = ReadSettingsFile(dir.path(QStringLiteral("Personal.Lot")));
    ExpectSettings(r, {6, 49, 1, "$", "", false}, "oversized");

    // The same line within the cap reads normally.
    dir.write(QStringLiteral("Personal.Lot"), bytes.left(200));
    ExpectSettings(ReadSettingsFile(dir.path(QStringLiteral("Personal.Lot"))),
                   {4, 40, 2, "Kr", "Ann", true}, "small");
}

TEST(SettingsFile, FolderIsTheProgramsUnlessItCannotBeWritten)
{
    TempDir program;
    TempDir config;
    EXPECT_EQ(app::SettingsFilePath(program.dir(), config.dir()),
              QDir(program.dir()).filePath(QStringLiteral("Personal.Lot")));
    const QString gone = program.path(QStringLiteral("not-there"));
    EXPECT_EQ(app::SettingsFilePath(gone, config.dir()),
              QDir(config.dir()).filePath(QStringLiteral("Personal.Lot")));
    // Without a configuration folder the program's folder is all there is.
    EXPECT_EQ(app::SettingsFilePath(gone, QString()),
              QDir(gone).filePath(QStringLiteral("Personal.Lot")));
}

TEST(SettingsFile, WritingCreatesTheConfigurationFolder)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("a/b/Personal.Lot"));
    PersonalSettings s;
    s.UserName = QStringLiteral("Player");
    ASSERT_TRUE(app::WriteSettingsFile(path, s));
    EXPECT_EQ(dir.read(QStringLiteral("a/b/Personal.Lot")),
              QByteArray("6,49,1,\"$\",\"Player\"\r\n"));
}

TEST(SettingsFile, FailedWriteLeavesTheOldFileAsItWas)
{
    TempDir dir;
    const QByteArray old = "6,49,1,\"$\",\"Player\"\r\n";
    dir.write(QStringLiteral("Personal.Lot"), old);
    PersonalSettings s;
    s.UserName = QString(200, QLatin1Char('n'));
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(app::WriteSettingsFile(dir.path(QStringLiteral("Personal.Lot")), s));
    }
    EXPECT_EQ(dir.read(QStringLiteral("Personal.Lot")), old);
    EXPECT_EQ(QDir(dir.dir()).entryList(QDir::Files), QStringList{QStringLiteral("Personal.Lot")});
    // A folder in place of the file cannot be replaced either.
    QDir(dir.dir()).mkdir(QStringLiteral("Taken.Lot"));
    EXPECT_FALSE(app::WriteSettingsFile(dir.path(QStringLiteral("Taken.Lot")), s));
}
