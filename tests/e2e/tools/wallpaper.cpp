// A busy stand-in wallpaper for screenshots: a full-screen window at the bottom of the
// z-order painted with colourful gradients, shapes and text, so that the dock's
// translucent edges can be judged over something other than a flat colour.
//
//   wallpaper            runs until its window is closed (vekctl close VEKTestWallpaper)
#include <windows.h>

#include <cmath>

namespace {

void Paint(HDC dc, int width, int height) {
  // Diagonal gradient from deep blue to orange, in bands.
  for (int y = 0; y < height; y += 4) {
    const double t = static_cast<double>(y) / height;
    for (int x = 0; x < width; x += 64) {
      const double u = static_cast<double>(x) / width;
      const int r = static_cast<int>(30 + 200 * u * (1 - t) + 25 * std::sin(y * 0.02));
      const int g = static_cast<int>(60 + 120 * t + 40 * std::sin(x * 0.01));
      const int b = static_cast<int>(160 - 100 * u + 60 * t);
      HBRUSH brush = CreateSolidBrush(RGB(r & 255, g & 255, b & 255));
      RECT band{x, y, x + 64, y + 4};
      FillRect(dc, &band, brush);
      DeleteObject(brush);
    }
  }
  // Overlapping discs and bars in saturated colours.
  const COLORREF colours[] = {RGB(255, 80, 80), RGB(255, 220, 60), RGB(60, 220, 120),
                              RGB(80, 160, 255), RGB(240, 240, 240), RGB(20, 20, 30)};
  unsigned seed = 12345;
  for (int i = 0; i < 90; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int x = static_cast<int>(seed % static_cast<unsigned>(width));
    seed = seed * 1103515245u + 12345u;
    const int y = static_cast<int>(seed % static_cast<unsigned>(height));
    seed = seed * 1103515245u + 12345u;
    const int size = 20 + static_cast<int>(seed % 160u);
    HBRUSH brush = CreateSolidBrush(colours[i % 6]);
    HGDIOBJ old = SelectObject(dc, brush);
    SelectObject(dc, GetStockObject(NULL_PEN));
    if (i % 3 == 0)
      Rectangle(dc, x, y, x + size * 2, y + size / 3);
    else
      Ellipse(dc, x, y, x + size, y + size);
    SelectObject(dc, old);
    DeleteObject(brush);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  for (int y = 40; y < height; y += 180) TextOutW(dc, 40, y, L"Busy wallpaper - text, shapes and colour", 40);
}

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      Paint(dc, r.right, r.bottom);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_WINDOWPOSCHANGING:
      // Always the bottom window.
      reinterpret_cast<WINDOWPOS*>(lParam)->hwndInsertAfter = HWND_BOTTOM;
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.lpszClassName = L"VEKTestWallpaper";
  RegisterClassW(&wc);
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"VEKTestWallpaper", L"wallpaper",
                              WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, nullptr, instance, nullptr);
  SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
