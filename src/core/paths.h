// Folder variables computed at start-up and the small path operations every part of the
// program uses to trim, normalise and test the paths it meets (record fields, shortcut
// targets, registry values with variables or kernel prefixes, resource references).
#pragma once

#include <cstdint>
#include <string>

#include "platform/ansi_codec.h"
#include "platform/file_system.h"
#include "platform/prompt.h"
#include "platform/short_paths.h"
#include "platform/system_info.h"

namespace vek {

// Every folder ends with a backslash.
struct Folders {
  std::string AppDir;
  std::string WindowsDir;
  std::string SystemDir;
  std::string ProgramFilesDir;
  std::string CommonFilesDir;
  std::string UserDir;  // the user's application data + "Kestrovan\"
  std::string TempDir;
  std::string ProfileDir;
  std::string DesktopDir;
  std::string ProgramsDir;
  std::string CommonDesktopDir;
  std::string CommonProgramsDir;
  std::string DocumentsDir;
  std::string MusicDir;
  std::string VideoDir;
  std::string PicturesDir;
  std::string FavoritesDir;

  std::string SysIconDir;    // AppDir + "SysIcons\" (read only)
  std::string IconDir;       // UserDir + "VekIcons\"
  std::string UserIconFile;  // IconDir + "User Icon.ico"
  std::string TempIconFile;  // TempDir + "vektempicon.ico"
  std::string SettingsFile;  // IconDir + "VEKCfg.cfg"
  std::string MenuFile;      // IconDir + "VEKMenu.cfg"
};

// The shell's path of a special folder with a backslash appended unless it ends with
// one (an empty answer of the shell gives "\").
std::string GetSpecialFolder(ShellFolders& shell, int csidl);
// False for a folder variable the shell did not give: the lone backslash stands for the
// current drive's root, not for the folder asked for.
bool IsKnownFolder(const std::string& folder);

// The temporary folder (folderOnly) or a new temporary file name in it with the prefix
// ("tmp" when empty); empty when the system cannot make one.
std::string GetTempLocation(ShellFolders& shell, const std::string& prefix, bool folderOnly);

// Computes every folder variable in order and creates the per-user folder and the icon
// folder when they are missing (not when the shell names no application data folder).
Folders InitPaths(const std::string& appDir, ShellFolders& shell, FileSystem& fs);

// The user's shell folders (desktop, programs, documents, music, videos, pictures,
// favourites) read again: one may have moved since start, as a cloud backup moves the
// desktop. True when one of them changed.
bool FollowShellFolders(Folders& folders, ShellFolders& shell);

// Makes the per-user folder and the icon folder again where they are missing (cleaned
// away while the program runs) inside an application data folder that is there; true
// when one of them was made.
bool RemakeUserFolders(FileSystem& fs, const Folders& folders);

// Shown once at start when the user's folder cannot be reached; the folder follows when
// the shell names it.
constexpr char kUserFolderUnreachable[] =
    "The folder that keeps your shortcuts and settings cannot be reached, so VEK Desktop "
    "starts with its default shortcuts. Nothing is saved there until the program starts "
    "again with the folder in reach, so that your own files are kept";

// Empty when the icon folder InitPaths made or found is there. Otherwise the warning to
// show: the shell names no application data folder, or the folder lives on a share that
// cannot be reached. The user's files there were not read, and must not be written over.
std::string UnreachedUserFolderText(ShellFolders& shell, FileSystem& fs, const Folders& folders);

// Shown once at start when no form of the icon folder's name can be stored; the folder
// follows.
constexpr char kIconFolderNotStorable[] =
    "The name of the folder that keeps your icon pictures cannot be written in this "
    "system's code page, and the system gives no short name for it, so your icons' "
    "pictures cannot be found again after the program restarts:\r\n\r\n";

// Shown once at start when the program's own pictures folder is not beside it; the
// folder follows.
constexpr char kPicturesFolderMissing[] =
    "The folder of the program's own pictures is missing, so its built-in icons show as "
    "blank plates. Put the \"SysIcons\" folder that came with VEK Desktop back beside the "
    "program:\r\n\r\n";

// The records keep picture paths in the ANSI code page. When the code page cannot hold
// the icon folder's path, its short (8.3) form takes the place of IconDir and of the
// files named after it, so that the pictures are found again at the next start. When no
// storable form exists the folders stay as they are, the user is told and the result is
// false.
bool UseStorableIconFolder(Folders& folders, AnsiCodec& codec, ShortPaths& shortPaths,
                           UserPrompt& prompt);

// The path operations that need the file system, the environment and the folders.
class PathTools {
 public:
  static constexpr int kMaxExpansions = 32;
  static constexpr size_t kMaxExpandedLength = 32767;  // the most a variable can hold

  PathTools(FileSystem& fs, Environment& env, const Folders& folders)
      : fs_(fs), env_(env), folders_(folders) {}

  // path := TrimFixed(path) (written back); empty → false; with normalise, path :=
  // NormalizePath(path, true) (written back). True when a file or folder is there.
  bool FileExists(std::string& path, bool normalise);
  // path := TrimFixed(path); true when something is there whose attributes are not
  // exactly "directory" alone.
  bool FileOrNonPlainFolderExists(std::string& path);
  // Removes quotes, collapses doubled backslashes (a leading "\\" of a network path is
  // kept), expands environment variables, resolves "\SystemRoot\", "\??\", "\windows\",
  // "\winnt\" and "@" prefixes and, with searchSystem, bare names of system files.
  std::string NormalizePath(const std::string& path, bool searchSystem);
  // Replaces the first %NAME% token (every occurrence of it) by the variable's value;
  // 1 when a variable was replaced, else 0 (also when the text would outgrow
  // kMaxExpandedLength). NormalizePath expands at most kMaxExpansions times, so that
  // variables naming themselves or each other end.
  int ExpandFirstVariable(std::string& text);
  // 0 for an empty path or a missing file, else the length in bytes.
  int64_t GetFileLength(const std::string& path);
  // `count` bytes at the 1-based byte `position` of the file into `out`; false when
  // the file is shorter or cannot be read.
  bool ReadFileBytes(const std::string& path, int64_t position, size_t count, Bytes& out);

  const Folders& folders() const { return folders_; }
  FileSystem& fs() { return fs_; }

 private:
  FileSystem& fs_;
  Environment& env_;
  const Folders& folders_;
};

}  // namespace vek
