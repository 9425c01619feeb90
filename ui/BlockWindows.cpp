#include "BlockWindows.h"

#include <algorithm>

#include "frmChorusFlange.h"
#include "frmCompressor.h"
#include "frmDelay.h"
#include "frmFilterMod.h"
#include "frmLevelRelay.h"
#include "frmNoiseGateEQ.h"
#include "frmPitch.h"
#include "frmReverb.h"
#include "frmRouting.h"
#include "frmTapTempo.h"

namespace {

using LoadWindow = std::unique_ptr<BlockEditor> (*)();

template <class Editor>
std::unique_ptr<BlockEditor> Load() {
  return std::make_unique<Editor>();
}

constexpr LoadWindow kWindows[] = {
    Load<frmNoiseGateEQ>, Load<frmLevelRelay>, Load<frmCompressor>, Load<frmFilterMod>, Load<frmPitch>,
    Load<frmChorusFlange>, Load<frmDelay>,     Load<frmReverb>,     Load<frmRouting>,   Load<frmTapTempo>,
};

}  // namespace

BlockWindows::BlockWindows() {
  for (LoadWindow load : kWindows) {
    windows_.push_back(load());
    order_.push_back(windows_.back().get());
  }
}

BlockWindows::~BlockWindows() { Release(); }

BlockEditor* BlockWindows::ByName(std::string_view name) const {
  const auto it = std::find_if(order_.begin(), order_.end(),
                               [&](const BlockEditor* w) { return w->objectName().toStdString() == name; });
  return it == order_.end() ? nullptr : *it;
}

BlockEditor* BlockWindows::ByBlock(BlockNumber iBlock) const {
  const auto it = std::find_if(order_.begin(), order_.end(), [&](const BlockEditor* w) { return w->Block() == iBlock; });
  return it == order_.end() ? nullptr : *it;
}

bool BlockWindows::IsOn(std::string_view name) const {
  const BlockEditor* window = ByName(name);
  return window && window->IsOn();
}

int BlockWindows::SubType(std::string_view name) const {
  const BlockEditor* window = ByName(name);
  return window ? window->SubType() : -1;
}

void BlockWindows::Release() {
  order_.clear();
  while (!windows_.empty()) windows_.pop_back();
}
