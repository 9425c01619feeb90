// Every editor lindel-shot knows scatters presets with random but valid
// values for every field it owns and gathers them back into another preset:
// each owned field must come back unchanged, except where a type or a rule
// resets it (listed below with the reason), and no other byte may change.
#include <QtTest>
#include <algorithm>
#include <climits>
#include <initializer_list>
#include <random>

#include "CPreset.h"
#include "ErrorLogCapture.h"
#include "PresetBuilder.h"
#include "ScriptedDialogs.h"
#include "ShotWindows.h"

namespace {

using TypeSet = unsigned;
constexpr TypeSet kAnyType = ~0u;
constexpr TypeSet Types(std::initializer_list<int> types) {
  TypeSet set = 0;
  for (int type : types) set |= 1u << type;
  return set;
}

// The values a field may hold while the block has one of the given types.
struct Valid {
  int offset;
  int lo;
  int hi;
  TypeSet types = kAnyType;
};

constexpr int kAnyValue = INT_MIN;

// What Gather writes back instead of the stored value, for the given types
// (and only when the stored value is onlyFrom, unless that is kAnyValue).
struct Reset {
  int offset;
  TypeSet types;
  int value;
  const char* reason;
  int onlyFrom = kAnyValue;
};

// An offset missing from valid is one the editor neither reads nor writes.
// Of several rows for one offset, the first whose types match counts.
struct BlockRules {
  BlockNumber block;
  int typeField;  // -1 where the type changes nothing
  std::span<const Valid> valid;
  std::span<const Reset> resets;
};

// ---- Fields, valid values and resets, block by block ------------------------

constexpr Valid kCompressor[] = {{225, 0, 1}, {169, 0, 15}, {165, -40, 0}, {173, 3, 14}, {177, 13, 23}, {181, -6, 6}};

constexpr Valid kFilterMod[] = {
    {229, 0, 5},     {233, 0, 1},   {237, 0, 10},  {241, 0, 2},   {245, 0, 208}, {249, 0, 100},
    {257, 0, 1},     {261, -100, 100},             {265, 0, 1},   {269, 0, 1},   {277, 0, 100},
    {281, 0, 100},   {285, -100, 0}, {289, 0, 1},
    {253, 34, 54, Types({0, 1})},  // frequency item data
    {253, 0, 16},                  // tempo
    {273, 18, 57, Types({0, 1})},  // resonance hi cut
    {273, 0, 60},                  // tremolo hi cut
};
constexpr Reset kFilterModResets[] = {
    {237, Types({1}), 0, "Resonan has no sensitivity: its layout resets the list"},
    {241, Types({1}), 0, "Resonan has no response: its layout resets the list"},
    {253, Types({1}), 34, "Resonan resets Freq Max to its first item, 1.00 k"},
    {261, Types({0, 1, 5}), 0, "the resonance filters and the panner reset the phase feedback to 0"},
    {273, Types({2, 3, 5}), 0, "the phasers and the panner store no hi cut"},
};

constexpr Valid kPitch[] = {
    {293, 0, 3},     {305, -50, 50}, {309, -50, 50}, {321, 0, 100}, {325, 0, 100}, {337, 0, 2},
    {341, 0, 100},   {345, -100, 0}, {353, 0, 1},
    {297, -2400, 2400, Types({3})}, {297, -100, 100},  // Shifter's voices, Detune's
    {301, -2400, 2400, Types({3})}, {301, -100, 100},
    {313, 0, 50, Types({0})},       {313, 0, 350},     // Detune's delays are 50 ms at most
    {317, 0, 50, Types({0})},       {317, 0, 350},
    {329, -100, 0, Types({3})},     {329, 0, 100},     // Shifter's levels, Whammy's range and direction
    {333, -100, 0, Types({3})},     {333, 0, 1},
};
constexpr TypeSet kWhammyOctaver = Types({1, 2});
constexpr Reset kPitchResets[] = {
    {305, Types({0}), -50, "Detune pans its voices hard left and right"},
    {309, Types({0}), 50, "Detune pans its voices hard left and right"},
    {305, kWhammyOctaver, 0, "Whammy and Octaver centre the pans"},
    {309, kWhammyOctaver, 0, "Whammy and Octaver centre the pans"},
    {321, Types({0, 1, 2}), 0, "only Shifter has feedback"},
    {325, Types({0, 1, 2}), 0, "only Shifter has feedback"},
    {313, kWhammyOctaver, 0, "Whammy and Octaver have no delays"},
    {317, kWhammyOctaver, 0, "Whammy and Octaver have no delays"},
    {297, kWhammyOctaver, 0, "Whammy and Octaver store no voices"},
    {301, kWhammyOctaver, 0, "Whammy and Octaver store no voices"},
    {329, Types({0, 2}), 0, "only Whammy and Shifter use this field"},
    {333, Types({0}), 0, "Detune stores no direction"},
    {337, Types({0, 3}), 0, "Detune and Shifter have no octave range"},
    {337, kWhammyOctaver, 1, "Whammy and Octaver need a range of at least 1 Oct", 0},
    {341, Types({1}), 100, "Whammy is all wet"},
};

constexpr Valid kChorusFlange[] = {
    {357, 0, 4},     {361, 0, 208}, {365, 0, 100}, {369, 0, 16},  {373, 0, 60},  {377, -100, 100},
    {381, 0, 60},    {385, 0, 500}, {389, 0, 1},   {393, 0, 1},   {397, 0, 100}, {401, -100, 0},
    {417, 0, 1},
};
constexpr TypeSet kNoFlanger = Types({0, 1, 4});
constexpr TypeSet kNoSwitches = Types({0, 2, 4});
constexpr Reset kChorusResets[] = {
    {377, kNoFlanger, 0, "flanger feedback belongs to the flangers"},
    {381, kNoFlanger, 60, "flanger feedback belongs to the flangers"},
    {385, Types({0}), 1, "Classic Cho fixes the delay at 0.1 ms"},
    {385, kAnyType, 1, "the delay never stays at 0.0 ms", 0},
    {389, kNoSwitches, 0, "only the advanced types have gold ratio"},
    {393, kNoSwitches, 0, "only the advanced types have phase reverse"},
    {397, Types({4}), 100, "the vibrato is all wet"},
};

constexpr Valid kDelay[] = {
    {421, 0, 2},     {425, 0, 1800}, {429, 0, 1800}, {433, 0, 16},  {441, 0, 100}, {445, 0, 100},
    {449, 40, 60},   {453, 0, 40},   {465, 0, 100},  {469, 3, 21},  {473, 0, 100}, {477, -100, 0},
    {481, 0, 1},
    {437, 0, 16, Types({2})},   {437, 0, 100},  // Dual's second tempo, Ping Pong's width
    {457, -50, 50, Types({2})}, {457, 0, 200},  // Dual's pans, the offset
    {461, -50, 50, Types({2})}, {461, -50, 0},  // and the sensitivity
};
constexpr TypeSet kSingleTap = Types({0, 1});
constexpr Reset kDelayResets[] = {
    {429, kSingleTap, 0, "only Dual has a second time"},
    {445, kSingleTap, 0, "only Dual has a second feedback"},
    {437, Types({1}), 0, "Dynamic stores neither width nor second tempo"},
    {457, Types({0}), 0, "Ping Pong resets the disabled offset to 0 ms"},
    {461, Types({0}), 0, "Ping Pong resets the disabled sensitivity to 0 dB"},
    {465, Types({0, 2}), 0, "only Dynamic has damping"},
    {469, Types({0, 2}), 3, "only Dynamic has a release; its first item is 1.0 ms"},
};

constexpr Valid kReverb[] = {
    {485, 0, 3},     {489, 0, 200}, {493, 0, 100}, {497, 0, 2},   {501, 0, 7},   {505, 0, 6},
    {509, -25, 25},  {513, 0, 6},   {517, -25, 25}, {521, -100, 0}, {525, -100, 0}, {529, -25, 25},
    {533, 0, 100},   {537, -100, 0}, {545, 0, 1},
};
constexpr Reset kReverbResets[] = {{489, kAnyType, 1, "the decay never stays at 0.0 sec", 0}};

constexpr Valid kNoiseGateEQ[] = {
    {549, 0, 1},     {553, -60, 0},  {557, 0, 90},   {561, 3, 200}, {565, 0, 1},   {609, 0, 1},
    {569, 25, 241},  {573, -12, 12}, {577, 3, 16},   // band 1: frequency ("off" is 241), gain, width
    {581, 25, 241},  {585, -12, 12}, {589, 3, 16},
    {593, 25, 241},  {597, -12, 12}, {601, 3, 16},
};

constexpr Valid kTapTempo[] = {{161, 100, 3000}};

constexpr BlockRules kBlocks[] = {
    {BlockNumber::Compressor, -1, kCompressor, {}},
    {BlockNumber::FilterMod, 229, kFilterMod, kFilterModResets},
    {BlockNumber::Pitch, 293, kPitch, kPitchResets},
    {BlockNumber::ChorusFlange, 357, kChorusFlange, kChorusResets},
    {BlockNumber::Delay, 421, kDelay, kDelayResets},
    {BlockNumber::Reverb, -1, kReverb, kReverbResets},
    {BlockNumber::NoiseGateEQ, -1, kNoiseGateEQ, {}},
    {BlockNumber::TapTempo, -1, kTapTempo, {}},
    {BlockNumber::LevelRelay, -1, {}, {}},
    {BlockNumber::Routing, -1, {}, {}},
};

// The routing word at 157 holds the routing, the out level and the relays;
// its parts go through the preset's accessors.
struct WordPart {
  BlockNumber block;
  int lo;
  int hi;
  int (*get)(const CPreset&);
  void (*set)(CPreset&, int);
};
const WordPart kWordParts[] = {
    {BlockNumber::Routing, 0, 2, [](const CPreset& p) { return p.Routing(); },
     [](CPreset& p, int v) { p.SetRouting(v); }},
    {BlockNumber::LevelRelay, 0, 100, [](const CPreset& p) { return int(p.OutLevel()); },
     [](CPreset& p, int v) { p.SetOutLevel(v); }},
    {BlockNumber::LevelRelay, 0, 1, [](const CPreset& p) { return p.Relay(1); },
     [](CPreset& p, int v) { p.SetRelay(1, v); }},
    {BlockNumber::LevelRelay, 0, 1, [](const CPreset& p) { return p.Relay(2); },
     [](CPreset& p, int v) { p.SetRelay(2, v); }},
};

// ---- Presets and expectations -----------------------------------------------

int TypeOf(const BlockRules& rules, const CPreset& preset) {
  return rules.typeField < 0 ? 0 : preset.Value(rules.typeField);
}

const Valid& RuleFor(const BlockRules& rules, int offset, int type) {
  for (const Valid& v : rules.valid) {
    if (v.offset == offset && (v.types >> type & 1)) return v;
  }
  qFatal("no valid values for offset %d, type %d", offset, type);
}

// The ends of a range come up often: that is where lists are cut wrong.
int Pick(std::mt19937& rng, int lo, int hi) {
  switch (rng() % 8) {
    case 0: return lo;
    case 1: return hi;
    default: return std::uniform_int_distribution<int>(lo, hi)(rng);
  }
}

CPreset RandomValidPreset(uint32_t seed) {
  std::mt19937 rng(seed);
  CPreset preset = PresetBuilder().Scramble(seed).Build();
  for (const BlockRules& rules : kBlocks) {
    if (rules.typeField >= 0) {
      const Valid& type = RuleFor(rules, rules.typeField, 0);
      preset.SetValue(rules.typeField, Pick(rng, type.lo, type.hi));
    }
    const int type = TypeOf(rules, preset);
    for (const Valid& v : rules.valid) {
      if (v.offset != rules.typeField && &RuleFor(rules, v.offset, type) == &v) {
        preset.SetValue(v.offset, Pick(rng, v.lo, v.hi));
      }
    }
  }
  for (const WordPart& part : kWordParts) part.set(preset, Pick(rng, part.lo, part.hi));
  return preset;
}

int Expected(const BlockRules& rules, int offset, const CPreset& stored) {
  const int value = stored.Value(offset);
  const int type = TypeOf(rules, stored);
  for (const Reset& reset : rules.resets) {
    const bool fromValue = reset.onlyFrom == kAnyValue || reset.onlyFrom == value;
    if (reset.offset == offset && (reset.types >> type & 1) && fromValue) return reset.value;
  }
  return value;
}

const BlockRules* RulesFor(BlockNumber block) {
  for (const BlockRules& rules : kBlocks) {
    if (rules.block == block) return &rules;
  }
  return nullptr;
}

struct Registered {
  std::unique_ptr<ShotWindow> window;
  const BlockRules* rules;
};

}  // namespace

