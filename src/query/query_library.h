// SPDX-License-Identifier: MIT
// The system query library as the core calls it: one abstract class per library class, operations in the
// order of the library's interface slots, and a factory that can fail.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "runtime/text.h"
#include "runtime/variant.h"
#include "runtime/views.h"

namespace bsi {

enum class QueryClass : int {
  RegistryReader,
  OSVersionInfo,
  ProcessorInfo,
  MemoryInfo,
  ComputerInfo,
  UserInfo,
  AdminRightsInfo,
  NetworkInfo,
  DialUpInfo,
  DefaultBrowserInfo,
  FolderInfo,
  DisplayInfo,
  DefaultPrinterInfo,
  SoundInfo,
  UptimeInfo,
  TimeZoneInfo,
  DriveInfo,
  ProgressBarColors,
};
inline constexpr int kQueryClassCount = static_cast<int>(QueryClass::ProgressBarColors) + 1;

/// The class name, as the library's ProgIDs carry it ("MemoryInfo").
std::string_view QueryClassName(QueryClass cls);

/// Every object of the library. Failing operations raise RuntimeError.
class QueryObject {
 public:
  virtual ~QueryObject() = default;
};

class RegistryReader : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::RegistryReader;
  static constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
  static constexpr std::int32_t kRegSz = 1;

  /// Whether the configured value can be read.
  virtual bool Exists() = 0;
  /// The configured value as text; multi-strings joined by NUL; empty text when missing.
  virtual Variant Value() = 0;
  virtual void SetValueType(std::int32_t type) = 0;
  virtual void SetRoot(std::int32_t root) = 0;
  virtual void SetKeyPath(const Text& path) = 0;
  virtual void SetValueName(const Text& name) = 0;
};

class OSVersionInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::OSVersionInfo;
  virtual Text Name() = 0;
  virtual std::int32_t MajorVersion() = 0;
  virtual std::int32_t MinorVersion() = 0;
  virtual std::int32_t BuildNumber() = 0;
};

class ProcessorInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::ProcessorInfo;
  virtual Text Description() = 0;
};

/// Byte amounts as texts of decimal digits.
class MemoryInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::MemoryInfo;
  virtual Text PhysicalTotal() = 0;
  virtual Text PhysicalFree() = 0;
  virtual Text PageFileTotal() = 0;
  virtual Text PageFileFree() = 0;
  virtual Text VirtualTotal() = 0;
  virtual Text VirtualFree() = 0;
};

class ComputerInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::ComputerInfo;
  /// Something that converts to text.
  virtual Variant ComputerName() = 0;
};

class UserInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::UserInfo;
  virtual Text UserName() = 0;
};

class AdminRightsInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::AdminRightsInfo;
  virtual bool IsAdmin() = 0;
};

class NetworkInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::NetworkInfo;
  virtual Text LocalIP() = 0;
  virtual Text NetworkIP() = 0;
  virtual Text LocalSubnetMask() = 0;
  virtual Text NetworkSubnetMask() = 0;
  virtual Text MACAddress() = 0;
};

class DialUpInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::DialUpInfo;
  /// Any non-zero answer of the library counts as true.
  virtual bool Active() = 0;
};

class DefaultBrowserInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::DefaultBrowserInfo;
  virtual Text Detail() = 0;
  /// Not used by the window.
  virtual Text Executable() = 0;
  virtual Text Name() = 0;
};

class FolderInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::FolderInfo;
  virtual Text WindowsFolder() = 0;
  virtual Text SystemFolder() = 0;
};

class DisplayInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::DisplayInfo;
  virtual Currency BitsPerPixel() = 0;
  virtual std::int32_t Width() = 0;
  virtual std::int32_t Height() = 0;
};

class DefaultPrinterInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::DefaultPrinterInfo;
  virtual Text Name() = 0;
  virtual Text Detail1() = 0;
  virtual Text Detail2() = 0;
};

class SoundInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::SoundInfo;
  /// True or false; Null or Empty count as false.
  virtual Variant Installed() = 0;
};

class UptimeInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::UptimeInfo;
  virtual Text RunningTime() = 0;
};

class TimeZoneInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::TimeZoneInfo;
  // The first six are not used by the window.
  virtual std::int32_t Bias() = 0;
  virtual Text StandardName() = 0;
  virtual std::int32_t StandardBias() = 0;
  virtual Text DaylightName() = 0;
  virtual std::int32_t DaylightBias() = 0;
  virtual bool DaylightActive() = 0;
  virtual Text Name() = 0;
};

class DriveInfo : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::DriveInfo;
  /// A Collection of drive texts, or no object (nullptr).
  virtual std::shared_ptr<Object> Drives() = 0;
};

class ProgressBarColors : public QueryObject {
 public:
  static constexpr QueryClass kClass = QueryClass::ProgressBarColors;
  /// Draws the gauge's bar in `bar_color` on `back_color` (0x00BBGGRR). `gauge` is the native handle the
  /// platform's gauge view supplies.
  virtual void SetColors(WindowHandle gauge, std::int32_t bar_color, std::int32_t back_color) = 0;
};

/// Creates the library's objects.
class QueryLibrary {
 public:
  virtual ~QueryLibrary() = default;
  /// A new object of the class; raises 429 when the class cannot be created.
  virtual std::unique_ptr<QueryObject> Create(QueryClass cls) = 0;
};

}  // namespace bsi
