#include "windows/wheel/WheelWindow.h"
#include "support/WindowTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>

namespace {

class WheelWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        state.database =
            MakeDrawDatabase(49, 6, {{1, 2, 3, 4, 5, 6}}, DrawDates(QDate(2026, 11, 21), 1));
        window = std::make_unique<wheel::WheelWindow>(
            state.database, std::vector<int>{4, 8, 15, 16, 23, 42, 44}, 6, services);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Gives the box of the access key `key` the focus and types `text` over its value.
    void type(Qt::Key key, const QString& text)
    {
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        QWidget* box = QApplication::focusWidget();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }
    QString label(const char* name)
    {
        return window->findChild<QLabel*>(QLatin1String(name))->text();
    }

    std::unique_ptr<wheel::WheelWindow> window;
};

} // namespace

TEST_F(WheelWindowTest, AFanoPlaneByKeyboardIsVerifiedAndPlayed)
{
    window->setFormPrice(250); // the tickets' price of a form: the wheel's cost is told
    type(Qt::Key_N, QStringLiteral("7 1 2 3 4 5 6"));
    type(Qt::Key_F, QStringLiteral("3"));
    type(Qt::Key_A, QStringLiteral("2"));
    type(Qt::Key_I, QStringLiteral("2"));
    QTest::keyClick(window.get(), Qt::Key_G, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->result() != nullptr; }, 20000));
    // Seven pairs of seven numbers: the Fano plane, the fewest there can be.
    EXPECT_TRUE(window->result()->verified);
    EXPECT_EQ(window->findChild<QTableWidget*>(QStringLiteral("WheelForms"))->rowCount(), 7);
    EXPECT_TRUE(label("WheelReading").startsWith(QStringLiteral("7 forms")));
    EXPECT_TRUE(
        label("WheelReading").contains(QStringLiteral("whenever 2 of your 7 numbers are drawn")));
    EXPECT_TRUE(
        label("WheelReading").endsWith(QStringLiteral(" At 2.50 a form, it costs 17.50 a draw.")));
    EXPECT_FALSE(label("WheelOdds").isEmpty());

    QSignalSpy played(window.get(), &wheel::WheelWindow::playFormsRequested);
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return played.count() == 1; }));
    const auto forms = played.at(0).at(0).value<std::vector<std::vector<int>>>();
    EXPECT_EQ(forms.size(), 7u);

    // Pick-a-Winner's pool fills the numbers.
    QTest::keyClick(window.get(), Qt::Key_O, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return window->findChild<QLineEdit*>(QStringLiteral("WheelNumbers"))->text() ==
               QStringLiteral("4 8 15 16 23 42 44");
    }));
}

TEST_F(WheelWindowTest, AWrongShapeIsToldAndALongSearchStops)
{
    type(Qt::Key_N, QStringLiteral("1 2 3"));
    type(Qt::Key_F, QStringLiteral("6"));
    QTest::keyClick(window.get(), Qt::Key_G, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.log.empty(); }));
    EXPECT_EQ(window->result(), nullptr);

    QStringList numbers;
    for (int n = 1; n <= 16; ++n)
        numbers << QString::number(n);
    type(Qt::Key_N, numbers.join(QLatin1Char(' ')));
    type(Qt::Key_A, QStringLiteral("4"));
    type(Qt::Key_I, QStringLiteral("4"));
    window->setSeconds(600);
    QTest::keyClick(window.get(), Qt::Key_G, Qt::AltModifier);
    auto* stop = window->findChild<QPushButton*>(QStringLiteral("WheelStop"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return stop->isEnabled(); }));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->result() != nullptr; }, 60000));
    EXPECT_TRUE(window->result()->stopped);
    EXPECT_TRUE(window->findChild<QPushButton*>(QStringLiteral("WheelGenerate"))->isEnabled());
}
