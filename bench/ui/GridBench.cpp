// Filling the record grid of a full database cell by cell, as the Database window refills it
// after every added record: 2,000 records of twelve columns.
#include "ui/Grid.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int Rows = 2000 + 24; // the records, the header row and spare rows
constexpr int Cols = 12;

// Two sets of cell texts, so that every pass really changes every cell.
std::vector<QString> Texts(int variant)
{
    std::vector<QString> texts;
    texts.reserve(static_cast<size_t>(Rows) * Cols);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            texts.push_back(QString::number(r * Cols + c + variant).rightJustified(4));
    return texts;
}

void Fill(ui::Grid& grid, const std::vector<QString>& texts)
{
    for (int r = 1; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            grid.setCell(r, c, texts[static_cast<size_t>(r) * Cols + static_cast<size_t>(c)]);
}

void Layout(ui::Grid& grid)
{
    grid.setCols(Cols);
    grid.setRows(Rows);
    grid.setWidthTwips(600 * Cols + 1340);
    for (int c = 0; c < Cols; ++c)
        grid.setColWidthTwips(c, c == 0 ? 900 : c == 1 ? 1320 : 580);
}

} // namespace

// The grid in a shown window, as the user sees it while records are added.
static void BM_FillShownGrid(benchmark::State& state)
{
    ui::Grid grid;
    Layout(grid);
    grid.resize(grid.width(), 400);
    grid.show();
    QApplication::processEvents();
    const std::vector<QString> texts[2] = {Texts(0), Texts(1)};
    int pass = 0;
    for (auto _ : state) {
        Fill(grid, texts[pass++ % 2]);
        // The repaint the fill asked for happens here, as it would when the handler returns.
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * (Rows - 1) * Cols);
}
BENCHMARK(BM_FillShownGrid)->Unit(benchmark::kMillisecond);

// The same grid before it is shown (a window laying itself out on opening).
static void BM_FillHiddenGrid(benchmark::State& state)
{
    ui::Grid grid;
    Layout(grid);
    const std::vector<QString> texts[2] = {Texts(0), Texts(1)};
    int pass = 0;
    for (auto _ : state)
        Fill(grid, texts[pass++ % 2]);
    state.SetItemsProcessed(state.iterations() * (Rows - 1) * Cols);
}
BENCHMARK(BM_FillHiddenGrid)->Unit(benchmark::kMillisecond);

// Clearing the body in one range fill and filling it again, as "show database" does.
static void BM_ClearAndRefill(benchmark::State& state)
{
    ui::Grid grid;
    Layout(grid);
    grid.resize(grid.width(), 400);
    grid.show();
    QApplication::processEvents();
    const std::vector<QString> texts = Texts(0);
    for (auto _ : state) {
        grid.fillRange(1, Rows - 1, 0, Cols - 1, QString());
        Fill(grid, texts);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ClearAndRefill)->Unit(benchmark::kMillisecond);
