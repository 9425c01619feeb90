// The error log: one tab-separated line per error in "lindelerr.Log" in the
// program's folder. Logging never shows anything and never fails its caller;
// when the file cannot be created at start, later lines are lost silently.
#pragma once

#include <filesystem>
#include <string>

class LindelError;

inline constexpr const char* kLogFileName = "lindelerr.Log";

class CLog {
 public:
  // Opens folder/lindelerr.Log, creating it with its header line when missing.
  explicit CLog(const std::filesystem::path& folder);

  void LogError(const LindelError& err) const;
  void Log(int iVal, const std::string& sDescription, const std::string& sSource) const;
  const std::filesystem::path& Path() const { return path_; }

  // The program-wide log (not owned); null when none is installed.
  static CLog* Program();
  static void SetProgram(CLog* log);

 private:
  std::filesystem::path path_;
};

// Appends to the program-wide log when there is one.
void LogError(const LindelError& err);
void LogLine(int iVal, const std::string& sDescription, const std::string& sSource);

// The folder of the running executable (where the log lives).
std::filesystem::path ProgramFolder();
