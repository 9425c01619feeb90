#include "BlockTable.h"

#include <algorithm>
#include <iterator>

#include "CPreset.h"

namespace {

struct BlockPlace {
  BlockNumber number;
  int copyOffset;
  bool hasOnOff;
};

constexpr BlockPlace kPlaces[] = {
    {BlockNumber::NoiseGateEQ, Offset::NoiseGateEQ, true},
    {BlockNumber::Compressor, Offset::Compressor, true},
    {BlockNumber::FilterMod, Offset::FilterMod, true},
    {BlockNumber::Pitch, Offset::Pitch, true},
    {BlockNumber::ChorusFlange, Offset::ChorusFlange, true},
    {BlockNumber::Delay, Offset::Delay, true},
    {BlockNumber::Reverb, Offset::Reverb, true},
    {BlockNumber::Routing, Offset::RoutingWord, false},
    {BlockNumber::TapTempo, Offset::TapTempo, false},
};

const BlockPlace* FindPlace(BlockNumber iBlock) {
  const auto it = std::find_if(std::begin(kPlaces), std::end(kPlaces),
                               [iBlock](const BlockPlace& p) { return p.number == iBlock; });
  return it == std::end(kPlaces) ? nullptr : it;
}

}  // namespace

int BlockCopyOffset(BlockNumber iBlock) {
  const BlockPlace* place = FindPlace(iBlock);
  return place ? place->copyOffset : kNoOffset;
}

int BlockOnOffField(BlockNumber iBlock) {
  const BlockPlace* place = FindPlace(iBlock);
  return place && place->hasOnOff ? Offset::OnOff(place->copyOffset) : kNoOffset;
}

bool StoreBlockOnOff(CPreset& preset, BlockNumber iBlock, bool bOn) {
  const int field = BlockOnOffField(iBlock);
  if (field == kNoOffset) return false;
  preset.SetValue(field, bOn ? 0 : 1);
  return true;
}
