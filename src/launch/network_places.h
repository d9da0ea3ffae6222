// The file system as seen through network places that may not answer: questions about a
// path on a network share (\\server\share\...) wait at most a time limit, and a share that
// did not answer counts as absent for a while, so that one dead server costs one wait and
// not one per file.
#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <string>

#include "launch/slow_calls.h"
#include "platform/file_system.h"

namespace vek {

// "\\server\share\" of a network path, upper case; empty for any other path.
std::string NetworkShareOf(const std::string& path);

class NetworkPlacesFileSystem : public FileSystem {
 public:
  NetworkPlacesFileSystem(FileSystem& inner, std::chrono::milliseconds limit, std::chrono::seconds quiet)
      : inner_(inner), calls_(limit, {}), quiet_(quiet) {}

  uint32_t Attributes(const std::string& path) override;
  bool ReadAll(const std::string& path, Bytes& out) override { return inner_.ReadAll(path, out); }
  bool ReadRange(const std::string& path, uint64_t offset, size_t count, Bytes& out) override {
    return inner_.ReadRange(path, offset, count, out);
  }
  bool WriteAll(const std::string& path, const Bytes& data) override { return inner_.WriteAll(path, data); }
  bool Delete(const std::string& path) override { return inner_.Delete(path); }
  bool Copy(const std::string& from, const std::string& to) override { return inner_.Copy(from, to); }
  bool Move(const std::string& from, const std::string& to) override { return inner_.Move(from, to); }
  bool CreateFolder(const std::string& path) override { return inner_.CreateFolder(path); }
  std::vector<DirEntry> List(const std::string& folder, const std::string& pattern) override {
    return inner_.List(folder, pattern);
  }
  int64_t Length(const std::string& path) override { return inner_.Length(path); }

 private:
  FileSystem& inner_;
  BoundedCalls calls_;
  std::chrono::seconds quiet_;
  std::mutex mutex_;  // the launcher asks from its worker threads too
  std::map<std::string, std::chrono::steady_clock::time_point> silentUntil_;
};

}  // namespace vek
