// The program's log: where lines go, and the file that never grows past its size.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/log.h"
#include "support/fake_memory_fs.h"

namespace vek {
namespace {

std::string Text(test::MemoryFileSystem& fs, const std::string& path) {
  Bytes bytes;
  fs.ReadAll(path, bytes);
  return std::string(bytes.begin(), bytes.end());
}

TEST(LogTest, LinesGoToTheSinkSetLastOnOneLineEach) {
  LogLines outer;
  {
    LogLines inner;
    WriteLog("shortcut C:\\a.lnk: loading failed,\r\nagain");
    EXPECT_EQ(inner.lines(), (std::vector<std::string>{"shortcut C:\\a.lnk: loading failed,  again"}));
  }
  WriteLog("after");
  EXPECT_EQ(outer.lines(), (std::vector<std::string>{"after"}));
  EXPECT_EQ(HexCode(0x80004005u), "0x80004005");
  EXPECT_EQ(HexCode(0x1A), "0x0000001A");
}

// (One with no text of its own is the window procedure's test.)
TEST(LogTest, ACaughtFailureIsLoggedWithTheExceptionsText) {
  LogLines log;
  try {
    throw std::runtime_error("out of memory");
  } catch (...) {
    LogCaughtFailure("a drop");
  }
  EXPECT_EQ(log.lines(), std::vector<std::string>{"a drop failed: out of memory"});
}

TEST(LogTest, ASinkThatLogsWhileWritingDoesNotHang) {
  struct Echo : LogSink {
    int calls = 0;
    void Write(const std::string&) override {
      ++calls;
      WriteLog("from inside the sink");
    }
  } echo;
  LogSink* before = SetLogSink(&echo);
  WriteLog("outer");
  SetLogSink(before);
  EXPECT_EQ(echo.calls, 1);
}

TEST(LogTest, FileKeepsItsNewestLinesUnderTheCap) {
  test::MemoryFileSystem fs;
  fs.AddFolder("C:\\Users\\u\\AppData\\Kestrovan\\");
  const std::string path = "C:\\Users\\u\\AppData\\Kestrovan\\VekDesktop.log";
  CappedFileLog log(fs, path, 200);
  log.Write("first");
  log.Write("second");
  EXPECT_EQ(Text(fs, path), "first\r\nsecond\r\n");
  for (int i = 0; i < 60; ++i) log.Write("line " + std::to_string(i));
  const std::string text = Text(fs, path);
  EXPECT_LE(text.size(), 200u);
  EXPECT_EQ(text.compare(0, 5, "line "), 0);  // whole lines only, the oldest gone
  EXPECT_EQ(text.substr(text.size() - 9), "line 59\r\n");
  // A line longer than the file may hold is cut, never left to grow the file.
  log.Write(std::string(1000, 'x'));
  EXPECT_LE(Text(fs, path).size(), 200u);
}

TEST(LogTest, UnwritableFileLosesTheLineOnly) {
  test::MemoryFileSystem fs;
  CappedFileLog log(fs, "Z:\\no\\such\\folder\\VekDesktop.log");
  log.Write("nowhere to go");
  EXPECT_FALSE(fs.Has("Z:\\no\\such\\folder\\VekDesktop.log"));
}

}  // namespace
}  // namespace vek
