#include "windows/menu/SettingsForm.h"
#include "support/WindowTestSupport.h"
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
    void open(ui::Services* services = nullptr)
    {
        exits = 0;
        f.dialogs.clear();
        form = std::make_unique<app::SettingsForm>(f.state, services ? *services : f.services);
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
    void clickIn(const char* name) { QTest::mouseClick(box(name), Qt::LeftButton); }
    // Presses `key` in the focused control `times` times and lists where the focus went.
    QStringList walk(Qt::Key key, int times)
    {
        QStringList order{FocusName()};
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(QApplication::focusWidget(), key);
            order << FocusName();
        }
        return order;
    }

    ShellFakes f;
    std::unique_ptr<app::SettingsForm> form;
    int exits = 0;
};

} // namespace

TEST_F(SettingsFormTest, OpensWithTheSettingsAndMovesByTabAndEnter)
{
    f.state.settings = {4, 40, 10, QStringLiteral("$"), QStringLiteral(" Ann ")};
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Personalize"));
    EXPECT_EQ(box("InNumChoices")->text(), QStringLiteral(" 4"));
    EXPECT_EQ(box("InHiNum")->text(), QStringLiteral("40"));
    EXPECT_EQ(box("InNumLines")->text(), QStringLiteral("10"));
    EXPECT_EQ(box("InSy")->text(), QStringLiteral(" $"));
    EXPECT_EQ(box("InMyName")->text(), QStringLiteral(" Ann "));
    EXPECT_EQ(exitButton()->text(), QStringLiteral("E&xit to Menu"));
    EXPECT_TRUE(form->findChild<QLabel*>(QStringLiteral("NoteLabel"))->text() ==
                QStringLiteral(" Changes are saved to disk and remain in     effect at startup "
                               "of the program."));

    const QStringList tabs = walk(Qt::Key_Tab, 6);
    EXPECT_EQ(tabs.join(QLatin1Char(' ')),
              QStringLiteral("InMyName InNumChoices InHiNum InNumLines InSy ExitFonts InMyName"));
    QTest::keyClick(box("InMyName"), Qt::Key_Tab);
    // Enter moves down the boxes; in the name box it only reaches the button.
    EXPECT_EQ(walk(Qt::Key_Return, 5).join(QLatin1Char(' ')),
              QStringLiteral("InNumChoices InHiNum InNumLines InSy InMyName ExitFonts"));
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(f.dialogs.log.empty());
    QTest::keyClick(exitButton(), Qt::Key_Return);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(SettingsFormTest, NumberBoxOutOfRangeTakesItsMaximum)
{
    const struct {
        const char* box;
        const char* typed;
        const char* message; // nullptr: none
        const char* after;
    } cases[] = {
        {"InHiNum", "75", " Must be from 1 to 60", "60"},
        {"InHiNum", "", " Must be from 1 to 60", "60"},
        {"InHiNum", "007", nullptr, " 7"},
        {"InNumChoices", "11", " Must be from 1 to 10", "10"},
        {"InNumChoices", "10", nullptr, "10"},
        {"InNumLines", "0", " Must be from 1 to 10", "10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " '" + c.typed + "'");
        open();
        clickIn(c.box);
        EXPECT_TRUE(box(c.box)->text().isEmpty());
        QTest::keyClicks(box(c.box), QLatin1String(c.typed));
        QTest::keyClick(box(c.box), Qt::Key_Return);
        std::vector<QString> expected;
        if (c.message) expected.push_back(QStringLiteral("Help|") + QLatin1String(c.message));
        EXPECT_EQ(f.dialogs.messages(), expected);
        EXPECT_EQ(box(c.box)->text(), QLatin1String(c.after));
        EXPECT_FALSE(f.state.RetypeFlag.isSet());
    }
}

TEST_F(SettingsFormTest, FirstKeyReplacesTheContentEvenWhenRefused)
{
    f.state.settings.DefaultPicks = 7;
    open();
    QTest::keyClick(box("InMyName"), Qt::Key_Tab);
    QTest::keyClick(box("InNumChoices"), Qt::Key_A);
    EXPECT_EQ(f.dialogs.beeps, 1);
    EXPECT_TRUE(box("InNumChoices")->text().isEmpty());
    EXPECT_TRUE(f.state.RetypeFlag.isSet());
    QTest::keyClicks(box("InNumChoices"), QStringLiteral("8x"));
    EXPECT_EQ(f.dialogs.beeps, 2);
    QTest::keyClick(box("InNumChoices"), Qt::Key_Tab);
    EXPECT_EQ(box("InNumChoices")->text(), QStringLiteral(" 8"));
    EXPECT_FALSE(f.state.RetypeFlag.isSet());
}

TEST_F(SettingsFormTest, TextBoxesRefuseQuotesAndTheSymbolKeepsTwoCharacters)
{
    f.state.settings.UserName = QStringLiteral("Ann");
    open();
    // The name box is neither emptied by a click nor by a first key.
    QTest::mouseClick(box("InMyName"), Qt::LeftButton);
    QTest::keyClick(box("InMyName"), Qt::Key_End);
    QTest::keyClicks(box("InMyName"), QStringLiteral(" \"Lucky\" "));
    clickIn("InSy");
    QTest::keyClicks(box("InSy"), QStringLiteral("E\"UR"));
    QTest::keyClick(box("InSy"), Qt::Key_Tab);
    EXPECT_EQ(box("InSy")->text(), QStringLiteral("EU"));
    EXPECT_EQ(f.dialogs.beeps, 0);
    exitButton()->click();
    EXPECT_EQ(f.state.settings.CurrencySymbol, QStringLiteral("EU"));
    EXPECT_EQ(f.state.settings.UserName, QStringLiteral("Ann Lucky ")); // untrimmed

    open();
    clickIn("InSy");
    QTest::keyClicks(box("InSy"), QStringLiteral("K"));
    QTest::keyClick(box("InSy"), Qt::Key_Return);
    EXPECT_EQ(box("InSy")->text(), QStringLiteral(" K"));
    exitButton()->click();
    EXPECT_EQ(f.state.settings.CurrencySymbol, QStringLiteral("K"));
}

TEST_F(SettingsFormTest, TheExitButtonStoresAndEscapeLeavesAsFound)
{
    // The exit button, by mouse or access key, stores the boxes after the leave check of the
    // box being edited; Escape and the close box leave without storing anything.
    for (const char* way : {"click", "Alt+X", "Escape", "close"}) {
        SCOPED_TRACE(way);
        f.state.settings = {};
        open();
        clickIn("InHiNum");
        QTest::keyClicks(box("InHiNum"), QStringLiteral("39"));
        QTest::keyClick(box("InHiNum"), Qt::Key_Tab);
        QTest::mouseClick(box("InMyName"), Qt::LeftButton);
        QTest::keyClicks(box("InMyName"), QStringLiteral("Kim"));
        clickIn("InNumChoices");
        QTest::keyClicks(box("InNumChoices"), QStringLiteral("0"));
        const std::string w = way;
        const bool saves = w == "click" || w == "Alt+X";
        if (w == "click") {
            QTest::mouseClick(exitButton(), Qt::LeftButton);
        } else if (w == "Alt+X") {
            // The access key focuses the button at once and presses it a moment later.
            QTest::keyClick(box("InNumChoices"), Qt::Key_X, Qt::AltModifier);
            EXPECT_TRUE(QTest::qWaitFor([this] { return exits > 0; }, 2000));
        } else if (w == "Escape") {
            QTest::keyClick(box("InNumChoices"), Qt::Key_Escape);
        } else {
            form->close();
        }
        EXPECT_EQ(f.dialogs.messages(),
                  saves ? std::vector<QString>{QStringLiteral("Help| Must be from 1 to 10")}
                        : std::vector<QString>{});
        EXPECT_EQ(exits, saves ? 1 : 0);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !form->isVisible(); }, 2000));
        const core::PersonalSettings& s = f.state.settings;
        EXPECT_EQ(s.DefaultPicks, saves ? 10 : 6);
        EXPECT_EQ(s.DefaultHighNumber, saves ? 39 : 49);
        EXPECT_EQ(s.EntryForms, 1);
        EXPECT_EQ(s.UserName, saves ? QStringLiteral("Kim") : QString());
    }
}

TEST_F(SettingsFormTest, RealMessageBoxFromALeaveCheckShowsOnce)
{
    // The real box takes the focus while the check runs: that must neither run the check again
    // nor show a second box.
    ui::QtDialogs real;
    ui::Services services{real, f.printer, f.clock};
    open(&services);
    QStringList shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->accept();
        }
    });
    closer.start(20);
    clickIn("InHiNum");
    QTest::keyClicks(box("InHiNum"), QStringLiteral("75"));
    QTest::keyClick(box("InHiNum"), Qt::Key_Return);
    QTRY_COMPARE(shown, QStringList{QStringLiteral(" Must be from 1 to 60")});
    EXPECT_EQ(box("InHiNum")->text(), QStringLiteral("60"));
}
