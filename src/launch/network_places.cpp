#include "launch/network_places.h"

#include "text/text.h"

namespace vek {

std::string NetworkShareOf(const std::string& path) {
  if (path.size() < 5 || path[0] != '\\' || path[1] != '\\' || path[2] == '?' || path[2] == '.') return {};
  const size_t server = path.find('\\', 2);
  if (server == std::string::npos || server == 2) return {};
  const size_t share = path.find('\\', server + 1);
  return ToUpperAscii(share == std::string::npos ? path + "\\" : path.substr(0, share + 1));
}

uint32_t NetworkPlacesFileSystem::Attributes(const std::string& path) {
  const std::string share = NetworkShareOf(path);
  if (share.empty()) return inner_.Attributes(path);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = silentUntil_.find(share);
    if (it != silentUntil_.end() && std::chrono::steady_clock::now() < it->second) return attr::kInvalid;
  }
  FileSystem& inner = inner_;
  const std::optional<uint32_t> answer = calls_.Run<uint32_t>([&inner, path] { return inner.Attributes(path); });
  if (answer) return *answer;
  std::lock_guard<std::mutex> lock(mutex_);
  silentUntil_[share] = std::chrono::steady_clock::now() + quiet_;
  return attr::kInvalid;
}

}  // namespace vek
