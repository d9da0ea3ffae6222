// The records of "VEKMenu.cfg" (and of the first part of a shortcuts backup): the member
// lists of ring positions 3..36, then the 1025 item records. Little-endian, no header.
// Decoding never trusts the bytes: every length, bound, count and member index is
// checked before it is used, and a file that fails a check is rejected as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model.h"
#include "platform/ansi_codec.h"
#include "platform/file_system.h"

namespace vek {

constexpr int kFirstStoredGroup = 3;
constexpr int kLastStoredGroup = 36;
constexpr size_t kItemRecordSize = 1297;

// Byte offsets of the item record's fields.
namespace item_offset {
constexpr size_t kKind = 0;
constexpr size_t kPathKind = 4;
constexpr size_t kIsSystem = 5;
constexpr size_t kCommandId = 7;
constexpr size_t kReserved = 11;
constexpr size_t kImageIndex = 13;
constexpr size_t kLink = 17;
constexpr size_t kTitle = 272;
constexpr size_t kCustomIconFile = 400;
constexpr size_t kIconFile = 655;
constexpr size_t kTarget = 910;
constexpr size_t kArguments = 1165;
constexpr size_t kRunMode = 1293;
}  // namespace item_offset

// Members a list of ring position `group` can hold (as Model::Capacity).
constexpr int GroupCapacity(int group) {
  return group == pool::kAllProgramsSlot ? pool::kAllProgramsCapacity : pool::kGroupCapacity;
}
// A group record: dimensions (2 bytes), element count, lower bound, the elements, Count.
constexpr size_t GroupRecordSize(int group) {
  return 2 + 4 + 4 + 4 * static_cast<size_t>(GroupCapacity(group) + 1) + 4;
}
constexpr size_t MenuGroupPartSize() {
  size_t total = 0;
  for (int g = kFirstStoredGroup; g <= kLastStoredGroup; ++g) total += GroupRecordSize(g);
  return total;
}
constexpr size_t kMenuFileSize = MenuGroupPartSize() + pool::kSize * kItemRecordSize;
static_assert(MenuGroupPartSize() == 9460, "group part of the menu file");
static_assert(kMenuFileSize == 1338885, "size of the menu file");

// Writes one item record (kItemRecordSize bytes) at `out`. An item read from a record is
// written back to the same bytes (but a set system flag, always -1) as long as its texts
// are what was read; a text that changed is written from its value, an empty one as NUL
// bytes. Returns false when some text had no exact ANSI equivalent (it was stored with
// the code page's default character).
bool EncodeItemRecord(const ShortcutItem& item, AnsiCodec& codec, uint8_t* out);
// Reads one item record from kItemRecordSize bytes at `in`: each text cut at its first NUL
// and without the spaces around it; what writing the item back needs beyond its fields
// goes into its KeptRecord.
ShortcutItem DecodeItemRecord(const uint8_t* in, AnsiCodec& codec);
// The same into an existing item, replacing all of its fields.
void DecodeItemRecordInto(const uint8_t* in, AnsiCodec& codec, ShortcutItem& item);

// Appends the group records of positions 3..36 and the item records 0..1024 to `out`.
// A group record stores the shown item as element 0, the members as elements 1..Count
// and then Count; the elements after the members are 0. Slots missing from `items` are
// written as empty records; slots beyond 1024 are not stored.
void EncodeMenu(const std::vector<ShortcutGroup>& groups, const std::vector<ShortcutItem>& items,
                AnsiCodec& codec, Bytes& out);

// What a menu image holds, as stored.
struct MenuContents {
  std::vector<ShortcutGroup> Groups;  // 37 lists; 0..2 are not stored and stay empty
  std::vector<ShortcutItem> Items;    // 1025 items
};

struct MenuDecodeResult {
  bool ok = false;
  std::string error;  // why the bytes were rejected, for the user
  size_t size = 0;    // bytes taken by the menu image when ok
};

// Checks the size of a menu image and decodes and checks its member lists into `groups`
// (37 lists; 0..2 stay empty), as DecodeMenu does. When it is ok, the item records
// follow at MenuGroupPartSize() and can be read with DecodeItemRecord.
MenuDecodeResult DecodeMenuLists(const uint8_t* data, size_t size,
                                 std::vector<ShortcutGroup>& groups);

// Decodes a menu image from the start of `data`; bytes after it are left to the caller.
// Rejected: a truncated image; a group record whose dimensions are not 1, whose lower
// bound is not 0 or whose element count is not the position's capacity + 1; a Count
// below 0 or above the capacity; an element 0 outside the pool; a member (elements
// 1..Count) that is not a member slot 129..1024, or that is listed twice in one or more
// groups. The elements after the members are not read.
MenuDecodeResult DecodeMenu(const uint8_t* data, size_t size, AnsiCodec& codec, MenuContents& out);

}  // namespace vek
