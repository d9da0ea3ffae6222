#include "core/group_title.h"

#include "text/text.h"

namespace vek {

void UpdateGroupTitle(Model& model, int group, AnsiCodec& codec) {
  if (group < 0 || group >= static_cast<int>(model.Groups.size()) ||
      group >= static_cast<int>(model.Items.size()))
    return;
  static const std::string kFull = " (Full)";
  static const std::string kEmpty = " (Empty)";
  std::string title = model.Items[group].Title;
  if (EndsWith(title, kFull)) {
    title.resize(title.size() - kFull.size());
  } else if (EndsWith(title, kEmpty)) {
    title.resize(title.size() - kEmpty.size());
  }
  const int count = model.MemberCount(group);
  const std::string suffix = count <= 0 ? kEmpty : count >= Model::Capacity(group) ? kFull : "";
  // A suffix the stored caption has no room for is left off, not stored cut short as a
  // fragment that is never recognised again. The room is counted as the file keeps the
  // caption: in the code page, where "é" takes one byte, not two.
  std::string stored;
  codec.ToAnsi(title + suffix, stored);
  if (stored.size() <= static_cast<size_t>(width::kTitle)) title += suffix;
  model.Items[group].Title = title;
}

}  // namespace vek
