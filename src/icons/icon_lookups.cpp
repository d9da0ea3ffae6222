#include "icons/icon_lookups.h"

namespace vek {

std::optional<ShortcutIconSource> ProgramIconLookups::ResolveShortcut(const std::string& path) {
  ShortcutDetails details;
  shortcuts_.ResolveShortcutFile(path, details);
  if (details.Target.empty() && details.IconFile.empty()) return std::nullopt;
  return ShortcutIconSource{details.Target, details.IconFile, details.IconIndex};
}

std::optional<DefaultIcon> ProgramIconLookups::DefaultIconOf(const std::string& extension) {
  DefaultIcon icon = associations_.GetDefaultIcon(extension);
  if (!icon.found) return std::nullopt;
  return icon;
}

}  // namespace vek
