#include <gtest/gtest.h>

#include "support/item_world.h"

namespace vek {
namespace {

using test::ItemWorld;
constexpr RegRoot HKCR = RegRoot::kClassesRoot;

class ItemCreationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w.fs.AddFile(kShell32);
    w.pictures.modules.insert(ToUpperAscii(kShell32));
    w.registry.PutText(HKCR, ".txt", "", "txtfile");
    w.registry.PutText(HKCR, "txtfile\\DefaultIcon", "", "%SystemRoot%\\system32\\shell32.dll,-152",
                       reg_type::kExpandSz);
    w.fs.AddFile(kNotes, "notes");
    w.fs.AddFile(kEditor);
    w.pictures.modules.insert(ToUpperAscii(kEditor));
    for (int i = 4; i <= pool::kRingLast; ++i) w.item(i).Kind = ItemKind::kEmptyPosition;
  }
  ShortcutItem& Add(const std::string& path, int target) {
    const AddResult r = w.items.AddItemFromPath(path, target);
    EXPECT_TRUE(r.added()) << path;
    return w.item(r.index);
  }
  std::string Picture(const ShortcutItem& item) { return w.fs.Text(item.IconFile); }

  static constexpr char kShell32[] = "C:\\windows\\system32\\shell32.dll";
  static constexpr char kNotes[] = "C:\\users\\tester\\Documents\\Notes.txt";
  static constexpr char kEditor[] = "C:\\Program Files\\Editor\\editor.exe";
  ItemWorld w;
};

// --- Building by route ------------------------------------------------------------------

TEST_F(ItemCreationTest, ShortcutToATextFileLooksLikeTheTextFile) {
  const std::string link = "C:\\users\\tester\\Desktop\\My Notes.lnk";
  w.fs.AddFile(link);
  w.reader.Add(link, kNotes);
  ShortcutItem& item = Add(link, 4);
  EXPECT_EQ(item.Kind, ItemKind::kShortcut);
  EXPECT_EQ(item.Title, "My Notes");
  EXPECT_EQ(item.Link, link);
  EXPECT_EQ(item.Target, kNotes);
  EXPECT_EQ(item.PathKind, PathKind::kOtherFile);
  EXPECT_EQ(item.IconFile, w.Icon("0.png"));
  EXPECT_EQ(Picture(item), std::string("\x89PNG module ") + kShell32 + ",-152");
  EXPECT_EQ(w.pictures.loaded, std::vector<int>{4});
}

TEST_F(ItemCreationTest, ShortcutToAProgramKeepsItsOwnRouteAndArguments) {
  const std::string link = "C:\\users\\tester\\Desktop\\Editor.lnk";
  w.fs.AddFile(link);
  w.reader.Add(link, kEditor, "", 2, "-n file.txt");
  ShortcutItem& item = Add(link, 4);
  EXPECT_EQ(item.Title, "Editor");
  EXPECT_EQ(item.PathKind, PathKind::kShortcutFile);
  EXPECT_EQ(item.Target, kEditor);
  EXPECT_EQ(item.Arguments, "-n file.txt");
  EXPECT_EQ(Picture(item), std::string("\x89PNG module ") + kEditor + ",2");
}

