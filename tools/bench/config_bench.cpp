// SaveMenu and LoadMenu on a real disk beside the floor: a plain write and a plain read
// of the same 1.3 MB through the same file system. The "x_floor" counter of each
// benchmark is its time divided by the floor's time (target: within 2). The disk is a
// fresh folder in the build folder (or under $VEK_BENCH_DIR); the program's Windows paths
// map into it.
//
// The writes run twice: /0 leaves the data to the page cache, /1 flushes every written
// file to the disk before closing it, as the Windows file system of the program does.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/config_files.h"
#include "core/menu_record.h"
#include "support/fake_codec.h"

using namespace vek;

namespace {

// The file system interface over POSIX calls, rooted in one folder.
class DiskFileSystem : public FileSystem {
 public:
  explicit DiskFileSystem(std::string root) : root_(std::move(root)) {}
  void FlushWrites(bool flush) { flush_ = flush; }

  std::string Map(const std::string& path) const {
    std::string out = root_;
    out += '/';
    for (char c : path) {
      if (c == ':') continue;
      out += c == '\\' ? '/' : c;
    }
    while (out.size() > root_.size() + 1 && out.back() == '/') out.pop_back();
    return out;
  }

  uint32_t Attributes(const std::string& path) override {
    struct stat st;
    if (stat(Map(path).c_str(), &st) != 0) return attr::kInvalid;
    return S_ISDIR(st.st_mode) ? attr::kDirectory : attr::kArchive;
  }
  bool ReadAll(const std::string& path, Bytes& out) override {
    const int fd = open(Map(path).c_str(), O_RDONLY);
    if (fd < 0) return false;
    struct stat st;
    bool ok = fstat(fd, &st) == 0;
    if (ok) {
      out.resize(static_cast<size_t>(st.st_size));
      size_t got = 0;
      while (ok && got < out.size()) {
        const ssize_t n = read(fd, out.data() + got, out.size() - got);
        ok = n > 0;
        if (ok) got += static_cast<size_t>(n);
      }
    }
    close(fd);
    return ok;
  }
  bool ReadRange(const std::string& path, uint64_t offset, size_t count, Bytes& out) override {
    Bytes all;
    if (!ReadAll(path, all) || offset > all.size() || count > all.size() - offset) return false;
    out.assign(all.begin() + static_cast<long>(offset), all.begin() + static_cast<long>(offset + count));
    return true;
  }
  bool WriteAll(const std::string& path, const Bytes& data) override {
    const int fd = open(Map(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    bool ok = true;
    while (ok && done < data.size()) {
      const ssize_t n = write(fd, data.data() + done, data.size() - done);
      ok = n > 0;
      if (ok) done += static_cast<size_t>(n);
    }
    if (ok && flush_) ok = fdatasync(fd) == 0;
    return close(fd) == 0 && ok;
  }
  bool Delete(const std::string& path) override { return unlink(Map(path).c_str()) == 0; }
  bool Copy(const std::string& from, const std::string& to) override {
    Bytes data;
    return ReadAll(from, data) && WriteAll(to, data);
  }
  bool Move(const std::string& from, const std::string& to) override {
    return rename(Map(from).c_str(), Map(to).c_str()) == 0;
  }
  bool CreateFolder(const std::string& path) override {
    std::error_code ec;
    std::filesystem::create_directories(Map(path), ec);
    return Attributes(path) == attr::kDirectory;
  }
  std::vector<DirEntry> List(const std::string& folder, const std::string& pattern) override {
    std::vector<DirEntry> out;
    DIR* dir = opendir(Map(folder).c_str());
    if (!dir) return out;
    while (dirent* e = readdir(dir))
      if (fnmatch(pattern.c_str(), e->d_name, FNM_CASEFOLD) == 0) out.push_back({e->d_name, attr::kArchive});
    closedir(dir);
    return out;
  }
  int64_t Length(const std::string& path) override {
    struct stat st;
    return stat(Map(path).c_str(), &st) == 0 ? st.st_size : -1;
  }

 private:
  std::string root_;
  bool flush_ = false;
};

class NoPrompt : public UserPrompt {
 public:
  PromptAnswer Ask(const PromptRequest& r) override {
    std::fprintf(stderr, "prompt: %s\n", r.text.c_str());
    return PromptAnswer::kOk;
  }
};

// The disk, the folders and a model as a user with a few hundred shortcuts has it.
struct Setup {
  Setup() {
    const char* base = std::getenv("VEK_BENCH_DIR");
    std::string tmpl = (base ? std::string(base) : std::string(VEK_BENCH_OUTPUT_DIR)) +
                       "/vek-config-bench-XXXXXX";
    root = mkdtemp(tmpl.data()) ? tmpl : std::string();
    fs = std::make_unique<DiskFileSystem>(root);
    folders.IconDir = "C:\\Users\\tester\\AppData\\Roaming\\Kestrovan\\VekIcons\\";
    folders.SysIconDir = "C:\\Program Files\\VEK Desktop\\SysIcons\\";
    folders.MenuFile = folders.IconDir + "VEKMenu.cfg";
    folders.SettingsFile = folders.IconDir + "VEKCfg.cfg";
    fs->CreateFolder(folders.IconDir);
    for (int g = 0; g < pool::kGroupCount; ++g) model.Groups[g].ShownItem = g;
    int member = pool::kMemberFirst;
    for (int i = 1; i <= pool::kRingLast; ++i) {
      ShortcutItem& it = model.Items[i];
      it.Kind = i % 5 == 0 ? ItemKind::kGroup : ItemKind::kShortcut;
      it.ImageIndex = i;
      it.Title = "Ring item " + std::to_string(i);
      it.Link = "C:\\Program Files\\Vendor " + std::to_string(i) + "\\Application.exe";
      it.Target = it.Link;
      it.IconFile = folders.IconDir + std::to_string(i) + ".png";
      if (it.Kind != ItemKind::kGroup) continue;
      for (int k = 0; k < 30 && member <= pool::kLast; ++k, ++member) {
        ShortcutItem& m = model.Items[member];
        m.Kind = ItemKind::kMember;
        m.ImageIndex = member;
        m.Title = "Document " + std::to_string(member);
        m.Link = "D:\\Users\\tester\\Documents\\Projects\\Caf\xC3\xA9\\Report " +
                 std::to_string(member) + ".docx";
        m.IconFile = folders.IconDir + std::to_string(member) + ".png";
        model.AddMember(i, member);
      }
    }
    io = std::make_unique<ConfigIo>(ConfigIo{*fs, codec, prompt, folders});
    EncodeMenu(model.Groups, model.Items, codec, bytes);
  }
  ~Setup() {
    std::error_code ec;
    if (!root.empty()) std::filesystem::remove_all(root, ec);
  }

  std::string root;
  std::unique_ptr<DiskFileSystem> fs;
  test::FakeAnsiCodec codec;
  NoPrompt prompt;
  Folders folders;
  Model model;
  std::unique_ptr<ConfigIo> io;
  Bytes bytes;
};

Setup& S() {
  static Setup setup;
  return setup;
}

using Clock = std::chrono::steady_clock;

// Times `op` and, as many times, the floor operation; reports the ratio.
template <typename Op, typename Floor>
void Compare(benchmark::State& state, Op op, Floor floor) {
  double opSeconds = 0, floorSeconds = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    if (!op()) state.SkipWithError("operation failed");
    const auto t1 = Clock::now();
    opSeconds += std::chrono::duration<double>(t1 - t0).count();
    state.PauseTiming();
    const auto f0 = Clock::now();
    if (!floor()) state.SkipWithError("floor operation failed");
    floorSeconds += std::chrono::duration<double>(Clock::now() - f0).count();
    state.ResumeTiming();
  }
  state.counters["floor_us"] = benchmark::Counter(floorSeconds * 1e6 / state.iterations());
  state.counters["x_floor"] = benchmark::Counter(floorSeconds > 0 ? opSeconds / floorSeconds : 0);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kMenuFileSize));
}

