#include "support/FakeDialogs.h"
#include "ui/Buttons.h"
#include "ui/InputBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A box whose check refuses "0" (putting back "5") and a command button, as every window has.
struct CommandWindow {
    QWidget window;
    ui::InputBox* box = new ui::InputBox(&window);
    QPushButton* button = ui::NamedButton(QStringLiteral("Go"), QStringLiteral("&Go"), &window);
    int checks = 0;
    int commands = 0;
    QString valueAtCommand;

    CommandWindow()
    {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(button);
        box->setNext(button);
        box->setLeaveCheck([this] {
            ++checks;
            if (box->text() != QLatin1String("0")) return true;
            box->setText(QStringLiteral("5"));
            return false;
        });
        QObject::connect(button, &QPushButton::clicked, [this] {
            ++commands;
            valueAtCommand = box->text();
        });
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

enum class Way { Mouse, Enter, AccessKey };

void Press(CommandWindow& w, Way way)
{
    switch (way) {
    case Way::Mouse:
        QTest::mouseClick(w.button, Qt::LeftButton);
        break;
    case Way::Enter:
        QTest::keyClick(w.box, Qt::Key_Return);
        break;
    case Way::AccessKey:
        QTest::keyClick(w.box, Qt::Key_G, Qt::AltModifier);
        // The access key presses its button at once and clicks it after a short animation.
        QTRY_VERIFY(!w.button->isDown());
        break;
    }
}

} // namespace

TEST(Commands, EveryWayToACommandRunsTheBoxCheckOnceAndARefusalStopsIt)
{
    for (const Way way : {Way::Mouse, Way::Enter, Way::AccessKey}) {
        SCOPED_TRACE(static_cast<int>(way));
        for (const bool refused : {false, true}) {
            CommandWindow w;
            w.box->setFocus(Qt::OtherFocusReason);
            QTest::keyClicks(w.box, refused ? QStringLiteral("0") : QStringLiteral("7"));
            Press(w, way);
            EXPECT_EQ(w.checks, 1) << refused;
            EXPECT_EQ(w.commands, refused ? 0 : 1);
            EXPECT_EQ(w.valueAtCommand, refused ? QString() : QStringLiteral("7"));
            // The focus went to the button, as a click would have taken it there.
            EXPECT_TRUE(w.button->hasFocus()) << refused;

            // A refusal holds back that one command only.
            Press(w, way == Way::Enter ? Way::Mouse : way);
            EXPECT_EQ(w.checks, 1);
            EXPECT_EQ(w.commands, refused ? 1 : 2);
        }
    }
}
