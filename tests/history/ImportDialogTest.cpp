#include "history/ImportDialog.h"
#include "database/DatabaseWindow.h"

#include "support/QStringPrinting.h"
#include "support/WindowTestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>

using namespace history;

namespace {

QString Fixture(const char* name)
{
    return QStringLiteral(TALLIMO_HISTORY_FIXTURES "/") + QLatin1String(name);
}

class ImportDialogTest : public WindowTest {
protected:
    QString counts(ImportDialog& d) { return Child<QLabel>(&d, QStringLiteral("ICounts"))->text(); }
    // An access key presses its button with a short animation: wait until `done`.
    template <class Done> static void Alt(QWidget* w, Qt::Key key, Done done)
    {
        QTest::keyClick(w, key, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor(done, 2000));
    }
};

} // namespace

TEST_F(ImportDialogTest, EmptyDatabaseTakesTheSourcesShapeWhenImported)
{
    ImportDialog dialog(state, services);
    ASSERT_TRUE(ShowActive(&dialog));
    dialogs.files = {Fixture("ball-per-column.csv")};
    Alt(&dialog, Qt::Key_F, [this] { return dialogs.files.empty(); });
    EXPECT_EQ(Child<QLabel>(&dialog, QStringLiteral("ISource"))->text(),
              QStringLiteral("Source: ball-per-column.csv"));
    EXPECT_EQ(Child<QSpinBox>(&dialog, QStringLiteral("IPicks"))->value(), 6);
    EXPECT_EQ(Child<QSpinBox>(&dialog, QStringLiteral("IHigh"))->value(), 49);
    EXPECT_EQ(counts(dialog), QStringLiteral("New 6, already present 0, conflicts 0, rejected 0."));

    // Taking the bonus ball in makes seven numbers where the database will have six.
    dialog.setColumnRole(7, ColumnRole::Numbers);
    EXPECT_EQ(counts(dialog), QStringLiteral("New 0, already present 0, conflicts 0, rejected 6."));
    EXPECT_EQ(dialog.plan().rows.front().reason, QStringLiteral("7 numbers where a draw has 6"));
    dialog.setColumnRole(7, ColumnRole::Ignore);

    Alt(&dialog, Qt::Key_I, [&dialog] { return dialog.result() == QDialog::Accepted; });
    EXPECT_TRUE(dialogs.messages().empty());
    const database::DrawDatabase& db = state.Database;
    EXPECT_EQ(db.recordCount(), 6);
    EXPECT_EQ(db.columnCount(), 8);
    EXPECT_EQ(db.highNumber(), 49);
    EXPECT_EQ(db.record(6).DrawDate, QDate(2026, 12, 5));
    EXPECT_TRUE(state.Modified);
}

TEST_F(ImportDialogTest, CancelAndTheLimitAndTheClipboard)
{
    // 1,998 weekly records, Saturdays from 2020 to 2058, and six draws of late 2026: the three
    // Saturdays among them conflict, the three Wednesdays are new, and only the newest two of
    // those fit (25 November and 2 December).
    fill(1998);
    const database::DrawDatabase before = state.Database;
    {
        ImportDialog dialog(state, services);
        ASSERT_TRUE(ShowActive(&dialog));
        QFile f(Fixture("ball-per-column.csv"));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QGuiApplication::clipboard()->setText(QString::fromUtf8(f.readAll()));
        Alt(&dialog, Qt::Key_P, [&dialog] { return !dialog.plan().rows.empty(); });
        EXPECT_EQ(Child<QLabel>(&dialog, QStringLiteral("ISource"))->text(),
                  QStringLiteral("Source: the clipboard"));
        EXPECT_TRUE(Child<QCheckBox>(&dialog, QStringLiteral("IRange"))->isChecked());
        EXPECT_EQ(counts(dialog),
                  QStringLiteral("New 2, already present 0, conflicts 2, rejected 0, outside the "
                                 "range 2. The source holds 6 draws and the database has room "
                                 "for 2 more (at most 2000 records)."));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(state.Database.recordCount(), 1998);
        EXPECT_FALSE(state.Modified);

        ASSERT_TRUE(ShowActive(&dialog));
        Alt(&dialog, Qt::Key_I, [&dialog] { return dialog.result() == QDialog::Accepted; });
    }
    const database::DrawDatabase& db = state.Database;
    ASSERT_EQ(db.recordCount(), 2000);
    // The two sit in date order among the weekly records.
    int found = 0;
    for (int r = 1; r <= db.recordCount(); ++r) {
        EXPECT_EQ(db.record(r).RecordNo, r);
        if (r > 1) {
            EXPECT_LE(db.record(r - 1).DrawDate, db.record(r).DrawDate);
        }
        const QDate d = db.record(r).DrawDate;
        found += d == QDate(2026, 11, 25) || d == QDate(2026, 12, 2);
    }
    EXPECT_EQ(found, 2);
    EXPECT_EQ(before.recordCount(), 1998);
}

TEST_F(ImportDialogTest, DatabaseWindowButtonAsksForTheImport)
{
    fill(3);
    state.Settings.DefaultPicks = 6;
    database::DatabaseWindow window(state, services);
    ASSERT_TRUE(ShowActive(&window));
    QSignalSpy asked(&window, &database::DatabaseWindow::importRequested);
    auto* import = Child<QPushButton>(&window, QStringLiteral("DImport"));
    EXPECT_EQ(import->text(), QStringLiteral("&Import Draws..."));
    Alt(&window, Qt::Key_I, [&asked] { return asked.count() == 1; });
}
