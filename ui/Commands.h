#pragma once
// The one rule between the box being edited and the commands of its window: before a command
// runs, whether its button was clicked, pressed with Enter or reached by its access key, the
// input box that has the focus runs its leave check exactly as if the focus had moved to the
// button (the focus does move there). When the check refuses, the command does not run. The
// check runs once for one leaving, whichever way the command came.
class QAbstractButton;
class QWidget;

namespace ui {

// Makes `button` a command button: its access key and a mouse press on it wait for the leave
// check of the box being left. Every button made with NamedButton is one.
void GuardCommand(QAbstractButton* button);

// Leaves the focused input box of `target`'s window for `target`, running the box's leave check
// once. True when no box was being edited or its check accepted; false when it refused, and the
// command that asked must not run. For commands that come without a button press (Escape, the
// window's close box) and for the buttons' own paths.
bool CommitFocusedBox(QWidget* target);

// Called by a box whose check refused a leaving started by a mouse press on `target`: that press
// is held back, so the button does not go on to click.
void HoldPressAfterRefusal(QWidget* target);

} // namespace ui
