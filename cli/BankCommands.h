// The work of the lindel-cli bank commands, on values already parsed. Each
// opens the library at libraryPath ("" for the default place) and returns
// the exit code; a LibraryError is reported by the caller (exit 2).
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "PresetLayout.h"

class MidiSession;

int BankNew(const std::string& libraryPath, const std::string& name);
int BankList(const std::string& libraryPath);
int BankShow(const std::string& libraryPath, const std::string& name, bool json);
int BankSet(const std::string& libraryPath, const std::string& name, int slot, int64_t entry);
int BankMove(const std::string& libraryPath, const std::string& name, int from, int to);
int BankSwap(const std::string& libraryPath, const std::string& name, int a, int b);
int BankClear(const std::string& libraryPath, const std::string& name, int slot);
int BankFromDump(const std::string& libraryPath, const std::string& name, const std::string& dump);
int BankExport(const std::string& libraryPath, const std::string& name, const std::string& out);

struct BankTransferOptions {
  std::chrono::milliseconds timeout;  // the wait for each answer
  bool all = false;
  bool verify = false;
};
int BankPull(const std::string& libraryPath, const std::string& name, MidiSession& session,
             const BankTransferOptions& options);
int BankSend(const std::string& libraryPath, const std::string& name, MidiSession& session,
             const BankTransferOptions& options);

// backup --library and receive-dump --library: keeps the user presets read
// from the device in the library and records them as what it holds. A
// library that cannot be used throws UsageError.
void RememberDeviceHolds(const std::string& libraryPath, const std::string& device,
                         const std::vector<PresetImage>& presets);
// Their --library F option.
CLI::Option* AddLibrary(CLI::App& app, std::optional<std::string>& library);
