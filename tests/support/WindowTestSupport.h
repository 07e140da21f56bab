#pragma once
// What the window tests share: the program state with the fake services (on their own, or as a
// fixture with a fixed today, Wednesday 9 December 2026), and small helpers to drive real
// widgets.
#include "models/state/AppState.h"
#include "support/Draws.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "text/Dates.h"
#include "ui/Services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

inline const QDate kToday(2026, 12, 9); // a Wednesday

// The program state and the fake services, for a test that builds them where it needs them.
struct ShellFakes {
    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock;
    ui::Services services{dialogs, printer, clock};
};

class WindowTest : public ::testing::Test {
protected:
    core::AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock{QDateTime(kToday, QTime(10, 0))};
    ui::Services services{dialogs, printer, clock};

    // A database of `count` records of `picks` numbers from 1..`high`, one a week from
    // Saturday 4 January 2020; record r holds r % high + 1 and the numbers after it.
    void fill(int count, int picks = 6, int high = 49)
    {
        state.database = MakeDrawDatabase(high, picks, SequentialDraws(high, picks, count, 1),
                                          QDate(2020, 1, 4), QStringLiteral("Test Lotto"));
    }
};

// Shows a window and waits until it is the active one, so that focus changes work; false if it
// never became active.
[[nodiscard]] inline bool ShowActive(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w);
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// The objectName of the control with the keyboard focus.
inline QString FocusName()
{
    QWidget* f = QApplication::focusWidget();
    return f ? f->objectName() : QStringLiteral("<none>");
}

template <class T> T* Child(QWidget* w, const QString& name)
{
    T* child = w->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
}

// Gives the box the focus and types into it, as the user would.
inline void Type(QLineEdit* box, const QString& keys)
{
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(box, keys);
}

// The access keys of a window's buttons, check boxes and box labels, by key ("E&xit" gives X;
// "&&" is an ampersand). A key that two captions share fails the test that asks.
inline QMap<QChar, QString> AccessKeys(const QWidget* window)
{
    QStringList captions;
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>())
        captions << b->text();
    for (const QLabel* l : window->findChildren<QLabel*>())
        captions << l->text();
    QMap<QChar, QString> keys;
    for (const QString& caption : captions) {
        QChar key;
        for (qsizetype i = 0; i + 1 < caption.size() && key.isNull(); ++i) {
            if (caption[i] != QLatin1Char('&')) continue;
            if (caption[i + 1] != QLatin1Char('&')) key = caption[i + 1].toUpper();
            ++i;
        }
        if (key.isNull()) continue;
        EXPECT_FALSE(keys.contains(key))
            << caption.toStdString() << " and " << keys.value(key).toStdString();
        keys.insert(key, caption);
    }
    return keys;
}

// Moves the focus to another control, which runs the checks of the box being left.
inline void MoveFocusTo(QWidget* next)
{
    next->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}
