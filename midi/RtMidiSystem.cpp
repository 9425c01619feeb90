#include "RtMidiSystem.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdlib>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "CLog.h"

namespace {

// Big enough for a preset in one piece; RtMidi joins larger ones itself.
constexpr unsigned kInputBufferSize = 2048;
constexpr unsigned kInputBufferCount = 4;

void SilentAlsa(const char*, int, const char*, int, const char*, ...) {}
void SilentJack(const char*) {}

RtMidi::Api ToRtMidi(MidiStack api) { return api == MidiStack::Alsa ? RtMidi::LINUX_ALSA : RtMidi::UNIX_JACK; }

// Both libraries print their own complaints on stderr; ours go to the log.
void SilenceLibraries() {
  static const bool silenced = [] {
    jack_set_error_function(SilentJack);
    jack_set_info_function(SilentJack);
    return true;
  }();
  (void)silenced;
}

class RtMidiInputDevice final : public MidiInputDevice {
 public:
  RtMidiInputDevice(MidiStack api, const std::string& client, MidiInputHandler handler)
      : handler_(std::move(handler)), in_(ToRtMidi(api), client) {
    in_.setErrorCallback(&RtMidiInputDevice::OnError, this);
    in_.setBufferSize(kInputBufferSize, kInputBufferCount);
    in_.ignoreTypes(false, true, true);  // keep System Exclusive; drop clock and active sensing
    in_.setCallback(&RtMidiInputDevice::OnMessage, this);
  }
  ~RtMidiInputDevice() override { in_.closePort(); }

  RtMidiIn& Port() { return in_; }
  bool CanReceive() const override { return in_.isPortOpen() && !failed_; }

 private:
  static void OnMessage(double, std::vector<unsigned char>* message, void* self) {
    auto& device = *static_cast<RtMidiInputDevice*>(self);
    for (auto& part : SplitAtSysExStarts(*message)) {
      if (device.handler_.onMessage) device.handler_.onMessage(std::move(part));
    }
  }
  static void OnError(RtMidiError::Type type, const std::string& text, void* self) {
    auto& device = *static_cast<RtMidiInputDevice*>(self);
    if (type == RtMidiError::DEBUG_WARNING) return;
    if (type != RtMidiError::WARNING) device.failed_ = true;
    if (device.handler_.onError) device.handler_.onError(text);
  }

  MidiInputHandler handler_;
  std::atomic<bool> failed_{false};
  RtMidiIn in_;
};

class RtMidiOutputDevice final : public MidiOutputDevice {
 public:
  RtMidiOutputDevice(MidiStack api, const std::string& client) : out_(ToRtMidi(api), client) {
    out_.setErrorCallback(&RtMidiOutputDevice::OnError, this);
  }
  ~RtMidiOutputDevice() override { out_.closePort(); }

  RtMidiOut& Port() { return out_; }
  // RtMidi reports a refused message through the error callback only.
  bool Send(std::span<const uint8_t> message) override {
    failed_ = false;
    try {
      out_.sendMessage(message.data(), message.size());
    } catch (const RtMidiError&) {
      return false;
    }
    return !failed_;
  }

 private:
  static void OnError(RtMidiError::Type type, const std::string&, void* self) {
    if (type != RtMidiError::DEBUG_WARNING) static_cast<RtMidiOutputDevice*>(self)->failed_ = true;
  }

  bool failed_ = false;
  RtMidiOut out_;
};

template <typename Port>
std::vector<std::string> PortNames(Port& port) {
  std::vector<std::string> names;
  const unsigned count = port.getPortCount();
  for (unsigned i = 0; i < count; ++i) names.push_back(port.getPortName(i));
  return names;
}

// The index the port called name has now, or -1.
template <typename Port>
int FindPort(Port& port, const std::string& name) {
  const auto names = PortNames(port);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<int>(i);
  }
  return -1;
}

template <typename Device>
bool OpenByName(Device& device, const std::string& name, const std::string& portName) {
  const int index = FindPort(device.Port(), name);
  if (index < 0) return false;
  device.Port().openPort(static_cast<unsigned>(index), portName);
  return device.Port().isPortOpen();
}

std::vector<std::string> JackPorts(jack_client_t* client, unsigned long flags) {
  std::vector<std::string> names;
  const char** ports = jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
  for (const char** p = ports; p && *p; ++p) names.emplace_back(*p);
  jack_free(ports);
  return names;
}

// Lists the JACK MIDI ports with one short-lived client, which also tells
// whether a server runs: every client costs a connection and a process
// thread, so the lists do not take two more through RtMidi.
std::optional<std::pair<std::vector<std::string>, std::vector<std::string>>> ListJackPorts(std::string& why) {
  SilenceLibraries();
  jack_status_t status{};
  jack_client_t* client = jack_client_open("lindel-list", JackNoStartServer, &status);
  if (!client) {
    const char* server = std::getenv("JACK_DEFAULT_SERVER");
    why = std::string("no JACK server running (server \"") + (server ? server : "default") + "\")";
    return std::nullopt;
  }
  // Our inputs read from the ports that output, and the other way round.
  auto lists = std::make_pair(JackPorts(client, JackPortIsOutput), JackPorts(client, JackPortIsInput));
  jack_client_close(client);
  return lists;
}

}  // namespace

