// What the model says when it refuses a load, a save or a request. The model
// returns false and hands this up; only the layer that talks to the user
// shows it, so no model code ever opens a message box.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "Dialogs.h"

struct Refusal {
  std::string text;
  std::string title = kAppTitle;
};

// Told of each refusal as it happens, so that the owner shows them in order.
using RefusalHandler = std::function<void(const Refusal&)>;

// The OK-only box with the refusal's text and title; nothing without one.
void ShowRefusal(const std::optional<Refusal>& refusal);
