// SPDX-License-Identifier: MIT
// ctlBrindtSysInfo's saved state through IPersistStreamInit, IPersistPropertyBag and IPersistStorage. The control
// has no properties: it saves an empty state and loads any state, and it is never dirty.
#include <windows.h>

#include "ctl_brindt_sysinfo.h"

namespace bsi::win32::com {

// ---- IPersist, IPersistStreamInit ----

HRESULT ControlObject::GetClassID(CLSID* clsid) noexcept {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_ctlBrindtSysInfo;
  return S_OK;
}

HRESULT ControlObject::IsDirty() noexcept {
  return S_FALSE;
}

HRESULT ControlObject::Load(IStream* stream) noexcept {
  return stream ? S_OK : E_POINTER;
}

HRESULT ControlObject::Save(IStream* stream, BOOL) noexcept {
  return stream ? S_OK : E_POINTER;
}

HRESULT ControlObject::GetSizeMax(ULARGE_INTEGER* size) noexcept {
  if (!size) return E_POINTER;
  size->QuadPart = 0;
  return S_OK;
}

HRESULT ControlObject::InitNew() noexcept {
  return S_OK;
}

// ---- IPersistPropertyBag ----

HRESULT ControlObject::Load(IPropertyBag* bag, IErrorLog*) noexcept {
  return bag ? S_OK : E_POINTER;
}

HRESULT ControlObject::Save(IPropertyBag* bag, BOOL, BOOL) noexcept {
  return bag ? S_OK : E_POINTER;
}

// ---- IPersistStorage: the protocol's states are kept so that a container's wrong order gets its error ----

HRESULT ControlObject::InitNew(IStorage* storage) noexcept {
  if (!storage) return E_POINTER;
  if (storage_state_ != StorageState::kUninitialized) return CO_E_ALREADYINITIALIZED;
  storage_state_ = StorageState::kNormal;
  return S_OK;
}

HRESULT ControlObject::Load(IStorage* storage) noexcept {
  if (!storage) return E_POINTER;
  if (storage_state_ != StorageState::kUninitialized) return CO_E_ALREADYINITIALIZED;
  storage_state_ = StorageState::kNormal;
  return S_OK;
}

HRESULT ControlObject::Save(IStorage* storage, BOOL) noexcept {
  if (!storage) return E_POINTER;
  // Nothing is written; until SaveCompleted the control would not write to any storage anyway.
  storage_state_ = StorageState::kNoScribble;
  return S_OK;
}

HRESULT ControlObject::SaveCompleted(IStorage* storage) noexcept {
  if (storage_state_ != StorageState::kNoScribble && storage_state_ != StorageState::kHandsOff) return E_UNEXPECTED;
  // After HandsOffStorage the container has to hand over the storage to go on with.
  if (storage_state_ == StorageState::kHandsOff && !storage) return E_INVALIDARG;
  storage_state_ = StorageState::kNormal;
  if (advise_holder_) advise_holder_->SendOnSave();
  return S_OK;
}

HRESULT ControlObject::HandsOffStorage() noexcept {
  storage_state_ = StorageState::kHandsOff;
  return S_OK;
}

}  // namespace bsi::win32::com
