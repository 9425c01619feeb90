// A small command-line parser shared by the lindel-cli commands: options with
// values ("-o FILE", "--name N"), flags ("--json") and positional arguments.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// Exit codes of every command.
namespace ExitCode {
constexpr int Ok = 0;
constexpr int Failed = 1;  // an invalid slot, a failed transfer
constexpr int Usage = 2;   // bad arguments or an unreadable file
}  // namespace ExitCode

// Thrown for a usage or I/O error; main prints it and exits with 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class CliArgs {
 public:
  // valueOptions take the next argument as their value; flags take none.
  CliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
          const std::set<std::string>& flags);

  bool Flag(const std::string& name) const { return flags_.count(name) > 0; }
  std::optional<std::string> Value(const std::string& name) const;
  std::string Required(const std::string& name) const;
  // An option's value as a whole number within [min, max].
  std::optional<long> Number(const std::string& name, long min, long max) const;
  const std::vector<std::string>& Positional() const { return positional_; }

 private:
  std::set<std::string> flags_;
  std::map<std::string, std::string> values_;
  std::vector<std::string> positional_;
};

// Parses a whole number within [min, max] or throws UsageError naming what.
long ParseNumber(const std::string& text, long min, long max, const std::string& what);
