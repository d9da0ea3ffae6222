// The file system as seen through network places that may not answer: questions about a
// path on a network share (\\server\share\...) or on a drive letter mapped to one wait
// at most a time limit, and a place that did not answer counts as absent for a while, so
// that one dead server costs one wait and not one per file.
#pragma once

#include <array>
#include <chrono>
#include <map>
#include <mutex>
#include <string>

#include "launch/slow_calls.h"
#include "platform/drives.h"
#include "platform/file_system.h"

namespace vek {

// How long one question to a network place may wait, and how long a place that did not
// answer then counts as absent.
constexpr std::chrono::milliseconds kPlaceAnswerLimit{3000};
constexpr std::chrono::seconds kSilentPlaceMemory{60};
// The limit of a launch's or an item's questions, which may ask a network place and the
// local disk: longer than a place gets, so that a place that does not answer is found
// out as such (and named to the user) before the whole call runs out of time.
constexpr std::chrono::milliseconds kSlowCallLimit{5000};
static_assert(kSlowCallLimit > kPlaceAnswerLimit, "a call must outlast one place's wait");

// "\\server\share\" of a network path, upper case; empty for any other path.
std::string NetworkShareOf(const std::string& path);
// "X:\" of a path on drive X, upper case; empty for any other path.
std::string DriveRootOf(const std::string& path);
// The network place the shell waits on when asked about a file `path` that leads to
// `target`: the target's when it lies in one, else the file's own; empty for local files.
std::string ShellQuestionPlace(FileSystem& fs, const std::string& path, const std::string& target);

// Whether the shell may be asked for the icon of `path`, a file that leads to `target`
// (a shortcut's icon is its target's, which the shell reads too): `path` exists and
// `target` does not lie in a network place that did not answer. Both are asked through
// `fs`, where such a place costs one wait within its limit and is then passed over for a
// while; the shell would wait on it without a limit.
bool ShellMayAskAbout(FileSystem& fs, const std::string& path, const std::string& target);

class NetworkPlacesFileSystem : public FileSystem {
 public:
  // Without `drives`, only \\server\share paths count as network places.
  NetworkPlacesFileSystem(FileSystem& inner, std::chrono::milliseconds limit, std::chrono::seconds quiet,
                          Drives* drives = nullptr)
      : inner_(inner), drives_(drives), calls_(limit, {}), quiet_(quiet) {}

  uint32_t Attributes(const std::string& path) override;
  bool Unreachable(const std::string& path) override;
  std::string NetworkPlaceOf(const std::string& path) override { return PlaceOf(path, false); }
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
  std::optional<std::vector<DirEntry>> TryList(const std::string& folder, const std::string& pattern) override {
    return inner_.TryList(folder, pattern);
  }
  int64_t Length(const std::string& path) override { return inner_.Length(path); }

 private:
  using Clock = std::chrono::steady_clock;
  // The network place holding `path` ("\\SERVER\SHARE\" or a mapped "X:\"), empty for a
  // local path. A drive letter's type is asked once a while, within the time limit; a
  // drive that does not say counts as a place of its own. Without `ask`, a letter whose
  // type is not known counts as local.
  std::string PlaceOf(const std::string& path, bool ask);
  // Marks `place` as absent for the quiet time.
  void Silence(const std::string& place);

  struct LetterType {
    bool remote = false;
    Clock::time_point until{};  // asked again from then on
  };

  FileSystem& inner_;
  Drives* drives_;
  BoundedCalls calls_;
  std::chrono::seconds quiet_;
  std::mutex mutex_;  // the launcher asks from its worker threads too
  std::map<std::string, Clock::time_point> silentUntil_;
  std::array<LetterType, 26> letters_{};
};

}  // namespace vek
