// The type machinery of the editor pattern, on a small editor with three
// types: per-type layouts that relabel, hide, disable and reset controls,
// captions kept across type switches, lists that share a place, per-type
// fields with and without a preset, and per-type gathering.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include "BlockEditor.h"
#include "CPreset.h"
#include "PresetBuilder.h"
#include "RecordingHost.h"
#include "Selection.h"
#include "comboBoxUtils.h"

namespace {

using namespace Looks;

constexpr int kType = 229, kLevel = 233, kShared = 237, kSwitch = 241, kOnOff = 289;

constexpr Control kControls[] = {
    OnOffCheck("chkSampleOnOff"),
    TypeList("cmbSampleType", 1, 0, [](QComboBox& c) { FillTextCombo(c, {"A", "B", "C"}); }),
    ListControl("cmbLevel", "Level", 2, 0, [](QComboBox& c) { FillIntegerCombo(c, 0, 100, "%"); }),
    ListControl("cmbShared1", "(not used)", 3, 0, [](QComboBox& c) { FillTempoCombo(c); }).Label("lblShared"),
    ListControl("cmbShared2", "", 3, 0, [](QComboBox& c) { FillIntegerCombo(c, 0, 10, ""); }).Label("lblShared"),
    CheckControl("chkSwitch", "Switch", 1, 1),
    ListControl("cmbSpeed", "Speed", 2, 1, [](QComboBox& c) { FillSpeedCombo(c); }).Label("lblSpeed"),
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
  RecordingHost host;
  std::unique_ptr<frmSample> frm;

  template <class T = QWidget>
  T& W(const char* name) const {
    return *frm->findChild<T*>(name);
  }
  bool Shows(const char* name) const { return W(name).isVisibleTo(frm.get()); }
  bool Enabled(const char* name) const { return W(name).isEnabled(); }
  QString Caption(const char* name) const { return W<QLabel>(name).text(); }
  void ChooseType(int type) { SelectListIndex(W<QComboBox>("cmbSampleType"), type); }

 private Q_SLOTS:
  void init() {
    host = RecordingHost();
    frm = std::make_unique<frmSample>();
    frm->Setup(host);
    frm->show();
    host.Clear();
  }

  void ListsSharingAPlaceTakeTurns() {
    QVERIFY(Shows("cmbShared1"));
    QVERIFY(!Shows("cmbShared2"));
    QCOMPARE(Caption("lblShared"), QString("(not used)"));
    QCOMPARE(frm->SubType(), -1);
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
      host.RedrawOnTypeChange(nullptr);
      ChooseType(1);
    }
    QVERIFY(frm->Scatter(&preset, true, true));
    QCOMPARE(frm->SubType(), type);
    QTEST(Caption("lblShared"), "shared");
    QTEST(Shows("cmbShared1"), "shared1");
    QTEST(Shows("cmbShared2"), "shared2");
    QTEST(Enabled("chkSwitch"), "switchEnabled");
    QTEST(Enabled("cmbSpeed"), "speedEnabled");
  }

  void CaptionsAreKeptWhereATypeSaysSo() {
    host.RedrawOnTypeChange(nullptr);
    ChooseType(1);
    QCOMPARE(Caption("lblSpeed"), QString("Rate"));
    ChooseType(0);
    QCOMPARE(Caption("lblSpeed"), QString("Rate"));
    ChooseType(2);
    QCOMPARE(Caption("lblSpeed"), QString(""));
    QCOMPARE(W<QComboBox>("cmbSpeed").currentText(), QString("1.00 Hz"));
  }

  void TypeClickRedrawsFromThePresetThroughTheHost() {
    const CPreset preset = PresetBuilder().Value(kShared, 7).Value(kSwitch, 1).Value(kLevel, 30).Build();
    QVERIFY(frm->Scatter(&preset, true, true));
    host.RedrawOnTypeChange(&preset);
    host.Clear();
    ChooseType(1);
    QCOMPARE(host.Calls().first(), QString("SubTypeChanged(frmSample)"));
    QCOMPARE(W<QComboBox>("cmbShared2").currentText(), QString("7 "));
    QCOMPARE(W<QCheckBox>("chkSwitch").checkState(), Qt::Checked);
    QCOMPARE(W<QComboBox>("cmbLevel").currentIndex(), 30);  // bAll false leaves the common fields
  }

  void WithoutAPresetTypeFieldsShowTheirNeutralValues() {
    host.RedrawOnTypeChange(nullptr);
    ChooseType(1);
    QCOMPARE(W<QComboBox>("cmbShared2").currentIndex(), 5);
    QCOMPARE(W<QCheckBox>("chkSwitch").checkState(), Qt::Unchecked);
  }

  void NeutralScatterKeepsTheTypeLayout() {
    const CPreset preset = PresetBuilder().Value(kType, 1).Build();
    QVERIFY(frm->Scatter(&preset, true, true));
    QVERIFY(frm->Scatter(nullptr, false, true));
    QCOMPARE(frm->SubType(), 0);
    QVERIFY(Shows("cmbShared2"));
    QCOMPARE(Caption("lblShared"), QString("Amount"));
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
    QVERIFY(frm->Scatter(&stored, true, true));
    CPreset gathered = PresetBuilder().Value(kShared, 99).Value(kSwitch, 55).Build();
    QVERIFY(frm->Gather(gathered));
    QCOMPARE(gathered.Value(kType), type);
    QTEST(gathered.Value(kShared), "shared");
    QTEST(gathered.Value(kSwitch), "switchValue");
  }

  void ATableNamingNoControlIsRefusedAtOnce() {
    QVERIFY_THROWS_EXCEPTION(std::logic_error, frmSample{kBrokenSpec});
  }
};

QTEST_MAIN(TypedEditorTest)
#include "TypedEditorTest.moc"
