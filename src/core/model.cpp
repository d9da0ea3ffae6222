#include "core/model.h"

#include <algorithm>

namespace vek {

bool operator==(const ShortcutItem& a, const ShortcutItem& b) {
  return a.Kind == b.Kind && a.PathKind == b.PathKind && a.IsSystem == b.IsSystem &&
         a.CommandId == b.CommandId && a.ImageIndex == b.ImageIndex && a.Link == b.Link &&
         a.Title == b.Title && a.CustomIconFile == b.CustomIconFile && a.IconFile == b.IconFile &&
         a.Target == b.Target && a.Arguments == b.Arguments && a.RunMode == b.RunMode &&
         (a.KeptRecord == b.KeptRecord ||
          (a.KeptRecord && b.KeptRecord && *a.KeptRecord == *b.KeptRecord));
}

bool ShortcutGroup::Lists(int32_t index) const {
  return std::find(Members.begin(), Members.end(), index) != Members.end();
}

int Model::Capacity(int group) {
  return group == pool::kAllProgramsSlot ? pool::kAllProgramsCapacity : pool::kGroupCapacity;
}

void Model::Size() {
  Items.assign(pool::kSize, ShortcutItem{});
  Groups.assign(pool::kGroupCount, ShortcutGroup{});
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
  return GroupFull(pool::kAllProgramsSlot) ? 0 : pool::kAllProgramsSlot;
}

int Model::MemberCount(int group) const {
  if (group < 0 || group >= static_cast<int>(Groups.size())) return 0;
  return Groups[static_cast<size_t>(group)].MemberCount();
}

bool Model::GroupFull(int group) const {
  if (group < 0 || group >= static_cast<int>(Groups.size())) return true;
  return MemberCount(group) >= Capacity(group);
}

bool Model::AddMember(int group, int index) {
  if (GroupFull(group)) return false;
  if (index < 0 || index >= static_cast<int>(Items.size())) return false;
  Groups[static_cast<size_t>(group)].Members.push_back(index);
  return true;
}

bool Model::RemoveMember(int group, int index) {
  if (group < 0 || group >= static_cast<int>(Groups.size())) return false;
  std::vector<int32_t>& members = Groups[static_cast<size_t>(group)].Members;
  const auto at = std::find(members.begin(), members.end(), index);
  if (at == members.end()) return false;
  members.erase(at);
  return true;
}

bool Model::MoveMember(int group, int from, int to) {
  const int count = MemberCount(group);
  if (from < 0 || from >= count || to < 0 || to >= count) return false;
  const auto first = Groups[static_cast<size_t>(group)].Members.begin();
  if (to < from)
    std::rotate(first + to, first + from, first + from + 1);
  else
    std::rotate(first + from, first + from + 1, first + to + 1);
  return true;
}

void Model::ResetGroup(int group) {
  if (group < 0 || group >= static_cast<int>(Groups.size())) return;
  ShortcutGroup& g = Groups[static_cast<size_t>(group)];
  g.ShownItem = group;
  g.Members.clear();
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
    if (position < static_cast<int>(model.Groups.size())) add(model.Groups[position].ShownItem);
  }
  // The templates: a ring item can turn into one of them at any time.
  for (int t = pool::kTemplateFirst; t <= pool::kTemplateLast; ++t) add(t);
  std::sort(items.begin(), items.end());
  items.erase(std::unique(items.begin(), items.end()), items.end());
  return items;
}

}  // namespace vek
