#include "ui/InputBox.h"
#include "support/FakeDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct PasteCase {
    ui::KeyRule rule;
    const char* before;
    const char* clipboard;
    const char* after;
    int beeps;
};
} // namespace

TEST(InputBox, PasteFollowsTheKeyRule)
{
    const PasteCase cases[] = {
        {ui::KeyRule::Digits, "1", "2x3", "123", 1},
        {ui::KeyRule::Digits, "1", "abc", "1", 1},
        {ui::KeyRule::DateChars, "", "3/28/2026 ok", "3/28/2026", 1},
        {ui::KeyRule::NoQuote, "My ", "\"Big\" Draw", "My Big Draw", 0},
        // The single-byte files hold the euro sign and curly quotes, not an arrow.
        {ui::KeyRule::NoQuote, "", "\u20ac \u201cx\u201d \u2192", "\u20ac \u201cx\u201d ", 1},
        {ui::KeyRule::Any, "", "a\"b", "a\"b", 0},
    };
    for (const auto& c : cases) {
        FakeDialogs dialogs;
        ui::InputBox box;
        box.setDialogs(&dialogs);
        box.setKeyRule(c.rule);
        box.setText(QLatin1String(c.before));
        box.setCursorPosition(static_cast<int>(box.text().size()));
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box.text(), QString::fromUtf8(c.after)) << c.clipboard;
        EXPECT_EQ(dialogs.beeps, c.beeps) << c.clipboard;
    }
}

TEST(InputBox, PasteIsTheFirstKeyOfTheRetypeRule)
{
    FakeDialogs dialogs;
    text::RetypeFlag retype;
    ui::InputBox box;
    box.setDialogs(&dialogs);
    box.setKeyRule(ui::KeyRule::Digits);
    box.setRetypeFlag(&retype);
    box.setMaxLength(2);
    box.setText(QStringLiteral("49"));
    QGuiApplication::clipboard()->setText(QStringLiteral("607"));
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("60")); // replaced, and cut at the box's length
    EXPECT_TRUE(retype.isSet());
    EXPECT_TRUE(box.edited());
}

TEST(InputBox, TextForTheFilesRefusesTypedCharactersWindows1252CannotHold)
{
    FakeDialogs dialogs;
    ui::InputBox box;
    box.setDialogs(&dialogs);
    box.setKeyRule(ui::KeyRule::NoQuote);
    // Characters beyond ASCII arrive as key events without a key code of their own.
    for (const QChar c : QString::fromUtf8("\u20ac\u0152\u2192\u00e9\u0100\""))
        QTest::sendKeyEvent(QTest::Press, &box, Qt::Key_unknown, QString(c), {});
    EXPECT_EQ(box.text(), QString::fromUtf8("\u20ac\u0152\u00e9"));
    EXPECT_EQ(dialogs.beeps, 2); // the arrow and the A with macron; the quote is dropped silently
}

namespace {

// Types as the user would: '\b' is Backspace; characters beyond ASCII arrive without a key code.
void TypeKeys(ui::InputBox& box, const QString& keys)
{
    for (const QChar c : keys) {
        if (c == QLatin1Char('\b'))
            QTest::keyClick(&box, Qt::Key_Backspace);
        else if (c.unicode() < 128)
            QTest::keyClick(&box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Press, &box, Qt::Key_unknown, QString(c), {});
    }
}

// A box, a line edit after it and a hidden button, in a window that has the focus. The box's
// check refuses "0" and puts back "5".
struct LeaveWindow {
    QWidget window;
    ui::InputBox* box = new ui::InputBox(&window);
    QLineEdit* other = new QLineEdit(&window);
    QPushButton* hidden = new QPushButton(&window);
    int checks = 0;
    int lefts = 0;

    LeaveWindow()
    {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        layout->addWidget(hidden);
        hidden->hide();
        box->setLeaveCheck([this] {
            ++checks;
            if (box->text() != QLatin1String("0")) return true;
            box->setText(QStringLiteral("5"));
            return false;
        });
        QObject::connect(box, &ui::InputBox::left, [this] { ++lefts; });
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus(Qt::OtherFocusReason);
    }
};

} // namespace

