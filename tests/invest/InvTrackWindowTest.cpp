#include "core/AppState.h"
#include "invest/InvTrackWindow.h"
#include "invest/Statement.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "support/TempDir.h"
#include "ui/Grid.h"
#include "ui/Services.h"

#include <QApplication>
#include <QDialog>
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
const QString kLoadError =
    QStringLiteral("Loading Error|File not found or wrong format. Check Filename and/or Directory.");

class InvTrackTest : public ::testing::Test {
protected:
    void SetUp() override { build(); }

    void build()
    {
        window = std::make_unique<InvTrackWindow>(state, services);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid = window->findChild<ui::Grid*>(QStringLiteral("IGrid"));
        ASSERT_NE(grid, nullptr);
        view = grid->view();
        exits = std::make_unique<QSignalSpy>(window.get(), &InvTrackWindow::exitToMenu);
    }

    QPushButton* button(const char* name)
    {
        auto* b = window->findChild<QPushButton*>(QLatin1String(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    bool changeShown() const
    {
        return window->findChild<QLabel*>(QStringLiteral("IChange"))->isVisible();
    }

    // A click on a cell, scrolling it into view first.
    void select(int row, int col)
    {
        const QModelIndex index = view->model()->index(row - 1, col);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    void type(const QString& keys) { QTest::keyClicks(view, keys); }
    void key(Qt::Key k) { QTest::keyClick(view, k); }
    QString cell(int row, int col) const { return grid->cell(row, col); }

    // Opens a file holding `sheet` through "&Open File".
    void open(InvestmentSheet sheet, const QString& name = QStringLiteral("Season.inv"))
    {
        sheet.calculate();
        files.write(name, Serialize(sheet));
        dialogs.files.push_back(files.path(name));
        button("IOpenFile")->click();
        dialogs.clear();
    }
    static InvestmentSheet ThreeRows()
    {
        InvestmentSheet s;
        s.setCell(1, 0, Cell::Text(QStringLiteral("Tickets")));
        s.setCell(1, 1, Cell::Number(-2));
        s.setCell(2, 0, Cell::Text(QStringLiteral("Tickets")));
        s.setCell(2, 1, Cell::Number(-2));
        s.setCell(3, 0, Cell::Text(QStringLiteral("Prize")));
        s.setCell(3, 1, Cell::Number(10));
        return s;
    }

    AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
    TempDir files;
    std::unique_ptr<InvTrackWindow> window;
    std::unique_ptr<QSignalSpy> exits;
    ui::Grid* grid = nullptr;
    QTableView* view = nullptr;
};

} // namespace

TEST_F(InvTrackTest, OpensEmptyWithHeaderAndZeroTotal)
{
    EXPECT_EQ(window->objectName(), QLatin1String("LInvTrack"));
    EXPECT_EQ(window->windowTitle(), QLatin1String("Investment Tracker"));
    EXPECT_EQ(grid->rows(), 110);
    EXPECT_EQ(grid->cols(), 2);
    EXPECT_EQ(cell(0, 0), QLatin1String("Description"));
    EXPECT_EQ(cell(0, 1), QLatin1String("              Amount"));
    EXPECT_EQ(cell(3, 0), QLatin1String("Total"));
    EXPECT_EQ(cell(3, 1), QLatin1String("$0.00"));
    EXPECT_FALSE(changeShown());
    EXPECT_EQ(button("IHelp")->text(), QLatin1String("Quick &Help"));
    EXPECT_EQ(button("InsertAss")->text(), QLatin1String("&Insert blank line"));
    EXPECT_EQ(button("IExit")->text(), QLatin1String("E&xit to Menu"));
    // The columns are widened beyond the grid's default width.
    EXPECT_GT(grid->colWidthTwips(0), 3490);
    EXPECT_GT(grid->colWidthTwips(1), 1000);

    // The currency symbol comes from the settings.
    state.Settings.CurrencySymbol = QStringLiteral("£");
    build();
    EXPECT_EQ(cell(3, 1), QStringLiteral("£0.00"));
}

TEST_F(InvTrackTest, AmountTypingKeepsTwoDecimalsAndShowsTheTypingFormat)
{
    select(1, 1);
    QStringList shown;
    for (const char* k : {"1", "2", ".", "5", "0", "7"}) {
        type(QLatin1String(k));
        shown << cell(1, 1);
    }
    // Accepting the 7 would show 12.51.
    EXPECT_EQ(shown, (QStringList{QStringLiteral("1.00"), QStringLiteral("12.00"),
                                  QStringLiteral("12.00"), QStringLiteral("12.50"),
                                  QStringLiteral("12.50"), QStringLiteral("12.50")}));
    EXPECT_EQ(window->sheet().cell(1, 1), Cell::Number(12.5));
    EXPECT_TRUE(changeShown());
    // The second decimal itself is taken.
    select(4, 1);
    type(QStringLiteral(".75"));
    EXPECT_EQ(cell(4, 1), QLatin1String(".75"));

    select(2, 1);
    type(QStringLiteral("-"));
    EXPECT_EQ(cell(2, 1), QLatin1String(".00"));
    type(QStringLiteral("5"));
    EXPECT_EQ(cell(2, 1), QLatin1String("-5.00"));

    // Letters are refused with a beep; Backspace clears the whole amount.
    type(QStringLiteral("x"));
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(cell(2, 1), QLatin1String("-5.00"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(cell(2, 1), QString());
    EXPECT_TRUE(window->sheet().cell(2, 1).isEmpty());
    // Nothing is recalculated while typing.
    EXPECT_EQ(cell(3, 0), QLatin1String("Total"));
    EXPECT_EQ(window->sheet().SheetRowCount, 0);
}

TEST_F(InvTrackTest, DescriptionTypingReplacesButBackspaceShortens)
{
    open(ThreeRows());
    select(1, 0);
    type(QStringLiteral("X"));
    EXPECT_EQ(cell(1, 0), QLatin1String("X"));

    select(2, 0);
    key(Qt::Key_Backspace);
    EXPECT_EQ(cell(2, 0), QLatin1String("Ticket"));
    type(QStringLiteral("s \"2\""));
    EXPECT_EQ(cell(2, 0), QLatin1String("Tickets 2")); // the double quote is dropped
    EXPECT_EQ(window->sheet().cell(2, 0), Cell::Text(QStringLiteral("Tickets 2")));

    select(5, 0);
    // A character the single-byte file cannot hold is refused with a beep.
    QTest::sendKeyEvent(QTest::Press, view, Qt::Key_unknown, QStringLiteral("€"), {});
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(cell(5, 0), QString());
    type(QString(50, QLatin1Char('a')));
    EXPECT_EQ(cell(5, 0), QString(46, QLatin1Char('a')));
}

TEST_F(InvTrackTest, EnterMovesDownAndDeleteEmptiesTheCell)
{
    open(ThreeRows());
    select(1, 1);
    type(QStringLiteral("1"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->currentRow(), 2);
    type(QStringLiteral("2"));
    EXPECT_EQ(cell(1, 1), QLatin1String("1.00"));
    EXPECT_EQ(cell(2, 1), QLatin1String("2.00"));

    select(3, 0);
    key(Qt::Key_Delete);
    EXPECT_EQ(cell(3, 0), QString());
    EXPECT_TRUE(window->sheet().cell(3, 0).isEmpty());
    button("ICalc")->click();
    EXPECT_EQ(window->sheet().SheetRowCount, 2);
    EXPECT_EQ(cell(5, 0), QLatin1String("Total"));
    EXPECT_EQ(cell(5, 1), QLatin1String("$3.00"));
    EXPECT_FALSE(changeShown());
    // The selection survives the refill.
    EXPECT_EQ(grid->currentRow(), 3);
}

TEST_F(InvTrackTest, KeysBelowRow105AreRefused)
{
    select(106, 0);
    type(QStringLiteral("a"));
    key(Qt::Key_Delete);
    EXPECT_EQ(dialogs.messages(),
              (std::vector<QString>{QStringLiteral("Help|105 Row limit."),
                                    QStringLiteral("Help|105 Row limit.")}));
    EXPECT_EQ(cell(106, 0), QString());
    EXPECT_FALSE(window->sheet().hasContent());

    select(105, 0);
    type(QStringLiteral("Last"));
    EXPECT_EQ(cell(105, 0), QLatin1String("Last"));
    EXPECT_EQ(dialogs.messages().size(), 2u);
}

TEST_F(InvTrackTest, InsertBlankLineThroughTheDialog)
{
    open(ThreeRows());
    select(2, 1);
    QString prompt;
    bool enterMovedToOk = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), QLatin1String("InInvNum"));
        EXPECT_EQ(dialog->windowTitle(), QLatin1String("Input "));
        prompt = dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        auto* value = dialog->findChild<QLineEdit*>(QStringLiteral("CurVal"));
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("Accept"));
        QTest::keyClicks(value, QStringLiteral("-2"));
        QTest::keyClick(value, Qt::Key_Return);
        enterMovedToOk = dialog->isVisible() && dialog->focusWidget() == ok;
        ok->click();
    });
    button("InsertAss")->click();
    EXPECT_EQ(prompt, QLatin1String("   Insert a blank line       at line number  2 ?"));
    EXPECT_TRUE(enterMovedToOk);
    EXPECT_EQ(dialogs.beeps, 1); // the minus sign
    EXPECT_EQ(cell(1, 0), QLatin1String("Tickets"));
    EXPECT_EQ(cell(2, 0), QLatin1String("BlankLine"));
    EXPECT_EQ(cell(2, 1), QString());
    EXPECT_EQ(cell(3, 0), QLatin1String("Tickets"));
    EXPECT_EQ(cell(4, 0), QLatin1String("Prize"));
    EXPECT_EQ(cell(7, 0), QLatin1String("Total"));
    EXPECT_TRUE(window->changed());

    // Cancel and a line number from 105 on change nothing.
    const auto answer = [](const QString& text, const char* buttonName) {
        QTimer::singleShot(0, [text, buttonName] {
            auto* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("CurVal")), text);
            dialog->findChild<QPushButton*>(QLatin1String(buttonName))->click();
        });
    };
    answer(QStringLiteral("1"), "NoAccept");
    button("InsertAss")->click();
    answer(QStringLiteral("105"), "Accept");
    button("InsertAss")->click();
    EXPECT_EQ(window->sheet().SheetRowCount, 4);
    EXPECT_EQ(cell(1, 0), QLatin1String("Tickets"));
}

