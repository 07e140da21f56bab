#include "windows/database/ExtractDialog.h"
#include "support/WindowTestSupport.h"

#include "ui/InputBox.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

namespace {

class ExtractDialogTest : public WindowTest {
protected:
    std::unique_ptr<database::ExtractDialog> open()
    {
        auto d = std::make_unique<database::ExtractDialog>(state, services);
        EXPECT_TRUE(ShowActive(d.get()));
        return d;
    }
    static ui::InputBox* low(QWidget& d)
    {
        return Child<ui::InputBox>(&d, QStringLiteral("LowRecNo"));
    }
    static ui::InputBox* high(QWidget& d)
    {
        return Child<ui::InputBox>(&d, QStringLiteral("HighRecNo"));
    }
    static QPushButton* button(QWidget& d, const char* name)
    {
        return Child<QPushButton>(&d, QString::fromLatin1(name));
    }
    // Clicks into a box (which empties it), types and leaves it for the other box.
    static void enter(QWidget& d, ui::InputBox* box, const QString& value)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, value);
        MoveFocusTo(box == low(d) ? static_cast<QWidget*>(high(d)) : low(d));
    }
};

} // namespace

TEST_F(ExtractDialogTest, OpensOnTheWholeRangeAndExtractsIt)
{
    fill(10);
    state.LastFileName = QStringLiteral("Weekly.lto");
    auto d = open();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Extract"));
    EXPECT_EQ(low(*d)->text(), QStringLiteral("   1"));
    EXPECT_EQ(high(*d)->text(), QStringLiteral("  10"));
    button(*d, "EExtractRecs")->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(state.database.recordCount(), 10);
    EXPECT_EQ(state.database.record(10).DrawDate, QDate(2020, 3, 7));
    EXPECT_EQ(state.database.title(), QStringLiteral("Extracted"));
    EXPECT_EQ(state.LastFileName, QStringLiteral("Extract.lto"));
    EXPECT_TRUE(state.Modified);
    EXPECT_EQ(dialogs.busyOn, dialogs.busyOff);
}

TEST_F(ExtractDialogTest, ExtractsTheTypedRangeWithEnter)
{
    fill(10);
    auto d = open();
    // The first key replaces the box; Enter moves on, and in the last box extracts.
    QTest::keyClicks(low(*d), QStringLiteral("3"));
    QTest::keyClick(low(*d), Qt::Key_Return);
    EXPECT_EQ(low(*d)->text(), QStringLiteral("   3"));
    EXPECT_TRUE(high(*d)->hasFocus());
    QTest::keyClicks(high(*d), QStringLiteral("6"));
    QTest::keyClick(high(*d), Qt::Key_Return);
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    ASSERT_EQ(state.database.recordCount(), 4);
    EXPECT_EQ(state.database.record(1).RecordNo, 1);
    EXPECT_EQ(state.database.record(1).DrawDate, QDate(2020, 1, 18));
    EXPECT_EQ(state.database.record(4).DrawDate, QDate(2020, 2, 8));
    EXPECT_EQ(state.database.pendingAdvance(), 0); // weekly: no step from 1 to 6 fits
}

TEST_F(ExtractDialogTest, BoxesOutsideTheRangeAreReset)
{
    fill(10);
    auto d = open();
    // A refused first key still empties the box, so leaving it is checked like a typed 0.
    QTest::keyClicks(low(*d), QStringLiteral("x"));
    QTest::keyClick(low(*d), Qt::Key_Return);
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{QStringLiteral("Help| Must be between 1 and  10")});
    EXPECT_EQ(low(*d)->text(), QStringLiteral("   1"));

    dialogs.clear();
    enter(*d, low(*d), QStringLiteral("0"));
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{QStringLiteral("Help| Must be between 1 and  10")});
    EXPECT_EQ(low(*d)->text(), QStringLiteral("   1"));

    dialogs.clear();
    enter(*d, low(*d), QStringLiteral("4"));
    EXPECT_TRUE(dialogs.log.empty());
    enter(*d, high(*d), QStringLiteral("3"));
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{QStringLiteral("Help| Must be between  4 and  10")});
    EXPECT_EQ(high(*d)->text(), QStringLiteral("  10"));

    dialogs.clear();
    enter(*d, high(*d), QStringLiteral("11"));
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{QStringLiteral("Help| Must be between  4 and  10")});
    EXPECT_EQ(d->fromRecord(), 4);
    EXPECT_EQ(d->toRecord(), 10);
    EXPECT_EQ(state.database.recordCount(), 10);
    EXPECT_EQ(state.database.title(), QStringLiteral("Test Lotto"));
}

