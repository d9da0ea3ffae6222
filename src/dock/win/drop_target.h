// The dock's OLE drop target: reads the shell's file list (CF_HDROP) from the data
// object and hands the drag's positions and the paths to the portable drop controller.
// Also the one call that moves a dropped path to the Recycle Bin.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "dock/drop_controller.h"

namespace vek::win {

class DockDropTarget : public IDropTarget {
 public:
  // `toWindow` turns a screen point into the dock window's pixels.
  DockDropTarget(DropController& controller, std::function<POINT(POINT)> toWindow)
      : controller_(controller), toWindow_(std::move(toWindow)) {}
  virtual ~DockDropTarget() = default;

  // IUnknown; the dock owns the object, the count only keeps OLE's references honest.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&refs_); }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  POINT WindowPoint(POINTL at) const { return toWindow_(POINT{at.x, at.y}); }

  DropController& controller_;
  std::function<POINT(POINT)> toWindow_;
  LONG refs_ = 1;
  bool hasFiles_ = false;
  DWORD allowed_ = DROPEFFECT_NONE;
};

// True when the data object offers a file list.
bool HasFileList(IDataObject* data);
// The file list's paths in order (at most `most`); each one's length is asked first.
std::vector<std::string> ReadFileList(IDataObject* data, size_t most);

// Moves one exact absolute path to the Recycle Bin. The shell warns before it would
// delete for good something it cannot recycle; no wildcard ever reaches it.
bool RecycleOnePath(HWND owner, const std::string& path);

}  // namespace vek::win
