// Where the program finds its samples and guide, and where its dialogs first look: beside the
// program in a build folder, in their installed places under share/ for an installed copy.
#include "app/ProgramFolders.h"

#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
const QString SamplesFromBin = QStringLiteral("../share/tallimo-win9/samples");
const QString GuideFromBin = QStringLiteral("../share/doc/tallimo-win9");
} // namespace

TEST(ProgramFolders, BuildFolderKeepsEverythingBesideTheProgram)
{
    TempDir root;
    QDir(root.dir()).mkpath(QStringLiteral("bin"));
    QDir(root.dir()).mkpath(QStringLiteral("Documents"));
    root.write(QStringLiteral("bin/Sample.Lto"), "1,3,9,\"\",3,4,4\r\n");
    // Even with an installed tree beside it, a program with its samples beside it runs as today.
    QDir(root.dir()).mkpath(QStringLiteral("share/tallimo-win9/samples"));

    const app::ProgramFolders f = app::FindProgramFolders(root.path(QStringLiteral("bin")),
                                                          root.path(QStringLiteral("Documents")),
                                                          SamplesFromBin, GuideFromBin);
    EXPECT_FALSE(f.installed);
    EXPECT_EQ(f.samplesDir, root.path(QStringLiteral("bin")));
    EXPECT_EQ(f.guideDir, root.path(QStringLiteral("bin")));
    EXPECT_EQ(f.startDir, root.path(QStringLiteral("bin")));
}

TEST(ProgramFolders, InstalledCopyUsesShareAndStartsInTheDocuments)
{
    TempDir root;
    for (const char* dir : {"usr/bin", "usr/share/tallimo-win9/samples",
                            "usr/share/doc/tallimo-win9", "home/Documents"})
        QDir(root.dir()).mkpath(QLatin1String(dir));

    const app::ProgramFolders f = app::FindProgramFolders(
        root.path(QStringLiteral("usr/bin")), root.path(QStringLiteral("home/Documents")),
        SamplesFromBin, GuideFromBin);
    EXPECT_TRUE(f.installed);
    EXPECT_EQ(f.programDir, root.path(QStringLiteral("usr/bin")));
    EXPECT_EQ(f.samplesDir, root.path(QStringLiteral("usr/share/tallimo-win9/samples")));
    EXPECT_EQ(f.guideDir, root.path(QStringLiteral("usr/share/doc/tallimo-win9")));
    EXPECT_EQ(f.startDir, root.path(QStringLiteral("home/Documents")));

    // Without a documents folder the dialogs start at home.
    const app::ProgramFolders noDocuments = app::FindProgramFolders(
        root.path(QStringLiteral("usr/bin")), root.path(QStringLiteral("home/Missing")),
        SamplesFromBin, GuideFromBin);
    EXPECT_EQ(noDocuments.startDir, QDir::homePath());
}

TEST(ProgramFolders, AReadOnlyFolderOfItsOwnIsNotAnInstalledCopy)
{
    // Samples beside the program in a folder the user cannot write: it keeps them there and
    // is not taken for an installed copy (its settings file is still read), but its dialogs
    // start in the documents folder, where the user can save.
    TempDir root;
    QDir(root.dir()).mkpath(QStringLiteral("portable"));
    QDir(root.dir()).mkpath(QStringLiteral("Documents"));
    root.write(QStringLiteral("portable/Sample.Lto"), "1,3,9,\"\",3,4,4\r\n");
    const app::ProgramFolders f = app::FindProgramFolders(
        root.path(QStringLiteral("portable")), root.path(QStringLiteral("Documents")),
        SamplesFromBin, GuideFromBin, [](const QString&) { return false; });
    EXPECT_FALSE(f.installed);
    EXPECT_FALSE(f.writable);
    EXPECT_EQ(f.samplesDir, root.path(QStringLiteral("portable")));
    EXPECT_EQ(f.startDir, root.path(QStringLiteral("Documents")));
}
