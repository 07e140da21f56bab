#include "windows/database/RecordDialog.h"
#include "support/WindowTestSupport.h"

#include "ui/InputBox.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

class RecordDialogTest : public WindowTest {
protected:
    database::RecordDialog dialog{dialogs};
    void SetUp() override { ASSERT_TRUE(ShowActive(&dialog)); }
    QRadioButton* option(int i)
    {
        return Child<QRadioButton>(&dialog, QStringLiteral("CorInsDel%1").arg(i));
    }
    ui::InputBox* value() { return Child<ui::InputBox>(&dialog, QStringLiteral("CurVal")); }
    QString instruction() { return Child<QLabel>(&dialog, QStringLiteral("Label1"))->text(); }
    QPushButton* button(const char* name)
    {
        return Child<QPushButton>(&dialog, QString::fromLatin1(name));
    }
};

} // namespace

TEST_F(RecordDialogTest, OptionsSetTheirInstruction)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Input"));
    EXPECT_TRUE(option(0)->isChecked());
    EXPECT_EQ(dialog.selectedOption(), entry::Option::Correct);
    EXPECT_EQ(instruction(), QStringLiteral(" Type in the record          number to correct."));
    option(1)->click();
    EXPECT_EQ(dialog.selectedOption(), entry::Option::Insert);
    EXPECT_EQ(instruction(), QStringLiteral(" Type in 1. Automatic       insertion by date."));
    option(2)->click();
    EXPECT_EQ(dialog.selectedOption(), entry::Option::Delete);
    EXPECT_EQ(instruction(), QStringLiteral(" Type in the record          number to delete."));
}

TEST_F(RecordDialogTest, EnterMovesFromTheOptionsToTheNumberAndAccepts)
{
    option(2)->click();
    option(2)->setFocus();
    QTest::keyClick(option(2), Qt::Key_Return);
    EXPECT_TRUE(value()->hasFocus());
    QTest::keyClicks(value(), QStringLiteral("1x2"));
    EXPECT_EQ(value()->text(), QStringLiteral("12"));
    EXPECT_EQ(dialogs.beeps, 1);
    QTest::keyClick(value(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice().option, entry::Option::Delete);
    EXPECT_EQ(dialog.choice().record, 12);
}

TEST_F(RecordDialogTest, LettersInTheOptionsAreRefused)
{
    option(0)->setFocus();
    QTest::keyClicks(option(0), QStringLiteral("a5"));
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_TRUE(option(0)->isChecked());
    EXPECT_EQ(value()->text(), QString());
}

TEST_F(RecordDialogTest, InsertConfirmsAnyNumberAndCancelsOnNothing)
{
    option(1)->click();
    Type(value(), QStringLiteral("7"));
    button("Accept")->click();
    EXPECT_EQ(dialog.choice().option, entry::Option::Insert);
    EXPECT_EQ(dialog.choice().record, 1);

    // A fresh dialog never carries an earlier answer: Insert with nothing typed is a cancel.
    database::RecordDialog again(dialogs);
    ASSERT_TRUE(ShowActive(&again));
    Child<QRadioButton>(&again, QStringLiteral("CorInsDel1"))->click();
    Child<QPushButton>(&again, QStringLiteral("Accept"))->click();
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_EQ(again.choice().option, entry::Option::None);
    EXPECT_EQ(again.choice().record, 0);
}

TEST_F(RecordDialogTest, CancelAndZeroChooseNothing)
{
    Type(value(), QStringLiteral("0"));
    button("Accept")->click();
    EXPECT_EQ(dialog.choice().record, 0);
    EXPECT_EQ(dialog.choice().option, entry::Option::None);

    database::RecordDialog cancelled(dialogs);
    ASSERT_TRUE(ShowActive(&cancelled));
    Type(Child<ui::InputBox>(&cancelled, QStringLiteral("CurVal")), QStringLiteral("4"));
    Child<QPushButton>(&cancelled, QStringLiteral("NoAccept"))->click();
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(cancelled.choice().record, 0);
}
