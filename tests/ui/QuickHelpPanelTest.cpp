#include "ui/QuickHelpPanel.h"

#include "support/FakeDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A window with an input box, a main action button, the help button and the help box.
struct HelpWindow {
    explicit HelpWindow(ui::QuickHelpPanel::Keys keys, bool takeFocus = true)
    {
        auto* layout = new QVBoxLayout(&window);
        input = new QLineEdit(&window);
        action = new QPushButton(QStringLiteral("&Calculate"), &window);
        button = new QPushButton(&window);
        box = new QPlainTextEdit(&window);
        layout->addWidget(input);
        layout->addWidget(action);
        layout->addWidget(button);
        layout->addWidget(box);
        panel = new ui::QuickHelpPanel(button, box, keys, &dialogs, takeFocus);
        panel->setText(ui::QuickHelpPanel::JoinParagraphs(
            {QStringLiteral("First paragraph."), QStringLiteral("Second paragraph.")}));
        QObject::connect(button, &QPushButton::clicked, panel, &ui::QuickHelpPanel::toggle);
        window.show();
        QApplication::setActiveWindow(&window);
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget window;
    FakeDialogs dialogs;
    QLineEdit* input;
    QPushButton* action;
    QPushButton* button;
    QPlainTextEdit* box;
    ui::QuickHelpPanel* panel;
};

} // namespace

TEST(QuickHelpPanel, PressingTwiceLeavesTheWindowAsItWas)
{
    for (const bool takeFocus : {true, false}) {
        HelpWindow w(ui::QuickHelpPanel::Keys::Plain, takeFocus);
        w.button->setFocus();
        const QString caption = w.button->text();
        EXPECT_EQ(caption, QStringLiteral("Quick &Help"));
        EXPECT_FALSE(w.box->isVisible());

        QTest::mouseClick(w.button, Qt::LeftButton);
        EXPECT_EQ(w.button->text(), QStringLiteral("Close &Help"));
        EXPECT_TRUE(w.box->isVisible());
        EXPECT_EQ(w.box->hasFocus(), takeFocus);
        EXPECT_EQ(w.button->hasFocus(), !takeFocus);
        // Paragraphs are parted by an empty line; the box shows each CR LF as one line break.
        EXPECT_EQ(w.box->toPlainText(), QStringLiteral("First paragraph.\n\nSecond paragraph."));
        QTest::mouseClick(w.button, Qt::LeftButton);

        EXPECT_EQ(w.button->text(), caption);
        EXPECT_FALSE(w.box->isVisible());
        EXPECT_FALSE(w.panel->isOpen());
        EXPECT_TRUE(w.button->hasFocus()) << "takeFocus " << takeFocus;
    }

    // Closed with its access key while the focus is in the help box: the focus goes back to the
    // control the user was in before, not to whatever comes next.
    HelpWindow w(ui::QuickHelpPanel::Keys::Beep);
    w.input->setFocus();
    w.panel->toggle();
    ASSERT_TRUE(w.box->hasFocus());
    QTest::keyClick(w.box, Qt::Key_H, Qt::AltModifier);
    // An access key clicks its button after a short animation.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.panel->isOpen(); }, 2000));
    EXPECT_TRUE(w.input->hasFocus());
    EXPECT_EQ(w.dialogs.beeps, 0);
}

TEST(QuickHelpPanel, MainActionClosesAnOpenPanelFirst)
{
    HelpWindow w(ui::QuickHelpPanel::Keys::Silent);
    bool openDuringAction = true;
    bool boxShownDuringAction = true;
    int actions = 0;
    QObject::connect(w.action, &QPushButton::clicked, [&] {
        w.panel->close();
        openDuringAction = w.panel->isOpen();
        boxShownDuringAction = w.box->isVisible();
        ++actions;
    });
    w.panel->toggle();
    ASSERT_TRUE(w.panel->isOpen());
    QTest::mouseClick(w.action, Qt::LeftButton);
    EXPECT_EQ(actions, 1);
    EXPECT_FALSE(openDuringAction);
    EXPECT_FALSE(boxShownDuringAction);
    EXPECT_EQ(w.button->text(), QStringLiteral("Quick &Help"));

    // With the panel closed, the action leaves it closed.
    QTest::mouseClick(w.action, Qt::LeftButton);
    EXPECT_EQ(actions, 2);
    EXPECT_FALSE(w.panel->isOpen());
}

TEST(QuickHelpPanel, TypedCharactersAreDroppedByTheBoxsKeyRule)
{
    struct Case {
        ui::QuickHelpPanel::Keys keys;
        int beepsPerCharacter;
    };
    const Case cases[] = {{ui::QuickHelpPanel::Keys::Beep, 1},
                          {ui::QuickHelpPanel::Keys::Silent, 0},
                          {ui::QuickHelpPanel::Keys::Plain, 0}};
    for (const Case& c : cases) {
        HelpWindow w(c.keys);
        w.panel->toggle();
        const QString before = w.box->toPlainText();

        QTest::keyClicks(w.box, QStringLiteral("ab 1"));
        QTest::keyClick(w.box, Qt::Key_Return);
        QTest::keyClick(w.box, Qt::Key_Backspace);
        EXPECT_EQ(w.dialogs.beeps, 6 * c.beepsPerCharacter);
        EXPECT_EQ(w.box->toPlainText(), before);

        // Keys that only move within the text still move, and never beep.
        const int beeps = w.dialogs.beeps;
        QTest::keyClick(w.box, Qt::Key_Down);
        EXPECT_EQ(w.box->textCursor().blockNumber(), 1);
        QTest::keyClick(w.box, Qt::Key_PageDown);
        QTest::keyClick(w.box, Qt::Key_End);
        QTest::keyClick(w.box, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(w.dialogs.beeps, beeps);
        EXPECT_TRUE(w.panel->isOpen());
    }
}
