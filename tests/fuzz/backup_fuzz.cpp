// Fuzzes the shortcuts backup reader and the restore. As for the menu fuzzer, an input
// is a small edit script (edit_script.h) applied to a valid backup built here (records,
// icon blocks, trailer). Patch regions: 0 = the item records that carry icon paths, 1 =
// the icon blocks and trailer, 2 = the member lists, other = anywhere.
//
// Every parsed block must lie inside the file, and a restore must write nothing but the
// menu file (with its twin and temporary file) and pictures inside the icon folder.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../unit/support/fake_codec.h"
#include "../unit/support/fake_memory_fs.h"
#include "edit_script.h"
#include "core/backup.h"
#include "core/pool_ops.h"
#include "core/record_io.h"

using namespace vek;

namespace {

constexpr char kIconDir[] = "C:\\Users\\u\\Kestrovan\\VekIcons\\";
constexpr char kSysIconDir[] = "C:\\Program Files\\VEK Desktop\\SysIcons\\";
constexpr int kFirstIconItem = 129;

class SilentPrompt : public UserPrompt {
 public:
  PromptAnswer Ask(const PromptRequest&) override { return PromptAnswer::kOk; }
};

const Bytes& Template() {
  static const Bytes image = [] {
    Model m;
    for (int g = 0; g < pool::kGroupCount; ++g) m.Groups[g].ShownItem = g;
    const std::string paths[] = {
        std::string(kIconDir) + "0.png",      std::string(kSysIconDir) + "File.png",
        std::string(kIconDir) + "1.png",      "C:\\Windows\\evil.dll",
        std::string(kIconDir) + "..\\x.png",  std::string(kIconDir) + "VEKMenu.cfg",
        std::string(kIconDir) + "2.ico",      "",
    };
    Bytes blocks;
    int n = 0;
    for (const std::string& p : paths) {
      ShortcutItem& it = m.Items[kFirstIconItem + n];
      it.Kind = ItemKind::kMember;
      it.IconFile = p;
      if (n % 3 == 0) it.CustomIconFile = std::string(kIconDir) + std::to_string(10 + n) + ".png";
      m.AddMember(4, kFirstIconItem + n);
      for (const std::string* f : {&it.IconFile, &it.CustomIconFile}) {
        const std::string& t = *f;
        if (t.empty() || StartsWith(t, kSysIconDir)) continue;
        const std::string content = "picture of " + t;
        const size_t at = blocks.size();
        blocks.resize(at + 4);
        record::PutI32(blocks.data() + at, static_cast<int32_t>(content.size()));
        blocks.insert(blocks.end(), content.begin(), content.end());
      }
      ++n;
    }
    test::FakeAnsiCodec codec;
    Bytes out;
    EncodeMenu(m.Groups, m.Items, codec, out);
    out.insert(out.end(), blocks.begin(), blocks.end());
    out.insert(out.end(), std::begin(kBackupTrailer), std::end(kBackupTrailer));
    return out;
  }();
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Bytes& valid = Template();
  const size_t itemsAt = MenuGroupPartSize() + kFirstIconItem * kItemRecordSize;
  const Bytes image = test::ImageFromInput(valid, data, size, [&](uint8_t region, size_t raw) {
    return region == 0   ? itemsAt + raw % (10 * kItemRecordSize)
           : region == 1 ? kMenuFileSize + raw % (valid.size() - kMenuFileSize)
           : region == 2 ? raw % MenuGroupPartSize()
                         : raw % valid.size();
  });
  test::FakeAnsiCodec codec;

  BackupContents contents;
  const BackupParseResult parsed = ParseBackup(image.data(), image.size(), codec, kSysIconDir, contents);
  if (parsed.ok) {
    size_t end = kMenuFileSize;
    for (const IconBlock& b : contents.blocks) {
      if (b.offset != end + 4 || b.offset + b.length > image.size()) abort();
      if (b.item < pool::kFirstMovableSlot || b.item > pool::kLast) abort();
      end = b.offset + b.length;
    }
  }

  test::MemoryFileSystem fs;
  Folders folders;
  folders.UserDir = "C:\\Users\\u\\Kestrovan\\";
  folders.IconDir = kIconDir;
  folders.SysIconDir = kSysIconDir;
  folders.MenuFile = folders.IconDir + "VEKMenu.cfg";
  folders.UserIconFile = folders.IconDir + "User Icon.ico";
  for (const std::string& f : {folders.UserDir, folders.IconDir, folders.SysIconDir,
                               std::string("C:\\Windows\\"), std::string("C:\\Users\\u\\")})
    fs.AddFolder(f);
  const std::string backup = "C:\\Users\\u\\backup.bak";
  fs.AddFile(backup, image);
  SilentPrompt prompt;
  ConfigIo io{fs, codec, prompt, folders};
  Model model;
  const bool restored = RestoreAll(model, backup, io);
  if (restored != parsed.ok) abort();
  for (const std::string& w : fs.written()) {
    const bool config = w == folders.MenuFile || w == folders.MenuFile + ".bak" ||
                        w == folders.MenuFile + ".tmp";
    if (!config && !IsOwnPicturePath(w, folders.IconDir)) abort();
  }
  return 0;
}
