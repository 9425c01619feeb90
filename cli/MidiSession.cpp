#include "MidiSession.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "PresetLayout.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Listing(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) text += "\n  " + std::to_string(i) + "  " + names[i];
  return text;
}

bool IsWholeNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

int ResolveDevice(const std::vector<std::string>& names, const std::string& wanted, const std::string& what) {
  if (IsWholeNumber(wanted)) {
    const long position = wanted.size() > 9 ? -1 : std::strtol(wanted.c_str(), nullptr, 10);
    if (position >= 0 && static_cast<std::size_t>(position) < names.size()) return static_cast<int>(position);
    throw UsageError("there is no " + what + " device at position " + wanted + "; the devices are:" + Listing(names));
  }
  std::vector<int> matches;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (Lower(names[i]) == Lower(wanted)) return static_cast<int>(i);
    if (!wanted.empty() && Lower(names[i]).find(Lower(wanted)) != std::string::npos) matches.push_back(static_cast<int>(i));
  }
  if (matches.size() == 1) return matches[0];
  throw UsageError(std::string(matches.empty() ? "no " : "more than one ") + what + " device matches '" + wanted +
                   "'; the devices are:" + Listing(names));
}

int ParsePresetName(const std::string& text, bool allowFactory) {
  const std::string expected = allowFactory ? "E, F1..F100 or U1..U100" : "E or U1..U100";
  const std::string upper = text.empty() ? "" : std::string(1, static_cast<char>(std::toupper(text[0])));
  if (upper == "E" && text.size() == 1) return PresetNumber::EditBuffer;
  if ((upper == "U" || (upper == "F" && allowFactory)) && IsWholeNumber(text.substr(1))) {
    const long n = std::strtol(text.c_str() + 1, nullptr, 10);
    if (n >= 1 && n <= 100) return static_cast<int>(upper == "U" ? PresetNumber::UserBase + n : n);
  }
  throw UsageError("a preset is " + expected + ", not '" + text + "'");
}

std::string PresetName(int number) {
  if (number == PresetNumber::EditBuffer) return "E";
  if (number > PresetNumber::UserBase) return "U" + std::to_string(number - PresetNumber::UserBase);
  return "F" + std::to_string(number);
}

std::chrono::milliseconds ParseSeconds(const std::string& text, const std::string& name) {
  char* end = nullptr;
  const double seconds = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(seconds > 0) || seconds > 3600) {
    throw UsageError(name + " must be a number of seconds above 0 and at most 3600, not '" + text + "'");
  }
  return std::chrono::milliseconds(std::lround(seconds * 1000));
}

CLI::Option* AddSeconds(CLI::App& app, const std::string& name, std::chrono::milliseconds& value,
                        const std::string& help) {
  return AddParsed<std::chrono::milliseconds>(
             app, name, value, "S", [name](const std::string& text) { return ParseSeconds(text, name); }, help)
      ->default_str(FormatSeconds(value));
}

void AddDevices(CLI::App& app, Devices& devices) {
  app.add_option("--in", devices.in, "the input: its position in lindel-cli ports or part of its name")
      ->type_name("DEV")
      ->required();
  app.add_option("--out", devices.out, "the output: its position in lindel-cli ports or part of its name")
      ->type_name("DEV")
      ->required();
}

std::string FormatSeconds(std::chrono::milliseconds duration) {
  std::ostringstream text;
  text << static_cast<double>(duration.count()) / 1000.0;
  return text.str();
}

MidiSession::MidiSession(const Devices& devices) : transfer_(system_, pump_, settings_) {
  transfer_.SelectInput(ResolveDevice(transfer_.Devices().Inputs(), devices.in, "input"));
  transfer_.SelectOutput(ResolveDevice(transfer_.Devices().Outputs(), devices.out, "output"));
  transfer_.SetListener(this);
}

const std::string& MidiSession::InputName() const {
  return transfer_.Devices().Inputs()[static_cast<std::size_t>(transfer_.Devices().InputPosition())];
}

const std::string& MidiSession::OutputName() const {
  return transfer_.Devices().Outputs()[static_cast<std::size_t>(transfer_.Devices().OutputPosition())];
}

int MidiSession::Failed(const std::string& command, const std::string& reason) const {
  std::cerr << "lindel-cli " << command << ": failed: " << reason << "\n";
  return ExitCode::Failed;
}

void MidiSession::DumpProgress(int presets) {
  if (!progressText_.empty()) {
    std::cerr << "\r" << presets << " " << progressText_ << std::flush;
    progressShown_ = true;
  }
  if (stopAfter_ && presets >= *stopAfter_) transfer_.Cancel();  // the CLI's "Done"
}

void MidiSession::RunEnded() {
  if (progressShown_) std::cerr << "\n";
  progressShown_ = false;
}
