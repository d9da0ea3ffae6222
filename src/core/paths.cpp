#include "core/paths.h"

#include <array>
#include <utility>

#include "core/model.h"
#include "text/text.h"

namespace vek {

std::string GetSpecialFolder(ShellFolders& shell, int csidl) {
  std::string path = shell.SpecialFolder(csidl);
  const size_t nul = path.find('\0');
  if (nul != std::string::npos) path.resize(nul);
  return WithTrailingBackslash(path);
}

bool IsKnownFolder(const std::string& folder) { return TrimFixed(folder).size() > 1; }

std::string GetTempLocation(ShellFolders& shell, const std::string& prefix, bool folderOnly) {
  const std::string folder = shell.TempFolder();
  if (folderOnly) return WithTrailingBackslash(folder);
  std::string name = shell.TempFileName(folder, prefix.empty() ? "tmp" : prefix);
  const size_t nul = name.find('\0');
  if (nul != std::string::npos) name.resize(nul);
  return name;
}

namespace {
// The folders of the user's shell that may move while the program runs, with the shell's
// number of each.
std::array<std::pair<std::string*, int>, 9> UserShellFolders(Folders& f) {
  return {{{&f.DesktopDir, csidl::kDesktop},
           {&f.ProgramsDir, csidl::kPrograms},
           {&f.CommonDesktopDir, csidl::kCommonDesktop},
           {&f.CommonProgramsDir, csidl::kCommonPrograms},
           {&f.DocumentsDir, csidl::kPersonal},
           {&f.MusicDir, csidl::kMyMusic},
           {&f.VideoDir, csidl::kMyVideo},
           {&f.PicturesDir, csidl::kMyPictures},
           {&f.FavoritesDir, csidl::kFavorites}}};
}
}  // namespace

bool FollowShellFolders(Folders& folders, ShellFolders& shell) {
  bool moved = false;
  for (const auto& [field, csidl] : UserShellFolders(folders)) {
    const std::string now = GetSpecialFolder(shell, csidl);
    // A folder the shell does not name at the moment keeps the one it had.
    if (!IsKnownFolder(now) || now == *field) continue;
    *field = now;
    moved = true;
  }
  return moved;
}

Folders InitPaths(const std::string& appDir, ShellFolders& shell, FileSystem& fs) {
  Folders f;
  f.AppDir = WithTrailingBackslash(appDir);
  f.WindowsDir = GetSpecialFolder(shell, csidl::kWindows);
  f.SystemDir = GetSpecialFolder(shell, csidl::kSystem);
  f.ProgramFilesDir = GetSpecialFolder(shell, csidl::kProgramFiles);
  f.CommonFilesDir = GetSpecialFolder(shell, csidl::kProgramFilesCommon);
  const std::string appData = GetSpecialFolder(shell, csidl::kAppData);
  f.UserDir = appData + "Kestrovan\\";
  f.TempDir = GetTempLocation(shell, "", true);
  f.ProfileDir = GetSpecialFolder(shell, csidl::kProfile);
  for (const auto& [field, csidl] : UserShellFolders(f)) *field = GetSpecialFolder(shell, csidl);

  f.SysIconDir = f.AppDir + "SysIcons\\";
  f.IconDir = f.UserDir + "VekIcons\\";
  // Without the shell's application data folder the names above stand for the current
  // drive's root, where nothing of the user's belongs.
  if (IsKnownFolder(appData)) {
    if (fs.Attributes(f.UserDir) == attr::kInvalid) fs.CreateFolder(f.UserDir);
    if (fs.Attributes(f.IconDir) == attr::kInvalid) fs.CreateFolder(f.IconDir);
  }
  f.UserIconFile = f.IconDir + "User Icon.ico";
  f.TempIconFile = f.TempDir + "vektempicon.ico";
  f.SettingsFile = f.IconDir + "VEKCfg.cfg";
  f.MenuFile = f.IconDir + "VEKMenu.cfg";
  return f;
}

bool RemakeUserFolders(FileSystem& fs, const Folders& folders) {
  // Only inside an application data folder that is there: one on a share out of reach
  // is asked once (a file system that remembers silent places answers at once then).
  const std::string& user = folders.UserDir;
  if (user.size() < 2 || !fs.Exists(FolderPart(user.substr(0, user.size() - 1)))) return false;
  bool made = false;
  for (const std::string* folder : {&folders.UserDir, &folders.IconDir})
    if (!folder->empty() && !fs.Exists(*folder)) made |= fs.CreateFolder(*folder);
  return made;
}

std::string UnreachedUserFolderText(ShellFolders& shell, FileSystem& fs, const Folders& folders) {
  const bool named = IsKnownFolder(GetSpecialFolder(shell, csidl::kAppData));
  if (named && fs.Attributes(folders.IconDir) != attr::kInvalid) return {};
  return std::string(kUserFolderUnreachable) + (named ? ":\r\n\r\n" + folders.UserDir : std::string("."));
}

namespace {
// Holds for the longest picture name the program makes in the folder.
bool IsStorableFolder(AnsiCodec& codec, const std::string& folder) {
  std::string ansi;
  return !folder.empty() && codec.ToAnsi(folder + "4294967295.png", ansi) &&
         ansi.size() <= static_cast<size_t>(width::kIconFile);
}
}  // namespace

bool UseStorableIconFolder(Folders& folders, AnsiCodec& codec, ShortPaths& shortPaths,
                           UserPrompt& prompt) {
  if (IsStorableFolder(codec, folders.IconDir)) return true;
  const std::string shortForm = WithTrailingBackslash(shortPaths.ShortPath(folders.IconDir));
  if (shortForm.size() <= 1 || !IsStorableFolder(codec, shortForm)) {
    prompt.Warn(kIconFolderNotStorable + folders.IconDir);
    return false;
  }
  folders.IconDir = shortForm;
  folders.UserIconFile = shortForm + "User Icon.ico";
  folders.SettingsFile = shortForm + "VEKCfg.cfg";
  folders.MenuFile = shortForm + "VEKMenu.cfg";
  return true;
}

namespace {
bool IsValid(uint32_t attributes) { return attributes != attr::kInvalid && attributes != 0; }
}  // namespace

bool PathTools::FileExists(std::string& path, bool normalise) {
  path = TrimFixed(path);
  if (path.empty()) return false;
  if (normalise) path = NormalizePath(path, true);
  return IsValid(fs_.Attributes(path));
}

bool PathTools::FileOrNonPlainFolderExists(std::string& path) {
  path = TrimFixed(path);
  if (path.empty()) return false;
  const uint32_t a = fs_.Attributes(path);
  return IsValid(a) && a != attr::kDirectory;
}

int PathTools::ExpandFirstVariable(std::string& text) {
  const size_t p1 = text.find('%');
  if (p1 == std::string::npos) return 0;
  const size_t p2 = text.find('%', p1 + 1);
  if (p2 == std::string::npos) return 0;
  const std::string token = text.substr(p1, p2 - p1 + 1);
  const std::string name = token.substr(1, token.size() - 2);
  if (name.empty()) return 0;
  const std::optional<std::string> value = env_.Variable(name);
  if (!value) return 0;
  size_t occurrences = 0;
  for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + token.size()))
    ++occurrences;
  if (value->size() > token.size() &&
      text.size() + occurrences * (value->size() - token.size()) > kMaxExpandedLength)
    return 0;
  text = ReplaceAll(text, token, *value);
  return 1;
}

