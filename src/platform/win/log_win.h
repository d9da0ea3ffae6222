// The program's log on Windows: every line, stamped with the local time, goes to the
// debugger output (OutputDebugStringW) and to a size-capped text file.
#pragma once

#include <string>

#include "platform/log.h"

namespace vek::win {

// The log file's name in the per-user folder.
constexpr char kLogFileName[] = "VekDesktop.log";

class ProgramLog : public LogSink {
 public:
  // Becomes the program's log until it is destroyed; `file` empty: the debugger only.
  ProgramLog(FileSystem& fs, const std::string& file);
  ~ProgramLog() override;
  ProgramLog(const ProgramLog&) = delete;
  ProgramLog& operator=(const ProgramLog&) = delete;

  void Write(const std::string& line) override;

 private:
  CappedFileLog file_;
  LogSink* previous_ = nullptr;
};

}  // namespace vek::win
