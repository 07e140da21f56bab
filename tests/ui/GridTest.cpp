#include "ui/Grid.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString Name(int r, int c)
{
    return QStringLiteral("%1:%2").arg(r).arg(c);
}

// Every cell named by its row and column, the header row included.
void FillNamed(ui::Grid& grid)
{
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c)
            grid.setCell(r, c, Name(r, c));
}

// A shown, active window holding a grid and a line edit after it in the tab order.
struct GridWindow {
    GridWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        grid = new ui::Grid(&window);
        after = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(after);
        grid->setCols(4);
        grid->setRows(30);
        for (int c = 0; c < 4; ++c)
            grid->setColWidthTwips(c, 900);
        FillNamed(*grid);
        window.resize(400, 400);
        window.show();
        QApplication::setActiveWindow(&window);
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
    }
    QPoint centreOf(int row, int col) const
    {
        return grid->view()->visualRect(grid->model()->index(row - 1, col)).center();
    }
    QWidget window;
    ui::Grid* grid;
    QLineEdit* after;
};

} // namespace

TEST(Grid, TwipsFollowTheLogicalDpi)
{
    ui::Grid grid;
    grid.setCols(3);
    const int dpi = grid.logicalDpiX();
    // 1440 twips are one inch; 580 twips is a number column.
    grid.setColWidthTwips(1, 1440);
    EXPECT_EQ(grid.view()->columnWidth(1), dpi);
    grid.setColWidthTwips(1, 580);
    EXPECT_EQ(grid.view()->columnWidth(1), (580 * dpi + 720) / 1440);
    EXPECT_EQ(grid.colWidthTwips(1), 580);
    EXPECT_EQ(ui::PixelsToTwips(dpi, &grid), 1440);
    // A column no one sized has the default width.
    EXPECT_EQ(grid.view()->columnWidth(2),
              ui::TwipsToPixels(ui::Grid::DefaultColWidthTwips, &grid));
}

TEST(Grid, OverallWidthHoldsTheColumnsAndTheScrollBar)
{
    ui::Grid grid;
    grid.setCols(8);
    grid.setColWidthTwips(0, 900);
    grid.setColWidthTwips(1, 1320);
    for (int c = 2; c < 8; ++c)
        grid.setColWidthTwips(c, 580);
    // The record grid of a six-number lottery: 600 x 8 + 1340 twips.
    grid.setWidthTwips(600 * 8 + 1340);
    int columns = 0;
    for (int c = 0; c < 8; ++c)
        columns += grid.view()->columnWidth(c);
    const int needed = columns + 2 * grid.view()->frameWidth() +
                       grid.view()->verticalScrollBar()->sizeHint().width();
    EXPECT_EQ(grid.width(), std::max(ui::TwipsToPixels(6140, &grid), needed));
    EXPECT_EQ(grid.widthTwips(), 6140);

    // Too narrow a width still shows every column; widening a column widens the grid.
    grid.setWidthTwips(1000);
    EXPECT_EQ(grid.width(), needed);
    grid.setColWidthTwips(7, 580 + 1440);
    EXPECT_EQ(grid.width(), needed + grid.logicalDpiX());
}

