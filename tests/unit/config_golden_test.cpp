// The files the program writes, compared with byte images built by hand from the
// published layouts: every offset below is written out, not taken from the codecs.
#include <gtest/gtest.h>

#include <cstring>

#include "core/config_files.h"
#include "core/menu_record.h"
#include "support/fake_config.h"

namespace vek {
namespace {

using test::FakeConfigEnv;

void Le32(Bytes& b, size_t at, int32_t v) {
  for (int k = 0; k < 4; ++k) b[at + k] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * k));
}
void Le16(Bytes& b, size_t at, int16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
}
void Text(Bytes& b, size_t at, size_t width, const std::string& ansi) {
  std::memset(&b[at], ' ', width);
  std::memcpy(&b[at], ansi.data(), ansi.size());
}

// Reports the first differing byte with the field it belongs to.
struct Field {
  size_t offset;
  size_t size;
  const char* name;
};
std::string Where(const std::vector<Field>& fields, size_t at) {
  for (const Field& f : fields)
    if (at >= f.offset && at < f.offset + f.size) return f.name;
  return "?";
}
void ExpectSameBytes(const Bytes& got, const Bytes& want, const std::vector<Field>& fields,
                     size_t recordSize = 0, size_t recordBase = 0) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    if (got[i] == want[i]) continue;
    const size_t rel = recordSize && i >= recordBase ? (i - recordBase) % recordSize : i;
    FAIL() << "byte " << i << " (field " << Where(fields, rel) << "): got " << int(got[i])
           << ", want " << int(want[i]);
  }
}

TEST(GoldenTest, SettingsFile) {
  FakeConfigEnv env;
  Model m;
  AppSettings& s = m.Settings;
  s.NormalIconSize = 52;
  s.MagnifiedIconSize = 96;
  s.CircleRadius = 333;
  s.IconQuantity = 28;  // code 5
  s.BackdropOpacity = 200;
  s.AutoRun = true;
  s.SearchBoxLeft = 752;
  s.SearchBoxTop = 0;
  s.SearchEngine = 6;
  s.IconsLocked = true;
  s.GettingStarted = GettingStartedState{true, 4};
  s.DesktopIconsHidden = true;
  s.AutoHide = false;
  s.HideLetters = true;
  s.MinimizedPosition = MinimizedPosition::kBottom;
  // Read from a file that held these in the fields the program does not use, and the
  // search box's place as -1 twips (less than a pixel from the top).
  s.KeptRecord.assign(562, 0);
  Le16(s.KeptRecord, 24, 0x0102);
  Le32(s.KeptRecord, 538, 0x0A0B0C0D);
  Le32(s.KeptRecord, 546, -1);
  m.Items[0].IconFile = "C:\\Users\\Jos\xC3\xA9\\User Icon.ico";
  ASSERT_TRUE(SaveSettings(m, env.io));

  Bytes want(562, 0);
  Le32(want, 0, 52);
  Le32(want, 4, 128);
  Le32(want, 8, 96);
  Le32(want, 12, 333);
  Le32(want, 16, 5);
  want[20] = 0, want[21] = 0, want[22] = 0, want[23] = 200;
  Le16(want, 24, 0x0102);
  Le16(want, 26, -1);
  Text(want, 28, 255, "C:\\Users\\Jos\xE9\\User Icon.ico");
  // 283..537: the reserved text was never assigned: NUL bytes.
  Le32(want, 538, 0x0A0B0C0D);
  Le32(want, 542, 11280);
  Le32(want, 546, -1);
  Le32(want, 550, 6);
  Le16(want, 554, -1);
  Le16(want, 556, 4);
  want[558] = 1, want[559] = 0, want[560] = 1, want[561] = 2;

  const std::vector<Field> fields = {
      {0, 4, "NormalIconSize"},  {4, 4, "MaxIconSize"},     {8, 4, "MagnifiedIconSize"},
      {12, 4, "CircleRadius"},   {16, 4, "icon quantity"},  {20, 4, "BackdropColour"},
      {24, 2, "reserved"},       {26, 2, "AutoRun"},        {28, 255, "user icon file"},
      {283, 255, "reserved text"}, {538, 4, "reserved"},    {542, 4, "SearchBoxLeft"},
      {546, 4, "SearchBoxTop"},  {550, 4, "SearchEngine"},  {554, 2, "IconsLocked"},
      {556, 2, "GettingStarted"}, {558, 1, "DesktopIconsHidden"}, {559, 1, "AutoHide"},
      {560, 1, "HideLetters"},   {561, 1, "MinimizedPosition"}};
  ExpectSameBytes(env.fs.FileData(env.folders.SettingsFile), want, fields);
}