TEST_F(ExtractDialogTest, AReversedRangeIsRefusedRatherThanEmptyingTheDatabase)
{
    fill(10);
    auto d = open();
    enter(*d, high(*d), QStringLiteral("5"));
    enter(*d, low(*d), QStringLiteral("8"));
    EXPECT_TRUE(dialogs.log.empty());
    button(*d, "EExtractRecs")->click();
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{QStringLiteral("Help| Must be between  8 and  10")});
    EXPECT_EQ(high(*d)->text(), QStringLiteral("  10"));
    EXPECT_EQ(state.database.recordCount(), 10);
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_TRUE(d->isVisible());
}

TEST_F(ExtractDialogTest, AnAccessKeyTakesTheNumberJustTyped)
{
    fill(10);
    state.setFileInMemory(QStringLiteral("/home/me/lotto/Mine.lto"));
    auto d = open();
    QTest::keyClicks(low(*d), QStringLiteral("5"));
    QTest::keyClick(low(*d), Qt::Key_E, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return d->result() == QDialog::Accepted; }, 2000));
    EXPECT_EQ(state.database.recordCount(), 6);
    EXPECT_EQ(state.database.record(1).DrawDate, QDate(2020, 2, 1));
    // Offered beside the file it came from.
    EXPECT_EQ(state.filePath, QStringLiteral("/home/me/lotto/Extract.lto"));

    // Out of range just before the access key: the message, and nothing extracted.
    fill(10);
    auto e = open();
    high(*e)->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(high(*e), QStringLiteral("11"));
    QTest::keyClick(high(*e), Qt::Key_E, Qt::AltModifier);
    // Not pressed: an access key presses its button at once and clicks it a moment later.
    EXPECT_FALSE(button(*e, "EExtractRecs")->isDown());
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{QStringLiteral("Help| Must be between  1 and  10")});
    EXPECT_NE(e->result(), QDialog::Accepted);
    EXPECT_EQ(state.database.recordCount(), 10);
}

TEST_F(ExtractDialogTest, ASingleRecordIsAQuietSuccess)
{
    fill(10);
    state.database.setPendingAdvance(4);
    auto d = open();
    enter(*d, low(*d), QStringLiteral("7"));
    enter(*d, high(*d), QStringLiteral("7"));
    button(*d, "EExtractRecs")->click();
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    ASSERT_EQ(state.database.recordCount(), 1);
    EXPECT_EQ(state.database.record(1).DrawDate, QDate(2020, 2, 15));
    EXPECT_EQ(state.database.pendingAdvance(), 4);
    EXPECT_EQ(state.database.title(), QStringLiteral("Extracted"));
    EXPECT_EQ(state.LastFileName, QStringLiteral("Extract.lto"));
}

TEST_F(ExtractDialogTest, CancelLeavesEverythingAsItWas)
{
    fill(10);
    state.LastFileName = QStringLiteral("Weekly.lto");
    auto d = open();
    enter(*d, low(*d), QStringLiteral("2"));
    button(*d, "EExit")->click();
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(state.database.recordCount(), 10);
    EXPECT_EQ(state.database.title(), QStringLiteral("Test Lotto"));
    EXPECT_EQ(state.LastFileName, QStringLiteral("Weekly.lto"));
    EXPECT_FALSE(state.Modified);
}

TEST_F(ExtractDialogTest, QuickHelpToggles)
{
    fill(3);
    auto d = open();
    QPushButton* help = button(*d, "EHelp");
    auto* text = Child<QPlainTextEdit>(d.get(), QStringLiteral("ETextBox"));
    EXPECT_FALSE(text->isVisible());
    const QSize before = d->size();
    help->click();
    EXPECT_EQ(help->text(), QStringLiteral("Close &Help"));
    EXPECT_TRUE(text->isVisible());
    EXPECT_TRUE(text->toPlainText().startsWith(QStringLiteral("To view a group of records")));
    EXPECT_TRUE(text->toPlainText().endsWith(
        QStringLiteral("The original database in memory is deleted.")));
    help->click();
    EXPECT_EQ(help->text(), QStringLiteral("Quick &Help"));
    EXPECT_FALSE(text->isVisible());
    // Opened and closed again, the dialog is as it was.
    QApplication::processEvents();
    EXPECT_EQ(d->size(), before);
}