TEST(Grid, HeaderRowIsTheViewsHeaderAndBodyRowsFollow)
{
    ui::Grid grid;
    grid.setCols(3);
    grid.setRows(5);
    FillNamed(grid);
    QAbstractItemModel* model = grid.model();
    ASSERT_EQ(model->rowCount(), 4);
    ASSERT_EQ(model->columnCount(), 3);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), Name(0, c));
        for (int r = 1; r < 5; ++r) {
            EXPECT_EQ(model->index(r - 1, c).data().toString(), Name(r, c));
            EXPECT_EQ(grid.cell(r, c), Name(r, c));
        }
    }
    EXPECT_FALSE(grid.view()->verticalHeader()->isVisibleTo(&grid));
    // Outside the grid nothing is written and nothing is read.
    grid.setCell(5, 0, QStringLiteral("x"));
    grid.setCell(0, 3, QStringLiteral("x"));
    grid.setCell(-1, 0, QStringLiteral("x"));
    EXPECT_EQ(grid.cell(5, 0), QString());
    EXPECT_EQ(grid.cell(0, 3), QString());
    EXPECT_EQ(model->rowCount(), 4);

    // Column 0 is drawn apart as the fixed column unless switched off.
    EXPECT_TRUE(model->index(0, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(model->index(0, 1).data(Qt::BackgroundRole).isValid());
    grid.setFixedCols(0);
    EXPECT_FALSE(model->index(0, 0).data(Qt::BackgroundRole).isValid());
}

TEST(Grid, AlignmentOfBodyAndHeaderAndTextColour)
{
    ui::Grid grid;
    grid.setCols(3);
    grid.setRows(3);
    QAbstractItemModel* model = grid.model();
    auto body = [&](int c) {
        return Qt::Alignment(model->index(1, c).data(Qt::TextAlignmentRole).toInt());
    };
    auto header = [&](int c) {
        return Qt::Alignment(model->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
    };
    // Left until set, as a new grid shows text.
    EXPECT_EQ(body(1), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(header(1), Qt::AlignLeft | Qt::AlignVCenter);

    // The investment sheet centres the amounts and leaves their header at the left.
    grid.setColAlignment(1, Qt::AlignHCenter);
    EXPECT_EQ(body(1), Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(header(1), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(body(0), Qt::AlignLeft | Qt::AlignVCenter);

    grid.setHeaderAlignment(2, Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(header(2), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(body(2), Qt::AlignLeft | Qt::AlignVCenter);

    // Columns added later start at the left; alignment of existing columns survives.
    grid.setCols(4);
    EXPECT_EQ(body(3), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(body(1), Qt::AlignHCenter | Qt::AlignVCenter);

    // Text colour: the system's window text until set; red picks reach rows added later.
    EXPECT_FALSE(model->index(1, 1).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(grid.textColor(), grid.view()->palette().color(QPalette::Text));
    grid.setTextColor(QColor(255, 0, 0));
    grid.setRows(5);
    EXPECT_EQ(model->index(3, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
}

TEST(Grid, RangeFillChangesExactlyTheRange)
{
    struct Case {
        int r1, r2, c1, c2;
    };
    // Inside the body; with the header row; with the fixed column; partly outside the grid.
    const Case cases[] = {{2, 4, 1, 2}, {0, 1, 0, 3}, {1, 9, 0, 0}, {7, 20, 2, 9}, {3, 3, 3, 3}};
    for (const Case& k : cases) {
        ui::Grid grid;
        grid.setCols(4);
        grid.setRows(10);
        FillNamed(grid);
        grid.fillRange(k.r1, k.r2, k.c1, k.c2, QString());
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 4; ++c) {
                const bool inside = r >= k.r1 && r <= k.r2 && c >= k.c1 && c <= k.c2;
                EXPECT_EQ(grid.cell(r, c), inside ? QString() : Name(r, c))
                    << k.r1 << "-" << k.r2 << "," << k.c1 << "-" << k.c2 << " cell " << r << ","
                    << c;
            }
        EXPECT_EQ(grid.rows(), 10);
        EXPECT_EQ(grid.cols(), 4);
    }

    // A fill with text, and an empty rectangle that changes nothing.
    ui::Grid grid;
    grid.setCols(2);
    grid.setRows(3);
    FillNamed(grid);
    grid.fillRange(1, 2, 1, 1, QStringLiteral("No Matches"));
    EXPECT_EQ(grid.cell(2, 1), QStringLiteral("No Matches"));
    grid.fillRange(2, 1, 0, 1, QString());
    EXPECT_EQ(grid.cell(1, 0), Name(1, 0));
}

TEST(Grid, ResizingKeepsTheTextsThatStayInside)
{
    ui::Grid grid;
    grid.setCols(3);
    grid.setRows(4);
    FillNamed(grid);

    grid.setRows(6);
    grid.setCols(5);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(grid.cell(r, c), r < 4 && c < 3 ? Name(r, c) : QString()) << r << c;

    grid.setRows(2);
    grid.setCols(2);
    EXPECT_EQ(grid.cell(1, 1), Name(1, 1));
    // Regrowing does not bring back what was dropped.
    grid.setRows(4);
    grid.setCols(3);
    EXPECT_EQ(grid.cell(3, 2), QString());
    EXPECT_EQ(grid.cell(1, 2), QString());

    // No rows at all leaves an empty header, and no cell can be written.
    grid.setRows(0);
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), QString());
    grid.setCell(0, 0, QStringLiteral("x"));
    EXPECT_EQ(grid.cell(0, 0), QString());
}

TEST(Grid, ReportsCellsTheUserMakesCurrentButNotThoseSetByCode)
{
    GridWindow w;
    QSignalSpy spy(w.grid, &ui::Grid::currentCellChanged);

    // By code: the current cell moves silently.
    w.grid->setCurrentCell(3, 2);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(w.grid->currentRow(), 3);
    EXPECT_EQ(w.grid->currentCol(), 2);

    // Arrow keys report each new cell with its grid row and column.
    QTest::keyClick(w.grid->view(), Qt::Key_Down);
    QTest::keyClick(w.grid->view(), Qt::Key_Right);
    QTest::keyClick(w.grid->view(), Qt::Key_Up);
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(0), (QList<QVariant>{4, 2}));
    EXPECT_EQ(spy.at(1), (QList<QVariant>{4, 3}));
    EXPECT_EQ(spy.at(2), (QList<QVariant>{3, 3}));

    // A click on a cell.
    QTest::mouseClick(w.grid->view()->viewport(), Qt::LeftButton, {}, w.centreOf(2, 1));
    ASSERT_EQ(spy.count(), 4);
    EXPECT_EQ(spy.at(3), (QList<QVariant>{2, 1}));
    EXPECT_EQ(w.grid->currentRow(), 2);

    // Clicking the cell that is already current is no change.
    QTest::mouseClick(w.grid->view()->viewport(), Qt::LeftButton, {}, w.centreOf(2, 1));
    EXPECT_EQ(spy.count(), 4);

    // The simulated Down key of the investment sheet reports like the real one.
    w.grid->stepDown();
    ASSERT_EQ(spy.count(), 5);
    EXPECT_EQ(spy.at(4), (QList<QVariant>{3, 1}));

    // Regrowing or shrinking the grid under the current cell is not the user's doing.
    w.grid->setRows(40);
    w.grid->setRows(2);
    w.grid->setCols(2);
    EXPECT_EQ(spy.count(), 5);

    // Row 0 is the header: no current cell.
    w.grid->setCurrentCell(0, 0);
    EXPECT_EQ(w.grid->currentRow(), 0);
    EXPECT_EQ(spy.count(), 5);
}

TEST(Grid, WindowSeesKeysFirstAndCanSwallowThem)
{
    GridWindow w;
    w.grid->setCurrentCell(5, 1);
    QSignalSpy moved(w.grid, &ui::Grid::currentCellChanged);
    std::vector<int> keys;
    QString typed;
    bool swallow = true;
    QObject::connect(w.grid, &ui::Grid::keyPressed, [&](QKeyEvent* e) {
        keys.push_back(e->key());
        typed += e->text();
        e->setAccepted(swallow);
    });

    // The investment sheet swallows Enter and moves down itself; it swallows Down here too.
    QTest::keyClick(w.grid->view(), Qt::Key_Down);
    QTest::keyClicks(w.grid->view(), QStringLiteral("4:1"));
    QTest::keyClick(w.grid->view(), Qt::Key_Delete);
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(typed, QStringLiteral("4:1"));
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys.front(), Qt::Key_Down);
    EXPECT_EQ(keys.back(), Qt::Key_Delete);

    // Keys the window lets pass reach the grid: Down moves, but a typed character never jumps
    // to a cell that starts with it.
    swallow = false;
    QTest::keyClick(w.grid->view(), Qt::Key_Down);
    EXPECT_EQ(moved.count(), 1);
    QTest::keyClicks(w.grid->view(), QStringLiteral("2"));
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(w.grid->currentRow(), 6);
    EXPECT_EQ(w.grid->currentCol(), 1);

    // Tab leaves the grid for the next control.
    QTest::keyClick(w.grid->view(), Qt::Key_Tab);
    EXPECT_TRUE(w.after->hasFocus());
    EXPECT_EQ(moved.count(), 1);
}

TEST(Grid, ModelPassesTheModelTesterThroughEveryOperation)
{
    ui::Grid grid;
    QAbstractItemModelTester tester(grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    grid.setCols(12);
    grid.setRows(60);
    FillNamed(grid);
    QCoreApplication::processEvents();
    // Cells written just before the grid shrinks are reported before the rows go.
    grid.setCell(59, 11, QStringLiteral("last"));
    grid.setRows(40);
    QCoreApplication::processEvents();
    grid.setCell(39, 11, QStringLiteral("last"));
    QCoreApplication::processEvents();
    grid.setColAlignment(3, Qt::AlignHCenter);
    grid.setHeaderAlignment(3, Qt::AlignHCenter);
    grid.setTextColor(Qt::red);
    grid.fillRange(0, 59, 0, 11, QString());
    grid.setRows(30);
    grid.setCols(3);
    grid.setRows(1);
    grid.setRows(0);
    grid.setCols(0);
    grid.setCols(2);
    grid.setRows(110);
    grid.setFixedCols(0);
    EXPECT_EQ(grid.model()->rowCount(), 109);
    EXPECT_EQ(grid.model()->columnCount(), 2);

    // Cells written one by one are read back at once and reported to the view as one
    // rectangle when the handler returns; rewriting a cell's own text is no change.
    QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
    grid.setCell(2, 1, QStringLiteral("a"));
    grid.setCell(6, 0, QStringLiteral("b"));
    EXPECT_EQ(grid.cell(6, 0), QStringLiteral("b"));
    QCoreApplication::processEvents();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>(), grid.model()->index(1, 0));
    EXPECT_EQ(changed.at(0).at(1).value<QModelIndex>(), grid.model()->index(5, 1));
    grid.setCell(2, 1, QStringLiteral("a"));
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 1);
}

TEST(Grid, AReaderCountsTheRowsThatHoldData)
{
    // A grid keeps empty rows under its data (a record grid has room for the records to
    // come); a screen reader hears how many rows hold something.
    ui::Grid grid;
    grid.setCols(3);
    grid.setRows(11);
    EXPECT_EQ(grid.accessibleDescription(), QStringLiteral("Table of 0 rows and 3 columns"));
    grid.setCell(1, 0, QStringLiteral("1"));
    grid.setCell(3, 2, QStringLiteral("x"));
    QTRY_COMPARE(grid.accessibleDescription(), QStringLiteral("Table of 3 rows and 3 columns"));
    grid.setCell(3, 2, QString());
    QTRY_COMPARE(grid.accessibleDescription(), QStringLiteral("Table of 1 row and 3 columns"));
}
