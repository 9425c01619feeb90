// The frame window's costs, offscreen: start-up to the first shown frame
// with all ten editors set up, against a plain Qt window holding as many
// list items in as many drop-down lists; and putting a dump slot on screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QMainWindow>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "CFileUI.h"
#include "CPreset.h"
#include "ISettings.h"
#include "SimulatorMidiSystem.h"
#include "frmMDIMain.h"

namespace {

class NoFiles final : public CFileUI {
 public:
  std::string GetOpenFile(void*) override { return ""; }
  std::string GetSaveFile(void*) override { return ""; }
};

struct Services {
  MemorySettings settings;
  SimulatorMidiSystem midi;
  NoFiles files;
  FrameServices Frame() { return {settings, midi, files, {}}; }
};

void WaitUntilShown(QWidget& window) {
  while (!window.windowHandle() || !window.windowHandle()->isExposed()) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  QApplication::processEvents();
}

// The list sizes the ten editors fill, as the frame holds them.
std::vector<int> EditorListSizes() {
  Services services;
  frmMDIMain frame(services.Frame());
  frame.Load();
  std::vector<int> sizes;
  for (const QComboBox* list : frame.findChildren<QComboBox*>()) sizes.push_back(list->count());
  return sizes;
}

void BM_FrameStartUpToFirstShownFrame(benchmark::State& state) {
  Services services;
  for (auto _ : state) {
    frmMDIMain frame(services.Frame());
    frame.Load();
    WaitUntilShown(frame);
  }
}
BENCHMARK(BM_FrameStartUpToFirstShownFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_PlainWindowWithTheSameListItems(benchmark::State& state) {
  const std::vector<int> sizes = EditorListSizes();
  int items = 0;
  for (int size : sizes) items += size;
  for (auto _ : state) {
    QMainWindow window;
    auto* central = new QWidget;
    auto* grid = new QGridLayout(central);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      auto* list = new QComboBox;
      QStringList texts;
      for (int n = 0; n < sizes[i]; ++n) texts << QString::number(n) + " ms";
      list->addItems(texts);
      grid->addWidget(list, static_cast<int>(i / 6), static_cast<int>(i % 6));
    }
    window.setCentralWidget(central);
    window.show();
    WaitUntilShown(window);
  }
  state.counters["lists"] = static_cast<double>(sizes.size());
  state.counters["items"] = items;
}
BENCHMARK(BM_PlainWindowWithTheSameListItems)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A 100-preset dump open; each pass puts the next slot on screen (what a
// click in the list does) or redraws the slot on screen.
class DumpOnScreen : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    path_ = std::filesystem::temp_directory_path() / "lindel-bench-dump.syx";
    std::vector<uint8_t> dump;
    for (int n = 1; n <= 100; ++n) {
      CPreset preset;
      preset.CreateNew();
      preset.SetPresetNumber(100 + n);
      preset.SetPresetName("Bench " + std::to_string(n));
      preset.UpdateChecksum();
      dump.insert(dump.end(), preset.Image().begin(), preset.Image().end());
    }
    std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(dump.data()),
                                                 static_cast<std::streamsize>(dump.size()));
    frame_ = std::make_unique<frmMDIMain>(services_.Frame());
    frame_->Load();
    frame_->OpenDump(path_.string());
    frame_->ShowBlock(static_cast<int>(BlockNumber::Delay));
  }
  void TearDown(const benchmark::State&) override {
    frame_.reset();
    std::filesystem::remove(path_);
  }

 protected:
  Services services_;
  std::filesystem::path path_;
  std::unique_ptr<frmMDIMain> frame_;
};

BENCHMARK_DEFINE_F(DumpOnScreen, BM_ShowNextDumpSlot)(benchmark::State& state) {
  int slot = 0;
  for (auto _ : state) frame_->ShowSysExPane(true, ++slot % 100);
}
BENCHMARK_REGISTER_F(DumpOnScreen, BM_ShowNextDumpSlot)->Unit(benchmark::kMicrosecond);

BENCHMARK_DEFINE_F(DumpOnScreen, BM_DisplayPresetOfTheSlotOnScreen)(benchmark::State& state) {
  for (auto _ : state) frame_->DisplayPreset(true);
}
BENCHMARK_REGISTER_F(DumpOnScreen, BM_DisplayPresetOfTheSlotOnScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
