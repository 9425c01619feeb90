// The machinery of the editor pattern, on a small editor with three types
// and a catalog block of its own: Setup, per-type looks (the catalog's for a
// type's fields, pins included, the editor's for the rest) that relabel,
// hide, disable and reset controls, captions kept across type switches,
// lists that share a place, per-type fields with and without a preset,
// gathering the catalog's fields and fixed values, failures that end an
// operation where they happen, and tables the catalog contradicts.
#include <QtTest>
#include <optional>

#include "CPreset.h"
#include "EditorProbe.h"
#include "ErrorLogCapture.h"
#include "PresetBuilder.h"
#include "ParameterCatalog.h"

namespace {

using namespace Looks;

constexpr int kType = 229, kLevel = 233, kShared = 237, kSwitch = 241, kSpeed = 245, kOnOff = 289;

// The sample's fields: A shows the shared place's tempo and pins the switch
// off, B the shared amount and the switch, C neither, storing 0 in the shared
// field; the speed is a field of A and B.
constexpr Appearance kOn{Presence::Active, ""};
constexpr Appearance kOff{Presence::Inactive, ""};
constexpr Appearance kNone{};
constexpr CatalogRow kRows[] = {
    {"chkSampleOnOff", {kOnOff}, Representation::OnOff, [] { return ValueList{{"On", 0}, {"Off", 1}}; },
     {kOn, kOn, kOn}},
    {"cmbSampleType", {kType}, Representation::Index,
     [] { return ValueList{{"A", std::nullopt}, {"B", std::nullopt}, {"C", std::nullopt}}; }, {kOn, kOn, kOn}},
    {"cmbLevel", {kLevel}, Representation::Index, [] { return IntegerList(0, 100, "%"); }, {kOn, kOn, kOn}, 100, 100},
    {"cmbShared1", {kShared}, Representation::Index, TempoList, {kOn, kNone, kNone}},
    {"cmbShared2", {kShared}, Representation::ItemData, [] { return IntegerList(0, 10, ""); }, {kNone, kOn, kNone},
     0, 5},
    {"chkSwitch", {kSwitch}, Representation::Check, [] { return ValueList{{"Off", 0}, {"On", 1}}; },
     {kOff.Shows(0, 0), kOn, kNone}},
    {"cmbSpeed", {kSpeed}, Representation::Index, SpeedList, {kOn, kOn, kNone}},
};
constexpr FixedValue kFixed[] = {{kShared, 1u << 2, 0}};
constexpr CatalogBlock kSampleBlock{"Sample", BlockNumber::FilterMod, "frmSample", kType, kRows, kFixed};

constexpr Control kControls[] = {
    OnOffCheck("chkSampleOnOff"),
    TypeList("cmbSampleType", 1, 0),
    ListControl("cmbLevel", "Level", 2, 0),
    ListControl("cmbShared1", "(not used)", 3, 0).Label("lblShared"),
    ListControl("cmbShared2", "", 3, 0).Label("lblShared"),
    CheckControl("chkSwitch", "Switch", 1, 1),
    ListControl("cmbSpeed", "Speed", 2, 1).Label("lblSpeed"),
};

constexpr Field kFields[] = {Read("chkSampleOnOff"), Read("cmbSampleType"), Read("cmbLevel")};

constexpr LayoutRow kLayout[] = {
    //              A                   B                  C
    {"lblShared", {Caption("Tempo"), Caption("Amount"), K}},
    {"cmbShared1", {C, H, H}},
    {"cmbShared2", {H, C, H}},
    {"lblSpeed", {K, Caption("Rate"), Caption("")}},
    {"chkSwitch", {C, C, D}},
    {"cmbSpeed", {C, C, D.At(104)}},
};

constexpr Field kValuesA[] = {Read("cmbShared1")};
constexpr Field kValuesB[] = {Read("cmbShared2"), Read("chkSwitch")};
constexpr std::span<const Field> kValues[] = {kValuesA, kValuesB, {}};

constexpr EditorSpec kSpec{
    .name = "frmSample",
    .title = "Sample block",
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .types = {kLayout, kValues},
    .catalog = &kSampleBlock,
};

class frmSample final : public BlockEditor {
 public:
  explicit frmSample(const EditorSpec& spec = kSpec) : BlockEditor(spec) {}
};

// Tables that contradict the catalog or name no control, refused at start-up.
constexpr Field kMisnamed[] = {Read("cmbNoSuchList")};
constexpr Field kSetWhereShown[] = {SetTo("cmbShared1", 0)};
constexpr Field kReadWhereAbsent[] = {Read("cmbShared2")};
constexpr std::span<const Field> kWrongValues[] = {kSetWhereShown, {}, {}};
constexpr std::span<const Field> kAbsentValues[] = {kReadWhereAbsent, {}, {}};
constexpr LayoutRow kLookWhereShown[] = {{"cmbShared1", {E, H, H}}};
constexpr Control kUncatalogued[] = {TypeList("cmbSampleType", 1, 0), ListControl("cmbExtra", "Extra", 2, 0)};

struct BrokenTable {
  const char* why;  // in the refusal's message
  EditorSpec spec;
};
const BrokenTable kBrokenTables[] = {
    {"no control cmbNoSuchList",
     {.name = "frmBroken", .controls = kControls, .fields = kMisnamed,
      .catalog = &kSampleBlock}},
    {"cmbShared1 is set for a type the catalog shows it in",
     {.name = "frmBroken", .controls = kControls, .types = {kLayout, kWrongValues},
      .catalog = &kSampleBlock}},
    {"cmbShared2 is read for a type it is no field of",
     {.name = "frmBroken", .controls = kControls, .types = {kLayout, kAbsentValues},
      .catalog = &kSampleBlock}},
    {"cmbShared1: the catalog gives its look for type 0",
     {.name = "frmBroken", .controls = kControls, .types = {kLookWhereShown, kValues},
      .catalog = &kSampleBlock}},
    {"cmbExtra has no catalog row",
     {.name = "frmBroken", .controls = kUncatalogued, .catalog = &kSampleBlock}},
    {"no catalog block", {.name = "frmBroken", .controls = kControls}},
};

}  // namespace

