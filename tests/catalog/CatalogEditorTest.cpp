// The parameter catalog held against the block editors it describes. For
// every editor and every type, presets made from the catalog are shown in a
// freshly set-up editor and gathered back, which gives a preset the editor
// can produce; shown again, each field the catalog lists for that type must
// be a visible control with the catalog's caption and enabled state, showing
// the catalog's text for the stored value, and Gather must write exactly the
// catalog's fields and fixed values. Such presets also pass through JSON
// unchanged. Whatever a preset holds, each field shows a position the
// catalog allows for the type, and the sound design commands' results show
// and gather back byte for byte.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QtTest>
#include <memory>

#include "CatalogPresets.h"
#include "ErrorLogCapture.h"
#include "PresetJson.h"
#include "ScriptedDialogs.h"
#include "Selection.h"
#include "ShotWindows.h"
#include "SoundDesign.h"
#include "utilities.h"

namespace {

// An editor after Setup, as lindel-shot shows it, with the host it reports to.
struct SetUpEditor {
  explicit SetUpEditor(const CatalogBlock& block) {
    if (const ShotEntry* entry = FindShotWindow(block.editor)) window = entry->make();
    if (window) editor = window->AsEditor();
  }
  std::unique_ptr<ShotWindow> window;
  BlockEditor* editor = nullptr;
};

constexpr int kUntouched = 7777;  // a value no control stands for

CPreset Untouched() {
  CPreset preset;
  preset.CreateNew();
  for (int offset = Offset::FirstParameter; offset <= Offset::LastParameter; offset += 4) preset.SetValue(offset, kUntouched);
  return preset;
}

// The text of the caption cell before a list in its section's grid (caption,
// gap, field); a check box's own.
QString CaptionOf(QWidget& control) {
  if (auto* box = qobject_cast<QCheckBox*>(&control)) return box->text();
  auto* grid = qobject_cast<QGridLayout*>(control.parentWidget()->layout());
  int row = 0, column = 0, rows = 0, columns = 0;
  grid->getItemPosition(grid->indexOf(&control), &row, &column, &rows, &columns);
  QLayoutItem* caption = column >= 2 ? grid->itemAtPosition(row, column - 2) : nullptr;
  auto* label = caption ? qobject_cast<QLabel*>(caption->widget()) : nullptr;
  return label ? label->text() : QString();
}

// The value the control stands for, by the catalog's representation.
int32_t ShownValue(QWidget& control, Representation rep) {
  if (auto* list = qobject_cast<QComboBox*>(&control)) {
    return rep == Representation::Index ? list->currentIndex() : list->currentData().toInt();
  }
  const int checked = CheckValue(static_cast<QCheckBox&>(control));
  return rep == Representation::OnOff ? checked ^ 1 : checked;
}

class Checker {
 public:
  Checker(BlockEditor& editor, const CatalogBlock& block, int type) : editor_(editor), block_(block), type_(type) {}

  void FieldsShow(const CPreset& preset) {
    for (const CatalogField& f : FieldsOf(block_, type_)) {
      auto* control = editor_.findChild<QWidget*>(f.row->control);
      if (!control) {
        Fault(f, "no such control");
        continue;
      }
      const int32_t stored = ReadLocation(preset.Image(), f.row->at);
      const auto text = TextOf(*f.row, stored);
      if (!control->isVisibleTo(&editor_)) Fault(f, "hidden");
      if (control->isEnabled() != f.active) Fault(f, f.active ? "disabled" : "enabled");
      if (CaptionOf(*control) != QString::fromUtf8(f.caption)) Fault(f, "caption " + CaptionOf(*control));
      if (ShownValue(*control, f.row->rep) != stored) Fault(f, QString("shows value %1, stored %2").arg(ShownValue(*control, f.row->rep)).arg(stored));
      auto* list = qobject_cast<QComboBox*>(control);
      if (list && (!text || list->currentText() != QString::fromStdString(*text))) Fault(f, "shows " + list->currentText());
    }
  }

  // Whatever the preset holds, a field shows a position its type allows.
  void ShowsAllowedPositions() {
    for (const CatalogField& f : FieldsOf(block_, type_)) {
      auto* control = editor_.findChild<QWidget*>(f.row->control);
      if (!control) continue;
      auto* list = qobject_cast<QComboBox*>(control);
      const int position = list ? list->currentIndex() : CheckValue(static_cast<QCheckBox&>(*control));
      if (position < f.first || position > f.last) Fault(f, QString("shows position %1, the catalog allows %2 to %3").arg(position).arg(f.first).arg(f.last));
    }
  }

