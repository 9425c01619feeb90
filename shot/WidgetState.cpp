#include "WidgetState.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "Selection.h"

namespace {

QString TextOf(const QWidget& widget) {
  if (auto* list = qobject_cast<const QComboBox*>(&widget)) return list->currentText();
  if (auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  if (auto* line = qobject_cast<const QLineEdit*>(&widget)) return line->text();
  return widget.windowTitle();
}

QJsonObject ControlState(const QWidget& widget, const QWidget& window) {
  QJsonObject state{{"type", widget.metaObject()->className()},
                    {"visible", &widget == &window ? widget.isVisible() : widget.isVisibleTo(&window)},
                    {"enabled", widget.isEnabled()},
                    {"text", TextOf(widget)}};
  if (auto* list = qobject_cast<const QComboBox*>(&widget)) {
    const QVariant data = list->currentData();
    state["index"] = list->currentIndex();
    state["count"] = list->count();
    state["data"] = data.isValid() ? QJsonValue(data.toInt()) : QJsonValue(QJsonValue::Null);
  }
  if (auto* box = qobject_cast<const QCheckBox*>(&widget)) state["checked"] = CheckValue(*box);
  return state;
}

// Our controls, not the parts Qt builds inside them.
bool IsControl(const QWidget& widget) {
  return !widget.objectName().isEmpty() && !widget.objectName().startsWith("qt_") &&
         !qobject_cast<const QComboBox*>(widget.parentWidget());
}

}  // namespace

QJsonObject WidgetState(const QWidget& window) {
  QJsonObject states{{window.objectName(), ControlState(window, window)}};
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (IsControl(*widget)) states[widget->objectName()] = ControlState(*widget, window);
  }
  return states;
}
