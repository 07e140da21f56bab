#include "ui/Commands.h"

#include "ui/InputBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QShortcutEvent>

namespace ui {

namespace {

// Watches one command button. Qt presses a button on its access key without moving the focus,
// and gives the focus to a button on a mouse press before the press reaches it; the guard puts
// the box's leave check in front of both.
class CommandGuard final : public QObject {
public:
    explicit CommandGuard(QAbstractButton* button) : QObject(button), m_button(button)
    {
        setObjectName(QStringLiteral("ui_CommandGuard"));
        button->installEventFilter(this);
    }

    void holdNextPress() { m_holdPress = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_button) return false;
        switch (event->type()) {
        case QEvent::Shortcut:
            // An ambiguous key only moves the focus, which runs the check by itself.
            if (!static_cast<QShortcutEvent*>(event)->isAmbiguous() && m_button->isEnabled() &&
                !CommitFocusedBox(m_button))
                return true;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (m_holdPress) {
                m_holdPress = false;
                return true;
            }
            break;
        case QEvent::FocusOut: {
            // A message box shown by the refusing check takes the focus for a while; the press
            // that started it is still to come. Any other move forgets the refusal.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                m_holdPress = false;
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    QAbstractButton* m_button;
    bool m_holdPress = false;
};

CommandGuard* GuardOf(QWidget* widget)
{
    if (!widget) return nullptr;
    return widget->findChild<CommandGuard*>(QStringLiteral("ui_CommandGuard"),
                                            Qt::FindDirectChildrenOnly);
}

} // namespace

void GuardCommand(QAbstractButton* button)
{
    if (button && !GuardOf(button)) new CommandGuard(button);
}

bool CommitFocusedBox(QWidget* target)
{
    auto* box = qobject_cast<InputBox*>(QApplication::focusWidget());
    if (!box || !target || box == target || box->window() != target->window()) return true;
    return box->leaveFor(target, Qt::ShortcutFocusReason);
}

void HoldPressAfterRefusal(QWidget* target)
{
    if (CommandGuard* guard = GuardOf(target)) guard->holdNextPress();
}

} // namespace ui
