// The frame's collection of block editor windows, loaded in the one fixed
// order every pass over them follows: noise gate/EQ, levels/relays,
// compressor, filter/mod, pitch, chorus/flanger, delay, reverb, routing, tap
// tempo. Adding an editor is one line in the table of BlockWindows.cpp.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "BlockEditor.h"

class BlockWindows {
 public:
  // Loads every window, hidden and without a parent.
  BlockWindows();
  ~BlockWindows();
  BlockWindows(const BlockWindows&) = delete;
  BlockWindows& operator=(const BlockWindows&) = delete;

  const std::vector<BlockEditor*>& All() const { return order_; }
  // Null when no window of that name or number is loaded.
  BlockEditor* ByName(std::string_view name) const;
  BlockEditor* ByBlock(BlockNumber iBlock) const;
  // IsOn of a window found by name; false when it is not loaded.
  bool IsOn(std::string_view name) const;
  int SubType(std::string_view name) const;
  // Unloads the windows from the last to the first.
  void Release();

 private:
  std::vector<std::unique_ptr<BlockEditor>> windows_;
  std::vector<BlockEditor*> order_;
};
