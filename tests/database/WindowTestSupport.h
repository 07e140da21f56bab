#pragma once
// What the window tests of the database share: the program state, the fake services with a
// fixed today (Wednesday 9 December 2026), and small helpers to drive real widgets.
#include "core/AppState.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakePrinter.h"
#include "text/Dates.h"
#include "ui/Services.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

inline const QDate kToday(2026, 12, 9); // a Wednesday

class WindowTest : public ::testing::Test {
protected:
    AppState state;
    FakeDialogs dialogs;
    FakePrinter printer;
    FakeClock clock{QDateTime(kToday, QTime(10, 0))};
    ui::Services services{dialogs, printer, clock};

    // A database of `count` records of `picks` numbers from 1..`high`, one a week from
    // Saturday 4 January 2020; record r holds r % high + 1 and the numbers after it.
    void fill(int count, int picks = 6, int high = 49)
    {
        DrawDatabase& db = state.Database;
        db.setTitle(QStringLiteral("Test Lotto"));
        db.setShape(picks, high);
        db.setRecordCount(count);
        for (int r = 1; r <= count; ++r) {
            DrawRecord& rec = db.record(r);
            rec.RecordNo = r;
            rec.DrawDate = QDate(2020, 1, 4).addDays(7LL * (r - 1));
            for (int k = 0; k < picks; ++k)
                rec.Numbers[static_cast<size_t>(k)] = (r + k) % high + 1;
        }
    }
};

// Shows a window and waits until it is the active one, so that focus changes work.
inline void ShowActive(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
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

// Moves the focus to another control, which runs the checks of the box being left.
inline void MoveFocusTo(QWidget* next)
{
    next->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}
