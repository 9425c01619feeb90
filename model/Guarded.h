// Runs a sequence of steps that guards itself: the first failure ends the
// sequence and goes to the program's error log; nothing is shown.
#pragma once

#include <exception>
#include <string>

#include "CLog.h"
#include "LindelError.h"

// Number logged for failures that carry no number of their own.
inline constexpr int kRunTimeErrorNumber = ErrorNumber::Preset;

template <class Steps>
bool Guarded(const std::string& source, Steps&& steps) {
  try {
    steps();
    return true;
  } catch (const LindelError& err) {
    LogError(err);
  } catch (const std::exception& err) {
    LogError(LindelError(kRunTimeErrorNumber, source, err.what()));
  }
  return false;
}
