// Update Draws through the real windows, driven by their access keys, against a local server:
// an address typed into Import Draws is remembered, Update Draws brings only what is new, says
// so in one line when nothing is, names the address and the reason when the download fails,
// and a slow download can be cancelled from its progress bar.
#include "app/AppController.h"
#include "app/FileCommands.h"
#include "models/history/RememberedSource.h"
#include "models/tickets/TicketsFile.h"
#include "windows/import/ImportDialog.h"

#include "LocalHttpServer.h"
#include "support/QStringPrinting.h"
#include "support/TempDir.h"
#include "support/WindowTestSupport.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QTableView>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

namespace {

// Ball b (0..5) of draw d: six different numbers, none counting up from draw to draw.
int Ball(int d, int b)
{
    return 1 + (13 * d + 7 * b) % 49;
}

QDate DrawDate(int d)
{
    return QDate(2025, 3, 3).addDays(4 * d);
}

// The operator's table of draws 0..last, newest first.
QByteArray Table(int last)
{
    QByteArray table = "Draw Date,N1,N2,N3,N4,N5,N6\r\n";
    for (int d = last; d >= 0; --d) {
        table += DrawDate(d).toString(Qt::ISODate).toLatin1();
        for (int b = 0; b < 6; ++b)
            table += ',' + QByteArray::number(Ball(d, b));
        table += "\r\n";
    }
    return table;
}

// Runs each step once its condition holds, in order, from a timer: the steps act inside the
// modal loops of the windows they drive, and every step waits for the state it needs.
class Script {
public:
    Script()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_steps.empty()) return m_timer.stop();
            if (!m_steps.front().first()) return;
            const std::function<void()> act = m_steps.front().second;
            m_steps.pop_front();
            act();
        });
    }
    Script& then(std::function<bool()> ready, std::function<void()> act)
    {
        m_steps.emplace_back(std::move(ready), std::move(act));
        return *this;
    }
    void start() { m_timer.start(10); }
    bool done() const { return m_steps.empty(); }

private:
    QTimer m_timer;
    std::deque<std::pair<std::function<bool()>, std::function<void()>>> m_steps;
};

class UpdateDrawsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cwd = QDir::currentPath();
        ASSERT_TRUE(server.isListening());
        server.setFolder(served.dir());
        // The database holds the first five draws of the table.
        std::vector<std::vector<int>> draws;
        std::vector<QDate> dates;
        for (int d = 0; d < 5; ++d) {
            std::vector<int> numbers;
            for (int b = 0; b < 6; ++b)
                numbers.push_back(Ball(d, b));
            std::sort(numbers.begin(), numbers.end());
            draws.push_back(numbers);
            dates.push_back(DrawDate(d));
        }
        ASSERT_TRUE(lto::Save(week, MakeDrawDatabase(49, 6, draws, dates, QStringLiteral("Week"))));
        controller = std::make_unique<app::AppController>(f.state, f.services);
        controller->setImportPrepare([this](history::ImportDialog& d) { dialog = &d; });
        controller->start({program.dir(), config.dir()});
        controller->openAtStart(week);
    }
    void TearDown() override
    {
        controller.reset();
        QDir::setCurrent(m_cwd);
    }
    // The Database window on screen, once it is the active window.
    static QWidget* databaseWindow()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("LDbase") && w->isVisible())
                return QTest::qWaitForWindowActive(w) ? w : nullptr;
        return nullptr;
    }
    // The import window once it is up and active, with its plan made.
    bool planShown() const
    {
        return dialog && dialog->isVisible() && QApplication::activeWindow() == dialog &&
               !dialog->plan().rows.empty();
    }
    // The rows list's "What happens" column.
    QStringList rowsShown() const
    {
        const QAbstractItemModel* rows =
            dialog->findChild<QTableView*>(QStringLiteral("IRows"))->model();
        QStringList shown;
        for (int r = 0; r < rows->rowCount(); ++r)
            shown << rows->index(r, 1).data().toString();
        return shown;
    }
    // Presses an access key of the Database window and waits until `done`.
    bool press(Qt::Key key, Script& script, const std::function<bool()>& done)
    {
        QWidget* window = databaseWindow();
        if (window == nullptr) return false;
        QTest::keyClick(window, key, Qt::AltModifier);
        script.start();
        return QTest::qWaitFor([&] { return script.done() && done(); }, 30000);
    }

    TempDir program;
    TempDir config;
    TempDir served;
    const QString week = program.path(QStringLiteral("Week.lto"));
    LocalHttpServer server;
    const QString address = server.url(QStringLiteral("/files/draws.csv")).toString();
    ShellFakes f;
    std::unique_ptr<app::AppController> controller;
    QPointer<history::ImportDialog> dialog;

private:
    QString m_cwd;
};

} // namespace

