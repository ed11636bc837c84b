// SPDX-License-Identifier: MIT
// ctlBrindtSysInfo's saved state through IPersistPropertyBag and IPersistStorage. The control has no properties:
// it saves an empty state and loads any state, and it is never dirty. IPersistStreamInit is in
// ctl_brindt_sysinfo.cpp.
#include <windows.h>

#include "ctl_brindt_sysinfo.h"

namespace bsi::win32::com {

// ---- IPersistPropertyBag ----

HRESULT CtlBrindtSysInfo::Load(IPropertyBag* bag, IErrorLog*) noexcept {
  return bag ? S_OK : E_POINTER;
}

HRESULT CtlBrindtSysInfo::Save(IPropertyBag* bag, BOOL, BOOL) noexcept {
  return bag ? S_OK : E_POINTER;
}

// ---- IPersistStorage: the protocol's states are kept so that a container's wrong order gets its error ----

HRESULT CtlBrindtSysInfo::InitNew(IStorage* storage) noexcept {
  if (!storage) return E_POINTER;
  if (storage_state_ != StorageState::kUninitialized) return CO_E_ALREADYINITIALIZED;
  storage_state_ = StorageState::kNormal;
  return S_OK;
}

HRESULT CtlBrindtSysInfo::Load(IStorage* storage) noexcept {
  if (!storage) return E_POINTER;
  if (storage_state_ != StorageState::kUninitialized) return CO_E_ALREADYINITIALIZED;
  storage_state_ = StorageState::kNormal;
  return S_OK;
}

HRESULT CtlBrindtSysInfo::Save(IStorage* storage, BOOL) noexcept {
  if (!storage) return E_POINTER;
  // Nothing is written; until SaveCompleted the control would not write to any storage anyway.
  storage_state_ = StorageState::kNoScribble;
  return S_OK;
}

HRESULT CtlBrindtSysInfo::SaveCompleted(IStorage* storage) noexcept {
  if (storage_state_ != StorageState::kNoScribble && storage_state_ != StorageState::kHandsOff) return E_UNEXPECTED;
  // After HandsOffStorage the container has to hand over the storage to go on with.
  if (storage_state_ == StorageState::kHandsOff && !storage) return E_INVALIDARG;
  storage_state_ = StorageState::kNormal;
  if (advise_holder_) advise_holder_->SendOnSave();
  return S_OK;
}

HRESULT CtlBrindtSysInfo::HandsOffStorage() noexcept {
  storage_state_ = StorageState::kHandsOff;
  return S_OK;
}

}  // namespace bsi::win32::com
