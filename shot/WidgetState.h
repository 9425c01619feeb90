// What a user would see of a window, as JSON keyed by each control's
// objectName: its Qt class, whether it is visible and enabled, its text,
// and for lists the index, item count and selected item data, for check
// boxes the check value (0 unchecked, 1 checked, 2 greyed).
#pragma once

#include <QJsonObject>

class QWidget;

QJsonObject WidgetState(const QWidget& window);
