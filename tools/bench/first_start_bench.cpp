// First start and second start of the model with 1,000 files on the desktop: the first
// start builds the seven default ring items from the desktop, the system folders, the
// accessories and the Office programs (the All Programs group takes every pool entry the
// other groups leave); the second start reads settings and ring back from the
// configuration files. Everything runs on the in-memory fake machine, so the figures are
// those of the portable logic; extracting real icons and painting add to them on Windows.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "support/item_world.h"

namespace {

using vek::test::ItemWorld;

constexpr int kDesktopFiles = 1000;

// A desktop of shortcuts to programs, documents and programs, plus the usual accessories
// and one Office program.
std::unique_ptr<ItemWorld> MakeMachine() {
  auto w = std::make_unique<ItemWorld>();
  const vek::Folders& f = w->folders;
  w->registry.PutText(vek::RegRoot::kClassesRoot, ".txt", "", "txtfile");
  w->registry.PutText(vek::RegRoot::kClassesRoot, "txtfile\\DefaultIcon", "",
                      "%SystemRoot%\\system32\\shell32.dll,-152", vek::reg_type::kExpandSz);
  const std::string shell32 = f.SystemDir + "shell32.dll";
  w->fs.AddFile(shell32);
  w->pictures.modules.insert(vek::ToUpperAscii(shell32));
  for (int i = 0; i < kDesktopFiles; ++i) {
    const std::string n = std::to_string(i);
    if (i % 2 == 0) {
      const std::string program = f.ProgramFilesDir + "App" + n + "\\app" + n + ".exe";
      w->fs.AddFile(program);
      w->pictures.modules.insert(vek::ToUpperAscii(program));
      w->fs.AddFile(f.DesktopDir + "App " + n + ".lnk");
      w->reader.Add(f.DesktopDir + "App " + n + ".lnk", program);
    } else if (i % 5 == 1) {
      w->fs.AddFile(f.DesktopDir + "tool" + n + ".exe");
      w->pictures.modules.insert(vek::ToUpperAscii(f.DesktopDir + "tool" + n + ".exe"));
    } else {
      w->fs.AddFile(f.DesktopDir + "notes " + n + ".txt", "text");
    }
  }
  for (const char* name : {"notepad.exe", "mspaint.exe", "calc.exe", "cmd.exe", "taskmgr.exe"}) {
    w->fs.AddFile(f.SystemDir + name);
    w->pictures.modules.insert(vek::ToUpperAscii(f.SystemDir + name));
  }
  w->fs.AddFile(f.ProgramFilesDir + "Office\\WINWORD.EXE");
  w->registry.PutText(vek::RegRoot::kClassesRoot, "Word.Application\\CLSID", "", "{W}");
  w->registry.PutText(vek::RegRoot::kClassesRoot, "CLSID\\{W}\\LocalServer32", "",
                      f.ProgramFilesDir + "Office\\WINWORD.EXE /automation");
  return w;
}

void BM_FirstStart(benchmark::State& state) {
  int members = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<ItemWorld> w = MakeMachine();
    state.ResumeTiming();
    w->LoadAtStart();
    state.PauseTiming();
    members = w->model.Groups[vek::pool::kAllProgramsSlot].MemberCount();
    w.reset();
    state.ResumeTiming();
  }
  state.counters["all_programs_members"] = members;
}
BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond);

void BM_SecondStart(benchmark::State& state) {
  std::unique_ptr<ItemWorld> w = MakeMachine();
  w->LoadAtStart();
  vek::SaveSettings(w->model, w->io);
  vek::SaveMenu(w->model, w->io);
  const std::vector<vek::ShortcutItem> saved = w->model.Items;
  for (auto _ : state) {
    w->model = vek::Model();
    w->LoadAtStart();
  }
  if (w->model.Items != saved) state.SkipWithError("the ring read back differs from the one saved");
  state.counters["all_programs_members"] = w->model.Groups[vek::pool::kAllProgramsSlot].MemberCount();
}
BENCHMARK(BM_SecondStart)->Unit(benchmark::kMillisecond);

}  // namespace
