#include "ShotWindows.h"

#include <algorithm>

#include "frmCompressor.h"

namespace {

const ShotEntry kWindows[] = {
    {"frmCompressor", MakeEditorShot<frmCompressor>},
};

}  // namespace

std::span<const ShotEntry> ShotWindows() { return kWindows; }

const ShotEntry* FindShotWindow(std::string_view name) {
  const auto it = std::find_if(std::begin(kWindows), std::end(kWindows),
                               [&](const ShotEntry& e) { return name == e.name; });
  return it == std::end(kWindows) ? nullptr : it;
}