TEST_F(ItemCreationTest, ShortcutPicturesFromAnIcoFileOrTheTargetOrElseTheProblemPicture) {
  const std::string withIco = "C:\\Links\\Tool.lnk", broken = "C:\\Links\\Gone.lnk";
  w.fs.AddFile(withIco);
  w.fs.AddFile(broken);
  w.fs.AddFile("C:\\Icons\\tool.ico");
  w.reader.Add(withIco, "C:\\Tools\\tool.exe", "C:\\Icons\\tool.ico");
  w.reader.Add(broken, "C:\\Gone\\gone.exe");
  EXPECT_EQ(Picture(Add(withIco, 4)), "\x89PNG converted C:\\Icons\\tool.ico");
  // An .ico file that cannot be read gives the target's own icon; a shortcut to This PC,
  // which names no file, the shell's icon of the shortcut.
  for (const char* link : {"C:\\Links\\Odd.lnk", "C:\\Links\\This PC.lnk"}) w.fs.AddFile(link);
  w.fs.AddFile("C:\\Icons\\odd.ico");
  w.pictures.brokenIcons.insert("C:\\ICONS\\ODD.ICO");
  w.reader.Add("C:\\Links\\Odd.lnk", kEditor, "C:\\Icons\\odd.ico");
  w.reader.Add("C:\\Links\\This PC.lnk", "");
  EXPECT_EQ(Picture(Add("C:\\Links\\Odd.lnk", 7)), std::string("\x89PNG module ") + kEditor + ",0");
  EXPECT_EQ(Picture(Add("C:\\Links\\This PC.lnk", 8)), "\x89PNG shell C:\\Links\\This PC.lnk");
  // A shortcut to a document whose icon location holds no icon: the shell's icon of it.
  for (const char* file : {"C:\\Links\\Plan.lnk", "C:\\Docs\\plan.txt", "C:\\Tools\\old.dll"}) w.fs.AddFile(file);
  w.reader.Add("C:\\Links\\Plan.lnk", "C:\\Docs\\plan.txt", "C:\\Tools\\old.dll", 99);
  EXPECT_EQ(Picture(Add("C:\\Links\\Plan.lnk", 11)), "\x89PNG shell C:\\Links\\Plan.lnk");
  // A program without an icon of its own, and a shortcut to it, show the shell's picture.
  for (const char* file : {"C:\\Tools\\bare.exe", "C:\\Links\\Bare.lnk"}) w.fs.AddFile(file);
  w.reader.Add("C:\\Links\\Bare.lnk", "C:\\Tools\\bare.exe");
  for (const auto& [file, slot] : {std::pair{"C:\\Tools\\bare.exe", 9}, {"C:\\Links\\Bare.lnk", 10}})
    EXPECT_EQ(Picture(Add(file, slot)), "\x89PNG shell C:\\Tools\\bare.exe") << file;
  ShortcutItem& gone = Add(broken, 5);
  EXPECT_EQ(gone.IconFile, w.SysIcon("Problem.png"));
  EXPECT_EQ(gone.Title, "Gone");
  // A shortcut the shell cannot read names no target: it stays a shortcut.
  w.fs.AddFile("C:\\Links\\Unreadable.lnk");
  EXPECT_EQ(Add("C:\\Links\\Unreadable.lnk", 6).IconFile, w.SysIcon("Problem.png"));
}

TEST_F(ItemCreationTest, InternetShortcutsShowTheirOwnPictureOrTheInternetPicture) {
  w.fs.AddFile("C:\\Icons\\site.ico");
  const struct {
    const char* link;
    const char* iconFile;
    int32_t iconIndex;
    std::string picture;  // the written picture's text, or the shared picture's path
  } cases[] = {
      {"C:\\Links\\Module.url", kShell32, 13, std::string("\x89PNG module ") + kShell32 + ",13"},
      {"C:\\Links\\Ico.url", "C:\\Icons\\site.ico", 0, "\x89PNG converted C:\\Icons\\site.ico"},
      {"C:\\Links\\Plain.url", "", 0, w.SysIcon("Internet.png")},
      {"C:\\Links\\Web.url", "https://example.org/favicon.ico", 0, w.SysIcon("Internet.png")},
  };
  int slot = 4;
  for (const auto& c : cases) {
    w.fs.AddFile(c.link, "[InternetShortcut]");
    w.reader.Add(c.link, "https://example.org/", c.iconFile, c.iconIndex);
    ShortcutItem& item = Add(c.link, slot++);
    EXPECT_EQ(item.Target, "https://example.org/") << c.link;
    const std::string shown = item.IconFile.rfind(w.folders.SysIconDir, 0) == 0 ? item.IconFile : Picture(item);
    EXPECT_EQ(shown, c.picture) << c.link;
  }
  // A shortcut to an Internet shortcut shows the picture that one names.
  w.fs.AddFile("C:\\Links\\Ico.lnk");
  w.reader.Add("C:\\Links\\Ico.lnk", "C:\\Links\\Ico.url", "", 0);
  EXPECT_EQ(Picture(Add("C:\\Links\\Ico.lnk", slot)), "\x89PNG converted C:\\Icons\\site.ico");
}

