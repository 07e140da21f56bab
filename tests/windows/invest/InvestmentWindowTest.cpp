#include "windows/invest/InvestmentWindow.h"
#include "models/state/AppState.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "support/TempDir.h"
#include "ui/Grid.h"
#include "ui/Services.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace inv;

namespace {

const QString kFilter = QStringLiteral("Investment Tracker Databases (*.inv)");
const QString kAskText =
    QStringLiteral(" file in memory will be erased. Do you want to go back and save it to Disk?.");

class InvTrackTest : public ::testing::Test {
protected:
    void SetUp() override { build(); }
    void build()
    {
        window = std::make_unique<InvestmentWindow>(state.settings.CurrencySymbol, services);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid = window->findChild<ui::Grid*>(QStringLiteral("IGrid"));
        exits = std::make_unique<QSignalSpy>(window.get(), &InvestmentWindow::exitToMenu);
    }
    void click(const char* name) { window->findChild<QPushButton*>(QLatin1String(name))->click(); }
    bool changeShown() const
    {
        return window->findChild<QLabel*>(QStringLiteral("IChange"))->isVisible();
    }
    void select(int row, int col)
    {
        QTableView* view = grid->view();
        const QModelIndex index = view->model()->index(row - 1, col);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    void type(const QString& keys) { QTest::keyClicks(grid->view(), keys); }
    void key(Qt::Key k) { QTest::keyClick(grid->view(), k); }
    QString cell(int row, int col) const { return grid->cell(row, col); }

    // Opens Tickets -2, Tickets -2, Prize 10 through "&Open File".
    void openThreeRows(const QString& name = QStringLiteral("Season.inv"))
    {
        InvestmentSheet s;
        for (auto [r, d, a] :
             {std::tuple{1, "Tickets", -2}, {2, "Tickets", -2}, {3, "Prize", 10}}) {
            s.setCell(r, 0, Cell::Text(QLatin1String(d)));
            s.setCell(r, 1, Cell::Number(a));
        }
        s.calculate();
        files.write(name, Serialize(s));
        dialogs.files.push_back(files.path(name));
        click("IOpenFile");
        dialogs.clear();
    }
    // Answers the next line-number dialog with `text` and the named button.
    void answerDialog(const QString& text, const char* buttonName, QString* prompt = nullptr)
    {
        QTimer::singleShot(0, [=] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            if (prompt) *prompt = dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            auto* value = dialog->findChild<QLineEdit*>(QStringLiteral("CurVal"));
            QTest::keyClicks(value, text);
            QTest::keyClick(value, Qt::Key_Return); // moves to "&OK" without pressing it
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->focusWidget()->objectName(), QLatin1String("Accept"));
            dialog->findChild<QPushButton*>(QLatin1String(buttonName))->click();
        });
    }

    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    TempDir files;
    std::unique_ptr<InvestmentWindow> window;
    std::unique_ptr<QSignalSpy> exits;
    ui::Grid* grid = nullptr;
};

} // namespace

TEST_F(InvTrackTest, ShowsTheSheetWithItsTotalTwoRowsBelow)
{
    EXPECT_EQ(cell(0, 1), QLatin1String("              Amount"));
    EXPECT_EQ(cell(3, 0), QLatin1String("Total"));
    EXPECT_EQ(cell(3, 1), QLatin1String("$0.00"));
    state.settings.CurrencySymbol = QStringLiteral("£");
    build();
    openThreeRows();
    EXPECT_EQ(cell(1, 1), QLatin1String("-2.00"));
    EXPECT_EQ(cell(3, 1), QLatin1String("10.00"));
    EXPECT_EQ(cell(6, 0), QLatin1String("Total"));
    EXPECT_EQ(cell(6, 1), QStringLiteral("£6.00"));
    EXPECT_FALSE(changeShown());
}

TEST_F(InvTrackTest, AmountTyping)
{
    select(1, 1);
    QStringList shown;
    for (const char* k : {"1", "2", ".", "5", "0", "7"}) {
        type(QLatin1String(k));
        shown << cell(1, 1);
    }
    // Taking the 7 would show 12.51.
    EXPECT_EQ(shown.join(QLatin1Char(' ')), QLatin1String("1.00 12.00 12.00 12.50 12.50 12.50"));
    EXPECT_EQ(window->sheet().cell(1, 1), Cell::Number(12.5));
    EXPECT_TRUE(changeShown());

    select(2, 1);
    type(QStringLiteral("-"));
    EXPECT_EQ(cell(2, 1), QLatin1String(".00"));
    type(QStringLiteral("5x")); // the letter beeps
    EXPECT_EQ(cell(2, 1), QLatin1String("-5.00"));
    EXPECT_EQ(dialogs.beeps, 1);
    key(Qt::Key_Backspace); // clears the whole amount
    EXPECT_EQ(cell(2, 1), QString());
    EXPECT_TRUE(window->sheet().cell(2, 1).isEmpty());
    key(Qt::Key_Return);
    EXPECT_EQ(grid->currentRow(), 3);
    type(QStringLiteral(".75"));
    EXPECT_EQ(cell(3, 1), QLatin1String(".75"));
}

