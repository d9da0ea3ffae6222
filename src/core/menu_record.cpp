#include "core/menu_record.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

#include "core/record_io.h"

namespace vek {

using namespace record;
namespace off = item_offset;

// Declared with the model, which carries it without looking inside.
struct KeptItemRecord {
  int16_t reserved = 0;  // the field nothing uses, as read
  uint8_t blank = 0;     // one bit per text (kTexts' order): stored as spaces only
  // The texts whose bytes writing their value afresh would not give back: the value as it
  // was read and the bytes as they were stored.
  struct Text {
    uint8_t field;
    std::string value;
    std::string stored;
    bool operator==(const Text& o) const { return field == o.field && value == o.value && stored == o.stored; }
  };
  std::vector<Text> others;
};

bool operator==(const KeptItemRecord& a, const KeptItemRecord& b) {
  return a.reserved == b.reserved && a.blank == b.blank && a.others == b.others;
}

namespace {

struct TextField {
  std::string ShortcutItem::*text;
  size_t offset;
  size_t width;
};
const TextField kTexts[] = {
    {&ShortcutItem::Link, off::kLink, width::kLink},
    {&ShortcutItem::Title, off::kTitle, width::kTitle},
    {&ShortcutItem::CustomIconFile, off::kCustomIconFile, width::kCustomIconFile},
    {&ShortcutItem::IconFile, off::kIconFile, width::kIconFile},
    {&ShortcutItem::Target, off::kTarget, width::kTarget},
    {&ShortcutItem::Arguments, off::kArguments, width::kArguments},
};

// Writes text `f` of the item: as it was stored while the text is still what was read
// from those bytes, else from its value.
bool PutItemText(const ShortcutItem& item, uint8_t f, AnsiCodec& codec, uint8_t* record) {
  const TextField& field = kTexts[f];
  const std::string& text = item.*field.text;
  uint8_t* p = record + field.offset;
  if (const KeptItemRecord* kept = item.KeptRecord.get()) {
    for (const KeptItemRecord::Text& t : kept->others) {
      if (t.field == f && t.value == text) {
        std::memcpy(p, t.stored.data(), field.width);
        return true;
      }
    }
    if (text.empty() && (kept->blank >> f & 1)) {
      std::memset(p, ' ', field.width);
      return true;
    }
  }
  return PutText(p, field.width, text, codec);
}

}  // namespace

bool EncodeItemRecord(const ShortcutItem& item, AnsiCodec& codec, uint8_t* p) {
  PutI32(p + off::kKind, static_cast<int32_t>(item.Kind));
  p[off::kPathKind] = static_cast<uint8_t>(item.PathKind);
  PutI16(p + off::kIsSystem, item.IsSystem ? kTrue16 : kFalse16);
  PutI32(p + off::kCommandId, item.CommandId);
  PutI16(p + off::kReserved, item.KeptRecord ? item.KeptRecord->reserved : int16_t{0});
  PutI32(p + off::kImageIndex, item.ImageIndex);
  bool exact = true;
  for (uint8_t f = 0; f < std::size(kTexts); ++f) exact &= PutItemText(item, f, codec, p);
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
  item.ImageIndex = GetI32(p + off::kImageIndex);
  item.RunMode = GetI32(p + off::kRunMode);
  KeptItemRecord kept;
  kept.reserved = GetI16(p + off::kReserved);
  // Free slots hold nothing but NUL bytes in their texts: one look settles all six.
  if (AllNul(p + off::kLink, off::kRunMode - off::kLink)) {
    for (const TextField& field : kTexts) (item.*field.text).clear();
  } else {
    for (uint8_t f = 0; f < std::size(kTexts); ++f) {
      const TextField& field = kTexts[f];
      StoredText form;
      std::string& text = item.*field.text;
      GetTextInto(p + field.offset, field.width, codec, text, &form);
      if (form == StoredText::kBlank) kept.blank |= static_cast<uint8_t>(1u << f);
      if (form == StoredText::kOther) {
        kept.others.push_back(
            {f, text, std::string(reinterpret_cast<const char*>(p + field.offset), field.width)});
      }
    }
  }
  if (kept.reserved == 0 && kept.blank == 0 && kept.others.empty()) {
    item.KeptRecord.reset();
  } else {
    item.KeptRecord = std::make_shared<const KeptItemRecord>(std::move(kept));
  }
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
    return fail(ShortFileReason(size, kMenuFileSize));

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
