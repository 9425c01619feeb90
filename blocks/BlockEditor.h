// The pattern every block editor window follows. An editor declares itself in
// an EditorSpec (EditorTables.h): its controls, the preset fields they show,
// and per type what each control looks like. This class builds the window
// from those tables and runs them:
//   Setup    keeps the host, hides the window, lets the host place it, fills the
//            lists (from the parameter catalog's rows of the controls' names);
//   Scatter  preset -> controls (or the neutral values), then the type's
//            looks (the catalog's for its fields, the editor's for the rest) and values;
//   Gather   controls -> preset: the catalog's fields of the type and the values it fixes.
// Every value set from code raises the control's click handling, so showing a
// preset reports to the host exactly as the user's clicks would. Editors with
// rules that no table holds override the hooks below.
#pragma once

#include <QWidget>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "EditorGrid.h"
#include "EditorTables.h"
#include "PresetLayout.h"

struct CatalogBlock;
struct CatalogField;
struct CatalogRow;
class CPreset;
class IBlockHost;
class QCheckBox;
class QComboBox;
class QLabel;
class FastEntry;
class ValueDial;

class BlockEditor : public QWidget {
  Q_OBJECT

 public:
  // True when the on/off check box is checked; never for editors without one.
  bool IsOn() const;
  // The type list's selected index: -1 without a selection or a type list.
  int SubType() const;
  void Setup(IBlockHost& frmParent);
  // bShow false: the neutral values, the preset unread, the type layout kept.
  // bShow true: with bAll, or in editors without types, the type-independent
  // fields; then in editors with types the selected type's layout and fields.
  // A missing preset shows each field's neutral value. The first failure is logged and ends the
  // operation, leaving the later controls as they were; false then.
  bool Scatter(const CPreset* preset, bool bShow, bool bAll);
  // Writes what the editor shows into preset; failures as for Scatter.
  bool Gather(CPreset& preset);

  // The first control in Tab order that takes the keyboard.
  void FocusFirstControl();
  BlockNumber Block() const;
  QString Title() const { return QString::fromUtf8(spec_.title); }

 protected:
  explicit BlockEditor(const EditorSpec& spec, QWidget* parent = nullptr);

  // Scatter with bShow true. Default: the field table when bAll or
  // there are no types, then the type part.
  virtual void ScatterShown(const CPreset* preset, bool bAll);
  // The fields set after a type's layout. Default: that type's value table.
  virtual void ScatterTypeValues(int type, const CPreset* preset);
  // Default: the catalog's fields of the selected type, then its fixed values.
  virtual void GatherFields(CPreset& preset);
  // A click by the user or by code. Default: tells the host by the control's role.
  virtual void Clicked(QWidget& control, ControlRole role);

  void ScatterRows(const CPreset* preset, std::span<const Field> rows);
  // What the preset holds in the catalog field of the control.
  int32_t Stored(const CPreset& preset, std::string_view control) const;
  void ApplyLayout(int type);
  // Places a picture in a titled section of its own among the controls' sections.
  void AddPicture(QWidget& picture, const char* title, const Place& place);

  QWidget& Named(std::string_view name) const;
  QComboBox& ListNamed(std::string_view name) const;
  QCheckBox& CheckNamed(std::string_view name) const;
  QLabel& LabelNamed(std::string_view name) const;
  // Null before Setup.
  IBlockHost* Host() const { return host_; }
  // True while Scatter runs: the controls' clicks then come from a preset,
  // not from the user.
  bool Scattering() const { return scattering_; }

  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Entry {
    std::string name;
    QWidget* widget;
  };

  void BuildControls();
  QWidget* AddControl(const Control& control);
  void AddCaption(const Control& control, QWidget& buddy);
  void AddDials();
  void OrderTabs();
  void Register(std::string name, QWidget* widget);
  void CheckTables() const;
  const CatalogRow& RowFor(std::string_view control) const;
  int32_t ShownValue(const CatalogRow& row) const;
  void ShowField(const CatalogField& field, int type);
  void FillList(const Control& control);
  void ReserveCaptionWidths();
  void SetValue(QWidget& control, int value);
  void ApplyLook(QWidget& control, const Look& look);
  std::string Source(const char* operation) const;

  const EditorSpec& spec_;
  const CatalogBlock& catalog_;
  EditorGrid grid_;
  std::vector<Entry> entries_;
  IBlockHost* host_ = nullptr;
  QCheckBox* onOff_ = nullptr;
  QComboBox* typeList_ = nullptr;
  FastEntry* fastEntry_ = nullptr;
  QWidget* firstTab_ = nullptr;
  std::vector<ValueDial*> dials_;
  bool scattering_ = false;
};
