#include "ui/QtDialogs.h"

#include "support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

TEST(QtDialogs, FilterMatchesTheExtensionInAnyCase)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"Lottery Winning Numbers Database (*.lto)",
         "Lottery Winning Numbers Database (*.lto *.LTO *.Lto)"},
        {"Investment Tracker Databases (*.inv)",
         "Investment Tracker Databases (*.inv *.INV *.Inv)"},
        {"Everything (*)", "Everything (*)"},
        {"No pattern", "No pattern"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::AnyCaseFilter(QLatin1String(c.in)), QLatin1String(c.out)) << c.in;
}

TEST(QtDialogs, StartsAtTheFileInMemoryOrInTheFolderLastUsed)
{
    const QString last = QStringLiteral("/home/me/lotto");
    EXPECT_EQ(ui::DialogStartPath(QStringLiteral("/data/Mine.lto"), last),
              QStringLiteral("/data/Mine.lto"));
    EXPECT_EQ(ui::DialogStartPath(QStringLiteral("Extract.lto"), last),
              QStringLiteral("/home/me/lotto/Extract.lto"));
    EXPECT_EQ(ui::DialogStartPath(QString(), last), last);
}

TEST(QtDialogs, TheOfferedFolderIsAPlaceAndTheFirstOpenStartsThere)
{
    // The real dialog, shown and looked at, then cancelled or answered.
    TempDir samples;
    TempDir mine;
    samples.write(QStringLiteral("Sample.Lto"), "x");
    ui::QtDialogs dialogs;
    dialogs.offerFolder(samples.dir());
    QString startedIn;
    bool offered = false;
    auto lookThenChoose = [&](const QString& choose) {
        QTimer::singleShot(0, [&, choose] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            startedIn = dialog->directory().absolutePath();
            offered = dialog->sidebarUrls().contains(QUrl::fromLocalFile(samples.dir()));
            if (choose.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(choose);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
    };
    lookThenChoose(mine.path(QStringLiteral("Week.lto")));
    mine.write(QStringLiteral("Week.lto"), "x");
    EXPECT_EQ(dialogs.chooseFile(ui::FileMode::Open, QStringLiteral("Any (*)"), QString()),
              mine.path(QStringLiteral("Week.lto")));
    EXPECT_EQ(startedIn, QDir(samples.dir()).absolutePath());
    EXPECT_TRUE(offered);
    // Once the user has chosen a file, the next dialog starts where it was; the samples stay
    // among the places, of a Save dialog too.
    lookThenChoose(QString());
    EXPECT_EQ(dialogs.chooseFile(ui::FileMode::Save, QStringLiteral("Any (*)"), QString()),
              std::nullopt);
    EXPECT_EQ(startedIn, QDir(mine.dir()).absolutePath());
    EXPECT_TRUE(offered);
}
