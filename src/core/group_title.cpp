#include "core/group_title.h"

#include "text/text.h"

namespace vek {

void UpdateGroupTitle(Model& model, int group) {
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
  if (count <= 0) {
    title += kEmpty;
  } else if (count >= Model::Capacity(group)) {
    title += kFull;
  }
  model.Items[group].Title = title;
}

}  // namespace vek
