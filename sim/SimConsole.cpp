#include "SimConsole.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "PacedOutput.h"

namespace {

std::optional<AnswerMode> ParseAnswerMode(const std::string& name) {
  if (name == "normal") return AnswerMode::Normal;
  if (name == "garbage") return AnswerMode::Garbage;
  if (name == "short") return AnswerMode::Short;
  if (name == "wrong-model") return AnswerMode::WrongModel;
  if (name == "wrong-number") return AnswerMode::WrongNumber;
  return std::nullopt;
}

// "controls N": N from 1 to 100000.
std::optional<long> ParseControlCount(const std::string& text) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const long count = std::stol(text);
  if (count < 1 || count > 100000) return std::nullopt;
  return count;
}

// What a pedal sends: volume control changes on channel 1, sweeping.
std::vector<MidiMessage> ControlChanges(long count) {
  std::vector<MidiMessage> changes;
  for (long i = 0; i < count; ++i) changes.push_back({0xB0, 0x07, static_cast<uint8_t>(i % 128)});
  return changes;
}

}  // namespace

SimConsole::SimConsole(SimulatedGMajor& device, std::ostream& log)
    : device_(device), log_(log), worker_([this] { Run(); }) {}

SimConsole::~SimConsole() { Finish(); }

void SimConsole::PostMessage(std::vector<uint8_t> message) {
  Post([this, message = std::move(message)] { HandleMessage(message); });
}

bool SimConsole::Command(const std::string& line) {
  std::istringstream words(line);
  std::string command, argument;
  words >> command;
  std::getline(words >> std::ws, argument);
  if (command.empty()) return true;
  if (command == "quit") return false;
  if (command == "dump") {
    Post([this] {
      Send(device_.BulkDump());
      Print("dump: sent " + std::to_string(SimulatedGMajor::kPresetsPerBank) + " presets");
    });
  } else if (command == "save" && !argument.empty()) {
    Post([this, argument] { SaveBank(argument); });
  } else if (command == "reset") {
    Post([this] {
      device_.Reset();
      Print("reset: factory state");
    });
  } else if (const auto mode = ParseAnswerMode(argument); command == "answer" && mode) {
    Post([this, mode, argument] {
      device_.SetAnswerMode(*mode);
      Print("answer: " + argument);
    });
  } else if (const auto fault = ParseSimFault(argument); command == "fault" && fault) {
    Post([this, fault, argument] {
      device_.SetFault(*fault);
      Print("fault: " + argument);
    });
  } else if (const auto count = ParseControlCount(argument); command == "controls" && count) {
    // Requests that arrive meanwhile wait behind the stream, as behind a dump.
    Post([this, count, argument] {
      Print("controls: sending " + argument);
      Send(ControlChanges(*count));
      Print("controls: sent " + argument);
    });
  } else {
    Print("unknown command: " + line +
          " (dump, save FILE, reset, answer normal|garbage|short|wrong-model|wrong-number,"
          " fault none|drop-every=N|corrupt-every=N, controls N, quit)");
  }
  return true;
}

bool SimConsole::SaveBank(const std::string& path) {
  const std::vector<uint8_t> bank = device_.UserBank();
  const std::string temp = path + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bank.data()), static_cast<std::streamsize>(bank.size()));
    if (!out.flush()) {
      Print("save: cannot write " + path);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    Print("save: cannot write " + path);
    return false;
  }
  Print("saved " + std::to_string(SimulatedGMajor::kPresetsPerBank) + " presets to " + path);
  return true;
}

void SimConsole::Post(std::function<void()> job) {
  {
    std::lock_guard lock(mutex_);
    if (finishing_) return;
    jobs_.push_back(std::move(job));
  }
  changed_.notify_all();
}

void SimConsole::Finish() {
  {
    std::lock_guard lock(mutex_);
    finishing_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void SimConsole::Run() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return finishing_ || !jobs_.empty(); });
    if (jobs_.empty()) return;
    auto job = std::move(jobs_.front());
    jobs_.pop_front();
    lock.unlock();
    job();
    lock.lock();
  }
}

void SimConsole::HandleMessage(const std::vector<uint8_t>& message) {
  const SimResponse response = device_.Receive(message);
  Print(response.event);
  Send(response.replies);
}

void SimConsole::Send(const std::vector<MidiMessage>& messages) {
  for (const MidiMessage& message : messages) {
    if (!output_ || !output_->Send(message)) Print("send failed: the output port refused a message");
  }
}

void SimConsole::Print(const std::string& line) { log_ << line << std::endl; }
