// Steps the menu commands share: the wait cursor for the length of a
// command, and the MIDI-ready step that opens the setup when no devices are
// chosen.
#pragma once

#include <string>

#include "LindelError.h"

class dlgMidiSetup;

// Error numbers of the menu commands beyond the model's own.
namespace CommandError {
constexpr int NotACopyableBlock = 30004;
constexpr int MidiNotSetUp = 30010;
}  // namespace CommandError

// The wait cursor until the end of the scope.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// While a transfer runs, says so and throws kTransferRunning under the
// command's number: the command is not started, nothing is asked first.
// Without both devices chosen, opens the MIDI setup; throws the command's
// error when the user leaves it without a choice.
void RequireMidi(dlgMidiSetup& setup, int number, const std::string& description, const std::string& source);
