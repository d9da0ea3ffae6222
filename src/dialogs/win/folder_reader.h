// Reads folders for the wizard on worker threads, so that a drive or network place that
// does not answer never holds the window: each answer is posted back to the window as a
// message and taken from here. At most a few readings run at once; one that never ends
// only keeps its own thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "dialogs/wizard.h"

namespace vek::win {

class FolderReader {
 public:
  static constexpr int kMostRunning = 8;

  FolderReader() : shared_(std::make_shared<Shared>()) {}
  ~FolderReader() { Detach(); }
  FolderReader(const FolderReader&) = delete;
  FolderReader& operator=(const FolderReader&) = delete;

  // Answers go to `window` as `message` with the reading's number in wParam.
  void Attach(HWND window, UINT message);
  // The window is going: answers still to come are dropped.
  void Detach();
  // Starts reading `folder` (sub-folders, and the files matching `pattern`); the
  // reading's number, or 0 when too many readings are still running.
  uint64_t Read(const std::string& folder, const std::string& pattern);
  // The answer of reading `id` once its message has come.
  std::optional<FolderListing> Take(uint64_t id);

 private:
  struct Shared {
    std::mutex mutex;
    HWND window = nullptr;
    UINT message = 0;
    int running = 0;
    std::map<uint64_t, FolderListing> answers;
  };
  std::shared_ptr<Shared> shared_;
  uint64_t next_ = 0;
};

}  // namespace vek::win
