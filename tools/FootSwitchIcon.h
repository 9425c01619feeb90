// The picture on the controller tool's set-up buttons: a stomp switch seen
// from above, drawn from our own vector data so it is sharp at any scale.
#pragma once

#include <QIcon>

QIcon FootSwitchIcon();
