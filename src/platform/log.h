// The program's log: failures the program survives (a window message handler that threw,
// a shortcut the shell could not read, a window that could not be made) are written here
// so that they can be seen, instead of vanishing. Any thread may write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace vek {

class LogSink {
 public:
  virtual ~LogSink() = default;
  // One line, without its line break.
  virtual void Write(const std::string& line) = 0;
};

// Makes `sink` the program's log (null: lines are dropped) and gives back the one before.
LogSink* SetLogSink(LogSink* sink);
// Writes one line to the program's log; line breaks within it become spaces.
void WriteLog(std::string_view line);
// Called inside a catch block: writes "<what> failed", with the exception's own text when
// it has one, so that a failure the program survives is never swallowed unseen.
void LogCaughtFailure(std::string_view what);
// "0x" and eight hexadecimal digits: how error codes are written in the log.
std::string HexCode(uint32_t code);

// Takes the lines written while it exists, in place of the program's log, and gives the
// place back when it goes (tests check what was logged through it).
class LogLines : public LogSink {
 public:
  LogLines() : previous_(SetLogSink(this)) {}
  ~LogLines() override { SetLogSink(previous_); }
  LogLines(const LogLines&) = delete;
  LogLines& operator=(const LogLines&) = delete;
  void Write(const std::string& line) override { lines_.push_back(line); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  LogSink* previous_;
  std::vector<std::string> lines_;
};

// A text file that never grows past `capacity` bytes: when a line would take it past, the
// older half of its lines is dropped first. Lines end with CR LF. A file that cannot be
// read or written loses the line, never the program.
class CappedFileLog : public LogSink {
 public:
  static constexpr size_t kDefaultCapacity = 64 * 1024;

  CappedFileLog(FileSystem& fs, std::string path, size_t capacity = kDefaultCapacity)
      : fs_(fs), path_(std::move(path)), capacity_(capacity) {}
  void Write(const std::string& line) override;
  const std::string& path() const { return path_; }

 private:
  FileSystem& fs_;
  std::string path_;
  size_t capacity_;
};

}  // namespace vek