TEST_F(InvTrackTest, DescriptionTyping)
{
    openThreeRows();
    select(1, 0);
    type(QStringLiteral("X"));
    EXPECT_EQ(cell(1, 0), QLatin1String("X"));
    select(2, 0);
    key(Qt::Key_Backspace);
    EXPECT_EQ(cell(2, 0), QLatin1String("Ticket"));
    type(QStringLiteral("s \"2\"")); // double quotes are dropped
    EXPECT_EQ(window->sheet().cell(2, 0), Cell::Text(QStringLiteral("Tickets 2")));

    select(4, 0);
    // The single-byte file holds the euro sign (Windows-1252), not an arrow.
    QTest::sendKeyEvent(QTest::Press, grid->view(), Qt::Key_unknown, QStringLiteral("€"), {});
    QTest::sendKeyEvent(QTest::Press, grid->view(), Qt::Key_unknown, QStringLiteral("→"), {});
    EXPECT_EQ(dialogs.beeps, 1);
    type(QString(50, QLatin1Char('a')));
    EXPECT_EQ(cell(4, 0), QStringLiteral("€") + QString(45, QLatin1Char('a')));

    select(3, 0);
    key(Qt::Key_Delete);
    EXPECT_TRUE(window->sheet().cell(3, 0).isEmpty());
    click("ICalc");
    EXPECT_EQ(window->sheet().SheetRowCount, 3); // Prize lost its description
    EXPECT_FALSE(changeShown());
    EXPECT_EQ(grid->currentRow(), 3); // the selection survives the refill

    select(106, 0);
    type(QStringLiteral("a"));
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral("Help|105 Row limit.")});
    EXPECT_EQ(cell(106, 0), QString());
    dialogs.clear();
    key(Qt::Key_Delete); // not a typed key: the row limit does not answer it
    EXPECT_TRUE(dialogs.log.empty());
}

TEST_F(InvTrackTest, InsertBlankLineThroughTheDialog)
{
    openThreeRows();
    select(2, 1);
    QString prompt;
    answerDialog(QStringLiteral("-2"), "Accept", &prompt);
    click("InsertAss");
    EXPECT_EQ(prompt, QLatin1String("   Insert a blank line       at line number  2 ?"));
    EXPECT_EQ(dialogs.beeps, 1); // the minus sign
    QStringList rows;
    for (int r = 1; r <= 4; ++r)
        rows << cell(r, 0);
    EXPECT_EQ(rows.join(QLatin1Char(',')), QLatin1String("Tickets,BlankLine,Tickets,Prize"));
    EXPECT_EQ(cell(7, 0), QLatin1String("Total"));
    EXPECT_TRUE(window->changed());

    answerDialog(QStringLiteral("1"), "NoAccept");
    click("InsertAss");
    answerDialog(QStringLiteral("105"), "Accept");
    click("InsertAss");
    EXPECT_EQ(window->sheet().SheetRowCount, 4);
}

