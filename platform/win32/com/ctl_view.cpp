// SPDX-License-Identifier: MIT
// ctlBrindtSysInfo's picture: at design time the control's 32 x 32 icon in its square, at run time nothing
// (the control is invisible at run time). IViewObject2 and the view's advise sink.
#include <windows.h>

#include <algorithm>

#include "common/module.h"
#include "common/unique_handle.h"
#include "ctl_brindt_sysinfo.h"

using Microsoft::WRL::ComPtr;

namespace bsi::win32::com {

namespace {

// The module's icon (the information window uses the same one).
constexpr int kDesignIconId = 1;
// The icon is 32 pixels in a 40-pixel square; it keeps that share when the square is drawn larger or smaller.
constexpr int kIconShare = 32;
constexpr int kSquareShare = 40;
// A 32 x 32 picture says nothing more at a larger size; this also bounds what an absurd rectangle costs.
constexpr long long kLargestIcon = 1024;

}  // namespace

HRESULT ControlObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                            BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) noexcept {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!dc) return E_INVALIDARG;
  RECT area;
  if (bounds) {
    area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
  } else if (in_place_site_ && windowless_) {
    area = position_;  // a windowless control draws at its position when the container gives no bounds
  } else {
    return E_INVALIDARG;
  }
  if (user_mode_) return S_OK;

  const long long width = static_cast<long long>(area.right) - area.left;
  const long long height = static_cast<long long>(area.bottom) - area.top;
  if (width <= 0 || height <= 0) return S_OK;  // nothing to cover
  const int side = static_cast<int>(
      std::clamp((std::min(width, height) * kIconShare + kSquareShare / 2) / kSquareShare, 1LL, kLargestIcon));
  UniqueIcon icon(static_cast<HICON>(
      LoadImageW(ModuleHandle(), MAKEINTRESOURCEW(kDesignIconId), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
  if (!icon) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
  const int x = static_cast<int>(area.left + (width - side) / 2);
  const int y = static_cast<int>(area.top + (height - side) / 2);
  if (!DrawIconEx(dc, x, y, icon.get(), side, side, 0, nullptr, DI_NORMAL)) {
    return E_FAIL;
  }
  return S_OK;
}

HRESULT ControlObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) noexcept {
  if (!colors) return E_POINTER;
  *colors = nullptr;
  return S_FALSE;  // no palette of its own
}

HRESULT ControlObject::Freeze(DWORD, LONG, void*, DWORD* cookie) noexcept {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  return E_NOTIMPL;
}

HRESULT ControlObject::Unfreeze(DWORD) noexcept {
  return E_NOTIMPL;
}

HRESULT ControlObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) noexcept {
  view_sink_ = sink;
  view_aspects_ = sink ? aspects : 0;
  view_flags_ = sink ? flags : 0;
  if (sink && (flags & ADVF_PRIMEFIRST)) SendViewChange();
  return S_OK;
}

HRESULT ControlObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) noexcept {
  if (aspects) *aspects = view_aspects_;
  if (flags) *flags = view_flags_;
  if (sink) return view_sink_.CopyTo(sink);
  return S_OK;
}

HRESULT ControlObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) noexcept {
  return GetExtent(aspect, size);
}

void ControlObject::SendViewChange() noexcept {
  if (view_sink_ && (view_aspects_ & DVASPECT_CONTENT)) {
    ComPtr<IAdviseSink> sink = view_sink_;
    if (view_flags_ & ADVF_ONLYONCE) {
      view_sink_.Reset();
      view_aspects_ = 0;
      view_flags_ = 0;
    }
    sink->OnViewChange(DVASPECT_CONTENT, -1);
  }
  // A windowless control asks its site to paint the square again.
  ComPtr<IOleInPlaceSiteWindowless> windowless;
  if (windowless_ && in_place_site_ && SUCCEEDED(in_place_site_.As(&windowless))) {
    windowless->InvalidateRect(nullptr, TRUE);
  }
}

}  // namespace bsi::win32::com