TEST_F(UpdateDrawsTest, AnAddressRememberedThenOnlyTheNewDrawsOrOneLine)
{
    // Import Draws: the address typed, plain http accepted, the source remembered.
    served.write(QStringLiteral("draws.csv"), Table(7));
    f.dialogs.answers = {true};
    Script import;
    import.then([this] { return dialog && QApplication::activeWindow() == dialog;
},
                [this] {
    QTest::keyClick(dialog, Qt::Key_A, Qt::AltModifier); })
        .then([] {
    return FocusName() == QLatin1String("IAddress"); },
              [this] {
    QTest::keyClicks(QApplication::focusWidget(), address);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
              })
        .then([this] {
    return planShown(); },
              [this] {
    EXPECT_TRUE(dialog->findChild<QCheckBox*>(QStringLiteral("IRemember"))->isChecked());
    QTest::keyClick(dialog, Qt::Key_I, Qt::AltModifier);
              });
ASSERT_TRUE(press(Qt::Key_I, import, [this] { return f.state.database.recordCount() == 8; }));
ASSERT_EQ(f.dialogs.log.size(), 1u);
EXPECT_EQ(f.dialogs.log.front().title, QStringLiteral("Unencrypted Address"));
ASSERT_EQ(server.requests().size(), 1u);
EXPECT_EQ(server.requests().front().headers.value("user-agent"),
          QByteArray("Tallimo Win9/" TALLIMO_VERSION));

// Update Draws: the same address, asked about again; the preview shows only the new rows.
served.write(QStringLiteral("draws.csv"), Table(10));
f.dialogs.clear();
f.dialogs.answers = {true};
Script update;
update.then([this] { return planShown(); },
            [this] {
                EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Update Draws"));
                EXPECT_EQ(rowsShown(), QStringList(3, QStringLiteral("new")));
                QTest::keyClick(dialog, Qt::Key_I, Qt::AltModifier);
            });
ASSERT_TRUE(press(Qt::Key_U, update, [this] { return f.state.database.recordCount() == 11; }));
for (int d = 0; d < 11; ++d)
    EXPECT_EQ(f.state.database.record(d + 1).DrawDate, DrawDate(d)) << d;

// Nothing new: one line, and no window.
f.dialogs.clear();
f.dialogs.answers = {true};
Script none;
ASSERT_TRUE(press(Qt::Key_U, none, [this] { return f.dialogs.messages().size() == 1; }));
EXPECT_EQ(
    f.dialogs.messages().front(),
    QStringLiteral("Update Draws|There are no new draws in %1: 11 already present.").arg(address));

// The file gone from the server: the address and the reason, nothing changed.
QFile::remove(served.path(QStringLiteral("draws.csv")));
f.dialogs.clear();
f.dialogs.answers = {true};
Script gone;
ASSERT_TRUE(press(Qt::Key_U, gone, [this] { return f.dialogs.messages().size() == 1; }));
const QString failure = f.dialogs.messages().front();
EXPECT_TRUE(failure.startsWith(QStringLiteral("Update Draws|%1: HTTP 404").arg(address)))
    << failure.toStdString();
EXPECT_FALSE(failure.contains(QLatin1Char('\n')));
EXPECT_EQ(f.state.database.recordCount(), 11);

// Saved with the database, in the file beside it.
ASSERT_TRUE(app::SaveDatabaseFile(week, f.state));
tickets::Book book;
ASSERT_EQ(tickets::Load(tickets::SideFilePath(week), book).code(), tickets::LoadResult::Ok);
QString problem;
const auto remembered = history::FromJson(book.source, problem);
ASSERT_TRUE(remembered) << problem.toStdString();
EXPECT_EQ(remembered->location, address);
}

TEST_F(UpdateDrawsTest, ASlowDownloadShowsItsProgressAndCancelChangesNothing)
{
    // Remembered: the server's own table, sent in sixty pieces a few hundredths of a second
    // apart, far longer than the half second before the progress bar.
    const history::SourceTable table =
        history::ReadTable(QString::fromUtf8(LocalHttpServer::Table()));
    const history::Detection detection =
        history::Detect(table, 6, history::DateOrder::DayFirst, 49);
    f.state.tickets.source = history::ToJson(
        history::RememberSource(server.url(QStringLiteral("/slow.csv?60")).toString(), table,
                                detection, detection.mapping, true));
    f.dialogs.answers = {true};
    QPointer<QProgressDialog> progress;
    Script cancel;
    cancel.then(
        [&progress] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("IDownload") && w->isVisible())
                    progress = qobject_cast<QProgressDialog*>(w);
            return !progress.isNull();
        },
        [&progress] { QTest::keyClick(progress, Qt::Key_Escape); });
    ASSERT_TRUE(
        press(Qt::Key_U, cancel, [&progress] { return !progress || !progress->isVisible(); }));
    EXPECT_TRUE(f.dialogs.messages().empty());
    EXPECT_EQ(f.state.database.recordCount(), 5);
    EXPECT_FALSE(f.state.Modified);
    EXPECT_TRUE(dialog.isNull() || !dialog->isVisible());
}
