// A small header-only in-memory file system with Windows path semantics (paths compare
// without regard to ASCII letter case), for the fuzzers, which cannot link the test
// support library. It records every path written so that callers can check where
// writes went.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "text/text.h"
#include "platform/file_system.h"

namespace vek::test {

class MemoryFileSystem : public FileSystem {
 public:
  void AddFolder(const std::string& path) { folders_.insert(Key(path)); }
  void AddFile(const std::string& path, Bytes data) {
    files_[Key(path)] = std::move(data);
    names_[Key(path)] = path;
  }
  const std::vector<std::string>& written() const { return written_; }
  bool Has(const std::string& path) const { return files_.count(Key(path)) != 0; }

  uint32_t Attributes(const std::string& path) override {
    if (files_.count(Key(path))) return attr::kArchive;
    if (folders_.count(Key(path))) return attr::kDirectory;
    return attr::kInvalid;
  }
  bool ReadAll(const std::string& path, Bytes& out) override {
    auto it = files_.find(Key(path));
    if (it == files_.end()) return false;
    out = it->second;
    return true;
  }
  bool ReadRange(const std::string& path, uint64_t offset, size_t count, Bytes& out) override {
    auto it = files_.find(Key(path));
    if (it == files_.end() || offset > it->second.size() || count > it->second.size() - offset)
      return false;
    out.assign(it->second.begin() + static_cast<long>(offset),
               it->second.begin() + static_cast<long>(offset + count));
    return true;
  }
  bool WriteAll(const std::string& path, const Bytes& data) override {
    if (!folders_.count(Key(FolderPart(path)))) return false;
    written_.push_back(path);
    AddFile(path, data);
    return true;
  }
  bool Delete(const std::string& path) override {
    names_.erase(Key(path));
    return files_.erase(Key(path)) != 0;
  }
  bool Copy(const std::string& from, const std::string& to) override {
    auto it = files_.find(Key(from));
    if (it == files_.end()) return false;
    const Bytes data = it->second;
    return WriteAll(to, data);
  }
  bool Move(const std::string& from, const std::string& to) override {
    if (!Copy(from, to)) return false;
    Delete(from);
    return true;
  }
  bool CreateFolder(const std::string& path) override {
    AddFolder(path);
    return true;
  }
  // Only the patterns the program uses: "*" , "*.*" and "*.ext".
  std::vector<DirEntry> List(const std::string& folder, const std::string& pattern) override {
    std::vector<DirEntry> out;
    const std::string prefix = Key(folder);
    const std::string ext = StartsWith(pattern, "*.") && pattern != "*.*" ? ToUpperAscii(pattern.substr(1)) : "";
    for (const auto& [key, name] : names_) {
      if (!StartsWith(key, prefix) || Contains(key.substr(prefix.size()), "\\")) continue;
      if (!ext.empty() && !EndsWith(key, ext)) continue;
      out.push_back({NamePart(name), attr::kArchive});
    }
    return out;
  }
  int64_t Length(const std::string& path) override {
    auto it = files_.find(Key(path));
    return it == files_.end() ? -1 : static_cast<int64_t>(it->second.size());
  }

 private:
  // Folders are kept with their trailing backslash.
  static std::string Key(const std::string& path) { return ToUpperAscii(path); }

  std::map<std::string, Bytes> files_;
  std::map<std::string, std::string> names_;
  std::set<std::string> folders_;
  std::vector<std::string> written_;
};

}  // namespace vek::test
