#include "platform/log.h"

#include <exception>
#include <mutex>

namespace vek {

namespace {
std::mutex& LogLock() {
  static std::mutex lock;
  return lock;
}
LogSink* g_sink = nullptr;
}  // namespace

LogSink* SetLogSink(LogSink* sink) {
  std::lock_guard<std::mutex> hold(LogLock());
  LogSink* before = g_sink;
  g_sink = sink;
  return before;
}

void WriteLog(std::string_view line) {
  std::string text(line);
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  // A sink whose own work logs (a failing file write) must not wait on itself.
  thread_local bool writing = false;
  if (writing) return;
  writing = true;
  {
    std::lock_guard<std::mutex> hold(LogLock());
    if (g_sink) g_sink->Write(text);
  }
  writing = false;
}

void LogCaughtFailure(std::string_view what) {
  std::string line(what);
  line += " failed";
  try {
    if (std::exception_ptr caught = std::current_exception()) std::rethrow_exception(caught);
  } catch (const std::exception& e) {
    line += std::string(": ") + e.what();
  } catch (...) {
  }
  WriteLog(line);
}

std::string HexCode(uint32_t code) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(code >> shift) & 0xF];
  return text;
}

void CappedFileLog::Write(const std::string& line) {
  Bytes text;
  if (fs_.Attributes(path_) != attr::kInvalid && !fs_.ReadAll(path_, text)) return;
  const std::string added = line.substr(0, capacity_ / 4) + "\r\n";
  if (text.size() + added.size() > capacity_) {
    // Keep the newer half, from the start of a line.
    size_t from = text.size() > capacity_ / 2 ? text.size() - capacity_ / 2 : 0;
    while (from < text.size() && from > 0 && text[from - 1] != '\n') ++from;
    text.erase(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(from));
  }
  text.insert(text.end(), added.begin(), added.end());
  fs_.WriteAll(path_, text);
}

}  // namespace vek
