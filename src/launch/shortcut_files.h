// Shell shortcut files (.lnk) and Internet shortcuts (.url): reading their fields,
// following a shortcut to a shortcut, and display names derived from paths.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/paths.h"

namespace vek {

// The fields of one shortcut file as a reader found them.
struct LinkFields {
  std::string target;
  std::string arguments;
  std::string workingFolder;
  std::string iconFile;
  int32_t iconIndex = 0;
  int32_t showCommand = 0;
  std::string description;
};

// Reads shortcut files through one of the shell's routes. Empty when the route's object
// cannot be created or cannot read the file.
class ShortcutReader {
 public:
  enum class Route {
    kShellAutomation,  // the shell's automation object (Shell.Application)
    kScripting,        // "WScript.Shell", which also reads Internet shortcuts
    kShellLink,        // IShellLink, used when neither automation object exists
  };
  virtual ~ShortcutReader() = default;
  virtual std::optional<LinkFields> Read(const std::string& linkPath, Route route) = 0;
  // The installed file an installer-advertised shortcut points to, or empty when the file
  // is not such a shortcut or its component is not installed locally.
  virtual std::string InstallerTarget(const std::string& linkPath) = 0;
};

// The scratch result of the last resolution, read by item creation and icon extraction.
struct ShortcutDetails {
  std::string LinkPath;
  bool Read = false;  // the shell could read the shortcut file
  std::string Target;
  std::string Arguments;
  std::string IconFile;
  int32_t IconIndex = 0;
  std::string WorkingFolder;
  int32_t ShowCommand = 0;

  void Clear() { *this = ShortcutDetails{}; }
};

// Whether a shortcut's target is a shell object rather than a file: none at all (the link
// keeps only an item list, as one to This PC does), or a parsing name such as
// "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}". Only the shell can open such a shortcut.
bool NamesShellObject(const std::string& target);

struct ReadResult {
  bool read = false;   // one of the shell's routes could read the file
  bool found = false;  // the target or the icon file exists
  LinkFields fields;   // target and icon file normalised when they were tested
};

class ShortcutFiles {
 public:
  ShortcutFiles(PathTools& paths, ShortcutReader& reader) : paths_(paths), reader_(reader) {}

  // Reads one shortcut file; `found` is true when its target or icon file exists (both
  // tested with normalisation, so they come back normalised).
  ReadResult ReadShortcutFile(const std::string& linkPath);
  // Resolves `path` into `details`: an advertised shortcut to its installed file, else the
  // shortcut's fields; a target that is itself a shortcut is read once more. Details are
  // cleared first, so nothing of an earlier path survives.
  void ResolveShortcutFile(const std::string& path, ShortcutDetails& details);

 private:
  PathTools& paths_;
  ShortcutReader& reader_;
};

// The text after the last backslash, without spaces around it; without keep, a ".LNK" or
// ".EXE" ending (any case) is dropped first.
std::string DisplayNameFromPath(const std::string& path, bool keep = false);
// The trimmed path up to and including its last backslash; empty when there is none.
std::string FolderOfPath(const std::string& path);

}  // namespace vek