TEST_F(ItemCreationTest, ProgramsAreTitledByTheirDescriptionOrTheirName) {
  test::VersionBytes described;
  described.strings = {{"FileDescription", "Handy Editor"}};
  w.versions.resources[ToUpperAscii(kEditor)] = described.Build();
  ShortcutItem& editor = Add(kEditor, 4);
  EXPECT_EQ(editor.Title, "Handy Editor");
  EXPECT_EQ(editor.PathKind, PathKind::kProgram);
  EXPECT_EQ(editor.Target, kEditor);
  EXPECT_EQ(Picture(editor), std::string("\x89PNG module ") + kEditor + ",0");

  w.fs.AddFile("C:\\Tools\\plain.exe");
  EXPECT_EQ(Add("C:\\Tools\\plain.exe", 5).Title, "plain");
  // A description the code page cannot hold would be stored garbled: the name is used.
  test::VersionBytes chinese;
  chinese.strings = {{"FileDescription", "\xE8\xAE\xB0\xE4\xBA\x8B\xE6\x9C\xAC"}};
  w.fs.AddFile("C:\\Tools\\jishi.exe");
  w.versions.resources["C:\\TOOLS\\JISHI.EXE"] = chinese.Build();
  EXPECT_EQ(Add("C:\\Tools\\jishi.exe", 6).Title, "jishi");
  // An installer package keeps its extension and shows the shell's icon.
  w.fs.AddFile("C:\\Setup\\setup.msi");
  ShortcutItem& setup = Add("C:\\Setup\\setup.msi", 7);
  EXPECT_EQ(setup.Title, "setup.msi");
  EXPECT_EQ(Picture(setup), "\x89PNG shell C:\\Setup\\setup.msi");
}

TEST_F(ItemCreationTest, OtherFilesTakeTheirTypesPictureOrTheFilePicture) {
  ShortcutItem& notes = Add(kNotes, 4);
  EXPECT_EQ(notes.Title, "Notes.txt");
  EXPECT_EQ(Picture(notes), std::string("\x89PNG module ") + kShell32 + ",-152");
  w.fs.AddFile("C:\\Data\\blob.xyz");
  EXPECT_EQ(Add("C:\\Data\\blob.xyz", 5).IconFile, w.SysIcon("File.png"));
}

// --- Drives and folders -------------------------------------------------------------------

TEST_F(ItemCreationTest, DrivesAreTitledAndPicturedByTypeAndTheWindowsDrive) {
  const struct {
    const char* root;
    uint32_t type;
    const char* title;
    const char* picture;
  } cases[] = {
      {"C:\\", drive_type::kFixed, "Local Disk (C:)", "WinDrive.png"},
      {"D:", drive_type::kFixed, "Local Disk (D:)", "FixedDrive.png"},
      {"A:\\", drive_type::kRemovable, "Floppy Disk (A:)", "FloppyDrive.png"},
      {"F:\\", drive_type::kRemovable, "Removable Disk (F:)", "RemDrive.png"},
      {"N:\\", drive_type::kRemote, "Remote Disk (N:)", "RemoteDrive.png"},
      {"E:\\", drive_type::kCdRom, "DVD/CD - Drive (E:)", "DVDDrive.png"},
      {"R:\\", drive_type::kRamDisk, "RAM Disk (R:)", "RamDrive.png"},
      {"Q:\\", 9, "Unknown Drive (Q:)", "UnknownDrive.png"},
  };
  int slot = 4;
  for (const auto& c : cases) {
    w.drives.Add(std::string(c.root, 2) + "\\", c.type);
    w.fs.AddFolder(std::string(c.root, 2) + "\\");
    ShortcutItem& item = Add(c.root, slot);
    EXPECT_EQ(item.Title, c.title);
    EXPECT_EQ(item.IconFile, w.SysIcon(c.picture)) << c.root;
    EXPECT_EQ(item.Link, c.root);
    EXPECT_EQ(item.ImageIndex, slot++);
  }
}