TEST_F(InvTrackTest, LeavingAsksOnlyWhileChangesAreUnsaved)
{
    window->close(); // nothing changed
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(exits->count(), 1);

    build();
    select(1, 0);
    type(QStringLiteral("Tickets")); // typing alone, without "&Calculate"
    dialogs.answers = {true};
    click("IExit");
    EXPECT_EQ(dialogs.log.back(),
              (RecordedMessage{RecordedMessage::Kind::Question,
                               QStringLiteral("Changed File in Memory"), kAskText}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(exits->count(), 0);
    dialogs.answers = {false};
    window->close(); // the title bar's X asks the same; No leaves
    ASSERT_EQ(dialogs.log.size(), 2u);
    EXPECT_EQ(dialogs.log[1], dialogs.log[0]);
    EXPECT_EQ(exits->count(), 1);
    EXPECT_FALSE(window->isVisible());

    build();
    openThreeRows(QStringLiteral("Week.inv"));
    EXPECT_FALSE(window->changed()); // the sheet matches its file
    click("ICalc");
    click("ISaveFile"); // cancelled: leaving must still ask
    EXPECT_TRUE(window->changed());
    EXPECT_EQ(dialogs.fileRequests.back().mode, ui::FileMode::Save);
    EXPECT_EQ(dialogs.fileRequests.back().filter, kFilter);
    // The sheet's own file, with its folder.
    EXPECT_EQ(dialogs.fileRequests.back().defaultName, files.path(QStringLiteral("Week.inv")));
    dialogs.files.push_back(files.path(QStringLiteral("Saved.inv")));
    click("ISaveFile");
    EXPECT_EQ(files.read(QStringLiteral("Saved.inv")), Serialize(window->sheet()));
    dialogs.clear();
    window->close();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(exits->count(), 1);
}

TEST_F(InvTrackTest, FailedOrRefusedSaves)
{
    click("ISaveFile");
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral("Help|No Records to Save")});
    EXPECT_TRUE(dialogs.fileRequests.empty());

    openThreeRows();
    select(1, 1);
    type(QStringLiteral("5"));
    dialogs.files.push_back(files.path(QStringLiteral("missing/folder.inv")));
    click("ISaveFile");
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{
                  QStringLiteral("Saving Error| Bad Filename. Must be in the form MYFILE.QRX")});
    EXPECT_TRUE(window->changed());
    EXPECT_EQ(window->sheet().InvestmentFileName, QLatin1String("Season.inv"));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(InvTrackTest, OpeningAsksBeforeReplacingUnsavedChanges)
{
    openThreeRows(QStringLiteral("Mine.inv"));
    select(1, 0);
    type(QStringLiteral("Edited"));
    dialogs.answers = {true}; // go back and save
    click("IOpenFile");
    EXPECT_EQ(dialogs.log.back().text, QStringLiteral("Mine.inv") + kAskText);
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_EQ(cell(1, 0), QLatin1String("Edited"));

    dialogs.clear();
    dialogs.answers = {false};
    click("IOpenFile"); // No, then a cancelled dialog: the sheet stays
    EXPECT_EQ(dialogs.log.back().text, QStringLiteral("Mine.inv") + kAskText);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].mode, ui::FileMode::Open);
    EXPECT_EQ(dialogs.fileRequests[0].filter, kFilter);
    EXPECT_EQ(dialogs.fileRequests[0].defaultName, QLatin1String("Mine.inv"));
    EXPECT_EQ(cell(1, 0), QLatin1String("Edited"));

    files.write(QStringLiteral("Bad.inv"), "3\r\n\"A\",1\r\n");
    dialogs.clear();
    dialogs.answers = {false}; // the sheet is still unsaved: No, and on to the file
    dialogs.files.push_back(files.path(QStringLiteral("Bad.inv")));
    click("IOpenFile");
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral(
                                      "Loading Error|File not found or wrong format. Check "
                                      "Filename and/or Directory.")});
    EXPECT_EQ(cell(1, 0), QString());
    EXPECT_EQ(cell(3, 1), QLatin1String("$0.00"));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(InvTrackTest, PrintsTheStatementAfterConfirmation)
{
    openThreeRows();
    dialogs.answers = {false};
    click("IPrinter");
    EXPECT_EQ(dialogs.log.back().text, QLatin1String("Continue with Printout."));
    EXPECT_TRUE(printer.texts.empty());
    dialogs.answers = {true};
    click("IPrinter");
    ASSERT_EQ(printer.texts.size(), 1u);
    EXPECT_EQ(printer.texts[0].pages.front().last(),
              QString(7, QLatin1Char(' ')) + QStringLiteral("Total") +
                  QString(50, QLatin1Char(' ')) + QStringLiteral("$6.00"));
}

TEST_F(InvTrackTest, QuickHelpBeepsAtKeysAndCalculateClosesIt)
{
    auto* box = window->findChild<QPlainTextEdit*>(QStringLiteral("ITextBox"));
    click("IHelp");
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->toPlainText().startsWith(QLatin1String("Load Sample.INV to try out")));
    EXPECT_TRUE(InvestmentWindow::HelpText().endsWith(
        QLatin1String("give the file a name.\r\n\r\n") + QString(70, QLatin1Char(' ')) +
        QLatin1String("End")));
    QTest::keyClicks(box, QStringLiteral("ab"));
    EXPECT_EQ(dialogs.beeps, 2);
    click("ICalc");
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("IHelp"))->text(),
              QLatin1String("Quick &Help"));
    EXPECT_FALSE(box->isVisible());
}
