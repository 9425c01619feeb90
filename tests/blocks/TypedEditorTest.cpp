// The machinery of the editor pattern, on a small editor with three types:
// Setup, per-type layouts that relabel, hide, disable and reset controls,
// captions kept across type switches, lists that share a place, per-type
// fields with and without a preset, per-type gathering, and failures that
// end an operation where they happen.
#include <QtTest>
#include <optional>

#include "CPreset.h"
#include "EditorProbe.h"
#include "ErrorLogCapture.h"
#include "PresetBuilder.h"
#include "comboBoxUtils.h"

namespace {

using namespace Looks;

constexpr int kType = 229, kLevel = 233, kShared = 237, kSwitch = 241, kOnOff = 289;

constexpr Control kControls[] = {
    OnOffCheck("chkSampleOnOff"),
    TypeList("cmbSampleType", 1, 0, [](QComboBox& c) { FillTextCombo(c, {"A", "B", "C"}); }),
    ListControl("cmbLevel", "Level", 2, 0, [](QComboBox& c) { FillIntegerCombo(c, 0, 100, "%"); }),
    ListControl("cmbShared1", "(not used)", 3, 0, [](QComboBox& c) { FillCombo(c, TempoList()); }).Label("lblShared"),
    ListControl("cmbShared2", "", 3, 0, [](QComboBox& c) { FillIntegerCombo(c, 0, 10, ""); }).Label("lblShared"),
    CheckControl("chkSwitch", "Switch", 1, 1),
    ListControl("cmbSpeed", "Speed", 2, 1, [](QComboBox& c) { FillCombo(c, SpeedList()); }).Label("lblSpeed"),
};

constexpr Field kFields[] = {
    OnOffField("chkSampleOnOff", kOnOff),
    ByIndex("cmbSampleType", kType, 0, 0),
    ByIndex("cmbLevel", kLevel, 100, 100),
};

constexpr LayoutRow kLayout[] = {
    //              A                   B                  C
    {"lblShared", {Caption("Tempo"), Caption("Amount"), K}},
    {"cmbShared1", {E, H, H}},
    {"cmbShared2", {H, E, H}},
    {"lblSpeed", {K, Caption("Rate"), Caption("")}},
    {"chkSwitch", {D.At(0), E, D}},
    {"cmbSpeed", {E, E, D.At(104)}},
};

constexpr Field kValuesA[] = {ByIndex("cmbShared1", kShared, 0, 0)};
constexpr Field kValuesB[] = {ByItemData("cmbShared2", kShared, 0, 5), CheckField("chkSwitch", kSwitch)};
constexpr std::span<const Field> kValues[] = {kValuesA, kValuesB, {}};

constexpr Field kGatherA[] = {ByIndex("cmbShared1", kShared, 0, 0), Write(kSwitch, 0)};
constexpr Field kGatherB[] = {ByItemData("cmbShared2", kShared, 0, 0), CheckField("chkSwitch", kSwitch)};
constexpr Field kGatherC[] = {Write(kShared, 0)};
constexpr std::span<const Field> kGather[] = {kGatherA, kGatherB, kGatherC};

constexpr EditorSpec kSpec{
    .name = "frmSample",
    .title = "Sample block",
    .block = BlockNumber::FilterMod,
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .gather = kFields,
    .types = {kLayout, kValues, kGather},
};

class frmSample final : public BlockEditor {
 public:
  explicit frmSample(const EditorSpec& spec = kSpec) : BlockEditor(spec) {}
};

constexpr Field kMisnamed[] = {ByIndex("cmbNoSuchList", kLevel, 0, 0)};
constexpr EditorSpec kBrokenSpec{"frmBroken", "", BlockNumber::FilterMod, kControls, kMisnamed, {}, {}};

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
    QTest::newRow("A: index, switch forced to 0") << 0 << 4 << 0;
    QTest::newRow("B: item data and check box") << 1 << 4 << 1;
    QTest::newRow("C: shared forced to 0, switch untouched") << 2 << 0 << 55;
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

  void ATableNamingNoControlIsRefusedAtOnce() {
    QVERIFY_THROWS_EXCEPTION(std::logic_error, frmSample{kBrokenSpec});
  }
};

QTEST_MAIN(TypedEditorTest)
#include "TypedEditorTest.moc"
