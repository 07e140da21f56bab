#include "ui/InputBox.h"

#include "ui/Commands.h"
#include "ui/Dialogs.h"

#include "text/Cp1252.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ui {

int DigitKeyFilter(int keyCode, Dialogs& dialogs)
{
    if (keyCode == 8 || (keyCode >= '0' && keyCode <= '9')) return keyCode;
    dialogs.beep();
    return 0;
}

InputBox::InputBox(QWidget* parent) : QLineEdit(parent)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, QColor(255, 255, 128));
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
    // Dropped text would go around the key rule.
    setAcceptDrops(false);
    setKeyRule(KeyRule::Any);
}

namespace {
QString RuleDescription(KeyRule rule)
{
    switch (rule) {
    case KeyRule::Any:
        return QStringLiteral("Text");
    case KeyRule::NoQuote:
        return QStringLiteral("Text without double quotes");
    case KeyRule::Digits:
        return QStringLiteral("Digits only");
    case KeyRule::DateChars:
        return QStringLiteral("A date: day, month and year in digits, separated by . - or /");
    }
    return {};
}
} // namespace

void InputBox::setKeyRule(KeyRule rule)
{
    const QString description = accessibleDescription();
    if (description.isEmpty() || description == RuleDescription(m_rule))
        setAccessibleDescription(RuleDescription(rule));
    m_rule = rule;
}

void InputBox::beep()
{
    if (m_dialogs)
        m_dialogs->beep();
    else
        QApplication::beep();
}

void InputBox::keyPressEvent(QKeyEvent* event)
{
    if (keyHook && keyHook(event)) return;

    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        pressEnter();
        return;
    }

    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered();
        return;
    }

    const QString t = event->text();
    const bool printable = !t.isEmpty() && t.at(0).isPrint();
    const bool backspace = key == Qt::Key_Backspace;
    if (!printable && !backspace) {
        // Moving keys, Delete, Tab and the like keep their normal meaning.
        QLineEdit::keyPressEvent(event);
        return;
    }

    const KeyVerdict verdict = judgeKey(t, backspace);
    if (verdict == KeyVerdict::Drop) return;
    if (m_retype && !m_retype->isSet()) {
        clear();
        m_retype->set();
        // Emptied even by a refused key, the box has changed and is checked when left.
        m_edited = true;
    }
    if (verdict == KeyVerdict::Refuse) return;
    m_edited = true;
    QLineEdit::keyPressEvent(event);
}

void InputBox::pressEnter()
{
    Q_EMIT enterPressed();
    if (!m_next) return;
    if (auto* button = qobject_cast<QAbstractButton*>(m_next.data())) {
        // Leaving the box first runs its checks, as a click on the button would; a refusal
        // holds the command back.
        QPointer<QAbstractButton> pressed = button;
        if (leaveFor(button, Qt::TabFocusReason) && pressed && pressed->isVisible() &&
            pressed->isEnabled())
            pressed->click();
    } else {
        m_next->setFocus(Qt::TabFocusReason);
    }
}

InputBox::KeyVerdict InputBox::judgeKey(const QString& t, bool backspace)
{
    bool accept = true;
    switch (m_rule) {
    case KeyRule::Any:
        break;
    case KeyRule::NoQuote:
        if (t == QLatin1String("\"")) return KeyVerdict::Drop; // silently
        for (const QChar c : t)
            accept = accept && text::InCp1252(c);
        if (!accept) beep();
        break;
    case KeyRule::Digits:
        if (!backspace && m_dialogs)
            accept = DigitKeyFilter(t.at(0).unicode(), *m_dialogs) != 0;
        else if (!backspace) {
            accept = t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9');
            if (!accept) beep();
        }
        break;
    case KeyRule::DateChars:
        if (!backspace) {
            const QChar c = t.at(0);
            accept = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
                     c == QLatin1Char('-') || c == QLatin1Char('/');
            if (!accept) beep();
        }
        break;
    }
    return accept ? KeyVerdict::Accept : KeyVerdict::Refuse;
}

bool InputBox::allows(QChar c) const
{
    switch (m_rule) {
    case KeyRule::Any:
        return true;
    case KeyRule::NoQuote:
        return c != QLatin1Char('"') && text::InCp1252(c);
    case KeyRule::Digits:
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    case KeyRule::DateChars:
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
               c == QLatin1Char('-') || c == QLatin1Char('/');
    }
    return true;
}

void InputBox::pasteFiltered()
{
    // Pasted text passes the same rule as typed keys: refused characters are left out (with
    // one beep), and the paste counts as the first key of the retype rule.
    const QString pasted = QGuiApplication::clipboard()->text();
    QString kept;
    bool refused = false;
    for (const QChar c : pasted) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) continue;
        if (allows(c))
            kept += c;
        else if (m_rule != KeyRule::NoQuote || c != QLatin1Char('"'))
            refused = true;
    }
    if (refused) beep();
    if (m_retype && !m_retype->isSet()) {
        clear();
        m_retype->set();
    }
    if (kept.isEmpty()) return;
    m_edited = true;
    insert(kept);
}

void InputBox::contextMenuEvent(QContextMenuEvent* event)
{
    // The standard menu's Paste would go around the key rule; boxes with a rule offer none.
    if (m_rule == KeyRule::Any)
        QLineEdit::contextMenuEvent(event);
    else
        event->accept();
}

void InputBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
}

void InputBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A message box or another window taking the focus is not leaving the box; and a message
    // shown by the leave handler itself must not start the handler again.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
    if (m_inLeave) return;
    // The control taking the focus, before the check can move it again.
    const QPointer<QWidget> target = QApplication::focusWidget();
    if (!runLeaveCheck() && reason == Qt::MouseFocusReason && target) HoldPressAfterRefusal(target);
}

bool InputBox::runLeaveCheck()
{
    m_inLeave = true;
    const QPointer<InputBox> self = this;
    const bool accepted = m_leaveCheck ? m_leaveCheck() : true;
    if (!self) return accepted;
    Q_EMIT left();
    m_inLeave = false;
    m_lastLeaveAccepted = accepted;
    ++m_leaveRuns;
    return accepted;
}

bool InputBox::leaveFor(QWidget* target, Qt::FocusReason reason)
{
    if (m_inLeave) return true;
    const unsigned before = m_leaveRuns;
    target->setFocus(reason);
    // A target that cannot take the focus (hidden) leaves the box where it is: the command
    // still waits for the check.
    if (m_leaveRuns == before) return runLeaveCheck();
    return m_lastLeaveAccepted;
}

void InputBox::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (m_clearOnClick) {
        clear();
        if (m_retype) m_retype->set();
    }
    m_edited = true;
    Q_EMIT clickedIn();
}

InputBox* MakeInputBox(const QString& name, Dialogs& dialogs, const BoxRules& rules,
                       QWidget* parent)
{
    auto* box = new InputBox(parent);
    box->setObjectName(name);
    box->setDialogs(&dialogs);
    box->setKeyRule(rules.keys);
    if (rules.maxLength > 0) box->setMaxLength(rules.maxLength);
    box->setRetypeFlag(rules.retypeFlag);
    box->setClearOnClick(rules.clearOnClick);
    box->setAlignment(rules.alignment);
    if (!rules.widthSample.isEmpty())
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(rules.widthSample) +
                           rules.widthMargin);
    return box;
}

} // namespace ui
