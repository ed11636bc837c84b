// SPDX-License-Identifier: MIT
// The COM object base: the interface list makes the QueryInterface table at compile time, the count is atomic,
// the last Release deletes, and every live object keeps the module loaded. Plus the class factory.
#pragma once

#include <windows.h>
// After windows.h:
#include <objbase.h>
#include <ocidl.h>
#include <oleidl.h>
#include <unknwn.h>

#include <atomic>
#include <new>
#include <tuple>
#include <type_traits>
#include <utility>

#include "module.h"

namespace bsi::win32::com {

/// The interfaces that others derive from. A listed interface also answers for each of these that it derives
/// from, so the list names only the most derived one (IOleInPlaceObjectWindowless answers for IOleInPlaceObject
/// and IOleWindow).
using BaseInterfaces = std::tuple<IDispatch, IOleWindow, IOleInPlaceObject, IPersist, IProvideClassInfo, IViewObject>;

template <class Derived, class... Interfaces>
class ComObject : public Interfaces... {
  static_assert(sizeof...(Interfaces) > 0, "a COM object implements at least one interface");
  using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;

 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  /// A listed interface first; else the first listed one, in list order, that derives from the asked one.
  STDMETHODIMP QueryInterface(REFIID riid, void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown) {
      *object = static_cast<IUnknown*>(static_cast<First*>(this));
    } else if (!(MatchListed<Interfaces>(riid, object) || ...) &&
               !(MatchBases<Interfaces>(riid, object, std::make_index_sequence<std::tuple_size_v<BaseInterfaces>>{}) ||
                 ...)) {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++count_; }
  STDMETHODIMP_(ULONG) Release() noexcept override {
    const ULONG left = --count_;
    if (left == 0) delete this;
    return left;
  }

  /// Makes an object with a count of one, asks it for `riid` and lets go of the first count, so that a failing
  /// QueryInterface frees the object. A throwing constructor gives E_OUTOFMEMORY or E_UNEXPECTED.
  template <class... Args>
  static HRESULT Create(REFIID riid, void** object, Args&&... args) noexcept {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    Derived* created = nullptr;
    try {
      created = new Derived(std::forward<Args>(args)...);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_UNEXPECTED;
    }
    const HRESULT hr = created->QueryInterface(riid, object);
    created->Release();
    return hr;
  }

 protected:
  ComObject() noexcept { AddModuleReference(); }
  virtual ~ComObject() { ReleaseModuleReference(); }

 private:
  template <class I>
  bool MatchListed(REFIID riid, void** object) noexcept {
    if (riid != __uuidof(I)) return false;
    *object = static_cast<I*>(this);
    return true;
  }
  template <class I, class Base>
  bool MatchBase(REFIID riid, void** object) noexcept {
    if constexpr (std::is_base_of_v<Base, I> && !std::is_same_v<Base, I>) {
      if (riid == __uuidof(Base)) {
        *object = static_cast<Base*>(static_cast<I*>(this));
        return true;
      }
    }
    return false;
  }
  template <class I, std::size_t... Index>
  bool MatchBases(REFIID riid, void** object, std::index_sequence<Index...>) noexcept {
    return (MatchBase<I, std::tuple_element_t<Index, BaseInterfaces>>(riid, object) || ...);
  }

  std::atomic<ULONG> count_{1};
};

/// Makes an object of one class and answers for the module's lock count.
using CreateFunction = HRESULT (*)(REFIID riid, void** object);

class ClassFactory final : public ComObject<ClassFactory, IClassFactory> {
 public:
  explicit ClassFactory(CreateFunction create) noexcept : create_(create) {}

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) noexcept override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return create_(riid, object);
  }
  STDMETHODIMP LockServer(BOOL lock) noexcept override {
    if (lock) {
      AddServerLock();
    } else {
      ReleaseServerLock();
    }
    return S_OK;
  }

 private:
  CreateFunction create_;
};

}  // namespace bsi::win32::com
