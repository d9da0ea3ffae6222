// Facts about the running system that the portable core asks for.
#pragma once

#include <optional>
#include <string>

namespace vek {

class Environment {
 public:
  virtual ~Environment() = default;
  // The value of an environment variable, or nothing when it is not set.
  virtual std::optional<std::string> Variable(const std::string& name) = 0;
};

class ShellFolders {
 public:
  virtual ~ShellFolders() = default;
  // The path of a shell special folder (CSIDL number) as the shell gives it, possibly
  // empty and possibly without a trailing backslash.
  virtual std::string SpecialFolder(int csidl) = 0;
  // The Windows temporary folder as the system reports it.
  virtual std::string TempFolder() = 0;
  // A new unique temporary file name in `folder` with the prefix (the file is created by
  // the system, as GetTempFileName does); empty on failure.
  virtual std::string TempFileName(const std::string& folder, const std::string& prefix) = 0;
};

// CSIDL numbers of the special folders the program uses.
namespace csidl {
constexpr int kDesktop = 0;
constexpr int kPrograms = 2;
constexpr int kPersonal = 5;  // Documents
constexpr int kFavorites = 6;
constexpr int kMyMusic = 13;
constexpr int kMyVideo = 14;
constexpr int kCommonPrograms = 23;
constexpr int kCommonDesktop = 25;
constexpr int kAppData = 26;
constexpr int kWindows = 36;
constexpr int kSystem = 37;
constexpr int kProgramFiles = 38;
constexpr int kMyPictures = 39;
constexpr int kProfile = 40;
constexpr int kProgramFilesCommon = 43;
}  // namespace csidl

}  // namespace vek
