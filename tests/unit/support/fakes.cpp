#include "support/fakes.h"

#include <algorithm>
#include <stdexcept>

namespace vek::test {

// As Windows resolves a path before it opens it: either slash separates, "." segments
// go and ".." takes the segment before it away (never the drive).
std::string FakeFileSystem::Key(const std::string& path) {
  std::string upper = ToUpperAscii(path);
  for (char& c : upper)
    if (c == '/') c = '\\';
  if (upper.find("\\.") != std::string::npos) {
    std::vector<std::string> kept;
    size_t start = 0;
    while (start <= upper.size()) {
      const size_t end = std::min(upper.find('\\', start), upper.size());
      const std::string segment = upper.substr(start, end - start);
      if (segment == "..") {
        if (kept.size() > 1) kept.pop_back();
      } else if (segment != "." && !(segment.empty() && !kept.empty() && end == upper.size())) {
        kept.push_back(segment);
      }
      start = end + 1;
    }
    upper.clear();
    for (size_t i = 0; i < kept.size(); ++i) upper += (i ? "\\" : "") + kept[i];
  }
  std::string key = upper;
  while (key.size() > 3 && key.back() == '\\') key.pop_back();
  return key;
}

bool FakeFileSystem::WriteFails(const std::string& path) const {
  return !failWritePrefix_.empty() && StartsWith(Key(path), Key(failWritePrefix_));
}

void FakeFileSystem::AddFile(const std::string& path, Bytes data, uint32_t attributes) {
  files_[Key(path)] = File{path, std::move(data), attributes};
  // Parent folders exist implicitly.
  std::string folder = FolderPart(path);
  while (folder.size() > 3) {
    folders_.emplace(Key(folder), std::make_pair(folder, attr::kDirectory));
    folder = FolderPart(folder.substr(0, folder.size() - 1));
  }
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& text,
                             uint32_t attributes) {
  AddFile(path, Bytes(text.begin(), text.end()), attributes);
}

void FakeFileSystem::AddFolder(const std::string& path, uint32_t attributes) {
  folders_[Key(path)] = {path, attributes};
}

bool FakeFileSystem::HasFile(const std::string& path) const {
  return files_.count(Key(path)) != 0;
}

const Bytes& FakeFileSystem::FileData(const std::string& path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) throw std::runtime_error("no file " + path);
  return it->second.data;
}

uint32_t FakeFileSystem::Attributes(const std::string& path) {
  ++attributeQueries;
  if (path.empty()) return attr::kInvalid;
  const std::string key = Key(path);
  if (auto it = files_.find(key); it != files_.end()) return it->second.attributes;
  if (auto it = folders_.find(key); it != folders_.end()) return it->second.second;
  if (key.size() == 2 && key[1] == ':') return attr::kInvalid;
  if (key.size() == 3 && key[1] == ':' && key[2] == '\\') return attr::kDirectory;
  return attr::kInvalid;
}

bool FakeFileSystem::ReadAll(const std::string& path, Bytes& out) {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return false;
  out = it->second.data;
  return true;
}

bool FakeFileSystem::ReadRange(const std::string& path, uint64_t offset, size_t count,
                               Bytes& out) {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return false;
  const Bytes& data = it->second.data;
  if (offset > data.size() || count > data.size() - offset) return false;
  out.assign(data.begin() + static_cast<long>(offset),
             data.begin() + static_cast<long>(offset + count));
  return true;
}

bool FakeFileSystem::WriteAll(const std::string& path, const Bytes& data) {
  if (WriteFails(path)) return false;
  if (Attributes(FolderPart(path)) == attr::kInvalid) return false;
  auto it = files_.find(Key(path));
  if (it != files_.end()) {
    it->second.data = data;
  } else {
    files_[Key(path)] = File{path, data, attr::kArchive};
  }
  return true;
}

bool FakeFileSystem::Delete(const std::string& path) {
  if (WriteFails(path)) return false;
  const bool existed = files_.erase(Key(path)) != 0;
  if (existed) deleted_.push_back(path);
  return existed;
}

