// Import Draws from a web address, typed or pasted, and the box that remembers the source for
// Update Draws: on for a file or an address, never for the clipboard or over a side file that
// could not be read.
#include "windows/import/ImportDialog.h"

#include "LocalHttpServer.h"
#include "support/QStringPrinting.h"
#include "support/TempDir.h"
#include "support/WindowTestSupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMap>

using namespace history;

namespace {

class ImportSourcesTest : public WindowTest {
protected:
    QCheckBox* remember(ImportDialog& d)
    {
        return Child<QCheckBox>(&d, QStringLiteral("IRemember"));
    }
    TempDir dir;
};

} // namespace

TEST_F(ImportSourcesTest, EveryAccessKeyOfTheWindowIsItsOwn)
{
    ImportDialog dialog(state, services);
    const QMap<QChar, QString> keys = AccessKeys(&dialog);
    EXPECT_EQ(keys.value(QLatin1Char('A')), QStringLiteral("Web &address"));
    EXPECT_EQ(keys.value(QLatin1Char('B')), QStringLiteral("Remem&ber this source for Update"));
}

TEST_F(ImportSourcesTest, AFileIsRememberedTheClipboardNeverNorOverADamagedSideFile)
{
    fill(3);
    dir.write(QStringLiteral("new.csv"), "Date,N1,N2,N3,N4,N5,N6\n2026-11-28,3,9,17,28,40,44\n");
    const QString path = dir.path(QStringLiteral("new.csv"));
    {
        ImportDialog dialog(state, services);
        ASSERT_TRUE(ShowActive(&dialog));
        EXPECT_FALSE(remember(dialog)->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("2026-11-28,3,9,17,28,40,44\n"));
        QTest::keyClick(&dialog, Qt::Key_P, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.plan().rows.empty(); }));
        EXPECT_FALSE(remember(dialog)->isEnabled());
        EXPECT_FALSE(remember(dialog)->isChecked());

        dialogs.files = {path};
        QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([this] { return dialogs.files.empty(); }));
        EXPECT_TRUE(remember(dialog)->isEnabled());
        EXPECT_TRUE(remember(dialog)->isChecked());
        QTest::keyClick(&dialog, Qt::Key_I, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([&dialog] { return dialog.result() == QDialog::Accepted; }));
    }
    QString problem;
    const std::optional<RememberedSource> kept = FromJson(state.tickets.source, problem);
    ASSERT_TRUE(kept) << problem.toStdString();
    EXPECT_EQ(kept->location, path);
    EXPECT_EQ(state.database.recordCount(), 4);

    // Unchecked, or a side file that could not be read: nothing is remembered.
    for (const bool damaged : {false, true}) {
        SCOPED_TRACE(damaged);
        state.tickets.source = {};
        state.ticketsProblem =
            damaged ? QStringLiteral("Week.tickets.json is damaged: not JSON") : QString();
        dir.write(QStringLiteral("new.csv"),
                  damaged ? "Date,N1,N2,N3,N4,N5,N6\n2026-12-02,1,2,3,4,5,6\n"
                          : "Date,N1,N2,N3,N4,N5,N6\n2026-11-25,1,2,3,4,5,6\n");
        ImportDialog dialog(state, services);
        ASSERT_TRUE(ShowActive(&dialog));
        dialogs.files = {path};
        QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([this] { return dialogs.files.empty(); }));
        EXPECT_EQ(remember(dialog)->isEnabled(), !damaged);
        if (!damaged) {
            QTest::keyClick(&dialog, Qt::Key_B, Qt::AltModifier);
            ASSERT_TRUE(
                QTest::qWaitFor([&dialog, this] { return !remember(dialog)->isChecked(); }));
        }
        QTest::keyClick(&dialog, Qt::Key_I, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([&dialog] { return dialog.result() == QDialog::Accepted; }));
        EXPECT_TRUE(state.tickets.source.isEmpty());
    }
}

TEST_F(ImportSourcesTest, AnAddressPastedOrTypedAndPlainHttpAskedFirst)
{
    fill(3);
    LocalHttpServer server;
    ASSERT_TRUE(server.isListening());
    server.setFolder(dir.dir());
    dir.write(QStringLiteral("d.csv"), "Date,N1,N2,N3,N4,N5,N6\n2026-11-28,3,9,17,28,40,44\n");
    const QString address = server.url(QStringLiteral("/files/d.csv")).toString();
    ImportDialog dialog(state, services);
    ASSERT_TRUE(ShowActive(&dialog));

    // Said no to: nothing is downloaded.
    QGuiApplication::clipboard()->setText(QStringLiteral("  %1\n").arg(address));
    dialogs.answers = {false};
    QTest::keyClick(&dialog, Qt::Key_P, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialogs.answers.empty(); }));
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log.front().kind, RecordedMessage::Kind::Question);
    EXPECT_EQ(dialogs.log.front().text,
              QStringLiteral("%1 is a plain http address: the draws come unencrypted, and anyone "
                             "on the way could read or change them. Download them all the same?")
                  .arg(address));
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(dialog.plan().rows.empty());

    dialogs.answers = {true};
    QTest::keyClick(&dialog, Qt::Key_P, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.plan().rows.empty(); }));
    EXPECT_EQ(Child<QLabel>(&dialog, QStringLiteral("ISource"))->text(),
              QStringLiteral("Source: ") + address);
    EXPECT_TRUE(remember(dialog)->isChecked());
    EXPECT_EQ(dialog.plan().added, 1);

    // Typed: what is no web address is said so, and the table read before stays.
    dialogs.clear();
    auto* box = Child<QLineEdit>(&dialog, QStringLiteral("IAddress"));
    box->clear();
    QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([box] { return box->hasFocus(); }));
    QTest::keyClicks(box, QStringLiteral("draws.csv"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{QStringLiteral("Import Draws|draws.csv is not a web address: "
                                                  "type one that begins with https://.")});
    EXPECT_EQ(Child<QLabel>(&dialog, QStringLiteral("ISource"))->text(),
              QStringLiteral("Source: ") + address);
}
