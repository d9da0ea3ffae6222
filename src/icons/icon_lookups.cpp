#include "icons/icon_lookups.h"

#include "core/text.h"

namespace vek {

std::string NoIconLookups::DisplayNameFromPath(const std::string& path) {
  return NamePart(TrimFixed(path));
}

}  // namespace vek
