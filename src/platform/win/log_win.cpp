#include "platform/win/log_win.h"

#include <windows.h>

#include <cstdio>

#include "platform/win/text_win.h"

namespace vek::win {

ProgramLog::ProgramLog(FileSystem& fs, const std::string& file) : file_(fs, file) {
  previous_ = SetLogSink(this);
}

ProgramLog::~ProgramLog() { SetLogSink(previous_); }

void ProgramLog::Write(const std::string& line) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof(stamp), "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond);
  const std::string stamped = stamp + line;
  OutputDebugStringW(Wide("VEK Desktop: " + stamped + "\n").c_str());
  if (!file_.path().empty()) file_.Write(stamped);
}

}  // namespace vek::win
