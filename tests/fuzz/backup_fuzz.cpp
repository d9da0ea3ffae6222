// Fuzzes the shortcuts backup reader and the restore. As for the menu fuzzer, an input
// is a small edit script applied to a valid backup built here (records, icon blocks,
// trailer):
//
//   byte 0        flags: bit 0 = treat the rest of the input as the whole file instead;
//                 bit 1 = truncate the edited image to the length in bytes 1..4
//   bytes 1..4    truncation length (little-endian, taken modulo the image size + 16)
//   then patches  [region][offset: 3 bytes][n][n bytes], region 0 = the item records
//                 that carry icon paths, 1 = the icon blocks and trailer, 2 = the member
//                 lists, other = anywhere
//
// Every parsed block must lie inside the file, and a restore must write nothing but the
// menu file (with its twin and temporary file) and pictures inside the icon folder.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../unit/support/fake_codec.h"
#include "../unit/support/fake_memory_fs.h"
#include "core/backup.h"
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
    for (int g = 0; g < pool::kGroupCount; ++g) m.Groups[g].Members[0] = g;
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
      it.Kind = kind::kMember;
      it.IconFile = p;
      if (n % 3 == 0) it.CustomIconFile = std::string(kIconDir) + std::to_string(10 + n) + ".png";
      m.AddMember(4, kFirstIconItem + n);
      for (const FixedText* f : {&it.IconFile, &it.CustomIconFile}) {
        const std::string t = f->Trimmed();
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

Bytes Edit(const uint8_t* data, size_t size) {
  Bytes image = Template();
  const size_t itemsAt = MenuGroupPartSize() + kFirstIconItem * kItemRecordSize;
  size_t pos = 5;
  while (pos + 5 <= size) {
    const uint8_t region = data[pos];
    const size_t raw = data[pos + 1] | data[pos + 2] << 8 | data[pos + 3] << 16;
    const size_t n = data[pos + 4] & 0x1F;
    pos += 5;
    size_t at = region == 0   ? itemsAt + raw % (10 * kItemRecordSize)
                : region == 1 ? kMenuFileSize + raw % (image.size() - kMenuFileSize)
                : region == 2 ? raw % MenuGroupPartSize()
                              : raw % image.size();
    for (size_t k = 0; k < n && pos < size && at < image.size(); ++k) image[at++] = data[pos++];
  }
  if (size >= 5 && (data[0] & 2)) {
    const size_t length = record::GetI32(data + 1) & 0x7FFFFFFF;
    image.resize(length % (image.size() + 16), 0);
  }
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Bytes image = (data[0] & 1) ? Bytes(data + 1, data + size) : Edit(data, size);
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
    if (!config && !IsRestorableIconPath(w, folders.IconDir)) abort();
  }
  return 0;
}