  void GatherWrites(const CPreset& preset) {
    CPreset gathered = Untouched();
    if (!editor_.Gather(gathered)) faults_ << "Gather failed";
    PresetImage expected = Untouched().Image();
    for (const CatalogField& f : FieldsOf(block_, type_)) {
      WriteLocation(expected, f.row->at, ReadLocation(preset.Image(), f.row->at));
    }
    for (const FixedValue& v : FixedValuesOf(block_, type_)) WriteValue28(v.value, v.offset, expected);
    for (int offset = Offset::FirstParameter; offset <= Offset::LastParameter; offset += 4) {
      const int32_t got = gathered.Value(offset);
      const int32_t want = ReadValue28(expected, offset, true);
      if (got != want) faults_ << QString("%1 type %2: Gather wrote %3 at %4, the catalog says %5")
                                       .arg(block_.name).arg(type_).arg(got).arg(offset).arg(want);
    }
  }

  const QStringList& Faults() const { return faults_; }

 private:
  void Fault(const CatalogField& f, const QString& what) {
    faults_ << QString("%1 type %2, %3 (%4): %5").arg(block_.name).arg(type_).arg(f.row->control,
                                                                                    QString::fromUtf8(f.name), what);
  }

  BlockEditor& editor_;
  const CatalogBlock& block_;
  int type_;
  QStringList faults_;
};

PresetImage WithChecksum(const CPreset& preset) {
  PresetImage image = preset.Image();
  image[Offset::Checksum] = PresetChecksum(image);
  return image;
}

}  // namespace

class CatalogEditorTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void FieldsAreWhatTheEditorShowsAndGathers_data() {
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("type");
    for (int b = 0; b < static_cast<int>(CatalogBlocks().size()); ++b) {
      const CatalogBlock& block = CatalogBlocks()[b];
      for (int type = 0; type < TypeCount(block); ++type) {
        const auto typeName = block.HasTypes() ? TextOf(TypeRow(block), type).value_or("?") : std::string();
        QTest::addRow("%s %s", block.name, typeName.c_str()) << b << type;
      }
    }
  }

  void FieldsAreWhatTheEditorShowsAndGathers() {
    QFETCH(int, block);
    QFETCH(int, type);
    const CatalogBlock& catalog = CatalogBlocks()[block];
    ErrorLogCapture log;
    ScriptedDialogs dialogs;  // the detune delay limit speaks up
    SetUpEditor set(catalog);
    QVERIFY2(set.editor, catalog.editor);
    Checker check(*set.editor, catalog, type);
    for (uint32_t seed = 1; seed <= 20 && check.Faults().isEmpty(); ++seed) {
      const CPreset made = CatalogPreset(seed, {.noise = true, .block = &catalog, .type = type});
      CPreset producible = made;
      QVERIFY(set.editor->Scatter(&made, true, true));
      check.ShowsAllowedPositions();
      QVERIFY(set.editor->Gather(producible));
      QVERIFY(set.editor->Scatter(&producible, true, true));
      check.FieldsShow(producible);
      check.GatherWrites(producible);
      const PresetImage image = WithChecksum(producible);
      const JsonImport back = PresetFromJson(PresetToJson(image));
      QVERIFY2(back.image == image, qPrintable(QString("seed %1 changed through JSON").arg(seed)));
    }
    QVERIFY2(check.Faults().isEmpty(), qPrintable(check.Faults().join('\n')));
    QCOMPARE(log.Lines(), QStringList{});
  }

  // Sound design lands on values every editor shows as they are: shown and
  // gathered back, each result comes back byte for byte.
  void SoundDesignResultsGatherBackUnchanged() {
    ErrorLogCapture log;
    ScriptedDialogs dialogs;
    std::vector<std::unique_ptr<SetUpEditor>> editors;
    for (const CatalogBlock& block : CatalogBlocks()) editors.push_back(std::make_unique<SetUpEditor>(block));
    const DesignBlocks all = AllDesignBlocks();
    QStringList faults;
    for (uint32_t seed = 1; seed <= 1000 && faults.isEmpty(); ++seed) {
      const PresetImage a = CatalogPreset(seed).Image();
      const PresetImage b = CatalogPreset(seed + 50000).Image();
      const std::pair<const char*, PresetImage> results[] = {
          {"randomize", Randomize(a, all, false, seed)}, {"mutate", Mutate(a, all, 30, true, seed)},
          {"morph", Morph(a, b, 0.4, all)},              {"nudge away", Nudge(a, b, 60, true, all)}};
      for (const auto& [command, result] : results) {
        for (const auto& set : editors) {
          CPreset shown;
          QVERIFY(shown.LoadFromByteArray(result));
          CPreset gathered = shown;
          QVERIFY(set->editor->Scatter(&shown, true, true));
          QVERIFY(set->editor->Gather(gathered));
          if (WithChecksum(gathered) != result) {
            faults << QString("%1, seed %2: %3 changed it").arg(command).arg(seed).arg(set->editor->objectName());
          }
        }
      }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QCOMPARE(log.Lines(), QStringList{});
  }
};

QTEST_MAIN(CatalogEditorTest)
#include "CatalogEditorTest.moc"
