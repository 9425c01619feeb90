#include "CliArgs.h"

#include <charconv>

CliArgs::CliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                 const std::set<std::string>& flags) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (valueOptions.count(a)) {
      if (i + 1 >= args.size()) throw UsageError("option " + a + " needs a value");
      values_[a] = args[++i];
    } else if (flags.count(a)) {
      flags_.insert(a);
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError("unknown option " + a);
    } else {
      positional_.push_back(a);
    }
  }
}

std::optional<std::string> CliArgs::Value(const std::string& name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

std::string CliArgs::Required(const std::string& name) const {
  const auto v = Value(name);
  if (!v) throw UsageError("missing option " + name);
  return *v;
}

std::optional<long> CliArgs::Number(const std::string& name, long min, long max) const {
  const auto v = Value(name);
  if (!v) return std::nullopt;
  return ParseNumber(*v, min, max, name);
}

long ParseNumber(const std::string& text, long min, long max, const std::string& what) {
  long n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || n < min || n > max) {
    throw UsageError(what + " must be a whole number from " + std::to_string(min) + " to " +
                     std::to_string(max) + ", not '" + text + "'");
  }
  return n;
}
