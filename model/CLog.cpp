#include "CLog.h"

#include <unistd.h>

#include <array>
#include <ctime>

#include "CFile.h"
#include "LindelError.h"

namespace {

CLog* programLog = nullptr;

// Date and time in the general "date time" form, local time.
std::string Now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  std::array<char, 32> buf{};
  std::strftime(buf.data(), buf.size(), "%Y-%m-%d %H:%M:%S", &tm);
  return buf.data();
}

}  // namespace

CLog::CLog(const std::filesystem::path& folder) : path_(folder / kLogFileName) {
  CFile file;
  if (file.OpenFile(path_.string())) return;
  // Creating the file must not show the file layer's message box: a folder we
  // cannot write to simply leaves the program without a log.
  std::error_code ec;
  if (std::filesystem::is_directory(folder, ec) && ::access(folder.c_str(), W_OK) == 0 &&
      file.Create(path_.string())) {
    file.WriteText("#\tDesc\tSource\tDate\r\n", true);
  }
}

void CLog::LogError(const LindelError& err) const { Log(err.Number(), err.Description(), err.Source()); }

void CLog::Log(int iVal, const std::string& sDescription, const std::string& sSource) const {
  CFile file;
  if (!file.OpenFile(path_.string())) return;
  file.WriteText(std::to_string(iVal) + "\t" + sDescription + "\t" + sSource + "\t" + Now() + "\r\n", true);
}

CLog* CLog::Program() { return programLog; }

void CLog::SetProgram(CLog* log) { programLog = log; }

void LogError(const LindelError& err) {
  if (programLog) programLog->LogError(err);
}

void LogLine(int iVal, const std::string& sDescription, const std::string& sSource) {
  if (programLog) programLog->Log(iVal, sDescription, sSource);
}

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}