std::optional<MidiStack> ParseMidiStack(const std::string& name) {
  if (name == "alsa") return MidiStack::Alsa;
  if (name == "jack") return MidiStack::Jack;
  return std::nullopt;
}

const char* MidiStackName(MidiStack api) { return api == MidiStack::Alsa ? "alsa" : "jack"; }

std::optional<MidiStack> MidiStackFromEnvironment() {
  const char* value = std::getenv("LINDEL_MIDI_API");
  return value ? ParseMidiStack(value) : std::nullopt;
}

bool MidiStackAvailable(MidiStack api, std::string& why) {
  if (api == MidiStack::Jack) return ListJackPorts(why).has_value();
  SilenceLibraries();
  snd_lib_error_set_handler(SilentAlsa);
  snd_seq_t* seq = nullptr;
  const int err = snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, 0);
  snd_lib_error_set_handler(nullptr);
  if (err < 0) {
    why = std::string("no ALSA sequencer (") + snd_strerror(err) + ")";
    return false;
  }
  snd_seq_close(seq);
  return true;
}

RtMidiSystem::RtMidiSystem(std::optional<MidiStack> api, std::string clientName)
    : clientName_(std::move(clientName)) {
  std::string alsaWhy, jackWhy;
  if (api != MidiStack::Jack && MidiStackAvailable(MidiStack::Alsa, alsaWhy)) {
    ListAlsa(alsaWhy);
  } else if (api != MidiStack::Alsa) {
    if (auto lists = ListJackPorts(jackWhy)) {
      api_ = MidiStack::Jack;
      std::tie(inputs_, outputs_) = std::move(*lists);
    }
  }
  if (!api_) {
    problem_ = "No MIDI devices: " + alsaWhy + (!alsaWhy.empty() && !jackWhy.empty() ? "; " : "") + jackWhy;
    LogLine(0, problem_, "MidiSystem");
  }
}

void RtMidiSystem::ListAlsa(std::string& why) {
  try {
    RtMidiIn in(RtMidi::LINUX_ALSA, clientName_);
    RtMidiOut out(RtMidi::LINUX_ALSA, clientName_);
    inputs_ = PortNames(in);
    outputs_ = PortNames(out);
    api_ = MidiStack::Alsa;
  } catch (const RtMidiError& e) {
    why = e.getMessage();
  }
}

RtMidiSystem::~RtMidiSystem() = default;

std::vector<std::string> RtMidiSystem::InputNames() { return inputs_; }

std::vector<std::string> RtMidiSystem::OutputNames() { return outputs_; }

std::unique_ptr<MidiInputDevice> RtMidiSystem::OpenInput(int index, MidiInputHandler handler) {
  if (!api_ || index < 0 || static_cast<std::size_t>(index) >= inputs_.size()) return nullptr;
  try {
    auto device = std::make_unique<RtMidiInputDevice>(*api_, clientName_ + " in", std::move(handler));
    if (OpenByName(*device, inputs_[index], "in")) return device;
  } catch (const RtMidiError&) {
  }
  return nullptr;
}

std::unique_ptr<MidiOutputDevice> RtMidiSystem::OpenOutput(int index) {
  if (!api_ || index < 0 || static_cast<std::size_t>(index) >= outputs_.size()) return nullptr;
  try {
    auto device = std::make_unique<RtMidiOutputDevice>(*api_, clientName_ + " out");
    if (OpenByName(*device, outputs_[index], "out")) return device;
  } catch (const RtMidiError&) {
  }
  return nullptr;
}

std::unique_ptr<MidiInputDevice> OpenVirtualInput(MidiStack api, const std::string& client, const std::string& port,
                                                  MidiInputHandler handler) {
  std::string why;
  if (!MidiStackAvailable(api, why)) throw std::runtime_error(why);
  try {
    auto device = std::make_unique<RtMidiInputDevice>(api, client, std::move(handler));
    device->Port().openVirtualPort(port);
    return device;
  } catch (const RtMidiError& e) {
    throw std::runtime_error(e.getMessage());
  }
}

std::unique_ptr<MidiOutputDevice> OpenVirtualOutput(MidiStack api, const std::string& client,
                                                    const std::string& port) {
  std::string why;
  if (!MidiStackAvailable(api, why)) throw std::runtime_error(why);
  try {
    auto device = std::make_unique<RtMidiOutputDevice>(api, client);
    device->Port().openVirtualPort(port);
    return device;
  } catch (const RtMidiError& e) {
    throw std::runtime_error(e.getMessage());
  }
}

std::vector<std::vector<uint8_t>> SplitAtSysExStarts(const std::vector<uint8_t>& bytes) {
  std::vector<std::vector<uint8_t>> parts;
  auto begin = bytes.begin();
  while (begin != bytes.end()) {
    auto end = std::find(begin + 1, bytes.end(), uint8_t{0xF0});
    parts.emplace_back(begin, end);
    begin = end;
  }
  return parts;
}
