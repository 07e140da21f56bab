#pragma once
// Shared set-up of the shell's window tests: the fakes, the services bundle, and showing a
// window so that it really has the keyboard focus.
#include "core/AppState.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "ui/Services.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

struct ShellFakes {
    AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
};

// Shows `w`, makes it the active window and waits until it is.
inline bool ShowActive(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w);
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

inline QString FocusName()
{
    QWidget* f = QApplication::focusWidget();
    return f ? f->objectName() : QStringLiteral("<none>");
}
