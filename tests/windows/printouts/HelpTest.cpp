#include "windows/printouts/Help.h"

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <vector>

TEST(Help, OpensTheGuideFromTheFirstFolderThatHoldsIt)
{
    TempDir program;
    TempDir other;
    TempDir empty;
    program.write(QStringLiteral("Tlmuse.html"), "<html></html>");
    other.write(QStringLiteral("Tlmuse.html"), "<html></html>");

    std::vector<QUrl> opened;
    auto open = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    EXPECT_TRUE(app::OpenHelp({empty.dir(), program.dir(), other.dir()}, open));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0],
              QUrl::fromLocalFile(
                  QFileInfo(program.path(QStringLiteral("Tlmuse.html"))).absoluteFilePath()));

    // Missing everywhere: nothing is started and nothing is shown.
    opened.clear();
    EXPECT_FALSE(app::OpenHelp({empty.dir()}, open));
    EXPECT_TRUE(opened.empty());

    // A folder of that name is not the guide.
    QDir(empty.dir()).mkdir(QStringLiteral("Tlmuse.html"));
    EXPECT_FALSE(app::OpenHelp({empty.dir()}, open));
    EXPECT_TRUE(opened.empty());

    // A viewer that cannot be started is reported to the caller only.
    EXPECT_FALSE(app::OpenHelp({program.dir()}, [](const QUrl&) { return false; }));
}

TEST(Help, LooksInTheCurrentDirectoryFirst)
{
    const QStringList folders = app::HelpFolders();
    ASSERT_GE(folders.size(), 1);
    EXPECT_EQ(folders.front(), QDir::currentPath());

    TempDir program;
    program.write(QStringLiteral("Tlmuse.html"), "<html></html>");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(program.dir()));
    const QString found = app::FindHelpFile(app::HelpFolders());
    QDir::setCurrent(before);
    EXPECT_EQ(QFileInfo(found).canonicalFilePath(),
              QFileInfo(program.path(QStringLiteral("Tlmuse.html"))).canonicalFilePath());
}

TEST(Help, AnInstalledCopyLooksInTheDocumentationFolderLast)
{
    const QStringList folders = app::HelpFolders();
    ASSERT_EQ(folders.size(), 3);
    const QDir bin(QCoreApplication::applicationDirPath());
    EXPECT_EQ(folders.at(1), bin.path());
    // bin/../share/doc/tallimo-win9, where the package puts the guide.
    EXPECT_EQ(folders.at(2),
              QDir::cleanPath(bin.filePath(QStringLiteral("../share/doc/tallimo-win9"))));
}
