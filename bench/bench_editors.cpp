// The block editors' costs: filling their lists (Setup) and one preset's
// round trip through Scatter and Gather. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <memory>

#include "CPreset.h"
#include "IBlockHost.h"
#include "comboBoxUtils.h"
#include "frmCompressor.h"

namespace {

class QuietHost final : public IBlockHost {
 public:
  void SetFormDirty(bool) override {}
  void BlockOnOffChanged() override {}
  void SubTypeChanged(BlockEditor&) override {}
  void DoRightMouseMenu(BlockNumber, Qt::MouseButton, QPoint) override {}
  void SizeForm(QWidget&) override {}
  void ToggleButtons() override {}
  void UpdateRoutingDisplay(int) override {}
  void SetTapTempoSpeed(const QString&) override {}
};

// Every editor built so far, as the main window keeps them.
std::vector<std::unique_ptr<BlockEditor>> MakeEditors() {
  std::vector<std::unique_ptr<BlockEditor>> editors;
  editors.push_back(std::make_unique<frmCompressor>());
  return editors;
}

CPreset SamplePreset() {
  CPreset preset;
  preset.CreateNew();
  const std::pair<int, int> values[] = {{225, 0}, {169, 9}, {165, -17}, {173, 7}, {177, 20}, {181, 4}};
  for (const auto& [offset, value] : values) preset.SetValue(offset, value);
  return preset;
}

void BM_BuildAndSetupEveryEditor(benchmark::State& state) {
  QuietHost host;
  for (auto _ : state) {
    for (const auto& editor : MakeEditors()) editor->Setup(host);
  }
}
BENCHMARK(BM_BuildAndSetupEveryEditor)->Unit(benchmark::kMicrosecond);

void BM_ScatterGatherEveryEditor(benchmark::State& state) {
  QuietHost host;
  const auto editors = MakeEditors();
  for (const auto& editor : editors) editor->Setup(host);
  const CPreset preset = SamplePreset();
  CPreset gathered = preset;
  for (auto _ : state) {
    for (const auto& editor : editors) {
      editor->Scatter(&preset, true, true);
      editor->Gather(gathered);
    }
  }
}
BENCHMARK(BM_ScatterGatherEveryEditor)->Unit(benchmark::kMicrosecond);

// The longest integer lists later editors fill (delay times, pitch voices).
void BM_FillIntegerCombo(benchmark::State& state) {
  QComboBox list;
  const int half = static_cast<int>(state.range(0)) / 2;
  for (auto _ : state) FillIntegerCombo(list, -half, half, "ms");
  state.SetItemsProcessed(state.iterations() * (2 * half + 1));
}
BENCHMARK(BM_FillIntegerCombo)->Arg(100)->Arg(1800)->Arg(4800)->Unit(benchmark::kMicrosecond);

void BM_SelectLastItemData(benchmark::State& state) {
  QComboBox list;
  FillIntegerCombo(list, -2400, 2400, "");
  for (auto _ : state) SelectComboItemData(list, 2400, 0);
}
BENCHMARK(BM_SelectLastItemData)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