TEST(GoldenTest, MenuFile) {
  FakeConfigEnv env;
  Model m;
  for (int g = 0; g < 37; ++g) m.Groups[g].ShownItem = g;
  m.Items[5].Kind = ItemKind::kGroup;
  m.Items[5].ImageIndex = 5;
  m.Items[5].Title = "Games";
  // Item 130 was read from a record holding 3 in the field nothing uses and spaces for its
  // custom icon; the program then gives it everything else.
  Bytes read(1297, 0);
  Le16(read, 11, 3);
  Text(read, 400, 255, "");
  m.Items[130] = DecodeItemRecord(read.data(), env.codec);
  m.Items[130].Kind = ItemKind::kMember;
  m.Items[130].PathKind = PathKind::kProgram;
  m.Items[130].IsSystem = false;
  m.Items[130].CommandId = 0;
  m.Items[130].ImageIndex = 130;
  m.Items[130].Link = "C:\\Spiele\\M\xC3\xBChle.exe";
  m.Items[130].Title = "M\xC3\xBChle";
  m.Items[130].CustomIconFile = "";
  m.Items[130].IconFile = "C:\\Icons\\7.png";
  m.Items[130].Target = "T";
  m.Items[130].Arguments = "-x";
  m.Items[130].RunMode = 1;
  m.Items[100].IsSystem = true;
  m.Items[100].CommandId = 100;
  m.AddMember(5, 130);
  m.AddMember(3, 131);
  ASSERT_TRUE(SaveMenu(m, env.io));

  Bytes want(1338885, 0);
  // Group 3: 10 header bytes, 1025 elements, Count; at offset 0, 4114 bytes.
  Le16(want, 0, 1);
  Le32(want, 2, 1025);
  Le32(want, 6, 0);
  Le32(want, 10, 3);
  Le32(want, 14, 131);
  Le32(want, 10 + 4 * 1025, 1);
  // Groups 4..36: 162 bytes each from offset 4114.
  for (int g = 4; g <= 36; ++g) {
    const size_t at = 4114 + static_cast<size_t>(g - 4) * 162;
    Le16(want, at, 1);
    Le32(want, at + 2, 37);
    Le32(want, at + 6, 0);
    Le32(want, at + 10, g);
    Le32(want, at + 10 + 4 * 37, g == 5 ? 1 : 0);
    if (g == 5) Le32(want, at + 14, 130);
  }
  // Items from offset 9460, 1297 bytes each.
  auto item = [](int i) { return 9460 + static_cast<size_t>(i) * 1297; };
  Le32(want, item(5), 4);
  Le32(want, item(5) + 13, 5);
  Text(want, item(5) + 272, 128, "Games");
  const size_t p = item(130);
  Le32(want, p, 5);
  want[p + 4] = 1;
  Le16(want, p + 5, 0);
  Le32(want, p + 7, 0);
  Le16(want, p + 11, 3);
  Le32(want, p + 13, 130);
  Text(want, p + 17, 255, "C:\\Spiele\\M\xFChle.exe");
  Text(want, p + 272, 128, "M\xFChle");
  Text(want, p + 400, 255, "");
  Text(want, p + 655, 255, "C:\\Icons\\7.png");
  Text(want, p + 910, 255, "T");
  Text(want, p + 1165, 128, "-x");
  Le32(want, p + 1293, 1);
  Le16(want, item(100) + 5, -1);
  Le32(want, item(100) + 7, 100);

  const Bytes& got = env.fs.FileData(env.folders.MenuFile);
  const std::vector<Field> groups = {{0, 9460, "member lists"}};
  ExpectSameBytes(Bytes(got.begin(), got.begin() + 9460), Bytes(want.begin(), want.begin() + 9460),
                  groups);
  const std::vector<Field> fields = {
      {0, 4, "Kind"},       {4, 1, "PathKind"},     {5, 2, "IsSystem"},
      {7, 4, "CommandId"},  {11, 2, "Reserved"},    {13, 4, "ImageIndex"},
      {17, 255, "Link"},    {272, 128, "Title"},    {400, 255, "CustomIconFile"},
      {655, 255, "IconFile"}, {910, 255, "Target"}, {1165, 128, "Arguments"},
      {1293, 4, "RunMode"}};
  ExpectSameBytes(got, want, fields, 1297, 9460);
}

}  // namespace
}  // namespace vek