TEST_F(InvTrackTest, LeavingAsksOnlyWhileChangesAreUnsaved)
{
    // Nothing changed: leaves at once.
    window->close();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(exits->count(), 1);

    // After typing, even without "&Calculate".
    build();
    select(1, 0);
    type(QStringLiteral("Tickets"));
    dialogs.answers = {true};
    button("IExit")->click();
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0].title, QLatin1String("Changed File in Memory"));
    EXPECT_EQ(dialogs.log[0].text, QLatin1String(" file in memory will be erased. Do you want to "
                                                 "go back and save it to Disk?."));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(exits->count(), 0);
    // No: the sheet is discarded and the window leaves; the title bar's X asks the same.
    window->close();
    EXPECT_EQ(dialogs.log.size(), 2u);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(exits->count(), 1);
    EXPECT_FALSE(window->sheet().hasContent());
}

TEST_F(InvTrackTest, CalculateMarksChangesAndASaveClearsThem)
{
    open(ThreeRows(), QStringLiteral("Week.inv"));
    EXPECT_FALSE(window->changed()); // the sheet matches its file
    button("ICalc")->click();
    EXPECT_TRUE(window->changed());

    // Cancelling the save dialog keeps the mark: leaving must still ask.
    button("ISaveFile")->click();
    EXPECT_TRUE(window->changed());
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].mode, ui::FileMode::Save);
    EXPECT_EQ(dialogs.fileRequests[0].filter, kFilter);
    EXPECT_EQ(dialogs.fileRequests[0].defaultName, QLatin1String("Week.inv"));

    dialogs.files.push_back(files.path(QStringLiteral("Saved.inv")));
    button("ISaveFile")->click();
    EXPECT_FALSE(window->changed());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(files.read(QStringLiteral("Saved.inv")), Serialize(window->sheet()));
    EXPECT_EQ(window->sheet().InvestmentFileName, QLatin1String("Saved.inv"));

    dialogs.clear();
    window->close();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(exits->count(), 1);
}

