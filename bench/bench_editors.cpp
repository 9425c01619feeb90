// The block editors' costs: filling their lists (Setup), one preset's round
// trip through Scatter and Gather, the overview's refresh after one edit and
// a curve's redraw. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <memory>

#include "CPreset.h"
#include "IBlockHost.h"
#include "Selection.h"
#include "comboBoxUtils.h"
#include "frmChorusFlange.h"
#include "frmCompressor.h"
#include "frmDelay.h"
#include "frmFilterMod.h"
#include "frmLevelRelay.h"
#include "frmNoiseGateEQ.h"
#include "frmOverview.h"
#include "frmPitch.h"
#include "frmReverb.h"
#include "frmRouting.h"
#include "frmTapTempo.h"

namespace {

// The ten editors, as the main window keeps them.
std::vector<std::unique_ptr<BlockEditor>> MakeEditors() {
  std::vector<std::unique_ptr<BlockEditor>> editors;
  editors.push_back(std::make_unique<frmNoiseGateEQ>());
  editors.push_back(std::make_unique<frmLevelRelay>());
  editors.push_back(std::make_unique<frmCompressor>());
  editors.push_back(std::make_unique<frmFilterMod>());
  editors.push_back(std::make_unique<frmPitch>());
  editors.push_back(std::make_unique<frmChorusFlange>());
  editors.push_back(std::make_unique<frmDelay>());
  editors.push_back(std::make_unique<frmReverb>());
  editors.push_back(std::make_unique<frmRouting>());
  editors.push_back(std::make_unique<frmTapTempo>());
  return editors;
}

// The three editors whose lists are longest (delay times of 1,801 items, pitch
// voices of 4,801) and whose layouts change most with the type.
std::vector<std::unique_ptr<BlockEditor>> MakeTypedEditors() {
  std::vector<std::unique_ptr<BlockEditor>> editors;
  editors.push_back(std::make_unique<frmFilterMod>());
  editors.push_back(std::make_unique<frmPitch>());
  editors.push_back(std::make_unique<frmDelay>());
  return editors;
}

// Arg 0: every block of the first type. Arg 1: the dearest to show: tremolo,
// a shifter whose voices are the pitch lists' last items, a dual delay.
CPreset TypedPreset(bool dearest) {
  CPreset preset;
  preset.CreateNew();
  if (dearest) {
    const std::pair<int, int> values[] = {{229, 4},    {253, 9},   {261, 100}, {273, 60},  {293, 3},
                                          {297, 2400}, {301, 2400}, {305, 50},  {309, 50},  {329, 0},
                                          {333, 0},    {421, 2},   {425, 1800}, {429, 1800}, {457, 50},
                                          {461, 50},   {449, 60},  {469, 21}};
    for (const auto& [offset, value] : values) preset.SetValue(offset, value);
  }
  return preset;
}

CPreset SamplePreset() {
  CPreset preset;
  preset.CreateNew();
  const std::pair<int, int> values[] = {{225, 0}, {169, 9}, {165, -17}, {173, 7}, {177, 20}, {181, 4}};
  for (const auto& [offset, value] : values) preset.SetValue(offset, value);
  return preset;
}

void BM_BuildAndSetupEveryEditor(benchmark::State& state) {
  QuietBlockHost host;
  for (auto _ : state) {
    for (const auto& editor : MakeEditors()) editor->Setup(host);
  }
}
BENCHMARK(BM_BuildAndSetupEveryEditor)->Unit(benchmark::kMicrosecond);

void BM_ScatterGatherEveryEditor(benchmark::State& state) {
  QuietBlockHost host;
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

// Setup alone (the lists' filling), on new editors as at start-up.
void BM_SetupTypedEditors(benchmark::State& state) {
  QuietBlockHost host;
  for (auto _ : state) {
    state.PauseTiming();
    auto editors = MakeTypedEditors();
    state.ResumeTiming();
    for (const auto& editor : editors) editor->Setup(host);
    state.PauseTiming();
    editors.clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SetupTypedEditors)->Unit(benchmark::kMillisecond);

void BM_ScatterTypedEditors(benchmark::State& state) {
  QuietBlockHost host;
  const auto editors = MakeTypedEditors();
  for (const auto& editor : editors) editor->Setup(host);
  const CPreset preset = TypedPreset(state.range(0) != 0);
  for (auto _ : state) {
    for (const auto& editor : editors) editor->Scatter(&preset, true, true);
  }
}
BENCHMARK(BM_ScatterTypedEditors)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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

// What the frame does after one edit: the editors gathered into a copy of
// the preset, every card drawn anew from it (the cards' texts; painting waits
// for the next paint event).
void BM_OverviewRefreshAfterOneEdit(benchmark::State& state) {
  QuietBlockHost host;
  const auto editors = MakeEditors();
  for (const auto& editor : editors) editor->Setup(host);
  const CPreset preset = TypedPreset(true);
  for (const auto& editor : editors) editor->Scatter(&preset, true, true);
  auto* time = editors[6]->findChild<QComboBox*>("cmbDelayTime1");
  frmOverview overview;
  int edit = 0;
  for (auto _ : state) {
    SelectListIndex(*time, ++edit % 1800);
    CPreset screen = preset;
    for (const auto& editor : editors) editor->Gather(screen);
    overview.Show(screen.Image());
  }
}
BENCHMARK(BM_OverviewRefreshAfterOneEdit)->Unit(benchmark::kMicrosecond);

// Every curve with something to draw: three EQ bands, a compressor at work,
// a dual delay with feedback.
CPreset CurvePreset() {
  CPreset preset = SamplePreset();
  const std::pair<int, int> values[] = {{565, 1}, {569, 70}, {573, 6}, {577, 8}, {581, 128}, {585, -6}, {589, 5},
                                        {593, 174}, {597, 4}, {601, 10}, {421, 2}, {425, 380}, {429, 520},
                                        {441, 45}, {445, 30}};
  for (const auto& [offset, value] : values) preset.SetValue(offset, value);
  return preset;
}

// One curve painted whole, at its usual size on a screen of scale Arg/100.
void BM_CurveRedraw(benchmark::State& state, const char* editorName, const char* picture) {
  QuietBlockHost host;
  const auto editors = MakeEditors();
  const auto editor = std::find_if(editors.begin(), editors.end(), [&](const auto& e) {
    return e->objectName() == editorName;
  });
  (*editor)->Setup(host);
  const CPreset preset = CurvePreset();
  (*editor)->Scatter(&preset, true, true);
  QWidget& curve = *(*editor)->findChild<QWidget*>(picture);
  curve.resize(curve.sizeHint());
  const qreal scale = state.range(0) / 100.0;
  QImage image(curve.size() * scale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  for (auto _ : state) {
    curve.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK_CAPTURE(BM_CurveRedraw, EQ, "frmNoiseGateEQ", "pictEQCurve")->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CurveRedraw, Compressor, "frmCompressor", "pictCompCurve")->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CurveRedraw, DelayTaps, "frmDelay", "pictDelayTaps")->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
