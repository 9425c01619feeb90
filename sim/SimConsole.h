// The stand-alone simulator's work loop: device messages and console
// commands run one after another on one worker thread, in arrival order, so
// a "save" always sees every preset that arrived before it. Replies leave
// through a paced output at the MIDI wire rate. One line per event goes to
// the log stream.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

#include "SimulatedGMajor.h"

class PacedOutput;

class SimConsole {
 public:
  SimConsole(SimulatedGMajor& device, std::ostream& log);
  ~SimConsole();

  // Where replies and dumps go; set before the first message.
  void SetOutput(PacedOutput* output) { output_ = output; }
  // From the MIDI input thread.
  void PostMessage(std::vector<uint8_t> message);
  // One console command line; false for "quit".
  bool Command(const std::string& line);
  // Runs everything posted so far, then stops the worker.
  void Finish();
  // Writes the user bank to path, replacing the file only when complete.
  bool SaveBank(const std::string& path);

 private:
  void Post(std::function<void()> job);
  void Run();
  void HandleMessage(const std::vector<uint8_t>& message);
  void Send(const std::vector<MidiMessage>& messages);
  void Print(const std::string& line);

  SimulatedGMajor& device_;
  std::ostream& log_;
  PacedOutput* output_ = nullptr;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> jobs_;
  bool finishing_ = false;
  std::thread worker_;
};