TEST_F(InvTrackTest, FailedOrRefusedSaves)
{
    button("ISaveFile")->click();
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral("Help|No Records to Save")});
    EXPECT_TRUE(dialogs.fileRequests.empty());

    open(ThreeRows());
    select(1, 1);
    type(QStringLiteral("5"));
    dialogs.files.push_back(files.path(QStringLiteral("missing/folder.inv")));
    button("ISaveFile")->click();
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{
                  QStringLiteral("Saving Error| Bad Filename. Must be in the form MYFILE.QRX")});
    EXPECT_TRUE(window->changed());
    EXPECT_EQ(window->sheet().cell(1, 1), Cell::Number(5)); // unchanged by the failed save
    EXPECT_EQ(window->sheet().InvestmentFileName, QLatin1String("Season.inv"));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(InvTrackTest, OpeningAsksBeforeReplacingUnsavedChanges)
{
    open(ThreeRows(), QStringLiteral("Mine.inv"));
    select(1, 0);
    type(QStringLiteral("Edited"));

    dialogs.answers = {true}; // go back and save
    button("IOpenFile")->click();
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0].title, QLatin1String("Changed File in Memory"));
    EXPECT_EQ(dialogs.log[0].text,
              QLatin1String("Mine.inv file in memory will be erased. Do you want to go back and "
                            "save it to Disk?."));
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_EQ(cell(1, 0), QLatin1String("Edited"));

    // No: the dialog opens on the sheet's file name; a cancel keeps the sheet.
    dialogs.clear();
    button("IOpenFile")->click();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].mode, ui::FileMode::Open);
    EXPECT_EQ(dialogs.fileRequests[0].filter, kFilter);
    EXPECT_EQ(dialogs.fileRequests[0].defaultName, QLatin1String("Mine.inv"));
    EXPECT_EQ(window->sheet().cell(1, 0), Cell::Text(QStringLiteral("Edited")));
    EXPECT_TRUE(window->isVisible());

    // A damaged file: the message, and an empty sheet.
    files.write(QStringLiteral("Bad.inv"), "3\r\n\"A\",1\r\n");
    dialogs.clear();
    dialogs.answers = {false};
    dialogs.files.push_back(files.path(QStringLiteral("Bad.inv")));
    button("IOpenFile")->click();
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{kLoadError});
    EXPECT_EQ(cell(1, 0), QString());
    EXPECT_EQ(cell(3, 0), QLatin1String("Total"));
    EXPECT_EQ(cell(3, 1), QLatin1String("$0.00"));
    EXPECT_TRUE(window->sheet().InvestmentFileName.isEmpty());
}

