// A screen reader finds every box, grid, check box and graph by what the window shows
// beside it (its caption or label, never the control's name) and hears a description of it.
#include "EveryWindow.h"
#include "ui/Accessible.h"
#include "ui/BarGraph.h"
#include "ui/InputBox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

struct Spoken {
    QString control, name, description;
};

// What a screen reader hears for every control that takes input or shows data.
std::vector<Spoken> Controls(QWidget* window)
{
    std::vector<Spoken> spoken;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // Option buttons are read by their own captions; a header belongs to its grid.
        const bool reads = qobject_cast<QLineEdit*>(w) ||
                           (qobject_cast<QAbstractItemView*>(w) && !w->inherits("QHeaderView")) ||
                           qobject_cast<ui::BarGraph*>(w) || w->inherits("QCheckBox");
        if (!reads || !w->isVisibleTo(window)) continue;
        QAccessibleInterface* ai = QAccessible::queryAccessibleInterface(w);
        if (!ai) continue;
        QString control = w->objectName();
        if (control.isEmpty() && w->parentWidget())
            control = w->parentWidget()->objectName() + QStringLiteral("/") +
                      QLatin1String(w->metaObject()->className());
        spoken.push_back(
            {control, ai->text(QAccessible::Name), ai->text(QAccessible::Description)});
    }
    return spoken;
}

} // namespace

TEST(Accessibility, EveryControlIsReadByItsLabelAndDescribed)
{
    EveryWindow().forEach([](const char* title, QWidget& window) {
        if (QLatin1String(title) == QLatin1String("menu"))
            return; // buttons only, read by their captions
        // A box outside any label is read by its frame's title: that names no box.
        QStringList frames;
        for (const QGroupBox* frame : window.findChildren<QGroupBox*>())
            frames << frame->title().trimmed();
        const std::vector<Spoken> spoken = Controls(&window);
        EXPECT_FALSE(spoken.empty());
        QStringList names;
        for (const Spoken& s : spoken) {
            SCOPED_TRACE(s.control.toStdString());
            const QString name = s.name.trimmed();
            EXPECT_FALSE(name.isEmpty());
            EXPECT_EQ(s.name, name) << "padding blanks are not read";
            EXPECT_FALSE(s.control.contains(name) && !name.isEmpty());
            EXPECT_FALSE(frames.contains(name));
            EXPECT_FALSE(s.description.trimmed().isEmpty());
            EXPECT_FALSE(names.contains(name)) << "two controls read alike: " << name.toStdString();
            names << name;
        }
    });
}

TEST(Accessibility, WindowsAreWindowsAndTheGraphIsReachedByTab)
{
    EveryWindow().forEach([](const char*, QWidget& window) {
        QAccessibleInterface* ai = QAccessible::queryAccessibleInterface(&window);
        ASSERT_NE(ai, nullptr);
        EXPECT_TRUE(ai->role() == QAccessible::Window || ai->role() == QAccessible::Dialog)
            << ai->role();
        for (const ui::BarGraph* graph : window.findChildren<ui::BarGraph*>())
            EXPECT_TRUE(graph->focusPolicy() & Qt::TabFocus);
    });
}

TEST(Accessibility, GraphIsReadByItsTitleAndDescribedByItsValues)
{
    EveryWindow program;
    core::AppState& state = program.state;
    // The times each number was drawn, counted here from the records.
    std::vector<int> times(61, 0);
    const database::DrawDatabase& db = state.database;
    for (int r = 1; r <= db.recordCount(); ++r)
        for (int k = 0; k < db.columnCount() - 2; ++k)
            ++times[static_cast<size_t>(db.record(r).Numbers[static_cast<size_t>(k)])];

    stats::GraphsWindow window(state.database, state.stats, program.services);
    window.show();
    auto* graph = window.findChild<ui::BarGraph*>();
    ASSERT_NE(graph, nullptr);
    QAccessibleInterface* ai = QAccessible::queryAccessibleInterface(graph);
    ASSERT_NE(ai, nullptr);
    EXPECT_EQ(ai->text(QAccessible::Name), graph->title().simplified());
    const QStringList bars = ai->text(QAccessible::Description).split(QStringLiteral(", "));
    ASSERT_EQ(bars.size(), db.highNumber());
    for (int n = 1; n <= db.highNumber(); ++n)
        EXPECT_EQ(bars.at(n - 1),
                  QStringLiteral("%1: %2").arg(n).arg(times[static_cast<size_t>(n)]));
}

TEST(Accessibility, BoxesSayWhatTheyAcceptAndKeepTheWindowsOwnDescription)
{
    ui::InputBox box;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&box)->text(QAccessible::Description),
              QStringLiteral("Text"));
    box.setKeyRule(ui::KeyRule::Digits);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&box)->text(QAccessible::Description),
              QStringLiteral("Digits only"));
    box.setAccessibleDescription(QStringLiteral("The year of the draw"));
    box.setKeyRule(ui::KeyRule::DateChars);
    EXPECT_EQ(box.accessibleDescription(), QStringLiteral("The year of the draw"));
    // An ampersand marks an access key and is not read; padding blanks are not read either.
    EXPECT_EQ(ui::SpokenText(QStringLiteral(" E&xit to Menu ")), QStringLiteral("Exit to Menu"));
    EXPECT_EQ(ui::SpokenText(QStringLiteral("Profit && loss")), QStringLiteral("Profit & loss"));
}
