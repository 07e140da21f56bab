// Start-up loads what the main menu needs and no more: no image format plugin for the window
// icon, Qt Network only with the first download (the network module) and Qt Print Support only
// with the first printout (the printing module). A test program of its own, so that nothing else
// has loaded them before it looks.
#include "app/AppController.h"
#include "app/Program.h"
#include "net/Download.h"
#include "support/TempDir.h"
#include "support/WindowTestSupport.h"
#include "ui/ModulePrinter.h"
#include "ui/TextPrinter.h"
#include "windows/menu/MainMenu.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstring>
#include <link.h>
#include <optional>

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

TEST(StartupLibraries, QtNetworkIsLoadedByTheFirstDownloadOnly)
{
    const QString cwd = QDir::currentPath();
    TempDir program;
    TempDir config;
    {
        ShellFakes f;
        app::AppController controller(f.state, f.services);
        controller.start({program.dir(), config.dir()});
        ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.menu()));
        EXPECT_FALSE(Loaded("libQt6Network"));
        EXPECT_FALSE(Loaded("libQt6PrintSupport"));
    }
    QDir::setCurrent(cwd);

    // The module judges the address itself: its answer shows it was loaded, and Qt Network
    // with it.
    net::Download download;
    std::optional<net::DownloadResult> result;
    QObject::connect(&download, &net::Download::finished,
                     [&result](const net::DownloadResult& r) { result = r; });
    download.start(QUrl(QStringLiteral("ftp://127.0.0.1/draws.csv")), {});
    ASSERT_TRUE(QTest::qWaitFor([&result] { return result.has_value(); }));
    EXPECT_EQ(result->error, net::DownloadError::Other);
    EXPECT_EQ(result->message.toStdString(),
              "ftp://127.0.0.1/draws.csv: not a web address (https://)");
    EXPECT_TRUE(Loaded("libQt6Network"));
}

TEST(StartupLibraries, QtPrintSupportIsLoadedByTheFirstPrintoutOnly)
{
    ui::ModulePrinter printer;
    EXPECT_FALSE(Loaded("libQt6PrintSupport"));

    // The printout opens the module's print preview, which is closed as soon as it shows.
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            shown = QString::fromLatin1(dialog->metaObject()->className());
            dialog->close();
        }
    });
    closer.start(0);
    ui::TextDocument document;
    document.pages = {{QStringLiteral("One line")}};
    EXPECT_FALSE(printer.printText(document, QStringLiteral("Test")));
    EXPECT_EQ(shown.toStdString(), "QPrintPreviewDialog");
    EXPECT_TRUE(Loaded("libQt6PrintSupport"));
}

// Without its module a printout cannot be made, and the user who asked for one is told why.
TEST(StartupLibraries, APrintoutWithoutItsModuleSaysWhy)
{
    ui::ModulePrinter printer(QStringLiteral("tallimo-no-such-module.so"));
    QString said;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&said] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            box->close();
        }
    });
    closer.start(0);
    ui::TextDocument document;
    document.pages = {{QStringLiteral("One line")}};
    EXPECT_FALSE(printer.printText(document, QStringLiteral("Test")));
    EXPECT_EQ(said.toStdString(),
              "Printing is not available: tallimo-no-such-module.so not found.");
}