TEST_F(ItemCreationTest, SpecialFoldersByNameAndOtherFoldersByTheirOwnName) {
  EXPECT_EQ(Add("C:\\users\\tester\\Documents", 4).Title, "My Documents");
  EXPECT_EQ(w.item(4).IconFile, w.SysIcon("DocFolder.png"));
  EXPECT_EQ(Add("c:\\USERS\\tester\\", 5).Title, "tester");  // the profile: the user's name
  EXPECT_EQ(w.item(5).IconFile, w.SysIcon("UserFolder.png"));
  w.fs.AddFolder("C:\\users\\tester\\Documents\\Tax.2024");
  ShortcutItem& sub = Add("C:\\users\\tester\\Documents\\Tax.2024\\", 6);
  EXPECT_EQ(sub.Title, "Tax.2024");
  EXPECT_EQ(sub.IconFile, w.SysIcon("Folder.png"));
  EXPECT_EQ(Add("C:\\windows\\system32", 7).Title, "System Directory");
}

TEST_F(ItemCreationTest, ShortcutsToFoldersAndDrivesKeepTheirNameAndShowTheFoldersPicture) {
  w.drives.Add("D:\\", drive_type::kFixed);
  w.fs.AddFolder("D:\\");
  w.fs.AddFolder("C:\\Work\\Projects.v2");
  const struct {
    const char *link, *target, *picture;
  } cases[] = {
      {"C:\\Links\\Docs.lnk", "C:\\users\\tester\\Documents", "DocFolder.png"},
      {"C:\\Links\\Data.lnk", "D:\\", "FixedDrive.png"},
      {"C:\\Links\\Work.lnk", "C:\\Work\\Projects.v2", "Folder.png"},
  };
  int slot = 4;
  for (const auto& c : cases) {
    w.fs.AddFile(c.link);
    w.reader.Add(c.link, c.target);
    const ShortcutItem& item = Add(c.link, slot++);
    EXPECT_EQ(item.Title, DisplayNameFromPath(c.link, false));
    EXPECT_EQ(item.IconFile, w.SysIcon(c.picture)) << c.link;
  }
}

TEST_F(ItemCreationTest, FolderAfterAShortcutKeepsItsOwnTarget) {
  const std::string link = "C:\\Links\\Editor.lnk";
  w.fs.AddFile(link);
  w.reader.Add(link, kEditor, "", 0, "-x");
  Add(link, 4);
  ShortcutItem& folder = Add("C:\\users\\tester\\Music", 5);
  EXPECT_EQ(folder.Target, "C:\\users\\tester\\Music");
  EXPECT_EQ(folder.Arguments, "");
}

// --- Placing --------------------------------------------------------------------------------

TEST_F(ItemCreationTest, ReplacingARingShortcutAsksFirst) {
  Add(kEditor, 4);
  const std::string oldPicture = w.item(4).IconFile;
  w.prompt.answers = {PromptAnswer::kNo};
  EXPECT_EQ(w.items.AddItemFromPath(kNotes, 4).outcome, AddOutcome::kDeclined);
  EXPECT_EQ(w.item(4).Link, kEditor);
  ASSERT_EQ(w.prompt.asked.size(), 1u);
  EXPECT_EQ(w.prompt.asked[0].text, kReplaceShortcutQuestion);
  EXPECT_EQ(w.prompt.asked[0].title, kReplaceShortcutTitle);
  EXPECT_TRUE(w.prompt.asked[0].defaultNo);

  w.prompt.answers = {PromptAnswer::kYes};
  ShortcutItem& notes = Add(kNotes, 4);
  EXPECT_EQ(notes.Link, kNotes);
  EXPECT_EQ(notes.Title, "Notes.txt");
  // The old picture file was freed and its name taken again by the new picture.
  EXPECT_EQ(notes.IconFile, oldPicture);
  EXPECT_EQ(Picture(notes), std::string("\x89PNG module ") + kShell32 + ",-152");
  EXPECT_EQ(w.pictures.released.back(), 4);
}

