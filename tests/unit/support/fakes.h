// In-memory stand-ins for the operating system, for the native tests of the core.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/paths.h"
#include "text/text.h"
#include "platform/file_system.h"
#include "platform/short_paths.h"
#include "platform/system_info.h"

namespace vek::test {

// Windows path semantics: keys compare without regard to ASCII letter case; folders are
// implied by the files in them or added explicitly.
class FakeFileSystem : public FileSystem {
 public:
  void AddFile(const std::string& path, Bytes data = {}, uint32_t attributes = attr::kArchive);
  void AddFile(const std::string& path, const std::string& text,
               uint32_t attributes = attr::kArchive);
  void AddFolder(const std::string& path, uint32_t attributes = attr::kDirectory);
  bool HasFile(const std::string& path) const;
  const Bytes& FileData(const std::string& path) const;
  // Writes to paths under this prefix fail (a full or read-only disk).
  void FailWritesUnder(const std::string& prefix) { failWritePrefix_ = prefix; }
  std::vector<std::string> Deleted() const { return deleted_; }
  size_t attributeQueries = 0;  // calls of Attributes, which stand for a disk's round trips

  uint32_t Attributes(const std::string& path) override;
  bool ReadAll(const std::string& path, Bytes& out) override;
  bool ReadRange(const std::string& path, uint64_t offset, size_t count, Bytes& out) override;
  bool WriteAll(const std::string& path, const Bytes& data) override;
  bool Delete(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Move(const std::string& from, const std::string& to) override;
  bool CreateFolder(const std::string& path) override;
  std::vector<DirEntry> List(const std::string& folder, const std::string& pattern) override;
  int64_t Length(const std::string& path) override;

 private:
  struct File {
    std::string path;  // as first written
    Bytes data;
    uint32_t attributes;
  };
  static std::string Key(const std::string& path);
  bool WriteFails(const std::string& path) const;

  std::map<std::string, File> files_;
  std::map<std::string, std::pair<std::string, uint32_t>> folders_;
  std::vector<std::string> deleted_;
  std::string failWritePrefix_;
};

// Short names as a volume keeps them: only for the paths it was told about; any other
// path is its own short form.
class TableShortPaths : public ShortPaths {
 public:
  std::string ShortPath(const std::string& path) override {
    ++asked;
    auto it = names.find(path);
    return it == names.end() ? path : it->second;
  }
  std::string LongPath(const std::string& path) override {
    for (const auto& [longForm, shortForm] : names)
      if (shortForm == path) return longForm;
    return path;
  }
  std::map<std::string, std::string> names;
  int asked = 0;
};

class FakeEnvironment : public Environment {
 public:
  void Set(const std::string& name, const std::string& value) { vars_[ToUpperAscii(name)] = value; }
  std::optional<std::string> Variable(const std::string& name) override;

 private:
  std::map<std::string, std::string> vars_;
};

class FakeShellFolders : public ShellFolders {
 public:
  FakeShellFolders();
  void Set(int csidl, const std::string& path) { folders_[csidl] = path; }
  const std::map<int, std::string>& all() const { return folders_; }
  std::string SpecialFolder(int csidl) override;
  std::string TempFolder() override { return temp_; }
  std::string TempFileName(const std::string& folder, const std::string& prefix) override;

 private:
  std::map<int, std::string> folders_;
  std::string temp_ = "C:\\users\\tester\\Temp\\";
  int next_ = 1;
};

// The program in a folder (C:\VEK unless named) of the tester's machine: a disk with the
// user's profile, SystemRoot in the environment, the shell's folders, the program's
// folders made, and the path tools over them.
template <class Disk = FakeFileSystem>
struct PathsMachine {
  explicit PathsMachine(const std::string& appDir = "C:\\VEK") {
    fs.AddFolder("C:\\users\\tester\\AppData\\Roaming");
    folders = InitPaths(appDir, shell, fs);
    env.Set("SystemRoot", "C:\\windows");
  }
  Disk fs;
  FakeEnvironment env;
  FakeShellFolders shell;
  Folders folders;
  PathTools paths{fs, env, folders};
};

// Matches a Windows wildcard pattern ("*.*", "*.png", "a?c") without regard to case.
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace vek::test