class TypedEditorTest : public QObject {
  Q_OBJECT

 private:
  std::optional<EditorProbe> p;

  BlockEditor& Frm() const { return p->Editor(); }
  void ChooseType(int type) { p->Pick("cmbSampleType", type); }

 private Q_SLOTS:
  void init() { p.emplace(std::make_unique<frmSample>()); }

  void SetupHidesTheWindowLetsTheHostPlaceItAndSelectsNothing() {
    frmSample fresh;
    RecordingHost host;
    fresh.show();
    fresh.Setup(host);
    QCOMPARE(host.Calls(), QStringList{"SizeForm(frmSample)"});
    QVERIFY(fresh.isHidden());
    QCOMPARE(fresh.Title(), QString("Sample block"));
    for (const QComboBox* list : fresh.findChildren<QComboBox*>()) QCOMPARE(list->currentIndex(), -1);
  }

  void EachTypeHasItsLayout_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("shared");
    QTest::addColumn<bool>("shared1");
    QTest::addColumn<bool>("shared2");
    QTest::addColumn<bool>("switchEnabled");
    QTest::addColumn<bool>("speedEnabled");
    QTest::newRow("A") << 0 << "Tempo" << true << false << false << true;
    QTest::newRow("B") << 1 << "Amount" << false << true << true << true;
    QTest::newRow("C") << 2 << "Amount" << false << false << false << false;
  }
  void EachTypeHasItsLayout() {
    QFETCH(int, type);
    const CPreset preset = PresetBuilder().Value(kType, type).Build();
    if (type == 2) {  // C keeps the caption B gave
      QVERIFY(p->Show(nullptr));
      ChooseType(1);
    }
    QVERIFY(p->Show(&preset));
    QCOMPARE(Frm().SubType(), type);
    QTEST(p->Caption("lblShared"), "shared");
    QTEST(p->Shows("cmbShared1"), "shared1");
    QTEST(p->Shows("cmbShared2"), "shared2");
    QTEST(p->Enabled("chkSwitch"), "switchEnabled");
    QTEST(p->Enabled("cmbSpeed"), "speedEnabled");
  }

  // Without a preset the type's fields show their neutral values.
  void CaptionsAreKeptWhereATypeSaysSo() {
    QVERIFY(p->Show(nullptr));
    ChooseType(1);
    QCOMPARE(p->List("cmbShared2").currentIndex(), 5);
    QCOMPARE(p->Check("chkSwitch").checkState(), Qt::Unchecked);
    QCOMPARE(p->Caption("lblSpeed"), QString("Rate"));
    ChooseType(0);
    QCOMPARE(p->Caption("lblSpeed"), QString("Rate"));
    ChooseType(2);
    QCOMPARE(p->Caption("lblSpeed"), QString(""));
    QCOMPARE(p->Text("cmbSpeed"), QString("1.00 Hz"));
  }

  void TypeClickRedrawsFromThePresetThroughTheHost() {
    const CPreset preset = PresetBuilder().Value(kShared, 7).Value(kSwitch, 1).Value(kLevel, 30).Build();
    QVERIFY(p->Show(&preset));
    p->host.Clear();
    ChooseType(1);
    QCOMPARE(p->host.Calls().first(), QString("SubTypeChanged(frmSample)"));
    QCOMPARE(p->Text("cmbShared2"), QString("7 "));
    QCOMPARE(p->Check("chkSwitch").checkState(), Qt::Checked);
    QCOMPARE(p->List("cmbLevel").currentIndex(), 30);  // bAll false leaves the common fields
  }

  void NeutralScatterKeepsTheTypeLayout() {
    const CPreset preset = PresetBuilder().Value(kType, 1).Build();
    QVERIFY(p->Show(&preset));
    QVERIFY(p->Blank());
    QCOMPARE(Frm().SubType(), 0);
    QVERIFY(p->Shows("cmbShared2"));
    QCOMPARE(p->Caption("lblShared"), QString("Amount"));
  }

  // Lists sharing a place take turns: before any type, and after a scatter
  // that selects none, the first list holds it.
  void NoLayoutWithoutASelectedType() {
    const CPreset preset = PresetBuilder().Value(kType, 1).Build();
    for (bool scattered : {false, true}) {
      if (scattered) QVERIFY(Frm().Scatter(&preset, true, false));
      QCOMPARE(Frm().SubType(), -1);
      QCOMPARE(p->Caption("lblShared"), QString("(not used)"));
      QVERIFY(p->Shows("cmbShared1") && !p->Shows("cmbShared2"));
    }
  }

  void GatherWritesTheSelectedTypesFields_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("shared");
    QTest::addColumn<int>("switchValue");
    QTest::newRow("A: index, switch pinned to 0") << 0 << 4 << 0;
    QTest::newRow("B: item data and check box") << 1 << 4 << 1;
    QTest::newRow("C: shared fixed at 0, switch untouched") << 2 << 0 << 55;
  }
  void GatherWritesTheSelectedTypesFields() {
    QFETCH(int, type);
    const CPreset stored = PresetBuilder().Value(kType, type).Value(kShared, 4).Value(kSwitch, 1).Build();
    QVERIFY(p->Show(&stored));
    CPreset gathered = PresetBuilder().Value(kShared, 99).Value(kSwitch, 55).Build();
    QVERIFY(Frm().Gather(gathered));
    QCOMPARE(gathered.Value(kType), type);
    QTEST(gathered.Value(kShared), "shared");
    QTEST(gathered.Value(kSwitch), "switchValue");
  }

  // The first failure is logged with the control's name and ends the
  // operation: the controls after it keep what they showed, the fields after
  // it are not written.
  void AFailureEndsTheOperationWhereItHappens() {
    ErrorLogCapture log;
    const CPreset first = PresetBuilder().Value(kType, 1).Value(kLevel, 30).Build();
    QVERIFY(p->Show(&first));
    const CPreset broken = PresetBuilder().Value(kOnOff, 5).Value(kLevel, 60).Build();
    QVERIFY(!p->Show(&broken));
    QCOMPARE(p->Text("cmbLevel"), QString("30 %"));
    QCOMPARE(log.Lines().size(), 1);
    QVERIFY2(log.Lines()[0].startsWith("380\t") && log.Lines()[0].contains("frmSample.chkSampleOnOff"),
             qPrintable(log.Lines()[0]));

    EditorProbe fresh(std::make_unique<frmSample>());
    fresh.Pick("cmbSampleType", 1);  // B's shared list has no selection yet
    CPreset preset = PresetBuilder().Value(kOnOff, 5).Value(kShared, 8).Value(kSwitch, 7).Build();
    QVERIFY(!fresh.Editor().Gather(preset));
    QCOMPARE(preset.Value(kOnOff), 1);
    QCOMPARE(preset.Value(kType), 1);
    QCOMPARE(preset.Value(kShared), 8);
    QCOMPARE(preset.Value(kSwitch), 7);
    QCOMPARE(log.Lines().size(), 2);
    QVERIFY2(log.Lines()[1].startsWith("381\t") && log.Lines()[1].contains("cmbShared2"), qPrintable(log.Lines()[1]));
  }

  void TablesTheCatalogContradictsAreRefusedAtOnce() {
    for (const BrokenTable& table : kBrokenTables) {
      try {
        frmSample broken(table.spec);
        QFAIL(table.why);
      } catch (const std::logic_error& refusal) {
        QVERIFY2(QString(refusal.what()).contains(table.why), refusal.what());
      }
    }
  }
};

QTEST_MAIN(TypedEditorTest)
#include "TypedEditorTest.moc"