TEST_F(ItemCreationTest, TheSameFileJoinsAGroupOnceButTwoGroupsBoth) {
  w.MakeGroup(4, "Tools");
  w.MakeGroup(5, "More");
  EXPECT_TRUE(w.items.AddItemFromPath(kNotes, 4).added());
  EXPECT_EQ(w.items.AddItemFromPath(std::string("  ") + kNotes + " ", 4).outcome, AddOutcome::kDuplicate);
  EXPECT_TRUE(w.items.AddItemFromPath(kNotes, 5).added());
  EXPECT_EQ(w.Members(4).size(), 1u);
  EXPECT_EQ(w.Members(5).size(), 1u);
  EXPECT_EQ(w.item(w.Members(4)[0]).Kind, ItemKind::kMember);
  EXPECT_NE(w.Members(4)[0], w.Members(5)[0]);
}

TEST_F(ItemCreationTest, GroupTitleSuffixesFollowTheMemberCount) {
  w.MakeGroup(4, "Tools");
  for (int i = 0; i < 36; ++i) {
    const std::string path = "C:\\Many\\file" + std::to_string(i) + ".txt";
    w.fs.AddFile(path);
    w.items.AddItemFromPath(path, 4);
  }
  EXPECT_EQ(w.item(4).Title, "Tools (Full)");
  w.fs.AddFile("C:\\Many\\one more.txt");
  EXPECT_EQ(w.items.AddItemFromPath("C:\\Many\\one more.txt", 4).outcome, AddOutcome::kFull);
  const std::vector<int> members = w.Members(4);
  EXPECT_TRUE(w.items.DeleteItem(members[5], true));
  EXPECT_EQ(w.item(4).Title, "Tools");
  EXPECT_EQ(w.Members(4).size(), 35u);
  EXPECT_EQ(w.Members(4)[5], members[6]);  // the gap is closed
  for (int m : w.Members(4)) w.items.RemoveGroupMember(m);
  EXPECT_EQ(w.item(4).Title, "Tools (Empty)");
}

TEST_F(ItemCreationTest, PathsTheConfigurationCannotKeepAreStoredByShortNameOrRefused) {
  const std::string greek = "C:\\users\\tester\\Documents\\\xCE\xB1\xCE\xB2.txt";  // not in Windows-1252
  w.fs.AddFile(greek);
  EXPECT_EQ(w.items.AddItemFromPath(greek, 4).outcome, AddOutcome::kNotStorable);
  ASSERT_EQ(w.prompt.asked.size(), 1u);
  EXPECT_EQ(w.prompt.asked[0].text, std::string(kPathNotStorable) + "\r\n\r\n" + greek);
  EXPECT_EQ(w.item(4).Kind, ItemKind::kEmptyPosition);
  EXPECT_FALSE(w.items.SetItemPath(greek, 4));
  EXPECT_EQ(w.item(4).Kind, ItemKind::kEmptyPosition);

  const std::string tooLong = "C:\\" + std::string(250, 'x') + ".txt";
  w.fs.AddFile(tooLong);
  EXPECT_EQ(w.items.AddItemFromPath(tooLong, 4).outcome, AddOutcome::kNotStorable);
  // Where the volume keeps a short name, that is stored, and the long name titles it.
  w.shortPaths.names[greek] = "C:\\users\\tester\\DOCUME~1\\A~1.TXT";
  const ShortcutItem& kept = Add(greek, 6);
  EXPECT_EQ(kept.Link, w.shortPaths.names[greek]);
  EXPECT_EQ(kept.Title, "\xCE\xB1\xCE\xB2.txt");
  // Read back from the file as "??.txt", it is the long name again; the user's "Which?" stays.
  w.item(6).Title = "??.txt";
  Add(greek, 7).Title = "Which?";
  EXPECT_TRUE(w.items.RestoreLongTitles());
  EXPECT_EQ(kept.Title, "\xCE\xB1\xCE\xB2.txt");
  EXPECT_EQ(w.item(7).Title, "Which?");
  // Western letters are in the code page and are kept.
  const std::string german = "C:\\B\xC3\xBC" "cher\\Liste.txt";
  w.fs.AddFile(german);
  EXPECT_EQ(Add(german, 5).Title, "Liste.txt");
}

