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

std::string DriveRootOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':' || (path.size() > 2 && path[2] != '\\')) return {};
  const char letter = ToUpperAscii(path.substr(0, 1))[0];
  if (letter < 'A' || letter > 'Z') return {};
  return std::string(1, letter) + ":\\";
}

std::string ShellQuestionPlace(FileSystem& fs, const std::string& path, const std::string& target) {
  std::string place = fs.NetworkPlaceOf(target);
  return place.empty() ? fs.NetworkPlaceOf(path) : place;
}

bool ShellMayAskAbout(FileSystem& fs, const std::string& path, const std::string& target) {
  if (path.empty() || fs.Attributes(path) == attr::kInvalid) return false;
  if (target.empty() || ToUpperAscii(target) == ToUpperAscii(path)) return true;
  // A target that is merely missing (or no file at all, such as an address) leaves the
  // shell its own picture for the shortcut.
  return fs.Attributes(target) != attr::kInvalid || !fs.Unreachable(target);
}

std::string NetworkPlacesFileSystem::PlaceOf(const std::string& path, bool ask) {
  std::string share = NetworkShareOf(path);
  if (!share.empty() || !drives_) return share;
  const std::string root = DriveRootOf(path);
  if (root.empty()) return {};
  LetterType& known = letters_[static_cast<size_t>(root[0] - 'A')];
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ask || Clock::now() < known.until) return known.remote ? root : std::string();
  }
  // Asking a mapped drive's type may itself wait on its server.
  Drives& drives = *drives_;
  const std::optional<uint32_t> type = calls_.Run<uint32_t>([&drives, root] { return drives.DriveType(root); });
  std::lock_guard<std::mutex> lock(mutex_);
  known.remote = !type || *type == drive_type::kRemote;
  known.until = Clock::now() + quiet_;
  if (!type) silentUntil_[root] = Clock::now() + quiet_;
  return known.remote ? root : std::string();
}

void NetworkPlacesFileSystem::Silence(const std::string& place) {
  std::lock_guard<std::mutex> lock(mutex_);
  silentUntil_[place] = Clock::now() + quiet_;
}

bool NetworkPlacesFileSystem::Unreachable(const std::string& path) {
  const std::string place = PlaceOf(path, false);
  if (place.empty()) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = silentUntil_.find(place);
  return it != silentUntil_.end() && Clock::now() < it->second;
}

uint32_t NetworkPlacesFileSystem::Attributes(const std::string& path) {
  const std::string place = PlaceOf(path, true);
  if (place.empty()) return inner_.Attributes(path);
  if (Unreachable(path)) return attr::kInvalid;
  FileSystem& inner = inner_;
  const std::optional<uint32_t> answer = calls_.Run<uint32_t>([&inner, path] { return inner.Attributes(path); });
  if (answer) return *answer;
  Silence(place);
  return attr::kInvalid;
}

}  // namespace vek