void BM_SaveMenu(benchmark::State& state) {
  Setup& s = S();
  s.fs->FlushWrites(state.range(0) != 0);
  // The floor is what any safe replacement of the file costs: one write of the bytes and
  // one rename over the old file.
  const std::string plain = s.folders.IconDir + "plain.bin";
  const std::string plainTemp = plain + ".tmp";
  Compare(state, [&] { return SaveMenu(s.model, *s.io); },
          [&] { return s.fs->WriteAll(plainTemp, s.bytes) && s.fs->Move(plainTemp, plain); });
  s.fs->FlushWrites(false);
}

void BM_LoadMenu(benchmark::State& state) {
  Setup& s = S();
  const std::string plain = s.folders.IconDir + "plain.bin";
  s.fs->WriteAll(plain, s.bytes);
  SaveMenu(s.model, *s.io);
  Model target;
  Compare(state, [&] { return LoadMenu(target, *s.io); },
          [&] {
            Bytes buffer;  // a plain read has its buffer to fill, as LoadMenu does
            return s.fs->ReadAll(plain, buffer);
          });
}

void BM_PlainWrite(benchmark::State& state) {
  Setup& s = S();
  s.fs->FlushWrites(state.range(0) != 0);
  const std::string plain = s.folders.IconDir + "plain.bin";
  for (auto _ : state) benchmark::DoNotOptimize(s.fs->WriteAll(plain, s.bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(s.bytes.size()));
  s.fs->FlushWrites(false);
}

void BM_PlainRead(benchmark::State& state) {
  Setup& s = S();
  const std::string plain = s.folders.IconDir + "plain.bin";
  s.fs->WriteAll(plain, s.bytes);
  for (auto _ : state) {
    Bytes buffer;
    benchmark::DoNotOptimize(s.fs->ReadAll(plain, buffer));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(s.bytes.size()));
}

void BM_EncodeMenu(benchmark::State& state) {
  Setup& s = S();
  for (auto _ : state) {
    Bytes out;
    out.reserve(kMenuFileSize);
    EncodeMenu(s.model.Groups, s.model.Items, s.codec, out);
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_DecodeMenu(benchmark::State& state) {
  Setup& s = S();
  for (auto _ : state) {
    MenuContents contents;
    benchmark::DoNotOptimize(DecodeMenu(s.bytes.data(), s.bytes.size(), s.codec, contents).ok);
  }
}

}  // namespace

BENCHMARK(BM_PlainWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveMenu)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadMenu)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EncodeMenu)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeMenu)->Unit(benchmark::kMicrosecond);
