// The operating system's MIDI devices through RtMidi. On Linux the ALSA
// sequencer is used by default; JACK when ALSA cannot be opened or when
// LINDEL_MIDI_API=jack. A stack that cannot be opened is not an error: the
// lists stay empty and Problem() (also written to the error log) says why.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "MidiSystem.h"

class RtMidiIn;
class RtMidiOut;

enum class MidiStack { Alsa, Jack };

// "alsa" or "jack"; nullopt for anything else.
std::optional<MidiStack> ParseMidiStack(const std::string& name);
const char* MidiStackName(MidiStack api);
// The API named by LINDEL_MIDI_API, if any.
std::optional<MidiStack> MidiStackFromEnvironment();
// Whether the stack answers at all (ALSA sequencer present, JACK server
// running), without printing anything; why gets the reason when not.
bool MidiStackAvailable(MidiStack api, std::string& why);

class RtMidiSystem final : public MidiSystem {
 public:
  // api: the one stack to use; none means ALSA, else JACK.
  explicit RtMidiSystem(std::optional<MidiStack> api = MidiStackFromEnvironment(), std::string clientName = "Lindel");
  ~RtMidiSystem() override;

  // The stack in use; none when no stack could be opened.
  std::optional<MidiStack> Api() const { return api_; }
  const std::string& Problem() const { return problem_; }

  std::vector<std::string> InputNames() override;
  std::vector<std::string> OutputNames() override;
  // Opens the device listed at index by its name, so a list that changed
  // since it was read opens the right device or none.
  std::unique_ptr<MidiInputDevice> OpenInput(int index, MidiInputHandler handler) override;
  std::unique_ptr<MidiOutputDevice> OpenOutput(int index) override;

 private:
  void ListAlsa(std::string& why);

  std::optional<MidiStack> api_;
  std::string problem_;
  std::string clientName_;
  std::vector<std::string> inputs_;
  std::vector<std::string> outputs_;
};

// Ports that other programs connect to, for the stand-alone simulator.
// They throw std::runtime_error with the reason when the stack refuses.
std::unique_ptr<MidiInputDevice> OpenVirtualInput(MidiStack api, const std::string& client, const std::string& port,
                                                  MidiInputHandler handler);
std::unique_ptr<MidiOutputDevice> OpenVirtualOutput(MidiStack api, const std::string& client,
                                                    const std::string& port);

// Splits what RtMidi delivered as one message at every F0 after the first
// byte: RtMidi joins an unterminated System Exclusive message to the next
// one, and the next one must not be lost with it.
std::vector<std::vector<uint8_t>> SplitAtSysExStarts(const std::vector<uint8_t>& bytes);