TEST(InputBox, TypedKeysFollowTheKeyRule)
{
    const struct {
        ui::KeyRule rule;
        const char* keys;
        const char* after;
        int beeps;
    } cases[] = {
        {ui::KeyRule::Digits, "12a3\b", "12", 1},
        {ui::KeyRule::DateChars, "5.1-26/x", "5.1-26/", 1},
        {ui::KeyRule::NoQuote, "say \"hi\"\b", "say h", 0},
        {ui::KeyRule::Any, "a\"\u2192", "a\"\u2192", 0},
    };
    for (const auto& c : cases) {
        FakeDialogs dialogs;
        ui::InputBox box;
        box.setDialogs(&dialogs);
        box.setKeyRule(c.rule);
        TypeKeys(box, QString::fromUtf8(c.keys));
        EXPECT_EQ(box.text(), QString::fromUtf8(c.after)) << c.keys;
        EXPECT_EQ(dialogs.beeps, c.beeps) << c.keys;
    }
}

TEST(InputBox, TheFirstKeyTypedEmptiesTheBoxEvenWhenTheRuleRefusesIt)
{
    const struct {
        bool shared; // the box takes part in the retype rule
        const char* keys;
        const char* after;
        int beeps;
    } cases[] = {
        {true, "7", "7", 0}, {true, "x", "", 1}, {true, "78", "78", 0}, {false, "7", "479", 0}};
    for (const auto& c : cases) {
        FakeDialogs dialogs;
        text::RetypeFlag retype;
        ui::InputBox box;
        box.setDialogs(&dialogs);
        box.setKeyRule(ui::KeyRule::Digits);
        box.setText(QStringLiteral("49"));
        if (c.shared) box.setRetypeFlag(&retype);
        // A key that moves the cursor is not the first key.
        QTest::keyClick(&box, Qt::Key_Left);
        EXPECT_FALSE(retype.isSet());
        TypeKeys(box, QLatin1String(c.keys));
        EXPECT_EQ(box.text(), QLatin1String(c.after)) << c.keys;
        EXPECT_EQ(retype.isSet(), c.shared) << c.keys;
        // Emptied or typed into, the box is checked when it is left.
        EXPECT_TRUE(box.edited()) << c.keys;
        EXPECT_EQ(dialogs.beeps, c.beeps) << c.keys;
    }
}

TEST(InputBox, EnterMovesToTheNextControlAndTheLeaveCheckRunsOncePerLeaving)
{
    LeaveWindow w;
    int enters = 0;
    QObject::connect(w.box, &ui::InputBox::enterPressed, [&enters] { ++enters; });
    w.box->setNext(w.other);
    QTest::keyClick(w.box, Qt::Key_Return);
    EXPECT_TRUE(w.other->hasFocus());
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(w.checks, 1);
    EXPECT_EQ(w.lefts, 1);

    // Another window taking the focus is not leaving the box.
    w.box->setFocus(Qt::OtherFocusReason);
    QWidget popup;
    popup.show();
    QApplication::setActiveWindow(&popup);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&popup));
    EXPECT_EQ(w.checks, 1);
    popup.close();
    QApplication::setActiveWindow(&w.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    EXPECT_TRUE(w.box->hasFocus());

    // A refusal puts its value back; the focus stays where the user sent it.
    w.box->setText(QStringLiteral("0"));
    EXPECT_FALSE(w.box->leaveFor(w.other, Qt::TabFocusReason));
    EXPECT_EQ(w.checks, 2);
    EXPECT_EQ(w.box->text(), QStringLiteral("5"));
    EXPECT_TRUE(w.other->hasFocus());

    // A target that cannot take the focus still gets the check, and the box keeps the focus.
    w.box->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(w.box->leaveFor(w.hidden, Qt::TabFocusReason));
    EXPECT_EQ(w.checks, 3);
    EXPECT_EQ(w.lefts, 3);
    EXPECT_TRUE(w.box->hasFocus());
}
