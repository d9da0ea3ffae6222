// What making an item's picture needs from other parts of the program: what a shortcut
// file points at and where its picture is, a file type's default icon, and a display name
// for a path. ProgramIconLookups answers from the shortcut reader and the file-type
// registry; NoIconLookups answers "nothing found", so shortcuts and documents fall back to
// the fixed pictures (tests, and any caller without those services).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "icons/associations.h"
#include "launch/shortcut_files.h"

namespace vek {

// The fields of a resolved shortcut that icon extraction reads.
struct ShortcutIconSource {
  std::string Target;
  std::string IconFile;
  int32_t IconIndex = 0;
};

class IconLookups {
 public:
  virtual ~IconLookups() = default;
  // A shell shortcut (.lnk) or Internet shortcut (.url), resolved; nothing when the file
  // cannot be read.
  virtual std::optional<ShortcutIconSource> ResolveShortcut(const std::string& path) = 0;
  // The default icon of a file type (its extension with the dot, as ".TXT"); nothing
  // when the type has none.
  virtual std::optional<DefaultIcon> DefaultIconOf(const std::string& extension) = 0;
  // The caption a path gets when nothing better is known.
  virtual std::string DisplayNameFromPath(const std::string& path) = 0;
};

class NoIconLookups : public IconLookups {
 public:
  std::optional<ShortcutIconSource> ResolveShortcut(const std::string&) override { return std::nullopt; }
  std::optional<DefaultIcon> DefaultIconOf(const std::string&) override { return std::nullopt; }
  std::string DisplayNameFromPath(const std::string& path) override { return vek::DisplayNameFromPath(path); }
};

class ProgramIconLookups : public IconLookups {
 public:
  ProgramIconLookups(ShortcutFiles& shortcuts, Associations& associations)
      : shortcuts_(shortcuts), associations_(associations) {}
  std::optional<ShortcutIconSource> ResolveShortcut(const std::string& path) override;
  std::optional<DefaultIcon> DefaultIconOf(const std::string& extension) override;
  std::string DisplayNameFromPath(const std::string& path) override { return vek::DisplayNameFromPath(path); }

 private:
  ShortcutFiles& shortcuts_;
  Associations& associations_;
};

}  // namespace vek