TEST_F(ItemCreationTest, AShortcutWhoseTargetOrArgumentsCannotBeKeptNamesItself) {
  // A target outside the code page; arguments outside it; arguments too long (a web app's).
  const struct {
    const char* target;
    std::string arguments;
  } cases[] = {{"C:\\Docs\\\xCE\xB1.exe", "\xCE\xB2"},
               {"C:\\Apps\\browser.exe", "\xCE\xB2"},
               {"C:\\Apps\\browser.exe", "--app-id=" + std::string(130, 'a')}};
  int slot = 4;
  for (const auto& c : cases) {
    const std::string link = "C:\\Links\\" + std::to_string(slot) + ".lnk";
    w.fs.AddFile(link);
    w.fs.AddFile(c.target);
    w.reader.Add(link, c.target, "", 0, c.arguments);
    ShortcutItem& item = Add(link, slot++);
    EXPECT_EQ(item.Target, link) << c.arguments;
    EXPECT_EQ(item.Arguments, "") << c.arguments;
  }
  EXPECT_TRUE(w.prompt.asked.empty());
}

TEST_F(ItemCreationTest, TwoItemsNeverShareAPictureFileEvenWhenOneWasNotWritten) {
  w.registry.PutText(HKCR, ".abc", "", "abcfile");
  w.registry.PutText(HKCR, "abcfile\\DefaultIcon", "", "C:\\Icons\\abc.ico,0");
  w.fs.AddFile("C:\\Icons\\abc.ico");
  w.fs.AddFile("C:\\Data\\one.abc");
  w.fs.FailWrites = true;
  ShortcutItem& first = Add("C:\\Data\\one.abc", 4);
  w.fs.FailWrites = false;
  ShortcutItem& second = Add(kNotes, 5);
  EXPECT_NE(first.IconFile, second.IconFile);
}

TEST_F(ItemCreationTest, AnIconFolderCleanedAwayIsMadeAgainForTheNextPicture) {
  w.fs.RemoveTree(w.folders.UserDir);
  const ShortcutItem& editor = Add(kEditor, 4);
  EXPECT_EQ(editor.IconFile.rfind(w.folders.IconDir, 0), 0u) << editor.IconFile;
  EXPECT_TRUE(w.fs.Has(editor.IconFile));
}

// --- Setting a path, deleting ---------------------------------------------------------------

TEST_F(ItemCreationTest, SetItemPathRebuildsInPlaceByPosition) {
  Add(kEditor, 4);
  w.item(4).CustomIconFile = w.Icon("custom.png");
  w.item(4).RunMode = 2;
  ASSERT_TRUE(w.items.SetItemPath(kNotes, 4));
  EXPECT_EQ(w.item(4).Link, kNotes);
  EXPECT_EQ(w.item(4).CustomIconFile, "");  // fields the building does not set start empty
  EXPECT_EQ(w.item(4).RunMode, 0);
  ASSERT_TRUE(w.items.SetItemPath(kEditor, 200));
  EXPECT_EQ(w.item(200).Kind, ItemKind::kMember);
}

