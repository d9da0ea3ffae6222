#include "dock/placeholder_ring.h"

namespace vek {

namespace {
void FillTemplate(ShortcutItem& item, int index, const char* title, const std::string& picture) {
  if (item.Kind != kind::kFree) return;
  item.Kind = kind::kBuiltIn;
  item.Title = title;
  item.IconFile = picture;
  item.ImageIndex = index;
}
}  // namespace

void FillFreeRingPositions(Model& model, const Folders& folders) {
  if (model.Items.size() < static_cast<size_t>(pool::kSize)) return;
  for (int g = 0; g < static_cast<int>(model.Groups.size()) && g <= pool::kRingLast; ++g) {
    ShortcutGroup& group = model.Groups[g];
    if (!group.Members.empty() && group.Members[0] == 0) group.Members[0] = g;
  }
  ShortcutItem& centre = model.Items[pool::kCentre];
  if (centre.Kind == kind::kFree) {
    centre.Kind = kind::kCentre;
    centre.ImageIndex = pool::kCentre;
  }
  for (int i = pool::kRingFirst; i <= pool::kRingLast; ++i) {
    ShortcutItem& item = model.Items[i];
    if (item.Kind != kind::kFree) continue;
    item.Kind = kind::kEmptyPosition;
    item.Title = "Blank Shortcut";
    item.IconFile = folders.SysIconDir + "Shortcut.png";
    item.ImageIndex = i;
  }
  FillTemplate(model.Items[pool::kFileImage], pool::kFileImage, "File",
               folders.SysIconDir + "File.png");
  FillTemplate(model.Items[pool::kBlankImage], pool::kBlankImage, "Blank Shortcut",
               folders.SysIconDir + "Shortcut.png");
  FillTemplate(model.Items[pool::kApplicationImage], pool::kApplicationImage, "Application",
               folders.SysIconDir + "Application.png");
  FillTemplate(model.Items[pool::kGroupImage], pool::kGroupImage, "Group",
               folders.SysIconDir + "Group.png");
}

}  // namespace vek
