// SPDX-License-Identifier: MIT
// A small base for our COM objects: the interface list makes the QueryInterface table at compile time, the
// reference count is atomic, the last Release deletes, and every live object keeps the module loaded.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <type_traits>

#include "module.h"

namespace bsi::win32::com {

/// The interfaces an interface derives from, so that a QueryInterface for a base (IDispatch, IOleWindow,
/// IPersist, IProvideClassInfo) finds the derived one. Specialise for each derived interface in a list.
template <typename I>
struct BaseInterfaces {
  static bool Matches(REFIID) noexcept { return false; }
};

template <typename I, typename... Bases>
struct BaseInterfacesOf {
  static bool Matches(REFIID iid) noexcept { return ((iid == __uuidof(Bases)) || ...); }
};

template <>
struct BaseInterfaces<IOleInPlaceObject> : BaseInterfacesOf<IOleInPlaceObject, IOleWindow> {};
template <>
struct BaseInterfaces<IPersistStreamInit> : BaseInterfacesOf<IPersistStreamInit, IPersist> {};
template <>
struct BaseInterfaces<IProvideClassInfo2> : BaseInterfacesOf<IProvideClassInfo2, IProvideClassInfo> {};

/// Implements IUnknown for `Derived` over `Interfaces...`; the first interface answers for IUnknown.
/// Objects start with a count of one: create with `new (std::nothrow)`, QueryInterface, then Release.
template <typename Derived, typename First, typename... Rest>
class ComObject : public First, public Rest... {
 public:
  ComObject() noexcept { ModuleLock::AddObject(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown) {
      *out = static_cast<First*>(this);
    } else if (!(Find<First>(iid, out) || (Find<Rest>(iid, out) || ...))) {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++count_; }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const ULONG left = --count_;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

  /// The object's identity, for handing out without a QueryInterface.
  IUnknown* Unknown() noexcept { return static_cast<First*>(this); }

 protected:
  virtual ~ComObject() { ModuleLock::RemoveObject(); }

 private:
  template <typename I>
  bool Find(REFIID iid, void** out) noexcept {
    if (iid != __uuidof(I) && !BaseInterfaces<I>::Matches(iid)) return false;
    *out = static_cast<I*>(this);
    return true;
  }

  std::atomic<ULONG> count_{1};
};

}  // namespace bsi::win32::com