bool FakeFileSystem::Copy(const std::string& from, const std::string& to) {
  auto it = files_.find(Key(from));
  if (it == files_.end()) return false;
  Bytes data = it->second.data;
  return WriteAll(to, data);
}

bool FakeFileSystem::Move(const std::string& from, const std::string& to) {
  if (!Copy(from, to)) return false;
  files_.erase(Key(from));
  return true;
}

bool FakeFileSystem::CreateFolder(const std::string& path) {
  if (WriteFails(path)) return false;
  const std::string parent = FolderPart(path.substr(0, path.size() - (EndsWith(path, "\\") ? 1 : 0)));
  if (!parent.empty() && Attributes(parent) == attr::kInvalid) return false;
  folders_.emplace(Key(path), std::make_pair(path, attr::kDirectory));
  return true;
}

std::vector<DirEntry> FakeFileSystem::List(const std::string& folder, const std::string& pattern) {
  std::vector<DirEntry> out;
  // Keys carry no trailing backslash, so the children of a folder start with its key
  // and one backslash.
  const std::string prefix = WithTrailingBackslash(Key(folder));
  if (Attributes(folder) == attr::kInvalid) return out;
  out.push_back({".", attr::kDirectory});
  out.push_back({"..", attr::kDirectory});
  auto consider = [&](const std::string& key, const std::string& original, uint32_t a) {
    if (!StartsWith(key, prefix) || key.size() == prefix.size()) return;
    const std::string rest = key.substr(prefix.size());
    if (Contains(rest, "\\")) return;
    std::string trimmed = original;
    while (trimmed.size() > 3 && trimmed.back() == '\\') trimmed.pop_back();
    const std::string name = NamePart(trimmed);
    if (WildcardMatch(pattern, name)) out.push_back({name, a});
  };
  for (const auto& [key, f] : folders_) consider(key, f.first, f.second);
  for (const auto& [key, f] : files_) consider(key, f.path, f.attributes);
  return out;
}

int64_t FakeFileSystem::Length(const std::string& path) {
  auto it = files_.find(Key(path));
  return it == files_.end() ? -1 : static_cast<int64_t>(it->second.data.size());
}

std::optional<std::string> FakeEnvironment::Variable(const std::string& name) {
  auto it = vars_.find(ToUpperAscii(name));
  if (it == vars_.end()) return std::nullopt;
  return it->second;
}

FakeShellFolders::FakeShellFolders() {
  folders_ = {
      {csidl::kDesktop, "C:\\users\\tester\\Desktop"},
      {csidl::kPrograms, "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
      {csidl::kPersonal, "C:\\users\\tester\\Documents"},
      {csidl::kFavorites, "C:\\users\\tester\\Favorites"},
      {csidl::kMyMusic, "C:\\users\\tester\\Music"},
      {csidl::kMyVideo, "C:\\users\\tester\\Videos"},
      {csidl::kCommonPrograms, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
      {csidl::kCommonDesktop, "C:\\users\\Public\\Desktop"},
      {csidl::kAppData, "C:\\users\\tester\\AppData\\Roaming"},
      {csidl::kWindows, "C:\\windows"},
      {csidl::kSystem, "C:\\windows\\system32"},
      {csidl::kProgramFiles, "C:\\Program Files"},
      {csidl::kMyPictures, "C:\\users\\tester\\Pictures"},
      {csidl::kProfile, "C:\\users\\tester"},
      {csidl::kProgramFilesCommon, "C:\\Program Files\\Common Files"},
  };
}

std::string FakeShellFolders::SpecialFolder(int csidl) {
  auto it = folders_.find(csidl);
  return it == folders_.end() ? std::string() : it->second;
}

std::string FakeShellFolders::TempFileName(const std::string& folder, const std::string& prefix) {
  return WithTrailingBackslash(folder) + prefix.substr(0, 3) + std::to_string(next_++) + ".tmp";
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  const std::string p = ToUpperAscii(pattern);
  const std::string n = ToUpperAscii(name);
  if (p == "*.*" || p == "*") return true;
  // Classic backtracking match of '*' and '?'.
  size_t pi = 0, ni = 0, star = std::string::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = ni;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

}  // namespace vek::test
