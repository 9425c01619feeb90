#include "LibraryKeeper.h"

#include <algorithm>

#include "CLog.h"
#include "DeviceState.h"
#include "Dialogs.h"
#include "LindelError.h"
#include "ISettings.h"
#include "LibraryError.h"
#include "LibraryPath.h"
#include "Sqlite.h"

LibraryKeeper::LibraryKeeper(ISettings& settings, QObject* parent) : QObject(parent), settings_(settings) {}

LibraryKeeper::~LibraryKeeper() = default;

PresetLibrary* LibraryKeeper::Library() {
  if (!library_ && !broken_) {
    try {
      library_ = std::make_unique<PresetLibrary>(LibraryPath());
    } catch (const std::exception& e) {
      Failed(e.what());
    }
  }
  return library_.get();
}

bool LibraryKeeper::KeepsAutomatically() const {
  return settings_.Get(kLibrarySection, kKeepAutomaticallyKey, "1") == "1";
}

void LibraryKeeper::SetKeepAutomatically(bool on) { settings_.Set(kLibrarySection, kKeepAutomaticallyKey, on ? "1" : "0"); }

void LibraryKeeper::Arrived(const PresetImage& image, const LibrarySource& source) {
  ArrivedMany({{source.slot, image}}, source);
}

void LibraryKeeper::ArrivedMany(const std::vector<std::pair<int, PresetImage>>& slots,
                                const LibrarySource& source) {
  KeepAll(slots, source, [](PresetLibrary&, const PresetImage&, int64_t) {});
}

void LibraryKeeper::ArrivedFromDevice(const std::string& device,
                                      const std::vector<std::pair<int, PresetImage>>& slots,
                                      const LibrarySource& source) {
  KeepAll(slots, source, [&device](PresetLibrary& library, const PresetImage& image, int64_t id) {
    if (const int slot = UserSlot(image); slot && !device.empty()) DeviceState(library).Record(device, slot, id);
  });
}

void LibraryKeeper::DumpSent(const std::string& device, const std::vector<SentPreset>& sent,
                             const std::vector<int>& held) {
  if (device.empty()) return;
  const bool keeping = KeepsAutomatically();
  Try([&](PresetLibrary& library) {
    DeviceState state(library);
    SqliteTransaction batch = library.Batch();
    for (const SentPreset& preset : sent) {
      const int slot = UserSlot(preset.image);
      if (!slot) continue;
      if (keeping && std::ranges::find(held, preset.number) != held.end()) {
        state.Record(device, slot, library.Keep(preset.image, {"device", device, slot}).id);
      } else {
        state.Forget(device, slot);
      }
    }
    batch.Commit();
  });
}

template <typename Also>
void LibraryKeeper::KeepAll(const std::vector<std::pair<int, PresetImage>>& slots, const LibrarySource& source,
                            Also also) {
  onScreen_.reset();
  if (slots.empty() || !KeepsAutomatically()) return;
  std::optional<int64_t> first;
  const bool kept = Try([&](PresetLibrary& library) {
    SqliteTransaction batch = library.Batch();
    LibrarySource each = source;
    for (const auto& [slot, image] : slots) {
      each.slot = slot;
      const int64_t id = library.Keep(image, each).id;
      also(library, image, id);
      if (!first) first = id;
    }
    batch.Commit();
  });
  if (kept) onScreen_ = first;
}

std::optional<int64_t> LibraryKeeper::KeepVersion(const PresetImage& image) {
  std::optional<int64_t> id;
  const LibrarySource source{"editor", "Keep in Library", -1};
  Try([&](PresetLibrary& library) {
    id = onScreen_ ? library.KeepVersion(image, *onScreen_, source).id : library.Keep(image, source).id;
  });
  if (id) onScreen_ = id;
  return id;
}

template <typename Work>
bool LibraryKeeper::Try(Work work) {
  PresetLibrary* library = Library();
  if (!library) return false;
  try {
    work(*library);
  } catch (const std::exception& e) {
    Failed(e.what());
    return false;
  }
  Q_EMIT changed();
  return true;
}

void LibraryKeeper::Failed(const std::string& why) {
  LogError(LindelError(ErrorNumber::Preset, "Preset library", why));
  if (broken_) return;
  broken_ = true;
  library_.reset();
  Dialogs().Message("The preset library cannot keep presets: " + why +
                        "\nThe editor goes on without it until it is started again.",
                    "Preset library", MessageIcon::Exclamation);
}
