#include "core/model.h"

#include <algorithm>

namespace vek {

bool operator==(const ShortcutItem& a, const ShortcutItem& b) {
  return a.Kind == b.Kind && a.PathKind == b.PathKind && a.IsSystem == b.IsSystem &&
         a.CommandId == b.CommandId && a.Reserved == b.Reserved &&
         a.ImageIndex == b.ImageIndex && a.Link == b.Link && a.Title == b.Title &&
         a.CustomIconFile == b.CustomIconFile && a.IconFile == b.IconFile &&
         a.Target == b.Target && a.Arguments == b.Arguments && a.RunMode == b.RunMode;
}

int Model::Capacity(int group) {
  return group == pool::kAllProgramsSlot ? pool::kAllProgramsCapacity : pool::kGroupCapacity;
}

void Model::Size() {
  Items.assign(pool::kSize, ShortcutItem{});
  Groups.assign(pool::kGroupCount, ShortcutGroup{});
  for (int g = 0; g < pool::kGroupCount; ++g) Groups[g].Members.assign(Capacity(g) + 1, 0);
}

int Model::FindFreeSlot(bool ringMode) const {
  if (!ringMode) {
    for (int i = pool::kMemberFirst; i < static_cast<int>(Items.size()); ++i)
      if (Items[i].Kind == ItemKind::kFree) return i;
    return 0;
  }
  const int last = Settings.IconQuantity < pool::kRingLast ? Settings.IconQuantity : pool::kRingLast;
  for (int i = pool::kFirstMovableSlot; i <= last; ++i) {
    const ItemKind k = Items[i].Kind;
    if (k == ItemKind::kFree || k == ItemKind::kEmptyPosition) return i;
  }
  if (Groups[pool::kAllProgramsSlot].Count > pool::kAllProgramsCapacity - 1) return 0;
  return pool::kAllProgramsSlot;
}

bool Model::AddMember(int group, int index) {
  if (group < 0 || group >= static_cast<int>(Groups.size())) return false;
  if (index < 0 || index >= static_cast<int>(Items.size())) return false;
  ShortcutGroup& g = Groups[group];
  if (g.Count < 0 || g.Count >= Capacity(group) ||
      g.Count + 1 >= static_cast<int>(g.Members.size()))
    return false;
  ++g.Count;
  g.Members[g.Count] = index;
  return true;
}

std::vector<int> RingItems(const Model& model) {
  std::vector<int> items;
  const int last = static_cast<int>(model.Items.size()) - 1;
  auto add = [&](int index) {
    if (index <= pool::kCentre || index > last) return;
    items.push_back(index);
    // The picture drawn is the one of the item's image index (a template for the
    // Recycle Bin's two states).
    const int image = model.Items[index].ImageIndex;
    if (image > pool::kCentre && image <= last) items.push_back(image);
  };
  for (int position = pool::kRingFirst; position <= pool::kRingLast; ++position) {
    add(position);
    if (position < static_cast<int>(model.Groups.size()) && !model.Groups[position].Members.empty())
      add(model.Groups[position].Members[0]);
  }
  // The templates: a ring item can turn into one of them at any time.
  for (int t = pool::kTemplateFirst; t <= pool::kTemplateLast; ++t) add(t);
  std::sort(items.begin(), items.end());
  items.erase(std::unique(items.begin(), items.end()), items.end());
  return items;
}

}  // namespace vek
