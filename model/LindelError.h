// The one error type of the program: a number, a source and a description,
// the three things the error log records and message boxes show.
#pragma once

#include <stdexcept>
#include <string>

// Error numbers the program raises itself.
namespace ErrorNumber {
constexpr int Preset = 30000;       // also the generic number of many commands
constexpr int Generic1 = 30001;
constexpr int Generic2 = 30002;
constexpr int PrepareBuffer = 30005;
constexpr int AddBuffer = 30006;
constexpr int OpenInPort = 30007;
constexpr int OpenOutPort = 30008;
constexpr int HttpOpen = 32000;
constexpr int HttpConnect = 32001;  // also the controller tool's port
constexpr int HttpRequest = 32002;
constexpr int HttpSend = 32003;
}  // namespace ErrorNumber

class LindelError : public std::runtime_error {
 public:
  LindelError(int number, std::string source, std::string description)
      : std::runtime_error(description),
        number_(number),
        source_(std::move(source)),
        description_(std::move(description)) {}

  int Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }

 private:
  int number_;
  std::string source_;
  std::string description_;
};
