// Start-up loads what the main menu needs and no more: no image format plugin for the window
// icon. A test program of its own, so that nothing else has loaded them before it looks.
#include "app/Program.h"

#include <QIcon>
#include <cstring>
#include <gtest/gtest.h>
#include <link.h>

namespace {

// Whether a library whose file name holds `name` is loaded into this process.
bool Loaded(const char* name)
{
    struct Search {
        const char* name;
        bool found;
    } search{name, false};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, s->name) != nullptr)
                s->found = true;
            return 0;
        },
        &search);
    return search.found;
}

} // namespace

TEST(StartupLibraries, TheWindowIconIsReadWithoutImageFormatPlugins)
{
    const QIcon icon = app::ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(64, 64)});
    EXPECT_FALSE(Loaded("/imageformats/"));
}