TEST_F(InvTrackTest, ShowsALoadedSheet)
{
    InvestmentSheet s = ThreeRows();
    s.setCell(4, 0, Cell::Text(QStringLiteral("sub total")));
    s.setCell(5, 0, Cell::Text(QStringLiteral("Big win")));
    s.setCell(5, 1, Cell::Number(1234.5));
    open(s);
    EXPECT_EQ(cell(1, 1), QLatin1String("-2.00"));
    EXPECT_EQ(cell(3, 1), QLatin1String("10.00"));
    EXPECT_EQ(cell(4, 0), QLatin1String("sub total"));
    EXPECT_EQ(cell(4, 1), QLatin1String("6.00"));
    EXPECT_EQ(cell(5, 1), QLatin1String("1,234.50"));
    EXPECT_EQ(cell(6, 0), QString());
    EXPECT_EQ(cell(8, 0), QLatin1String("Total"));
    EXPECT_EQ(cell(8, 1), QLatin1String("$1,240.50"));
    EXPECT_EQ(grid->view()->model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHCenter,
              Qt::AlignHCenter);
}

TEST_F(InvTrackTest, PrintsTheStatementAfterConfirmation)
{
    state.Settings.CurrencySymbol = QStringLiteral("£");
    build();
    open(ThreeRows());
    button("IPrinter")->click(); // answered No
    EXPECT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0].title, QLatin1String("Printer"));
    EXPECT_EQ(dialogs.log[0].text, QLatin1String("Continue with Printout."));
    EXPECT_TRUE(printer.texts.empty());

    dialogs.answers = {true};
    button("IPrinter")->click();
    ASSERT_EQ(printer.texts.size(), 1u);
    const QStringList& lines = printer.texts[0].pages.front();
    EXPECT_TRUE(lines.contains(QString(7, QLatin1Char(' ')) + QStringLiteral("Prize") +
                               QString(43, QLatin1Char(' ')) + QStringLiteral("       10.00")));
    EXPECT_EQ(lines.last().right(13), QStringLiteral("        £6.00"));
}

TEST_F(InvTrackTest, QuickHelpBeepsAtKeysAndCalculateClosesIt)
{
    auto* help = button("IHelp");
    auto* box = window->findChild<QPlainTextEdit*>(QStringLiteral("ITextBox"));
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isVisible());
    help->click();
    EXPECT_EQ(help->text(), QLatin1String("Close &Help"));
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->toPlainText().startsWith(QLatin1String("Load Sample.INV to try out")));
    EXPECT_TRUE(box->toPlainText().endsWith(QString(70, QLatin1Char(' ')) + QStringLiteral("End")));
    EXPECT_EQ(InvTrackWindow::HelpText().count(QLatin1String("\r\n\r\n")), 9);
    const QString before = box->toPlainText();
    QTest::keyClicks(box, QStringLiteral("ab"));
    EXPECT_EQ(dialogs.beeps, 2);
    EXPECT_EQ(box->toPlainText(), before);

    button("ICalc")->click();
    EXPECT_EQ(help->text(), QLatin1String("Quick &Help"));
    EXPECT_FALSE(box->isVisible());
}
