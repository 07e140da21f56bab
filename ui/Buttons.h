#pragma once
// Push buttons as the windows make them: with their control name, as command buttons that wait
// for the check of the box being edited (ui/Commands.h), and with Enter pressing the focused
// button only where the window wants it (elsewhere Enter belongs to the input boxes).
#include "ui/Commands.h"

#include <QPushButton>

namespace ui {

enum class EnterPresses { No, Yes };

inline QPushButton* NamedButton(const QString& name, const QString& caption, QWidget* parent,
                                EnterPresses enter = EnterPresses::No)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(enter == EnterPresses::Yes);
    GuardCommand(b);
    return b;
}

} // namespace ui
