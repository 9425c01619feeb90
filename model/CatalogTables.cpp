// The catalog's tables: for each editor, its controls in screen order, with
// the preset field each one shows, the list it offers and, type by type, its
// caption and whether it is enabled; then, where they are not the first item,
// the positions shown for a value no item stands for and without a preset
// (0 dB, the middle of a pan, "Off"). Names stand in for captions where an
// editor shows none or shows one twice (the whammy's two "Range" lists).
#include <initializer_list>
#include <string_view>

#include "ParameterCatalog.h"

namespace {

constexpr auto kIndex = Representation::Index;
constexpr auto kData = Representation::ItemData;
constexpr auto kOnOff = Representation::OnOff;
constexpr auto kCheck = Representation::Check;

// E enabled, D shown disabled, - not a field of that type.
constexpr Appearance E(const char* caption) { return {Presence::Active, caption}; }
constexpr Appearance D(const char* caption) { return {Presence::Inactive, caption}; }
constexpr Appearance kNo{};

// One appearance per type, by the letters of pattern.
constexpr TypeLooks Looks(const char* caption, std::string_view pattern) {
  TypeLooks looks{};
  for (std::size_t t = 0; t < pattern.size(); ++t) {
    if (pattern[t] == 'E') looks[t] = E(caption);
    if (pattern[t] == 'D') looks[t] = D(caption);
  }
  return looks;
}

// looks with the positions the given types show limited to first..last
// (-1: the last item).
constexpr TypeLooks Limited(TypeLooks looks, std::initializer_list<int> types, int first, int last) {
  for (int t : types) looks[static_cast<std::size_t>(t)] = looks[static_cast<std::size_t>(t)].Shows(first, last);
  return looks;
}
// looks whose given types always show the item at position.
constexpr TypeLooks Pinned(TypeLooks looks, std::initializer_list<int> types, int position) {
  return Limited(looks, types, position, position);
}

constexpr unsigned Types(std::initializer_list<int> types) {
  unsigned set = 0;
  for (int t : types) set |= 1u << t;
  return set;
}

ValueList TextList(std::initializer_list<const char*> texts) {
  ValueList list;
  for (const char* text : texts) list.push_back({text, std::nullopt});
  return list;
}

ValueList OnOffTexts() { return {{"On", 0}, {"Off", 1}}; }
ValueList CheckTexts() { return {{"Off", 0}, {"On", 1}}; }
ValueList Percent() { return IntegerList(0, 100, "%"); }
ValueList Level() { return IntegerList(-100, 0, "dB"); }
ValueList Bipolar() { return IntegerList(-100, 100, ""); }
ValueList Pan() { return IntegerList(-50, 50, ""); }
ValueList FullFrequency() { return FrequencyList(0, 60); }
ValueList SoftHard() { return TextList({"Soft", "Hard"}); }
ValueList Factor() { return IntegerList(-25, 25, ""); }
ValueList BandFrequency() { return FineFrequencyList(25, 240); }
ValueList BandGain() { return IntegerList(-12, 12, "dB"); }

// ---- Noise gate and EQ (no types) -------------------------------------------

constexpr CatalogRow kNoiseGateEQ[] = {
    {"chkNoiseGateOnOff", {609}, kOnOff, OnOffTexts, Looks("On/Off", "E")},
    {"cmbNGSoftHard", {549}, kIndex, SoftHard, Looks("Soft/Hard", "E")},
    {"cmbNGThreshold", {553}, kData, [] { return IntegerList(-60, 0, "dB"); }, Looks("Threshold", "E")},
    {"cmbNGDamping", {557}, kIndex, [] { return IntegerList(0, 90, "dB"); }, Looks("Max Damping", "E")},
    {"cmbNGRelease", {561}, kData, [] { return IntegerList(3, 200, "dB/s"); }, Looks("Release", "E")},
    {"chkEqOnOff", {565}, kCheck, CheckTexts, Looks("EQ On/Off", "E")},
    // Each band is a row under the headings "Frequency", "Gain" and "Width".
    {"cmbEQFreq1", {569}, kData, BandFrequency, {E("EQ 1").Named("EQ 1 Frequency")}, kLastPosition, kLastPosition},
    {"cmbEQGain1", {573}, kData, BandGain, {E("").Named("EQ 1 Gain")}, 12, 12},
    {"cmbEQWidth1", {577}, kData, WidthList, {E("").Named("EQ 1 Width")}, 4, 4},
    {"cmbEQFreq2", {581}, kData, BandFrequency, {E("EQ 2").Named("EQ 2 Frequency")}, kLastPosition, kLastPosition},
    {"cmbEQGain2", {585}, kData, BandGain, {E("").Named("EQ 2 Gain")}, 12, 12},
    {"cmbEQWidth2", {589}, kData, WidthList, {E("").Named("EQ 2 Width")}, 4, 4},
    {"cmbEQFreq3", {593}, kData, BandFrequency, {E("EQ3").Named("EQ 3 Frequency")}, kLastPosition, kLastPosition},
    {"cmbEQGain3", {597}, kData, BandGain, {E("").Named("EQ 3 Gain")}, 12, 12},
    {"cmbEQWidth3", {601}, kData, WidthList, {E("").Named("EQ 3 Width")}, 4, 4},
};

// ---- Out level and relays, in the routing word ------------------------------

constexpr CatalogRow kLevelRelay[] = {
    {"cmbOutLevel", {Offset::RoutingWord, 2, 7}, kIndex, Level, Looks("Out level", "E"), 0, 100},
    {"chkRelay1", {Offset::RoutingWord, 9, 1}, kCheck, CheckTexts, Looks("Relay 1", "E")},
    {"chkRelay2", {Offset::RoutingWord, 10, 1}, kCheck, CheckTexts, Looks("Relay 2", "E")},
};

// ---- Compressor (no types) --------------------------------------------------

constexpr CatalogRow kCompressor[] = {
    {"chkCompOnOff", {225}, kOnOff, OnOffTexts, Looks("On/Off", "E")},
    {"cmbRatio", {169}, kIndex, RatioList, Looks("Ratio", "E")},
    {"cmbThreshold", {165}, kData, [] { return IntegerList(-40, 0, "db"); }, Looks("Threshold", "E")},
    {"cmbAttack", {173}, kData, [] { return TimeList(3, 14); }, Looks("Attack", "E")},
    {"cmbRelease", {177}, kData, [] { return TimeList(13, 23); }, Looks("Release", "E")},
    {"cmbGain", {181}, kData, [] { return IntegerList(-6, 6, "dB"); }, Looks("Gain", "E"), 6, 6},
};

// ---- Filter/Mod: Auto Res, Resonan, VinPhas, SmthPhas, Tremolo, Panner ------

constexpr Appearance kNoResPulse = D("").Named("Filt Res");

constexpr CatalogRow kFilterMod[] = {
    {"chkFiltOnOff", {289}, kOnOff, OnOffTexts, Looks("On/Off", "EEEEEE")},
    {"cmbFiltType", {229}, kIndex,
     [] { return TextList({"Auto Res", "Resonan", "VinPhas", "SmthPhas", "Tremolo", "Panner"}); },
     Looks("Type", "EEEEEE")},
    {"cmbFiltOrder", {233}, kIndex, [] { return TextList({"2nd", "4th"}); }, Looks("Order", "EEDDDD")},
    {"cmbFiltSens", {237}, kData, [] { return IntegerList(0, 10, ""); }, Pinned(Looks("Sensitivity", "EDDDDD"), {1}, 0)},
    {"cmbFiltResp", {241}, kIndex, [] { return TextList({"Slow", "Medium", "Fast"}); }, Pinned(Looks("Response", "EDDDDD"), {1}, 0)},
    {"cmbFiltFreqMax", {253}, kData, [] { return FrequencyList(34, 54); }, Pinned(Looks("Freq Max", "ED----"), {1}, 0)},
    {"cmbFiltTapTempo", {253}, kIndex, TempoList, Looks("Tap Tempo", "--EEEE")},
    {"cmbPhaseSpeed", {245}, kIndex, SpeedList,
     {D("Phase Speed"), D("Phase Speed"), E("Phase Speed"), E("Phase Speed"), E("TRM Speed"), E("PAN Speed")}},
    {"cmbPhaseDepth", {249}, kIndex, Percent,
     {D("Phase Depth"), D("Phase Depth"), E("Phase Depth"), E("Phase Depth"), E("TRM Depth"), E("PAN Width")}},
    {"cmbPhaseFB", {261}, kData, Bipolar,
     Pinned({D("Phase FB"), D("Phase FB"), E("Phase FB"), E("Phase FB"), E("PWidth"), D("Phase Feedback")}, {0, 1, 5}, 100), 0, 100},
    {"cmbPhaseRange", {265}, kIndex, [] { return TextList({"Low", "High"}); }, Looks("Phase Range", "DDEEDD")},
    {"chkPhaseReverse", {269}, kCheck, CheckTexts, Looks("Phase Reverse", "DDEEDD")},
    {"cmbTremType", {257}, kIndex, SoftHard, Looks("Tremelo Type", "DDDDED")},
    {"cmbFiltResHiCut", {273}, kData, [] { return FrequencyList(18, 57); }, Looks("Filt HiCut", "EE----")},
    {"cmbFiltTremHiCut", {273}, kData, FullFrequency, Looks("TRM HiCut", "----E-"), 0, 60},
    {"cmbFiltResPulse", {277}, kIndex, Percent,
     {E("Filt Res"), E("Filt Res"), kNoResPulse, kNoResPulse, kNoResPulse, kNoResPulse}},
    {"cmbFiltMix", {281}, kIndex, Percent, Looks("Mix", "EEEEEE"), 100, 100},
    {"cmbFiltOut", {285}, kData, Level, Looks("Out level", "EEEEEE"), 0, 100},
};
constexpr FixedValue kFilterModFixed[] = {{273, Types({2, 3, 5}), 0}};  // no hi cut

// ---- Pitch: Detune, Whammy, Octaver, Shifter --------------------------------

constexpr int kMiddle = 50;  // a pan's centre
constexpr Appearance kNoPan1 = D("").Named("Pan 1");
constexpr Appearance kNoPan2 = D("").Named("Pan 2");
constexpr Appearance kNoDelay1 = D("").Named("Delay 1");
constexpr Appearance kNoDelay2 = D("").Named("Delay 2");
constexpr Appearance kNoFeedback1 = D("").Named("Feedback 1");
constexpr Appearance kNoFeedback2 = D("").Named("Feedback 2");

constexpr CatalogRow kPitch[] = {
    {"chkPitchOnOff", {353}, kOnOff, OnOffTexts, Looks("On/Off", "EEEE")},
    {"cmbPitchType", {293}, kIndex, [] { return TextList({"Detune", "Whammy", "Octaver", "Shifter"}); },
     Looks("Type", "EEEE")},
    {"cmbPitchVL", {297}, kData, Bipolar, Looks("Voice L", "E---"), 0, 100},
    {"cmbPitchV1", {297}, kData, [] { return IntegerList(-2400, 2400, ""); }, Looks("Voice 1", "---E"), 0, 2400},
    {"cmbPitchVR", {301}, kData, Bipolar, Looks("Voice R", "E---"), 0, 100},
    {"cmbPitchV2", {301}, kData, [] { return IntegerList(-2400, 2400, ""); }, Looks("Voice 2", "---E"), 0, 2400},
    {"cmbPitchP1", {305}, kData, Pan, Pinned(Pinned({D("Pan L"), kNoPan1, kNoPan1, E("Pan 1")}, {0}, 0), {1, 2}, 50),
     0, kMiddle},
    {"cmbPitchP2", {309}, kData, Pan, Pinned(Pinned({D("Pan R"), kNoPan2, kNoPan2, E("Pan 2")}, {0}, 100), {1, 2}, 50),
     0, kMiddle},
    {"cmbPitchD1", {313}, kIndex, [] { return IntegerList(0, 350, "ms"); },
     Pinned(Limited({E("Delay L"), kNoDelay1, kNoDelay1, E("Delay 1")}, {0}, 0, 50), {1, 2}, 0)},
    {"cmbPitchD2", {317}, kIndex, [] { return IntegerList(0, 350, "ms"); },
     Pinned(Limited({E("Delay R"), kNoDelay2, kNoDelay2, E("Delay 2")}, {0}, 0, 50), {1, 2}, 0)},
    {"cmbPitchFB1", {321}, kIndex, Percent, Pinned({kNoFeedback1, kNoFeedback1, kNoFeedback1, E("Feedback 1")}, {0, 1, 2}, 0)},
    {"cmbPitchFB2", {325}, kIndex, Percent, Pinned({kNoFeedback2, kNoFeedback2, kNoFeedback2, E("Feedback 2")}, {0, 1, 2}, 0)},
    {"cmbPitchWhammyRange", {329}, kIndex, Percent, {kNo, E("Range").Named("Whammy Range")}, 100, 100},
    {"cmbPitchLevel1", {329}, kData, Level, Looks("Level 1", "---E"), 0, 100},
    {"cmbPitchWhammyDirection", {333}, kIndex, [] { return TextList({"Down", "Up"}); }, Looks("Direction", "-EE-"), 1, 1},
    {"cmbPitchLevel2", {333}, kData, Level, Looks("Level 2", "---E"), 0, 100},
    {"cmbPitchRange", {337}, kIndex, [] { return TextList({"0", "1 Oct", "2 Oct"}); }, Pinned(Limited(Looks("Range", "DEED"), {1, 2}, 1, 2), {0, 3}, 0)},
    {"cmbPitchMix", {341}, kIndex, Percent, Looks("Mix", "EDEE"), 100, 100},
    {"cmbPitchOut", {345}, kData, Level, Looks("Out level", "EEEE"), 0, 100},
};
constexpr FixedValue kPitchFixed[] = {
    {297, Types({1, 2}), 0},     // the whammy and the octaver have no voices
    {301, Types({1, 2}), 0},
    {329, Types({0, 2}), 0},
    {333, Types({0}), 0},
    {341, Types({1}), 100},      // the whammy is all wet
};

// ---- Chorus/Flanger: Classic Cho, Adv Chorus, Classic Fla, Adv Flange, Vibrator

constexpr CatalogRow kChorusFlange[] = {
    {"chkChorusOnOff", {417}, kOnOff, OnOffTexts, Looks("On/Off", "EEEEE")},
    {"cmbChorusType", {357}, kIndex,
     [] { return TextList({"Classic Cho", "Adv Chorus", "Classic Fla", "Adv Flange", "Vibrator"}); },
     Looks("Type", "EEEEE")},
    {"cmbChorusSpeed", {361}, kIndex, SpeedList, Looks("Speed", "EEEEE")},
    {"cmbChorusDepth", {365}, kIndex, Percent, Looks("Depth", "EEEEE")},
    {"cmbChorusTempo", {369}, kIndex, TempoList, Looks("Tempo", "EEEEE")},
    {"cmbChorusDelay", {385}, kIndex, [] { return DecimalList(0, 50, 0.1f, "ms"); }, Limited(Pinned(Looks("Delay", "DEDEE"), {0}, 1), {1, 2, 3, 4}, 1, -1), 1, 0},
    {"cmbChorusHiCut", {373}, kIndex, FullFrequency, Looks("Hi Cut filter", "EEEEE"), 60, 60},
    {"cmbChorusFlangerFB", {377}, kData, Bipolar, Pinned(Looks("Flanger Feedback", "DDEED"), {0, 1, 4}, 100), 0, 100},
    {"cmbChorusFlaFBHiCut", {381}, kIndex, FullFrequency, Pinned(Looks("Fla FB Hi Cut", "DDEED"), {0, 1, 4}, 60), 60, 60},
    {"chkChorusPhaseRev", {393}, kCheck, CheckTexts, Pinned(Looks("Phase Reverse", "DEDED"), {0, 2, 4}, 0)},
    {"chkChorusGoldRatio", {389}, kCheck, CheckTexts, Pinned(Looks("Gold Ratio", "DEDED"), {0, 2, 4}, 0)},
    {"cmbChorusMix", {397}, kIndex, Percent, Pinned(Looks("Mix", "EEEED"), {4}, 100), 100, 100},
    {"cmbChorusOut", {401}, kData, Level, Looks("Out level", "EEEEE"), 0, 100},
};

// ---- Delay: Ping Pong, Dynamic, Dual ----------------------------------------

ValueList LoCut() {
  ValueList list = FrequencyList(0, 40);
  list.front().text = "Off";  // the lowest cut is no filter at all
  return list;
}

constexpr Appearance kNoDamping = D("").Named("Damping");
constexpr Appearance kNoRelease = D("").Named("Release");

constexpr CatalogRow kDelay[] = {
    {"chkDelayOnOff", {481}, kOnOff, OnOffTexts, Looks("On/Off", "EEE")},
    {"cmbDelayType", {421}, kIndex, [] { return TextList({"Ping Pong", "Dynamic", "Dual"}); }, Looks("Type", "EEE")},
    {"cmbDelayTime1", {425}, kIndex, [] { return IntegerList(0, 1800, "ms"); }, {E("Time"), E("Time"), E("Time 1")}},
    {"cmbDelayTime2", {429}, kIndex, [] { return IntegerList(0, 1800, "ms"); },
     Pinned({D("").Named("Time 2"), D("").Named("Time 2"), E("Time 2")}, {0, 1}, 0)},
    {"cmbDelayTempo1", {433}, kIndex, TempoList, {E("Tap Tempo"), E("Tap Tempo"), E("Tempo 1")}},
    {"cmbDelayWidth", {437}, kIndex, Percent, Looks("Width", "E--")},
    {"cmbDelayTempo2", {437}, kIndex, TempoList, Looks("Tempo 2", "--E")},
    {"cmbDelayFB1", {441}, kIndex, Percent, {E("Feedback"), E("Feedback"), E("Feedback 1")}},
    {"cmbDelayFB2", {445}, kIndex, Percent,
     Pinned({D("").Named("Feedback 2"), D("").Named("Feedback 2"), E("Feedback 2")}, {0, 1}, 0)},
    {"cmbDelayFBHiCut", {449}, kData, [] { return FrequencyList(40, 60); }, Looks("FB Hi Cut", "EEE"), kLastPosition, kLastPosition},
    {"cmbDelayFBLoCut", {453}, kIndex, LoCut, Looks("FB Lo Cut", "EEE")},
    {"cmbDelayOffset", {457}, kIndex, [] { return IntegerList(0, 200, "ms"); }, Pinned({D("").Named("Offset"), E("Offset")}, {0}, 0)},
    {"cmbDelayPan1", {457}, kData, [] { return IntegerList(-50, 50, ""); }, Looks("Pan1", "--E"), 0, 50},
    {"cmbDelaySens", {461}, kData, [] { return IntegerList(-50, 0, "dB"); },
     Pinned({D("").Named("Sensitivity"), E("Sensitivity")}, {0}, 50), 0, 50},
    {"cmbDelayPan2", {461}, kData, [] { return IntegerList(-50, 50, ""); }, Looks("Pan2", "--E"), 0, 50},
    {"cmbDelayDamping", {465}, kIndex, [] { return IntegerList(0, 100, "dB"); }, Pinned({kNoDamping, E("Damping"), kNoDamping}, {0, 2}, 0)},
    {"cmbDelayRelease", {469}, kData, [] { return TimeList(3, 21); }, Pinned({kNoRelease, E("Release"), kNoRelease}, {0, 2}, 0)},
    {"cmbDelayMix", {473}, kIndex, Percent, Looks("Mix", "EEE"), 100, 100},
    {"cmbDelayOut", {477}, kData, Level, Looks("Out level", "EEE"), 0, 100},
};
constexpr FixedValue kDelayFixed[] = {{437, Types({1}), 0}};  // Dynamic: neither width nor second tempo

// ---- Reverb: Spring, Hall, Room, Plate (the type changes no control) -------

constexpr CatalogRow kReverb[] = {
    {"chkReverbOnOff", {545}, kOnOff, OnOffTexts, Looks("On/Off", "EEEE")},
    {"cmbRevType", {485}, kIndex, [] { return TextList({"Spring", "Hall", "Room", "Plate"}); }, Looks("Type", "EEEE")},
    {"cmbRevDecay", {489}, kIndex, [] { return DecimalList(0, 20, 0.1f, "sec"); }, Limited(Looks("Decay", "EEEE"), {0, 1, 2, 3}, 1, -1)},
    {"cmbRevPreDelay", {493}, kIndex, [] { return IntegerList(0, 100, "ms"); }, Looks("Pre delay", "EEEE")},
    {"cmbRevShape", {497}, kIndex, [] { return TextList({"Round", "Curved", "Square"}); }, Looks("Shape", "EEEE")},
    {"cmbRevSize", {501}, kIndex,
     [] { return TextList({"Box", "Tiny", "Small", "Med", "Large", "XL", "Grand", "Huge"}); }, Looks("Size", "EEEE")},
    {"cmbRevHiColor", {505}, kIndex,
     [] { return TextList({"Wool", "Warm", "Real", "Clear", "Bright", "Crisp", "Glass"}); }, Looks("Hi Color", "EEEE")},
    {"cmbRevHiFactor", {509}, kData, Factor, Looks("Hi Factor", "EEEE"), 25, 25},
    {"cmbRevLoColor", {513}, kIndex,
     [] { return TextList({"Thick", "Round", "Real", "Light", "Tight", "Thin", "NoBass"}); }, Looks("Lo Color", "EEEE")},
    {"cmbRevLoFactor", {517}, kData, Factor, Looks("Lo Factor", "EEEE"), 25, 25},
    {"cmbRevDiffuse", {529}, kData, Factor, Looks("Diffuse", "EEEE"), 25, 25},
    {"cmbRevRoomLevel", {521}, kData, Level, Looks("Room Level", "EEEE"), 100, 100},
    {"cmbRevLevel", {525}, kData, Level, Looks("Rev Level", "EEEE"), 100, 100},
    {"cmbRevMix", {533}, kIndex, Percent, Looks("Mix", "EEEE"), 100, 100},
    {"cmbRevOut", {537}, kData, Level, Looks("Out level", "EEEE"), 0, 100},
};

// ---- Routing and tap tempo --------------------------------------------------

constexpr CatalogRow kRouting[] = {
    {"cmbRouting", {Offset::RoutingWord, 0, 2}, kIndex, [] { return TextList({"Serial", "Semi-parallel", "Parallel"}); },
     Looks("Routing", "E")},
};

constexpr CatalogRow kTapTempo[] = {
    {"cmbTapTempo", {Offset::TapTempo}, kData, [] { return IntegerList(100, 3000, ""); }, Looks("Tap Tempo", "E")},
};

constexpr CatalogBlock kBlocks[] = {
    {"Noise Gate/EQ", BlockNumber::NoiseGateEQ, "frmNoiseGateEQ", -1, kNoiseGateEQ},
    {"Levels/Relays", BlockNumber::LevelRelay, "frmLevelRelay", -1, kLevelRelay},
    {"Compressor", BlockNumber::Compressor, "frmCompressor", -1, kCompressor},
    {"Filter/Mod", BlockNumber::FilterMod, "frmFilterMod", Offset::FilterMod, kFilterMod, kFilterModFixed},
    {"Pitch", BlockNumber::Pitch, "frmPitch", Offset::Pitch, kPitch, kPitchFixed},
    {"Chorus/Flanger", BlockNumber::ChorusFlange, "frmChorusFlange", Offset::ChorusFlange, kChorusFlange},
    {"Delay", BlockNumber::Delay, "frmDelay", Offset::Delay, kDelay, kDelayFixed},
    {"Reverb", BlockNumber::Reverb, "frmReverb", Offset::Reverb, kReverb},
    {"Routing", BlockNumber::Routing, "frmRouting", -1, kRouting},
    {"Tap Tempo", BlockNumber::TapTempo, "frmTapTempo", -1, kTapTempo},
};

}  // namespace

std::span<const CatalogBlock> CatalogBlocks() { return kBlocks; }
