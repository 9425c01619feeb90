// The areas of a preset by the short names the command line gives them
// ("gate-eq", "filter", "routing", ...), and the editors' blocks each holds.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ParameterCatalog.h"

struct NamedArea {
  std::string_view name;
  int offset;  // where the area starts; its length is BlockAreaLength(offset)
};

std::span<const NamedArea> NamedAreas();
// Nothing for a name no area has.
std::optional<int> AreaOffset(std::string_view name);
// "gate-eq, compressor, ...", for messages.
std::string AreaNames();
// The editors' blocks whose fields lie in the area: the routing word holds
// both the routing and the levels and relays.
std::vector<BlockNumber> BlocksInArea(int offset);
