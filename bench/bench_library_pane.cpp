// Filling the Library pane's table: 100,000 found entries handed to the
// model, sorted by name as the pane shows them, with a table view on it (it
// sizes its rows and scroll bars on the reset) and the first screen of rows
// read as the view would paint them.
#include <benchmark/benchmark.h>

#include <QTableView>
#include <random>

#include "LibraryModel.h"

namespace {

std::vector<EntryRow> FoundRows(int count) {
  std::mt19937 random(23);
  std::uniform_int_distribution<int> letter('a', 'z');
  std::vector<EntryRow> rows(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    EntryRow& row = rows[static_cast<size_t>(i)];
    row.id = i + 1;
    for (int c = 0; c < 12; ++c) row.name += static_cast<char>(letter(random));
    row.tags = i % 3 ? "live, lead" : "";
    row.favourite = i % 7 == 0;
    row.blocksOn = static_cast<unsigned>(random()) & 0x7F;
    row.lastSeen = 1'700'000'000 + i;
  }
  return rows;
}

void BM_FillPaneModel(benchmark::State& state) {
  const std::vector<EntryRow> found = FoundRows(static_cast<int>(state.range(0)));
  LibraryModel model;
  QTableView view;
  view.setModel(&model);
  view.setSortingEnabled(true);
  view.sortByColumn(LibraryModel::Name, Qt::AscendingOrder);
  view.resize(800, 600);
  for (auto _ : state) {
    model.SetRows(found);
    for (int row = 0; row < 40; ++row) {
      for (int column = 0; column < LibraryModel::ColumnCount; ++column) {
        benchmark::DoNotOptimize(model.data(model.index(row, column)));
        benchmark::DoNotOptimize(model.data(model.index(row, column), Qt::DecorationRole));
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FillPaneModel)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
