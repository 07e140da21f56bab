#include "ui/QtDialogs.h"

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
