#include "app/SettingsForm.h"
#include "WindowTestSupport.h"
#include "ui/InputBox.h"
#include "ui/QtDialogs.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>

namespace {

class SettingsFormTest : public ::testing::Test {
protected:
    void open()
    {
        form = std::make_unique<app::SettingsForm>(f.state, f.services);
        QObject::connect(form.get(), &app::SettingsForm::exitToMenu, [this] { ++exits; });
        ASSERT_TRUE(ShowActive(form.get()));
    }
    ui::InputBox* box(const char* name) const
    {
        return form->findChild<ui::InputBox*>(QLatin1String(name));
    }
    QPushButton* exitButton() const
    {
        return form->findChild<QPushButton*>(QStringLiteral("ExitFonts"));
    }
    // Clicks into a box, which empties it (except the name box) and arms the retype rule.
    void clickIn(const char* name) { QTest::mouseClick(box(name), Qt::LeftButton); }

    ShellFakes f;
    std::unique_ptr<app::SettingsForm> form;
    int exits = 0;
};

} // namespace

TEST_F(SettingsFormTest, OpensWithTheSettingsRightAlignedAndTheFocusOnTheName)
{
    f.state.Settings = {4, 40, 3, QStringLiteral("$"), QStringLiteral(" Ann ")};
    open();
    EXPECT_EQ(form->objectName(), QStringLiteral("ChangeFnt"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Personalize"));
    EXPECT_TRUE(form->isModal());
    EXPECT_EQ(box("InNumChoices")->text(), QStringLiteral(" 4"));
    EXPECT_EQ(box("InHiNum")->text(), QStringLiteral("40"));
    EXPECT_EQ(box("InNumLines")->text(), QStringLiteral(" 3"));
    EXPECT_EQ(box("InSy")->text(), QStringLiteral(" $"));
    EXPECT_EQ(box("InMyName")->text(), QStringLiteral(" Ann "));
    EXPECT_EQ(exitButton()->text(), QStringLiteral("E&xit to Menu"));
    EXPECT_EQ(FocusName(), QStringLiteral("InMyName"));

    QStringList labels;
    for (const QLabel* l : form->findChildren<QLabel*>())
        labels << l->text();
    for (const char* expected :
         {" Changes are saved to disk and remain in     effect at startup of the program.",
          " Number of picks to select in the lottery", " Numbers in the lottery range from 1 to",
          " Number of entry forms being played", " Currency symbol to use", " Type in your name"})
        EXPECT_TRUE(labels.contains(QLatin1String(expected))) << expected;
}

TEST_F(SettingsFormTest, TabOrderStartsAtTheName)
{
    open();
    QStringList order{FocusName()};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << FocusName();
    }
    EXPECT_EQ(order, QStringList({QStringLiteral("InMyName"), QStringLiteral("InNumChoices"),
                                  QStringLiteral("InHiNum"), QStringLiteral("InNumLines"),
                                  QStringLiteral("InSy"), QStringLiteral("ExitFonts"),
                                  QStringLiteral("InMyName")}));
    EXPECT_TRUE(f.dialogs.log.empty());
}

TEST_F(SettingsFormTest, EnterMovesDownTheBoxesAndStopsAtTheExitButton)
{
    open();
    QTest::keyClick(box("InMyName"), Qt::Key_Tab);
    QStringList order{FocusName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        order << FocusName();
    }
    EXPECT_EQ(order, QStringList({QStringLiteral("InNumChoices"), QStringLiteral("InHiNum"),
                                  QStringLiteral("InNumLines"), QStringLiteral("InSy"),
                                  QStringLiteral("InMyName"), QStringLiteral("ExitFonts")}));
    // Enter in the name box only moves the focus; a second Enter presses the button.
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(exitButton(), Qt::Key_Return);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(SettingsFormTest, NumberBoxOutOfRangeTakesItsMaximum)
{
    struct Case {
        const char* box;
        const char* typed;
        const char* message; // nullptr: no message
        const char* after;
    };
    const Case cases[] = {
        {"InHiNum", "75", " Must be from 1 to 60", "60"},
        {"InHiNum", "", " Must be from 1 to 60", "60"},
        {"InHiNum", "0", " Must be from 1 to 60", "60"},
        {"InHiNum", "60", nullptr, "60"},
        {"InHiNum", "007", nullptr, " 7"},
        {"InNumChoices", "11", " Must be from 1 to 10", "10"},
        {"InNumChoices", "1", nullptr, " 1"},
        {"InNumLines", "0", " Must be from 1 to 10", "10"},
        {"InNumLines", "10", nullptr, "10"},
        {"InNumLines", "123", " Must be from 1 to 10", "10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " '" + c.typed + "'");
        f.dialogs.clear();
        open();
        clickIn(c.box);
        EXPECT_TRUE(box(c.box)->text().isEmpty());
        EXPECT_EQ(f.state.RetypeFlag, 1);
        QTest::keyClicks(box(c.box), QLatin1String(c.typed));
        QTest::keyClick(box(c.box), Qt::Key_Return);
        if (c.message) {
            EXPECT_EQ(f.dialogs.messages(),
                      std::vector<QString>{QStringLiteral("Help|") + QLatin1String(c.message)});
        } else {
            EXPECT_TRUE(f.dialogs.log.empty());
        }
        EXPECT_EQ(box(c.box)->text(), QLatin1String(c.after));
        EXPECT_EQ(f.state.RetypeFlag, 0);
        EXPECT_NE(FocusName(), QLatin1String(c.box));
    }
}

TEST_F(SettingsFormTest, LeavingAnUntouchedBoxKeepsItsText)
{
    f.state.Settings.DefaultPicks = 7;
    open();
    QTest::keyClick(box("InMyName"), Qt::Key_Tab);
    QTest::keyClick(box("InNumChoices"), Qt::Key_Tab);
    EXPECT_EQ(box("InNumChoices")->text(), QStringLiteral(" 7"));
    EXPECT_TRUE(f.dialogs.log.empty());
}

TEST_F(SettingsFormTest, FirstKeyReplacesTheContentEvenWhenRefused)
{
    open();
    QTest::keyClick(box("InMyName"), Qt::Key_Tab); // to InNumChoices, RetypeFlag still 0
    ASSERT_EQ(FocusName(), QStringLiteral("InNumChoices"));
    ASSERT_EQ(f.state.RetypeFlag, 0);
    QTest::keyClick(box("InNumChoices"), Qt::Key_A);
    EXPECT_EQ(f.dialogs.beeps, 1);
    EXPECT_TRUE(box("InNumChoices")->text().isEmpty());
    EXPECT_EQ(f.state.RetypeFlag, 1);
    QTest::keyClicks(box("InNumChoices"), QStringLiteral("8x"));
    EXPECT_EQ(f.dialogs.beeps, 2);
    EXPECT_EQ(box("InNumChoices")->text(), QStringLiteral("8"));
    QTest::keyClick(box("InNumChoices"), Qt::Key_Tab);
    EXPECT_EQ(box("InNumChoices")->text(), QStringLiteral(" 8"));
    EXPECT_EQ(f.state.RetypeFlag, 0);
}

TEST_F(SettingsFormTest, SymbolKeepsTwoCharactersAndNoQuotes)
{
    open();
    clickIn("InSy");
    QTest::keyClicks(box("InSy"), QStringLiteral("E\"UR"));
    EXPECT_EQ(box("InSy")->text(), QStringLiteral("EUR"));
    EXPECT_EQ(f.dialogs.beeps, 0);
    QTest::keyClick(box("InSy"), Qt::Key_Tab);
    EXPECT_EQ(box("InSy")->text(), QStringLiteral("EU"));
    exitButton()->click();
    EXPECT_EQ(f.state.Settings.CurrencySymbol, QStringLiteral("EU"));

    // One character is padded on the left, and the blank is trimmed when the form is left.
    open();
    clickIn("InSy");
    QTest::keyClicks(box("InSy"), QStringLiteral("K"));
    QTest::keyClick(box("InSy"), Qt::Key_Return);
    EXPECT_EQ(box("InSy")->text(), QStringLiteral(" K"));
    exitButton()->click();
    EXPECT_EQ(f.state.Settings.CurrencySymbol, QStringLiteral("K"));
}

TEST_F(SettingsFormTest, NameBoxIsNeverEmptiedAndRefusesQuotes)
{
    f.state.Settings.UserName = QStringLiteral("Ann");
    open();
    QTest::mouseClick(box("InMyName"), Qt::LeftButton);
    QTest::keyClick(box("InMyName"), Qt::Key_End);
    QTest::keyClicks(box("InMyName"), QStringLiteral(" \"Lucky\" Lee "));
    EXPECT_EQ(box("InMyName")->text(), QStringLiteral("Ann Lucky Lee "));
    EXPECT_EQ(f.state.RetypeFlag, 0);
    QTest::keyClick(box("InMyName"), Qt::Key_Tab);
    // Taken untrimmed when the box is left.
    EXPECT_EQ(f.state.Settings.UserName, QStringLiteral("Ann Lucky Lee "));
}

TEST_F(SettingsFormTest, ExitStoresTheBoxesAsShown)
{
    open();
    clickIn("InNumChoices");
    QTest::keyClicks(box("InNumChoices"), QStringLiteral("5"));
    clickIn("InHiNum");
    QTest::keyClicks(box("InHiNum"), QStringLiteral("39"));
    clickIn("InNumLines");
    QTest::keyClicks(box("InNumLines"), QStringLiteral("4"));
    QTest::mouseClick(box("InMyName"), Qt::LeftButton);
    QTest::keyClicks(box("InMyName"), QStringLiteral("Kim"));
    QTest::mouseClick(exitButton(), Qt::LeftButton);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(form->isVisible());
    const PersonalSettings& s = f.state.Settings;
    EXPECT_EQ(s.DefaultPicks, 5);
    EXPECT_EQ(s.DefaultHighNumber, 39);
    EXPECT_EQ(s.EntryForms, 4);
    EXPECT_EQ(s.CurrencySymbol, QStringLiteral("$"));
    EXPECT_EQ(s.UserName, QStringLiteral("Kim"));
    EXPECT_TRUE(f.dialogs.log.empty());
}

TEST_F(SettingsFormTest, LeavingByKeyboardRunsTheLeaveCheckFirst)
{
    for (const bool accessKey : {true, false}) {
        SCOPED_TRACE(accessKey ? "Alt+X" : "Escape");
        exits = 0;
        f.dialogs.clear();
        open();
        clickIn("InNumChoices");
        QTest::keyClicks(box("InNumChoices"), QStringLiteral("0"));
        if (accessKey) {
            QTest::keyClick(box("InNumChoices"), Qt::Key_X, Qt::AltModifier);
            // The access key focuses the button at once and presses it a moment later.
            EXPECT_TRUE(QTest::qWaitFor([this] { return exits > 0; }, 2000));
        } else {
            QTest::keyClick(box("InNumChoices"), Qt::Key_Escape);
        }
        EXPECT_EQ(f.dialogs.messages(),
                  std::vector<QString>{QStringLiteral("Help| Must be from 1 to 10")});
        EXPECT_EQ(exits, 1);
        EXPECT_EQ(f.state.Settings.DefaultPicks, 10);
    }
}

TEST_F(SettingsFormTest, EscapeAndTheTitleBarLeaveLikeTheButton)
{
    for (const bool escape : {true, false}) {
        exits = 0;
        f.state.Settings.UserName.clear();
        open();
        QTest::keyClicks(box("InMyName"), QStringLiteral("Max"));
        if (escape)
            QTest::keyClick(box("InMyName"), Qt::Key_Escape);
        else
            form->close();
        EXPECT_EQ(exits, 1) << escape;
        EXPECT_FALSE(form->isVisible()) << escape;
        EXPECT_EQ(f.state.Settings.UserName, QStringLiteral("Max")) << escape;
    }
}

TEST_F(SettingsFormTest, RealMessageBoxFromALeaveCheckShowsOnce)
{
    // With the real dialogs the message box takes the focus while the check runs; that must
    // neither run the check again nor show a second box.
    ui::QtDialogs real;
    ui::Services services{real, f.printer, f.clock};
    form = std::make_unique<app::SettingsForm>(f.state, services);
    ASSERT_TRUE(ShowActive(form.get()));
    int boxes = 0;
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxes;
            shown = box->text();
            box->accept();
        }
    });
    closer.start(20);
    clickIn("InHiNum");
    QTest::keyClicks(box("InHiNum"), QStringLiteral("75"));
    QTest::keyClick(box("InHiNum"), Qt::Key_Return);
    QTest::qWait(100);
    closer.stop();
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(shown, QStringLiteral(" Must be from 1 to 60"));
    EXPECT_EQ(box("InHiNum")->text(), QStringLiteral("60"));
    EXPECT_EQ(f.state.RetypeFlag, 0);
}
