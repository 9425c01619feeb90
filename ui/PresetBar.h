// The bar above the block toolbar: the preset's name ("txtPresetName") and
// the user preset it is sent to ("txtPresetNumber", 0 the edit buffer),
// then the number and name it was loaded with and the "Edited" mark.
#pragma once

#include <QWidget>
#include <optional>

class CPreset;
class QLabel;
class QLineEdit;

class PresetBar final : public QWidget {
  Q_OBJECT

 public:
  explicit PresetBar(QWidget* parent = nullptr);

  // The boxes and labels of preset, the number box back at "0"; without a
  // preset the boxes and the loaded number are cleared.
  void ShowPreset(const CPreset* preset);
  // With a preset on screen the boxes take input.
  void SetLoaded(bool loaded);
  void SetEdited(bool edited);
  void FocusName();

  QString Name() const;
  void SetName(const QString& name);
  QString Number() const;
  void SetNumber(const QString& number);
  QString LoadedName() const;
  void SetLoadedName(const QString& name);

  // False, after saying so and putting the keyboard in the box, without a name.
  bool CheckName();
  // The preset number the box names: a user preset 1-100 or the edit
  // buffer (0); nothing for any other entry.
  std::optional<int> TargetNumber() const;
  // An entry TargetNumber refused becomes "0", and the user is told.
  void RefuseNumber();

 Q_SIGNALS:
  // The user typed into a box.
  void edited();

 private:
  void BuildBoxes();
  void LayOut();

  QLineEdit* txtPresetName = nullptr;
  QLineEdit* txtPresetNumber = nullptr;
  QLabel* lblPresetName = nullptr;
  QLabel* lblPresetNumber = nullptr;
  QLabel* lblChanged = nullptr;
};
