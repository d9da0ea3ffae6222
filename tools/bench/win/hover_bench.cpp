// The hover repaint of the dock: the pointer goes from one ring slot to the next and the
// dock redraws and pushes its picture (DockAction). Prints, in one run, the median time
// of that repaint done the literal way (a window over the whole screen: clear the whole
// bitmap with GDI+, redraw everything, push the whole bitmap) and the program's way (a
// window as large as the ring: redraw and push only what changed), one push of a 1×1
// changed area of a screen-sized layered window (the system's cost of any push there),
// and the time to copy one screen of pixels in memory. The same hover in key mode: the
// literal way draws the dimmed screen into its screen-sized window, the program's way
// leaves it to the backdrop's window, which a hover does not touch; and one step of the
// fade that hides the dock in key mode, both ways.
// Then the group menu of an All Programs group of 879 members: the time from the click's
// request to its first page painted and pushed, against one push of the menu's window.
//
//   hover_bench.exe [ROUNDS]     (default 10 rounds of the 24 slots)
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "dock/win/dock_window.h"
#include "menu/win/group_menu_window.h"
#include "platform/win/window.h"
#include "render_support.h"
#include "test_files.h"

namespace {

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Stats {
  double median = 0, p90 = 0, min = 0;
};

Stats Summarise(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  Stats s;
  if (times.empty()) return s;
  s.median = times[times.size() / 2];
  s.p90 = times[times.size() * 9 / 10];
  s.min = times.front();
  return s;
}

// A ring of 24 different pictures and a titled centre, as a filled dock looks.
void FillRing(vek::AppContext& app) {
  static const char* const kPictures[] = {
      "My Computer.png", "RecycleEmpty.png", "All Programs Group.png", "Internet.png",
      "Mailbox.png", "Library.png", "WinGroup.png", "Microsoft Office Group.png",
      "SearchInternet.png", "Application.png", "Folder.png", "DocFolder.png",
      "MusicFolder.png", "PicFolder.png", "VideoFolder.png", "Setting.png",
      "Printer.png", "Network.png", "Run.png", "Search.png",
      "CPanel.png", "Display.png", "Personal.png", "Desktop.png"};
  vek::Model& model = app.model;
  model.Items[0].Kind = vek::ItemKind::kCentre;
  model.Items[0].Title = "Ada Lovelace";
  for (int i = 1; i <= 24; ++i) {
    vek::ShortcutItem& item = model.Items[i];
    item.Kind = vek::ItemKind::kShortcut;
    item.Title = std::string(kPictures[i - 1]).substr(0, std::strlen(kPictures[i - 1]) - 4);
    item.IconFile = app.folders.SysIconDir + kPictures[i - 1];
    item.ImageIndex = i;
  }
  for (int g = 0; g <= 36; ++g) model.Groups[g].ShownItem = g;  // position g shows item g
}

// All Programs on a crowded desktop: 879 members with pictures and long-ish titles.
constexpr int kCrowdedGroup = 879;

// One push of the window with a 1×1 changed area: what the system takes for any push.
double TimeOnePush(HWND window, HDC source, int width, int height) {
  SIZE size{width, height};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  RECT one{0, 0, 1, 1};
  UPDATELAYEREDWINDOWINFO info{};
  info.cbSize = sizeof(info);
  info.psize = &size;
  info.hdcSrc = source;
  info.pptSrc = &origin;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  info.prcDirty = &one;
  const double start = NowMs();
  UpdateLayeredWindowIndirect(window, &info);
  return NowMs() - start;
}

// Opens and closes the crowded menu `times` times. Each open (the first page painted and
// pushed, the window shown) is followed by one timed push of the open menu, so that
// `beyond` gets what the open took more than a push at the same moment of a shared
// machine. The first open also makes the pictures of the page's captions.
void MenuOpenings(vek::GroupMenuWindow& menu, int times, std::vector<double>& opens, std::vector<double>& beyond) {
  for (int i = 0; i < times; ++i) {
    const double start = NowMs();
    menu.MenuFocus(true, 3);
    const double open = NowMs() - start;
    vek::win::PumpPendingMessages();
    const double push = TimeOnePush(menu.hwnd(), menu.surface().dc(), menu.surface().width(), menu.surface().height());
    opens.push_back(open);
    beyond.push_back(open - push);
    vek::win::PumpPendingMessages();
    menu.CloseMenu(true);
    vek::win::PumpPendingMessages();
  }
}

using Painting = vek::win::DockSurface::Painting;

// Hovers the slots in ring order, `rounds` times, timing each repaint. The two ways take
// turns hover by hover (and swap turns every round, so each slot is measured both ways),
// so that neither profits from a quieter moment of a shared machine. Each repaint starts
// from the picture the previous one left, whichever way drew it.
void HoverRounds(vek::DockWindow& literalDock, vek::DockWindow& dock, int rounds, std::vector<double>& literal,
                 std::vector<double>& program) {
  const vek::DockGeometry& g = dock.geometry();
  for (int r = 0; r < rounds; ++r) {
    for (int slot = 1; slot <= 24; ++slot) {
      for (int turn = 0; turn < 2; ++turn) {
        const bool whole = (slot + r + turn) % 2 == 0;
        vek::DockWindow& d = whole ? literalDock : dock;
        const vek::SlotBox& b = g.DockPos[slot];
        const double start = NowMs();
        d.SelectAt(b.X + b.Size / 2, b.Y + b.Size / 2);
        (whole ? literal : program).push_back(NowMs() - start);
        vek::win::PumpPendingMessages();
      }
    }
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
  {
    vek::AppContext app;
    app.folders.SysIconDir = vek::test::SourceFolder() + "resources\\SysIcons\\";
    app.folders.IconDir = vek::test::SourceFolder() + "no-such-folder\\";
    FillRing(app);
    vek::test::FillAllPrograms(app, kCrowdedGroup, {"Application.png", "Folder.png", "DocFolder.png", "Internet.png"},
                               "Program number ", " of the crowded desktop");
    vek::DockWindow dock(vek::test::DockParts(app));
    // The baseline: the same dock in a window over the whole screen, drawn the literal way.
    vek::DockWindow literalDock(vek::test::DockParts(app));
    literalDock.set_whole_screen(true);
    literalDock.surface().set_painting(Painting::kWholeFrame);
    if (!dock.Load() || !literalDock.Load()) {
      std::fprintf(stderr, "hover_bench: the dock window could not be made\n");
      return 1;
    }
    dock.LoadAllImages();
    literalDock.LoadAllImages();
    for (vek::DockWindow* d : {&literalDock, &dock}) {
      d->Show();
      d->Activate(true);
    }
    vek::win::PumpPendingMessages();
    const int width = literalDock.surface().width(), height = literalDock.surface().height();

    // One round to make the sprites and warm the caches, then the measured rounds.
    std::vector<double> literal, program;
    HoverRounds(literalDock, dock, 2, literal, program);
    literal.clear();
    program.clear();
    HoverRounds(literalDock, dock, rounds, literal, program);

    // Key mode: the screen dimmed, the letters shown.
    for (vek::DockWindow* d : {&literalDock, &dock}) d->SetKeyMode(true);
    vek::win::PumpPendingMessages();
    std::vector<double> literalKey, programKey;
    HoverRounds(literalDock, dock, 1, literalKey, programKey);
    literalKey.clear();
    programKey.clear();
    const int backdropBefore = dock.backdrop().changes();
    HoverRounds(literalDock, dock, rounds, literalKey, programKey);
    const int backdropChanges = dock.backdrop().changes() - backdropBefore;
    // A step of the fade: the same frame under another window-wide alpha.
    std::vector<double> literalFade, programFade;
    for (int i = 0; i < 20; ++i) {
      const BYTE alpha = static_cast<BYTE>(vek::FadeAlpha(31 - i % 2));
      for (vek::DockWindow* d : {&literalDock, &dock}) {
        const double start = NowMs();
        d->PushFrame(alpha);
        (d == &dock ? programFade : literalFade).push_back(NowMs() - start);
        vek::win::PumpPendingMessages();
      }
    }
    for (vek::DockWindow* d : {&literalDock, &dock}) {
      d->PushFrame(255);
      d->SetKeyMode(false);
    }
    vek::win::PumpPendingMessages();

    // The floor: one frame copied in memory.
    std::vector<uint32_t> copy(static_cast<size_t>(width) * height);
    std::vector<double> copies;
    for (int i = 0; i < 50; ++i) {
      const double start = NowMs();
      std::memcpy(copy.data(), literalDock.surface().bits(), copy.size() * 4);
      copies.push_back(NowMs() - start);
    }

    // What the system itself takes for one push of a screen-sized window, however little
    // changed.
    std::vector<double> pushes;
    for (int i = 0; i < 30; ++i) {
      pushes.push_back(TimeOnePush(literalDock.hwnd(), literalDock.surface().dc(), width, height));
      vek::win::PumpPendingMessages();  // as between two hovers
    }

    // The group menu: opened and closed, first cold, then warm.
    vek::test::QuietMenuActions menuActions;
    vek::GroupMenuWindow menu(app.model, app.modal, dock.geometry(), dock.images(),
                         [&dock](int i) { dock.LoadItemIcon(i); }, menuActions);
    std::vector<double> firstOpen, firstBeyond, opens, beyond, pagePaints, pageBeyond, freshPages;
    if (menu.Load()) {
      menu.SetRowsPerPage(dock.geometry().screen.ScreenHeight);
      // As in the program, the messages run between loading and the first click.
      vek::win::PumpPendingMessages();
      MenuOpenings(menu, 1, firstOpen, firstBeyond);
      MenuOpenings(menu, 20, opens, beyond);
      // The page alone: painted into the shown window and pushed, from an empty picture.
      menu.MenuFocus(true, 3);
      const vek::DockFrame page = menu.controller().frame();
      for (int i = 0; i < 20; ++i) {
        menu.surface().Present(vek::DockFrame{}, dock.images(), 255);
        vek::win::PumpPendingMessages();
        const double start = NowMs();
        menu.surface().Present(page, dock.images(), 255);
        const double paint = NowMs() - start;
        vek::win::PumpPendingMessages();
        pagePaints.push_back(paint);
        pageBeyond.push_back(paint - TimeOnePush(menu.hwnd(), menu.surface().dc(), menu.surface().width(), menu.surface().height()));
        vek::win::PumpPendingMessages();
      }
      // Pages never shown before: new captions to make, letters mostly made.
      for (int i = 0; i < 20; ++i) {
        const double start = NowMs();
        menu.controller().KeyDown(vek::menu_key::kPageDown);
        freshPages.push_back(NowMs() - start);
        vek::win::PumpPendingMessages();
      }
      menu.CloseMenu(true);
    } else {
      std::fprintf(stderr, "hover_bench: the menu window could not be made\n");
    }

    const Stats l = Summarise(literal), p = Summarise(program), c = Summarise(copies),
                u = Summarise(pushes);
    std::printf("hover repaint (DockAction: draw + push), screen %dx%d, ring window %dx%d, %zu hovers each\n",
                width, height, dock.surface().width(), dock.surface().height(), literal.size());
    std::printf("  literal way  (screen window: GDI+ clear, redraw all, push all): median %6.2f ms  p90 %6.2f  min %6.2f\n",
                l.median, l.p90, l.min);
    std::printf("  program's way (ring window: redraw + push changed areas)      : median %6.2f ms  p90 %6.2f  min %6.2f\n",
                p.median, p.p90, p.min);
    std::printf("  one push of a 1x1 changed area of a screen window (baseline)  : median %6.2f ms\n", u.median);
    std::printf("  one screen of pixels copied in memory                         : median %6.2f ms\n", c.median);
    std::printf("  program's way / screen push: %.2f (target <= 0.33);  literal / program: %.1fx\n",
                u.median > 0 ? p.median / u.median : 0.0, p.median > 0 ? l.median / p.median : 0.0);
    const Stats lk = Summarise(literalKey), pk = Summarise(programKey), lf = Summarise(literalFade),
                pf = Summarise(programFade);
    std::printf("key mode hover (screen dimmed, letters shown), %zu hovers each\n", literalKey.size());
    std::printf("  literal way  (screen window, the dimming drawn in)            : median %6.2f ms  p90 %6.2f  min %6.2f\n",
                lk.median, lk.p90, lk.min);
    std::printf("  program's way (ring window over the backdrop's window)        : median %6.2f ms  p90 %6.2f  min %6.2f\n",
                pk.median, pk.p90, pk.min);
    std::printf("  backdrop window changes during the hovers: %d\n", backdropChanges);
    std::printf("  program's way / screen push: %.2f (target <= 0.33);  literal / program: %.1fx\n",
                u.median > 0 ? pk.median / u.median : 0.0, pk.median > 0 ? lk.median / pk.median : 0.0);
    std::printf("  one step of the fade, literal way / program's way             : median %6.2f ms / %6.2f ms\n",
                lf.median, pf.median);
    if (!opens.empty()) {
      const Stats o = Summarise(opens), b = Summarise(beyond), pp = Summarise(pagePaints), pb = Summarise(pageBeyond);
      std::printf("group menu of %d members, open to first page painted and pushed, %zu opens\n",
                  kCrowdedGroup, opens.size());
      std::printf("  first open (its captions' pictures made)       : %6.2f ms, %6.2f beyond one push\n",
                  firstOpen.front(), firstBeyond.front());
      std::printf("  later opens                                     : median %6.2f ms  p90 %6.2f  min %6.2f\n",
                  o.median, o.p90, o.min);
      std::printf("    beyond one push made just after each          : median %6.2f ms  p90 %6.2f\n", b.median, b.p90);
      std::printf("  the page alone painted and pushed (window shown): median %6.2f ms  p90 %6.2f  min %6.2f\n",
                  pp.median, pp.p90, pp.min);
      std::printf("    beyond one push made just after each          : median %6.2f ms  p90 %6.2f\n", pb.median, pb.p90);
      const Stats fp = Summarise(freshPages);
      std::printf("  Page Down to a page never shown before          : median %6.2f ms  p90 %6.2f  min %6.2f\n",
                  fp.median, fp.p90, fp.min);
      std::printf("  one frame at 60 Hz                              : 16.67 ms\n");
    }
    menu.Unload();
    literalDock.Unload();
    dock.Unload();
  }
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
