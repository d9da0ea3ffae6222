#include "dialogs/win/folder_reader.h"

#include <thread>

#include "platform/log.h"
#include "platform/win/file_system_win.h"
#include "platform/win/text_win.h"

namespace vek::win {

namespace {
// The order Explorer lists names in: accented letters beside their plain ones, without
// regard to case, the numbers in names by their value (from Windows 7 on).
bool ListedBefore(const std::string& a, const std::string& b) {
  const std::wstring first = Wide(a), second = Wide(b);
  int order = CompareStringEx(LOCALE_NAME_USER_DEFAULT, LINGUISTIC_IGNORECASE | SORT_DIGITSASNUMBERS, first.c_str(),
                              -1, second.c_str(), -1, nullptr, nullptr, 0);
  if (order == 0)
    order = CompareStringEx(LOCALE_NAME_USER_DEFAULT, LINGUISTIC_IGNORECASE, first.c_str(), -1, second.c_str(), -1,
                            nullptr, nullptr, 0);
  return order == CSTR_LESS_THAN;
}
}  // namespace

void FolderReader::Attach(HWND window, UINT message) {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->window = window;
  shared_->message = message;
  shared_->answers.clear();
}

void FolderReader::Detach() {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->window = nullptr;
  shared_->answers.clear();
}

uint64_t FolderReader::Read(const std::string& folder, const std::string& pattern) {
  const uint64_t id = ++next_;
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->running >= kMostRunning) {
      WriteLog("folder not read, " + std::to_string(kMostRunning) + " readings still running: " + folder);
      return 0;
    }
    ++shared_->running;
  }
  try {
    // The thread keeps only what it holds by value: a file system of its own and the
    // shared answer box, which outlives the window if it must.
    std::thread([shared = shared_, id, folder, pattern] {
      FolderListing listing;
      try {
        Win32FileSystem fs;
        listing = ListFolder(fs, folder, pattern, ListedBefore);
      } catch (...) {
        LogCaughtFailure("reading the folder " + folder);
        listing = FolderListing{};
      }
      std::lock_guard<std::mutex> lock(shared->mutex);
      --shared->running;
      if (!shared->window) return;
      shared->answers[id] = std::move(listing);
      PostMessageW(shared->window, shared->message, static_cast<WPARAM>(id), 0);
    }).detach();
  } catch (...) {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    --shared_->running;
    WriteLog("folder not read, no thread could be started: " + folder);
    return 0;
  }
  return id;
}

std::optional<FolderListing> FolderReader::Take(uint64_t id) {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  auto it = shared_->answers.find(id);
  if (it == shared_->answers.end()) return std::nullopt;
  FolderListing listing = std::move(it->second);
  shared_->answers.erase(it);
  return listing;
}

}  // namespace vek::win
