// SPDX-License-Identifier: MIT
// The connection point of the control's source interface, and the enumerator of the container's points.
// The source interface declares no events, so sinks are only accepted, counted and let go.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <vector>

#include "common/com_object.h"

namespace bsi::win32::com {

/// The sinks advised on one connection point, by cookie. Cookies start at 1 and are never reused.
class SinkList {
 public:
  /// Stores `sink` and hands out its cookie; 0 when memory runs out.
  DWORD Add(Microsoft::WRL::ComPtr<IUnknown> sink) noexcept;
  /// False for a cookie that is not (or no longer) advised.
  bool Remove(DWORD cookie) noexcept;
  std::size_t size() const noexcept { return sinks_.size(); }

 private:
  struct Entry {
    DWORD cookie;
    Microsoft::WRL::ComPtr<IUnknown> sink;
  };
  std::vector<Entry> sinks_;
  DWORD next_cookie_ = 1;
};

class ConnectionPoint final : public ComObject<ConnectionPoint, IConnectionPoint> {
 public:
  /// `sinks` belongs to `container`, which this point keeps alive.
  ConnectionPoint(IConnectionPointContainer* container, REFIID source, SinkList* sinks) noexcept
      : container_(container), source_(source), sinks_(sinks) {}

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) noexcept override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) noexcept override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) noexcept override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) noexcept override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) noexcept override;

 private:
  Microsoft::WRL::ComPtr<IConnectionPointContainer> container_;
  IID source_;
  SinkList* sinks_;
};

/// Enumerates a fixed list of connection points.
class ConnectionPointEnum final : public ComObject<ConnectionPointEnum, IEnumConnectionPoints> {
 public:
  explicit ConnectionPointEnum(std::vector<Microsoft::WRL::ComPtr<IConnectionPoint>> points,
                               std::size_t position = 0) noexcept
      : points_(std::move(points)), position_(position) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) noexcept override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) noexcept override;
  HRESULT STDMETHODCALLTYPE Reset() noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** copy) noexcept override;

 private:
  std::vector<Microsoft::WRL::ComPtr<IConnectionPoint>> points_;
  std::size_t position_ = 0;
};

}  // namespace bsi::win32::com