TEST_F(ItemCreationTest, DeletingAGroupAsksThenFreesEveryMember) {
  w.MakeGroup(4, "Tools");
  w.model.Groups[4].ShownItem = pool::kCentre;  // as a hostile file may say
  w.item(pool::kCentre).Title = "Ann";
  const int member = Add(kNotes, 4).ImageIndex;
  const std::string picture = w.item(member).IconFile;
  w.prompt.answers = {PromptAnswer::kNo};
  EXPECT_FALSE(w.items.DeleteItem(4, false));
  EXPECT_EQ(w.prompt.asked.back().title, kDeleteGroupTitle);
  EXPECT_EQ(w.prompt.asked.back().icon, PromptIcon::kQuestion);
  EXPECT_EQ(w.Members(4).size(), 1u);
  w.prompt.answers = {PromptAnswer::kYes};
  EXPECT_TRUE(w.items.DeleteItem(4, false));
  EXPECT_EQ(w.item(member).Kind, ItemKind::kFree);
  EXPECT_FALSE(w.fs.Has(picture));
  EXPECT_EQ(w.item(4).Kind, ItemKind::kEmptyPosition);
  EXPECT_EQ(w.item(4).Title, "Blank Shortcut");
  EXPECT_EQ(w.item(pool::kCentre).Title, "Ann");
  EXPECT_EQ(w.model.Groups[4].MemberCount(), 0);
}

TEST_F(ItemCreationTest, DeletingAllProgramsEmptiesItButKeepsIt) {
  w.MakeGroup(3, "All Programs Group", ItemKind::kAllPrograms);
  w.item(3).Link = "C:\\somewhere";
  Add(kNotes, 3);
  EXPECT_TRUE(w.items.DeleteItem(3, true));
  EXPECT_TRUE(w.prompt.asked.empty());
  EXPECT_EQ(w.item(3).Kind, ItemKind::kAllPrograms);
  EXPECT_EQ(w.item(3).Title, "All Programs Group (Empty)");
  EXPECT_EQ(w.item(3).Link, "");
  EXPECT_EQ(w.model.Groups[3].MemberCount(), 0);
}

// --- Icon repair ----------------------------------------------------------------------------

TEST_F(ItemCreationTest, RebuildWritesIntoTheItemsOwnFileOrFallsBack) {
  ShortcutItem& editor = Add(kEditor, 4);
  const std::string own = editor.IconFile;
  w.fs.Delete(own);
  w.items.RebuildItemIcon(4);
  EXPECT_EQ(editor.IconFile, own);
  EXPECT_TRUE(w.fs.Has(own));

  // A shared picture or a file beside the pictures is never written over: the fresh one
  // gets a file of its own.
  w.fs.AddFile(w.Icon("VEKCfg.cfg"), "settings");
  for (const std::string& named : {w.SysIcon("Gone.png"), w.Icon("VEKCfg.cfg")}) {
    editor.IconFile = named;
    w.items.RebuildItemIcon(4);
    EXPECT_TRUE(PathIsInFolder(editor.IconFile, w.folders.IconDir) && editor.IconFile != named);
  }
  EXPECT_EQ(w.fs.Text(w.Icon("VEKCfg.cfg")), "settings");

  // Its shortcut gone while its target, which a click starts, is there: the target's picture.
  editor.Link = "C:\\users\\tester\\Desktop\\Editor.lnk";
  w.items.RebuildItemIcon(4);
  EXPECT_EQ(w.fs.Text(editor.IconFile), std::string("\x89PNG module ") + kEditor + ",0");
  editor.Link = editor.Target = "C:\\Program Files\\Editor\\removed.exe";
  const std::string fresh = editor.IconFile;
  w.items.RebuildItemIcon(4);
  EXPECT_EQ(editor.IconFile, w.SysIcon("Problem.png"));
  EXPECT_FALSE(w.fs.Has(fresh));  // nothing of it is left in the icon folder
  // A document whose type's icon cannot be read: the plain file picture, the user's title.
  ShortcutItem& notes = Add(kNotes, 5);
  notes.Title = "My notes";
  w.pictures.modules.clear();
  w.items.RebuildItemIcon(5);
  EXPECT_EQ(std::pair(notes.IconFile, notes.Title), std::pair(w.SysIcon("File.png"), std::string("My notes")));
}

}  // namespace
}  // namespace vek
