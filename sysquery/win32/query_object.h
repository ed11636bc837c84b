// SPDX-License-Identifier: MIT
// What every class of BrindtSysQuery.dll shares: a dual interface answered through the type library, and
// getters that turn a probe's failure, or any other exception, into a failing HRESULT with IErrorInfo.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "BrindtSysQuery.h"
#include "com_error.h"
#include "dispatch.h"
#include "probes.h"
#include "unique_handle.h"

namespace bsq {

/// The failure of a probe: its HRESULT with the system's message and the probe's own words.
HRESULT ReportProbeError(const ProbeError& error, REFIID iid, const wchar_t* source) noexcept;

/// `Derived` names its ProgID in `static constexpr const wchar_t* kProgId`.
template <class Derived, class Dual, class... More>
class QueryObject : public bsi::win32::com::DispatchObject<Derived, Dual, More...> {
 protected:
  /// Runs `body`; an exception becomes the HRESULT that describes it.
  template <class Body>
  static HRESULT Guard(Body&& body) noexcept {
    try {
      body();
      return S_OK;
    } catch (const ProbeError& error) {
      return ReportProbeError(error, __uuidof(Dual), Derived::kProgId);
    } catch (...) {
      return bsi::win32::com::CurrentExceptionHresult(__uuidof(Dual), Derived::kProgId);
    }
  }

  /// Each result kind below clears its out-parameter before anything can fail.

  /// A text result: `read` gives a std::wstring. A failure leaves null.
  template <class Read>
  static HRESULT Text(BSTR* result, Read&& read) noexcept {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    return Guard([&] { *result = bsi::win32::AllocBstr(read()); });
  }

  /// A plain result (long, VARIANT_BOOL, CY...): `read` gives the value. A failure leaves zero.
  template <class T, class Read>
  static HRESULT Plain(T* result, Read&& read) noexcept {
    if (result == nullptr) return E_POINTER;
    *result = T{};
    return Guard([&] { *result = read(); });
  }

  /// A VARIANT result: `fill` writes into the VARIANT, which is empty before and after a failure.
  template <class Fill>
  static HRESULT Variant(VARIANT* result, Fill&& fill) noexcept {
    if (result == nullptr) return E_POINTER;
    VariantInit(result);
    return Guard([&] { fill(result); });
  }
};

/// Facts read once and reused for a second: the operations of one object called in a row (one list build) cost
/// one system query, while an object that is polled still sees changes.
template <class Facts>
class FreshFacts {
 public:
  template <class Read>
  const Facts& Get(Read&& read) {
    const ULONGLONG now = GetTickCount64();
    if (!facts_ || now - read_at_ >= kFreshMilliseconds) {
      facts_.reset();  // a failing read leaves nothing stale behind
      facts_ = read();
      read_at_ = now;
    }
    return *facts_;
  }

 private:
  static constexpr ULONGLONG kFreshMilliseconds = 1000;
  std::optional<Facts> facts_;
  ULONGLONG read_at_ = 0;
};

constexpr VARIANT_BOOL ToVariantBool(bool value) noexcept {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

/// Creation functions, one per class; each lives in the class's own file.
HRESULT CreateRegistryReader(REFIID riid, void** object) noexcept;
HRESULT CreateOSVersionInfo(REFIID riid, void** object) noexcept;
HRESULT CreateProcessorInfo(REFIID riid, void** object) noexcept;
HRESULT CreateMemoryInfo(REFIID riid, void** object) noexcept;
HRESULT CreateComputerInfo(REFIID riid, void** object) noexcept;
HRESULT CreateUserInfo(REFIID riid, void** object) noexcept;
HRESULT CreateAdminRightsInfo(REFIID riid, void** object) noexcept;
HRESULT CreateNetworkInfo(REFIID riid, void** object) noexcept;
HRESULT CreateDialUpInfo(REFIID riid, void** object) noexcept;
HRESULT CreateDefaultBrowserInfo(REFIID riid, void** object) noexcept;
HRESULT CreateFolderInfo(REFIID riid, void** object) noexcept;
HRESULT CreateDisplayInfo(REFIID riid, void** object) noexcept;
HRESULT CreateDefaultPrinterInfo(REFIID riid, void** object) noexcept;
HRESULT CreateSoundInfo(REFIID riid, void** object) noexcept;
HRESULT CreateUptimeInfo(REFIID riid, void** object) noexcept;
HRESULT CreateTimeZoneInfo(REFIID riid, void** object) noexcept;
HRESULT CreateDriveInfo(REFIID riid, void** object) noexcept;
HRESULT CreateProgressBarColors(REFIID riid, void** object) noexcept;

}  // namespace bsq
