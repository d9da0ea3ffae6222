#include "core/menu_record.h"

#include <algorithm>

#include "core/record_io.h"

namespace vek {

using namespace record;
namespace off = item_offset;

bool EncodeItemRecord(const ShortcutItem& item, AnsiCodec& codec, uint8_t* p) {
  PutI32(p + off::kKind, static_cast<int32_t>(item.Kind));
  p[off::kPathKind] = static_cast<uint8_t>(item.PathKind);
  PutI16(p + off::kIsSystem, item.IsSystem ? kTrue16 : kFalse16);
  PutI32(p + off::kCommandId, item.CommandId);
  PutI16(p + off::kReserved, item.Reserved);
  PutI32(p + off::kImageIndex, item.ImageIndex);
  bool exact = PutText(p + off::kLink, width::kLink, item.Link, codec);
  exact &= PutText(p + off::kTitle, width::kTitle, item.Title, codec);
  exact &= PutText(p + off::kCustomIconFile, width::kCustomIconFile, item.CustomIconFile, codec);
  exact &= PutText(p + off::kIconFile, width::kIconFile, item.IconFile, codec);
  exact &= PutText(p + off::kTarget, width::kTarget, item.Target, codec);
  exact &= PutText(p + off::kArguments, width::kArguments, item.Arguments, codec);
  PutI32(p + off::kRunMode, item.RunMode);
  return exact;
}

ShortcutItem DecodeItemRecord(const uint8_t* p, AnsiCodec& codec) {
  ShortcutItem item;
  DecodeItemRecordInto(p, codec, item);
  return item;
}

void DecodeItemRecordInto(const uint8_t* p, AnsiCodec& codec, ShortcutItem& item) {
  // Stored numbers that name no kind are kept as they are: the item keeps them in memory
  // and writes them back unchanged.
  item.Kind = static_cast<ItemKind>(GetI32(p + off::kKind));
  item.PathKind = static_cast<PathKind>(p[off::kPathKind]);
  // Any value but 0 has always meant a system item; it is written back as -1.
  item.IsSystem = GetI16(p + off::kIsSystem) != kFalse16;
  item.CommandId = GetI32(p + off::kCommandId);
  item.Reserved = GetI16(p + off::kReserved);
  item.ImageIndex = GetI32(p + off::kImageIndex);
  item.RunMode = GetI32(p + off::kRunMode);
  FixedText* texts[] = {&item.Link,     &item.Title,  &item.CustomIconFile,
                        &item.IconFile, &item.Target, &item.Arguments};
  // Free slots hold nothing but NUL bytes in their texts: one look settles all six.
  if (AllNul(p + off::kLink, off::kRunMode - off::kLink)) {
    for (FixedText* t : texts) t->Reset();
    return;
  }
  item.Link = GetText(p + off::kLink, width::kLink, codec);
  item.Title = GetText(p + off::kTitle, width::kTitle, codec);
  item.CustomIconFile = GetText(p + off::kCustomIconFile, width::kCustomIconFile, codec);
  item.IconFile = GetText(p + off::kIconFile, width::kIconFile, codec);
  item.Target = GetText(p + off::kTarget, width::kTarget, codec);
  item.Arguments = GetText(p + off::kArguments, width::kArguments, codec);
}

void EncodeMenu(const std::vector<ShortcutGroup>& groups, const std::vector<ShortcutItem>& items,
                AnsiCodec& codec, Bytes& out) {
  const size_t start = out.size();
  out.resize(start + kMenuFileSize, 0);
  uint8_t* p = out.data() + start;
  for (int g = kFirstStoredGroup; g <= kLastStoredGroup; ++g) {
    // A group record holds the shown item as element 0, the members from element 1 and
    // the member count after them. The element count is the position's capacity + 1
    // whatever the group holds, so the file always has its standard layout; elements
    // past the members are 0, and members past the capacity are not stored.
    const int capacity = GroupCapacity(g);
    const ShortcutGroup* group = g < static_cast<int>(groups.size()) ? &groups[g] : nullptr;
    const int count = group ? std::min(group->MemberCount(), capacity) : 0;
    PutI16(p, 1);
    PutI32(p + 2, capacity + 1);
    PutI32(p + 6, 0);
    p += 10;
    PutI32(p, group ? group->ShownItem : 0);
    p += 4;
    for (int m = 0; m < capacity; ++m, p += 4) PutI32(p, m < count ? group->Members[m] : 0);
    PutI32(p, count);
    p += 4;
  }
  // The buffer is zero already, which is exactly how an empty record is stored.
  const ShortcutItem empty;
  const int held = static_cast<int>(items.size()) < pool::kSize ? static_cast<int>(items.size()) : pool::kSize;
  for (int i = 0; i < held; ++i, p += kItemRecordSize)
    if (!(items[i] == empty)) EncodeItemRecord(items[i], codec, p);
}

namespace {
std::string Position(int g) { return "the member list of ring position " + std::to_string(g); }
}  // namespace

MenuDecodeResult DecodeMenuLists(const uint8_t* data, size_t size,
                                 std::vector<ShortcutGroup>& groups) {
  MenuDecodeResult result;
  auto fail = [&](std::string why) {
    result.ok = false;
    result.error = std::move(why);
    return result;
  };
  if (data == nullptr || size < kMenuFileSize)
    return fail("the file is too short (" + std::to_string(size) + " of " +
                std::to_string(kMenuFileSize) + " bytes)");

  groups.assign(pool::kGroupCount, ShortcutGroup{});
  std::vector<bool> listed(pool::kSize, false);
  const uint8_t* p = data;
  for (int g = kFirstStoredGroup; g <= kLastStoredGroup; ++g) {
    const int16_t dims = GetI16(p);
    const int32_t elements = GetI32(p + 2);
    const int32_t lower = GetI32(p + 6);
    const int capacity = GroupCapacity(g);
    if (dims != 1 || lower != 0 || elements != capacity + 1)
      return fail(Position(g) + " does not have the layout of " + std::to_string(capacity + 1) +
                  " elements from 0");
    p += 10;
    const int32_t shown = GetI32(p);
    const uint8_t* stored = p + 4;  // element 1, the first member
    p += 4 * static_cast<size_t>(elements);
    const int32_t count = GetI32(p);
    p += 4;
    // Elements past the count are what earlier members left behind: never read.
    if (count < 0 || count > capacity)
      return fail(Position(g) + " counts " + std::to_string(count) + " members (0 to " +
                  std::to_string(capacity) + " allowed)");
    if (shown < 0 || shown > pool::kLast)
      return fail(Position(g) + " belongs to item " + std::to_string(shown) + ", outside the pool");
    ShortcutGroup& group = groups[g];
    group.ShownItem = shown;
    group.Members.resize(static_cast<size_t>(count));
    for (int32_t m = 0; m < count; ++m) {
      const int32_t index = GetI32(stored + 4 * static_cast<size_t>(m));
      if (index < pool::kMemberFirst || index > pool::kLast)
        return fail(Position(g) + " lists item " + std::to_string(index) +
                    ", which is not a member slot");
      if (listed[index])
        return fail(Position(g) + " lists item " + std::to_string(index) +
                    ", which is already a member of a group");
      listed[index] = true;
      group.Members[m] = index;
    }
  }
  result.ok = true;
  result.size = kMenuFileSize;
  return result;
}

MenuDecodeResult DecodeMenu(const uint8_t* data, size_t size, AnsiCodec& codec,
                            MenuContents& out) {
  out.Items.clear();
  MenuDecodeResult result = DecodeMenuLists(data, size, out.Groups);
  if (!result.ok) return result;
  out.Items.resize(pool::kSize);
  const uint8_t* p = data + MenuGroupPartSize();
  for (int i = 0; i < pool::kSize; ++i, p += kItemRecordSize) DecodeItemRecordInto(p, codec, out.Items[i]);
  return result;
}

}  // namespace vek
