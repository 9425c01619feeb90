#include "Selection.h"

#include <QCheckBox>
#include <QComboBox>

#include "LindelError.h"

namespace {

[[noreturn]] void Refuse(const QWidget& control, int value) {
  throw LindelError(ControlError::InvalidValue, ControlPath(control),
                    "Invalid property value " + std::to_string(value));
}

// Check values count 0 unchecked, 1 checked, 2 greyed; Qt numbers the last two
// the other way round.
constexpr Qt::CheckState kStates[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};

}  // namespace

void SelectListIndex(QComboBox& list, int index) {
  if (index < -1 || index >= list.count()) Refuse(list, index);
  list.setCurrentIndex(index);
  Q_EMIT list.activated(index);
}

void SetCheckValue(QCheckBox& box, int value) {
  if (value < 0 || value > 2) Refuse(box, value);
  box.setCheckState(kStates[value]);
  Q_EMIT box.clicked(box.isChecked());
}

int CheckValue(const QCheckBox& box) {
  switch (box.checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
  }
  return 0;
}

int SelectedIndex(const QComboBox& list) {
  const int index = list.currentIndex();
  if (index < 0) {
    throw LindelError(ControlError::NoSelection, ControlPath(list), "Invalid property array index -1");
  }
  return index;
}

std::string ControlPath(const QWidget& control) {
  // The window, past the unnamed section frames the control sits in.
  const QWidget* owner = control.parentWidget();
  while (owner && owner->objectName().isEmpty()) owner = owner->parentWidget();
  const QString path = owner ? owner->objectName() + '.' + control.objectName() : control.objectName();
  return path.toStdString();
}