class EditorRoundTripTest : public QObject {
  Q_OBJECT

 private:
  std::vector<Registered> editors;

 private Q_SLOTS:
  void initTestCase() {
    for (const ShotEntry& entry : ShotWindows()) {
      auto window = entry.make();
      auto* editor = qobject_cast<BlockEditor*>(&window->Widget());
      if (!editor) continue;
      const BlockRules* rules = RulesFor(editor->Block());
      QVERIFY2(rules, qPrintable(QString("%1 needs its valid values and resets here").arg(entry.name)));
      editors.push_back({std::move(window), rules});
    }
    QStringList missing;
    for (const BlockRules& rules : kBlocks) {
      if (std::none_of(editors.begin(), editors.end(), [&](const Registered& r) { return r.rules == &rules; })) {
        missing << QString::number(static_cast<int>(rules.block));
      }
    }
    QVERIFY2(missing.isEmpty(), qPrintable("no editor registered for block " + missing.join(", ")));
  }

  void EveryOwnedFieldComesBackUnlessItsTypeResetsIt() {
    // Made first: random modifier slots make the presets themselves log.
    std::vector<std::pair<CPreset, CPreset>> presets;  // shown, and gathered into
    for (uint32_t seed = 1; seed <= 150; ++seed) {
      presets.emplace_back(RandomValidPreset(seed), RandomValidPreset(~seed));
    }
    ErrorLogCapture log;
    ScriptedDialogs dialogs;
    QStringList faults;
    for (std::size_t seed = 1; seed <= presets.size(); ++seed) {
      const auto& [stored, other] = presets[seed - 1];
      CPreset gathered = other;
      CPreset expected = other;
      for (Registered& editor : editors) {
        QVERIFY(editor.window->Show(&stored));
        QVERIFY(editor.window->Gather(gathered));
        for (const Valid& v : editor.rules->valid) {
          expected.SetValue(v.offset, Expected(*editor.rules, v.offset, stored));
        }
        for (const WordPart& part : kWordParts) {
          if (part.block == editor.rules->block) part.set(expected, part.get(stored));
        }
      }
      for (int offset = Offset::FirstParameter; offset <= Offset::LastParameter; offset += 4) {
        if (gathered.Value(offset) == expected.Value(offset)) continue;
        faults << QString("seed %1, offset %2: stored %3, gathered %4, expected %5")
                      .arg(seed)
                      .arg(offset)
                      .arg(stored.Value(offset))
                      .arg(gathered.Value(offset))
                      .arg(expected.Value(offset));
      }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 10).join('\n')));
    QVERIFY2(log.Lines().isEmpty(), qPrintable(log.Lines().mid(0, 5).join('\n')));
    QCOMPARE(dialogs.Shown().size(), 0u);
  }
};

QTEST_MAIN(EditorRoundTripTest)
#include "EditorRoundTripTest.moc"
