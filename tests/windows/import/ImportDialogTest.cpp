#include "windows/import/ImportDialog.h"
#include "windows/database/DatabaseWindow.h"

#include "support/QStringPrinting.h"
#include "support/WindowTestSupport.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
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
    const database::DrawDatabase& db = state.database;
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
    const database::DrawDatabase before = state.database;
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
        EXPECT_EQ(state.database.recordCount(), 1998);
        EXPECT_FALSE(state.Modified);

        ASSERT_TRUE(ShowActive(&dialog));
        Alt(&dialog, Qt::Key_I, [&dialog] { return dialog.result() == QDialog::Accepted; });
    }
    const database::DrawDatabase& db = state.database;
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
    state.settings.DefaultPicks = 6;
    database::DatabaseWindow window(state, services);
    ASSERT_TRUE(ShowActive(&window));
    QSignalSpy asked(&window, &database::DatabaseWindow::importRequested);
    auto* import = Child<QPushButton>(&window, QStringLiteral("DImport"));
    EXPECT_EQ(import->text(), QStringLiteral("&Import Draws..."));
    Alt(&window, Qt::Key_I, [&asked] { return asked.count() == 1; });
}

TEST_F(ImportDialogTest, FitsTheAvailableScreen)
{
    // Run as well on a 1280x1024 screen at scale 1.5 and 2 (see the CMake list): the window and
    // its Import button stay on the screen's free area, with the widest source shown.
    ImportDialog dialog(state, services);
    QFile f(Fixture("export-49-columns.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    dialog.setSource(DecodeSource(f.readAll()).text, QStringLiteral("export-49-columns.csv"));
    ASSERT_TRUE(ShowActive(&dialog));
    const QRect room = dialog.screen()->availableGeometry();
    EXPECT_TRUE(room.contains(dialog.frameGeometry()))
        << dialog.frameGeometry().width() << "x" << dialog.frameGeometry().height() << " on "
        << room.width() << "x" << room.height();
    for (const char* name : {"IImport", "ICancel", "IProblems"}) {
        auto* button = Child<QWidget>(&dialog, QLatin1String(name));
        const QRect at(button->mapTo(&dialog, QPoint(0, 0)), button->size());
        EXPECT_TRUE(dialog.rect().contains(at)) << name;
    }
    // "Looks like" and "Use as" stay in view whatever the first values hold.
    auto* columns = Child<QTableWidget>(&dialog, QStringLiteral("IColumns"));
    EXPECT_LE(columns->horizontalHeader()->sectionViewportPosition(3) + columns->columnWidth(3),
              columns->viewport()->width());
}

TEST_F(ImportDialogTest, TheShapeTheUserSetsGuessesTheColumnsAgain)
{
    // 49 columns, some thirty of them numbers: five are proposed, and the picks the user types
    // take that many number columns, in order.
    ImportDialog dialog(state, services);
    ASSERT_TRUE(ShowActive(&dialog));
    dialogs.files = {Fixture("export-49-columns.csv")};
    Alt(&dialog, Qt::Key_F, [this] { return dialogs.files.empty(); });
    auto* picks = Child<QSpinBox>(&dialog, QStringLiteral("IPicks"));
    EXPECT_EQ(picks->value(), 5);
    EXPECT_EQ(counts(dialog),
              QStringLiteral("New 20, already present 0, conflicts 0, rejected 0."));
    auto* columns = Child<QTableWidget>(&dialog, QStringLiteral("IColumns"));
    auto numbersUsed = [columns] {
        int n = 0;
        for (int c = 0; c < columns->rowCount(); ++c) {
            const auto* use = qobject_cast<QComboBox*>(columns->cellWidget(c, 3));
            n += use->currentText().startsWith(QStringLiteral("Number")) ? 1 : 0;
        }
        return n;
    };
    EXPECT_EQ(numbersUsed(), 5);
    Alt(&dialog, Qt::Key_K, [picks] { return picks->hasFocus(); });
    QTest::keyClick(picks, Qt::Key_Down);
    QTest::keyClick(picks, Qt::Key_Down);
    EXPECT_EQ(dialog.mapping().numbers, (std::vector<NumberPick>{{4}, {5}, {6}}));
    EXPECT_EQ(numbersUsed(), 3);
    EXPECT_EQ(counts(dialog),
              QStringLiteral("New 20, already present 0, conflicts 0, rejected 0."));
    QTest::keyClick(picks, Qt::Key_Up);
    EXPECT_EQ(dialog.mapping().numbers.size(), 4u);
    EXPECT_EQ(numbersUsed(), 4);
}

TEST_F(ImportDialogTest, ColumnUsesByKeyboardAndASecondDateAsksFirst)
{
    ImportDialog dialog(state, services);
    ASSERT_TRUE(ShowActive(&dialog));
    dialogs.files = {Fixture("powerball-combined.csv")};
    Alt(&dialog, Qt::Key_F, [this] { return dialogs.files.empty(); });
    // The red ball inside the numbers' field is left out until the user takes it.
    auto* date = Child<QComboBox>(&dialog, QStringLiteral("IUse0"));
    auto* numbers = Child<QComboBox>(&dialog, QStringLiteral("IUse1"));
    EXPECT_EQ(numbers->currentText(), QStringLiteral("Numbers 1-5"));
    EXPECT_EQ(Child<QSpinBox>(&dialog, QStringLiteral("IPicks"))->value(), 5);

    // Up and Down go from box to box and change none of them.
    date->setFocus(Qt::TabFocusReason);
    QTest::keyClick(date, Qt::Key_Down);
    EXPECT_TRUE(numbers->hasFocus());
    QTest::keyClick(numbers, Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_TRUE(date->hasFocus());
    EXPECT_EQ(date->currentText(), QStringLiteral("Date"));
    EXPECT_EQ(numbers->currentText(), QStringLiteral("Numbers 1-5"));

    // A second date column: asked first; No keeps the first one.
    dialogs.answers = {false, true};
    EXPECT_FALSE(dialog.setColumnRole(2, ColumnRole::Date));
    EXPECT_EQ(dialog.mapping().dateColumn(), 0);
    EXPECT_EQ(Child<QComboBox>(&dialog, QStringLiteral("IUse2"))->currentText(),
              QStringLiteral("Leave out"));
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log.front().text,
              QStringLiteral("Draw Date holds the dates now. Take the dates from Multiplier "
                             "instead, and leave Draw Date out?"));
    EXPECT_TRUE(dialog.setColumnRole(2, ColumnRole::Date));
    EXPECT_EQ(dialog.mapping().dateColumn(), 2);
    EXPECT_EQ(date->currentText(), QStringLiteral("Leave out"));
}

TEST_F(ImportDialogTest, ProblemsOnly)
{
    fill(3);
    ImportDialog dialog(state, services);
    ASSERT_TRUE(ShowActive(&dialog));
    QFile f(Fixture("damaged.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    dialog.setSource(DecodeSource(f.readAll()).text, QStringLiteral("damaged.csv"));
    auto* rows = Child<QTableView>(&dialog, QStringLiteral("IRows"));
    QAbstractItemModelTester tester(rows->model());
    EXPECT_EQ(rows->model()->rowCount(), 8);
    Alt(&dialog, Qt::Key_L, [rows] { return rows->model()->rowCount() == 6; });
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(rows->model()->index(r, 1).data().toString(), QStringLiteral("rejected"));
    // Every number of a rejected row is shown, not only those before the bad one.
    EXPECT_EQ(rows->model()->index(4, 3).data().toString(), QStringLiteral("5 16 23 31 42"));
}
