// SPDX-License-Identifier: MIT
#include "connection_point.h"

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace bsi::win32::com {

DWORD SinkList::Add(ComPtr<IUnknown> sink) noexcept {
  if (next_cookie_ == 0) return 0;  // all cookies used up
  try {
    sinks_.push_back({next_cookie_, std::move(sink)});
  } catch (...) {
    return 0;
  }
  return next_cookie_++;
}

bool SinkList::Remove(DWORD cookie) noexcept {
  const auto it = std::find_if(sinks_.begin(), sinks_.end(), [cookie](const Entry& e) { return e.cookie == cookie; });
  if (it == sinks_.end()) return false;
  // Moved out first: the sink's last Release may call back into this list.
  ComPtr<IUnknown> sink = std::move(it->sink);
  sinks_.erase(it);
  return true;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) noexcept {
  if (!iid) return E_POINTER;
  *iid = source_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) noexcept {
  if (!container) return E_POINTER;
  return container_.CopyTo(container);
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  // A sink of a dispinterface may answer for the interface itself or only for IDispatch.
  ComPtr<IUnknown> held;
  if (FAILED(sink->QueryInterface(source_, reinterpret_cast<void**>(held.GetAddressOf()))) &&
      FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(held.GetAddressOf())))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  const DWORD added = sinks_->Add(std::move(held));
  if (added == 0) return CONNECT_E_ADVISELIMIT;
  *cookie = added;
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) noexcept {
  return sinks_->Remove(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) noexcept {
  // No event is ever fired, so nobody needs to walk the sinks.
  if (!connections) return E_POINTER;
  *connections = nullptr;
  return E_NOTIMPL;
}

HRESULT ConnectionPointEnum::Next(ULONG count, IConnectionPoint** points, ULONG* fetched) noexcept {
  if (fetched) *fetched = 0;
  if (!points || (count > 1 && !fetched)) return E_POINTER;
  ULONG done = 0;
  while (done < count && position_ < points_.size()) {
    points_[position_++].CopyTo(&points[done++]);
  }
  if (fetched) *fetched = done;
  return done == count ? S_OK : S_FALSE;
}

HRESULT ConnectionPointEnum::Skip(ULONG count) noexcept {
  const std::size_t left = points_.size() - position_;
  if (count > left) {
    position_ = points_.size();
    return S_FALSE;
  }
  position_ += count;
  return S_OK;
}

HRESULT ConnectionPointEnum::Reset() noexcept {
  position_ = 0;
  return S_OK;
}

HRESULT ConnectionPointEnum::Clone(IEnumConnectionPoints** copy) noexcept {
  // Create copies the list before the new enumerator owns it; a failing copy gives E_OUTOFMEMORY.
  return Create(IID_PPV_ARGS(copy), points_, position_);
}

}  // namespace bsi::win32::com
