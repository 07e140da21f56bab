#include "ui/InputBox.h"
#include "support/FakeDialogs.h"

#include <QApplication>
#include <QClipboard>
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
    int retype = 0;
    ui::InputBox box;
    box.setDialogs(&dialogs);
    box.setKeyRule(ui::KeyRule::Digits);
    box.setRetypeFlag(&retype);
    box.setMaxLength(2);
    box.setText(QStringLiteral("49"));
    QGuiApplication::clipboard()->setText(QStringLiteral("607"));
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("60")); // replaced, and cut at the box's length
    EXPECT_EQ(retype, 1);
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
