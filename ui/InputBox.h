#pragma once
// The program's input box: a yellow line edit with a key rule, Enter moving on, the first-key
// (retype) rule shared by all setup boxes, and validation when the box is left.
#include "text/RetypeFlag.h"

#include <QLineEdit>
#include <QPointer>
#include <functional>

namespace ui {

class Dialogs;

// Backspace (8) and the digits pass with their codes; any other key beeps and gives 0.
int DigitKeyFilter(int keyCode, Dialogs& dialogs);

enum class KeyRule {
    Any,       // every key
    NoQuote,   // text for the single-byte files: every key but the double quote, which is
               // dropped silently, and characters Windows-1252 cannot hold, which beep
    Digits,    // DigitKeyFilter
    DateChars, // digits and the date separators ". - /"; anything else beeps
};

class InputBox : public QLineEdit {
    Q_OBJECT
public:
    explicit InputBox(QWidget* parent = nullptr);

    void setDialogs(Dialogs* dialogs) { m_dialogs = dialogs; }
    // The rule also becomes the box's description for a screen reader ("Digits only"), unless
    // the window has given the box a description of its own.
    void setKeyRule(KeyRule rule);
    KeyRule keyRule() const { return m_rule; }

    // The first-key rule: while *flag is 0, the first key typed empties the box and sets the
    // flag to 1 (even when the key rule then refuses the key). Leaving the box does not reset
    // the flag; the window's leave handler does, as its rules say. Pass nullptr to switch off.
    void setRetypeFlag(text::RetypeFlag* flag) { m_retype = flag; }
    // A click in the box empties it and sets the retype flag to 1.
    void setClearOnClick(bool on) { m_clearOnClick = on; }

    // Enter moves the focus to `next`; when `next` is a button it is pressed instead.
    void setNext(QWidget* next) { m_next = next; }

    // Called for every key press before the built-in rules; returning true swallows the key.
    std::function<bool(QKeyEvent*)> keyHook;

    // The check run when the box is left, for another control of the window or for a command
    // (ui/Commands.h). It returns false when it refused the value (its message shown, its value
    // put back); a command waiting on that leaving then does not run. It runs once per leaving.
    void setLeaveCheck(std::function<bool()> check) { m_leaveCheck = std::move(check); }
    // Moves the focus to `target` now, so the leave check runs; false when it refused.
    bool leaveFor(QWidget* target, Qt::FocusReason reason);

    // True while the box has been typed into or clicked since it got the focus.
    bool edited() const { return m_edited; }
    void setEdited(bool e) { m_edited = e; }

Q_SIGNALS:
    void enterPressed();
    // The focus went to another control of the window (not to a message box or another window);
    // emitted after the leave check.
    void left();
    void clickedIn();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // What the key rule makes of a typed key: taken, refused (with the beep), or dropped
    // silently (the double quote in text for the files), which the first-key rule ignores.
    enum class KeyVerdict { Accept, Refuse, Drop };
    KeyVerdict judgeKey(const QString& typed, bool backspace);
    void pressEnter();
    void beep();
    bool allows(QChar c) const;
    bool runLeaveCheck();
    void pasteFiltered();
    Dialogs* m_dialogs = nullptr;
    KeyRule m_rule = KeyRule::Any;
    text::RetypeFlag* m_retype = nullptr;
    bool m_clearOnClick = false;
    bool m_edited = false;
    bool m_inLeave = false;
    std::function<bool()> m_leaveCheck;
    // The outcome of the latest leave check, and how many have run (so leaveFor can tell
    // whether moving the focus ran one).
    bool m_lastLeaveAccepted = true;
    unsigned m_leaveRuns = 0;
    QPointer<QWidget> m_next;
};

// What a box is made with besides its window: the key rule, the length limit, the first-key
// rule's flag, whether a click empties it, how its text sits, and a fixed width (given as
// sample text the box must show, plus a margin for the frame).
struct BoxRules {
    KeyRule keys = KeyRule::Any;
    int maxLength = 0; // 0: no limit of the box's own
    text::RetypeFlag* retypeFlag = nullptr;
    bool clearOnClick = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    // Empty: the layout decides the width. Given a default of its own, as every member, so a
    // designated initializer may leave it out without a missing-initializer warning.
    QString widthSample = {};
    int widthMargin = 12;
};

// A box named `name` (its control name, which tests and accessibility tools find), reporting
// its refusals through `dialogs`, with `rules` applied.
InputBox* MakeInputBox(const QString& name, Dialogs& dialogs, const BoxRules& rules,
                       QWidget* parent);

} // namespace ui