std::string PathTools::NormalizePath(const std::string& path, bool searchSystem) {
  std::string s = path;
  if (Contains(s, "\"")) s = ReplaceAll(s, "\"", "");
  if (Contains(s, "\\\\")) {
    // A network path keeps its two leading backslashes; doubled backslashes after the
    // start are slips of whoever wrote the path and collapse to one.
    const bool unc = StartsWith(s, "\\\\");
    const std::string rest = ReplaceAll(unc ? s.substr(2) : s, "\\\\", "\\");
    s = unc ? "\\\\" + (StartsWith(rest, "\\") ? rest.substr(1) : rest) : rest;
  }
  if (Contains(s, "%")) {
    bool allExpanded = false;
    for (int round = 0; round < kMaxExpansions && ExpandFirstVariable(s) == 1; ++round) {
      if (!Contains(s, "%")) {
        allExpanded = true;
        break;
      }
    }
    if (allExpanded) return TrimFixed(s);
  }
  const std::string l = ToLowerAscii(s);
  const std::string& windows = folders_.WindowsDir;
  // The system-folder prefixes of kernel and registry paths ("\systemroot\x.sys",
  // "\windows\x.exe") stand at the start of a path without a drive. Inside a full path
  // ("C:\windows\...") they are ordinary folder names and must stay, or a path that is
  // already right would get the Windows folder a second time.
  // Kernel and registry paths write these prefixes in any letter case.
  auto replacePrefix = [&s, &l, &windows](const char* pattern) {
    if (StartsWith(l, pattern)) s = windows + s.substr(std::string(pattern).size());
  };
  if (Contains(l, "\\systemroot\\")) {
    replacePrefix("\\systemroot\\");
  } else if (Contains(l, "\\??\\")) {
    s = ReplaceAll(s, "\\??\\", "");
  } else if (Contains(l, "\\windows\\")) {
    replacePrefix("\\windows\\");
  } else if (Contains(l, "\\winnt\\")) {
    replacePrefix("\\winnt\\");
  } else if (!l.empty() && l[0] == '@') {
    s = ReplaceAll(s, "@", "");
  } else if (searchSystem) {
    std::string candidate = folders_.SystemDir + "Drivers\\" + s;
    if (FileOrNonPlainFolderExists(candidate)) {
      s = candidate;
    } else if (candidate = folders_.SystemDir + s; FileOrNonPlainFolderExists(candidate)) {
      s = candidate;
    } else if (candidate = windows + s; FileOrNonPlainFolderExists(candidate)) {
      s = candidate;
    }
  }
  return TrimFixed(s);
}

int64_t PathTools::GetFileLength(const std::string& path) {
  if (path.empty()) return 0;
  const int64_t length = fs_.Length(path);
  return length < 0 ? 0 : length;
}

bool PathTools::ReadFileBytes(const std::string& path, int64_t position, size_t count,
                              Bytes& out) {
  out.clear();
  if (position < 1) return false;
  return fs_.ReadRange(path, static_cast<uint64_t>(position - 1), count, out);
}

}  // namespace vek
