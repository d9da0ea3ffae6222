// Fuzzes the menu file reader. A menu file is 1.3 MB, far too large for a fuzzer to find
// its way through by itself, so an input is a small edit script applied to a valid menu
// image built here (edit_script.h); this keeps the corpus small and reaches every check.
// Patch regions: 0 = the member lists, 1 = the first 200 item records, other = anywhere.
//
// A decoded image must write back to the same bytes (a set system flag as -1, the unused
// list elements as 0), its lists must hold what the checks
// promise, and LoadMenu over an in-memory disk must never crash and either load the file
// or keep it aside as ".bad".
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../unit/support/fake_codec.h"
#include "../unit/support/fake_memory_fs.h"
#include "edit_script.h"
#include "core/config_files.h"
#include "core/menu_record.h"
#include "core/record_io.h"

using namespace vek;

namespace {

class SilentPrompt : public UserPrompt {
 public:
  PromptAnswer Ask(const PromptRequest&) override { return PromptAnswer::kOk; }
};

const Bytes& Template() {
  static const Bytes image = [] {
    Model m;
    for (int g = 0; g < pool::kGroupCount; ++g) m.Groups[g].ShownItem = g;
    m.Items[3].Kind = ItemKind::kAllPrograms;
    m.Items[3].Title = "All Programs Group";
    m.Items[5].Kind = ItemKind::kGroup;
    m.Items[5].Title = "Games (Full)";
    for (int i = 0; i < 36; ++i) {
      ShortcutItem& it = m.Items[129 + i];
      it.Kind = ItemKind::kMember;
      it.ImageIndex = 129 + i;
      it.Title = "Member " + std::to_string(i);
      it.Link = "C:\\Games\\g" + std::to_string(i) + ".exe";
      m.AddMember(5, 129 + i);
    }
    for (int i = 0; i < 20; ++i) {
      m.Items[300 + i].Kind = ItemKind::kMember;
      m.Items[300 + i].Link = "D:\\B\xC3\xBC" "cher\\" + std::to_string(i) + ".txt";
      m.AddMember(3, 300 + i);
    }
    m.Items[4].Kind = ItemKind::kShortcut;
    m.Items[4].IconFile = "C:\\Users\\u\\VekIcons\\0.png";
    test::FakeAnsiCodec codec;
    Bytes out;
    EncodeMenu(m.Groups, m.Items, codec, out);
    return out;
  }();
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Bytes& valid = Template();
  const Bytes image = test::ImageFromInput(valid, data, size, [&](uint8_t region, size_t raw) {
    return region == 0   ? raw % MenuGroupPartSize()
           : region == 1 ? MenuGroupPartSize() + raw % (200 * kItemRecordSize)
                         : raw % valid.size();
  });
  test::FakeAnsiCodec codec;

  MenuContents contents;
  const MenuDecodeResult r = DecodeMenu(image.data(), image.size(), codec, contents);
  if (r.ok) {
    if (r.size != kMenuFileSize || image.size() < kMenuFileSize) abort();
    // Every byte writes back as it was read, but the system flag: any value other than 0
    // reads as set and is written as the standard -1; and the list elements after a
    // group's members, which are never read, are written as 0.
    Bytes want(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(kMenuFileSize));
    size_t list = 0;
    for (int g = kFirstStoredGroup; g <= kLastStoredGroup; list += GroupRecordSize(g), ++g) {
      const size_t members = list + 14, countAt = list + GroupRecordSize(g) - 4;
      const size_t used = members + 4 * static_cast<size_t>(contents.Groups[g].MemberCount());
      std::fill(want.begin() + static_cast<std::ptrdiff_t>(used), want.begin() + static_cast<std::ptrdiff_t>(countAt), 0);
    }
    for (size_t at = MenuGroupPartSize() + item_offset::kIsSystem; at < kMenuFileSize; at += kItemRecordSize)
      if (want[at] != 0 || want[at + 1] != 0) want[at] = want[at + 1] = 0xFF;
    Bytes again;
    EncodeMenu(contents.Groups, contents.Items, codec, again);
    if (std::memcmp(again.data(), want.data(), kMenuFileSize) != 0) abort();
    std::vector<bool> seen(pool::kSize, false);
    for (int g = kFirstStoredGroup; g <= kLastStoredGroup; ++g) {
      const ShortcutGroup& group = contents.Groups[g];
      if (group.MemberCount() > GroupCapacity(g)) abort();
      for (const int32_t m : group.Members) {
        if (m < pool::kMemberFirst || m > pool::kLast || seen[m]) abort();
        seen[m] = true;
      }
    }
  } else if (r.error.empty()) {
    abort();
  }

  // The whole load over an in-memory disk.
  test::MemoryFileSystem fs;
  Folders folders;
  folders.IconDir = "C:\\Users\\u\\VekIcons\\";
  folders.MenuFile = folders.IconDir + "VEKMenu.cfg";
  fs.AddFolder(folders.IconDir);
  fs.AddFile(folders.MenuFile, image);
  SilentPrompt prompt;
  ConfigIo io{fs, codec, prompt, folders};
  Model model;
  const bool loaded = LoadMenu(model, io);
  if (loaded != r.ok) abort();
  if (!loaded && !fs.Has(folders.MenuFile + ".bad")) abort();
  if (loaded) {
    for (int i = 0; i < pool::kSize; ++i) {
      if (model.Items[i].ImageIndex < 0 || model.Items[i].ImageIndex > pool::kLast) abort();
      if (i >= 1 && i <= pool::kRingLast && model.Items[i].Kind == ItemKind::kFree) abort();
    }
  }
  return 0;
}
